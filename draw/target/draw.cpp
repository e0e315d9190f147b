// Draw: the base behaviour of its operations and the entry points that forward to them.

#include "draw/target/draw.h"

#include "foundation/numeric.h"

#include <cmath>

namespace Qor {

Size Draw::GetPageSize() const
{
    return Size(1073741823, 1073741823);
}

void Draw::StartPage() {}
void Draw::EndPage() {}

Rect Draw::GetPaintRect() const
{
    return Rect(-1073741823, -1073741823, 1073741823, 1073741823);
}

void Draw::DrawWholeImage(int, int, const Image&, Color) {}

void Draw::DrawImagePart(int x, int y, const Image& img, const Rect& src, Color color)
{
    if(src == Rect(img.GetSize())) {
        DrawWholeImage(x, y, img, color);
        return;
    }
    ClipOffset(Rect(x, y, x + src.Width(), y + src.Height()));
    DrawWholeImage(-src.left, -src.top, img, color);
    End();
}

void Draw::DrawData(int, int, int, int, const String&, const char*) {}

void Draw::DrawPainting(const Rect&, const Painting&) {}

Size Draw::GetNativeDpi() const
{
    return IsDots() ? Size(600, 600) : Size(96, 96);
}

void Draw::BeginNative() {}
void Draw::EndNative() {}

int Draw::GetClipDepth() const
{
    return 0;
}

void Draw::DotsToNative(int& x, int& y) const
{
    if(!IsDots())
        return;
    Size dpi = GetNativeDpi();
    if(dpi.cx != 600 || dpi.cy != 600) {
        x = ScaleInt(x, dpi.cx, 600);
        y = ScaleInt(y, dpi.cy, 600);
    }
}

void Draw::DrawImageScaled(int x, int y, int cx, int cy, const Image& img, const Rect& src, Color color)
{
    bool native = !(GetInfoFlags() & NATIVE);
    if(native) {
        BeginNative();
        DotsToNative(x, y);
        DotsToNative(cx, cy);
    }
    if(cx == src.Width() && cy == src.Height())
        DrawImagePart(x, y, img, src, color);
    if(native)
        EndNative();
}

void Draw::DrawImage(int x, int y, int cx, int cy, const Image& img)
{
    DrawImageScaled(x, y, cx, cy, img, Rect(img.GetSize()), Color());
}

void Draw::DrawImage(int x, int y, const Image& img, const Rect& src)
{
    DrawImageScaled(x, y, src.Width(), src.Height(), img, src, Color());
}

void Draw::DrawImage(int x, int y, const Image& img)
{
    Size sz = img.GetSize();
    DrawImageScaled(x, y, sz.cx, sz.cy, img, Rect(sz), Color());
}

void Draw::DrawImage(int x, int y, const Image& img, Color color)
{
    if(color.IsNullInstance())
        return;
    Size sz = img.GetSize();
    DrawImageScaled(x, y, sz.cx, sz.cy, img, Rect(sz), color);
}

void ComputeAngleSinCos(int angle, double& sin, double& cos)
{
    int r = angle % 3600;
    switch(r) {
    case 0: sin = 0; cos = 1; return;
    case 900: sin = 1; cos = 0; return;
    case 1800: sin = 0; cos = -1; return;
    case 2700: sin = -1; cos = 0; return;
    }
    double a = r * M_PI / 1800;
    sin = std::sin(a);
    cos = std::cos(a);
}

} // namespace Qor
