// Xlib for the back end. Xlib defines macros (True, False, Complex, CurrentTime) under names
// the rest of the system uses as identifiers; they are dropped here, so every file of the
// back end takes Xlib through this header, never directly, and writes true, false and the
// constants below instead.
#pragma once

#include "ctrl/x11/display/xlib.h"
#include <X11/Xutil.h>

#undef True
#undef False
#undef Complex
#undef CurrentTime

namespace Qor {

inline constexpr ::Time X_CURRENT_TIME = 0;
inline constexpr int X_COMPLEX_SHAPE = 0;

} // namespace Qor
