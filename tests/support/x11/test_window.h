// A plain X window for GUI tests: created on the window system's display, mapped and
// waited for, painted through a SystemDraw.
#pragma once

#include "tests/support/x11/gui_test.h"

#include "ctrl/x11/draw/system_draw.h"

namespace QorTest {

class TestWindow {
public:
    // A top-level window of cx x cy at (x, y) on the root window, not yet mapped.
    TestWindow(int cx, int cy, Qor::Color background = Qor::White(), int x = 0, int y = 0);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    Window GetWindow() const { return window; }
    GC GetGC() const { return gc; }
    Qor::Size GetSize() const { return size; }

    // Maps the window and waits until it is viewable and its first Expose arrived; false
    // (with a test failure) when that does not happen within limit_ms.
    bool MapAndWait(int limit_ms = 5000);
    // Paints through a SystemDraw on the whole window and waits until the server drew it.
    void Paint(const std::function<void(Qor::SystemDraw&)>& paint);
    // The window's pixels in r (window coordinates).
    Pixels Grab(const Qor::Rect& r) const { return GrabPixels(window, r); }
    Pixels Grab() const { return GrabPixels(window, Qor::Rect(size)); }
    // Waits until an event of the type for this window arrives and stores it; false at the
    // limit. Events of the window that are not asked for stay queued.
    bool WaitEvent(int type, XEvent& e, int limit_ms = 5000);

private:
    Window window = 0;
    GC gc = nullptr;
    Qor::Size size;
};

} // namespace QorTest
