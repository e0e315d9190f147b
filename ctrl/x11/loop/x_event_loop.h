// The loop on the X connection: each turn waits for the connection or the wake-up pipe, no
// longer than until the next timer or caret phase is due, refreshes the pointer state,
// dispatches every queued event and does the idle work (timers, repaint, caret, XSync, a
// new phase of the made-image cache).
#pragma once

#include "ctrl/x11/display/x11_display.h"

#include "ctrl/tree/ctrl_class.h"

namespace Qor {

struct WakePipe {
    int read_fd = -1;
    int write_fd = -1;
    bool made = false;
};

WakePipe& GetWakePipe();

void RunEventLoop(Ctrl* ctrl);
// Waits for the connection or the pipe; the select result.
int WaitForEvents(int ms);
void QueryPointerState();
bool ProcessPendingEvents();
bool SyncAndProcessEvents();
void RunIdleWork();

// Hands one X event to the window it belongs to (ctrl/x11/events): the input method and the
// windows' filters first, then the event procedure of the window's control, whose recorded
// child moves are repainted afterwards. A window whose control is gone is unlinked.
void DispatchXEvent(XEvent* event);

// Counters of the loop, for measuring its idle cost.
struct EventLoopStats {
    int64 turns = 0;
    int64 wakeups = 0; // turns whose wait ended before its time limit
    int64 events = 0;
};

EventLoopStats& GetEventLoopStats();

// Start-up: the wake-up pipe.
void RegisterEventLoop();

} // namespace Qor
