// Caret and position queries in a table: the cell that holds a text position or a point,
// asked with the context and vertical alignment that painting gives it.

#include "richtext/table/rich_table.h"

#include "richtext/table/table_nesting_internal.h"
#include "richtext/text/page_metrics_internal.h"

#include <algorithm>

namespace Qor {

CaretInfo TableCell::GetCaret(int pos, const LayoutContext& rc, PagePosition end) const
{
    if(rc.page.IsEmpty())
        return CaretInfo();
    return text.GetCaret(pos, GetAlignedTextContext(rc, end));
}

int TableCell::PositionAt(int x, PagePosition point, const LayoutContext& rc, PagePosition end) const
{
    if(rc.page.IsEmpty())
        return 0;
    return std::max(text.PositionAt(x, point, GetAlignedTextContext(rc, end)), 0);
}

CaretInfo RichTable::GetCaret(int pos, const LayoutContext& rc) const
{
    const TableLayout& l = Realize(rc);
    if(l.too_deep)
        return CaretInfo();
    TableNesting nesting;
    for(int i = 0; i < l.row.GetCount(); i++)
        for(int c = 0; c < GetColumns(); c++) {
            const TableCellBox& box = l.row[i].cell[c];
            if(!box.starts)
                continue;
            const TableCell& tc = cell[i][c];
            int n = tc.text.GetLength() + 1;
            if(pos < n)
                return tc.GetCaret(pos, GetCellContext(l, l.row, i, c, rc), l.row[box.last_row].end);
            pos -= n;
        }
    return CaretInfo();
}

int RichTable::PositionAt(int x, PagePosition point, const LayoutContext& rc) const
{
    const TableLayout& l = Realize(rc);
    if(l.too_deep)
        return 0;
    TableNesting nesting;
    const int columns = GetColumns();
    int pos = 0;
    for(int i = 0; i < l.row.GetCount(); i++)
        for(int c = 0; c < columns; c++) {
            const TableCellBox& box = l.row[i].cell[c];
            if(!box.starts)
                continue;
            const TableCell& tc = cell[i][c];
            PagePosition end = l.row[box.last_row].end;
            bool last_column = std::min(c + std::max(tc.hspan, 0), columns - 1) == columns - 1;
            if(end > point && (c == 0 || x >= int64(box.left) - format.grid) && (last_column || x < box.right))
                return pos + tc.PositionAt(x, point, GetCellContext(l, l.row, i, c, rc), end);
            pos += tc.text.GetLength() + 1;
        }
    return GetLength();
}

} // namespace Qor
