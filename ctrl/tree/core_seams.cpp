// The seams to the neighbouring parts of the window core, the process-wide references into
// the tree, and the window operations and focus moves that go through them.

#include "ctrl/tree/core_seams.h"

#include "ctrl/tree/ctrl_class.h"
#include "ctrl/tree/global_refs.h"

namespace Qor {

CtrlCoreSeams& GetCtrlCoreSeams()
{
    static CtrlCoreSeams seams;
    return seams;
}

CtrlGlobalRefs& GetCtrlGlobalRefs()
{
    static CtrlGlobalRefs refs;
    return refs;
}

// A control without a window: every operation does nothing and answers its starting value.
void Ctrl::DestroyWindowCall()
{
    if(auto op = GetCtrlCoreSeams().destroy_window)
        op(*this);
}

void Ctrl::ShowWindowCall(bool show)
{
    if(auto op = GetCtrlCoreSeams().show_window)
        op(*this, show);
}

void Ctrl::UpdateWindowCall()
{
    if(auto op = GetCtrlCoreSeams().update_window)
        op(*this);
}

void Ctrl::ActivateWindowCall()
{
    if(auto op = GetCtrlCoreSeams().activate_window)
        op(*this);
}

bool Ctrl::EnableWindowCall(bool enable)
{
    auto op = GetCtrlCoreSeams().enable_window;
    return op ? op(*this, enable) : false;
}

bool Ctrl::FocusWindowCall()
{
    auto op = GetCtrlCoreSeams().focus_window;
    return op ? op(*this) : false;
}

void Ctrl::SetWindowRectCall(const Rect& r)
{
    if(auto op = GetCtrlCoreSeams().set_window_rect)
        op(*this, r);
}

void Ctrl::UpdateWindowRectCall(const Rect& r)
{
    if(auto op = GetCtrlCoreSeams().update_window_rect)
        op(*this, r);
}

void Ctrl::ScrollWindowCall(const Rect& r, int dx, int dy)
{
    if(auto op = GetCtrlCoreSeams().scroll_window)
        op(*this, r, dx, dy);
}

bool Ctrl::SetFocus() { return MoveFocusHere(true); }

bool Ctrl::MoveFocusHere(bool activate)
{
    auto op = GetCtrlCoreSeams().move_focus_here;
    return op ? op(*this, activate) : false;
}

bool Ctrl::HasFocus() const { return GetCtrlGlobalRefs().focus_ctrl.Get() == this; }

bool Ctrl::HasFocusInTree() const
{
    Ctrl* focus = GetCtrlGlobalRefs().focus_ctrl;
    if(!focus)
        return false;
    if(focus == this || IsAncestorOf(focus))
        return true;
    // A focused pop-up stands for the control that opened it.
    Ctrl* root = focus->GetRootCtrl();
    if(root->IsPopup()) {
        Ctrl* owner = root->GetOwnerCtrl();
        return IsAncestorOf(owner);
    }
    return false;
}

} // namespace Qor
