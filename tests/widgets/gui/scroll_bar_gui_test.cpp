// ScrollBar on a private X server through XTest, docked as the frame of a view: its arrows,
// page clicks (held ones repeat), the dragged thumb, and the wheel over the view.
#include "tests/support/x11/input_window.h"

#include "foundation/callback_action.h"
#include "widgets/scroll/scroll_bar.h"

#include <X11/extensions/XTest.h>

namespace {

using namespace Qor;
using namespace QorTest;

using ScrollBarGuiTest = PrivateDisplayTest;

// A view scrolled by a vertical bar in its frame; the wheel over the view scrolls the bar.
// 200 x 234: the bar takes x 183..200, its arrows y 0..17 and 217..234, its track 200 px.
class ScrolledView : public Ctrl {
public:
    ScrollBar bar;
    int actions = 0;
    int presses = 0;

    ScrolledView()
    {
        AddFrame(bar);
        bar.Set(0, 10, 100);
        bar.SetAction(MakeCallback(this, &ScrolledView::Acted));
        bar.PressAction() = MakeCallback(this, &ScrolledView::Pressed);
    }
    void WheelRotated(Point, int zdelta, dword) override { bar.Wheel(zdelta, 3); }
    void Paint(Draw&) override {}

private:
    void Acted() { actions++; }
    void Pressed() { presses++; }
};

const Rect VIEW_RECT(Point(40, 40), Size(200, 234));

void HoldLeftButton(bool down)
{
    XTestFakeButtonEvent(display, 1, down, 0);
    XSync(display, false);
}

TEST_F(ScrollBarGuiTest, FrameBarTakesItsBandOfTheView)
{
    ScrolledView v;
    OpenInput window(v, VIEW_RECT);
    ASSERT_TRUE(window.IsOpen());
    EXPECT_EQ(v.bar.GetRectInParent(), Rect(183, 0, 200, 234));
    EXPECT_EQ(v.GetViewRect(), Rect(0, 0, 183, 234));
    EXPECT_EQ(v.bar.GetPartRect(SCROLL_PART_THUMB), Rect(0, 17, 17, 37));
}

TEST_F(ScrollBarGuiTest, ArrowsStepByLines)
{
    ScrolledView v;
    OpenInput window(v, VIEW_RECT);
    ASSERT_TRUE(window.IsOpen());
    Click(window.GetWindow(), Point(191, 225));
    ASSERT_TRUE(PumpUntil([&] { return v.bar.GetPosition() == 1; }));
    Click(window.GetWindow(), Point(191, 225));
    ASSERT_TRUE(PumpUntil([&] { return v.bar.GetPosition() == 2; }));
    Click(window.GetWindow(), Point(191, 8));
    ASSERT_TRUE(PumpUntil([&] { return v.bar.GetPosition() == 1; }));
    EXPECT_EQ(v.actions, 3);
    EXPECT_EQ(v.presses, 3);
    // The thumb went down by the pixels of one unit and back.
    EXPECT_EQ(v.bar.GetThumb().offset, 2);
}

TEST_F(ScrollBarGuiTest, TrackClicksStepByPages)
{
    ScrolledView v;
    OpenInput window(v, VIEW_RECT);
    ASSERT_TRUE(window.IsOpen());
    Click(window.GetWindow(), Point(191, 150));
    ASSERT_TRUE(PumpUntil([&] { return v.bar.GetPosition() == 9; }));
    Click(window.GetWindow(), Point(191, 150));
    ASSERT_TRUE(PumpUntil([&] { return v.bar.GetPosition() == 18; }));
    // Before the thumb (now at 36..56 of the track) the page goes back.
    Click(window.GetWindow(), Point(191, 30));
    ASSERT_TRUE(PumpUntil([&] { return v.bar.GetPosition() == 9; }));
    EXPECT_EQ(v.presses, 3);
    EXPECT_EQ(v.bar.GetPressedPart(), SCROLL_PART_NONE);
}

TEST_F(ScrollBarGuiTest, HeldTrackPressRepeatsPageSteps)
{
    ScrolledView v;
    OpenInput window(v, VIEW_RECT);
    ASSERT_TRUE(window.IsOpen());
    MovePointer(window.GetWindow(), Point(191, 200));
    HoldLeftButton(true);
    // The first repeat comes after 250 ms, then every 25 ms, up to the last page.
    ASSERT_TRUE(PumpUntil([&] { return v.bar.GetPosition() >= 27; }, 3000));
    EXPECT_EQ(v.bar.GetPressedPart(), SCROLL_PART_AFTER);
    HoldLeftButton(false);
    ASSERT_TRUE(PumpUntil([&] { return v.bar.GetPressedPart() == SCROLL_PART_NONE; }));
    int stopped = v.bar.GetPosition();
    PumpFor(150);
    EXPECT_EQ(v.bar.GetPosition(), stopped);
    EXPECT_EQ(v.presses, 1);
}

TEST_F(ScrollBarGuiTest, DraggedThumbMovesThePositionLive)
{
    ScrolledView v;
    OpenInput window(v, VIEW_RECT);
    ASSERT_TRUE(window.IsOpen());
    MovePointer(window.GetWindow(), Point(191, 27));
    HoldLeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return v.bar.GetPressedPart() == SCROLL_PART_THUMB; }));
    MovePointer(window.GetWindow(), Point(191, 77));
    ASSERT_TRUE(PumpUntil([&] { return v.bar.GetPosition() == 25; }));
    EXPECT_EQ(v.bar.GetThumb().offset, 50);
    MovePointer(window.GetWindow(), Point(191, 127));
    ASSERT_TRUE(PumpUntil([&] { return v.bar.GetPosition() == 50; }));
    HoldLeftButton(false);
    ASSERT_TRUE(PumpUntil([&] { return v.bar.GetPressedPart() == SCROLL_PART_NONE; }));
    // The release leaves the position where the thumb is.
    EXPECT_EQ(v.bar.GetPosition(), 50);
    EXPECT_EQ(v.bar.GetThumb().offset, 100);
    // Past the track end the thumb stops there and the position is the last one.
    Drag(window.GetWindow(), Point(191, 127), Point(191, 400));
    ASSERT_TRUE(PumpUntil([&] { return v.bar.GetPosition() == 90; }));
    EXPECT_EQ(v.bar.GetThumb().offset, 180);
}

