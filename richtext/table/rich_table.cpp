// RichTable: copying, setting cells, text positions and nested table counts.

#include "richtext/table/rich_table.h"

#include "foundation/numeric.h"

#include <utility>

namespace Qor {

void TableCell::ClearText()
{
    text.Clear();
    text.SetParagraph(0, UnpackedParagraph(), ParagraphFormat());
}

int ZoomWidthKeepOne(int v, int m, int d)
{
    if(v == 0)
        return 0;
    if(d == 0)
        return 1;
    int z = ScaleInt(v, m, d);
    return z < 1 ? 1 : z;
}

RichTable::RichTable(const RichTable& t) : format(t.format), cell(t.cell) { Normalize(); }

RichTable::RichTable(RichTable&& t) noexcept
    : format(std::move(t.format)), cell(std::move(t.cell)), span(std::move(t.span))
{
    t.format = TableFormat();
    t.cell.Clear();
    t.span.Clear();
    t.InvalidateLayout();
}

RichTable& RichTable::operator=(const RichTable& t)
{
    if(this != &t) {
        format = t.format;
        cell = t.cell;
        Normalize();
    }
    return *this;
}

RichTable& RichTable::operator=(RichTable&& t) noexcept
{
    if(this != &t) {
        format = std::move(t.format);
        cell = std::move(t.cell);
        span = std::move(t.span);
        t.format = TableFormat();
        t.cell.Clear();
        t.span.Clear();
        t.InvalidateLayout();
        InvalidateLayout();
    }
    return *this;
}

void RichTable::InvalidateLayout()
{
    length = table_count = -1;
    layout.Clear();
}

void RichTable::InvalidateCell(int, int) { InvalidateLayout(); }

void RichTable::SetFormat(const TableFormat& f)
{
    format.Assign(f);
    InvalidateLayout();
}

void RichTable::AddColumn(int width)
{
    format.column.Add(width);
    InvalidateLayout();
}

TableCell& RichTable::At(int row, int column)
{
    while(cell.GetCount() <= row)
        cell.Add();
    OwnedArray<TableCell>& r = cell[row];
    while(r.GetCount() <= column)
        r.Add();
    InvalidateLayout();
    return r[column];
}

void RichTable::SetFormat(int row, int column, const CellFormat& f) { At(row, column).format = f; }

void RichTable::SetText(int row, int column, RichTxt& text)
{
    At(row, column).text = std::move(text);
    text.Clear();
}

void RichTable::SetSpan(int row, int column, int vspan, int hspan)
{
    TableCell& c = At(row, column);
    c.vspan = vspan;
    c.hspan = hspan;
}

Size RichTable::GetSpan(int row, int column) const
{
    const TableCell& c = cell[row][column];
    return Size(c.hspan, c.vspan);
}

RichTxt RichTable::PickText(int row, int column)
{
    RichTxt text = std::move(cell[row][column].text);
    cell[row][column].text.Clear();
    InvalidateLayout();
    return text;
}

bool RichTable::IsVisible(int row, int column) const
{
    // A table not normalised yet has no records for its new cells: they count as visible.
    if(row >= span.GetCount() || column >= span[row].GetCount())
        return true;
    return span[row][column].visible;
}

Point RichTable::GetOwner(int row, int column) const
{
    if(IsVisible(row, column))
        return Point(column, row);
    const SpanRecord& s = span[row][column];
    return Point(s.owner_column, s.owner_row);
}

int RichTable::GetLength() const
{
    if(length < 0) {
        int n = 0;
        bool any = false;
        ForVisibleCells([&](int, int, const TableCell& c) {
            n += c.text.GetLength() + 1;
            any = true;
            return true;
        });
        length = any ? n - 1 : 0;
    }
    return length;
}

Point RichTable::FindCell(int& pos) const
{
    Point found(-1, -1);
    ForVisibleCells([&](int r, int c, const TableCell& cl) {
        int n = cl.text.GetLength() + 1;
        if(pos < n) {
            found = Point(c, r);
            return false;
        }
        pos -= n;
        return true;
    });
    return found;
}

int RichTable::GetTableCount() const
{
    if(table_count < 0) {
        int n = 0;
        ForVisibleCells([&](int, int, const TableCell& c) {
            n += c.text.GetTableCount();
            return true;
        });
        table_count = n;
    }
    return table_count;
}

int RichTable::GetTableCountBefore(int row, int column) const
{
    int n = 0;
    ForVisibleCells([&](int r, int c, const TableCell& cl) {
        if(r > row || (r == row && c >= column))
            return false;
        n += cl.text.GetTableCount();
        return true;
    });
    return n;
}

} // namespace Qor
