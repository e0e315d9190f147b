// Painting a laid-out paragraph on the pages of a PageDraw: ruler, lines of text runs and
// objects, bullets and numbers, selection, highlight, position marks and code marks.

#include "draw/image_cache/made_image.h"
#include "draw/look/sys_colors.h"
#include "foundation/bitset.h"
#include "richtext/layout/lines_on_pages_internal.h"
#include "richtext/layout/overflow.h"
#include "richtext/model/paragraph.h"
#include "richtext/model/rich_text_img.h"
#include "richtext/paint/page_draw.h"
#include "richtext/paint/paint_info.h"
#include "richtext/paint/text_run_paint.h"

#include <algorithm>
#include <cstdint>

namespace Qor {

namespace {

class ParagraphPainter {
public:
    ParagraphPainter(const UnpackedParagraph& p, PageDraw& pw, const Rect& page, const RichPaintInfo& pi,
                     const NumberingCounters& counters, const BitSet& marked)
        : p(p), f(p.format), pw(pw), page(page), pi(pi), z(pi.zoom), counters(counters), marked(marked)
    {}

    void Paint(PagePosition py, int next_before, int next_first_line);

private:
    const UnpackedParagraph& p;
    const ParagraphFormat& f;
    PageDraw& pw;
    Rect page;
    const RichPaintInfo& pi;
    ZoomRatio z;
    const NumberingCounters& counters;
    const BitSet& marked;
    ParagraphLines lines;
    bool highlighted = false;
    Vector<int> dx;        // device advances of the line being painted
    Vector<wchar16> shown; // its characters as drawn: tabs as spaces
    int last_end_x = 0;    // dots, of the line painted last

