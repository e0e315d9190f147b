// RecordingDraw: one log line per operation, arguments in their order.

#include "tests/draw/support/recording_draw.h"

#include <cstdio>

namespace QorTest {

using namespace Qor;

namespace {

std::string Int(int64 v) { return std::to_string(v); }

std::string Args(std::initializer_list<std::string> args)
{
    std::string s;
    for(const std::string& a : args)
        s += (s.empty() ? "" : ", ") + a;
    return s;
}

std::string Call(const char* name, std::initializer_list<std::string> args)
{
    return std::string(name) + "(" + Args(args) + ")";
}

std::string Ints(const int* p, int n)
{
    std::string s = "[";
    for(int i = 0; p && i < n; i++)
        s += (i ? " " : "") + Int(p[i]);
    return s + "]";
}

} // namespace

std::string RecordingDraw::Text(Color c)
{
    if(c.IsNullInstance())
        return "Null";
    char b[16];
    std::snprintf(b, sizeof b, "#%02x%02x%02x", c.GetR(), c.GetG(), c.GetB());
    return b;
}

std::string RecordingDraw::Text(const Rect& r)
{
    return "(" + Args({Int(r.left), Int(r.top), Int(r.right), Int(r.bottom)}) + ")";
}

std::string RecordingDraw::Text(Point p)
{
    return "(" + Int(p.x) + ", " + Int(p.y) + ")";
}

std::string RecordingDraw::Text(const Image& img)
{
    return "Image(" + Int(img.GetWidth()) + "x" + Int(img.GetHeight()) + ")";
}

dword RecordingDraw::GetInfoFlags() const
{
    return flags;
}

Size RecordingDraw::GetPageSize() const
{
    if(log_queries)
        Log("GetPageSize()");
    return Size(1000, 1000);
}

void RecordingDraw::StartPage() { Log("StartPage()"); }
void RecordingDraw::EndPage() { Log("EndPage()"); }
void RecordingDraw::Begin() { Log("Begin()"); }
void RecordingDraw::End() { Log("End()"); }
void RecordingDraw::Offset(Point p) { Log(Call("Offset", {Text(p)})); }

bool RecordingDraw::Clip(const Rect& r)
{
    Log(Call("Clip", {Text(r)}));
    return visible;
}

bool RecordingDraw::ClipOffset(const Rect& r)
{
    Log(Call("ClipOffset", {Text(r)}));
    return visible;
}

bool RecordingDraw::ExcludeClip(const Rect& r)
{
    Log(Call("ExcludeClip", {Text(r)}));
    return visible;
}

bool RecordingDraw::IntersectClip(const Rect& r)
{
    Log(Call("IntersectClip", {Text(r)}));
    return visible;
}

bool RecordingDraw::IsPainting(const Rect& r) const
{
    if(log_queries)
        Log(Call("IsPainting", {Text(r)}));
    return visible;
}

Rect RecordingDraw::GetPaintRect() const
{
    if(log_queries)
        Log("GetPaintRect()");
    return Draw::GetPaintRect();
}

void RecordingDraw::DrawRect(int x, int y, int cx, int cy, Color color)
{
    Log(Call("DrawRect", {Int(x), Int(y), Int(cx), Int(cy), Text(color)}));
}

void RecordingDraw::DrawWholeImage(int x, int y, const Image& img, Color color)
{
    Log(Call("DrawWholeImage", {Int(x), Int(y), Text(img), Text(color)}));
}

void RecordingDraw::DrawImagePart(int x, int y, const Image& img, const Rect& src, Color color)
{
    Log(Call("DrawImagePart", {Int(x), Int(y), Text(img), Text(src), Text(color)}));
    if(base_images)
        Draw::DrawImagePart(x, y, img, src, color);
}

void RecordingDraw::DrawImageScaled(int x, int y, int cx, int cy, const Image& img, const Rect& src, Color color)
{
    Log(Call("DrawImageScaled", {Int(x), Int(y), Int(cx), Int(cy), Text(img), Text(src), Text(color)}));
    if(base_images)
        Draw::DrawImageScaled(x, y, cx, cy, img, src, color);
}

void RecordingDraw::DrawData(int x, int y, int cx, int cy, const String& data, const char* type)
{
    Log(Call("DrawData", {Int(x), Int(y), Int(cx), Int(cy), Int(data.GetLength()) + " bytes", type}));
}

void RecordingDraw::DrawLine(int x1, int y1, int x2, int y2, int width, Color color)
{
    Log(Call("DrawLine", {Int(x1), Int(y1), Int(x2), Int(y2), Int(width), Text(color)}));
}

void RecordingDraw::DrawPolyPolyline(const Point* vertices, int vertex_count, const int* counts, int count_count,
                                     int width, Color color, Color doxor)
{
    std::string v;
    for(int i = 0; i < vertex_count; i++)
        v += Text(vertices[i]);
    Log(Call("DrawPolyPolyline", {v, Ints(counts, count_count), Int(width), Text(color), Text(doxor)}));
}

void RecordingDraw::DrawPolyPolyPolygon(const Point* vertices, int vertex_count, const int* subpolygon_counts,
                                        int subpolygon_count_count, const int* disjunct_polygon_counts,
                                        int disjunct_polygon_count_count, Color fill, int outline_width,
                                        Color outline, uint64 pattern, Color doxor)
{
    std::string v;
    for(int i = 0; i < vertex_count; i++)
        v += Text(vertices[i]);
    Log(Call("DrawPolyPolyPolygon",
             {v, Ints(subpolygon_counts, subpolygon_count_count),
              Ints(disjunct_polygon_counts, disjunct_polygon_count_count), Text(fill), Int(outline_width),
              Text(outline), Int((int64)pattern), Text(doxor)}));
}

void RecordingDraw::DrawArc(const Rect& rc, Point start, Point end, int width, Color color)
{
    Log(Call("DrawArc", {Text(rc), Text(start), Text(end), Int(width), Text(color)}));
}

void RecordingDraw::DrawEllipse(const Rect& r, Color fill, int pen_width, Color pen)
{
    Log(Call("DrawEllipse", {Text(r), Text(fill), Int(pen_width), Text(pen)}));
}

void RecordingDraw::DrawTextRun(int x, int y, int angle, const wchar16* text, Font font, Color ink, int n,
                                const int* dx)
{
    // ASCII shows as itself, anything else as \uXXXX.
    std::string t;
    for(int i = 0; i < n; i++) {
        if(text[i] >= 32 && text[i] < 127)
            t += (char)text[i];
        else {
            char b[8];
            std::snprintf(b, sizeof b, "\\u%04X", (unsigned)text[i]);
            t += b;
        }
    }
    char f[24];
    std::snprintf(f, sizeof f, "font %016llX", (unsigned long long)font.GetData());
    Log(Call("DrawTextRun", {Int(x), Int(y), Int(angle), "\"" + t + "\"", f, Text(ink), Ints(dx, dx ? n : 0)}));
}

void RecordingDraw::DrawDrawing(const Rect& target, const Drawing& drawing)
{
    Log(Call("DrawDrawing", {Text(target), Int(drawing.data.GetLength()) + " bytes"}));
}

void RecordingDraw::DrawPainting(const Rect& target, const Painting& painting)
{
    Log(Call("DrawPainting", {Text(target), Int(painting.command.GetLength()) + " bytes"}));
}

Size RecordingDraw::GetNativeDpi() const
{
    return Draw::GetNativeDpi();
}

void RecordingDraw::BeginNative() { Log("BeginNative()"); }
void RecordingDraw::EndNative() { Log("EndNative()"); }

int RecordingDraw::GetClipDepth() const
{
    return 0;
}

} // namespace QorTest
