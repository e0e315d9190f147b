// ArrayCtrl and the mouse: clicks that move the cursor and select, the double click, the
// right button with the row menu, pointer tracking and the pointer's shape.

#include "lists/array/array_ctrl.h"

#include "ctrl/focus/focus_routing.h"
#include "ctrl/input/input_host.h"
#include "ctrl/input/mouse_routing.h"
#include "ctrl/topwindow/top_window.h"
#include "widgets/images/ctrls_img.h"
#include "widgets/menu/menu_bar.h"

#include <algorithm>
#include <cstdlib>

namespace Qor {

namespace {

bool HasModifier(dword flags) { return flags & (K_CTRL | K_SHIFT); }

template <class C>
bool CanRun(const C& callback)
{
    auto* a = callback.GetAction();
    return a && a->CanRun();
}

} // namespace

int ArrayCtrl::GetColumnAt(int row, Point p)
{
    for(int i = 0; i < columns.GetCount(); i++)
        if(GetCellRect(row, i).Contains(p))
            return i;
    return INT_NULL;
}

void ArrayCtrl::ClickRow(Point p, bool select)
{
    p.y += GetScrollPos();
    if(p.y >= GetTotalCy() && HasOption(APPEND_LINE)) {
        if(HasOption(MULTI_SELECT))
            ClearSelection();
        ClearCursor();
    }
    click_row = GetLineAt(p.y);
    if(!IsNullInt(click_row))
        SetCursor(click_row, select);
    else if(cursor >= 0)
        AcceptRow();
    if(!HasFocusInTree())
        FocusIfFocusable();
}

void ArrayCtrl::SelectByClick(dword flags)
{
    if(!HasOption(MULTI_SELECT) || cursor < 0)
        return;
    if(flags & K_CTRL) {
        ArrayCtrlRow& r = GrowRows(cursor);
        r.flags ^= ArrayCtrlRow::SELECTED;
        MarkSelectionStale();
        RefreshRow(cursor);
        WhenSelection();
        WhenSel();
        SyncInfoPopup();
        anchor = cursor;
    }
    else {
        ClearSelection();
        if((flags & K_SHIFT) && anchor >= 0)
            SelectRange(std::min(anchor, cursor), std::abs(anchor - cursor) + 1, true);
        else {
            anchor = cursor;
            SelectRow(cursor, true);
        }
    }
    RunAction();
}

void ArrayCtrl::DoClick(Point p, dword flags)
{
    int old = cursor;
    bool focused = HasFocus();
    ClickRow(p, !HasModifier(flags));
    click_column = IsNullInt(click_row) ? INT_NULL : GetColumnAt(click_row, p);
    // A click on the cursor row of a focused list edits the cell; any other click selects.
    if(!IsNullInt(click_column) && old >= 0 && cursor == old && focused && columns[click_column].IsClickToEdit() &&
       !HasModifier(flags))
        StartEdit(click_column);
    else
        SelectByClick(flags);
    WhenLeftClick();
}

void ArrayCtrl::LeftButtonDown(Point p, dword flags)
{
    if(!IsEditable())
        return;
    int split = header.GetSplit(p.x);
    if(split >= 0) {
        header.StartSplitDrag(split);
        return;
    }
    click_row = GetLineAt(p.y + GetScrollPos());
    click_column = INT_NULL;
    if(IsNullInt(click_row)) {
        drag_flags &= ~CLICK_PENDING;
        DoClick(p, flags);
        return;
    }
    click_column = GetColumnAt(click_row, p);
    bool on_selection = HasOption(MULTI_SELECT) ? IsSelected(click_row) : click_row == cursor;
    if(!HasModifier(flags) && on_selection) {
        // The click waits for the button-up, so that a drag can take the selection away.
        drag_flags |= CLICK_PENDING;
        return;
    }
    drag_flags &= ~CLICK_PENDING;
    DoClick(p, flags);
}

void ArrayCtrl::LeftButtonUp(Point p, dword flags)
{
    if(drag_flags & CLICK_PENDING) {
        drag_flags &= ~CLICK_PENDING;
        DoClick(p, flags);
    }
}

void ArrayCtrl::LeftDoubleClick(Point p, dword flags)
{
    if(!IsEditable())
        return;
    ClickRow(p, !HasModifier(flags));
    click_column = IsNullInt(click_row) ? INT_NULL : GetColumnAt(click_row, p);
    SelectByClick(flags);
    // A double click on the append line (or below it) starts a new row at the end.
    if(HasOption(APPEND_LINE) && AppendingAllowed() && cursor < 0)
        DoInsert(rows.GetCount());
    if(!(HasOption(MULTI_SELECT) && HasModifier(flags)))
        WhenLeftDouble();
}

void ArrayCtrl::RightButtonDown(Point p, dword flags)
{
    if(!HasModifier(flags)) {
        ClickRow(p, false);
        click_column = IsNullInt(click_row) ? INT_NULL : GetColumnAt(click_row, p);
        if(HasOption(MULTI_SELECT) && cursor >= 0) {
            if(!IsSelected(cursor)) {
                ClearSelection();
                anchor = cursor;
                SelectRow(cursor, true);
            }
            RunAction();
        }
    }
    MenuBar::RunContextMenu(GetFocusTopWindow(), WhenBar, GetPointerPosition());
}

void ArrayCtrl::LeftDragStart(Point p, dword)
{
    int row = GetLineAt(p.y + GetScrollPos());
    if(IsNullInt(row))
        return;
    if(HasOption(MULTI_SELECT) ? IsSelected(row) : row == cursor) {
        // The button-up of a drag that ran is no click.
        if(CanRun(WhenDrag))
            drag_flags &= ~CLICK_PENDING;
        WhenDrag();
    }
}

void ArrayCtrl::PointerMoved(Point p, dword)
{
    int row = INT_NULL;
    bool known = false;
    if(CanRun(WhenMouseMove)) {
        row = GetLineAt(p.y + GetScrollPos());
        known = true;
        WhenMouseMove(IsNullInt(row) ? Point(INT_NULL, INT_NULL) : Point(GetColumnAt(row, p), row));
    }
    if(HasOption(MOUSE_MOVE_CURSOR) && IsEditable()) {
        if(!known)
            row = GetLineAt(p.y + GetScrollPos());
        if(!IsNullInt(row))
            SetCursor(row, true);
    }
    SyncInfoPopup();
}

void ArrayCtrl::PointerLeft()
{
    if(CanRun(WhenMouseMove))
        WhenMouseMove(Point(INT_NULL, INT_NULL));
    SyncInfoPopup();
}

Image ArrayCtrl::CursorFor(Point p, dword)
{
    if(!cursor_image.IsEmpty())
        return cursor_image;
    return header.GetSplit(p.x) >= 0 ? CtrlsImg::HorzPos() : GetArrowCursor();
}

void ArrayCtrl::CancelInteraction()
{
    drag_flags = 0;
    SetDropTarget(-1, -1);
    info.Dismiss();
}

} // namespace Qor
