// The drop-down list on a private X server through XTest: dropped by a click and by Alt+Down,
// closed by Enter, Esc and a click outside, stepped by the arrow keys while closed, its value
// and action each way, and its list kept on the screen.
#include "lists/droplist/drop_list.h"

#include "tests/support/x11/input_window.h"

#include "ctrl/settings/gui_settings.h"
#include "draw/look/sys_colors.h"
#include "tests/support/lambda_callback.h"

#include <X11/keysym.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace Qor;
using namespace QorTest;

const char* const MATCH_TYPES[] = { "Contains", "Starts With", "Exact Match", "Soundex" };

// A window holding a drop-down list of the four match types (keys 0 to 3, value 0) and an
// empty one below it.
class DropPanel : public InputRecorder {
public:
    DropList drop;
    DropList empty;

    DropPanel()
    {
        take_keys = false;
        for(int i = 0; i < 4; i++)
            drop.Add(i, String(MATCH_TYPES[i]));
        drop.SetValue(0);
        drop.SetRect(20, 10, 160, 22);
        AppendChild(drop);
        empty.SetRect(20, 50, 160, 22);
        AppendChild(empty);
    }
    void Paint(Draw& w) override { w.DrawRect(Rect(GetSize()), SysColorFace()); }
};

class DropListGui : public PrivateDisplayTest {
protected:
    DropPanel panel;
    std::optional<OpenInput> window;
    int actions = 0;
    int animation = 0;

    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        ASSERT_TRUE(HasXTest());
        animation = GetPopupAnimation();
        SetPopupAnimation(0);
        panel.drop.SetAction(Lambda([this] { actions++; }));
    }
    void TearDown() override
    {
        window.reset();
        SetPopupAnimation(animation);
        PrivateDisplayTest::TearDown();
    }
    void OpenAt(Point p)
    {
        window.emplace(panel, Rect(p, Size(240, 90)));
        ASSERT_TRUE(window->IsOpen());
        MovePointer(DefaultRootWindow(display), Point(p.x + 230, p.y + 85));
        PumpFor(50);
    }
    PopUpTable& List() { return panel.drop.GetList(); }
    bool Dropped() { return List().IsPoppedUp(); }
    Point Middle(Ctrl& c) { return c.GetRectOnScreen().CenterPoint(); }
    void ClickAt(Point screen) { Click(DefaultRootWindow(display), screen); }
    void WaitDropped()
    {
        ASSERT_TRUE(PumpUntil([&] { return Dropped() && List().GetPopup()->IsVisible(); }));
        PumpFor(50);
    }
    void WaitClosed()
    {
        ASSERT_TRUE(PumpUntil([&] { return !Dropped(); }));
    }
    Value Shown() { return static_cast<MultiButton&>(panel.drop).MultiButton::GetValue(); }
};

TEST_F(DropListGui, AClickDropsTheListUnderItAndEscapeClosesItUnchanged)
{
    OpenAt(Point(40, 40));
    ClickAt(Middle(panel.drop));
    WaitDropped();
    Rect d = panel.drop.GetRectOnScreen();
    Rect popup = List().GetPopup()->GetRectOnScreen();
    EXPECT_EQ(popup, Rect(d.left, d.bottom, d.right, d.bottom + 4 * List().GetDefaultRowHeight() + 2));
    EXPECT_EQ(List().GetCursor(), 0) << "the list opens on the chosen entry";
    TypeKey(XK_Escape);
    WaitClosed();
    PumpFor(50);
    EXPECT_EQ(panel.drop.GetValue(), Value(0));
    EXPECT_EQ(actions, 0);
    EXPECT_EQ(Shown(), Value(String("Contains")));
}

TEST_F(DropListGui, AltDownDropsTheListAndEnterPicksTheChosenEntryAgain)
{
    OpenAt(Point(40, 40));
    panel.drop.SetValue(2);
    ASSERT_TRUE(panel.drop.SetFocus());
    TypeKey(XK_Down, { XK_Alt_L });
    WaitDropped();
    EXPECT_EQ(List().GetCursor(), 2);
    EXPECT_TRUE(List().HasFocus());
    TypeKey(XK_Return);
    WaitClosed();
    EXPECT_EQ(panel.drop.GetValue(), Value(2));
    EXPECT_EQ(actions, 1) << "picking the chosen entry still tells the owner";
    EXPECT_TRUE(PumpUntil([&] { return panel.drop.HasFocus(); })) << "the focus goes back to the drop-down list";
}

// The row under the pointer when the button goes up, in the list's own rows.
Point RowOnScreen(PopUpTable& list, int row)
{
    Rect view = list.GetViewRectOnScreen();
    return Point(view.left + 20, view.top + list.GetLineY(row) - list.GetScrollPos() + list.GetDefaultRowHeight() / 2);
}

TEST_F(DropListGui, AnEntryChosenByTheMouse)
{
    OpenAt(Point(40, 40));
    ClickAt(Middle(panel.drop));
    WaitDropped();
    ClickAt(RowOnScreen(List(), 2));
    WaitClosed();
    PumpFor(50);
    EXPECT_EQ(panel.drop.GetValue(), Value(2));
    EXPECT_EQ(actions, 1);
    EXPECT_EQ(Shown(), Value(String("Exact Match")));
}

