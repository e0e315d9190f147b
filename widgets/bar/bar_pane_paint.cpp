// Painting of bar panes: row bands and the separator lines between them.

#include "widgets/bar/bar_pane.h"

#include "draw/look/look.h"
#include "widgets/static/separator_ctrl.h"

namespace Qor {

void BarPane::PaintBar(Draw& w, const SeparatorCtrlStyle& row_separator, const Value& look, const Value& icon_column,
                       int icon_column_width)
{
    Size sz = GetSize();
    int end = horizontal ? sz.cy : sz.cx;
    auto band = [&](int a, int b) {
        if(horizontal) {
            PaintLook(w, Rect(0, a, sz.cx, b), look);
            return;
        }
        if(!icon_column.IsNull()) {
            PaintLook(w, Rect(a, 0, a + icon_column_width, sz.cy), icon_column);
            a += icon_column_width;
        }
        PaintLook(w, Rect(a, 0, b, sz.cy), look);
    };
    auto line = [&](int at, const Value& l) {
        PaintLook(w, horizontal ? Rect(0, at, sz.cx, at + 1) : Rect(at, 0, at + 1, sz.cy), l);
    };
    int from = 0;
    for(int at : breaks) {
        band(from, at);
        line(at, row_separator.first_line);
        line(at + 1, row_separator.second_line);
        from = at + 2;
    }
    band(from, end);
}

} // namespace Qor
