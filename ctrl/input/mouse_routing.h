// Mouse routing: an event handed in at a top control travels down the tree to the control
// under the pointer (or to the capturing control), which gets enter and leave events for its
// frame area and its view, and then the event through the mouse hooks, its parents'
// notifications and its virtual handlers.
#pragma once

#include "draw/image/image.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/values/point.h"

namespace Qor {

class Ctrl;

// Mouse event codes: the action in the high nibble, the button in the low one (1 left,
// 2 right, 0 middle).
enum : int {
    MOUSE_ENTER = 0x10,
    MOUSE_MOVE = 0x20,
    MOUSE_LEAVE = 0x30,
    MOUSE_CURSOR = 0x40,
    MOUSE_WHEEL = 0x50,
    MOUSE_DOWN = 0x80,
    MOUSE_UP = 0x90,
    MOUSE_DOUBLE = 0xA0,
    MOUSE_REPEAT = 0xB0,
    MOUSE_DRAG = 0xC0,
    MOUSE_HOLD = 0xD0,
    MOUSE_TRIPLE = 0xE0,
    MOUSE_ACTION = 0xF0,
    MOUSE_BUTTON = 0x0F,
    MOUSE_LEFT = 1,
    MOUSE_RIGHT = 2,
    MOUSE_MIDDLE = 0,
};

// Key flags passed with mouse events and keys.
enum : dword {
    K_CTRL = 0x20000,
    K_SHIFT = 0x40000,
    K_ALT = 0x80000,
    K_KEYUP = 0x100000,
    K_MOUSEMIDDLE = 0x200000,
    K_MOUSERIGHT = 0x400000,
    K_MOUSELEFT = 0x800000,
    K_MOUSEDOUBLE = 0x1000000,
    K_MOUSETRIPLE = 0x2000000,
};

// The point of the latest event delivered to a control, in that control's frame
// coordinates; its address is also the owner id of the mouse-button timers.
Point& LastEventPos();

// The modifier and button flags of the moment, plus the double or triple bit of the event.
dword GetMouseKeyFlags(int event);

Image RouteMouseEvent(Ctrl* ctrl, int event, Point p, int zdelta);
Image DeliverMouseEvent(Ctrl* ctrl, int event, Point p, int zdelta);
Image SendFrameMouseEvent(Ctrl* ctrl, int event, Point p, int zdelta, dword keyflags);
Image SendViewMouseEvent(Ctrl* ctrl, int event, Point p, int zdelta, dword keyflags);
Image InvokeDispatchMouse(Ctrl* ctrl, int event, Point p, int zdelta, dword keyflags);

// The control and its ancestors visible, enabled, in an open window, not ignoring the mouse.
bool IsActiveForMouse(const Ctrl& c);

// Leave events once the pointer has left the control under it; then the cursor.
void CheckMouseLeave();
void UpdateMouseCursor();
// The cursor image when nothing answers for it.
Image GetArrowCursor();
// The I-beam over text; the arrow when the window system has none.
Image GetTextCursor();
// The pointing hand over links; the arrow when the window system has none.
Image GetHandCursor();

// The user-action log line of a mouse event (only clicks, double clicks and the wheel).
void WriteMouseLogLine(const char* prefix, Ctrl* ctrl, int event, Point p, dword keyflags);
String FormatMouseLogLine(const char* prefix, Ctrl* ctrl, int event, Point p, dword keyflags);

// Start-up: the capture release and the pointer-left check join the tree and the timers.
void RegisterMouseRouting();

} // namespace Qor
