// The X11 entries of mouse and keyboard routing: the window procedure, the host's keyboard
// and pointer state, the grab, the cursor and the focus steps the host calls.

#include "ctrl/x11/events/x_events.h"

#include "ctrl/focus/focus_routing.h"
#include "ctrl/input/input_host.h"
#include "ctrl/input/resize_host.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/host/window_host.h"
#include "ctrl/x11/image/cursor.h"

namespace Qor {

namespace {

void WindowEventSeam(Ctrl& c, WindowMapEntry* entry, _XEvent* event) { HandleWindowEventBase(c, entry, event); }
bool GrabSeam(Ctrl& c) { return GrabPointer(c); }
bool ReleaseGrabSeam(Ctrl& c) { return ReleasePointerGrab(c); }
bool HoldsGrabSeam(const Ctrl& c) { return HoldsPointerGrab(c); }
bool HasXFocusSeam(const Ctrl& c) { return HasXFocus(c); }

} // namespace

void RegisterXEvents()
{
    CtrlCoreSeams& seams = GetCtrlCoreSeams();
    seams.window_event = WindowEventSeam;
    seams.arrow_cursor = CursorArrowImage;
    seams.text_cursor = CursorTextImage;
    // Links show the pointing hand.
    seams.hand_cursor = HandCursor;

    InputHost& host = GetInputHost();
    host.is_ctrl_down = IsCtrlDown;
    host.is_shift_down = IsShiftDown;
    host.is_alt_down = IsAltDown;
    host.is_left_down = IsLeftButtonDown;
    host.is_right_down = IsRightButtonDown;
    host.is_middle_down = IsMiddleButtonDown;
    host.mouse_position = GetMousePosition;
    host.set_cursor = SetMouseCursor;
    host.grab_pointer = GrabSeam;
    host.release_pointer_grab = ReleaseGrabSeam;
    host.holds_pointer_grab = HoldsGrabSeam;
    host.has_x_focus = HasXFocusSeam;
    host.punctuation_key_name = GetPunctuationKeyName;

    ResizeHost& resize = GetResizeHost();
    resize.horizontal_cursor = CursorResizeHorizontalImage;
    resize.vertical_cursor = VerticalResizeCursor;
    resize.corner_cursor = CornerResizeCursor;
    resize.move_resize_available = [] { return display && IsMoveResizeAvailable(); };
    resize.start_move_resize = StartWmMoveResize;

    HostFocusHooks& focus = GetHostFocusHooks();
    focus.sync_focus_window = SyncFocusWindow;
    focus.drop_window_focus = DropWindowFocus;
}

} // namespace Qor
