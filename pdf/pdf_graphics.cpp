// PdfDraw: the graphics operators - state nesting, clips, offsets, rectangles, lines,
// polylines, polygons, ellipses - and the colour and line-width state they share.
#include "pdf/pdf_draw.h"

#include "foundation/values/format.h"
#include "pdf/pdf_out_internal.h"

#include <cmath>

namespace Qor {

// The three channels as fractions of 255 with at most three decimals; Null is black.
String FormatPdfColor(Color c)
{
    dword packed = c.GetPacked();
    return PdfChannelText(packed) + " " + PdfChannelText(packed >> 8) + " " + PdfChannelText(packed >> 16);
}

void PdfDraw::SetFillPattern(Color c, uint64 pattern)
{
    if(IsNull(fillColor) || c != fillColor || pattern != currentPattern) {
        if(pattern) {
            int i = patterns.FindAdd(pattern);
            if(currentPattern == 0)
                page.Append("/Cspat cs\n");
            PdfAppend(page, FormatPdfColor(c), " /Pat", i + 1, " scn\n");
        }
        else
            PdfAppend(page, FormatPdfColor(c), " rg\n");
    }
    fillColor = c;
    currentPattern = pattern;
}

void PdfDraw::SetStrokeColor(Color c)
{
    if(IsNull(strokeColor) || c != strokeColor) {
        strokeColor = c;
        PdfAppend(page, FormatPdfColor(c), " RG\n");
    }
}

void PdfDraw::SetLineWidth(int width)
{
    double w = width <= 1 ? 1.0 : width;
    if(w == lineWidth)
        return;
    lineWidth = w;
    PdfAppend(page, w * 0.12, " w\n");
}

void PdfDraw::PutRect(const Rect& r) { PutBox(r.left, r.top, double(r.right) - r.left, double(r.bottom) - r.top); }

// In doubles: coordinates played from a stored drawing may lie anywhere in the int range.
void PdfDraw::PutBox(double x, double y, double cx, double cy)
{
    PdfAppend(page, x * 0.12, " ", PageY(y + cy), " ", cx * 0.12, " ", cy * 0.12, " re\n");
}

void PdfDraw::Begin() { page.Append("q\n"); }

void PdfDraw::End()
{
    ResetState();
    page.Append("Q\n");
}

void PdfDraw::Offset(Point p)
{
    page.Append("q ");
    if(p.x || p.y)
        PdfAppend(page, "1 0 0 1 ", p.x * 0.12, " ", (0.0 - p.y) * 0.12, " cm\n");
}

bool PdfDraw::Clip(const Rect& r)
{
    page.Append("q ");
    return IntersectClip(r);
}

bool PdfDraw::ClipOffset(const Rect& r)
{
    Clip(r);
    if(r.left || r.top)
        PdfAppend(page, "1 0 0 1 ", r.left * 0.12, " ", (0.0 - r.top) * 0.12, " cm\n");
    return true;
}

bool PdfDraw::IntersectClip(const Rect& r)
{
    PutRect(r);
    page.Append("W* n\n");
    return true;
}

// A PDF clip can only shrink to a path; leaving the area in keeps the drawing whole.
bool PdfDraw::ExcludeClip(const Rect&) { return true; }

bool PdfDraw::IsPainting(const Rect&) const { return true; }

void PdfDraw::DrawArc(const Rect&, Point, Point, int, Color) {}

void PdfDraw::DrawRect(int x, int y, int cx, int cy, Color color)
{
    if(IsNull(color) || cx <= 0 || cy <= 0)
        return;
    SetFillColor(color);
    SetStrokeColor(color);
    PutBox(x, y, cx, cy);
    page.Append("f\n");
}

void PdfDraw::DrawLine(int x1, int y1, int x2, int y2, int width, Color color)
{
    if(IsNullInt(width))
        return;
    SetStrokeColor(color);
    SetLineWidth(width);
    PdfAppend(page, " 1 J ", x1 * 0.12, " ", PageY(y1), " m ", x2 * 0.12, " ", PageY(y2), " l S\n");
}

void PdfDraw::PutSubpath(const Point* p, int n)
{
    PdfAppend(page, p->x * 0.12, " ", PageY(p->y), " m\n");
    for(int k = 1; k < n; k++)
        PdfAppend(page, p[k].x * 0.12, " ", PageY(p[k].y), " l\n");
}

void PdfDraw::DrawPolyPolyline(const Point* vertices, int vertex_count, const int* counts, int count_count, int width,
                               Color color, Color)
{
    if(IsNull(color) || IsNullInt(width))
        return;
    SetStrokeColor(color);
    SetLineWidth(width);
    // The counts may promise more points than were given: a polyline ends with the points.
    int next = 0;
    for(int i = 0; i < count_count && next < vertex_count; i++) {
        int n = std::min(std::max(counts[i], 1), vertex_count - next);
        PutSubpath(vertices + next, n);
        page.Append("S\n");
        next += n;
    }
}

const char* PdfDraw::SetShapePaint(Color fill, uint64 pattern, Color outline, int outline_width, bool even_odd)
{
    bool filled = !IsNull(fill) && pattern != ~(uint64)0;
    bool outlined = !IsNull(outline) && !IsNullInt(outline_width);
    if(!filled && !outlined)
        return nullptr;
    if(filled)
        SetFillPattern(fill, pattern);
    if(outlined) {
        SetStrokeColor(outline);
        SetLineWidth(outline_width);
    }
    if(filled && outlined)
        return even_odd ? "B*\n" : "B\n";
    return outlined ? "S\n" : even_odd ? "f*\n" : "f\n";
}

void PdfDraw::DrawPolyPolyPolygon(const Point* vertices, int vertex_count, const int* subpolygon_counts,
                                  int subpolygon_count_count, const int* disjunct_polygon_counts,
                                  int disjunct_polygon_count_count, Color fill, int outline_width, Color outline,
                                  uint64 pattern, Color)
{
    const char* paint = SetShapePaint(fill, pattern, outline, outline_width, true);
    if(!paint)
        return;
    // Every subpolygon takes at least one point, so the walk always advances, and none
    // reads past the points or the counts given.
    int next = 0;
    int sub = 0;
    for(int i = 0; i < disjunct_polygon_count_count; i++) {
        int remaining = disjunct_polygon_counts[i];
        bool any = false;
        while(remaining > 0 && sub < subpolygon_count_count && next < vertex_count) {
            int n = std::min(std::max(subpolygon_counts[sub++], 1), vertex_count - next);
            remaining -= n;
            PutSubpath(vertices + next, n);
            page.Append("h\n");
            next += n;
            any = true;
        }
        if(any)
            page.Append(paint);
    }
}

namespace {

// Fewer segments for small ellipses, where more could not be told apart.
int EllipseSegments(int64 w, int64 h)
{
    for(int n = 1; n <= 19; n++)
        if((w | h) <= ((int64)1 << n)) {
            int s = ((n - 6) * n) >> 3 | 1;
            return s <= 1 ? 4 : s + 3;
        }
    return 38;
}

String EllipseNumber(double x) { return PdfFixed2Text(x); }

} // namespace

void PdfDraw::DrawEllipse(const Rect& r, Color fill, int pen_width, Color pen)
{
    const char* paint = SetShapePaint(fill, 0, pen, pen_width, false);
    if(!paint)
        return;
    int64 w = (int64)r.right - r.left;
    int64 h = (int64)r.bottom - r.top;
    int segments = EllipseSegments(w, h);
    double step = 2 * M_PI / segments;
    double k = step / 3;
    double cx = ((double)r.left + r.right) / 2.0 * 0.12;
    double cy = PageY(((double)r.top + r.bottom) / 2.0);
    double rx = w / 2.0 * 0.12;
    double ry = h / 2.0 * 0.12;
    auto put = [&](double x, double y, const char* tail) {
        PdfAppend(page, EllipseNumber(x), " ", EllipseNumber(y), tail);
    };
    put(cx + rx, cy, " m\n");
    for(int i = 0; i < segments; i++) {
        double a = i * step;
        double b = (i + 1) * step;
        put(cx + rx * cos(a) - k * rx * sin(a), cy + ry * sin(a) + k * ry * cos(a), " ");
        put(cx + rx * cos(b) + k * rx * sin(b), cy + ry * sin(b) - k * ry * cos(b), " ");
        put(cx + rx * cos(b), cy + ry * sin(b), " c\n");
    }
    page.Append(paint);
}

} // namespace Qor
