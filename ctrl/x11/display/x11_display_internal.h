// What the display files share among themselves.
#pragma once

#include "ctrl/x11/display/x11_display.h"

namespace Qor {

// The palette tables and palette pixel function for a visual that is not TrueColor.
void InitPaletteMode(::Display* d, Colormap cm, Visual* v);
// Forgets what was read from a connection (atoms, work area): InitDisplayState on another
// connection must not reuse them.
void ForgetAtoms();
void ForgetWorkArea();

} // namespace Qor
