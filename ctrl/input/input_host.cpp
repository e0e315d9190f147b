// The window host's answers about the keyboard and the pointer, for the routing.

#include "ctrl/input/input_host.h"
#include "ctrl/platform/platform.h"

namespace Qor {

bool IsCtrlKeyDown() { return GetPlatform().IsCtrlDown(); }
bool IsShiftKeyDown() { return GetPlatform().IsShiftDown(); }
bool IsAltKeyDown() { return GetPlatform().IsAltDown(); }
bool IsLeftMouseDown() { return GetPlatform().IsLeftDown(); }
bool IsRightMouseDown() { return GetPlatform().IsRightDown(); }
bool IsMiddleMouseDown() { return GetPlatform().IsMiddleDown(); }
bool IsAnyMouseDown() { return IsLeftMouseDown() || IsRightMouseDown() || IsMiddleMouseDown(); }

Point GetPointerPosition() { return GetPlatform().GetMousePosition(); }

} // namespace Qor
