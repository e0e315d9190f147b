// The X display of the X11 back end's tests: opened once per process, never skipped.
#pragma once

#include "ctrl/x11/font/display_link_internal.h"
#include "ctrl/x11/registrations.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <cstdlib>

namespace Qor::test {

// The test display, opened on first use; null when there is none.
inline Display* TestDisplay()
{
    static Display* d = [] {
        Display* opened = XOpenDisplay(nullptr);
        LinkedDisplay() = opened;
        return opened;
    }();
    return d;
}

// Fails the test when there is no display: GUI tests never pass silently without one.
class X11Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(TestDisplay(), nullptr) << "no X display (DISPLAY=" << (std::getenv("DISPLAY") ?: "unset")
                                          << "): run the X11 tests under Xvfb, e.g. after `. tools/xvfb.sh`";
        display = TestDisplay();
    }

    Display* display = nullptr;
};

} // namespace Qor::test
