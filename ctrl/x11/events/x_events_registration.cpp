// The input side of the X11 window system: the window procedure, the keyboard and pointer
// state, the grab, the cursors and the window manager's interactive resize.

#include "ctrl/x11/platform/x11_platform.h"

#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/events/x_events.h"
#include "ctrl/x11/host/window_host.h"
#include "ctrl/x11/image/cursor.h"

namespace Qor {

void X11Platform::WindowEvent(Ctrl& c, WindowMapEntry* entry, _XEvent* event)
{
    HandleWindowEventBase(c, entry, event);
}

bool X11Platform::IsCtrlDown() { return Qor::IsCtrlDown(); }
bool X11Platform::IsShiftDown() { return Qor::IsShiftDown(); }
bool X11Platform::IsAltDown() { return Qor::IsAltDown(); }
bool X11Platform::IsLeftDown() { return IsLeftButtonDown(); }
bool X11Platform::IsRightDown() { return IsRightButtonDown(); }
bool X11Platform::IsMiddleDown() { return IsMiddleButtonDown(); }
Point X11Platform::GetMousePosition() { return Qor::GetMousePosition(); }
void X11Platform::SetCursor(const Image& image) { SetMouseCursor(image); }
bool X11Platform::GrabPointer(Ctrl& top) { return Qor::GrabPointer(top); }
bool X11Platform::ReleasePointerGrab(Ctrl& top) { return Qor::ReleasePointerGrab(top); }
bool X11Platform::HoldsPointerGrab(const Ctrl& top) { return Qor::HoldsPointerGrab(top); }
bool X11Platform::HasHostFocus(const Ctrl& top) { return HasXFocus(top); }
String X11Platform::GetPunctuationKeyName(dword key) { return Qor::GetPunctuationKeyName(key); }

Image X11Platform::GetArrowCursor() { return CursorArrowImage(); }
Image X11Platform::GetTextCursor() { return CursorTextImage(); }
// Links show the pointing hand.
Image X11Platform::GetHandCursor() { return HandCursor(); }
Image X11Platform::GetHorizontalResizeCursor() { return CursorResizeHorizontalImage(); }
Image X11Platform::GetVerticalResizeCursor() { return VerticalResizeCursor(); }
Image X11Platform::GetCornerResizeCursor() { return CornerResizeCursor(); }
bool X11Platform::IsMoveResizeAvailable() { return display && Qor::IsMoveResizeAvailable(); }
void X11Platform::StartMoveResize(Ctrl& top) { StartWmMoveResize(top); }

} // namespace Qor
