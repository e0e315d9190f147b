// TopWindow under a real window manager (openbox) and under one that never maps windows,
// each on a private X server: the checks run in a child process of this test program whose
// display is that server, so the shared display of the other tests is not disturbed.
#include "tests/x11/topwindow/top_window_fixture.h"

#include "tests/support/x11/openbox_run.h"
#include "tests/support/x11/private_server_run.h"

#include "foundation/callback_action.h"
#include "foundation/process.h"

#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace Qor;
using namespace QorTest;

using UnderOpenbox = TopWindowTest;

void RequestClose(Ctrl* c)
{
    // The user's close through the window manager: it sends WM_DELETE_WINDOW.
    XEvent e = {};
    e.xclient.type = ClientMessage;
    e.xclient.window = GetHostWindow(*c);
    e.xclient.message_type = AtomOf("_NET_CLOSE_WINDOW");
    e.xclient.format = 32;
    e.xclient.data.l[1] = 2;
    XSendEvent(display, root, false, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(display);
}

TEST_F(UnderOpenbox, DialogIsManagedAndClosedByTheWindowManager)
{
    if(!IsPrivateServerChild()) {
        XvfbServer server(1024, 768, 24);
        OpenboxRun wm(server);
        ASSERT_TRUE(wm.ready) << "openbox did not start (is it installed? tools/install-deps.sh)";
        RunTestOnPrivateServer(server, 60000);
        return;
    }
    TopWindow owner;
    owner.SetRect(Rect(100, 100, 700, 500));
    owner.SetTitle("Owner");
    owner.OpenWithOwner(nullptr);
    ASSERT_TRUE(owner.IsOpen());
    ProbeDialog dialog;
    dialog.SetRect(Rect(0, 0, 300, 200));
    dialog.SetTitle("Dialog");
    dialog.SetMinSize(Size(150, 100));
    dialog.AllowResize();
    dialog.MakeBreakAction(IDOK);
    dialog.MakeBreakAction(IDCANCEL);
    dialog.OpenWithOwner(&owner);
    Window win = GetHostWindow(dialog);
    ASSERT_TRUE(win);
    XWindowAttributes a;
    ASSERT_TRUE(Pump([&] { return XGetWindowAttributes(display, win, &a) && a.map_state == IsViewable; }));
    // The window manager reported its frame, and the window is still ours to describe.
    EXPECT_TRUE(Pump([&] {
        TakeFrameExtents(ReadWindowPropertyInts(win, AtomOf("_NET_FRAME_EXTENTS"), AnyPropertyType));
        return GetFrameExtents().IsKnown();
    }));
    Window transient = 0;
    EXPECT_TRUE(XGetTransientForHint(display, win, &transient));
    EXPECT_EQ(transient, GetHostWindow(owner));
    EXPECT_EQ(PropertyItems(win, "_NET_WM_PID"), std::vector<long>{ long(getpid()) });
    EXPECT_TRUE(Pump([&] { return ReadProperty(win, "_NET_WM_NAME") == "Dialog"; }));
    XSizeHints hints = {};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(display, win, &hints, &supplied));
    EXPECT_EQ(Size(hints.min_width, hints.min_height), Size(150, 100));
    dialog.ScheduleTimer(100, MakeCallbackArg(RequestClose, static_cast<Ctrl*>(&dialog)), 3);
    EXPECT_EQ(dialog.RunLoop(), IDCANCEL);
    EXPECT_EQ(dialog.cancels, 1);
    EXPECT_TRUE(owner.IsEnabled());
    dialog.Close();
    owner.Close();
}

using UnderStubbornWindowManager = TopWindowTest;

TEST_F(UnderStubbornWindowManager, OpenReturnsWithinTheLimit)
{
    if(!IsPrivateServerChild()) {
        XvfbServer server(640, 480, 24);
        ::Display* d = server.Open();
        ASSERT_NE(d, nullptr);
        // A window manager that takes every map request and answers none.
        XSelectInput(d, DefaultRootWindow(d), SubstructureRedirectMask);
        XSync(d, false);
        RunTestOnPrivateServer(server, 30000);
        return;
    }
    TopWindow w;
    w.SetRect(Rect(50, 50, 250, 150));
    uint32 start = MonotonicMs();
    w.OpenWithOwner(nullptr);
    uint32 took = MonotonicMs() - start;
    EXPECT_TRUE(w.IsOpen());
    EXPECT_LT(took, uint32(TOP_WINDOW_VISIBILITY_WAIT_MS + 1500));
    w.Close();
}

} // namespace
