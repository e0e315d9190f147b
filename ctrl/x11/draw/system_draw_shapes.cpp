// SystemDraw's Xlib drawing: rectangles, lines, polylines, polygons, ellipses and arcs,
// with the foreground and the line style cached so runs of alike drawing send no GC
// requests.
#include "ctrl/x11/draw/system_draw.h"

#include "foundation/assert.h"

#include <algorithm>
#include <cmath>

namespace Qor {

namespace {

// X coordinates are 16-bit; farther points are pinned to the edge of what X can address.
short ToShort(int v) { return (short)std::clamp(v, -32768, 32767); }

struct Dashes {
    int code;
    const char* list;
    int count;
};

const Dashes dash_table[] = {
    { PEN_DASH, "\x12\x06", 2 },
    { PEN_DOT, "\x03\x03", 2 },
    { PEN_DASHDOT, "\x09\x06\x03\x06", 4 },
    { PEN_DASHDOTDOT, "\x09\x03\x03\x03\x03\x03", 6 },
};

// Saves the GC's function and foreground for an operation that draws with another, and
// puts them back after it.
class SavedFunction {
public:
    explicit SavedFunction(GC gc) : gc(gc) { XGetGCValues(display, gc, GCFunction | GCForeground, &saved); }
    ~SavedFunction() { XChangeGC(display, gc, GCFunction | GCForeground, &saved); }

