// Start-up registrations of top-level windows hold in a program that links only the X11
// back end and the libraries below it: the control tree recognises a TopWindow, and a
// TopWindow opens, syncs its hints and answers the window manager through the X11 side.
// Exits non-zero when a check fails.

#include "ctrl/x11/topwindow/x_top_window.h"

#include "ctrl/registrations.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/x11/registrations.h"
#include "tests/registration/registration_check.h"

using namespace Qor;

using QorRegistration::Check;

int main()
{
    Check(GetCtrlCoreSeams().as_top_window == &AsTopWindow, "the control tree recognises top-level windows");
    const TopWindowSeams& s = GetTopWindowSeams();
    Check(s.open == &OpenTopWindow, "a top-level window opens through the X11 side");
    Check(s.sync_hints == &SyncTopWindowHints && s.sync_state == &SyncTopWindowState &&
              s.sync_size_hints == &SyncTopWindowSizeHints && s.sync_title == &SyncTopWindowTitle,
          "hints, state, size hints and title reach the window manager");
    Check(s.serialize_placement == &SerializeTopWindowPlacement, "the placement record is read and written");
    Check(s.window_event != nullptr && s.default_owner != nullptr && s.set_opacity != nullptr,
          "window-manager messages, the default owner and the opacity are served");
    Check(s.alloc_hints != nullptr && s.free_hints != nullptr, "the X hint records are made for each window");
    return QorRegistration::Finish("top-level window registrations");
}
