// ColumnList and the mouse: clicks that move the cursor, column edges dragged to change the
// column count, the context menu, the wheel, and the list as a drag source and drop target.

#include "lists/columnlist/column_list.h"

#include "ctrl/clip/transfer.h"
#include "ctrl/focus/focus_routing.h"
#include "ctrl/input/input_host.h"
#include "ctrl/input/mouse_routing.h"
#include "ctrl/input/resize_host.h"
#include "ctrl/topwindow/top_window.h"
#include "widgets/display/drop_marks.h"
#include "widgets/menu/menu_bar.h"

#include <algorithm>

namespace Qor {

namespace {

// A column edge answers a press this many pixels to either side.
constexpr int EDGE_ZONE = 3;

} // namespace

int ColumnList::EdgeAt(int px) const
{
    if(GetColumnWidth(0) == 0)
        return -1;
    int x = px;
    for(int k = 0;; k++) {
        int cw = GetColumnWidth(k);
        x -= cw;
        if(x >= -EDGE_ZONE && x <= EDGE_ZONE)
            return k;
        // Past the point, or a column without width that would walk on for ever.
        if(x < 0 || cw <= 0)
            return -1;
    }
}

void ColumnList::DoLeftDown(Point p, dword keyflags)
{
    deferred_click = false;
    int k = EdgeAt(p.x);
    if(k >= 0) {
        drag_column = k;
        drag_x = p.x;
        drag_offset = p.x - (k + 1) * GetColumnWidth(0);
        SetCapture();
        Refresh(drag_x - drag_offset, 0, 1, GetViewSize().cy);
        SyncInfo();
        return;
    }
    if(multi_select) {
        int i = GetItemAt(p);
        if(i >= 0 && items[i].selected) {
            // The click waits for the release, so that a drag can start from the selection.
            deferred_click = true;
            return;
        }
    }
    DoClick(p, keyflags);
}

void ColumnList::DoClick(Point p, dword keyflags)
{
    FocusIfFocusable();
    int i = GetItemAt(p);
    if(i >= 0)
        PlaceCursor(i, false);
    else if(click_kill && cursor >= 0)
        KillCursor();
    if(multi_select && cursor >= 0) {
        if(keyflags & K_SHIFT)
            ShiftSelect();
        else if(keyflags & K_CTRL)
            SetItemSelected(cursor, !items[cursor].selected);
        else {
            for(int j = 0; j < items.GetCount(); j++)
                if(items[j].selected) {
                    items[j].selected = false;
                    RefreshItem(j);
                }
            anchor = cursor;
            SetItemSelected(cursor, true);
        }
    }
    WhenLeftClick();
    int w = GetHitColumnWidth();
    WhenLeftClickPos(Point(w > 0 ? p.x % w : p.x, item_height > 0 ? p.y % item_height : p.y));
}

void ColumnList::LeftButtonDown(Point p, dword keyflags) { DoLeftDown(p, keyflags); }

void ColumnList::LeftDoubleClick(Point p, dword keyflags)
{
    DoLeftDown(p, keyflags);
    WhenLeftDouble();
}

void ColumnList::LeftButtonUp(Point p, dword keyflags)
{
    if(multi_select && deferred_click)
        DoClick(p, keyflags);
    deferred_click = false;
    if(HasCapture()) {
        ReleaseOwnCapture();
        Refresh();
        SyncInfo();
    }
}

void ColumnList::PointerMoved(Point p, dword)
{
    if(HasCapture()) {
        int wv = sb.GetViewSizeWithoutBar().cx;
        int height = GetViewSize().cy;
        Refresh(drag_x - drag_offset, 0, 1, height);
        drag_x = p.x;
        Refresh(drag_x - drag_offset, 0, 1, height);
        int64 n = int64(drag_column + 1) * wv / std::max(p.x, GetMinColumnWidth());
        // Past this count the columns would be narrower than the minimum, and the last of
        // them would reach right of the view where no pointer finds its items.
        n = std::clamp<int64>(n, 1, GetMaxColumnCount(GetViewSize().cx));
        if(n != column_count) {
            column_count = int(n);
            Refresh();
        }
        SyncScrollBar();
    }
    SyncInfo();
}

void ColumnList::RightButtonDown(Point p, dword)
{
    int i = GetItemAt(p);
    if(!(multi_select && i >= 0 && items[i].selected)) {
        if(i >= 0)
            PlaceCursor(i, false);
        else if(click_kill && cursor >= 0)
            KillCursor();
    }
    MenuBar::RunContextMenu(GetFocusTopWindow(), WhenBar, GetPointerPosition());
}

void ColumnList::WheelRotated(Point, int zdelta, dword) { sb.Wheel(zdelta, 3); }

Image ColumnList::CursorFor(Point p, dword)
{
    return HasCapture() || EdgeAt(p.x) >= 0 ? GetHorizontalResizeCursor() : GetArrowCursor();
}

void ColumnList::PointerLeft()
{
    if(!popup.IsOpen())
        popup.Dismiss();
}

void ColumnList::CancelInteraction()
{
    popup.Dismiss();
    SetDropPos(-1, false);
    anchor = -1;
    deferred_click = false;
}

void ColumnList::FocusGained()
{
    if(cursor < 0 && !items.IsEmpty())
        PlaceCursor(GetFirstVisible(), true);
    Refresh();
    SyncInfo();
}

void ColumnList::FocusLost()
{
    Refresh();
    SyncInfo();
}

void ColumnList::LeftDragStart(Point, dword)
{
    if(!HasCapture())
        WhenDrag();
}

void ColumnList::SetDropPos(int i, bool insert)
{
    if(i == drop_pos && insert == drop_insert)
        return;
    // An insertion mark may stand at the bottom of the item before.
    RefreshItem(drop_pos - 1);
    RefreshItem(drop_pos);
    drop_pos = i;
    drop_insert = insert;
    RefreshItem(drop_pos - 1);
    RefreshItem(drop_pos);
    SyncInfo();
}

bool ColumnList::TryDropInsert(int i, int y, TransferOffer& offer, int parts)
{
    Rect r = GetItemRect(i);
    int h = r.Height();
    if(y < r.top + h / parts) {
        WhenDropInsert(i, offer);
        if(offer.IsAccepted()) {
            SetDropPos(i, true);
            return true;
        }
    }
    if(y >= r.top + (parts - 1) * h / parts && i < items.GetCount()) {
        WhenDropInsert(i + 1, offer);
        if(offer.IsAccepted()) {
            SetDropPos(i + 1, true);
            return true;
        }
    }
    return false;
}

void ColumnList::DropAtPoint(Point p, TransferOffer& offer)
{
    int n = items.GetCount();
    int i = GetItemAt(p);
    if(i >= 0) {
        if(TryDropInsert(i, p.y, offer, 4))
            return;
        WhenDropItem(i, offer);
        if(offer.IsAccepted()) {
            SetDropPos(i, false);
            return;
        }
        if(TryDropInsert(i, p.y, offer, 2))
            return;
    }
    if(n == 0 && p.y <= 3) {
        WhenDropInsert(0, offer);
        if(offer.IsAccepted()) {
            SetDropPos(0, true);
            return;
        }
    }
    else {
        auto* drop = WhenDrop.GetAction();
        if(!drop || !drop->CanRun()) {
            WhenDropInsert(n, offer);
            if(offer.IsAccepted()) {
                SetDropPos(n, true);
                return;
            }
        }
    }
    WhenDrop(offer);
    SetDropPos(-1, false);
}

void ColumnList::DragHoverTick(Point p)
{
    int dy = GetDragScrollStep(*this, p, 1).y;
    if(dy)
        sb.SetPosition(sb.GetPosition() + dy);
}

void ColumnList::RefreshSelected()
{
    for(int i = 0; i < items.GetCount(); i++)
        if(items[i].selected)
            RefreshItem(i);
}

void ColumnList::DragEntered() { RefreshSelected(); }

void ColumnList::DragLeft()
{
    SetDropPos(-1, false);
    RefreshSelected();
}

} // namespace Qor
