// Host windows: created for a top-level control, destroyed with its window, and pop-ups
// with their pointer grab.

#include "ctrl/x11/host/window_host.h"

#include "ctrl/tree/global_refs.h"
#include "ctrl/tree/host_window_record.h"
#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/display/x11_errors.h"
#include "draw/look/sys_colors.h"

#include <X11/Xatom.h>
#include <algorithm>

namespace Qor {

namespace {

void SetAtomProperty(Window w, const char* property, Atom value)
{
    long v = long(value);
    XChangeProperty(display, w, AtomOf(property), XA_ATOM, 32, PropModeReplace, reinterpret_cast<byte*>(&v), 1);
}

} // namespace

void CreateHostWindow(Ctrl& c, Ctrl* owner, bool popup, bool save_under)
{
    HostState& state = GetHostState();
    if(state.grab_window) {
        XUngrabPointer(display, X_CURRENT_TIME);
        XFlush(display);
        state.grab_window = 0;
    }
    XSetWindowAttributes a = {};
    a.background_pixel = ColorToPixel(SysColorPaper());
    a.background_pixmap = X_NONE;
    a.bit_gravity = ForgetGravity;
    a.override_redirect = popup;
    a.save_under = save_under;
    // Without a compositor the window has no background: the server never clears it, so
    // a repaint shows no flash of the paper colour.
    unsigned long mask =
        (IsCompositorRunning() ? CWBackPixel : CWBackPixmap) | CWBitGravity | CWOverrideRedirect | CWSaveUnder;
    c.SetOpenFlag(true);
    Rect r = c.GetRectInParent();
    Window w =
        XCreateWindow(display, root, r.left, r.top, unsigned(std::max(r.Width(), 1)), unsigned(std::max(r.Height(), 1)),
                      0, CopyFromParent, InputOutput, CopyFromParent, mask, &a);
    if(!w)
        X11Fatal("XCreateWindow failed !");
    WindowMapEntry& e = GetWindowMap().Add(w);
    e.ctrl = &c;
    e.owner = owner;
    if(input_method)
        e.xic = XCreateIC(input_method, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, w, nullptr);
    HostWindowRecord* host = new HostWindowRecord;
    host->window = w;
    c.SetHostRecord(host);
    long mask_events = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                       ExposureMask | VisibilityChangeMask | StructureNotifyMask | FocusChangeMask | PropertyChangeMask;
    if(e.xic) {
        long filter = 0;
        if(!XGetICValues(e.xic, XNFilterEvents, &filter, nullptr))
            mask_events |= filter;
    }
    XSelectInput(display, w, mask_events);
    long version = 5;
    XChangeProperty(display, w, AtomOf("XdndAware"), XA_ATOM, 32, PropModeReplace, reinterpret_cast<byte*>(&version),
                    1);
    c.CancelInteraction();
    if(popup)
        SetAtomProperty(w, "_NET_WM_WINDOW_TYPE", AtomOf("_NET_WM_WINDOW_TYPE_POPUP_MENU"));
    c.ResolveLayout(2);
}

void CreateWindowCall(Ctrl& c, Ctrl* owner, bool popup, bool save_under)
{
    CreateHostWindow(c, owner, popup, save_under);
}

void DestroyHostWindow(Ctrl& c)
{
    HostWindowRecord* host = c.GetHostRecord();
    if(!host || !c.IsOpen())
        return;
    HostState& state = GetHostState();
    WindowMap& map = GetWindowMap();
    InvalidateUncoveredArea(c);
    Window w = host->window;
    bool had_focus = w && w == state.focus_window;
    // Owned windows (pop-ups, dialogs) go first.
    for(int i = 0; i < map.GetCount(); i++)
        if(map.IsLinked(i) && map[i].owner.Get() == &c)
            if(Ctrl* q = map[i].ctrl; q && q->IsInOpenWindow())
                q->DestroyWindowCall();
    EndPopupGrab(c);
    WeakPointer<Ctrl> owner;
    int i = map.Find(w);
    if(i >= 0) {
        WindowMapEntry& e = map[i];
        owner = e.owner;
        e.invalid.Clear();
        if(e.xic)
            XDestroyIC(e.xic);
        e.xic = nullptr;
    }
    c.SetOpenFlag(false);
    if(state.focus_window == w)
        state.focus_window = 0;
    if(state.grab_window == w)
        state.grab_window = 0;
    XDestroyWindow(display, w);
    if(i >= 0) {
        map[i].ctrl = nullptr;
        map.Unlink(i);
    }
    host->window = 0;
    if(had_focus && owner)
        AcceptWindowFocus(*owner);
    if(WindowMapEntry* f = map.Get(state.focus_window); f && f->xic)
        XSetICFocus(f->xic);
    c.SetHostRecord(nullptr);
    delete host;
    SyncFocusFromX();
}

void OpenPopup(Ctrl& c, Ctrl* owner, bool save_under, bool activate, bool, bool)
{
    HostState& state = GetHostState();
    Ctrl* owner_root = owner ? owner->GetRootCtrl() : GetFocusTopCtrl();
    c.SetWindowFlag(true);
    CreateWindowCall(c, owner_root, true, save_under);
    if(activate) {
        // Every pop-up that asks for the grab is counted, so closing a nested pop-up keeps
        // the grab of the pop-up below it; only the first one grabs.
        if(state.popup_grab_count > 0) {
            state.popup_grab_count++;
            c.SetPopupGrabFlag(true);
        }
        else if(owner_root && owner_root->HasHostWindow()) {
            int result = XGrabPointer(display, GetHostWindow(*owner_root), true,
                                      ButtonPressMask | ButtonReleaseMask | EnterWindowMask | LeaveWindowMask |
                                          PointerMotionMask,
                                      GrabModeAsync, GrabModeAsync, X_NONE, X_NONE, X_CURRENT_TIME);
            if(result == GrabSuccess) {
                state.popup_grab_count = 1;
                state.popup_grab_owner = owner_root->FindTopWindowCtrl();
                c.SetPopupGrabFlag(true);
            }
        }
    }
    if(c.HasHostWindow())
        c.SetPopupFlag(true);
    if(c.IsVisible())
        c.ShowWindowCall(true);
    if(activate && c.IsEnabled())
        c.SetFocus();
    if(HostWindowRecord* host = c.GetHostRecord())
        host->owner = owner;
    c.NotifyStateChange(STATE_OPEN);
}

void ReleasePopupGrab()
{
    HostState& state = GetHostState();
    if(state.popup_grab_count <= 0)
        return;
    if(--state.popup_grab_count == 0) {
        XUngrabPointer(display, X_CURRENT_TIME);
        XFlush(display);
        state.popup_grab_owner = nullptr;
    }
}

void EndPopupGrab(Ctrl& c)
{
    if(!c.HasPopupGrab())
        return;
    ReleasePopupGrab();
    c.SetPopupGrabFlag(false);
}

bool GrabPointer(Ctrl& c)
{
    HostState& state = GetHostState();
    if(!c.IsEnabled() || !c.HasHostWindow() || !c.IsVisibleUpward())
        return false;
    Window w = GetHostWindow(c);
    if(state.grab_window == w)
        return true;
    if(XGrabPointer(display, w, false,
                    ButtonPressMask | ButtonReleaseMask | EnterWindowMask | LeaveWindowMask | PointerMotionMask,
                    GrabModeAsync, GrabModeAsync, X_NONE, X_NONE, X_CURRENT_TIME) != GrabSuccess)
        return false;
    state.grab_window = w;
    return true;
}

bool ReleasePointerGrab(Ctrl& c)
{
    HostState& state = GetHostState();
    Window w = GetHostWindow(c);
    if(!w || w != state.grab_window)
        return false;
    XUngrabPointer(display, X_CURRENT_TIME);
    XFlush(display);
    state.grab_window = 0;
    return true;
}

void ReleaseAnyPointerGrab()
{
    HostState& state = GetHostState();
    if(!state.grab_window)
        return;
    XUngrabPointer(display, X_CURRENT_TIME);
    XFlush(display);
    state.grab_window = 0;
}

bool HoldsPointerGrab(const Ctrl& c)
{
    Window w = GetHostWindow(c);
    return w && w == GetHostState().grab_window;
}

} // namespace Qor
