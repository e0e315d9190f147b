// The window system's resize cursors and interactive resize, for the controls.

#include "ctrl/input/resize_host.h"

#include "ctrl/input/mouse_routing.h"

namespace Qor {

ResizeHost& GetResizeHost()
{
    static ResizeHost host;
    return host;
}

namespace {

Image CursorOr(Image (*cursor)()) { return cursor ? cursor() : GetArrowCursor(); }

} // namespace

Image GetHorizontalResizeCursor() { return CursorOr(GetResizeHost().horizontal_cursor); }
Image GetVerticalResizeCursor() { return CursorOr(GetResizeHost().vertical_cursor); }
Image GetCornerResizeCursor() { return CursorOr(GetResizeHost().corner_cursor); }

bool IsWindowResizeAvailable()
{
    auto available = GetResizeHost().move_resize_available;
    return available && available();
}

void StartWindowResize(Ctrl& top)
{
    if(auto start = GetResizeHost().start_move_resize; start && IsWindowResizeAvailable())
        start(top);
}

} // namespace Qor
