// Opening a TopWindow on X11: placement, the window-manager properties set once, the
// bounded waits for the window manager, frame extents and the client leader.

#include "ctrl/x11/topwindow/x_top_window.h"

#include "ctrl/defaults/ctrl_defaults.h"
#include "ctrl/input/button_tracking.h"
#include "ctrl/tree/host_window_record.h"
#include "ctrl/settings/gui_settings.h"
#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/host/window_host.h"
#include "ctrl/x11/loop/x_event_loop.h"
#include "foundation/callback_action.h"
#include "foundation/ini.h"
#include "foundation/process.h"
#include "foundation/process_environment.h"

#include <X11/Xatom.h>
#include <algorithm>
#include <sys/select.h>
#include <unistd.h>

namespace Qor {

FrameExtents& GetFrameExtents()
{
    static FrameExtents extents;
    return extents;
}

void TakeFrameExtents(const Vector<int>& v)
{
    if(v.GetCount() < 4)
        return;
    // Compared unsigned, so a negative width counts as huge.
    if(unsigned(v[0]) > 16 || unsigned(v[1]) > 16 || unsigned(v[2]) > 64 || unsigned(v[3]) > 48)
        return;
    FrameExtents& f = GetFrameExtents();
    f.left = std::max(f.left, v[0]);
    f.right = std::max(f.right, v[1]);
    f.top = std::max(f.top, v[2]);
    f.bottom = std::max(f.bottom, v[3]);
}

namespace {

int& Cascade()
{
    static int cascade = -1;
    if(cascade < 0)
        cascade = std::min(screen_size.cx / 10, 50);
    return cascade;
}

void SetCardinal(Window w, const char* name, Atom type, long value)
{
    XChangeProperty(display, w, AtomOf(name), type, 32, PropModeReplace, reinterpret_cast<byte*>(&value), 1);
}

void ClearWindowFlag(Ctrl* c) { c->SetWindowFlag(false); }

// Waits at most ms for an event of the mask on w and takes it off the queue.
bool WaitWindowEvent(Window w, long mask, XEvent& e, int ms)
{
    uint32 start = MonotonicMs();
    for(;;) {
        if(XCheckWindowEvent(display, w, mask, &e))
            return true;
        int64 left = int64(ms) - int64(MonotonicMs() - start);
        if(left <= 0)
            return false;
        XFlush(display);
        fd_set set;
        FD_ZERO(&set);
        FD_SET(ConnectionNumber(display), &set);
        timeval tv = { 0, long(std::min<int64>(left, 10)) * 1000 };
        select(ConnectionNumber(display) + 1, &set, nullptr, nullptr, &tv);
    }
}

void AwaitWindowManager(TopWindow& w, Window win, bool placed)
{
    XEvent e;
    WaitWindowEvent(win, VisibilityChangeMask, e, TOP_WINDOW_VISIBILITY_WAIT_MS);
    w.SetWindowFlag(true);
    w.CancelTimer(0);
    w.ScheduleTimer(500, MakeCallbackArg(ClearWindowFlag, static_cast<Ctrl*>(&w)), 0);
    w.FocusWindowCall();
    WeakPointer<Ctrl> alive(&w);
    for(int round = 0; round < 50 && alive && w.IsOpen(); round++) {
        XSync(display, false);
        if(placed)
            while(XCheckTypedWindowEvent(display, win, ConfigureNotify, &e)) {
                // The window manager's first placement of the window itself does not count.
                if(e.xconfigure.window != win)
                    DispatchXEvent(&e);
            }
        if(XCheckTypedWindowEvent(display, win, FocusIn, &e)) {
            DispatchXEvent(&e);
            if(e.xfocus.window == win)
                break;
        }
        usleep(10000);
    }
}

} // namespace

Window GetClientLeader()
{
    static Window leader = 0;
    static ::Display* made_on = nullptr;
    if(leader && made_on == display)
        return leader;
    leader = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
    made_on = display;
    SetCardinal(leader, "WM_CLIENT_LEADER", XA_WINDOW, long(leader));
    SetCardinal(leader, "_NET_WM_PID", XA_CARDINAL, long(getpid()));
    return leader;
}

void ResetDefaultWindowCascade() { Cascade() = std::min(screen_size.cx / 10, 50); }

Rect DefaultWindowRect()
{
    int& c = Cascade();
    int w = 2 * screen_size.cx / 3;
    int h = 2 * screen_size.cy / 3;
    int at = c;
    c = at + 10;
    int pos;
    if(c + w + 49 < screen_size.cx && c + h + 49 < screen_size.cy)
        pos = at + 30;
    else {
        c = 0;
        pos = 20;
    }
    return Rect(pos, pos, pos + w, pos + h);
}

void CentreOnWorkArea(TopWindow& w)
{
    Rect r = w.GetRectInParent();
    if(!r.IsEmpty() && (r.left || r.top))
        return;
    if(!r.IsEmpty()) {
        Rect area = GetWorkArea();
        int cx = std::min(r.Width(), area.Width());
        int cy = std::min(r.Height(), area.Height());
        int x = area.left + ((area.Width() - cx) >> 1);
        int y = area.top + ((area.Height() - cy) >> 1);
        r = Rect(x, y, x + cx, y + cy);
    }
    else
        r = DefaultWindowRect();
    w.SetRect(r);
}

void PlaceOnOpen(TopWindow& w, Ctrl* owner)
{
    CentreOnWorkArea(w);
    Rect r = w.GetRectInParent();
    if(owner) {
        Rect o = owner->GetRectOnScreen();
        int x = o.left + ((o.Width() - r.Width()) >> 1);
        int y = o.top + ((o.Height() - r.Height()) >> 1);
        r = Rect(x, y, x + r.Width(), y + r.Height());
    }
    Rect area = GetWorkArea();
    const FrameExtents& f = GetFrameExtents();
    int top_limit = area.top + (f.IsKnown() ? f.top : 32);
    int bottom_limit = area.bottom - (f.IsKnown() ? f.bottom : 8);
    if(r.top < top_limit)
        r.Offset(0, top_limit - r.top);
    if(r.bottom > bottom_limit)
        r.bottom = bottom_limit;
    Size min = w.MinimumSize();
    Size lowered(std::min(min.cx, r.Width()), std::min(min.cy, r.Height()));
    if(lowered != min)
        w.SetMinSize(lowered);
    w.SetRect(r);
}

void OpenTopWindow(TopWindow& w, Ctrl* owner)
{
    if(!display)
        return;
    if(GetAutoAccessKeysWhenNone() == 0 || w.CollectAccessKeys() < 2)
        w.AutoAssignAccessKeys();
    if(user_log_flag.Get())
        LogUserAction("   OPEN " + DescribeCtrl(&w));
    SkipHeldClick();
    bool placed = owner || !w.GetRectInParent().IsEmpty();
    PlaceOnOpen(w, owner);
    CreateWindowCall(w, owner, false, false);
    Window win = GetHostWindow(w);
    if(!win)
        return;
    XSetWMProperties(display, win, nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr);
    w.sent_min.cx = w.sent_max.cx = INT_NULL;
    w.sent_title.Clear();
    if(!placed)
        w.SyncHints();
    XSizeHints* size = w.hints->size;
    size->flags = 0;
    w.SyncSizeHints();
    Rect r = w.GetRectInParent();
    size->flags |= PPosition | PSize | PWinGravity;
    size->x = r.left;
    size->y = r.top;
    size->width = r.Width();
    size->height = r.Height();
    size->win_gravity = StaticGravity;
    if(owner)
        XSetTransientForHint(display, win, GetHostWindow(*owner->GetRootCtrl()));
    XSetWMNormalHints(display, win, size);
    Atom protocols[] = { AtomOf("WM_DELETE_WINDOW"), AtomOf("WM_TAKE_FOCUS"), AtomOf("_NET_WM_PING") };
    XSetWMProtocols(display, win, protocols, 3);
    String title = ExecutableTitle();
    XClassHint* cls = w.hints->class_hint;
    cls->res_name = const_cast<char*>(title.Begin());
    cls->res_class = const_cast<char*>(title.Begin());
    XSetClassHint(display, win, cls);
    cls->res_name = cls->res_class = nullptr;
    WeakPointer<Ctrl> alive(&w);
    w.ShowWindowCall(w.IsVisible());
    if(alive && w.IsVisible() && w.IsOpen())
        AwaitWindowManager(w, win, placed);
    if(!alive || !w.IsOpen())
        return;
    if(placed) {
        w.SetWindowRectCall(w.GetRectInParent());
        w.SyncHints();
    }
    w.RestoreFocus();
    if(!alive)
        return;
    w.NotifyStateChange(STATE_OPEN);
    if(!alive || !w.IsOpen())
        return;
    TakeFrameExtents(ReadWindowPropertyInts(win, AtomOf("_NET_FRAME_EXTENTS"), AnyPropertyType));
    if(HostWindowRecord* host = w.GetHostRecord())
        host->owner = owner;
    Window leader = GetClientLeader();
    SetCardinal(win, "_NET_WM_PID", XA_CARDINAL, long(getpid()));
    SetCardinal(win, "WM_CLIENT_LEADER", XA_WINDOW, long(leader));
    SetCardinal(win, "XdndAware", XA_ATOM, 5);
    w.SyncState();
    w.SyncIcon();
}

} // namespace Qor
