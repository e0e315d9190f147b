// What controls that resize things ask of the window system: the resize cursors and the
// window manager's interactive resize of a top window. Without a window system every
// cursor is the arrow and no resize is offered.
#pragma once

#include "draw/image/image.h"

namespace Qor {

class Ctrl;

// Left-right arrows, up-down arrows and the bottom-right corner.
Image GetHorizontalResizeCursor();
Image GetVerticalResizeCursor();
Image GetCornerResizeCursor();
bool IsWindowResizeAvailable();
// Nothing without a window manager that offers it.
void StartWindowResize(Ctrl& top);

} // namespace Qor
