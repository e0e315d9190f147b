// ColumnList's painting: the items column by column with their separators, the drop marks,
// the line of a column-edge drag, and the pop-up that shows a clipped item in full.

#include "lists/columnlist/column_list.h"

#include "ctrl/dnd/drop_target.h"
#include "draw/display/display.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "widgets/display/drop_marks.h"
#include "widgets/label/label_look.h"

namespace Qor {

void ColumnList::GetItemStyle(int i, Color& ink, Color& paper, dword& style) const
{
    bool focused = HasFocusInTree() && GetDropTarget() != this;
    bool drop_target = i == drop_pos && !drop_insert;
    style = 0;
    if(!IsEditable())
        style |= 8;
    bool selected = items[i].selected;
    if(selected)
        style |= 4;
    if(i == cursor)
        style |= 1;
    if(drop_target) {
        style |= 1 | 2;
        focused = true;
    }
    else if(focused)
        style |= 2;
    ink = SysColorText();
    paper = no_paper ? Color() : SysColorPaper();
    bool highlight = selected;
    if(i == cursor)
        highlight |= !multi_select || (!items[i].can_select && selected_count == 0);
    if(drop_target || (highlight && focused)) {
        ink = SysColorHighlightText();
        paper = SysColorHighlight();
    }
    else if(highlight) {
        ink = SysColorText();
        paper = MixColors(SysColorDisabled(), SysColorPaper(), 128);
    }
}

dword ColumnList::PaintItem(Draw& w, int i, const Rect& r)
{
    Color ink, paper;
    dword style;
    GetItemStyle(i, ink, paper, style);
    const ColumnListItem& m = items[i];
    w.Clip(r);
    (m.display ? m.display : display)->Paint(w, r, m.value, ink, paper, style);
    w.End();
    return style;
}

void ColumnList::Paint(Draw& w)
{
    Size view = GetViewSize();
    int cy = item_height;
    if(GetColumnWidth(0) == 0 || cy == 0)
        return;
    int n = items.GetCount();
    int i = GetFirstVisible();
    for(int x = 0, c = 0; x < view.cx; c++) {
        int cw = GetColumnWidth(c);
        int x2 = x + cw;
        int y = 0;
        for(; y + cy <= view.cy; y += cy) {
            Rect slot(x, y, x2, y + cy);
            if(i < n) {
                if(w.IsPainting(slot)) {
                    PaintItem(w, i, Rect(x, y, x2 - 1, y + cy));
                    w.DrawRect(x2 - 1, y, 1, cy, x2 < view.cx ? SysColorDisabled() : SysColorPaper());
                    if(multi_select && i == cursor && items[i].can_select && selected_count != 1)
                        DrawFocusFrame(w, slot, items[i].selected ? SysColorPaper() : SysColorText());
                }
            }
            else
                w.DrawRect(slot, SysColorPaper());
            if(drop_insert && i == drop_pos)
                DrawHorzDropMark(w, x, y, cw);
            i++;
            // An insertion before the first item of the next column marks this slot's bottom.
            if(drop_insert && i == drop_pos && y + 2 * cy > view.cy)
                DrawHorzDropMark(w, x, y + cy - 2, cw);
        }
        w.DrawRect(x, y, cw, view.cy - y, SysColorPaper());
        x = x2;
        if(cw <= 0)
            break;
    }
    if(HasCapture())
        w.DrawRect(drag_x - drag_offset, 0, 1, view.cy, MixColors(SysColorHighlight(), SysColorFace(), 128));
    tracker.x = 0;
    tracker.y = GetFirstVisible();
}

void ColumnList::SyncInfo()
{
    if((IsUnderMouse() || popup.HasMouse()) && !HasCapture() && item_popup) {
        Point p = GetMousePosInView();
        int i = GetItemAt(p);
        if(i >= 0) {
            Rect r = GetItemRect(i);
            if(p.x > r.left + 3 && p.x < r.right - 2) {
                Color ink, paper;
                dword style;
                GetItemStyle(i, ink, paper, style);
                const ColumnListItem& m = items[i];
                popup.Set(this, r, m.value, m.display ? m.display : display, ink, paper, style, 0);
                return;
            }
        }
    }
    popup.Dismiss();
}

} // namespace Qor
