// The window system's resize cursors and interactive resize, for the controls.

#include "ctrl/input/resize_host.h"

#include "ctrl/input/mouse_routing.h"
#include "ctrl/platform/platform.h"

namespace Qor {

Image GetHorizontalResizeCursor() { return GetPlatform().GetHorizontalResizeCursor(); }
Image GetVerticalResizeCursor() { return GetPlatform().GetVerticalResizeCursor(); }
Image GetCornerResizeCursor() { return GetPlatform().GetCornerResizeCursor(); }
bool IsWindowResizeAvailable() { return GetPlatform().IsMoveResizeAvailable(); }

void StartWindowResize(Ctrl& top)
{
    if(IsWindowResizeAvailable())
        GetPlatform().StartMoveResize(top);
}

} // namespace Qor
