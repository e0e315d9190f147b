// RasterDraw: a Draw test tool that paints rectangles, lines, images and solid text boxes
// into a PixelBuffer, honouring offsets and clips, so tests compare pixels. Everything
// else (arcs, ellipses, polygons) paints nothing.
#pragma once

#include "draw/draw.h"

#include <string>
#include <utility>
#include <vector>

namespace QorTest {

class RasterDraw : public Qor::Draw {
public:
    using Color = Qor::Color;
    using Rect = Qor::Rect;
    using Point = Qor::Point;
    using Size = Qor::Size;
    using Image = Qor::Image;

    // A canvas of cx × cy opaque pixels of the background colour, all visible.
    RasterDraw(int cx, int cy, Color background = Qor::White(), Qor::dword flags = 0);

    Qor::PixelBuffer canvas;
    Qor::dword flags;

    // The pixel at (x, y) of the canvas, as stored (premultiplied).
    Qor::RGBA At(int x, int y) const { return canvas[y][x]; }
    // The canvas as text rows: each pixel the letter of its colour in the legend ('?' for
    // colours not in it, '.' for transparent pixels).
    std::vector<std::string> Picture(std::initializer_list<std::pair<Color, char>> legend) const;

    Qor::dword GetInfoFlags() const override { return flags; }
    void Begin() override;
    void End() override;
    void Offset(Point p) override;
    bool Clip(const Rect& r) override;
    bool ClipOffset(const Rect& r) override;
    bool ExcludeClip(const Rect& r) override;
    bool IntersectClip(const Rect& r) override;
    bool IsPainting(const Rect& r) const override;
    Rect GetPaintRect() const override;
    int GetClipDepth() const override { return (int)stack.size(); }
    void DrawRect(int x, int y, int cx, int cy, Color color) override;
    void DrawWholeImage(int x, int y, const Image& img, Color color) override;
    void DrawLine(int x1, int y1, int x2, int y2, int width, Color color) override;
    void DrawPolyPolyline(const Point*, int, const int*, int, int, Color, Color) override {}
    void DrawPolyPolyPolygon(const Point*, int, const int*, int, const int*, int, Color, int, Color, Qor::uint64,
                             Color) override {}
    void DrawArc(const Rect&, Point, Point, int, Color) override {}
    void DrawEllipse(const Rect&, Color, int, Color) override {}
    // A solid box of the ink: as wide as the advances (or half the height per character
    // without them), as high as the font's height (12 for a height that is not positive).
    void DrawTextRun(int x, int y, int angle, const Qor::wchar16* text, Qor::Font font, Color ink, int n,
                     const int* dx) override;

    using Draw::Clip;
    using Draw::ClipOffset;
    using Draw::DrawData;
    using Draw::DrawLine;
    using Draw::DrawRect;
    using Draw::Offset;

private:
    struct State {
        Point offset;
        std::vector<bool> mask;
    };
    Point offset;
    std::vector<bool> mask; // one flag per canvas pixel: inside the clip
    std::vector<State> stack;

    void Push() { stack.push_back({offset, mask}); }
    Rect Moved(Rect r) const { return r + Size(offset.x, offset.y); }
    // Keeps only the pixels of r (in current coordinates) visible; true when any remains.
    bool Intersect(const Rect& r);
    bool AnyVisible() const;
    // Source-over of one premultiplied pixel at canvas position (x, y), within the clip.
    void Blend(int x, int y, Qor::RGBA p);
};

} // namespace QorTest
