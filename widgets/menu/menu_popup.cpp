// Placing and opening pop-up menus: kept inside the work area, flipped above or to the left
// of what they must not cover, wrapped into more columns when neither side has room.

#include "widgets/menu/menu_bar.h"

#include "ctrl/frame/ctrl_frame.h"
#include "ctrl/loop/event_loop.h"
#include "ctrl/settings/gui_settings.h"
#include "ctrl/tree/global_refs.h"
#include "ctrl/window_ops/window_ops.h"
#include "widgets/skin/popup_animation.h"

#include <algorithm>

namespace Qor {

Size MenuBar::LayOutPopup(int limit, bool anchor_bottom)
{
    Size ps = pane.LayOutRows(false, std::max(limit, 0));
    pane.PlaceRight(0, ps.cx);
    if(anchor_bottom)
        pane.PlaceBottom(0, ps.cy);
    else
        pane.PlaceTop(0, ps.cy);
    return ps;
}

void MenuBar::PlacePopup(Ctrl* owner, Point& p, Size rsz)
{
    Rect wa = GetWorkAreaAtCall(p);
    if(wa.IsEmpty())
        wa = Rect(-16000, -16000, 16000, 16000);
    bool grows_up = !parent_menu || parent_menu->IsEmbedded();
    bool grows_left = !parent_menu || !parent_menu->IsEmbedded();
    if(parent_menu)
        help_callback = parent_menu->help_callback;
    restore_focus = GetCtrlGlobalRefs().focus_ctrl.Get();
    AutoAssignAccessKeys();
    if(GetLookStyleLevel() < 2)
        SetFrame(GetRaisedFrame());
    else {
        popup_look_frame.SetLook(style->popup_frame);
        SetFrame(popup_look_frame);
    }
    Size frame = GrowByFrames(Size(0, 0));
    Size ps = LayOutPopup(wa.Height(), true);
    Size s = ps + frame;
    if(p.y + s.cy <= wa.bottom)
        grows_up = false;
    else if(p.y - wa.top <= wa.bottom - p.y) {
        // More columns rather than covering the point.
        int limit = wa.bottom - p.y - frame.cy;
        ps = LayOutPopup(limit, true);
        s = ps + frame;
        grows_up = false;
    }
    else {
        int y0 = p.y + rsz.cy;
        if(parent_menu && parent_menu->sub_menu && parent_menu->sub_menu_item)
            y0 = parent_menu->sub_menu_item->GetRectOnScreen().bottom + rsz.cy + 2;
        int limit = std::min(s.cy, y0 - wa.top) - frame.cy;
        ps = LayOutPopup(limit, false);
        s = ps + frame;
        p.y = y0 - s.cy;
    }
    if(p.x + s.cx > wa.right) {
        p.x = std::max(wa.left, p.x + rsz.cx - s.cx);
        pane.PlaceLeft(0, ps.cx);
    }
    else
        grows_left = false;
    Rect target(p, s);
    if(parent_menu && !parent_menu->animate) {
        // Moving between sub-menus of one menu does not animate.
        SetRect(target);
        animate = true;
        OpenPopupCall(*this, owner, true, true);
        ProcessPendingEventsCall();
        return;
    }
    if(GetPopupAnimation() == POPUP_ANIMATION_SLIDE) {
        int y = grows_up ? p.y + s.cy : p.y;
        int x = grows_left ? p.x + s.cx : p.x;
        SetRect(x, y, parent_menu ? s.cx : 1, 1);
    }
    else
        SetRect(target);
    animate = true;
    OpenPopupCall(*this, owner, true, true);
    ProcessPendingEventsCall();
    if(IsOpen())
        AnimatePopup(*this, target);
}

} // namespace Qor
