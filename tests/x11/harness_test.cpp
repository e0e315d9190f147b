// The GUI harness itself: a mapped window shows what was painted, and XTest input arrives
// as real events at the place asked for.
#include "tests/support/x11/test_window.h"
#include "tests/support/x11/xtest_input.h"

#include <gtest/gtest-spi.h>

#include <X11/Xatom.h>
#include <X11/keysym.h>

namespace {

using namespace Qor;
using namespace QorTest;

using HarnessTest = GuiTest;

TEST_F(HarnessTest, PaintedWindowIsReadBack)
{
    TestWindow w(40, 30, White(), 10, 10);
    ASSERT_TRUE(w.MapAndWait());
    w.Paint([](SystemDraw& d) { d.DrawRect(5, 5, 10, 8, Color(255, 0, 0)); });
    Pixels p = w.Grab();
    EXPECT_EQ(p.Count(Color(255, 0, 0)), 80);
    EXPECT_EQ(p.At(5, 5), Color(255, 0, 0));
    EXPECT_EQ(p.At(15, 5), White());
}

TEST_F(HarnessTest, CoveredWindowIsStillReadBack)
{
    // Parallel tests share the server; a window of another test may cover this one.
    TestWindow w(40, 30, White(), 100, 100);
    ASSERT_TRUE(w.MapAndWait());
    w.Paint([](SystemDraw& d) { d.DrawRect(0, 0, 40, 30, Color(0, 0, 255)); });
    TestWindow cover(60, 60, Color(0, 255, 0), 90, 90);
    ASSERT_TRUE(cover.MapAndWait());
    EXPECT_EQ(w.Grab().Count(Color(0, 0, 255)), 40 * 30);
}

TEST_F(HarnessTest, ClickArrivesAtThePoint)
{
    TestWindow w(50, 50, White(), 20, 20);
    ASSERT_TRUE(w.MapAndWait());
    Click(w.GetWindow(), Point(12, 34), 3);
    XEvent press, release;
    ASSERT_TRUE(w.WaitEvent(ButtonPress, press));
    ASSERT_TRUE(w.WaitEvent(ButtonRelease, release));
    EXPECT_EQ(press.xbutton.button, 3u);
    EXPECT_EQ(press.xbutton.x, 12);
    EXPECT_EQ(press.xbutton.y, 34);
}

TEST_F(HarnessTest, DragMovesWithTheButtonHeld)
{
    TestWindow w(60, 60, White(), 30, 30);
    ASSERT_TRUE(w.MapAndWait());
    Drag(w.GetWindow(), Point(5, 5), Point(45, 25));
    XEvent press, motion, release;
    ASSERT_TRUE(w.WaitEvent(ButtonPress, press));
    bool held_motion = false;
    while(!held_motion && w.WaitEvent(MotionNotify, motion, 1000))
        held_motion = motion.xmotion.state & Button1Mask;
    EXPECT_TRUE(held_motion);
    ASSERT_TRUE(w.WaitEvent(ButtonRelease, release));
    EXPECT_EQ(Point(press.xbutton.x, press.xbutton.y), Point(5, 5));
    EXPECT_EQ(Point(release.xbutton.x, release.xbutton.y), Point(45, 25));
}

TEST_F(HarnessTest, TypedTextArrivesAsKeys)
{
    TestWindow w(30, 30, White(), 40, 40);
    ASSERT_TRUE(w.MapAndWait());
    // Override-redirect windows get no focus from a window manager; give it directly.
    XSetInputFocus(display, w.GetWindow(), RevertToParent, X_CURRENT_TIME);
    TypeText("aB1");
    std::string typed;
    XEvent e;
    while(typed.size() < 3 && w.WaitEvent(KeyPress, e)) {
        char buf[8];
        KeySym key;
        int n = XLookupString(&e.xkey, buf, sizeof(buf), &key, nullptr);
        typed.append(buf, n);
    }
    EXPECT_EQ(typed, "aB1");
}

TEST_F(HarnessTest, PropertyIsReadAsOtherClientsSeeIt)
{
    TestWindow w(10, 10);
    XChangeProperty(display, w.GetWindow(), XInternAtom(display, "QOR_TEST", false), XA_STRING, 8, PropModeReplace,
                    (const unsigned char*)"abc", 3);
    Atom type = None;
    EXPECT_EQ(ReadProperty(w.GetWindow(), "QOR_TEST", &type), "abc");
    EXPECT_EQ(type, XA_STRING);
}

TEST(HarnessWithoutDisplay, FailsSayingSo)
{
    // Checked in a child without DISPLAY: the failure message names the cause.
    EXPECT_EXIT(
        {
            unsetenv("DISPLAY");
            display = nullptr; // an earlier test of this process may have opened it
            testing::TestPartResultArray results;
            {
                testing::ScopedFakeTestPartResultReporter reporter(
                    testing::ScopedFakeTestPartResultReporter::INTERCEPT_ALL_THREADS, &results);
                bool ok = RequireDisplay();
                if(ok)
                    _exit(2);
            }
            bool said = results.size() == 1 && results.GetTestPartResult(0).failed() &&
                        std::string(results.GetTestPartResult(0).message()).find("No X display") != std::string::npos;
            _exit(said ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
