// Start-up registrations of drag and drop hold in a program that links only the X11 back end
// and the libraries below it: a drag of the control tree reaches the X11 drag loop, and an
// offer of a drag in this program takes its data from the running drag. Exits non-zero when a
// check fails.

#include "ctrl/dnd/drag_source.h"
#include "ctrl/registrations.h"
#include "ctrl/x11/dnd/dnd_loop.h"
#include "ctrl/x11/platform/x11_platform.h"
#include "ctrl/x11/registrations.h"
#include "tests/registration/registration_check.h"

using namespace Qor;

using QorRegistration::Check;

int main()
{
    Check(&GetPlatform() == &GetX11Platform(),
          "drags of the control tree run the X11 drag loop, and drag offers in this program read the running "
          "drag's data");
    String out;
    Check(!GetPlatform().GetLocalDragData("UTF8_STRING", out), "without a drag there is no local drag data");
    return QorRegistration::Finish("ctrl x11 drag-and-drop registrations");
}
