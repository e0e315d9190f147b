// Other windows disabled around a modal job, and the top-level controls of open windows.

#include "ctrl/state/other_windows.h"

#include "ctrl/platform/platform.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/tree/ctrl_class.h"
#include "ctrl/tree/global_refs.h"

namespace Qor {

namespace {

Vector<Ctrl*> GetTopCtrls() { return GetPlatform().GetTopCtrls(); }

bool IsOwnedBy(Ctrl* c, const Ctrl* owner)
{
    // Owner chains follow open windows; the bound only keeps a damaged chain from hanging.
    int guard = 0;
    for(Ctrl* o = c->GetOwner(); o && guard < 10000; o = o->GetOwner(), guard++)
        if(o == owner)
            return true;
    return false;
}

} // namespace

Vector<Ctrl*> ListNonPopupTopCtrls()
{
    Vector<Ctrl*> out;
    for(Ctrl* c : GetTopCtrls())
        if(!c->IsPopup())
            out.Add(c);
    return out;
}

void CloseAllTopCtrls()
{
    Vector<Ctrl*> tops = GetTopCtrls();
    Vector<WeakPointer<Ctrl>> alive;
    for(Ctrl* c : tops)
        alive.Add(WeakPointer<Ctrl>(c));
    // Closing one window may destroy another.
    for(WeakPointer<Ctrl>& c : alive)
        if(c)
            c->Close();
}

Vector<WeakPointer<Ctrl>> DisableOtherWindows(const Vector<Ctrl*>& tops, const Ctrl* except)
{
    Vector<WeakPointer<Ctrl>> out;
    for(Ctrl* t : tops) {
        if(!t || !t->IsEnabled() || t == except || IsOwnedBy(t, except))
            continue;
        t->ApplyEnabled(false);
        out.Add(WeakPointer<Ctrl>(t));
    }
    return out;
}

void ReEnableDisabledWindows(Vector<WeakPointer<Ctrl>>& list)
{
    for(int i = list.GetCount() - 1; i >= 0; i--) {
        Ctrl* c = list[i];
        if(c && !c->IsEnabled())
            c->ApplyEnabled(true);
    }
}

void OtherWindowsDisabler::Begin(const Ctrl* except, bool refocus_only_if_active_)
{
    focus = GetCtrlGlobalRefs().focus_ctrl.Get();
    refocus_only_if_active = refocus_only_if_active_;
    disabled = DisableOtherWindows(ListNonPopupTopCtrls(), except);
}

void OtherWindowsDisabler::Restore()
{
    ReEnableDisabledWindows(disabled);
    if(Ctrl* f = focus) {
        if(!refocus_only_if_active || GetPlatform().IsInFocusWindow(*f->GetRootCtrl()))
            f->SetFocus();
    }
    disabled.Clear();
    focus.Clear();
}

} // namespace Qor
