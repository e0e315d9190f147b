// The keyboard and pointer state as the routing reads it from the window system; without
// one no keys or buttons are held and there is no pointer.
#pragma once

#include "foundation/values/point.h"

namespace Qor {

bool IsCtrlKeyDown();
bool IsShiftKeyDown();
bool IsAltKeyDown();
bool IsLeftMouseDown();
bool IsRightMouseDown();
bool IsMiddleMouseDown();
bool IsAnyMouseDown();
Point GetPointerPosition();

} // namespace Qor