TEST_F(DropListGui, AnEntryChosenByTheKeyboard)
{
    OpenAt(Point(40, 40));
    ASSERT_TRUE(panel.drop.SetFocus());
    TypeKey(XK_Down, { XK_Alt_L });
    WaitDropped();
    // Moving the pointer over the rows would move the cursor: it stays outside the list.
    struct Move {
        KeySym key;
        int cursor;
    } moves[] = { { XK_Down, 1 }, { XK_Down, 2 }, { XK_Down, 3 }, { XK_Up, 2 } };
    for(const Move& m : moves) {
        TypeKey(m.key);
        ASSERT_TRUE(PumpUntil([&] { return List().GetCursor() == m.cursor; })) << List().GetCursor();
    }
    EXPECT_EQ(actions, 0) << "moving in the open list is no choice yet";
    EXPECT_EQ(panel.drop.GetValue(), Value(0));
    TypeKey(XK_Return);
    WaitClosed();
    EXPECT_EQ(panel.drop.GetValue(), Value(2));
    EXPECT_EQ(actions, 1);
    EXPECT_TRUE(PumpUntil([&] { return panel.drop.HasFocus(); }));
}

TEST_F(DropListGui, ALetterTypedOnTheClosedListChoosesTheNextEntryItStarts)
{
    OpenAt(Point(40, 40));
    ASSERT_TRUE(panel.drop.SetFocus());
    TypeText("s");
    ASSERT_TRUE(PumpUntil([&] { return panel.drop.GetValue() == Value(1); }));
    TypeText("s");
    ASSERT_TRUE(PumpUntil([&] { return panel.drop.GetValue() == Value(3); }));
    EXPECT_EQ(actions, 2);
    EXPECT_EQ(Shown(), Value(String("Soundex")));
    EXPECT_FALSE(Dropped());
}

TEST_F(DropListGui, AClickOutsideTheOpenListCancelsIt)
{
    OpenAt(Point(40, 40));
    ClickAt(Middle(panel.drop));
    WaitDropped();
    ClickAt(Point(40 + 220, 40 + 80));
    WaitClosed();
    EXPECT_EQ(panel.drop.GetValue(), Value(0));
    EXPECT_EQ(actions, 0);
}

TEST_F(DropListGui, AClickOnTheDropButtonWhileOpenClosesTheList)
{
    OpenAt(Point(40, 40));
    ClickAt(Middle(panel.drop));
    WaitDropped();
    ClickAt(Middle(panel.drop));
    PumpFor(200);
    EXPECT_EQ(actions, 0);
    EXPECT_EQ(panel.drop.GetValue(), Value(0));
    EXPECT_FALSE(Dropped()) << "the press that closes the list does not open it again";
}

TEST_F(DropListGui, ArrowKeysStepThroughTheClosedList)
{
    OpenAt(Point(40, 40));
    ASSERT_TRUE(panel.drop.SetFocus());
    struct Step {
        KeySym key;
        int value;
    } steps[] = { { XK_Down, 1 }, { XK_Right, 2 }, { XK_Down, 3 }, { XK_Down, 3 }, { XK_Up, 2 }, { XK_Left, 1 } };
    int expected_actions = 0;
    for(const Step& s : steps) {
        bool changes = panel.drop.GetValue() != Value(s.value);
        TypeKey(s.key);
        PumpFor(30);
        expected_actions += changes;
        EXPECT_EQ(panel.drop.GetValue(), Value(s.value)) << XKeysymToString(s.key);
        EXPECT_EQ(actions, expected_actions) << XKeysymToString(s.key);
        EXPECT_FALSE(Dropped());
    }
    EXPECT_EQ(Shown(), Value(String("Starts With")));
}

TEST_F(DropListGui, AnEmptyListDropsNothing)
{
    OpenAt(Point(40, 40));
    ClickAt(Middle(panel.empty));
    PumpFor(100);
    ASSERT_TRUE(panel.empty.SetFocus());
    TypeKey(XK_Down, { XK_Alt_L });
    PumpFor(100);
    EXPECT_FALSE(panel.empty.GetList().IsPoppedUp());
    EXPECT_EQ(panel.empty.GetList().GetPopup(), nullptr);
}

TEST_F(DropListGui, ADropListDestroyedWhileItsListIsOpenTakesThePopUpWithIt)
{
    OpenAt(Point(40, 40));
    int windows_before = (int)GetTopCtrls().GetCount();
    {
        DropList doomed;
        doomed.Add(1, String("One")).Add(2, String("Two"));
        doomed.SetRect(20, 50, 100, 22);
        panel.AppendChild(doomed);
        doomed.Drop();
        ASSERT_TRUE(doomed.GetList().IsPoppedUp());
        EXPECT_EQ((int)GetTopCtrls().GetCount(), windows_before + 1);
    }
    PumpFor(50);
    EXPECT_EQ((int)GetTopCtrls().GetCount(), windows_before);
    ClickAt(Middle(panel.drop));
    WaitDropped();
    TypeKey(XK_Escape);
    WaitClosed();
}

TEST_F(DropListGui, NearTheBottomOfTheScreenTheListOpensAbove)
{
    OpenAt(Point(600, 768 - 40));
    ClickAt(Middle(panel.drop));
    WaitDropped();
    Rect d = panel.drop.GetRectOnScreen();
    Rect popup = List().GetPopup()->GetRectOnScreen();
    EXPECT_EQ(popup.bottom, d.top);
    EXPECT_EQ(popup.left, d.left);
    EXPECT_GE(popup.top, 0);
    TypeKey(XK_Escape);
    WaitClosed();
}

} // namespace
