// Start-up registrations of mouse and keyboard routing hold in a program that links only the
// X11 back end and the libraries below it: the tree's windows get their event procedure, the
// routing reads the host's keyboard and pointer state and grabs the pointer through it, and
// the host's focus reports reach the keyboard routing. Exits non-zero when a check fails.

#include "ctrl/x11/display/x11_display.h"

#include "ctrl/focus/focus_routing.h"
#include "ctrl/registrations.h"
#include "ctrl/input/input_host.h"
#include "ctrl/input/resize_host.h"
#include "ctrl/timer/timer.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/x11/host/window_host.h"
#include "ctrl/x11/image/cursor.h"
#include "ctrl/x11/registrations.h"
#include "tests/registration/registration_check.h"

using namespace Qor;

using QorRegistration::Check;

int main()
{
    const CtrlCoreSeams& seams = GetCtrlCoreSeams();
    Check(seams.window_event != nullptr, "windows get the base event procedure");
    Check(seams.arrow_cursor == &CursorArrowImage, "the routing's default cursor is the arrow");
    Check(seams.hand_cursor == &HandCursor, "links show the pointing hand");
    Check(seams.text_cursor == &CursorTextImage, "text controls show the I-beam");
    Check(seams.release_capture != nullptr && seams.move_focus_here != nullptr &&
              seams.focus_top_control == &FocusTopControl,
          "the tree reaches the capture and the focus moves");
    const InputHost& host = GetInputHost();
    Check(host.is_ctrl_down == &IsCtrlDown && host.is_shift_down == &IsShiftDown && host.is_alt_down == &IsAltDown &&
              host.is_left_down == &IsLeftButtonDown && host.is_right_down == &IsRightButtonDown &&
              host.is_middle_down == &IsMiddleButtonDown && host.mouse_position == &GetMousePosition,
          "the routing reads the host's keyboard and pointer state");
    Check(host.grab_pointer && host.release_pointer_grab && host.holds_pointer_grab && host.has_x_focus &&
              host.set_cursor == &SetMouseCursor && host.punctuation_key_name == &GetPunctuationKeyName,
          "the routing grabs the pointer and sets the cursor through the host");
    const ResizeHost& resize = GetResizeHost();
    Check(resize.horizontal_cursor == &CursorResizeHorizontalImage && resize.vertical_cursor == &VerticalResizeCursor &&
              resize.corner_cursor == &CornerResizeCursor,
          "controls get the resize cursors");
    Check(resize.move_resize_available && resize.start_move_resize == &StartWmMoveResize,
          "a size grip hands its window to the window manager's resize");
    const HostFocusHooks& focus = GetHostFocusHooks();
    Check(focus.sync_focus_window == &SyncFocusWindow && focus.drop_window_focus == &DropWindowFocus,
          "the host's focus reports reach the keyboard routing");
    return QorRegistration::Finish("ctrl x11 input registrations");
}
