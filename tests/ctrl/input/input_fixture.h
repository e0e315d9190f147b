// Stand-ins for the window host under mouse and keyboard routing: the keys and buttons held,
// the pointer position and a pointer grab, all set by the test; and a control that journals
// every mouse event, focus notice and key it gets.
#pragma once

#include "tests/ctrl/support/ctrl_probe.h"

#include "ctrl/ctrl.h"

#include <gtest/gtest.h>

#include <string>

namespace QorTest {

struct FakeInput {
    bool ctrl = false, shift = false, alt = false;
    bool left = false, right = false, middle = false;
    Qor::Point mouse = Qor::Point(Qor::INT_NULL, Qor::INT_NULL);
    Qor::Ctrl* grab = nullptr; // the top control whose window holds the grab
    bool grab_fails = false;
    int cursor_sets = 0;
};

FakeInput& Input();

// The window system's answers read from Input().
class FakeInputHost : public FakeWindowSystem::Host {
public:
    bool IsCtrlDown() override { return Input().ctrl; }
    bool IsShiftDown() override { return Input().shift; }
    bool IsAltDown() override { return Input().alt; }
    bool IsLeftDown() override { return Input().left; }
    bool IsRightDown() override { return Input().right; }
    bool IsMiddleDown() override { return Input().middle; }
    Qor::Point GetMousePosition() override { return Input().mouse; }
    void SetCursor(const Qor::Image&) override { Input().cursor_sets++; }
    bool GrabPointer(Qor::Ctrl& top) override;
    bool ReleasePointerGrab(Qor::Ctrl& top) override;
    bool HoldsPointerGrab(const Qor::Ctrl& top) override { return Input().grab == &top; }
};

// Installs the fake host and the window-system stand-ins; puts everything back at the end.
class InputScope : public FakeWindowSystem {
public:
    InputScope();
    ~InputScope();

private:
    FakeInputHost host;
    PlatformScope installed{ host };
};

// Journals "name:What x,y" for every mouse event it handles; keys as "name:Key <hex>".
class Recorder : public Probe {
public:
    Recorder(const char* name, Journal& journal) : Probe(name, journal) {}

    bool take_keys = false;
    bool take_access_key = false;
    bool handle_wheel = false;
    bool log_cursor = false;
    bool log_focus = true;

    void Mouse(const char* what, Qor::Point p) const
    {
        Note((std::string(what) + " " + std::to_string(p.x) + "," + std::to_string(p.y)).c_str());
    }
    Qor::Image FrameAreaMouse(int event, Qor::Point p, int, Qor::dword) override;
    Qor::Image DispatchMouse(int event, Qor::Point p, int zdelta, Qor::dword keyflags) override;
    void ChildMouse(Qor::Ctrl* child, int event, Qor::Point p, int zdelta, Qor::dword keyflags) override;
    void WheelRotated(Qor::Point p, int zdelta, Qor::dword keyflags) override;
    void FocusGained() override
    {
        if(log_focus)
            Note("FocusGained");
    }
    void FocusLost() override
    {
        if(log_focus)
            Note("FocusLost");
    }
    void ChildFocusGained() override
    {
        if(log_focus)
            Note("ChildFocusGained");
        Ctrl::ChildFocusGained();
    }
    void ChildFocusLost() override
    {
        if(log_focus)
            Note("ChildFocusLost");
        Ctrl::ChildFocusLost();
    }
    void WindowActivated() override { Note("WindowActivated"); }
    void WindowDeactivated() override { Note("WindowDeactivated"); }
    void StateChanged(int reason) override
    {
        if(reason >= Qor::STATE_FOCUS && reason <= Qor::STATE_DEACTIVATE)
            Probe::StateChanged(reason);
    }
    bool ProcessKey(Qor::dword key, int count) override;
    bool AccessKeyPressed(Qor::dword key) override;
};

// The name of a mouse event code, e.g. "LeftDown" for 0x81.
std::string MouseEventName(int event);

} // namespace QorTest
