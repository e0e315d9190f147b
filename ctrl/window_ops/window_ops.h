// Window operations of top-level controls: the control tree asks for them only through
// callbacks on a weak target, run at once from one dispatch point, so that an operation on
// a control that is gone does nothing.
#pragma once

#include "foundation/callback.h"
#include "foundation/values/rect.h"

namespace Qor {

class Ctrl;

// What the window host does to a control's own window; the host fills the table at
// start-up. An empty entry does nothing (a control without a window host has no window).
struct HostWindowOps {
    // Destroys the control's window and its host record.
    void (*destroy)(Ctrl& c) = nullptr;
    // Maps or unmaps the window, then sets the visible flag and sends the state change.
    void (*show)(Ctrl& c, bool show) = nullptr;
    // Handles the queued exposures and paints the invalid areas now.
    void (*update)(Ctrl& c) = nullptr;
    // Gives the window the input focus and raises it.
    void (*activate)(Ctrl& c) = nullptr;
    // Enables or disables the window (*enable says which) and sets *enable to whether the
    // control has a window.
    void (*enable)(Ctrl& c, bool* enable) = nullptr;
    // Gives the window the input focus; sets *focused when it did.
    void (*focus)(Ctrl& c, bool* focused) = nullptr;
    void (*set_rect)(Ctrl& c, const Rect& r) = nullptr;
    void (*update_rect)(Ctrl& c, const Rect& r) = nullptr;
    void (*scroll)(Ctrl& c, const Rect& r, int dx, int dy) = nullptr;
    // Waits at most ms milliseconds for events.
    void (*wait_for_events)(int ms) = nullptr;
    // Runs the event loop until the owner leaves its loop, or with null until no window is left.
    void (*run_event_loop)(Ctrl* owner) = nullptr;
    // Opens c as a pop-up window owned by owner's window; with activate it takes the focus and
    // a counted pointer grab, so a nested pop-up closing keeps its parent's grab.
    void (*open_popup)(Ctrl& c, Ctrl* owner, bool save_under, bool activate) = nullptr;
    // The work area of the screen that contains p.
    Rect (*work_area_at)(Point p) = nullptr;
};

HostWindowOps& GetHostWindowOps();

// The one dispatch point of window operations and the event loop: runs cb at once (there is
// one GUI thread); an empty callback does nothing.
void RunOnGuiThread(Callback& cb);
void WaitForEventsCall(int ms);
void EventLoopCall(Ctrl* owner);
void OpenPopupCall(Ctrl& c, Ctrl* owner, bool save_under, bool activate);
// The work area containing p; the whole work area, or an empty rectangle, without a host.
Rect GetWorkAreaAtCall(Point p);

// Start-up: the control tree's window operations go through the weak callbacks.
void RegisterWindowOperations();

} // namespace Qor
