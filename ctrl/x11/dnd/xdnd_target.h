// The target side of XDND: the messages another program's drag (or this program's own)
// sends a top-level window, turned into offers to its controls.
#pragma once

#include "ctrl/tree/ctrl_class.h"
#include "ctrl/x11/display/x11_display.h"

namespace Qor {

// Acts on XDND client messages to top's window; true when the event was one.
bool HandleXdndMessage(Ctrl* top, WindowMapEntry* entry, const XEvent& event);

} // namespace Qor