    // Fills the dots band y0..y1 across the page rectangle in the selection colour.
    void InvertBand(Draw& w, int y0, int y1);
    void PaintRuler(PagePosition py);
    void PaintLine(Draw& w, int i, int y, int height);
    void PaintObject(Draw& w, int q, int64 x, int y, int height, int baseline);
    void PaintBullet(Draw& w, const ParagraphLine& l, int y);
    void PaintMarks(Draw& w, const ParagraphLine& l, int y, int height);
    void PaintNewPageMark(Draw& w, int y);
};

void ParagraphPainter::InvertBand(Draw& w, int y0, int y1)
{
    int top = z * y0;
    int bottom = z * y1;
    if(bottom > top)
        w.DrawRect(z * page.left, top, z * page.right - z * page.left, bottom - top, RichInvertColor());
}

void ParagraphPainter::PaintRuler(PagePosition py)
{
    int64 top = (int64)py.y - f.before - f.ruler;
    if(f.ruler <= 0 || top < 0 || (int64)py.y - f.before >= page.bottom)
        return;
    Draw& w = pw.PageAt(py.page);
    int t = std::max(z * f.ruler, 1);
    int x = z * page.left + z * f.lm;
    int width = z * page.right - z * page.left - z * f.rm - z * f.lm;
    int y = z * (int)top;
    if(f.ruler_style != ParagraphFormat::RULER_DOTTED && f.ruler_style != ParagraphFormat::RULER_DASHED) {
        w.DrawRect(x, y, width, t, f.ruler_color);
        return;
    }
    int64 s = f.ruler_style == ParagraphFormat::RULER_DOTTED ? t : 2 * (int64)t;
    for(int64 q = 0; q < width; q += 2 * s)
        w.DrawRect(ClampInt(x + q), y, (int)std::min<int64>(s, width - q), t, f.ruler_color);
}

void ParagraphPainter::PaintObject(Draw& w, int q, int64 x, int y, int height, int baseline)
{
    const CharacterMetrics& m = lines.Metrics(q);
    const EmbeddedObject& o = *m.object;
    Size shown(z * o.GetSize().cx, z * o.GetSize().cy);
    int cx = shown.cx;
    int ox = z * ClampInt(x);
    if(pi.clip_objects && (int64)ox + cx > z * page.right)
        cx = z * page.right - ox; // cut, not squeezed: the object keeps its size
    w.DrawRect(ox, z * y, cx, z * (y + height) - z * y, lines.Format(q)->paper);
    if(cx <= 0 || shown.cy <= 0)
        return;
    w.ClipOffset(ox, z * (baseline - m.ascent), cx, shown.cy);
    void* context = (void*)(uintptr_t)pi.object_context;
    if(pi.objects_as_placeholders)
        w.DrawRect(0, 0, shown.cx, shown.cy, SysColorFace());
    else if(pi.objects_through_image_cache)
        w.DrawImage(0, 0, GetMadeImageForPainting(RichObjectImageMaker(o, shown, pi.object_context)));
    else
        o.Paint(w, shown, context);
    w.End();
}

void ParagraphPainter::PaintBullet(Draw& w, const ParagraphLine& l, int y)
{
    Color c = pi.system_colors ? SysColorText() : f.ink;
    int side = l.ascent / 2;
    int x = ClampInt((int64)page.left + f.lm);
    int by = ClampInt((int64)y + (int64)(l.ascent - side) * 4 / 5);
    Rect box(z * x, z * by, z * ClampInt((int64)x + side), z * ClampInt((int64)by + side));
    int inset = std::max(z * (side / 4), 1);
    Rect inner = box.Deflated(inset, inset);
    Color hollow = pi.system_colors ? SysColorPaper() : White();
    switch(f.bullet) {
    case ParagraphFormat::BULLET_DISC:
        w.DrawEllipse(box, c, 0, Color());
        return;
    case ParagraphFormat::BULLET_RING:
        w.DrawEllipse(box, c, 0, Color());
        w.DrawEllipse(inner, hollow, 0, Color());
        return;
    case ParagraphFormat::BULLET_SQUARE:
        w.DrawRect(box, c);
        return;
    case ParagraphFormat::BULLET_HOLLOW_SQUARE:
        w.DrawRect(box, c);
        w.DrawRect(inner, White()); // stays white: a square is not drawn on paper
        return;
    default:
        break;
    }
    String number = f.FormatNumber(counters);
    if(number.IsEmpty())
        return;
    const CharacterFormat& nf = l.count > 0 ? *lines.Format(l.start) : f;
    Font font = nf.font;
    font.Height(z * font.GetHeight());
    if(font.GetHeight() == 0)
        font.Height(1);
    w.DrawText(z * x, z * ClampInt((int64)y + l.ascent) - font.GetAscent(), number, font,
               pi.system_colors ? SysColorText() : nf.ink);
}

void ParagraphPainter::PaintMarks(Draw& w, const ParagraphLine& l, int y, int height)
{
    int zh = z * height;
    if(!pi.mark_hook || zh <= 3)
        return;
    int bottom = z * ClampInt((int64)y + height);
    int64 x = z * ClampInt((int64)page.left + l.xpos);
    for(int k = 0; k < l.count; k++) {
        int q = l.start + k;
        if(marked.Get(lines.pos[q])) {
            w.DrawRect(ClampInt(x), bottom - 2, dx[k], 1, Color::FromBits(0x0000FF));
            if(zh > 16)
                w.DrawRect(ClampInt(x), bottom - 3, dx[k], 1, Color::FromBits(0x000080));
        }
        x += dx[k];
    }
}

void ParagraphPainter::PaintNewPageMark(Draw& w, int y)
{
    int left = z * page.left;
    int width = z * page.right - left;
    int dy = z * y;
    bool printer = w.GetInfoFlags() & Draw::DOTS;
    int len = printer ? 25 : 4;
    int thick = printer ? 6 : 1;
    int step = printer ? 50 : 8;
    for(int64 q = 0; q < width; q += step)
        w.DrawRect(ClampInt(left + q), dy, len, thick, pi.show_codes);
}

void ParagraphPainter::PaintLine(Draw& w, int i, int y, int height)
{
    const ParagraphLine& l = lines[i];
    const int64 x = (int64)page.left + l.xpos;
    // Advances are zoomed as differences of zoomed positions, so rounding never accumulates.
    dx.SetCount(std::max(l.count, 0));
    shown.SetCount(std::max(l.count, 0));
    int64 end_x = x;
    for(int k = 0; k < l.count; k++) {
        int64 next = end_x + lines.width_of[l.start + k];
        dx[k] = z * ClampInt(next) - z * ClampInt(end_x);
        end_x = next;
        wchar16 c = lines.text[l.start + k];
        shown[k] = IsPlacedTab(c) ? u' ' : c;
    }
    last_end_x = ClampInt(end_x);
    int bottom = ClampInt((int64)y + height);
    if(highlighted)
        w.DrawRect(z * page.left, z * y, z * page.right - z * page.left, z * bottom - z * y, pi.highlight_color);
    int baseline = ClampInt((int64)y + l.ascent);

    int64 sel_x0 = page.right;
    int64 sel_x1 = x;
    bool sel_end_found = false;
    int run = 0;
    int64 run_x = x;
    int64 cx = x;
    auto paint_run = [&](int end) {
        if(end > run)
            PaintTextRun(w, pi, lines.text.begin() + l.start, shown.begin(), *lines.Format(l.start + run), dx.begin(),
                         run, end - run, ClampInt(run_x), ClampInt(cx), baseline, y, height, l.ascent, z, highlighted);
    };
    for(int k = 0; k < l.count; k++) {
        int q = l.start + k;
        if(lines.pos[q] == pi.selection_start)
            sel_x0 = std::min(sel_x0, cx);
        if(!sel_end_found && lines.pos[q] == pi.selection_end) {
            sel_x1 = cx;
            sel_end_found = true;
        }
        if(lines.Metrics(q).object) {
            paint_run(k);
            PaintObject(w, q, cx, y, height, baseline);
            run = k + 1;
            run_x = cx + lines.width_of[q];
        }
        else if(k > run && lines.Format(q) != lines.Format(l.start + run)) {
            paint_run(k);
            run = k;
            run_x = cx;
        }
        cx += lines.width_of[q];
    }
    paint_run(l.count);

    if(i == 0)
        PaintBullet(w, l, y);
    PaintMarks(w, l, y, height);

    int64 end_pos = (int64)l.pos + l.len;
    if(end_pos == pi.selection_start)
        sel_x0 = end_x;
    if(pi.selection_start < l.pos)
        sel_x0 = page.left;
    if(end_pos == pi.selection_end)
        sel_x1 = end_x;
    if(pi.selection_end > end_pos)
        sel_x1 = page.right;
    if(pi.selection_start < pi.selection_end && l.pos < pi.selection_end) {
        int a = z * ClampInt(sel_x0);
        int b = z * ClampInt(sel_x1);
        if(b > a)
            w.DrawRect(a, z * y, b - a, z * bottom - z * y, RichInvertColor());
    }
}

void ParagraphPainter::Paint(PagePosition py, int next_before, int next_first_line)
{
    PagePosition start = py;
    p.BeginOnPage(lines, page, py, next_before, next_first_line);
    highlighted = 0 <= pi.highlight_position && pi.highlight_position < lines.len;
    PaintRuler(py);
    if(pi.selection_start < 0 && 0 < pi.selection_end)
        for(int pg = start.page; pg <= py.page; pg++)
            InvertBand(pw.PageAt(pg), pg == start.page ? start.y : page.top, pg == py.page ? py.y : page.bottom);

    PagePosition end = py;
    bool stopped = false;
    int last_page = -1, last_baseline = 0, last_ascent = 0;
    for(LinesOnPages lp(lines, page, py, f.orphan); lp.Next(); end = lp.end()) {
        if(stopped)
            continue; // placed on, for the position where the paragraph ends
        const ParagraphLine& l = lines[lp.i];
        if(lp.new_page && pi.selection_start < l.pos && l.pos < pi.selection_end)
            InvertBand(pw.PageAt(end.page), end.y, page.bottom);
        if(lp.top > pi.bottom) {
            stopped = true;
            continue;
        }
        Draw& w = pw.PageAt(lp.top.page);
        int y = lp.top.y;
        if(lp.i == 0 && !f.label.IsEmpty() && !IsNull(pi.show_codes) && pi.show_labels)
            w.DrawImage(z * page.left - 12, z * ClampInt((int64)y + (l.ascent - 7) / 2), RichTextImg::Label(),
                        pi.show_codes);
        if(lp.top.page > pi.top.page || (lp.top.page == pi.top.page && (int64)y + lp.height >= pi.top.y)) {
            PaintLine(w, lp.i, y, lp.height);
            last_page = lp.top.page;
            last_baseline = ClampInt((int64)y + l.ascent);
            last_ascent = l.ascent;
        }
    }

    if(last_page >= 0 && !IsNull(pi.show_codes)) {
        Image mark = RichTextImg::EndParaChar();
        if(mark.GetHeight() < z * last_ascent)
            pw.PageAt(last_page).DrawImage(z * last_end_x, z * last_baseline - mark.GetHeight(), mark,
                                           f.index_entry.IsEmpty() ? pi.show_codes : pi.index_entry_color);
    }
    if(f.new_page && !IsNull(pi.show_codes))
        PaintNewPageMark(pw.PageAt(py.page), py.y);
    if(pi.selection_start <= lines.len && lines.len < pi.selection_end && end < pi.bottom)
        InvertBand(pw.PageAt(end.page), end.y, (int)std::min<int64>((int64)end.y + f.after, page.bottom));
    if(pw.tracer)
        pw.tracer->EndParagraph(end);
}

} // namespace

void UnpackedParagraph::Paint(PageDraw& pw, const Rect& page, PagePosition py, const RichPaintInfo& pi,
                              const NumberingCounters& counters, const BitSet& marked, int next_before,
                              int next_first_line) const
{
    if(pw.tracer)
        pw.tracer->Paragraph(page, py, *this);
    ParagraphPainter(*this, pw, page, pi, counters, marked).Paint(py, next_before, next_first_line);
}

} // namespace Qor
