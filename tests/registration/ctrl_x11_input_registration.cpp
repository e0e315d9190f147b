// Start-up registrations of mouse and keyboard routing hold in a program that links only the
// X11 back end and the libraries below it: the tree's windows get their event procedure, the
// routing reads the host's keyboard and pointer state and grabs the pointer through it.
// Exits non-zero when a check fails.

#include "ctrl/x11/display/x11_display.h"

#include "ctrl/focus/focus_routing.h"
#include "ctrl/registrations.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/x11/platform/x11_platform.h"
#include "ctrl/x11/registrations.h"
#include "tests/registration/registration_check.h"

using namespace Qor;

using QorRegistration::Check;

int main()
{
    Check(&GetPlatform() == &GetX11Platform(),
          "windows get the base event procedure, and the routing reads the keyboard, the pointer, the grab, the "
          "cursors and the window manager's resize from the X11 window system");
    const CtrlCoreSeams& seams = GetCtrlCoreSeams();
    Check(seams.release_capture != nullptr && seams.move_focus_here != nullptr &&
              seams.focus_top_control == &FocusTopControl,
          "the tree reaches the capture and the focus moves");
    return QorRegistration::Finish("ctrl x11 input registrations");
}
