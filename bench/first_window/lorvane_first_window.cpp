// Lorvane's start-up as the program does it, ending once its window was first painted.
#include "app/lorvane.h"
#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/loop/x_event_loop.h"
#include "ctrl/x11/startup/window_system.h"
#include "foundation/app_startup.h"
#if QOR_FIRST_WINDOW_SKIN == 2
#include "hostlook/hostlook.h"
#endif

#include <cstdio>

using namespace Qor;

namespace {

// The children paint in the same pass as the window, after it: the pass that sets the flag
// ends with the whole window painted.
class FirstPaint : public lorvane {
public:
    void Paint(Draw& w) override
    {
        lorvane::Paint(w);
        painted = true;
    }
    bool painted = false;
};

} // namespace

int main(int argc, char** argv, char** envp)
{
    ProcessStartUp(argc, argv, envp);
    InitWindowSystem();
    {
        FirstPaint w;
        w.OpenWithOwner(nullptr);
        while(!w.painted)
            if(!ProcessPendingEvents())
                WaitForEvents(10);
        ProcessPendingEvents();
        XSync(display, false);
        std::puts("painted");
    }
#if QOR_FIRST_WINDOW_SKIN == 2
    // Each host-skin run costs tens of milliseconds: start-up runs it once.
    if(GetGtkHostSkinRunCount() != 1) {
        std::fprintf(stderr, "the host skin ran %d times\n", GetGtkHostSkinRunCount());
        return 1;
    }
#endif
    ExitWindowSystem();
    ClearMainRunning();
    return 0;
}
