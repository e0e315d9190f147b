// Painting of a laid-out table: the frame on every page it covers, the grid, each cell's
// borders, background and text, repeated header rows, selected cells and whole-table
// selection, with the notifications of the paint tracer.

#include "richtext/table/rich_table.h"

#include "richtext/paint/page_draw.h"
#include "richtext/paint/paint_info.h"
#include "richtext/table/table_nesting_internal.h"
#include "richtext/text/page_metrics_internal.h"

#include <algorithm>
#include <climits>

namespace Qor {

namespace {

const Color INVERT_COLOR = Color::FromBits(0x800000FF);

// The union of the device rectangles painted on each page, pages in the order first met.
class PageRectMap {
public:
    void Add(int page, const Rect& r)
    {
        int i = FindIndex(page);
        if(i < 0) {
            i = this->page.GetCount();
            this->page.Add(page);
            rect.Add(Rect(INT_MAX, INT_MAX, INT_MIN, INT_MIN));
        }
        Rect& u = rect[i];
        u.left = std::min(u.left, r.left);
        u.top = std::min(u.top, r.top);
        u.right = std::max(u.right, r.right);
        u.bottom = std::max(u.bottom, r.bottom);
    }
    int GetCount() const { return page.GetCount(); }
    int GetPage(int i) const { return page[i]; }
    const Rect& GetRect(int i) const { return rect[i]; }

private:
    Vector<int> page;
    Vector<Rect> rect;

    int FindIndex(int p) const
    {
        for(int i = 0; i < page.GetCount(); i++)
            if(page[i] == p)
                return i;
        return -1;
    }
};

// Calls f(page, top, bottom) for each page a box covers: from top on its first page to
// bottom on its last, the page's whole height (page_top..page_bottom) between.
template <class F>
void ForPages(int first, int last, int top, int bottom, int page_top, int page_bottom, F f)
{
    for(int p = first; p <= last; p++) {
        f(p, p == first ? top : page_top, p == last ? bottom : page_bottom);
        if(p == INT_MAX)
            break;
    }
}

PagePosition Shifted(PagePosition py, int pages) { return PagePosition(py.page + pages, py.y); }

} // namespace

struct RichTable::PaintState {
    PageDraw& pw;
    const LayoutContext& rc;
    RichPaintInfo pi;
    ZoomRatio z;
    int x0, x1, y0, y1; // the device table box
    int frame_width, grid_width;
    int later_top; // top of the cell area on pages after the first
    PageRectMap pages;

