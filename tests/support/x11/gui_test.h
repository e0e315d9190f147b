// The GUI test harness every window-system test suite uses: the display (a test without
// one fails, saying so), waiting with a time limit, pixels read back from the server and
// window properties as other clients see them.
#pragma once

// Before Xlib, whose Bool macro would rename GoogleTest's Bool().
#include <gtest/gtest.h>

#include "ctrl/x11/display/x11_display.h"
#include "foundation/string.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace QorTest {

// Brings up the window system's display (through the real start-up) once per process.
// Without a reachable X server it records a test failure that says so and returns false.
bool RequireDisplay();

// A test that needs the display: fails at once without one.
class GuiTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(RequireDisplay()); }
};

// Calls done until it answers true or limit_ms pass; false at the limit. Between calls it
// flushes the connection and sleeps briefly.
bool WaitFor(const std::function<bool()>& done, int limit_ms = 5000);

// A rectangle of pixels as the server holds them, converted to colours.
struct Pixels {
    int cx = 0;
    int cy = 0;
    std::vector<Qor::Color> colors;

    Qor::Color At(int x, int y) const { return colors[(size_t)(y * cx + x)]; }
    int Count(Qor::Color c) const;
    // One text row per pixel row: each pixel the letter of its colour in the legend, '?'
    // for others; so a failing comparison shows the picture.
    std::vector<std::string> Picture(std::initializer_list<std::pair<Qor::Color, char>> legend) const;
};

// The pixels of r in drawable d (window or pixmap) on the window system's display, read
// with XGetImage after all drawing reached the server.
Pixels GrabPixels(Drawable d, const Qor::Rect& r);
// The same on another connection, whose default visual and colormap describe the pixels.
Pixels GrabPixels(::Display* d, Drawable dw, const Qor::Rect& r);

// A property of w read directly with XGetWindowProperty (format-32 items as longs); empty
// when missing. type receives its type when given.
Qor::String ReadProperty(Window w, const char* name, Atom* type = nullptr);

} // namespace QorTest