    // GXcopy with the colour's pixel, or GXxor with the pixel xor that of doxor.
    void Set(Color color, Color doxor)
    {
        unsigned long pixel = ColorToPixel(color);
        if(doxor.IsNullInstance())
            XSetFunction(display, gc, GXcopy);
        else {
            XSetFunction(display, gc, GXxor);
            pixel ^= ColorToPixel(doxor);
        }
        XSetForeground(display, gc, pixel);
    }

private:
    GC gc;
    XGCValues saved;
};

// The counts split exactly the vertices given.
[[maybe_unused]] bool CountsCover(const int* counts, int count_count, int vertex_count)
{
    int64 sum = 0;
    for(int i = 0; i < count_count; i++) {
        if(counts[i] < 0)
            return false;
        sum += counts[i];
    }
    return sum == vertex_count;
}

Vector<XPoint> ToXPoints(const Point* p, int n, Point offset, bool close)
{
    Vector<XPoint> out;
    out.Reserve(n + 1);
    for(int i = 0; i < n; i++)
        out.Add(XPoint{ ToShort(p[i].x + offset.x), ToShort(p[i].y + offset.y) });
    if(close && n > 0)
        out.Add(out[0]);
    return out;
}

int ArcAngle(Point centre, Point p)
{
    return (int)std::floor(std::atan2((double)(centre.y - p.y), (double)(p.x - centre.x)) * 3666.9298888372687 + 0.5);
}

} // namespace

void SystemDraw::SetForeground(Color c)
{
    unsigned long pixel = ColorToPixel(c);
    if(pixel == foreground)
        return;
    XSetForeground(display, gc, pixel);
    foreground = pixel;
}

void SystemDraw::SetLineStyle(int code)
{
    if(code == line_code)
        return;
    line_code = code;
    int width = !IsNullInt(code) && code >= 2 ? code : 1;
    int style = LineSolid, cap = CapRound;
    for(const Dashes& d : dash_table)
        if(d.code == code) {
            XSetDashes(display, gc, 0, d.list, d.count);
            style = LineOnOffDash;
            // X caps every dash: round caps would add a pixel to each and take it from
            // the gaps, so dashes end flat and keep their lengths.
            cap = CapButt;
        }
    XSetLineAttributes(display, gc, width, style, cap, JoinRound);
}

void SystemDraw::DrawRect(int x, int y, int cx, int cy, Color color)
{
    if(color.IsNullInstance() || cx <= 0 || cy <= 0 || !gc)
        return;
    // X wraps 16-bit coordinates around: a far rectangle is cut to what X can address.
    int64 l = std::max<int64>((int64)x + offset.x, -32768), t = std::max<int64>((int64)y + offset.y, -32768);
    int64 r = std::min<int64>((int64)x + offset.x + cx, 32767), b = std::min<int64>((int64)y + offset.y + cy, 32767);
    if(l >= r || t >= b)
        return;
    if(color == InvertColor()) {
        XSetFunction(display, gc, GXinvert);
        XFillRectangle(display, drawable, gc, (int)l, (int)t, (unsigned)(r - l), (unsigned)(b - t));
        XSetFunction(display, gc, GXcopy);
        return;
    }
    SetForeground(color);
    XFillRectangle(display, drawable, gc, (int)l, (int)t, (unsigned)(r - l), (unsigned)(b - t));
}

void SystemDraw::DrawLine(int x1, int y1, int x2, int y2, int width, Color color)
{
    if(IsNullInt(width) || color.IsNullInstance() || !gc)
        return;
    SetLineStyle(width);
    SetForeground(color);
    XDrawLine(display, drawable, gc, ToShort(x1 + offset.x), ToShort(y1 + offset.y), ToShort(x2 + offset.x),
              ToShort(y2 + offset.y));
}

void SystemDraw::DrawPolyPolyline(const Point* vertices, int vertex_count, const int* counts, int count_count,
                                  int width, Color color, Color doxor)
{
    if(vertex_count < 2 || color.IsNullInstance() || !gc)
        return;
    QOR_ASSERT(CountsCover(counts, count_count, vertex_count));
    SetLineStyle(width);
    SavedFunction saved(gc);
    saved.Set(color, doxor);
    Vector<XPoint> p = ToXPoints(vertices, vertex_count, offset, false);
    if(vertex_count == 2)
        XDrawLine(display, drawable, gc, p[0].x, p[0].y, p[1].x, p[1].y);
    else if(count_count == 1 || vertex_count > 258 * count_count) {
        // Long polylines go as they are: a segment list would double their points.
        int at = 0;
        for(int i = 0; i < count_count; i++) {
            XDrawLines(display, drawable, gc, p.begin() + at, counts[i], CoordModeOrigin);
            at += counts[i];
        }
    }
    else {
        // Many short polylines: one request for all of them.
        Vector<XSegment> segments;
        segments.Reserve(vertex_count - count_count);
        int at = 0;
        for(int i = 0; i < count_count; i++) {
            for(int j = 1; j < counts[i]; j++)
                segments.Add(XSegment{ p[at + j - 1].x, p[at + j - 1].y, p[at + j].x, p[at + j].y });
            at += counts[i];
        }
        XDrawSegments(display, drawable, gc, segments.begin(), segments.GetCount());
    }
}

void SystemDraw::DrawPolyPolyPolygon(const Point* vertices, int vertex_count, const int* subpolygon_counts,
                                     int subpolygon_count_count, const int*, int, Color fill, int outline_width,
                                     Color outline, uint64, Color doxor)
{
    if(vertex_count == 0 || !gc)
        return;
    QOR_ASSERT(CountsCover(subpolygon_counts, subpolygon_count_count, vertex_count));
    if(!outline.IsNullInstance())
        SetLineStyle(outline_width);
    SavedFunction saved(gc);
    if(!fill.IsNullInstance()) {
        saved.Set(fill, doxor);
        const Point* p = vertices;
        for(int i = 0; i < subpolygon_count_count; i++) {
            Vector<XPoint> xp = ToXPoints(p, subpolygon_counts[i], offset, false);
            XFillPolygon(display, drawable, gc, xp.begin(), xp.GetCount(), Nonconvex, CoordModeOrigin);
            p += subpolygon_counts[i];
        }
    }
    if(!outline.IsNullInstance()) {
        saved.Set(outline, doxor);
        const Point* p = vertices;
        for(int i = 0; i < subpolygon_count_count; i++) {
            Vector<XPoint> xp = ToXPoints(p, subpolygon_counts[i], offset, true);
            XDrawLines(display, drawable, gc, xp.begin(), xp.GetCount(), CoordModeOrigin);
            p += subpolygon_counts[i];
        }
    }
}

void SystemDraw::DrawEllipse(const Rect& r, Color fill, int pen_width, Color pen)
{
    if(!gc)
        return;
    SetLineStyle(pen_width);
    int x = r.left + offset.x, y = r.top + offset.y;
    int cx = r.right - r.left - 1, cy = r.bottom - r.top - 1;
    if(!fill.IsNullInstance()) {
        SetForeground(fill);
        XFillArc(display, drawable, gc, x, y, cx, cy, 0, 23040);
    }
    if(!pen.IsNullInstance() && !IsNullInt(pen_width)) {
        SetForeground(pen);
        XDrawArc(display, drawable, gc, x, y, cx, cy, 0, 23040);
    }
}

void SystemDraw::DrawArc(const Rect& rc, Point start, Point end, int width, Color color)
{
    // Like every other operation, a Null colour draws nothing (rather than black).
    if(color.IsNullInstance() || !gc)
        return;
    SetLineStyle(width);
    SetForeground(color);
    Point centre((rc.left + rc.right) >> 1, (rc.top + rc.bottom) >> 1);
    int a = ArcAngle(centre, start), b = ArcAngle(centre, end);
    int extent = a < b ? b - a : b + 23040 - a;
    XDrawArc(display, drawable, gc, rc.left + offset.x, rc.top + offset.y, rc.right - rc.left, rc.bottom - rc.top, a,
             extent);
}

} // namespace Qor
