// RecordingDraw: a Draw test tool that logs every operation with its arguments as one
// line of text, so tests compare call logs as tables.
#pragma once

#include "draw/draw.h"

#include <string>
#include <vector>

namespace QorTest {

class RecordingDraw : public Qor::Draw {
public:
    using Color = Qor::Color;
    using Rect = Qor::Rect;
    using Point = Qor::Point;
    using Size = Qor::Size;
    using Image = Qor::Image;

    // flags: what GetInfoFlags answers.
    explicit RecordingDraw(Qor::dword flags = 0) : flags(flags) {}

    // One line per call; the const queries log too, when log_queries is set.
    mutable std::vector<std::string> log;
    Qor::dword flags;
    // What Clip, ClipOffset, ExcludeClip, IntersectClip and IsPainting answer.
    bool visible = true;
    bool log_queries = false;
    // When set, the image operations go on into the base behaviour after logging, so
    // the calls the base makes show in the log too.
    bool base_images = false;

    Qor::dword GetInfoFlags() const override;
    Size GetPageSize() const override;
    void StartPage() override;
    void EndPage() override;
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
    void DrawWholeImage(int x, int y, const Image& img, Color color) override;
    void DrawImagePart(int x, int y, const Image& img, const Rect& src, Color color) override;
    void DrawImageScaled(int x, int y, int cx, int cy, const Image& img, const Rect& src, Color color) override;
    void DrawData(int x, int y, int cx, int cy, const Qor::String& data, const char* type) override;
    void DrawLine(int x1, int y1, int x2, int y2, int width, Color color) override;
    void DrawPolyPolyline(const Point* vertices, int vertex_count, const int* counts, int count_count, int width,
                          Color color, Color doxor) override;
    void DrawPolyPolyPolygon(const Point* vertices, int vertex_count, const int* subpolygon_counts,
                             int subpolygon_count_count, const int* disjunct_polygon_counts,
                             int disjunct_polygon_count_count, Color fill, int outline_width, Color outline,
                             Qor::uint64 pattern, Color doxor) override;
    void DrawArc(const Rect& rc, Point start, Point end, int width, Color color) override;
    void DrawEllipse(const Rect& r, Color fill, int pen_width, Color pen) override;
    void DrawTextRun(int x, int y, int angle, const Qor::wchar16* text, Qor::Font font, Color ink, int n,
                     const int* dx) override;
    void DrawDrawing(const Rect& target, const Qor::Drawing& drawing) override;
    void DrawPainting(const Rect& target, const Qor::Painting& painting) override;
    Size GetNativeDpi() const override;
    void BeginNative() override;
    void EndNative() override;
    int GetClipDepth() const override;

    using Draw::Clip;
    using Draw::ClipOffset;
    using Draw::DrawData;
    using Draw::DrawLine;
    using Draw::DrawRect;
    using Draw::Offset;

    // Pieces of the log lines, for building expected tables.
    static std::string Text(Color c);     // "Null" or "#rrggbb"
    static std::string Text(const Rect& r); // "(l, t, r, b)"
    static std::string Text(Point p);     // "(x, y)"
    static std::string Text(const Image& img); // "Image(cx x cy)"

private:
    void Log(std::string line) const { log.push_back(std::move(line)); }
};

} // namespace QorTest
