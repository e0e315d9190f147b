// The tool-tip machinery: the owner under the pointer, the hover delay, quick tips after a
// tip was shown, and the hooks that hide the tip again.

#include "widgets/tooltip/tool_tip.h"

#include "ctrl/input/input_host.h"
#include "ctrl/input/mouse_routing.h"
#include "ctrl/settings/gui_settings.h"
#include "ctrl/state/ctrl_hooks.h"
#include "ctrl/timer/timer.h"
#include "ctrl/window_ops/window_ops.h"
#include "foundation/callback_action.h"
#include "foundation/pte.h"

#include <algorithm>

namespace Qor {

namespace {

// Owner ids of the pending show and the pending end of quick tips.
char show_timer;
char reset_timer;

enum : int { TIP_OFFSET = 22, RESET_AFTER_LEAVE_MS = 1000, RESET_AFTER_NOTHING_MS = 200 };

struct TipState {
    WeakPointer<Ctrl> owner;
    // The owner's tip text when it was chosen: moving within the owner keeps the pending
    // delay unless the text changed.
    String owner_text;
    bool quick = false;
};

TipState& State()
{
    static TipState s;
    return s;
}

void ScheduleReset(int delay)
{
    CancelTimers(&reset_timer);
    ScheduleTimer(delay, MakeCallback(ResetQuickTips), &reset_timer);
}

bool IsTipWindow(const Ctrl* c) { return c == &GetToolTipWindow(); }

void CloseAndEndQuickTips()
{
    CloseToolTip();
    State().quick = false;
}

} // namespace

ToolTip& GetToolTipWindow()
{
    static ToolTip tip;
    return tip;
}

Ctrl* GetToolTipOwner() { return State().owner.Get(); }

bool IsQuickTips() { return State().quick; }

void ResetQuickTips() { State().quick = false; }

void CloseToolTip()
{
    ToolTip& tip = GetToolTipWindow();
    if(tip.IsInOpenWindow())
        tip.Close();
}

void SetTipOwner(Ctrl* c)
{
    TipState& s = State();
    if(c == s.owner.Get() && (!c || s.owner_text == c->GetTipText()))
        return;
    s.owner = c;
    s.owner_text = c ? c->GetTipText() : String();
    CancelTimers(&show_timer);
    if(s.quick)
        ShowToolTip();
    else
        ScheduleTimer(GetTipHoverDelay(), MakeCallback(ShowToolTip), &show_timer);
}

void ShowToolTip()
{
    CloseToolTip();
    TipState& s = State();
    Ctrl* owner = s.owner.Get();
    String text = owner ? owner->GetTipText() : String();
    Ctrl* root = owner ? owner->GetRootCtrl() : nullptr;
    if(text.IsEmpty() || !root || !(root->IsInActiveWindow() || root->IsPopup())) {
        ScheduleReset(RESET_AFTER_NOTHING_MS);
        return;
    }
    ToolTip& tip = GetToolTipWindow();
    tip.SetText(text);
    Size sz = tip.MinimumSize();
    Point m = GetPointerPosition();
    Rect work = GetWorkAreaAtCall(m);
    Point p(m.x, m.y + TIP_OFFSET);
    // Above the pointer, its bottom clear of it even when the tip is tall: a tip under the
    // pointer would take the clicks meant for the control.
    if(p.y + sz.cy > work.bottom)
        p.y = std::min(m.y - TIP_OFFSET, m.y - sz.cy);
    tip.ShowAt(root, p, !s.quick);
    s.quick = true;
    CancelTimers(&reset_timer);
}

bool ToolTipMouseHook(Ctrl* c, bool in_frame_area, int event, Point p, int, dword)
{
    if(event == MOUSE_MOVE) {
        if(c && !IsTipWindow(c))
            SetTipOwner(c->FindChildAt(p, in_frame_area));
    }
    else if(event == MOUSE_LEAVE) {
        CloseToolTip();
        ScheduleReset(RESET_AFTER_LEAVE_MS);
    }
    else if((event & MOUSE_ACTION) == MOUSE_DOWN)
        CloseAndEndQuickTips();
    return false;
}

bool ToolTipStateHook(Ctrl* c, int reason)
{
    if((reason == STATE_DEACTIVATE || reason == STATE_ENABLE || reason == STATE_CLOSE) && !IsTipWindow(c))
        CloseAndEndQuickTips();
    return false;
}

void RegisterToolTipHooks()
{
    AddMouseHook(ToolTipMouseHook);
    AddStateHook(ToolTipStateHook);
}

} // namespace Qor
