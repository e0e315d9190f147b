// The formats of a table and of its cells, and the cell with its spans and text.
#pragma once

#include "foundation/values/color.h"
#include "foundation/vector.h"
#include "richtext/text/rich_txt.h"

namespace Qor {

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
};

} // namespace Qor
