// What mouse and keyboard routing ask of the window host: the keyboard and pointer state,
// the pointer grab and the cursor. The window system installs the entries at start-up; an
// empty entry answers as a host with no keys or buttons held, no grab and no pointer.
#pragma once

#include "draw/image/image.h"
#include "foundation/string.h"
#include "foundation/values/point.h"

namespace Qor {

class Ctrl;

struct InputHost {
    bool (*is_ctrl_down)() = nullptr;
    bool (*is_shift_down)() = nullptr;
    bool (*is_alt_down)() = nullptr;
    bool (*is_left_down)() = nullptr;
    bool (*is_right_down)() = nullptr;
    bool (*is_middle_down)() = nullptr;
    // The pointer's screen position.
    Point (*mouse_position)() = nullptr;
    void (*set_cursor)(const Image& image) = nullptr;
    // The pointer grab of a control's top window.
    bool (*grab_pointer)(Ctrl& top) = nullptr;
    bool (*release_pointer_grab)(Ctrl& top) = nullptr;
    bool (*holds_pointer_grab)(const Ctrl& top) = nullptr;
    // The window of a top control has the X input focus.
    bool (*has_x_focus)(const Ctrl& top) = nullptr;
    // The name of a punctuation key code, empty when it has none.
    String (*punctuation_key_name)(dword key) = nullptr;
};

InputHost& GetInputHost();

bool IsCtrlKeyDown();
bool IsShiftKeyDown();
bool IsAltKeyDown();
bool IsLeftMouseDown();
bool IsRightMouseDown();
bool IsMiddleMouseDown();
bool IsAnyMouseDown();
Point GetPointerPosition();

} // namespace Qor
