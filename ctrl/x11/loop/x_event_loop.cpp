// The event loop on the X connection.

#include "ctrl/x11/loop/x_event_loop.h"

#include "ctrl/x11/platform/x11_platform.h"
#include "ctrl/loop/caret.h"
#include "ctrl/loop/event_loop.h"
#include "ctrl/timer/timer.h"
#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/host/window_host.h"
#include "draw/image_cache/made_image.h"
#include "foundation/process.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/select.h>
#include <unistd.h>

namespace Qor {

WakePipe& GetWakePipe()
{
    static WakePipe pipe;
    return pipe;
}

EventLoopStats& GetEventLoopStats()
{
    static EventLoopStats stats;
    return stats;
}

namespace {

void MakeWakePipe()
{
    WakePipe& p = GetWakePipe();
    if(p.made)
        return;
    int fd[2];
    p.made = pipe(fd) == 0;
    if(!p.made)
        return;
    p.read_fd = fd[0];
    p.write_fd = fd[1];
    fcntl(p.read_fd, F_SETFL, O_NONBLOCK);
    fcntl(p.write_fd, F_SETFL, O_NONBLOCK);
}

void DrainWakePipe()
{
    WakePipe& p = GetWakePipe();
    if(!p.made)
        return;
    char c;
    while(read(p.read_fd, &c, 1) > 0) {}
}

bool LoopEnded(Ctrl* ctrl)
{
    if(ctrl)
        return !ctrl->IsInLoop() || !ctrl->IsInOpenWindow();
    return GetTopCtrls().IsEmpty();
}

} // namespace

int WaitForEvents(int ms)
{
    XFlush(display);
    WakePipe& p = GetWakePipe();
    fd_set set;
    FD_ZERO(&set);
    int fd = ConnectionNumber(display);
    FD_SET(fd, &set);
    int top = fd;
    if(p.made) {
        FD_SET(p.read_fd, &set);
        top = std::max(top, p.read_fd);
    }
    timeval tv;
    tv.tv_sec = ms / 1000;
    tv.tv_usec = (ms % 1000) * 1000;
    int result = select(top + 1, &set, nullptr, nullptr, &tv);
    if(result > 0)
        GetEventLoopStats().wakeups++;
    DrainWakePipe();
    return result;
}

void QueryPointerState()
{
    HostState& s = GetHostState();
    s.pointer_screen_pos = Point(INT_NULL, INT_NULL);
    Window root_return, child;
    int rx, ry, wx, wy;
    unsigned mask;
    if(XQueryPointer(display, root, &root_return, &child, &rx, &ry, &wx, &wy, &mask)) {
        s.pointer_screen_pos = Point(rx, ry);
        s.keyboard_state = int(mask & (ShiftMask | ControlMask | Mod1Mask));
    }
}

namespace {

// Repaints what is invalid in every exposed window; whether anything was painted.
bool PaintInvalidWindows()
{
    bool painted = false;
    WindowMap& map = GetWindowMap();
    // By index, the count read again at every step: painting may open or close windows.
    for(int i = 0; i < map.GetCount(); i++) {
        if(!map.IsLinked(i))
            continue;
        WindowMapEntry& e = map[i];
        Ctrl* c = e.ctrl;
        if(!c) {
            map.Unlink(i);
            continue;
        }
        // Moves made outside an event (in a timer, say) are repainted here.
        c->RefreshMovedChildren();
        if(!e.exposed || e.invalid.IsEmpty())
            continue;
        c->ApplyPendingScrolls();
        Vector<Rect> invalid = std::move(map[i].invalid);
        map[i].invalid.Clear();
        PaintHostWindow(*c, invalid);
        painted = true;
    }
    return painted;
}

bool HasInvalidWindows()
{
    WindowMap& map = GetWindowMap();
    for(int i = 0; i < map.GetCount(); i++)
        if(map.IsLinked(i) && map[i].ctrl && map[i].exposed && !map[i].invalid.IsEmpty())
            return true;
    return false;
}

// The longest a resting loop waits even with nothing scheduled: a safety net, not a tick.
constexpr int MAX_IDLE_WAIT_MS = 1000;

// How long the next turn may wait: nothing when events are queued or windows wait for
// paint, else until the next timer or caret phase is due.
int IdleWaitMs()
{
    if(XQLength(display) > 0 || HasInvalidWindows())
        return 0;
    int wait = MAX_IDLE_WAIT_MS;
    for(int due : { GetTimerWaitMs(), GetCaretWaitMs(MonotonicMs()) })
        if(due >= 0)
            wait = std::min(wait, due);
    return wait;
}

// The idle step; the round trip of XSync only when the turn did something.
void RunIdleStep(bool sync)
{
    RunDueTimers(int(MonotonicMs()));
    bool painted = PaintInvalidWindows();
    SyncCaret();
    UpdateCaretBlink(MonotonicMs());
    if(sync || painted)
        XSync(display, false);
}

} // namespace

void RunIdleWork() { RunIdleStep(true); }

bool ProcessPendingEvents()
{
    bool any = false;
    if(XPending(display)) {
        any = true;
        XEvent e;
        XNextEvent(display, &e);
        DispatchXEvent(&e);
        while(XPending(display)) {
            XNextEvent(display, &e);
            DispatchXEvent(&e);
            Ctrl* loop = LoopCtrl();
            if(loop && !loop->IsInLoop())
                break;
        }
    }
    RunIdleWork();
    StartImageCachePhase();
    return any;
}

bool SyncAndProcessEvents()
{
    XSync(display, false);
    return ProcessPendingEvents();
}

void RunEventLoop(Ctrl* ctrl)
{
    if(!display)
        return;
    Ctrl* previous = LoopCtrl();
    if(ctrl) {
        LoopCtrl() = ctrl;
        ctrl->SetInLoop(true);
    }
    while(!LoopEnded(ctrl)) {
        GetEventLoopStats().turns++;
        // A turn waits only as long as nothing is due, so a resting program sleeps; a wait
        // that ended with nothing to read leaves the pointer where the last event put it.
        int woke = WaitForEvents(IdleWaitMs());
        bool active = woke != 0 || XPending(display);
        if(active)
            QueryPointerState();
        while(XPending(display)) {
            XEvent e;
            XNextEvent(display, &e);
            DispatchXEvent(&e);
        }
        RunIdleStep(active);
        StartImageCachePhase();
    }
    if(ctrl)
        LoopCtrl() = previous;
}

void X11Platform::WaitForEvents(int ms) { Qor::WaitForEvents(ms); }
void X11Platform::RunEventLoop(Ctrl* owner) { Qor::RunEventLoop(owner); }
bool X11Platform::ProcessPendingEvents() { return Qor::ProcessPendingEvents(); }
bool X11Platform::IsPaintingWindow() { return GetHostState().painting_window; }

void RegisterEventLoop() { MakeWakePipe(); }

} // namespace Qor
