// Clicks through XTest: double clicks by timing, button and window, triple clicks, the
// wheel, drag thresholds, and the focus moving with Tab and Shift+Tab.
#include "tests/support/x11/input_window.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

using namespace Qor;
using namespace QorTest;

using MouseInputTest = PrivateDisplayTest;

void Press(unsigned button, bool down)
{
    XTestFakeButtonEvent(display, button, down, 0);
    XSync(display, false);
}

TEST_F(MouseInputTest, ClickTimingGivesDoubleAndTripleClicks)
{
    InputRecorder c;
    OpenInput window(c, Rect(Point(40, 40), Size(200, 100)));
    ASSERT_TRUE(window.IsOpen());
    for(int i = 0; i < 3; i++)
        Click(window.GetWindow(), Point(30, 20));
    ASSERT_TRUE(PumpUntil([&] { return c.mouse.size() >= 6; }));
    EXPECT_EQ(c.mouse,
              (std::vector<std::string>{ "81 30,20", "91 30,20", "a1 30,20", "91 30,20", "e1 30,20", "91 30,20" }));
}

TEST_F(MouseInputTest, MovingAwayCancelsThePendingDoubleClick)
{
    InputRecorder c;
    OpenInput window(c, Rect(Point(40, 40), Size(200, 100)));
    ASSERT_TRUE(window.IsOpen());
    Click(window.GetWindow(), Point(30, 20));
    PumpUntil([&] { return c.mouse.size() >= 2; });
    Click(window.GetWindow(), Point(35, 20));
    ASSERT_TRUE(PumpUntil([&] { return c.mouse.size() >= 4; }));
    EXPECT_EQ(c.mouse, (std::vector<std::string>{ "81 30,20", "91 30,20", "81 35,20", "91 35,20" }));
}

// A double click is the second press of the same button in the same window.
TEST_F(MouseInputTest, DoubleClickNeedsTheSameButtonAndWindow)
{
    InputRecorder c, d;
    OpenInput window(c, Rect(Point(40, 40), Size(200, 100)));
    OpenInput other(d, Rect(Point(40, 140), Size(200, 100)));
    ASSERT_TRUE(window.IsOpen() && other.IsOpen());
    Click(window.GetWindow(), Point(30, 20), 1);
    Click(window.GetWindow(), Point(30, 20), 3);
    ASSERT_TRUE(PumpUntil([&] { return c.mouse.size() >= 4; }));
    EXPECT_EQ(c.mouse, (std::vector<std::string>{ "81 30,20", "91 30,20", "82 30,20", "92 30,20" }));
    // Two windows that touch: one pixel apart on screen, the same point within the slop.
    c.mouse.clear();
    Click(window.GetWindow(), Point(30, 99));
    Click(other.GetWindow(), Point(30, 0));
    ASSERT_TRUE(PumpUntil([&] { return c.mouse.size() >= 2 && d.mouse.size() >= 2; }));
    EXPECT_EQ(d.mouse, (std::vector<std::string>{ "81 30,0", "91 30,0" }));
}

// Moves queued behind each other are merged into the latest, but never past a press or a
// release: a drag that arrives at once still moves between its press and its release.
TEST_F(MouseInputTest, MergedMovesKeepTheirPlaceBetweenPresses)
{
    InputRecorder c;
    c.log_moves = true;
    OpenInput window(c, Rect(Point(40, 40), Size(200, 100)));
    ASSERT_TRUE(window.IsOpen());
    MovePointer(window.GetWindow(), Point(20, 20));
    ASSERT_TRUE(PumpUntil([&] { return !c.mouse.empty(); }));
    c.mouse.clear();
    Drag(window.GetWindow(), Point(30, 20), Point(130, 20));
    ASSERT_TRUE(PumpUntil([&] { return !c.mouse.empty() && c.mouse.back() == "91 130,20"; }));
    std::vector<std::string> expected{ "20 30,20", "81 30,20", "c1 30,20", "20 130,20", "91 130,20" };
    EXPECT_EQ(c.mouse, expected);
}

