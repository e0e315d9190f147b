// Document zoom of a table: frame, grid, margins and spacing, and every visible cell's
// borders, margins, minimum height and text.

#include "richtext/table/rich_table.h"

#include "richtext/table/table_nesting_internal.h"

namespace Qor {

void RichTable::ApplyZoom(ZoomRatio z, const ParagraphStyleMap& old_styles, const ParagraphStyleMap& new_styles)
{
    InvalidateLayout();
    format.frame = ZoomWidthKeepOne(format.frame, z.m, z.d);
    format.grid = ZoomWidthKeepOne(format.grid, z.m, z.d);
    for(int* v : { &format.before, &format.lm, &format.rm, &format.after })
        *v = z * *v;
    // Cells nested past the layout limit are never shown; they are left as they are.
    if(TableNesting::TooDeep())
        return;
    TableNesting nesting;
    for(int r = 0; r < cell.GetCount(); r++)
        for(int c = 0; c < cell[r].GetCount(); c++) {
            if(!IsVisible(r, c))
                continue;
            CellFormat& f = cell[r][c].format;
            for(int* v : { &f.border_left, &f.border_top, &f.border_right, &f.border_bottom, &f.margin_left,
                           &f.margin_top, &f.margin_right, &f.margin_bottom, &f.min_height })
                *v = z * *v;
            cell[r][c].text.ApplyZoom(z, old_styles, new_styles);
        }
}

} // namespace Qor
