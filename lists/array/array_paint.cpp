// Painting the rows cell by cell through their displays, with the grid, the cursor and
// selection colours, and the info pop-up over a clipped cell.

#include "lists/array/array_column.h"

#include "draw/display/display.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "widgets/display/drop_marks.h"
#include "widgets/label/label_look.h"

namespace Qor {

ArrayCtrl& ArrayCtrl::SetEvenRowColor(Color paper, Color ink)
{
    even_paper = paper;
    even_ink = ink;
    Refresh();
    return *this;
}

ArrayCtrl& ArrayCtrl::SetOddRowColor(Color paper, Color ink)
{
    odd_paper = paper;
    odd_ink = ink;
    Refresh();
    return *this;
}

ArrayCtrl& ArrayCtrl::SetGridColor(Color c)
{
    grid_color = c;
    Refresh();
    return *this;
}

int ArrayCtrl::GetCellMargin(int column)
{
    int m = columns[column].margin;
    if(m >= 0)
        return m;
    int tab = header.FindIndex(column);
    return (tab >= 0 ? header.Tab(tab).GetMargin() : 0) + 2;
}

Rect ArrayCtrl::GetCellRect(int row, int column)
{
    int top = GetLineY(row) - GetScrollPos();
    Rect r(0, top, 0, top + GetRowHeight(row));
    int tab = header.FindIndex(column);
    if(tab < 0)
        return r;
    r.left = header.GetTabRect(tab).left - header.GetScroll();
    r.right = r.left + header.GetTabWidth(tab) - (HasOption(VERT_GRID) ? 1 : 0) + (tab == header.GetCount() - 1);
    return r;
}

Rect ArrayCtrl::GetCellContentRect(int row, int column)
{
    Rect r = GetCellRect(row, column);
    int m = GetCellMargin(column);
    r.left += m;
    r.right -= m;
    return r;
}

const Display* ArrayCtrl::GetCellPaintInfo(int row, int column, bool focus, Value& value, Color& ink, Color& paper,
                                           dword& style)
{
    bool drop = row == drop_row && (drop_column == -2 || drop_column == column);
    style = IsEditable() ? 0 : 8;
    if(IsSelected(row))
        style |= 4;
    if(row == cursor && !HasOption(NO_CURSOR))
        style |= 1;
    bool focused = false;
    if(drop) {
        style |= 1 | 2;
        focused = true;
    }
    else if(focus) {
        style |= 2;
        focused = true;
    }
    bool odd = row & 1;
    ink = odd ? odd_ink : even_ink;
    paper = HasOption(NO_BACKGROUND) ? Color() : odd ? odd_paper : even_paper;
    if((style & 4) || (!HasOption(MULTI_SELECT) && (style & 1)) || drop) {
        ink = focused ? SysColorHighlightText() : SysColorText();
        paper = focused ? SysColorHighlight() : MixColors(SysColorDisabled(), SysColorPaper(), 128);
    }
    CellCtrl* cell = GetCellCtrl(row, column);
    value = cell && cell->IsValueHidden() ? Value(INT_NULL) : GetConvertedValue(row, column);
    return GetCellDisplay(row, column);
}

void ArrayCtrl::Paint(Draw& w)
{
    Size sz = GetViewSize();
    // Selected rows lose their focus colours while a drag passes over.
    bool focus = HasFocusInTree() && !(drag_flags & DRAG_HOVER);
    int vg = HasOption(VERT_GRID) ? 1 : 0;
    int last_tab = header.GetCount() - 1;
    // The first tab that reaches into the view.
    int first_tab = 0;
    int first_x = -header.GetScroll();
    while(first_tab <= last_tab) {
        int tw = header.GetTabWidth(first_tab);
        if(first_x + tw - vg + (first_tab == last_tab) >= 0)
            break;
        first_x += tw;
        first_tab++;
    }
    int scroll = GetScrollPos();
    int count = GetCount();
    int row = GetLineAt(scroll);
    int bottom = 0;
    for(int i = IsNullInt(row) ? count : row; i < count; i++) {
        int top = GetLineY(i) - scroll;
        if(top > sz.cy)
            break;
        bottom = top + GetRowHeight(i);
        int x = first_x;
        for(int j = first_tab; j <= last_tab && x <= sz.cx; j++) {
            int tw = header.GetTabWidth(j);
            int c = header.Tab(j).GetIndex();
            Rect cell(x, top, x + tw - vg + (j == last_tab), bottom);
            x += tw;
            if(c >= 0 && c < columns.GetCount() && w.IsPainting(cell)) {
                int m = GetCellMargin(c);
                Value value;
                Color ink, paper;
                dword style;
                const Display* d = GetCellPaintInfo(i, c, focus, value, ink, paper, style);
                // A live editor covers the cell: only its background shows around it.
                if(tw < 2 * m || (HasOption(EDITING) && i == cursor && columns[c].editor.Get()))
                    d->PaintBackground(w, cell, value, ink, paper, style);
                else {
                    d->PaintBackground(w, Rect(cell.left, top, cell.left + m, bottom), value, ink, paper, style);
                    d->PaintBackground(w, Rect(cell.right - m, top, cell.right, bottom), value, ink, paper, style);
                    cell.left += m;
                    cell.right -= m;
                    w.Clip(cell);
                    d->Paint(w, cell, value, ink, paper, style);
                    w.End();
                }
            }
            if(vg)
                w.DrawRect(x - 1, top, 1, bottom - top, grid_color);
        }
        if(HasOption(HORZ_GRID))
            w.DrawRect(0, bottom, sz.cx, 1, grid_color);
        if(i == cursor && !HasOption(NO_CURSOR) && HasOption(MULTI_SELECT)) {
            UpdateSelectionCount();
            if(!(select_count == 1 && IsSelected(i)) && focus)
                DrawFocusFrame(w, Rect(0, top, x, bottom), SysColorText());
        }
        bottom += Grid();
        if(!HasOption(NO_BACKGROUND) && x < sz.cx)
            w.DrawRect(x, top, sz.cx - x, bottom - top, SysColorPaper());
        if(i == drop_row && drop_column == -1)
            DrawHorzDropMark(w, 0, i == 0 ? top : top - 1, sz.cx);
    }
    int y = bottom;
    if(HasOption(APPEND_LINE) && cursor < 0) {
        w.DrawRect(0, y, sz.cx, default_row_height, HasFocus() ? SysColorHighlight() : SysColorFace());
        y += default_row_height;
    }
    if(!HasOption(NO_BACKGROUND) && y < sz.cy)
        w.DrawRect(0, y, sz.cx, sz.cy - y, SysColorPaper());
    if(drop_row == count && drop_column == -1)
        DrawHorzDropMark(w, 0, bottom - 1, sz.cx);
    tracker.x = header.GetScroll();
    tracker.y = scroll;
}

void ArrayCtrl::SyncInfoPopup()
{
    if(!HasOption(INFO_POPUP) || IsEditing() || !IsInOpenWindow() || !(IsUnderMouse() || info.HasMouse())) {
        info.Dismiss();
        return;
    }
    Point p = GetMousePosInView();
    int row = GetLineAt(p.y + GetScrollPos());
    if(!IsNullInt(row))
        for(int c = 0; c < columns.GetCount(); c++) {
            Rect cell = GetCellRect(row, c);
            if(cell.Contains(p)) {
                if(GetCellCtrl(row, c))
                    break;
                Value value;
                Color ink, paper;
                dword style;
                const Display* d = GetCellPaintInfo(row, c, HasFocusInTree(), value, ink, paper, style);
                info.Set(this, cell, value, d, ink, paper, style, GetCellMargin(c));
                return;
            }
        }
    info.Dismiss();
}

} // namespace Qor
