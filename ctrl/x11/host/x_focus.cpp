// Which host window has the X input focus, as far as the system knows, and the answers to
// focus offers and losses.

#include "ctrl/x11/host/window_host.h"

#include "ctrl/focus/focus_routing.h"
#include "ctrl/loop/caret.h"
#include "ctrl/tree/global_refs.h"
#include "foundation/process.h"

namespace Qor {

namespace {

Window GetXInputFocus()
{
    Window w = 0;
    int revert = 0;
    XGetInputFocus(display, &w, &revert);
    return w;
}

} // namespace

void NotifyXFocusLoss(Window w)
{
    WindowMapEntry* e = GetWindowMap().Get(w);
    if(Ctrl* c = e ? e->ctrl.Get() : nullptr)
        DropWindowFocus(c);
}

void SyncFocusFromX()
{
    HostState& state = GetHostState();
    Window w = GetXInputFocus();
    if(w == state.focus_window)
        return;
    WindowMapEntry* e = GetWindowMap().Get(w);
    if(!w || !e) {
        NotifyXFocusLoss(state.focus_window);
        state.focus_window = 0;
    }
    else {
        Window previous = state.focus_window;
        state.focus_window = w;
        Ctrl* c = e->ctrl;
        if(!c)
            state.focus_window = 0;
        else if(!c->IsPopup()) {
            NotifyXFocusLoss(previous);
            // A disabled window keeps pointing at the dialog that disabled it.
            if(c->IsEnabled())
                MarkLastActiveWindow(e, c);
            SyncFocusWindow(c);
        }
    }
    UpdateCaretBlink(MonotonicMs());
}

// Every window that takes the X focus is marked, so that a window disabled by a dialog it
// owns knows where to send a focus offer (AcceptWindowFocus).
void MarkLastActiveWindow(WindowMapEntry* entry, Ctrl* c)
{
    // Owner chains follow open windows; the bound only keeps a damaged chain from hanging.
    for(int guard = 0; entry && guard < 10000; guard++) {
        entry->last_active = c;
        Ctrl* owner = entry->owner;
        entry = owner ? GetWindowMapEntry(*owner) : nullptr;
    }
}

namespace {

// An enabled window takes the X focus, unless it has it, and becomes the active window.
void TakeWindowFocus(Ctrl& c)
{
    if(c.IsVisibleUpward() && GetXInputFocus() != GetHostWindow(c)) {
        WeakPointer<Ctrl> alive(&c);
        ClearKeyboardState();
        c.FocusWindowCall();
        if(!alive)
            return;
    }
    WindowMapEntry* e = GetWindowMapEntry(c);
    if(!e || GetCtrlGlobalRefs().active_window.Get() == &c)
        return;
    MarkLastActiveWindow(e, &c);
    SyncFocusWindow(&c);
}

} // namespace

void AcceptWindowFocus(Ctrl& ctrl)
{
    HostState& state = GetHostState();
    Ctrl& c = *ctrl.GetRootCtrl();
    WindowMapEntry* e = GetWindowMapEntry(c);
    if(!e)
        return;
    Window w = GetHostWindow(c);
    if(c.HasWindowFlag()) {
        if(state.focus_window && state.focus_window != w)
            XSetInputFocus(display, state.focus_window, RevertToParent, X_CURRENT_TIME);
        return;
    }
    if(c.IsEnabled()) {
        // An owned window leaves its own offers to its owner's handling.
        if(!e->owner)
            TakeWindowFocus(c);
        return;
    }
    // A modal dialog of its own runs: the offer, and the keyboard, go to the window last
    // active among those it owns, even while the window manager has made this one the active
    // window, and even when that window is an owned dialog in its first moments (which refuses
    // only offers made to itself).
    Ctrl* last = e->last_active;
    if(last && last != &c && last->IsInOpenWindow() && last->IsEnabled())
        TakeWindowFocus(*last->GetRootCtrl());
}

} // namespace Qor