TEST_F(ScrollBarGuiTest, ThumbWithoutLiveTrackingMovesThePositionAtTheRelease)
{
    ScrolledView v;
    v.bar.SetLiveTracking(false);
    OpenInput window(v, VIEW_RECT);
    ASSERT_TRUE(window.IsOpen());
    MovePointer(window.GetWindow(), Point(191, 27));
    HoldLeftButton(true);
    MovePointer(window.GetWindow(), Point(191, 77));
    ASSERT_TRUE(PumpUntil([&] { return v.bar.GetThumb().offset == 50; }));
    EXPECT_EQ(v.bar.GetPosition(), 0);
    HoldLeftButton(false);
    ASSERT_TRUE(PumpUntil([&] { return v.bar.GetPosition() == 25; }));
}

// With jump on, a track press puts the thumb's middle under the pointer: offsets count from
// the track start, below the back arrow.
TEST_F(ScrollBarGuiTest, JumpPutsTheThumbUnderThePointer)
{
    ScrolledView v;
    v.bar.SetJump();
    OpenInput window(v, VIEW_RECT);
    ASSERT_TRUE(window.IsOpen());
    Click(window.GetWindow(), Point(191, 117));
    ASSERT_TRUE(PumpUntil([&] { return v.bar.GetPosition() == 45; }));
    EXPECT_EQ(v.bar.GetPartRect(SCROLL_PART_THUMB), Rect(0, 107, 17, 127));
    EXPECT_EQ(v.actions, 1);
}

TEST_F(ScrollBarGuiTest, WheelOverTheViewScrollsThreeLines)
{
    ScrolledView v;
    OpenInput window(v, VIEW_RECT);
    ASSERT_TRUE(window.IsOpen());
    Click(window.GetWindow(), Point(80, 100), 5);
    ASSERT_TRUE(PumpUntil([&] { return v.bar.GetPosition() == 3; }));
    Click(window.GetWindow(), Point(80, 100), 5);
    ASSERT_TRUE(PumpUntil([&] { return v.bar.GetPosition() == 6; }));
    Click(window.GetWindow(), Point(80, 100), 4);
    ASSERT_TRUE(PumpUntil([&] { return v.bar.GetPosition() == 3; }));
    EXPECT_EQ(v.actions, 3);
}

} // namespace
