// The fake window host of the routing tests.

#include "tests/ctrl/input/input_fixture.h"

#include <cstdio>

namespace QorTest {

using namespace Qor;

FakeInput& Input()
{
    static FakeInput input;
    return input;
}

bool FakeInputHost::GrabPointer(Ctrl& top)
{
    if(Input().grab_fails)
        return false;
    Input().grab = &top;
    return true;
}

bool FakeInputHost::ReleasePointerGrab(Ctrl& top)
{
    if(Input().grab != &top)
        return false;
    Input().grab = nullptr;
    return true;
}

InputScope::InputScope()
{
    Input() = FakeInput();
    // The window system takes every rectangle asked for.
    GetCtrlCoreSeams().set_window_rect = [](Ctrl& c, const Rect& r) { c.AdoptRect(r); };
    // The real routing, not the stand-ins of the window-system scope.
    RegisterFocusRouting();
    GetCtrlCoreSeams().release_capture = [] { return Ctrl::ReleaseCapture(); };
    StopButtonTracking();
    GetButtonTracking() = ButtonTrackingState();
    LastEventPos() = Point(INT_NULL, INT_NULL);
}

InputScope::~InputScope()
{
    StopButtonTracking();
    GetButtonTracking() = ButtonTrackingState();
    Input() = FakeInput();
    KeyPassedUp() = false;
}

std::string MouseEventName(int event)
{
    static const char* actions[] = { "?",    "Enter", "Move",   "Leave",  "Cursor", "Wheel", "?",      "?",
                                     "Down", "Up",    "Double", "Repeat", "Drag",   "Hold",  "Triple", "?" };
    std::string button;
    int action = event >> 4;
    if(action >= 8 && action <= 14)
        button = (event & 15) == 1 ? "Left" : (event & 15) == 2 ? "Right" : "Middle";
    return button + actions[action & 15];
}

Image Recorder::FrameAreaMouse(int event, Point p, int, dword)
{
    if(event != MOUSE_CURSOR || log_cursor)
        Mouse(("Frame" + MouseEventName(event)).c_str(), p);
    return Image();
}

Image Recorder::DispatchMouse(int event, Point p, int zdelta, dword keyflags)
{
    if(event != MOUSE_CURSOR || log_cursor)
        Mouse(MouseEventName(event).c_str(), p);
    if(event == MOUSE_WHEEL)
        WheelRotated(p, zdelta, keyflags);
    return Image();
}

void Recorder::ChildMouse(Ctrl* child, int event, Point p, int zdelta, dword keyflags)
{
    if(event != MOUSE_CURSOR || log_cursor) {
        Probe* c = dynamic_cast<Probe*>(child);
        Mouse(("ChildMouse(" + (c ? c->name : std::string("?")) + ")" + MouseEventName(event)).c_str(), p);
    }
    Ctrl::ChildMouse(child, event, p, zdelta, keyflags);
}

void Recorder::WheelRotated(Point p, int zdelta, dword keyflags)
{
    if(handle_wheel)
        return;
    Ctrl::WheelRotated(p, zdelta, keyflags);
}

bool Recorder::ProcessKey(dword key, int count)
{
    char text[64];
    std::snprintf(text, sizeof(text), "Key %x*%d", unsigned(key), count);
    Note(text);
    return take_keys;
}

bool Recorder::AccessKeyPressed(dword key)
{
    if(take_access_key) {
        Note("AccessKey");
        return true;
    }
    return Ctrl::AccessKeyPressed(key);
}

} // namespace QorTest
