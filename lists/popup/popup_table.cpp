// PopUpTable: the drop-down set-up of the list, opening it in its pop-up window, and the
// clicks and keys that close it.

#include "lists/popup/popup_table.h"

#include "ctrl/input/button_tracking.h"
#include "ctrl/loop/event_loop.h"
#include "ctrl/settings/gui_settings.h"
#include "ctrl/window_ops/window_ops.h"
#include "draw/font/font_metrics.h"
#include "foundation/charset.h"
#include "lists/popup/list_keys_internal.h"
#include "lists/popup/popup_frame_internal.h"
#include "widgets/skin/popup_animation.h"

#include <algorithm>

namespace Qor {

PopUpTable::Popup::~Popup() = default;

void PopUpTable::Popup::CancelInteraction()
{
    // Closing may run the owner's code: keep what is needed off this control.
    PopUpTable* t = table;
    if(t->open) {
        t->ClosePopup();
        Callback cancel = t->WhenCancel;
        cancel();
    }
    t->CancelInteraction();
}

void PopUpTable::Popup::WindowDeactivated()
{
    PopUpTable* t = table;
    if(!t->open)
        return;
    t->ClosePopup();
    ResetMouseClickState();
    Callback cancel = t->WhenCancel;
    cancel();
}

PopUpTable::PopUpTable() : droprows(16), open_call(0), open(false) { SetFrame(0, GetPopUpListFrame()); }

PopUpTable::~PopUpTable()
{
    WhenSelect.Clear();
    WhenCancel.Clear();
    open = false;
    if(Popup* p = popup.Get()) {
        if(p->IsInOpenWindow())
            p->Close();
        p->RemoveChild(*this);
    }
    popup.Clear();
    closed.Clear();
}

void PopUpTable::SetupDropDown()
{
    AddColumn().SetKeyFilter(CapitalAsciiLetter);
    HeaderCtrl& header = GetHeader();
    header.SetHidden();
    header.Tab(0).SetMargin(0);
    SetOption(MOUSE_MOVE_CURSOR);
    SetOption(VERT_GRID, false);
    SetOption(HORZ_GRID, false);
    GetScrollBar().SetAutoHide(true);
    SetDefaultRowHeight(GetStandardFontSize().cy);
    SetOption(INFO_POPUP, false);
}

void PopUpTable::ClosePopup()
{
    open = false;
    Popup* p = popup.Get();
    if(!p || !p->IsInOpenWindow())
        return;
    p->Close();
    p->RemoveChild(*this);
    // The pop-up may be the control whose handler is running (a deactivation, a
    // cancellation walking its children): it is destroyed at the next opening or with the
    // table, not under its own feet.
    closed = std::move(popup);
}

void PopUpTable::PopUp(Ctrl* owner, int width)
{
    QOR_ASSERT(owner);
    Rect r = owner->GetRectOnScreen();
    if(width)
        r.right = r.left + width;
    if(open_call)
        return;
    open_call = 1;
    open = false;
    ClosePopup();
    int cy = std::min(GetTotalCy(), droprows * GetDefaultRowHeight());
    cy = GrowByFrames(Size(r.Width(), cy)).cy;
    Rect wa = GetWorkAreaAtCall(r.TopLeft());
    Rect target(r.left, r.bottom, r.right, r.bottom + cy);
    bool below = wa.IsEmpty() || target.bottom <= wa.bottom;
    if(!below)
        target = Rect(r.left, r.top - cy, r.right, r.top);

    Popup& p = popup.Create(*this);
    if(below)
        p.SetRect(target.left, target.top, target.Width(), 1);
    else
        p.SetRect(target.left, target.bottom - 1, target.Width(), 1);
    // Anchored at the far edge, the list is revealed from the owner's side as the pop-up grows.
    PlaceLeft(0, target.Width());
    if(below)
        PlaceBottom(0, target.Height());
    else
        PlaceTop(0, target.Height());
    p.AppendChild(*this);

    if(GetPopupAnimation() != POPUP_ANIMATION_NONE) {
        CenterCursor();
        OpenPopupCall(p, owner, true, true);
        SetFocus();
        ProcessPendingEventsCall();
        if(popup.Get() == &p)
            AnimatePopup(p, target, POPUP_ANIMATION_SLIDE);
    }
    if(popup.Get() == &p) {
        p.SetRect(target);
        if(!p.IsInOpenWindow())
            OpenPopupCall(p, owner, true, true);
        CenterCursor();
        SetFocus();
        open = true;
    }
    open_call = 0;
}

void PopUpTable::LeftButtonUp(Point p, dword keyflags)
{
    ArrayCtrl::LeftButtonUp(p, keyflags);
    ClosePopup();
    Callback select = WhenSelect;
    select();
}

bool PopUpTable::ProcessKey(dword key, int count)
{
    using namespace ListKeys;
    if(key == ENTER || key == (ALT | DOWN)) {
        ClosePopup();
        Callback select = WhenSelect;
        select();
        return true;
    }
    if(key == ESCAPE) {
        ClosePopup();
        Callback cancel = WhenCancel;
        cancel();
        return true;
    }
    if(key == UP && !IsCursor()) {
        SetCursor(GetCount() - 1);
        return true;
    }
    if(key == DOWN && !IsCursor()) {
        SetCursor(0);
        return true;
    }
    return ArrayCtrl::ProcessKey(key, count);
}

} // namespace Qor
