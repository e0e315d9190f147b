// Making a table's grid consistent: spans cut at the edges, rows and columns that no cell
// begins in removed, column widths brought to a sum of 10000.

#include "richtext/table/rich_table.h"

#include "foundation/assert.h"

#include <algorithm>

namespace Qor {

namespace {

constexpr int WIDTH_SUM = 10000;

} // namespace

void RichTable::NormalizeSpans()
{
    int columns = GetColumns();
    int rows = GetRows();
    for(OwnedArray<TableCell>& r : cell)
        r.SetCount(columns);
    InvalidateLayout();
    span.SetCount(rows);
    for(int r = 0; r < rows; r++) {
        span[r].SetCount(columns);
        for(int c = 0; c < columns; c++)
            span[r][c] = SpanRecord{ true, c, r };
    }
    for(int r = 0; r < rows; r++)
        for(int c = 0; c < columns; c++) {
            if(!span[r][c].visible)
                continue;
            TableCell& owner = cell[r][c];
            // Spans come from outside data too: negative ones count as none.
            int last_row = rows - 1;
            if(r < format.header)
                last_row = std::min(last_row, format.header - 1);
            last_row = (int)std::min<int64>(last_row, (int64)r + std::max(owner.vspan, 0));
            int last_column = (int)std::min<int64>(columns - 1, (int64)c + std::max(owner.hspan, 0));
            owner.vspan = last_row - r;
            owner.hspan = last_column - c;
            for(int rr = r; rr <= last_row; rr++)
                for(int cc = c; cc <= last_column; cc++) {
                    if(rr == r && cc == c)
                        continue;
                    TableCell& covered = cell[rr][cc];
                    covered.Reset();
                    // A walk along a row steps over covered cells by their column span + 1.
                    covered.hspan = last_column - cc;
                    span[rr][cc] = SpanRecord{ false, c, r };
                }
        }
}

// True when some visible cell of the row ends in it.
bool RichTable::RowHasOwnEnd(int row) const
{
    for(int c = 0; c < cell[row].GetCount(); c++)
        if(IsVisible(row, c) && cell[row][c].vspan == 0)
            return true;
    return false;
}

bool RichTable::ColumnHasVisibleCell(int column) const
{
    for(int r = 0; r < GetRows(); r++)
        if(IsVisible(r, column))
            return true;
    return false;
}

void RichTable::Normalize()
{
    NormalizeSpans();
    for(int r = 1; r < GetRows();) {
        if(RowHasOwnEnd(r)) {
            r++;
            continue;
        }
        // Every cell that begins here runs on into the next row: it begins there instead.
        if(r + 1 < GetRows())
            for(int c = 0; c < GetColumns(); c++)
                if(IsVisible(r, c)) {
                    TableCell& below = cell[r + 1][c];
                    below.Copy(cell[r][c]);
                    below.vspan--;
                }
        RemoveRow(r);
        NormalizeSpans();
    }
    for(int c = 1; c < GetColumns();) {
        if(ColumnHasVisibleCell(c)) {
            c++;
            continue;
        }
        int width = format.column[c];
        RemoveColumn(c);
        format.column[c - 1] += width;
        NormalizeSpans();
    }
    NormalizeWidths();
}

void RichTable::NormalizeWidths()
{
    Vector<int>& w = format.column;
    int n = w.GetCount();
    int64 sum = 0;
    for(int x : w)
        sum += x;
    if(n == 0 || sum == WIDTH_SUM)
        return;
    InvalidateLayout();
    int others = 0;
    for(int i = 0; i < n - 1; i++) {
        w[i] = sum < 1 ? WIDTH_SUM / n : (int)(w[i] * (int64)WIDTH_SUM / sum);
        others += w[i];
    }
    w[n - 1] = WIDTH_SUM - others;
}

void RichTable::RemoveRow(int row)
{
    QOR_ASSERT(row >= 0 && row < GetRows());
    if(row < format.header)
        format.header--;
    if(row < span.GetCount())
        for(int c = 0; c < span[row].GetCount(); c++) {
            const SpanRecord& s = span[row][c];
            if(!s.visible && s.owner_column == c && s.owner_row < row)
                cell[s.owner_row][c].vspan--;
        }
    cell.Remove(row);
    if(row < span.GetCount())
        span.Remove(row);
    InvalidateLayout();
}

void RichTable::RemoveColumn(int column)
{
    QOR_ASSERT(column >= 0 && column < GetColumns());
    for(int r = 0; r < span.GetCount() && r < cell.GetCount(); r++)
        if(column < span[r].GetCount()) {
            const SpanRecord& s = span[r][column];
            if(!s.visible && s.owner_row == r && s.owner_column < column)
                cell[r][s.owner_column].hspan--;
        }
    for(int r = 0; r < cell.GetCount(); r++) {
        if(column < cell[r].GetCount())
            cell[r].Remove(column);
        if(r < span.GetCount() && column < span[r].GetCount())
            span[r].Remove(column);
    }
    if(column < format.column.GetCount())
        format.column.Remove(column);
    InvalidateLayout();
}

} // namespace Qor
