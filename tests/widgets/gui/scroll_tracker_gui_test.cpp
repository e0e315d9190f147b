// ScrollTracker on a private X server: the first scroll repaints the whole view, later ones
// move the painted contents and repaint only the strip that came into view, which then
// matches a full repaint.
#include "tests/support/x11/input_window.h"

#include "draw/target/draw.h"
#include "widgets/scroll/scroll_tracker.h"

namespace {

using namespace Qor;
using namespace QorTest;

using ScrollTrackerGuiTest = PrivateDisplayTest;

// Rows of alternating colours, two pixels each, starting at the row `top` of the contents.
class StripedView : public Ctrl {
public:
    int top = 0;
    Rect painted;
    ScrollTracker tracker;

    void Paint(Draw& w) override
    {
        painted = painted.IsEmpty() ? w.GetPaintRect() : painted | w.GetPaintRect();
        Size sz = GetViewSize();
        for(int y = 0; y < sz.cy; y++)
            w.DrawRect(0, y, sz.cx, 1, Colour(top + y));
    }
    void ScrollTo(int y)
    {
        top = y;
        tracker.ScrollVertically(*this, Rect(GetViewSize()), y, 1);
    }
    static Color Colour(int row) { return (row / 2) % 2 ? Color(0, 0, 255) : Color(255, 255, 0); }
};

TEST_F(ScrollTrackerGuiTest, LaterScrollsRepaintOnlyTheUncoveredStrip)
{
    StripedView v;
    OpenInput window(v, Rect(Point(40, 40), Size(60, 80)));
    ASSERT_TRUE(window.IsOpen());
    PumpFor(100);
    v.painted = Rect();
    v.ScrollTo(0);
    ASSERT_TRUE(PumpUntil([&] { return !v.painted.IsEmpty(); }));
    PumpFor(50);
    EXPECT_EQ(v.painted, Rect(0, 0, 60, 80));

    v.painted = Rect();
    v.ScrollTo(11);
    ASSERT_TRUE(PumpUntil([&] { return !v.painted.IsEmpty(); }));
    PumpFor(50);
    // The window may repaint a little more than the uncovered strip, never the whole view.
    EXPECT_EQ(v.painted.bottom, 80);
    EXPECT_LE(v.painted.top, 69);
    EXPECT_GT(v.painted.top, 0);
    EXPECT_EQ(v.tracker.x, 0);
    EXPECT_EQ(v.tracker.y, 11);
    Pixels p = GrabPixels(window.GetWindow(), Rect(0, 0, 60, 80));
    for(int y = 0; y < 80; y++)
        ASSERT_EQ(p.At(30, y), StripedView::Colour(11 + y)) << y;
}

} // namespace
