// ImageAnyDraw: forwarding to the factory's Draw; the hook variables and the glyph renderer.

#include "draw/target/image_any_draw.h"

#include "draw/target/nil_draw.h"
#include "foundation/wstring.h"

namespace Qor {

ImageDrawFactoryHooks ImageDrawFactoryHook;
Image (*GlyphToImageHook)(int cx, int x, Font font, int ch, int y, int cy) = nullptr;
String (*DrawingToPdfHook)(const Vector<Drawing>& pages, Size page_size, int margin, bool pdfa) = nullptr;

void SetImageDrawFactory(Draw* (*factory)(Size size), Image (*getter)(Draw* w))
{
    if(ImageDrawFactoryHook.factory)
        return;
    ImageDrawFactoryHook.factory = factory;
    ImageDrawFactoryHook.getter = getter;
}

bool IsImageDrawFactorySet()
{
    return ImageDrawFactoryHook.factory != nullptr;
}

void SetGlyphToImageHook(Image (*renderer)(int cx, int x, Font font, int ch, int y, int cy))
{
    GlyphToImageHook = renderer;
}

void SetDrawingToPdfHook(String (*converter)(const Vector<Drawing>& pages, Size page_size, int margin, bool pdfa))
{
    DrawingToPdfHook = converter;
}

Image RenderGlyphImage(int cx, int x, Font font, int ch, int y, int cy)
{
    if(GlyphToImageHook)
        return GlyphToImageHook(cx, x, font, ch, y, cy);
    if(!IsImageDrawFactorySet())
        return Image();
    ImageAnyDraw w(cx, cy);
    w.DrawRect(0, 0, cx, cy, White());
    wchar16 c = (wchar16)ch;
    w.DrawText(x, -y, WString(&c, 1), font, Black());
    return w.GetImage();
}

ImageAnyDraw::ImageAnyDraw(Size size)
{
    inner = IsImageDrawFactorySet() ? ImageDrawFactoryHook.factory(size) : nullptr;
    if(!inner)
        inner = new NilDraw;
}

ImageAnyDraw::~ImageAnyDraw()
{
    delete inner;
}

Image ImageAnyDraw::GetImage() const
{
    return ImageDrawFactoryHook.getter ? ImageDrawFactoryHook.getter(inner) : Image();
}

dword ImageAnyDraw::GetInfoFlags() const { return inner->GetInfoFlags(); }
Size ImageAnyDraw::GetPageSize() const { return inner->GetPageSize(); }
void ImageAnyDraw::Begin() { inner->Begin(); }
void ImageAnyDraw::End() { inner->End(); }
void ImageAnyDraw::Offset(Point p) { inner->Offset(p); }
bool ImageAnyDraw::Clip(const Rect& r) { return inner->Clip(r); }
bool ImageAnyDraw::ClipOffset(const Rect& r) { return inner->ClipOffset(r); }
bool ImageAnyDraw::ExcludeClip(const Rect& r) { return inner->ExcludeClip(r); }
bool ImageAnyDraw::IntersectClip(const Rect& r) { return inner->IntersectClip(r); }
bool ImageAnyDraw::IsPainting(const Rect& r) const { return inner->IsPainting(r); }
Rect ImageAnyDraw::GetPaintRect() const { return inner->GetPaintRect(); }

void ImageAnyDraw::DrawRect(int x, int y, int cx, int cy, Color color) { inner->DrawRect(x, y, cx, cy, color); }

void ImageAnyDraw::DrawImageScaled(int x, int y, int cx, int cy, const Image& img, const Rect& src, Color color)
{
    inner->DrawImageScaled(x, y, cx, cy, img, src, color);
}

void ImageAnyDraw::DrawData(int x, int y, int cx, int cy, const String& data, const char* type)
{
    inner->DrawData(x, y, cx, cy, data, type);
}

void ImageAnyDraw::DrawLine(int x1, int y1, int x2, int y2, int width, Color color)
{
    inner->DrawLine(x1, y1, x2, y2, width, color);
}

void ImageAnyDraw::DrawPolyPolyline(const Point* vertices, int vertex_count, const int* counts, int count_count,
                                    int width, Color color, Color doxor)
{
    inner->DrawPolyPolyline(vertices, vertex_count, counts, count_count, width, color, doxor);
}

void ImageAnyDraw::DrawPolyPolyPolygon(const Point* vertices, int vertex_count, const int* subpolygon_counts,
                                       int subpolygon_count_count, const int* disjunct_polygon_counts,
                                       int disjunct_polygon_count_count, Color fill, int outline_width,
                                       Color outline, uint64 pattern, Color doxor)
{
    inner->DrawPolyPolyPolygon(vertices, vertex_count, subpolygon_counts, subpolygon_count_count,
                               disjunct_polygon_counts, disjunct_polygon_count_count, fill, outline_width, outline,
                               pattern, doxor);
}

void ImageAnyDraw::DrawArc(const Rect& rc, Point start, Point end, int width, Color color)
{
    inner->DrawArc(rc, start, end, width, color);
}

void ImageAnyDraw::DrawEllipse(const Rect& r, Color fill, int pen_width, Color pen)
{
    inner->DrawEllipse(r, fill, pen_width, pen);
}

void ImageAnyDraw::DrawTextRun(int x, int y, int angle, const wchar16* text, Font font, Color ink, int n,
                               const int* dx)
{
    inner->DrawTextRun(x, y, angle, text, font, ink, n, dx);
}

void ImageAnyDraw::DrawDrawing(const Rect& target, const Drawing& drawing) { inner->DrawDrawing(target, drawing); }

void ImageAnyDraw::DrawPainting(const Rect& target, const Painting& painting)
{
    inner->DrawPainting(target, painting);
}

} // namespace Qor
