// Draw: the base behaviour of its operations and the entry points that forward to them.

#include "draw/target/draw.h"

#include "draw/raster/raster.h"
#include "draw/rescale/rescaler.h"
#include "foundation/numeric.h"

#include <cmath>
#include <cstring>
#include <numbers>

namespace Qor {

namespace {

// Beyond this an image on a target that takes bands is drawn 16 lines at a time.
constexpr int BAND_FREE_WIDTH = 2000;
constexpr int BAND_FREE_HEIGHT = 1500;
constexpr int IMAGE_BAND = 16;

} // namespace

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

bool Draw::BeginNativeArea(dword flags, int& x, int& y, int& cx, int& cy)
{
    if(flags & NATIVE)
        return false;
    BeginNative();
    DotsToNative(x, y);
    DotsToNative(cx, cy);
    return true;
}

void Draw::DrawImageScaled(int x, int y, int cx, int cy, const Image& img, const Rect& src, Color color)
{
    dword flags = GetInfoFlags();
    bool native = BeginNativeArea(flags, x, y, cx, cy);
    if((cx <= BAND_FREE_WIDTH && cy <= BAND_FREE_HEIGHT) || !color.IsNullInstance() || !(flags & DRAW_IMAGE_BANDS)) {
        if(cx == src.Width() && cy == src.Height())
            DrawImagePart(x, y, img, src, color);
        else {
            Image scaled = RescaleImage(img, Size(cx, cy), src);
            DrawImagePart(x, y, scaled, Rect(scaled.GetSize()), color);
        }
    }
    else if(Rect(img.GetSize()).Contains(src)) {
        // Bands, so that a large image never exists twice in full.
        ImageRaster raster(img);
        Rescaler rescaler;
        if(rescaler.Create(Size(cx, cy), raster, src))
            for(int top = 0; top < cy; top += IMAGE_BAND) {
                PixelBuffer band(cx, cy - top < IMAGE_BAND ? cy - top : IMAGE_BAND);
                if(band.IsEmpty())
                    break;
                for(int line = 0; line < band.GetHeight(); line++)
                    rescaler.GetLine(band[line]);
                DrawImageStrips(x, y + top, Image(band));
            }
    }
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
    double a = r * std::numbers::pi / 1800;
    sin = std::sin(a);
    cos = std::cos(a);
}

} // namespace Qor
