// RichTable: a grid of cells with row and column spans, each cell holding rich text, and
// the operations that keep the grid consistent.
#pragma once

#include "foundation/owned_array.h"
#include "foundation/values/point.h"
#include "foundation/values/size.h"
#include "richtext/table/table_cell.h"
#include "richtext/table/table_layout.h"

namespace Qor {

class RichTable {
public:
    // Empty: the default format, no rows.
    RichTable() = default;
    // Every cell copied deeply, then normalised.
    RichTable(const RichTable& t);
    // The source is left an empty table.
    RichTable(RichTable&& t) noexcept;
    RichTable& operator=(const RichTable& t);
    RichTable& operator=(RichTable&& t) noexcept;

    const TableFormat& GetFormat() const { return format; }
    void SetFormat(const TableFormat& f);
    void AddColumn(int width);

    int GetRows() const { return cell.GetCount(); }
    int GetColumns() const { return format.column.GetCount(); }

    // The setters grow the table to hold the cell; they do not normalise.
    void SetFormat(int row, int column, const CellFormat& f);
    // Moves the text into the cell; the given text is left empty.
    void SetText(int row, int column, RichTxt& text);
    void SetSpan(int row, int column, int vspan, int hspan);

    // Readers of a cell that exists.
    const TableCell& GetCell(int row, int column) const { return cell[row][column]; }
    // (column span, row span) as stored.
    Size GetSpan(int row, int column) const;
    // Moves the cell text out; the cell keeps an empty text.
    RichTxt PickText(int row, int column);
    // False for a cell under another cell's span.
    bool IsVisible(int row, int column) const;
    // The cell whose span covers a hidden cell (column, row); the cell itself when visible.
    Point GetOwner(int row, int column) const;

    // Makes every row as long as the column list, cuts spans at the table's (and the
    // header's) edges, removes rows and columns that no cell begins in and brings the
    // column widths to a sum of 10000.
    void Normalize();
    // Remove one row or column, shrinking the spans that crossed it.
    void RemoveRow(int row);
    void RemoveColumn(int column);

    // Text positions through the visible cells in row order, one position after each cell
    // but the last; 0 without visible cells.
    int GetLength() const;
    // The visible cell holding position pos (column, row), pos becoming relative to it;
    // (-1, -1) past the end.
    Point FindCell(int& pos) const;
    // Tables nested in the visible cells.
    int GetTableCount() const;
    // Tables nested in the visible cells before the given one in row order.
    int GetTableCountBefore(int row, int column) const;

    // Calls f(row, column, cell) for the visible cells in row order while it answers true.
    template <class F>
    void ForVisibleCells(F f) const;
    // Runs op over the paragraphs of a cell's text; the caller invalidates the cell.
    bool ApplyToCell(int row, int column, RichTxt::ParaOp& op) { return cell[row][column].text.Apply(op); }

    // Drops the cached length, table count and layout; called on every change.
    void InvalidateLayout();
    void InvalidateCell(int row, int column);

    // Layout (table_layout.cpp), in dots, cached for the last few contexts.
    const TableLayout& Realize(const LayoutContext& rc) const;
    // Where the text after the table starts.
    PagePosition GetEndPosition(const LayoutContext& rc) const;
    // The top of the table's frame; rc.py for a table without rows.
    PagePosition GetStartPosition(const LayoutContext& rc) const;
    // The context in which the cell starting at (row, column) of rows (the layout's rows or
    // its header) is laid out: its box between the pages' bounds, from its row's start.
    LayoutContext GetCellContext(const TableLayout& l, const Vector<TableRowLayout>& rows, int row, int column,
                                 const LayoutContext& rc) const;

    // Painting (table_paint.cpp).
    void Paint(PageDraw& pw, const LayoutContext& rc, const RichPaintInfo& pi) const;

    // Queries (table_queries.cpp), positions relative to the table; zero geometry and the
    // table's length past the last cell.
    CaretInfo GetCaret(int pos, const LayoutContext& rc) const;
    int PositionAt(int x, PagePosition point, const LayoutContext& rc) const;

    // Zoom (table_zoom.cpp): frame, grid, margins and spacing, and every visible cell.
    void ApplyZoom(ZoomRatio z, const ParagraphStyleMap& old_styles, const ParagraphStyleMap& new_styles);

private:
    struct SpanRecord {
        bool visible = true;
        int owner_column = 0;
        int owner_row = 0;
    };

    TableFormat format;
    OwnedArray<OwnedArray<TableCell>> cell;
    Vector<Vector<SpanRecord>> span;
    mutable int length = -1;
    mutable int table_count = -1;
    mutable OwnedArray<TableLayout> layout; // newest first

    struct PaintState;
    void LayOutRows(Vector<TableRowLayout>& rows, TableLayout& l, const LayoutContext& rc, int n,
                    bool header_rows) const;
    bool PaintRow(PaintState& ps, const TableLayout& l, const Vector<TableRowLayout>& rows, int i, int page_offset,
                  bool cell_selection) const;

    TableCell& At(int row, int column); // grows the table
    void NormalizeSpans();
    bool RowHasOwnEnd(int row) const;
    bool ColumnHasVisibleCell(int column) const;
    void NormalizeWidths();
};

template <class F>
void RichTable::ForVisibleCells(F f) const
{
    for(int r = 0; r < cell.GetCount(); r++)
        for(int c = 0; c < cell[r].GetCount(); c++)
            if(IsVisible(r, c) && !f(r, c, cell[r][c]))
                return;
}

// ScaleInt(v, m, d), kept at 1 or more unless v is 0: zoomed lines never vanish.
int ZoomWidthKeepOne(int v, int m, int d);

} // namespace Qor
