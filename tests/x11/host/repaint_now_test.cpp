// Painting at once, without a turn of the event loop: a window's pending areas, or only
// those under a child, whose other areas wait for the idle step; and a window moved and
// resized by another client, whose control follows.
#include "tests/x11/host/host_fixture.h"

#include <algorithm>

namespace {

using namespace Qor;
using namespace QorTest;

const Color BLUE(0, 0, 255);
const Color GREEN(0, 255, 0);
const Color RED(255, 0, 0);
const Color YELLOW(255, 255, 0);

struct Window2 {
    FillCtrl top{ BLUE };
    FillCtrl child{ GREEN };

    Window2()
    {
        child.SetRect(10, 20, 30, 15);
        top.AppendChild(child);
    }
    const Vector<Rect>& Invalid() { return GetWindowMapEntry(top)->invalid; }
};

using RepaintNowTest = GuiTest;

TEST_F(RepaintNowTest, AWindowPaintsItsPendingAreasBeforeTheCallReturns)
{
    Window2 w;
    ASSERT_TRUE(OpenHostWindow(w.top, Rect(40, 40, 120, 100)));
    int paints = w.top.paints;
    w.top.color = YELLOW;
    w.top.Refresh();
    w.top.RepaintNow();
    EXPECT_EQ(w.top.paints, paints + 1);
    EXPECT_TRUE(w.Invalid().IsEmpty());
    Pixels p = GrabWindow(w.top);
    EXPECT_EQ(p.At(0, 0), YELLOW);
    EXPECT_EQ(p.At(79, 59), YELLOW);
    EXPECT_EQ(p.At(15, 25), GREEN);
}

// A child paints only its own rectangle at once: the part of a pending area inside it is
// painted, the rest stays pending, and its pixels stay as they were until the idle step.
TEST_F(RepaintNowTest, AChildPaintsItsRectangleAndTheRestWaits)
{
    Window2 w;
    ASSERT_TRUE(OpenHostWindow(w.top, Rect(40, 40, 120, 100)));
    w.top.color = YELLOW;
    w.child.color = RED;
    w.top.Refresh(Rect(0, 0, 80, 30)); // over the child's upper part and beside it
    w.child.Refresh();
    w.child.RepaintNow();
    Pixels p = GrabWindow(w.top);
    EXPECT_EQ(p.At(10, 20), RED);
    EXPECT_EQ(p.At(39, 34), RED);
    EXPECT_EQ(p.Count(RED), 30 * 15);
    EXPECT_EQ(p.At(5, 5), BLUE) << "outside the child nothing was painted yet";
    EXPECT_EQ(p.At(60, 25), BLUE);
    EXPECT_EQ(p.Count(YELLOW), 0);
    // What stays pending is the refreshed area less the child's rectangle.
    const Vector<Rect>& left = w.Invalid();
    for(const Rect& r : left)
        EXPECT_FALSE(r.Intersects(w.child.GetRectInParent())) << r.left << "," << r.top;
    for(Point q : { Point(0, 0), Point(5, 25), Point(60, 25), Point(79, 29), Point(25, 10) })
        EXPECT_TRUE(std::any_of(left.begin(), left.end(), [&](const Rect& r) { return r.Contains(q); }))
            << q.x << "," << q.y;

    ASSERT_TRUE(PaintPending(w.top));
    p = GrabWindow(w.top);
    EXPECT_EQ(p.At(5, 5), YELLOW);
    EXPECT_EQ(p.At(60, 25), YELLOW);
    EXPECT_EQ(p.At(60, 40), BLUE) << "below the refreshed area";
}

// Another client moves and resizes the window, as a window manager would: the control's
// rectangle follows, and the larger view is painted.
TEST_F(RepaintNowTest, TheRectangleFollowsAMoveAndResizeByAnotherClient)
{
    Window2 w;
    ASSERT_TRUE(OpenHostWindow(w.top, Rect(40, 40, 120, 100)));
    ::Display* other = XOpenDisplay(DisplayString(display));
    ASSERT_TRUE(other);
    Rect before = w.top.GetRectOnScreen();
    Rect after(before.left + 15, before.top + 25, before.left + 15 + 140, before.top + 25 + 90);
    XMoveResizeWindow(other, GetHostWindow(w.top), after.left, after.top, after.Width(), after.Height());
    XSync(other, false);
    XCloseDisplay(other);
    EXPECT_TRUE(WaitFor([&] {
        ProcessPendingEvents();
        return w.top.GetRectOnScreen() == after;
    })) << w.top.GetRectOnScreen().left
        << "," << w.top.GetRectOnScreen().top << " " << w.top.GetRectOnScreen().Width() << "x"
        << w.top.GetRectOnScreen().Height();
    EXPECT_EQ(w.top.GetSize(), Size(140, 90));
    EXPECT_EQ(w.top.GetRectOnScreen(), after);
    EXPECT_EQ(w.child.GetRectOnScreen().TopLeft(), after.TopLeft() + Size(10, 20));
    ASSERT_TRUE(PaintPending(w.top));
    EXPECT_EQ(GrabWindow(w.top).At(135, 85), BLUE) << "the new part of the view is painted";
}

} // namespace
