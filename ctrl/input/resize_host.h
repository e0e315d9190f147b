// What controls that resize things ask of the window system: the resize cursors and the
// window manager's interactive resize of a top window. The window system installs the
// entries at start-up; without them every cursor is the arrow and no resize is offered.
#pragma once

#include "draw/image/image.h"

namespace Qor {

class Ctrl;

struct ResizeHost {
    // Left-right arrows, up-down arrows and the bottom-right corner.
    Image (*horizontal_cursor)() = nullptr;
    Image (*vertical_cursor)() = nullptr;
    Image (*corner_cursor)() = nullptr;
    // The window manager resizes a window the user drags by its corner.
    bool (*move_resize_available)() = nullptr;
    // Hands the pointer to the window manager to resize top's window from its corner.
    void (*start_move_resize)(Ctrl& top) = nullptr;
};

ResizeHost& GetResizeHost();

Image GetHorizontalResizeCursor();
Image GetVerticalResizeCursor();
Image GetCornerResizeCursor();
bool IsWindowResizeAvailable();
// Nothing without a window manager that offers it.
void StartWindowResize(Ctrl& top);

} // namespace Qor