    PaintState(PageDraw& pw, const LayoutContext& rc, const RichPaintInfo& pi) : pw(pw), rc(rc), pi(pi), z(pi.zoom) {}
};

void TableCell::PaintFrame(Draw& w, int x0, int x1, int y0, int y1, int left, int top, int right, int bottom) const
{
    const Color bc = format.border_color;
    w.DrawRect(x0, y0, x1 - x0, top, bc);
    w.DrawRect(x0, y0, left, y1 - y0, bc);
    w.DrawRect(x1 - right, y0, right, y1 - y0, bc);
    w.DrawRect(x0, y1 - bottom, x1 - x0, bottom, bc);
    if(!IsNull(format.color))
        w.DrawRect(x0 + left, y0 + top, x1 - x0 - left - right, y1 - y0 - top - bottom, format.color);
}

int TableCell::GetAlignShift(const LayoutContext& tc, PagePosition end) const
{
    const CellFormat& f = format;
    if(f.align == CellFormat::ALIGN_TOP || tc.py.page != end.page || tc.page.IsEmpty())
        return 0;
    PagePosition text_end = text.GetHeight(tc);
    if(text_end.page != end.page)
        return 0;
    int64 free = int64(end.y) - text_end.y - f.margin_bottom - f.border_bottom;
    if(free <= 0)
        return 0;
    return ClampInt(f.align == CellFormat::ALIGN_CENTER ? free / 2 : f.align == CellFormat::ALIGN_BOTTOM ? free : 0);
}

LayoutContext TableCell::GetAlignedTextContext(const LayoutContext& rc, PagePosition end) const
{
    LayoutContext tc = GetTextContext(rc);
    tc.py.y = ClampInt(int64(tc.py.y) + GetAlignShift(tc, end));
    return tc;
}

void TableCell::Paint(PageDraw& pw, const LayoutContext& rc, PagePosition end, const Rect& box, int top, int bottom,
                      const RichPaintInfo& pi, bool selected) const
{
    if(rc.page.IsEmpty())
        return;
    const ZoomRatio z = pi.zoom;
    const int bl = ZoomWidthKeepOne(format.border_left, z.m, z.d);
    const int bt = ZoomWidthKeepOne(format.border_top, z.m, z.d);
    const int br = ZoomWidthKeepOne(format.border_right, z.m, z.d);
    const int bb = ZoomWidthKeepOne(format.border_bottom, z.m, z.d);
    ForPages(rc.py.page, end.page, top, bottom, box.top, box.bottom, [&](int page, int y0, int y1) {
        PaintFrame(pw.PageAt(page), box.left, box.right, y0, y1, bl, bt, br, bb);
    });
    text.Paint(pw, GetAlignedTextContext(rc, end), pi);
    if(selected)
        ForPages(rc.py.page, end.page, top, bottom, box.top, box.bottom, [&](int page, int y0, int y1) {
            pw.PageAt(page).DrawRect(box.left, y0, box.right - box.left, y1 - y0, INVERT_COLOR);
        });
}

bool RichTable::PaintRow(PaintState& ps, const TableLayout& l, const Vector<TableRowLayout>& rows, int i,
                         int page_offset, bool cell_selection) const
{
    const TableRowLayout& row = rows[i];
    const ZoomRatio z = ps.z;
    const PagePosition row_top = Shifted(row.top, page_offset);
    const PagePosition row_start = Shifted(row.start, page_offset);
    RichPaintInfo& pi = ps.pi;
    PaintTracer* tracer = ps.pw.tracer;
    if(tracer)
        tracer->TableRow(Rect(ps.x0, ps.y0, ps.x1, ps.y1), row_start, i, *this);
    int grid = ps.grid_width;
    Color grid_color = format.grid_color;
    if(grid == 0 && !IsNull(pi.show_codes)) {
        grid = 1;
        grid_color = pi.show_codes;
    }
    const bool main_rows = &rows == &l.row;
    const int page_top = main_rows && l.header_repeated ? ps.later_top : ps.y0;
    const int columns = GetColumns();
    for(int c = 0; c < columns; c++) {
        const TableCellBox& box = row.cell[c];
        if(!box.starts)
            continue;
        const TableCell& tc = cell[i][c];
        const PagePosition end = Shifted(rows[box.last_row].end, page_offset);
        const bool shown = !(end.page < pi.top.page || (end.page == pi.top.page && end.y <= pi.top.y));
        Rect r(ps.x0, z * row_top.y, ps.x1, z * end.y);
        if(c > 0) {
            // The grid fills the gap the layout left between this cell and the one before.
            int gx = z * ClampInt(int64(box.left) - format.grid);
            if(shown)
                ForPages(row_top.page, end.page, r.top, r.bottom, page_top, ps.y1, [&](int page, int y0, int y1) {
                    ps.pw.PageAt(page).DrawRect(gx, y0, grid, y1 - y0, grid_color);
                });
            r.left = gx + grid;
        }
        if(std::min(c + std::max(tc.hspan, 0), columns - 1) < columns - 1)
            r.right = z * box.right;
        if(!row.first_on_page) {
            if(shown)
                ps.pw.PageAt(row_top.page).DrawRect(r.left, r.top, r.Width(), grid, grid_color);
            r.top += grid;
        }
        if(shown) {
            LayoutContext cc = GetCellContext(l, rows, i, c, ps.rc);
            cc.py = Shifted(cc.py, page_offset);
            if(tracer)
                tracer->TableCell(cc.page, cc.py, i, c, *this, end);
            bool selected = cell_selection && pi.table_number == 0 && pi.cell_left <= c && pi.cell_top <= i &&
                            c + tc.hspan <= pi.cell_right && i + tc.vspan <= pi.cell_bottom;
            TableNesting nesting;
            tc.Paint(ps.pw, cc, end, Rect(r.left, page_top, r.right, ps.y1), r.top, r.bottom, pi, selected);
            if(tracer)
                tracer->EndTableCell(end);
        }
        ForPages(row_top.page, end.page, r.top, r.bottom, page_top, ps.y1,
                 [&](int page, int y0, int y1) { ps.pages.Add(page, Rect(r.left, y0, r.right, y1)); });
        int step = tc.text.GetLength() + 1;
        pi.selection_start -= step;
        pi.selection_end -= step;
        pi.highlight_position -= step;
        pi.table_number -= tc.text.GetTableCount();
    }
    const PagePosition row_end = Shifted(row.end, page_offset);
    if(tracer)
        tracer->EndTableRow(row_end);
    return row_start >= pi.bottom;
}

void RichTable::Paint(PageDraw& pw, const LayoutContext& rc, const RichPaintInfo& pi) const
{
    PaintTracer* tracer = pw.tracer;
    if(tracer)
        tracer->Table(rc.page, rc.py, *this);
    const TableLayout& l = Realize(rc);
    if(l.IsEmpty() || l.row.IsEmpty()) {
        if(tracer)
            tracer->EndTable(GetEndPosition(rc));
        return;
    }
    PaintState ps(pw, rc, pi);
    const ZoomRatio z = ps.z;
    ps.frame_width = ZoomWidthKeepOne(format.frame, z.m, z.d);
    ps.grid_width = ZoomWidthKeepOne(format.grid, z.m, z.d);
    const int frame = ps.frame_width;
    ps.x0 = z * ClampInt(int64(rc.page.left) + format.lm) + frame;
    ps.x1 = z * ClampInt(int64(rc.page.right) - format.rm) - frame;
    ps.y0 = z * rc.page.top + frame;
    ps.y1 = z * rc.page.bottom - frame;
    int header_bottom = 0;
    if(l.header_repeated) {
        header_bottom = z * l.header.Top().end.y;
        ps.later_top = header_bottom + ps.grid_width;
    }
    else
        ps.later_top = ps.y0;
    const bool whole = pi.selection_start < 0 && pi.selection_end >= 0;
    if(whole)
        ps.pi.selection_start = ps.pi.selection_end = 0;
    const RichPaintInfo header_info = ps.pi;
    for(int i = 0; i < l.row.GetCount(); i++)
        if(PaintRow(ps, l, l.row, i, 0, true))
            break;
    Color frame_color = format.frame_color;
    int grid = ps.grid_width;
    int frame_width = frame;
    if(!IsNull(pi.show_codes)) {
        if(frame_width == 0) {
            frame_width = 1;
            frame_color = pi.show_codes;
        }
        grid = std::max(grid, 1);
    }
    const int first_page = l.row[0].start.page;
    for(int k = 0; k < ps.pages.GetCount(); k++) {
        const int page = ps.pages.GetPage(k);
        Draw& w = pw.PageAt(page);
        if(page > first_page && l.header_repeated) {
            RichPaintInfo own = ps.pi;
            ps.pi = header_info;
            for(int i = 0; i < l.header.GetCount(); i++)
                PaintRow(ps, l, l.header, i, page, true);
            ps.pi = own;
            w.DrawRect(ps.x0, header_bottom, ps.x1 - ps.x0, grid, format.grid_color);
        }
        Rect r = ps.pages.GetRect(k).Inflated(frame_width, frame_width);
        w.DrawThickFrame(r, frame_color, frame_width);
        if(whole)
            w.DrawRect(r, INVERT_COLOR);
    }
    if(tracer)
        tracer->EndTable(GetEndPosition(rc));
}

} // namespace Qor
