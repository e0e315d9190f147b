// Mouse button tracking: drag starts past the slop, triple clicks, repeat and hold timers on
// a controlled clock, the end of the tracking and of the capture.
#include "tests/ctrl/input/input_fixture.h"

namespace {

using namespace Qor;
using namespace QorTest;

uint32 fake_now = 100000;
uint32 FakeClock() { return fake_now; }

// top (0,0 200x100) with the target t at (40,20 100x60).
class ButtonTrackingTest : public ::testing::Test {
protected:
    ButtonTrackingTest()
    {
        fake_now = 100000;
        saved_clock = SetTimerClock(FakeClock);
        top.SetRect(0, 0, 200, 100);
        top.AppendChild(t);
        t.SetRect(40, 20, 100, 60);
        t.SetWantsFocus();
        journal.clear();
    }
    ~ButtonTrackingTest() override
    {
        StopButtonTracking();
        SetTimerClock(saved_clock);
    }

    Journal Events() const
    {
        Journal out;
        for(const std::string& line : journal)
            if(line.rfind("t:", 0) == 0 && line.find("Enter") == std::string::npos &&
               line.find(' ') != std::string::npos)
                out.push_back(line);
        return out;
    }

    void Press(Point p, int button = MOUSE_LEFT)
    {
        (button == MOUSE_LEFT ? Input().left : button == MOUSE_RIGHT ? Input().right : Input().middle) = true;
        // The top sits at the screen's origin; the pointer-left check of the timer step sees
        // the pointer where the press was.
        Input().mouse = p;
        DispatchMouseEvent(&top, MOUSE_DOWN | button, p, 0);
    }
    void Release(Point p, int button = MOUSE_LEFT)
    {
        (button == MOUSE_LEFT ? Input().left : button == MOUSE_RIGHT ? Input().right : Input().middle) = false;
        DispatchMouseEvent(&top, MOUSE_UP | button, p, 0);
    }
    // Runs the timer steps of every millisecond up to ms later.
    void Advance(int ms)
    {
        for(int i = 0; i < ms; i++) {
            fake_now++;
            RunDueTimers(int(fake_now));
        }
    }