TEST_F(MouseInputTest, WheelNotchesArriveOnRelease)
{
    InputRecorder c;
    OpenInput window(c, Rect(Point(40, 40), Size(200, 100)));
    ASSERT_TRUE(window.IsOpen());
    MovePointer(window.GetWindow(), Point(50, 50));
    Press(4, true);
    PumpFor(30);
    EXPECT_TRUE(c.mouse.empty());
    Press(4, false);
    Click(window.GetWindow(), Point(50, 50), 5);
    ASSERT_TRUE(PumpUntil([&] { return c.mouse.size() >= 2; }));
    EXPECT_EQ(c.mouse, (std::vector<std::string>{ "50 50,50 120", "50 50,50 -120" }));
}

TEST_F(MouseInputTest, DragStartsPastTheSlopAtThePressPoint)
{
    InputRecorder c;
    OpenInput window(c, Rect(Point(40, 40), Size(200, 100)));
    ASSERT_TRUE(window.IsOpen());
    MovePointer(window.GetWindow(), Point(20, 20));
    Press(1, true);
    MovePointer(window.GetWindow(), Point(24, 24));
    PumpUntil([&] { return !c.mouse.empty(); });
    PumpFor(20);
    EXPECT_EQ(c.mouse, (std::vector<std::string>{ "81 20,20" }));
    MovePointer(window.GetWindow(), Point(25, 20));
    MovePointer(window.GetWindow(), Point(40, 20));
    Press(1, false);
    ASSERT_TRUE(PumpUntil([&] { return c.mouse.size() >= 3; }));
    EXPECT_EQ(c.mouse, (std::vector<std::string>{ "81 20,20", "c1 20,20", "91 40,20" }));
}

// A dialog-like window that moves the focus with Tab and Shift+Tab.
class TabWindow : public InputRecorder {
public:
    bool ProcessKey(dword key, int count) override
    {
        if(key == 0x09)
            return FocusNextCtrl(FocusedChild(), this, false, false, false) ||
                   FocusNextCtrl(this, this, false, false, false);
        if(key == 0x40009)
            return FocusPrevCtrl(FocusedChild(), this, false, false) ||
                   FocusPrevCtrl(GetLastChild(), nullptr, false, false);
        return InputRecorder::ProcessKey(key, count);
    }
    Ctrl* FocusedChild()
    {
        Ctrl* focus = GetCtrlGlobalRefs().focus_ctrl;
        return focus && IsAncestorOf(focus) ? focus : this;
    }
};

TEST_F(MouseInputTest, TabAndShiftTabMoveTheFocusWithNoticesInOrder)
{
    std::vector<std::string> notices;
    TabWindow w;
    InputRecorder e1, e2, e3;
    const char* names[] = { "e1", "e2", "e3" };
    InputRecorder* edits[] = { &e1, &e2, &e3 };
    for(int i = 0; i < 3; i++) {
        w.AppendChild(*edits[i]);
        edits[i]->SetRect(10, 10 + 30 * i, 100, 20);
        edits[i]->SetWantsFocus();
        edits[i]->name = names[i];
        edits[i]->notices = &notices;
        edits[i]->take_keys = false;
    }
    w.name = "w";
    w.notices = &notices;
    OpenInput window(w, Rect(Point(40, 40), Size(200, 120)));
    ASSERT_TRUE(window.IsOpen());
    ASSERT_TRUE(e1.SetFocus());
    notices.clear();
    TypeKey(XK_Tab);
    ASSERT_TRUE(PumpUntil([&] { return e2.HasFocus(); }));
    EXPECT_EQ(notices,
              (std::vector<std::string>{ "e1:FocusLost", "w:ChildFocusLost", "e2:FocusGained", "w:ChildFocusGained" }));
    TypeKey(XK_Tab);
    ASSERT_TRUE(PumpUntil([&] { return e3.HasFocus(); }));
    notices.clear();
    TypeKey(XK_Tab, { XK_Shift_L });
    ASSERT_TRUE(PumpUntil([&] { return e2.HasFocus(); }));
    EXPECT_EQ(notices,
              (std::vector<std::string>{ "e3:FocusLost", "w:ChildFocusLost", "e2:FocusGained", "w:ChildFocusGained" }));
    TypeKey(XK_Tab, { XK_Shift_L });
    ASSERT_TRUE(PumpUntil([&] { return e1.HasFocus(); }));
}

} // namespace
