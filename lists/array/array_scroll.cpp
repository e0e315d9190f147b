// The list's vertical scrolling through its scroll bar, the header's horizontal one, and the
// frames' layout.

#include "lists/array/array_ctrl.h"

#include "ctrl/frame/ctrl_frame.h"
#include "foundation/callback_action.h"

#include <algorithm>

namespace Qor {

void ArrayCtrl::SyncVisibleRows()
{
    int pos = sb.GetPosition();
    int first = GetLineAt(pos);
    first_visible = IsNullInt(first) ? 0 : first;
    int last = GetLineAt(pos + sb.GetPage());
    last_visible = IsNullInt(last) ? GetCount() : last;
}

void ArrayCtrl::SyncScrollInfo()
{
    int total = GetTotalCy();
    if(HasOption(INSERTING_ALLOWED))
        total += default_row_height + Grid(); // room for one more row
    sb.SetTotal(total);
    sb.SetPage(GetViewSize().cy);
    SyncVisibleRows();
}

void ArrayCtrl::ScrollInto(int row)
{
    if(row < 0)
        sb.ScrollToStart();
    else if(row >= GetCount())
        sb.ScrollToEnd();
    else
        sb.ScrollInto(GetLineY(row), GetRowHeight(row));
}

void ArrayCtrl::CenterCursor()
{
    if(cursor < 0)
        return;
    sb.SetPosition(GetLineY(cursor) - std::max(0, (GetViewSize().cy - GetRowHeight(cursor)) / 2));
}

void ArrayCtrl::WheelRotated(Point, int zdelta, dword) { sb.Wheel(zdelta, 3); }

void ArrayCtrl::OnScroll()
{
    SyncVisibleRows();
    SyncPendingCtrls();
    PlaceEditors();
    Size view = GetViewSize();
    tracker.Scroll(*this, Rect(view), Point(header.GetScroll(), sb.GetPosition()), Size(1, 1));
    info.Dismiss();
    WhenScroll();
}

void ArrayCtrl::OnHeaderLayout()
{
    SyncVisibleRows();
    Refresh();
    SyncInfoPopup();
    SyncPendingCtrls();
    PlaceEditors();
}

void ArrayCtrl::Layout()
{
    SyncScrollInfo();
    int width = sb.GetStyle().bar_width;
    if(corner.GetFrameHeight() != width) {
        corner.SetFrameHeight(width);
        if(Ctrl* p = corner.GetParent())
            p->ResolveLayout(1);
    }
    bool filled = &sb.GetFrame(0) == &corner;
    if(header.GetScrollBar().IsVisible() != filled) {
        if(filled)
            sb.SetFrame(0, GetNullFrameInstance());
        else
            sb.SetFrame(0, corner);
    }
    PlaceEditors();
    SyncAllCtrls();
}

} // namespace Qor
