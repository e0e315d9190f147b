// NilDraw: a Draw that draws nothing, for code that only wants geometry.
#pragma once

#include "draw/target/draw.h"

namespace Qor {

class NilDraw : public Draw {
public:
    dword GetInfoFlags() const override { return DOTS; }
    Size GetPageSize() const override { return Size(0, 0); }
    void Begin() override {}
    void End() override {}
    void Offset(Point) override {}
    bool Clip(const Rect&) override { return false; }
    bool ClipOffset(const Rect&) override { return false; }
    bool ExcludeClip(const Rect&) override { return false; }
    bool IntersectClip(const Rect&) override { return false; }
    bool IsPainting(const Rect&) const override { return false; }
    Rect GetPaintRect() const override { return Rect(0, 0, 0, 0); }
    void DrawRect(int, int, int, int, Color) override {}
    void DrawImageScaled(int, int, int, int, const Image&, const Rect&, Color) override {}
    void DrawData(int, int, int, int, const String&, const char*) override {}
    void DrawLine(int, int, int, int, int, Color) override {}
    void DrawPolyPolyline(const Point*, int, const int*, int, int, Color, Color) override {}
    void DrawPolyPolyPolygon(const Point*, int, const int*, int, const int*, int, Color, int, Color, uint64,
                             Color) override {}
    void DrawArc(const Rect&, Point, Point, int, Color) override {}
    void DrawEllipse(const Rect&, Color, int, Color) override {}
    void DrawTextRun(int, int, int, const wchar16*, Font, Color, int, const int*) override {}
    void DrawDrawing(const Rect&, const Drawing&) override {}
    void DrawPainting(const Rect&, const Painting&) override {}

    using Draw::Clip;
    using Draw::ClipOffset;
    using Draw::DrawData;
    using Draw::DrawLine;
    using Draw::DrawRect;
    using Draw::Offset;
};

} // namespace Qor
