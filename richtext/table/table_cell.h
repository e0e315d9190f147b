// The formats of a table and of its cells, and the cell with its spans and text.
#pragma once

#include "foundation/values/color.h"
#include "foundation/vector.h"
#include "richtext/layout/page_position.h"
#include "richtext/text/rich_txt.h"

namespace Qor {

class Draw;
class PageDraw;
struct RichPaintInfo;

// Lengths in dots.
struct TableFormat {
    int before = 0;
    int lm = 0;
    int rm = 0;
    int after = 0;
    int frame = 10;
    Color frame_color = Color::FromBits(0);
    int grid = 4;
    Color grid_color = Color::FromBits(0);
    // Relative widths, one per column; a normalised table's add up to 10000.
    Vector<int> column;
    // The first rows, repeated at the top of every later page.
    int header = 0;
    bool keep = false;

    void Assign(const TableFormat& f)
    {
        if(this != &f)
            *this = f;
    }
};

struct CellFormat {
    enum : int { ALIGN_TOP = 1, ALIGN_BOTTOM = 2, ALIGN_CENTER = 3 };

    int border_left = 0, border_top = 0, border_right = 0, border_bottom = 0;
    // Between the border and the cell text.
    int margin_left = 25, margin_top = 15, margin_right = 25, margin_bottom = 15;
    int align = ALIGN_CENTER;
    int min_height = 0;
    Color color = Color(255, 255, 255);
    Color border_color = Color::FromBits(0);
    bool keep = false;
};

struct TableCell {
    CellFormat format;
    // Extra rows and columns the cell covers: 0 is one row, one column.
    int vspan = 0;
    int hspan = 0;
    RichTxt text;

    // The default format, no spans, a text of one empty paragraph.
    TableCell() { ClearText(); }

    void Copy(const TableCell& c)
    {
        if(this != &c)
            *this = c;
    }
    void Reset() { *this = TableCell(); }
    // The text becomes one empty paragraph.
    void ClearText();

    // In the cell's context (its box between the pages' bounds, from its row's start):
    // where the first line of the text starts, and where the cell's box ends.
    PagePosition GetTextTop(const LayoutContext& rc) const;
    PagePosition GetEnd(const LayoutContext& rc) const;
    // The box less borders and margins, between the pages' bounds; the box itself when that
    // has no room. The text starts at rc.py.y plus the top border and margin.
    LayoutContext GetTextContext(const LayoutContext& rc) const;
    // The text context moved down by the vertical alignment of a cell that ends at end: where
    // painting and the queries place the text.
    LayoutContext GetAlignedTextContext(const LayoutContext& rc, PagePosition end) const;
    // How far vertical alignment moves the text down, given the cell's text context tc.
    int GetAlignShift(const LayoutContext& tc, PagePosition end) const;

    // Painting (table_paint.cpp): the device box spans the cell's width and the cell area of
    // a whole page; top and bottom are the cell's device top on its first page and bottom on
    // its last.
    void Paint(PageDraw& pw, const LayoutContext& rc, PagePosition end, const Rect& box, int top, int bottom,
               const RichPaintInfo& pi, bool selected) const;
    void PaintFrame(Draw& w, int x0, int x1, int y0, int y1, int left, int top, int right, int bottom) const;

    // Queries (table_queries.cpp), placed as painting places the text.
    CaretInfo GetCaret(int pos, const LayoutContext& rc, PagePosition end) const;
    int PositionAt(int x, PagePosition point, const LayoutContext& rc, PagePosition end) const;
};

} // namespace Qor
