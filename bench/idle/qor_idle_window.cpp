// A Qor window that rests: with an edit field holding the focus (its caret blinks), or with
// --plain only a window with nothing scheduled. Prints "ready" once it rests, then runs its
// loop until it is killed; bench/idle_wakeups.py measures what the resting costs.

#include "ctrl/topwindow/top_window.h"
#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/host/window_host.h"
#include "ctrl/x11/loop/x_event_loop.h"
#include "ctrl/x11/startup/window_system.h"
#include "foundation/app_startup.h"
#include "foundation/process.h"
#include "widgets/edit/edit_field.h"

#include <cstdio>
#include <cstring>

using namespace Qor;

int main(int argc, char** argv, char** envp)
{
    bool plain = argc > 1 && !std::strcmp(argv[1], "--plain");
    ProcessStartUp(argc, argv, envp);
    InitWindowSystem();
    TopWindow w;
    EditField field;
    w.SetTitle("Idle");
    w.SetRect(Rect(40, 40, 300, 60));
    if(!plain) {
        w.AppendChild(field);
        field.SetRect(10, 10, 280, 24);
        field.SetWantsFocus();
    }
    w.OpenWithOwner(nullptr);
    // No window manager gives the focus on a bare server: the window takes it.
    uint32 limit = MonotonicMs() + 10000;
    bool focused = plain;
    while(MonotonicMs() < limit && !focused) {
        if(w.HasHostWindow()) {
            XSetInputFocus(display, GetHostWindow(w), RevertToParent, 0L);
            focused = field.SetFocus() && field.HasFocus();
        }
        if(!ProcessPendingEvents())
            WaitForEvents(10);
    }
    if(!focused) {
        std::fprintf(stderr, "the edit field never got the focus\n");
        return 1;
    }
    std::puts("ready");
    std::fflush(stdout);
    w.RunLoop();
    ExitWindowSystem();
    return 0;
}
