// The window system's start-up and shutdown, run by a program's entry around its body.
#pragma once

#include "ctrl/x11/registrations.h"

namespace Qor {

// Brings the X11 back end and the window core up: threads, the panic box, the display,
// timers, the pointer's buttons, the error handler, synchronous mode when q.ini's
// "X11_SYNCHRONIZE" is exactly "1", the window manager's hints, the standard font and one
// skin change, the GUI settings, the locale, the input method and the layout zoom. Without a
// display it reports so and panics.
void InitWindowSystem();
// Closes every top-level window (TopWindows through their close actions first), releases the
// global hot keys and closes the input method. Harmless when run again or without start-up.
void ExitWindowSystem();

} // namespace Qor
