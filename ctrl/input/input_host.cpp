// The window host's answers about the keyboard and the pointer, for the routing.

#include "ctrl/input/input_host.h"

namespace Qor {

InputHost& GetInputHost()
{
    static InputHost host;
    return host;
}

namespace {

bool Ask(bool (*query)()) { return query && query(); }

} // namespace

bool IsCtrlKeyDown() { return Ask(GetInputHost().is_ctrl_down); }
bool IsShiftKeyDown() { return Ask(GetInputHost().is_shift_down); }
bool IsAltKeyDown() { return Ask(GetInputHost().is_alt_down); }
bool IsLeftMouseDown() { return Ask(GetInputHost().is_left_down); }
bool IsRightMouseDown() { return Ask(GetInputHost().is_right_down); }
bool IsMiddleMouseDown() { return Ask(GetInputHost().is_middle_down); }
bool IsAnyMouseDown() { return IsLeftMouseDown() || IsRightMouseDown() || IsMiddleMouseDown(); }

Point GetPointerPosition()
{
    auto position = GetInputHost().mouse_position;
    return position ? position() : Point(INT_NULL, INT_NULL);
}

} // namespace Qor
