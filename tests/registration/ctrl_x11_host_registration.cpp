// Start-up registrations of the X11 back end's window host and event loop hold in a
// program that links only it and the libraries below it: the control tree reaches the
// window operations and the window map through the X11 window system, loops run on the X
// connection, and the wake-up pipe exists before the program body. Exits non-zero when a
// check fails.

#include "ctrl/x11/display/x11_display.h"

#include "ctrl/x11/loop/x_event_loop.h"
#include "ctrl/x11/platform/x11_platform.h"
#include "ctrl/x11/registrations.h"
#include "tests/registration/registration_check.h"

using namespace Qor;

using QorRegistration::Check;

int main()
{
    Check(&GetPlatform() == &GetX11Platform(),
          "the control tree's window operations, window map, screen and loop reach the X11 window system");
    Check(GetPlatform().HasScreen(), "the tree places controls within the screen");
    Check(GetWakePipe().made && GetWakePipe().read_fd >= 0, "the wake-up pipe is made at start-up");
    return QorRegistration::Finish("ctrl x11 host registrations");
}
