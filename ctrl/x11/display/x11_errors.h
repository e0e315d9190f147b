// X protocol errors and the fatal-message box.
#pragma once

#include "foundation/string.h"

#include "ctrl/x11/display/xlib.h"

namespace Qor {

// Installed with XSetErrorHandler. Errors are ignored unless the q.ini key "X11_ERRORS"
// is exactly "1"; then they are logged, printed and the program panics.
int XErrorHandler(::Display* d, XErrorEvent* e);
// The message XErrorHandler panics with.
String XErrorMessage(::Display* d, const XErrorEvent& e);
// The name of a core request ("X_CreateWindow" for 1); empty above 120.
const char* XRequestName(int major_code);
// Panics with "X11 error:" + text + " !".
[[noreturn]] void X11Fatal(const char* text);
// While the trap is set, X errors are ignored (requests to other programs' windows). Begin
// returns the previous setting, which End restores.
bool BeginErrorTrap();
void EndErrorTrap(bool previous);
// The request serial of the last error the trap ignored (0 before any): a request sent
// under the trap failed when this reaches its serial after an XSync.
unsigned long LastTrappedErrorSerial();
// True while XErrorHandler runs: Xlib must not be re-entered on the main connection then.
bool InXErrorHandler();

// Makes ShowPanicBox the foundation's fatal-message hook.
void InstallPanicBox();
// The text on standard error, then a box on a private connection until it is clicked, a
// key is pressed, it is closed or a time limit passes.
void ShowPanicBox(const char* caption, const char* text);

} // namespace Qor
