// SizeGrip under a real window manager (openbox, on a private X server): a drag from the
// grip resizes the window through the window manager; a window that may not be resized
// has an inactive grip. The checks run in a child process whose display is that server.
#include "tests/support/x11/gui_test.h"
#include "tests/support/x11/openbox_run.h"
#include "tests/support/x11/private_server_run.h"
#include "tests/support/x11/xtest_input.h"

#include "ctrl/input/mouse_routing.h"
#include "ctrl/input/resize_host.h"
#include "ctrl/topwindow/top_window.h"
#include "ctrl/x11/host/window_host.h"
#include "ctrl/x11/loop/x_event_loop.h"
#include "widgets/scroll/size_grip.h"

#include <X11/extensions/XTest.h>

namespace {

using namespace Qor;
using namespace QorTest;

// The parent only starts the server; the child needs the display.
using SizeGripGuiTest = ::testing::Test;

bool Pump(const std::function<bool()>& done, int limit_ms = 5000)
{
    return WaitFor(
        [&] {
            ProcessPendingEvents();
            return done();
        },
        limit_ms);
}

void PumpFor(int ms)
{
    Pump([] { return false; }, ms);
}

bool IsMappedOnScreen(const Ctrl& c)
{
    XWindowAttributes a;
    Window w = GetHostWindow(c);
    return w && XGetWindowAttributes(display, w, &a) && a.map_state == IsViewable;
}

// Runs the test body on a private server under openbox.
#define UNDER_OPENBOX()                                                                                                \
    if(!IsPrivateServerChild()) {                                                                                      \
        XvfbServer server(800, 600, 24);                                                                               \
        OpenboxRun wm(server);                                                                                         \
        ASSERT_TRUE(wm.ready) << "openbox did not start (is it installed? tools/install-deps.sh)";                     \
        RunTestOnPrivateServer(server, 60000);                                                                         \
        return;                                                                                                        \
    }                                                                                                                  \
    ASSERT_TRUE(RequireDisplay())

TEST_F(SizeGripGuiTest, DragFromTheGripResizesTheWindow)
{
    UNDER_OPENBOX();
    TopWindow win;
    SizeGrip grip;
    win.AppendChild(grip);
    win.SetTitle("Grip");
    win.AllowResize();
    win.SetRect(Rect(100, 100, 400, 300));
    win.OpenWithOwner(nullptr);
    ASSERT_TRUE(Pump([&] { return IsMappedOnScreen(win); }));
    PumpFor(200);
    EXPECT_EQ(grip.GetRectInParent(), Rect(288, 188, 300, 200));
    ASSERT_TRUE(IsWindowResizeAvailable());
    EXPECT_TRUE(grip.IsActive());
    EXPECT_EQ(grip.CursorFor(Point(6, 6), 0).GetAuxData(), GetCornerResizeCursor().GetAuxData());

    Window w = GetHostWindow(win);
    MovePointer(w, Point(294, 194));
    PumpFor(100);
    XTestFakeButtonEvent(display, 1, true, 0);
    XSync(display, false);
    // The press reaches the grip, which hands the pointer to the window manager.
    PumpFor(300);
    for(int i = 1; i <= 10; i++) {
        MovePointer(w, Point(294 + 10 * i, 194 + 6 * i));
        PumpFor(30);
    }
    XTestFakeButtonEvent(display, 1, false, 0);
    XSync(display, false);
    ASSERT_TRUE(Pump([&] { return win.GetRectInParent().Width() >= 380 && win.GetRectInParent().Height() >= 240; }))
        << win.GetRectInParent().Width() << " x " << win.GetRectInParent().Height();
    // The grip follows the corner.
    Size sz = win.GetRectInParent().GetSize();
    EXPECT_EQ(grip.GetRectInParent(), Rect(sz.cx - 12, sz.cy - 12, sz.cx, sz.cy));
    win.Close();
}

TEST_F(SizeGripGuiTest, FixedSizeWindowHasAnInactiveGrip)
{
    UNDER_OPENBOX();
    TopWindow win;
    SizeGrip grip;
    win.AppendChild(grip);
    win.SetTitle("Fixed");
    win.SetRect(Rect(100, 100, 400, 300));
    win.OpenWithOwner(nullptr);
    ASSERT_TRUE(Pump([&] { return IsMappedOnScreen(win); }));
    PumpFor(200);
    EXPECT_FALSE(grip.IsActive());
    EXPECT_EQ(grip.CursorFor(Point(6, 6), 0).GetAuxData(), GetArrowCursor().GetAuxData());
    Window w = GetHostWindow(win);
    Click(w, Point(294, 194));
    PumpFor(200);
    Drag(w, Point(294, 194), Point(394, 254));
    PumpFor(300);
    EXPECT_EQ(win.GetRectInParent().GetSize(), Size(300, 200));
    win.Close();
}

} // namespace
