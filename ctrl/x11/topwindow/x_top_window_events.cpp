// The window-manager messages a TopWindow answers (close, take focus, ping), its state
// following _NET_WM_STATE, the placement record, and the start-up registration.

#include "ctrl/x11/topwindow/x_top_window.h"

#include "ctrl/x11/platform/x11_platform.h"
#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/events/x_events.h"
#include "ctrl/x11/host/window_host.h"
#include "foundation/callback_action.h"
#include "foundation/stream.h"

#include <X11/Xatom.h>
#include <algorithm>

namespace Qor {

namespace {

bool HandleProtocol(TopWindow& w, XEvent* event)
{
    XClientMessageEvent& m = event->xclient;
    Atom what = Atom(m.data.l[0]);
    if(what == AtomOf("WM_DELETE_WINDOW")) {
        // A disabled window (a modal dialog runs above it) ignores the request.
        if(!w.IsEnabled())
            return false;
        w.CloseAction().Run();
        return true;
    }
    if(what == AtomOf("WM_TAKE_FOCUS")) {
        GetHostState().last_event_time = ::Time(m.data.l[1]);
        AcceptWindowFocus(w);
        return true;
    }
    if(what == AtomOf("_NET_WM_PING")) {
        XEvent reply = *event;
        reply.xclient.window = root;
        XSendEvent(display, root, false, SubstructureRedirectMask | SubstructureNotifyMask, &reply);
        return true;
    }
    return false;
}

void FollowNetWmState(TopWindow& w, Window win)
{
    Vector<int> atoms = ReadWindowPropertyInts(win, AtomOf("_NET_WM_STATE"), XA_ATOM);
    auto has = [&](const char* name) {
        int a = int(AtomOf(name));
        return std::find(atoms.begin(), atoms.end(), a) != atoms.end();
    };
    if(has("_NET_WM_STATE_HIDDEN"))
        w.SetState(TopWindow::STATE_MINIMIZED);
    else if(has("_NET_WM_STATE_MAXIMIZED_HORZ") && has("_NET_WM_STATE_MAXIMIZED_VERT"))
        w.SetState(TopWindow::STATE_MAXIMIZED);
    else
        w.SetState(TopWindow::STATE_NORMAL);
}

Ctrl* DefaultOwner()
{
    Ctrl* focus = GetFocusTopCtrl();
    return focus ? focus->FindTopWindowCtrl() : nullptr;
}

TopWindowHints* AllocHints()
{
    TopWindowHints* h = new TopWindowHints;
    h->size = XAllocSizeHints();
    h->wm = XAllocWMHints();
    h->class_hint = XAllocClassHint();
    return h;
}

void FreeHints(TopWindowHints* h)
{
    if(!h)
        return;
    XFree(h->size);
    XFree(h->wm);
    XFree(h->class_hint);
    delete h;
}

void SyncStateNow(TopWindow* w) { w->SyncState(); }

} // namespace

void HandleTopWindowEvent(TopWindow& w, WindowMapEntry* entry, XEvent* event)
{
    Window win = GetHostWindow(w);
    if(event->type == ClientMessage && event->xclient.format == 32 &&
       event->xclient.message_type == AtomOf("WM_PROTOCOLS") && HandleProtocol(w, event))
        return;
    if(event->type == PropertyNotify && event->xproperty.atom == AtomOf("_NET_WM_STATE") && win)
        FollowNetWmState(w, win);
    WeakPointer<Ctrl> alive(&w);
    w.Ctrl::HandleWindowEvent(entry, event);
    if(alive)
        w.SyncSizeHints();
}

void SerializeTopWindowPlacement(TopWindow& w, Stream& s, bool reminimize)
{
    int version = 0;
    s.SerializeCount(version);
    Rect normal = w.GetNormalRect();
    Rect current = w.GetRectOnScreen();
    for(Rect* r : { &normal, &current }) {
        int32 v[4] = { r->left, r->top, r->right, r->bottom };
        for(int32& x : v)
            s.Serialize(x);
        *r = Rect(v[0], v[1], v[2], v[3]);
    }
    bool minimized = w.GetState() == TopWindow::STATE_MINIMIZED;
    bool maximized = w.GetState() == TopWindow::STATE_MAXIMIZED;
    s.Pack(minimized, maximized);
    if(s.IsStoring() || s.IsError())
        return;
    w.SetNormalRect(normal);
    if(minimized)
        current = normal;
    const FrameExtents& f = GetFrameExtents();
    Rect area = GetWorkArea();
    if(f.IsKnown())
        area = Rect(area.left + f.left, area.top + f.top, area.right - f.right, area.bottom - f.bottom);
    else
        area = Rect(area.left + 8, area.top + 32, area.right - 8, area.bottom - 8);
    w.SetState(TopWindow::STATE_NORMAL);
    int cy = std::min(current.Height(), area.Height());
    int y = std::min(std::max(current.top, area.top), area.bottom - cy);
    int cx = std::min(current.Width(), area.Width());
    int x = std::min(std::max(current.left, area.left), area.right - cx);
    Rect fitted(x, y, x + cx, y + cy);
    if(minimized && reminimize)
        w.SetState(maximized ? TopWindow::STATE_MAXIMIZED : TopWindow::STATE_MINIMIZED);
    else if(maximized)
        w.SetState(TopWindow::STATE_MAXIMIZED);
    else
        w.SetRect(fitted);
    if(w.IsOpen() && w.GetState() != TopWindow::STATE_NORMAL)
        SyncStateNow(&w);
}

void X11Platform::OpenTopWindow(TopWindow& w, Ctrl* owner) { Qor::OpenTopWindow(w, owner); }
Ctrl* X11Platform::GetDefaultOwner() { return DefaultOwner(); }

void X11Platform::TopWindowEvent(TopWindow& w, WindowMapEntry* entry, _XEvent* event)
{
    HandleTopWindowEvent(w, entry, event);
}

void X11Platform::SyncTopWindowHints(TopWindow& w) { Qor::SyncTopWindowHints(w); }
void X11Platform::SyncTopWindowState(TopWindow& w) { Qor::SyncTopWindowState(w); }
void X11Platform::SyncTopWindowSizeHints(TopWindow& w) { Qor::SyncTopWindowSizeHints(w); }
void X11Platform::SyncTopWindowTitle(TopWindow& w) { Qor::SyncTopWindowTitle(w); }

void X11Platform::SerializeTopWindowPlacement(TopWindow& w, Stream& s, bool reminimize)
{
    Qor::SerializeTopWindowPlacement(w, s, reminimize);
}

void X11Platform::SetWindowOpacity(Ctrl& c, int alpha) { Qor::SetWindowOpacity(c, alpha); }
TopWindowHints* X11Platform::AllocTopWindowHints() { return AllocHints(); }
void X11Platform::FreeTopWindowHints(TopWindowHints* hints) { FreeHints(hints); }

} // namespace Qor
