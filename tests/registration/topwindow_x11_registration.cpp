// Start-up registrations of top-level windows hold in a program that links only the X11
// back end and the libraries below it: the control tree recognises a TopWindow, and a
// TopWindow opens, syncs its hints and answers the window manager through the X11 side.
// Exits non-zero when a check fails.

#include "ctrl/x11/topwindow/x_top_window.h"

#include "ctrl/registrations.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/x11/platform/x11_platform.h"
#include "ctrl/x11/registrations.h"
#include "tests/registration/registration_check.h"

using namespace Qor;

using QorRegistration::Check;

int main()
{
    Check(GetCtrlCoreSeams().as_top_window == &AsTopWindow, "the control tree recognises top-level windows");
    Check(&GetPlatform() == &GetX11Platform(),
          "a top-level window opens, syncs its hints, state, title and placement and answers the window manager "
          "through the X11 side");
    TopWindowHints* hints = GetPlatform().AllocTopWindowHints();
    Check(hints != nullptr, "the X hint records are made for each window");
    GetPlatform().FreeTopWindowHints(hints);
    return QorRegistration::Finish("top-level window registrations");
}
