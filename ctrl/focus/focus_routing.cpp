// Focus moves and their notices.

#include "ctrl/focus/focus_routing.h"

#include "ctrl/defaults/ctrl_defaults.h"
#include "ctrl/input/input_host.h"
#include "ctrl/loop/caret.h"
#include "ctrl/platform/platform.h"
#include "ctrl/settings/gui_settings.h"
#include "ctrl/tree/child_walk_internal.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/tree/ctrl_class.h"
#include "ctrl/tree/global_refs.h"
#include "foundation/ini.h"

namespace Qor {

namespace {

Ctrl* RootOf(Ctrl* c) { return c ? c->GetRootCtrl() : nullptr; }

bool MoveFocusHereImpl(Ctrl& c, bool activate)
{
    if(user_log_flag.Get())
        LogUserAction("      SETFOCUS " + DescribeCtrl(&c));
    CtrlGlobalRefs& refs = GetCtrlGlobalRefs();
    refs.deferred_focus_target.Clear();
    if(refs.focus_ctrl.Get() == &c)
        return true;
    if(!c.IsInOpenWindow() || !c.IsEnabled() || !c.IsVisibleUpward())
        return false;
    WeakPointer<Ctrl> self(&c);
    WeakPointer<Ctrl> old(refs.focus_ctrl.Get());
    Ctrl* win = c.FindTopWindowCtrl();
    if(!win)
        win = c.GetRootCtrl();
    if(!GetPlatform().HasHostFocus(*win) && !win->FocusWindowCall())
        return false;
    if(!self)
        return false;
    win->ActivateWindowCall();
    if(!self)
        return false;
    refs.focus_ctrl = &c;
    refs.active_window = win;
    SendFocusLost(old, &c);
    DeactivateOldRoot(old, self);
    SendFocusGained(old, self, activate);
    return true;
}

void SetAccessKeyMarks(Ctrl& root, bool shown)
{
    if(root.IsAccessKeyMarksShown() == shown)
        return;
    root.SetAccessKeyMarksShown(shown);
    root.RefreshAccessKeyMarks();
}

} // namespace

void SendFocusLost(Ctrl* old, Ctrl*)
{
    WeakPointer<Ctrl> alive(old);
    if(alive) {
        if(!old->IsBeingDestroyed()) {
            old->NotifyStateChange(STATE_FOCUS);
            if(alive)
                old->FocusLost();
        }
        if(alive) {
            Ctrl* parent = old->GetParent();
            if(parent && !parent->IsBeingDestroyed())
                parent->ChildFocusLost();
        }
    }
    SyncCaret();
}

void DeactivateOldRoot(Ctrl* old, Ctrl* now)
{
    if(!old)
        return;
    Ctrl* root = old->GetRootCtrl();
    if(root == RootOf(now) || root->IsBeingDestroyed())
        return;
    WeakPointer<Ctrl> alive(root);
    root->WindowDeactivated();
    if(!alive)
        return;
    root->NotifyStateChange(STATE_DEACTIVATE);
    if(alive && GetAccessKeysOnAltOnly() && root->IsAccessKeyMarksShown())
        SetAccessKeyMarks(*root, false);
}

void SendFocusGained(Ctrl* old, Ctrl* now, bool activate)
{
    CtrlGlobalRefs& refs = GetCtrlGlobalRefs();
    WeakPointer<Ctrl> alive(now);
    if(activate) {
        if(!alive || refs.focus_ctrl.Get() != now) {
            SyncCaret();
            return;
        }
        Ctrl* root = now->GetRootCtrl();
        if(!(old && RootOf(old) == root) && !root->IsBeingDestroyed()) {
            WeakPointer<Ctrl> root_alive(root);
            root->NotifyStateChange(STATE_ACTIVATE);
            if(root_alive)
                root->WindowActivated();
            if(root_alive && GetAccessKeysOnAltOnly())
                SetAccessKeyMarks(*root, IsAccessKeyMarkShown(root));
        }
    }
    if(!alive || refs.focus_ctrl.Get() != now) {
        SyncCaret();
        return;
    }
    if(!now->IsBeingDestroyed()) {
        now->FocusGained();
        if(alive)
            now->NotifyStateChange(STATE_FOCUS);
        if(!alive || refs.focus_ctrl.Get() != now) {
            SyncCaret();
            return;
        }
    }
    Ctrl* parent = now->GetParent();
    if(parent && !parent->IsBeingDestroyed())
        parent->ChildFocusGained();
    SyncCaret();
}

void FocusTopControl(Ctrl* top)
{
    CtrlGlobalRefs& refs = GetCtrlGlobalRefs();
    WeakPointer<Ctrl> old(refs.focus_ctrl.Get());
    WeakPointer<Ctrl> now(top);
    DeactivateOldRoot(old, now);
    refs.focus_ctrl = now.Get();
    refs.active_window = now.Get();
    SendFocusLost(old, now);
    SendFocusGained(old, now, true);
}

void SyncFocusWindow(Ctrl* top)
{
    if(GetCtrlGlobalRefs().active_window.Get() != top)
        FocusTopControl(top);
}

void DropWindowFocus(Ctrl* top)
{
    CtrlGlobalRefs& refs = GetCtrlGlobalRefs();
    if(!top || refs.active_window.Get() != top)
        return;
    WeakPointer<Ctrl> old(refs.focus_ctrl.Get());
    DeactivateOldRoot(old, nullptr);
    refs.active_window.Clear();
    refs.focus_ctrl.Clear();
    SendFocusLost(old, nullptr);
}

void RefocusWindow(Ctrl* top)
{
    CtrlGlobalRefs& refs = GetCtrlGlobalRefs();
    Ctrl* focus = refs.focus_ctrl;
    if(top && refs.active_window.Get() == top && focus && focus->GetRootCtrl() != top)
        FocusTopControl(top);
}

void ProcessDeferredFocus()
{
    CtrlGlobalRefs& refs = GetCtrlGlobalRefs();
    while(!refs.deferred_focus_lost.IsEmpty() || refs.deferred_focus_target) {
        Vector<WeakPointer<Ctrl>> lost = std::move(refs.deferred_focus_lost);
        refs.deferred_focus_lost.Clear();
        for(WeakPointer<Ctrl>& c : lost)
            if(c)
                c->ChildFocusLost();
        if(Ctrl* target = refs.deferred_focus_target)
            target->MoveFocusHere(true);
        refs.deferred_focus_target.Clear();
        SyncCaret();
    }
}

TopWindow* GetFocusTopWindow()
{
    Ctrl* focus = GetCtrlGlobalRefs().focus_ctrl;
    return focus ? focus->GetRootCtrl()->FindTopWindow() : nullptr;
}

void Ctrl::RefreshAccessKeyMarks()
{
    if(OwnAccessKeys())
        Refresh();
    WalkSiblings(GetFirstChild(), [](Ctrl* q) {
        q->RefreshAccessKeyMarks();
        return false;
    });
}

void RegisterFocusRouting()
{
    CtrlCoreSeams& s = GetCtrlCoreSeams();
    s.move_focus_here = MoveFocusHereImpl;
    s.send_focus_lost = SendFocusLost;
    s.focus_top_control = FocusTopControl;
}

} // namespace Qor
