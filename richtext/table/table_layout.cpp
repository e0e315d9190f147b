// Table layout: column edges, rows placed on pages with their keep rules, repeated
// headers, kept tables, the cells' text tops and ends, and the table's start and end.

#include "richtext/table/rich_table.h"

#include "richtext/table/table_nesting_internal.h"
#include "richtext/text/page_metrics_internal.h"

#include <algorithm>

namespace Qor {

namespace {

// Cached layouts per table. Outer rows that try a page, move and try again ask a nested
// table for many positions, at every level of nesting; without the cache that work would
// grow exponentially with the depth. Large tables, which keep more, keep fewer layouts.
constexpr int LAYOUT_CACHE_SIZE = 32;
constexpr int LAYOUT_CACHE_CELLS = 1 << 18;

// A cell whose box has no room takes this much text height.
constexpr int EMPTY_CELL_HEIGHT = 80;

PagePosition NextPageTop(PagePosition py, int top) { return PagePosition(py.page + 1, top); }

// Column edges across r from cumulated widths, so that rounding never accumulates.
void SetColumnEdges(TableLayout& l, const Vector<int>& column, int columns, const Rect& r)
{
    l.edge.SetCount(columns + 1);
    int64 total = 0;
    for(int w : column)
        total += w;
    int64 sum = 0;
    const int64 width = int64(r.right) - r.left;
    l.edge[0] = r.left;
    for(int c = 0; c < columns; c++) {
        sum += column[c];
        l.edge[c + 1] = ClampInt(r.left + (total > 0 ? sum * width / total : (c + 1) * width / columns));
    }
}

} // namespace

int& TableNesting::Depth()
{
    static int depth = 0;
    return depth;
}

LayoutContext TableCell::GetTextContext(const LayoutContext& rc) const
{
    const CellFormat& f = format;
    LayoutContext tc = rc;
    Rect r = InsetPage(rc.page, int64(f.border_left) + f.margin_left, int64(f.border_top) + f.margin_top,
                       int64(f.border_right) + f.margin_right, int64(f.border_bottom) + f.margin_bottom);
    tc.page = r.IsEmpty() ? rc.page : r;
    tc.py.y = ClampInt(int64(rc.py.y) + f.border_top + f.margin_top);
    return tc;
}

PagePosition TableCell::GetTextTop(const LayoutContext& rc) const
{
    if(rc.page.IsEmpty())
        return rc.py;
    return text.GetTop(GetTextContext(rc));
}

PagePosition TableCell::GetEnd(const LayoutContext& rc) const
{
    const CellFormat& f = format;
    const bool unbounded = IsUnboundedPage(rc.page);
    if(rc.page.IsEmpty()) {
        int64 y = int64(rc.py.y) + EMPTY_CELL_HEIGHT + f.border_top + f.margin_top + f.margin_bottom + f.border_bottom;
        if(!unbounded && y >= rc.page.bottom)
            return PagePosition(rc.py.page + 1, ClampInt(int64(rc.page.top) + EMPTY_CELL_HEIGHT));
        return PagePosition(rc.py.page, ClampInt(y));
    }
    PagePosition end = text.GetHeight(GetTextContext(rc));
    end.y = ClampInt(int64(end.y) + f.margin_bottom + f.border_bottom);
    int64 min_end = int64(rc.py.y) + f.border_top + f.margin_top + f.min_height + f.margin_bottom + f.border_bottom;
    if((unbounded || min_end <= rc.page.bottom) && end.page == rc.py.page && end.y < min_end)
        return PagePosition(rc.py.page, ClampInt(min_end));
    return end;
}

namespace {

// The cell's box between the pages' bounds, from its row's start. Text that runs on to a
// later page continues below a repeated header.
LayoutContext CellContext(const TableLayout& l, const Vector<TableRowLayout>& rows, int row, int column,
                          const LayoutContext& rc, bool below_header)
{
    const TableCellBox& box = rows[row].cell[column];
    LayoutContext cc = rc;
    int top = below_header ? l.later_page_top : l.table_rect.top;
    cc.page = Rect(box.left, top, box.right, l.table_rect.bottom);
    if(IsUnboundedPage(l.table_rect) && !IsUnboundedPage(cc.page))
        cc.page.bottom = ClampInt(int64(top) + UNBOUNDED_PAGE_HEIGHT);
    cc.py = rows[row].start;
    return cc;
}

} // namespace

LayoutContext RichTable::GetCellContext(const TableLayout& l, const Vector<TableRowLayout>& rows, int row, int column,
                                        const LayoutContext& rc) const
{
    return CellContext(l, rows, row, column, rc, &rows == &l.row && l.header_repeated && row >= format.header);
}

void RichTable::LayOutRows(Vector<TableRowLayout>& result, TableLayout& l, const LayoutContext& rc, int n,
                           bool header_rows) const
{
    const Rect& tr = rc.page;
    const int columns = GetColumns();
    const int grid = format.grid;
    const bool unbounded = IsUnboundedPage(tr);
    // The latest end of the cells that end in each row.
    Vector<PagePosition> row_end;
    Vector<int> has_end;
    row_end.SetCount(n);
    has_end.SetCount(n);
    for(int& h : has_end)
        h = 0;
    Vector<TableRowLayout> rows;
    rows.SetCount(n);
    TableNesting nesting;
    for(int i = 0; i < n; i++) {
        TableRowLayout& row = rows[i];
        const bool below_header = l.header_repeated && !header_rows && i >= format.header;
        if(i == 0) {
            row.top = row.start = PagePosition(rc.py.page, ClampInt(int64(rc.py.y) + format.frame));
            row.first_on_page = true;
        }
        else {
            row.top = rows[i - 1].end;
            row.start = PagePosition(row.top.page, ClampInt(int64(row.top.y) + grid));
        }
        row.cell.SetCount(columns);
        bool keep = header_rows || i < format.header || format.keep;
        const OwnedArray<TableCell>& cells = cell[i];
        for(int c = 0; c < columns && c < cells.GetCount(); c++) {
            if(!IsVisible(i, c))
                continue;
            const TableCell& tc = cells[c];
            TableCellBox& box = row.cell[c];
            int last_column = std::min(c + std::max(tc.hspan, 0), columns - 1);
            box.starts = true;
            box.left = c > 0 ? ClampInt(int64(l.edge[c]) + grid / 2) : l.edge[c];
            box.right = last_column < columns - 1 ? ClampInt(int64(l.edge[last_column + 1]) - (grid - grid / 2))
                                                  : l.edge[last_column + 1];
            box.last_row = std::min(i + std::max(tc.vspan, 0), n - 1);
            keep = keep || tc.format.keep;
        }
        // A kept row that stays where it is has its cells' ends from the page break test.
        bool ends_known = false;
        if(!unbounded) {
            ends_known = keep;
            for(int c = 0; c < columns; c++) {
                TableCellBox& box = row.cell[c];
                if(!box.starts)
                    continue;
                const TableCell& tc = cells[c];
                LayoutContext cc = CellContext(l, rows, i, c, rc, below_header);
                bool moves = tc.GetTextTop(cc).page > row.start.page;
                if(!moves && keep) {
                    box.end = tc.GetEnd(cc);
                    moves = box.end.page > row.start.page;
                }
                if(moves) {
                    row.top = row.start = NextPageTop(row.start, below_header ? l.later_page_top : tr.top);
                    row.first_on_page = true;
                    ends_known = false;
                    break;
                }
            }
        }
        for(int c = 0; c < columns; c++) {
            TableCellBox& box = row.cell[c];
            if(!box.starts)
                continue;
            if(!ends_known)
                box.end = cells[c].GetEnd(CellContext(l, rows, i, c, rc, below_header));
            if(!has_end[box.last_row] || row_end[box.last_row] < box.end)
                row_end[box.last_row] = box.end;
            has_end[box.last_row] = 1;
        }
        row.end = has_end[i] && row.start < row_end[i] ? row_end[i] : row.start;
    }
    result = std::move(rows);
}

void TableLayout::ShiftPages(int pages)
{
    auto shift = [&](PagePosition& p) { p.page += pages; };
    shift(py);
    shift(start);
    for(TableRowLayout& r : row) {
        shift(r.top);
        shift(r.start);
        shift(r.end);
        for(TableCellBox& b : r.cell)
            shift(b.end);
    }
}

const TableLayout& RichTable::Realize(const LayoutContext& rc) const
{
    const bool too_deep = TableNesting::TooDeep();
    auto matches = [&](const TableLayout& l) {
        return l.page == rc.page && l.py.y == rc.py.y && l.rows == GetRows() && l.columns == GetColumns() &&
               l.too_deep == too_deep;
    };
    // A hit moves to the front; the layouts themselves stay where they are.
    for(int i = 0; i < layout.GetCount(); i++)
        if(matches(layout[i]) && layout[i].py.page == rc.py.page)
            return i ? layout.Insert(0, layout.Detach(i)) : layout[0];
    const int cache_size =
        std::clamp(LAYOUT_CACHE_CELLS / (GetRows() * std::max(GetColumns(), 1) + 1), 2, LAYOUT_CACHE_SIZE);
    // Every page is the same rectangle: a layout made at the same y of another page only
    // lies on other page numbers. Reusing it keeps nested tables from being laid out again
    // for every page their outer rows try.
    for(int i = 0; i < layout.GetCount(); i++)
        if(matches(layout[i])) {
            TableLayout* moved = new TableLayout(layout[i]);
            moved->ShiftPages(rc.py.page - moved->py.page);
            if(layout.GetCount() >= cache_size)
                layout.Drop();
            return layout.Insert(0, moved);
        }
    if(layout.GetCount() >= cache_size)
        layout.Drop();
    TableLayout& l = layout.Insert(0);
    l.page = rc.page;
    l.py = rc.py;
    l.rows = GetRows();
    l.columns = GetColumns();
    l.too_deep = too_deep;

    const bool unbounded = IsUnboundedPage(rc.page);
    PagePosition py(rc.py.page, ClampInt(int64(rc.py.y) + format.before));
    if(!unbounded && rc.page.bottom < py.y)
        py = NextPageTop(py, rc.page.top);
    const int64 frame = format.frame;
    l.table_rect = InsetPage(rc.page, format.lm + frame, frame, format.rm + frame, frame);
    if(l.table_rect.IsEmpty())
        l.table_rect = rc.page;
    l.later_page_top = l.table_rect.top;
    if(!too_deep && l.rows > 0) {
        LayoutContext tc = rc;
        tc.page = l.table_rect;
        SetColumnEdges(l, format.column, l.columns, l.table_rect);
        int header = std::min(format.header, l.rows);
        if(header > 0) {
            // Alone on a page of their own, the first header row at the table rectangle's top.
            tc.py = PagePosition(0, ClampInt(int64(l.table_rect.top) - frame));
            LayOutRows(l.header, l, tc, header, true);
            if(l.header.Top().end.page == 0) {
                if(l.rows > header) {
                    // A row is placed from the rows above it alone, so the first row below the
                    // header needs none of the rows after it.
                    Vector<TableRowLayout> probe;
                    tc.py = py;
                    LayOutRows(probe, l, tc, header + 1, false);
                    if(probe[header].start.page != py.page)
                        py = NextPageTop(py, rc.page.top);
                }
                l.header_repeated = true;
                l.later_page_top = ClampInt(int64(l.header.Top().end.y) + format.grid);
            }
        }
        tc.py = py;
        LayOutRows(l.row, l, tc, l.rows, false);
        if(format.keep && l.row.Top().end.page != l.row[0].start.page) {
            py = NextPageTop(py, rc.page.top);
            tc.py = py;
            LayOutRows(l.row, l, tc, l.rows, false);
        }
    }
    l.start = py;
    return l;
}

PagePosition RichTable::GetEndPosition(const LayoutContext& rc) const
{
    const TableLayout& l = Realize(rc);
    PagePosition end = l.row.IsEmpty() ? l.start : l.row.Top().end;
    int64 y = int64(end.y) + format.frame + format.after;
    if(!IsUnboundedPage(rc.page) && y > rc.page.bottom)
        return NextPageTop(end, rc.page.top);
    return PagePosition(end.page, ClampInt(y));
}

PagePosition RichTable::GetStartPosition(const LayoutContext& rc) const
{
    if(GetRows() == 0)
        return rc.py;
    const TableLayout& l = Realize(rc);
    if(l.row.IsEmpty())
        return l.start;
    return PagePosition(l.row[0].start.page, ClampInt(int64(l.row[0].start.y) - format.frame));
}

} // namespace Qor