    TimerClock saved_clock = nullptr;
    InputScope scope;
    Journal journal;
    Recorder top{ "top", journal };
    Recorder t{ "t", journal };
    OpenWindow window{ top };
};

TEST_F(ButtonTrackingTest, DragStartsOnceBeyondTheSlopAtThePressPoint)
{
    Press(Point(50, 30));
    DispatchMouseEvent(&top, MOUSE_MOVE, Point(54, 26), 0); // exactly 4 px: no drag
    DispatchMouseEvent(&top, MOUSE_MOVE, Point(55, 30), 0); // 5 px
    DispatchMouseEvent(&top, MOUSE_MOVE, Point(70, 30), 0);
    EXPECT_EQ(Events(),
              (Journal{ "t:LeftDown 10,10", "t:Move 14,6", "t:LeftDrag 10,10", "t:Move 15,10", "t:Move 30,10" }));
}

TEST_F(ButtonTrackingTest, DragNeedsTheSameTopAndAHeldButton)
{
    Recorder other("other", journal);
    other.SetRect(300, 0, 100, 100);
    OpenWindow w2(other);
    Press(Point(50, 30));
    DispatchMouseEvent(&other, MOUSE_MOVE, Point(80, 80), 0);
    DispatchMouseEvent(&top, MOUSE_MOVE, Point(90, 30), 0);
    Press(Point(50, 30));
    Input().left = false;
    DispatchMouseEvent(&top, MOUSE_MOVE, Point(90, 30), 0);
    for(const std::string& line : journal)
        EXPECT_EQ(line.find("Drag"), std::string::npos) << line;
}

TEST_F(ButtonTrackingTest, PressNearADoubleClickIsATripleClick)
{
    Press(Point(50, 30));
    Release(Point(50, 30));
    Input().left = true;
    DispatchMouseEvent(&top, MOUSE_DOUBLE | MOUSE_LEFT, Point(50, 30), 0);
    Release(Point(50, 30));
    Press(Point(53, 32));
    EXPECT_EQ(Events().back(), "t:LeftTriple 13,12");
    // A triple click still starts the repeat and hold timers.
    EXPECT_TRUE(HasTimers(&LastEventPos()));
    Release(Point(53, 32));
    // Too far from the double click, or too late: a plain press.
    Press(Point(54, 30));
    EXPECT_EQ(Events().back(), "t:LeftDown 14,10");
    Release(Point(54, 30));
    GetButtonTracking().double_time[MOUSE_LEFT] -= GetMultiClickTime();
    Press(Point(50, 30));
    EXPECT_EQ(Events().back(), "t:LeftDown 10,10");
}

TEST_F(ButtonTrackingTest, HeldButtonRepeatsFrom250MsWhileTheFocusIsInTheTree)
{
    ASSERT_TRUE(t.SetFocus());
    Press(Point(50, 30));
    Advance(249);
    EXPECT_EQ(Events(), (Journal{ "t:LeftDown 10,10" }));
    Advance(1 + 25 + 25);
    Journal events = Events();
    EXPECT_EQ(std::count(events.begin(), events.end(), "t:LeftRepeat 10,10"), 2);
    // The focus leaves the window's tree: the repeat stops for good.
    Recorder other("other", journal);
    other.SetRect(300, 0, 100, 100);
    OpenWindow w2(other);
    ASSERT_TRUE(other.SetFocus());
    Advance(100);
    events = Events();
    EXPECT_EQ(std::count(events.begin(), events.end(), "t:LeftRepeat 10,10"), 2);
    EXPECT_FALSE(HasTimers(&LastEventPos()));
}

TEST_F(ButtonTrackingTest, ReleaseStopsRepeatAndForgetsPressPoints)
{
    ASSERT_TRUE(t.SetFocus());
    Press(Point(50, 30));
    Press(Point(50, 30), MOUSE_RIGHT);
    Release(Point(50, 30), MOUSE_RIGHT);
    Advance(600);
    for(const std::string& line : Events())
        EXPECT_TRUE(line.find("Repeat") == std::string::npos && line.find("Hold") == std::string::npos) << line;
    for(Point p : GetButtonTracking().press_point)
        EXPECT_EQ(p.x, INT_NULL);
}

// The press point is kept in the top control's coordinates; the control under the pointer
// (here at 40,20 in the top) has its own. The hold must compare like with like.
TEST_F(ButtonTrackingTest, HoldFiresWhenThePointerStaysInPlace)
{
    ASSERT_TRUE(t.SetFocus());
    Press(Point(50, 30));
    DispatchMouseEvent(&top, MOUSE_MOVE, Point(51, 31), 0);
    Advance(500);
    Journal events = Events();
    EXPECT_EQ(std::count(events.begin(), events.end(), "t:LeftHold 11,11"), 1) << ::testing::PrintToString(events);
}

TEST_F(ButtonTrackingTest, NoHoldAfterThePointerMovedAway)
{
    Press(Point(50, 30));
    DispatchMouseEvent(&top, MOUSE_MOVE, Point(56, 30), 0);
    Advance(500);
    for(const std::string& line : Events())
        EXPECT_EQ(line.find("Hold"), std::string::npos) << line;
}

TEST_F(ButtonTrackingTest, CaptureEndsAtTheFirstEventWithNoButtonHeld)
{
    Press(Point(50, 30));
    ASSERT_TRUE(t.SetCapture());
    DispatchMouseEvent(&top, MOUSE_MOVE, Point(150, 90), 0);
    EXPECT_TRUE(t.HasCapture());
    Input().left = false;
    DispatchMouseEvent(&top, MOUSE_MOVE, Point(150, 90), 0);
    EXPECT_FALSE(t.HasCapture());
    EXPECT_EQ(Input().grab, nullptr);
}

TEST_F(ButtonTrackingTest, SwallowFlagFollowsTheHeldButtons)
{
    ResetMouseClickState();
    EXPECT_TRUE(GetButtonTracking().swallow_clicks);
    Input().left = true;
    ResetMouseState();
    EXPECT_TRUE(GetButtonTracking().swallow_clicks);
    Input().left = false;
    ResetMouseState();
    EXPECT_FALSE(GetButtonTracking().swallow_clicks);
    SkipHeldClick();
    EXPECT_FALSE(GetButtonTracking().swallow_clicks);
    Input().right = true;
    SkipHeldClick();
    EXPECT_TRUE(GetButtonTracking().swallow_clicks);
}

} // namespace
