// Mouse routing: enter and leave order, frame areas, capture, the wheel, hooks, disabled and
// mouse-ignoring controls, the pointer-left check and the log line.
#include "tests/ctrl/input/input_fixture.h"

#include "ctrl/frame/ctrl_frame.h"

namespace {

using namespace Qor;
using namespace QorTest;

// root (0,0 100x100) with a at (10,10 30x30) and b at (50,10 30x30).
class MouseRoutingTest : public ::testing::Test {
protected:
    MouseRoutingTest()
    {
        root.SetRect(0, 0, 100, 100);
        root.AppendChild(a);
        root.AppendChild(b);
        a.SetRect(10, 10, 30, 30);
        b.SetRect(50, 10, 30, 30);
        journal.clear();
    }

    // The journal lines of the named controls only.
    Journal Lines(std::initializer_list<const char*> names) const
    {
        Journal out;
        for(const std::string& line : journal)
            for(const char* n : names)
                if(line.rfind(std::string(n) + ":", 0) == 0)
                    out.push_back(line);
        return out;
    }

    InputScope scope;
    Journal journal;
    Recorder root{ "root", journal };
    Recorder a{ "a", journal };
    Recorder b{ "b", journal };
    OpenWindow window{ root };
};

TEST_F(MouseRoutingTest, ArrivalGivesLeavesThenEntersThenTheEvent)
{
    RouteMouseEvent(&root, MOUSE_DOWN | MOUSE_LEFT, Point(15, 16), 0);
    EXPECT_EQ(journal, (Journal{ "a:FrameEnter 5,6", "root:ChildMouse(a)Enter 5,6", "a:Enter 5,6",
                                 "root:ChildMouse(a)LeftDown 5,6", "a:LeftDown 5,6" }));
    EXPECT_TRUE(a.IsUnderMouse());
    EXPECT_TRUE(root.IsUnderMouseInTree());
    journal.clear();
    RouteMouseEvent(&root, MOUSE_MOVE, Point(55, 17), 0);
    EXPECT_EQ(journal,
              (Journal{ "root:ChildMouse(a)Leave 0,0", "a:Leave 0,0", "a:FrameLeave 0,0", "b:FrameEnter 5,7",
                        "root:ChildMouse(b)Enter 5,7", "b:Enter 5,7", "root:ChildMouse(b)Move 5,7", "b:Move 5,7" }));
    EXPECT_EQ(Ctrl::GetCtrlUnderMouse(), &b);
    EXPECT_EQ(LastEventPos(), Point(5, 7));
}

TEST_F(MouseRoutingTest, FrameAreaGoesToTheOwnerUnlessAFrameChildCoversIt)
{
    // a gets a one-pixel border: its view starts at (1,1); c sits in a's frame area.
    a.SetFrame(GetBlackLineFrame());
    Recorder c("c", journal);
    a.AppendChild(c);
    c.SetFrameRect(29, 0, 1, 30);
    journal.clear();
    RouteMouseEvent(&root, MOUSE_DOWN | MOUSE_LEFT, Point(10, 20), 0);
    EXPECT_EQ(Lines({ "a" }), (Journal{ "a:FrameEnter 0,10", "a:FrameLeftDown 0,10" }));
    journal.clear();
    RouteMouseEvent(&root, MOUSE_DOWN | MOUSE_LEFT, Point(39, 20), 0);
    EXPECT_EQ(Lines({ "c" }), (Journal{ "c:FrameEnter 0,10", "c:Enter 0,10", "c:LeftDown 0,10" }));
    journal.clear();
    // From the frame into the view: only the view enter, with the point as it came.
    RouteMouseEvent(&root, MOUSE_MOVE, Point(12, 20), 0);
    RouteMouseEvent(&root, MOUSE_MOVE, Point(15, 20), 0);
    EXPECT_EQ(Lines({ "a" }),
              (Journal{ "a:ChildMouse(c)Leave 0,0", "a:FrameEnter 2,10", "a:Enter 2,10", "a:Move 1,9", "a:Move 4,9" }));
}

TEST_F(MouseRoutingTest, CaptureTakesEveryEventInItsViewCoordinates)
{
    RouteMouseEvent(&root, MOUSE_DOWN | MOUSE_LEFT, Point(15, 15), 0);
    ASSERT_TRUE(a.SetCapture());
    EXPECT_TRUE(a.HasCapture());
    journal.clear();
    RouteMouseEvent(&root, MOUSE_MOVE, Point(95, 90), 0);
    EXPECT_EQ(Lines({ "a", "b" }), (Journal{ "a:Leave 85,80", "a:Move 85,80" }));
    // A second window: the point travels through the screen.
    Recorder other("other", journal);
    other.SetRect(200, 0, 50, 50);
    OpenWindow w2(other);
    journal.clear();
    RouteMouseEvent(&other, MOUSE_UP | MOUSE_LEFT, Point(5, 5), 0);
    EXPECT_EQ(Lines({ "a", "other" }), (Journal{ "a:LeftUp 195,-5" }));
    EXPECT_TRUE(Ctrl::ReleaseCapture());
    EXPECT_EQ(Input().grab, nullptr);
    EXPECT_FALSE(a.HasCapture());
    EXPECT_EQ(Lines({ "a" }).back(), "a:CancelInteraction");
}

TEST_F(MouseRoutingTest, FailedGrabLeavesNoCapture)
{
    Input().grab_fails = true;
    EXPECT_FALSE(b.SetCapture());
    EXPECT_FALSE(b.HasCapture());
    EXPECT_FALSE(b.ReleaseOwnCapture());
}

TEST_F(MouseRoutingTest, WheelOverAnUnfocusedWindowTurnsInTheFocusedOne)
{
    // other lies over root's right half.
    Recorder other("other", journal);
    other.SetRect(40, 0, 50, 50);
    OpenWindow w2(other);
    ASSERT_TRUE(b.SetFocus());
    Input().mouse = Point(55, 20);
    journal.clear();
    b.handle_wheel = true;
    RouteMouseEvent(&other, MOUSE_WHEEL, Point(15, 20), 120);
    // The pointer is taken relative to the focused window's root.
    EXPECT_EQ(Lines({ "a", "b", "other" }), (Journal{ "b:FrameEnter 5,10", "b:Enter 5,10", "b:Wheel 5,10" }));
}

TEST_F(MouseRoutingTest, DefaultWheelClimbsAndOnlyAHandlingParentIsReported)
{
    Recorder c("c", journal);
    a.AppendChild(c);
    c.SetRect(5, 5, 10, 10);
    RouteMouseEvent(&root, MOUSE_MOVE, Point(17, 18), 0);
    journal.clear();
    // c passes the wheel up to a, which passes it to root: root's ChildMouse hears nothing.
    RouteMouseEvent(&root, MOUSE_WHEEL, Point(17, 18), -120);
    EXPECT_EQ(Lines({ "root" }), (Journal{ "root:Wheel 17,18" }));
    EXPECT_EQ(Lines({ "a" }), (Journal{ "a:Wheel 7,8" }));
    journal.clear();
    a.handle_wheel = true;
    RouteMouseEvent(&root, MOUSE_WHEEL, Point(17, 18), -120);
    EXPECT_EQ(Lines({ "root", "a" }), (Journal{ "a:Wheel 7,8", "root:ChildMouse(a)Wheel 7,8" }));
}

bool swallow_all = false;
bool SwallowHook(Ctrl*, bool, int event, Point, int, dword) { return swallow_all && event == (MOUSE_DOWN | 1); }

TEST_F(MouseRoutingTest, HookThatConsumesStopsHandlerAndParents)
{
    AddMouseHook(SwallowHook);
    swallow_all = true;
    RouteMouseEvent(&root, MOUSE_DOWN | MOUSE_LEFT, Point(15, 15), 0);
    swallow_all = false;
    EXPECT_EQ(journal, (Journal{ "a:FrameEnter 5,5", "root:ChildMouse(a)Enter 5,5", "a:Enter 5,5" }));
}

TEST_F(MouseRoutingTest, DisabledGetsNothingAndIgnoringLetsThrough)
{
    a.Disable();
    journal.clear();
    RouteMouseEvent(&root, MOUSE_DOWN | MOUSE_LEFT, Point(15, 15), 0);
    EXPECT_EQ(Lines({ "a" }), Journal{});
    EXPECT_EQ(Lines({ "root" }).back(), "root:LeftDown 15,15");
    a.Enable();
    Recorder label("label", journal);
    root.AppendChild(label);
    label.SetRect(10, 10, 30, 30);
    label.SetIgnoreMouse();
    journal.clear();
    RouteMouseEvent(&root, MOUSE_DOWN | MOUSE_LEFT, Point(15, 15), 0);
    EXPECT_EQ(Lines({ "label" }), Journal{});
    EXPECT_EQ(Lines({ "a" }).back(), "a:LeftDown 5,5");
    root.Disable();
    journal.clear();
    RouteMouseEvent(&root, MOUSE_DOWN | MOUSE_LEFT, Point(15, 15), 0);
    EXPECT_EQ(journal, Journal{});
}

class SelfDestroying : public Recorder {
public:
    using Recorder::Recorder;
    Image DispatchMouse(int event, Point p, int zdelta, dword keyflags) override
    {
        if(event != MOUSE_ENTER)
            return Recorder::DispatchMouse(event, p, zdelta, keyflags);
        Note("destroyed on enter");
        delete this;
        return Image();
    }
};

TEST_F(MouseRoutingTest, ControlDestroyedOnEnterGetsNothingMore)
{
    Journal j;
    SelfDestroying* d = new SelfDestroying("d", j);
    root.AppendChild(*d);
    d->SetRect(0, 50, 20, 20);
    j.clear();
    RouteMouseEvent(&root, MOUSE_DOWN | MOUSE_LEFT, Point(5, 55), 0);
    EXPECT_EQ(j, (Journal{ "d:FrameEnter 5,5", "d:destroyed on enter" }));
    EXPECT_EQ(Ctrl::GetCtrlUnderMouse(), nullptr);
}

TEST_F(MouseRoutingTest, PointerLeftCheckSendsLeavesUnlessCaptured)
{
    RouteMouseEvent(&root, MOUSE_MOVE, Point(15, 15), 0);
    Input().mouse = Point(20, 20);
    journal.clear();
    CheckMouseLeave();
    EXPECT_EQ(Lines({ "a" }), Journal{});
    Input().mouse = Point(300, 300);
    ASSERT_TRUE(a.SetCapture());
    CheckMouseLeave();
    EXPECT_EQ(Lines({ "a" }), Journal{});
    Ctrl::ReleaseCapture();
    journal.clear();
    int cursors = Input().cursor_sets;
    CheckMouseLeave();
    EXPECT_EQ(Lines({ "a" }), (Journal{ "a:Leave 290,290", "a:FrameLeave 290,290" }));
    EXPECT_EQ(Ctrl::GetCtrlUnderMouse(), nullptr);
    EXPECT_EQ(Input().cursor_sets, cursors + 1);
}

TEST_F(MouseRoutingTest, QueriesAboutThePointer)
{
    RouteMouseEvent(&root, MOUSE_MOVE, Point(15, 15), 0);
    Input().mouse = Point(14, 13);
    EXPECT_EQ(a.GetMousePosInView(), Point(4, 3));
    EXPECT_TRUE(a.IsMouseInRect(Rect(0, 0, 5, 5)));
    EXPECT_FALSE(a.IsMouseInRect(Rect(5, 0, 10, 5)));
    EXPECT_FALSE(b.IsMouseInRect(Rect(0, 0, 30, 30)));
    EXPECT_TRUE(a.AcceptsMouse());
    a.SetIgnoreMouse();
    EXPECT_FALSE(a.AcceptsMouse());
    // FindChildAt ignores the mouse flags and descends to the deepest control.
    Recorder c("c", journal);
    a.AppendChild(c);
    c.SetRect(5, 5, 10, 10);
    c.Disable();
    EXPECT_EQ(root.FindChildAt(Point(16, 17), false), &c);
    EXPECT_EQ(root.FindChildAt(Point(90, 90), true), &root);
}

TEST(MouseLogLine, NamesButtonActionPointFlagsAndControl)
{
    struct Case {
        int event;
        dword flags;
        const char* prefix;
        const char* text;
    } cases[] = {
        { 0x81, K_CTRL | K_MOUSELEFT, "", "LEFTDOWN [3, 4] ( CTRL LEFT ) " },
        { 0x92, K_ALT | K_SHIFT, "FRAME ", "FRAME RIGHTUP [3, 4] ( ALT SHIFT ) " },
        { 0xA0, K_MOUSEMIDDLE | K_MOUSERIGHT, "", "MIDDLEDOUBLE [3, 4] ( RIGHT MIDDLE ) " },
        { 0x50, 0, "", "MIDDLEWHEEL [3, 4] ( ) " },
        { 0x20, 0, "", "" },
        { 0xB1, 0, "", "" },
    };
    for(const Case& c : cases) {
        String line = FormatMouseLogLine(c.prefix, nullptr, c.event, Point(3, 4), c.flags);
        std::string expected = c.text;
        if(!expected.empty())
            expected += DescribeCtrl(nullptr).Begin();
        EXPECT_EQ(std::string(line.Begin()), expected) << std::hex << c.event;
    }
}

} // namespace
