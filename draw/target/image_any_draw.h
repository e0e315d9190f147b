// ImageAnyDraw: a Draw painting into an image through the back end's image Draw factory;
// every drawing operation goes to the Draw the factory made.
#pragma once

#include "draw/target/draw.h"
#include "draw/target/draw_hooks.h"

namespace Qor {

class ImageAnyDraw : public Draw {
public:
    // Without an installed factory (callers check IsImageDrawFactorySet) the inner Draw
    // draws nothing and the image is empty.
    explicit ImageAnyDraw(Size size);
    ImageAnyDraw(int cx, int cy) : ImageAnyDraw(Size(cx, cy)) {}
    ~ImageAnyDraw() override;

    // What has been painted so far.
    Image GetImage() const;

    dword GetInfoFlags() const override;
    Size GetPageSize() const override;
    void Begin() override;
    void End() override;
    void Offset(Point p) override;
    bool Clip(const Rect& r) override;
    bool ClipOffset(const Rect& r) override;
    bool ExcludeClip(const Rect& r) override;
    bool IntersectClip(const Rect& r) override;
    bool IsPainting(const Rect& r) const override;
    Rect GetPaintRect() const override;
    void DrawRect(int x, int y, int cx, int cy, Color color) override;
    void DrawImageScaled(int x, int y, int cx, int cy, const Image& img, const Rect& src, Color color) override;
    void DrawData(int x, int y, int cx, int cy, const String& data, const char* type) override;
    void DrawLine(int x1, int y1, int x2, int y2, int width, Color color) override;
    void DrawPolyPolyline(const Point* vertices, int vertex_count, const int* counts, int count_count, int width,
                          Color color, Color doxor) override;
    void DrawPolyPolyPolygon(const Point* vertices, int vertex_count, const int* subpolygon_counts,
                             int subpolygon_count_count, const int* disjunct_polygon_counts,
                             int disjunct_polygon_count_count, Color fill, int outline_width, Color outline,
                             uint64 pattern, Color doxor) override;
    void DrawArc(const Rect& rc, Point start, Point end, int width, Color color) override;
    void DrawEllipse(const Rect& r, Color fill, int pen_width, Color pen) override;
    void DrawTextRun(int x, int y, int angle, const wchar16* text, Font font, Color ink, int n,
                     const int* dx) override;
    void DrawDrawing(const Rect& target, const Drawing& drawing) override;
    void DrawPainting(const Rect& target, const Painting& painting) override;

    using Draw::Clip;
    using Draw::ClipOffset;
    using Draw::DrawData;
    using Draw::DrawLine;
    using Draw::DrawRect;
    using Draw::Offset;

private:
    Draw* inner; // owned
};

} // namespace Qor
