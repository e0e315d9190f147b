// State notifications, visibility and enabling, and the release of global references when
// a control leaves an open window.

#include "ctrl/platform/platform.h"
#include "ctrl/state/ctrl_hooks.h"
#include "ctrl/tree/child_walk_internal.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/tree/ctrl_class.h"
#include "ctrl/tree/global_refs.h"

namespace Qor {

namespace {

void SyncCaret()
{
    if(auto sync = GetCtrlCoreSeams().sync_caret)
        sync();
}

void FocusTopControl(Ctrl* top)
{
    if(auto focus = GetCtrlCoreSeams().focus_top_control)
        focus(top);
}

bool InSubtree(const Ctrl* root, const Ctrl* c) { return c && (c == root || root->IsAncestorOf(c)); }

// A pop-up that goes away gives the focus back to its owner.
void RefocusPopupOwner(Ctrl& popup)
{
    Ctrl* owner = popup.GetOwner();
    if(owner && owner->IsEnabled())
        FocusTopControl(owner);
}

} // namespace

void Ctrl::NotifyStateChange(int reason)
{
    WeakPointer<Ctrl> alive(this);
    const Vector<StateHook>& hooks = GetStateHooks();
    // The count is read again each turn: a hook may add hooks.
    for(int i = 0; i < hooks.GetCount(); i++)
        if(hooks[i](this, reason) || !alive)
            return;
    SendStateToSubtree(reason);
}

void Ctrl::SendStateToSubtree(int reason)
{
    if(IsBeingDestroyed())
        return;
    WalkSiblings(first_child, [&](Ctrl* q) {
        if(!q->IsBeingDestroyed())
            q->SendStateToSubtree(reason);
        return false;
    });
    StateChanged(reason);
}

bool Ctrl::IsVisibleUpward() const
{
    for(const Ctrl* q = this; q; q = q->parent)
        if(!q->IsVisible())
            return false;
    return true;
}

bool Ctrl::IsInOpenWindow() const
{
    const Ctrl* root = GetRootCtrl();
    return root->host && root->IsOpen();
}

bool Ctrl::IsInActiveWindow() const { return GetPlatform().IsInFocusWindow(*GetRootCtrl()); }

void Ctrl::SetVisible(bool v)
{
    if(IsVisible() == v)
        return;
    // Refreshed once as visible and once in the new state, so that both the area it
    // covered and the area it now covers are repainted.
    SetFlagA(A_VISIBLE, true);
    SetFlagA(A_FULL_REFRESH, false);
    RefreshFrame();
    SetFlagA(A_VISIBLE, v);
    SetFlagA(A_FULL_REFRESH, false);
    RefreshFrame();
    WeakPointer<Ctrl> alive(this);
    if(parent)
        NotifyStateChange(STATE_SHOW);
    if(!alive)
        return;
    if(host)
        ShowWindowCall(v);
    // A frame control gives up its band when hidden.
    if(parent && IsInFrameArea())
        parent->ResolveLayout(1);
}

void Ctrl::ApplyEnabled(bool e)
{
    SetFlagA(A_ENABLED, e);
    if(host)
        EnableWindowCall(e);
    RefreshFrame();
    NotifyStateChange(STATE_ENABLE);
    SyncCaret();
}

void Ctrl::SetEnabled(bool e)
{
    if(IsEnabled() == e)
        return;
    SetFlagA(A_ENABLED, e);
    if(host)
        EnableWindowCall(e);
    if(!e && parent && HasFocusInTree())
        FocusNextCtrl(this, GetRootCtrl(), false, false, false);
    RefreshFrame();
    NotifyStateChange(STATE_ENABLE);
    SyncCaret();
}

bool Ctrl::FocusIfFocusable()
{
    if(!WantsFocus() || !IsEnabled() || !IsVisibleUpward())
        return false;
    const Ctrl* root = GetRootCtrl();
    if(!root->host || !root->IsOpen())
        return false;
    return SetFocus();
}

void Ctrl::ActivateRootWindow() { GetRootCtrl()->ActivateWindowCall(); }

void Ctrl::CancelInteractionInSubtree()
{
    CancelInteraction();
    for(Ctrl* q = first_child; q; q = q->next)
        q->CancelInteractionInSubtree();
}

void Ctrl::DropGlobalReferences()
{
    if(!IsInOpenWindow())
        return;
    CtrlGlobalRefs& g = GetCtrlGlobalRefs();
    if(InSubtree(this, g.capturing_ctrl)) {
        if(auto release = GetCtrlCoreSeams().release_capture)
            release();
        else
            g.capturing_ctrl.Clear();
    }
    CancelInteractionInSubtree();
    if(InSubtree(this, g.pointer_ctrl))
        g.pointer_ctrl.Clear();
    if(HasPopupGrab()) {
        GetPlatform().EndPopupGrab(*this);
        SetPopupGrabFlag(false);
    }
    if(!HasFocusInTree())
        return;
    if(IsBeingDestroyed()) {
        // The focus cannot move during destruction: the parent takes it after the event.
        if(parent) {
            g.deferred_focus_target = parent;
            g.deferred_focus_lost.Add(WeakPointer<Ctrl>(parent));
        }
        else if(IsPopup())
            RefocusPopupOwner(*this);
        SetWantsFocus(false);
    }
    else {
        Ctrl* old = g.focus_ctrl;
        g.focus_ctrl.Clear();
        if(auto lost = GetCtrlCoreSeams().send_focus_lost)
            lost(old, nullptr);
        if(parent) {
            // The parent's focus search must not come back into this control.
            bool wants = WantsFocus();
            SetWantsFocus(false);
            parent->MoveFocusHere(false);
            SetWantsFocus(wants);
        }
        else if(IsPopup())
            RefocusPopupOwner(*this);
    }
    SyncCaret();
}

} // namespace Qor
