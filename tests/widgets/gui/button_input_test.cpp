// Push buttons on a real X server through XTest: clicks, presses dragged off and back, Enter
// and Esc by role wherever the focus is, access keys with Alt, and space on the focused
// button.
#include "tests/support/x11/input_window.h"
#include "tests/widgets/button/counting_pusher.h"

#include "ctrl/topwindow/top_window.h"
#include "draw/look/sys_colors.h"
#include "widgets/button/button.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <optional>

namespace {

using namespace Qor;
using namespace QorTest;

using CountingButton = Counting<Button>;

// A window with a field (it takes no keys) and two buttons.
class Dialog : public InputRecorder {
public:
    InputRecorder field;
    CountingButton ok, cancel;

    Dialog()
    {
        take_keys = false;
        field.take_keys = false;
        field.SetWantsFocus();
        AppendChild(field);
        AppendChild(ok);
        AppendChild(cancel);
        field.SetRect(10, 10, 180, 24);
        ok.SetRect(10, 50, 80, 26);
        cancel.SetRect(100, 50, 80, 26);
    }
    void Paint(Draw& w) override { w.DrawRect(Rect(GetSize()), SysColorFace()); }
};

void PressKey(KeySym key, bool down)
{
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, key), down, 0);
    XSync(display, false);
}

void PressButton(bool down)
{
    XTestFakeButtonEvent(display, 1, down, 0);
    XSync(display, false);
}

// The dialog opens with the focus on the window itself.
class ButtonInputTest : public PrivateDisplayTest {
protected:
    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        ASSERT_TRUE(HasXTest());
        window.emplace(d, Rect(Point(40, 40), Size(200, 100)));
        ASSERT_TRUE(window->IsOpen());
    }
    void TearDown() override
    {
        window.reset();
        PrivateDisplayTest::TearDown();
    }
    void MoveTo(Point p) { MovePointer(window->GetWindow(), p); }

    Dialog d;
    std::optional<OpenInput> window;
};

TEST_F(ButtonInputTest, ClickRunsTheActionOnceOnRelease)
{
    d.ok.SetLabel("Search");
    MoveTo(Point(50, 60));
    PressButton(true);
    ASSERT_TRUE(PumpUntil([&] { return d.ok.IsPushed(); }));
    EXPECT_EQ(d.ok.pushes, 1);
    EXPECT_EQ(d.ok.actions, 0);
    EXPECT_TRUE(d.ok.HasCapture());
    PressButton(false);
    ASSERT_TRUE(PumpUntil([&] { return d.ok.actions == 1; }));
    PumpFor(30);
    EXPECT_EQ(d.ok.actions, 1);
    EXPECT_FALSE(d.ok.IsPushed());
    EXPECT_FALSE(d.ok.HasCapture());
    // A click leaves the focus where it was.
    EXPECT_TRUE(d.HasFocus());
    EXPECT_EQ(d.cancel.actions, 0);
}

TEST_F(ButtonInputTest, PressDraggedOffShowsReleasedAndActsOnlyWhenBroughtBack)
{
    for(bool back : { false, true }) {
        SCOPED_TRACE(back ? "dragged back" : "released off");
        d.ok.actions = 0;
        MoveTo(Point(50, 60));
        PressButton(true);
        ASSERT_TRUE(PumpUntil([&] { return d.ok.IsPushed(); }));
        MoveTo(Point(150, 90));
        ASSERT_TRUE(PumpUntil([&] { return !d.ok.IsPushed(); }));
        if(back) {
            MoveTo(Point(60, 62));
            ASSERT_TRUE(PumpUntil([&] { return d.ok.IsPushed(); }));
        }
        PressButton(false);
        PumpUntil([&] { return !d.ok.HasCapture(); });
        PumpFor(30);
        EXPECT_EQ(d.ok.actions, back ? 1 : 0);
        EXPECT_EQ(d.cancel.actions, 0);
        EXPECT_FALSE(d.ok.IsPushed());
    }
}

TEST_F(ButtonInputTest, EnterAndEscPressTheRoleButtonsWhereverTheFocusIs)
{
    d.ok.SetLabel("OK");
    d.ok.MakeOk();
    d.cancel.SetLabel("Cancel");
    d.cancel.MakeCancel();
    ASSERT_TRUE(d.field.SetFocus());
    struct {
        KeySym key;
        CountingButton& pressed;
        CountingButton& other;
    } cases[] = { { XK_Return, d.ok, d.cancel }, { XK_Escape, d.cancel, d.ok } };
    for(auto& c : cases) {
        SCOPED_TRACE(XKeysymToString(c.key));
        // Pressed by the key, performed by its release.
        PressKey(c.key, true);
        ASSERT_TRUE(PumpUntil([&] { return c.pressed.IsKeyPushed(); }));
        EXPECT_EQ(c.pressed.actions, 0);
        PressKey(c.key, false);
        ASSERT_TRUE(PumpUntil([&] { return c.pressed.actions == 1; }));
        PumpFor(20);
        EXPECT_EQ(c.pressed.actions, 1);
        EXPECT_EQ(c.other.actions, 0);
        EXPECT_TRUE(d.field.HasFocus());
        c.pressed.actions = 0;
    }
}

// A control that takes Enter itself keeps it from the ok button.
TEST_F(ButtonInputTest, FocusedControlThatTakesEnterKeepsItFromTheOkButton)
{
    d.ok.MakeOk();
    d.field.take_keys = true;
    ASSERT_TRUE(d.field.SetFocus());
    TypeKey(XK_Return);
    ASSERT_TRUE(PumpUntil([&] { return d.field.keys.size() >= 2; }));
    PumpFor(20);
    EXPECT_EQ(d.ok.pushes + d.ok.actions, 0);
}

TEST_F(ButtonInputTest, AltWithTheAccessKeyPressesTheButton)
{
    d.ok.SetLabel("&Search");
    d.cancel.SetLabel("C&lear");
    TypeKey(XK_l, { XK_Alt_L });
    ASSERT_TRUE(PumpUntil([&] { return d.cancel.actions == 1; }));
    EXPECT_EQ(d.cancel.pushes, 1);
    TypeKey(XK_s, { XK_Alt_L });
    ASSERT_TRUE(PumpUntil([&] { return d.ok.actions == 1; }));
    // Without Alt, or with a letter nobody holds, nothing is pressed.
    TypeKey(XK_s);
    TypeKey(XK_x, { XK_Alt_L });
    PumpFor(100);
    EXPECT_EQ(d.ok.actions, 1);
    EXPECT_EQ(d.cancel.actions, 1);
    EXPECT_FALSE(d.ok.IsPushed() || d.cancel.IsPushed());
}

TEST_F(ButtonInputTest, HeldSpaceOnTheFocusedButtonActsOnRelease)
{
    d.ok.SetLabel("Search");
    ASSERT_TRUE(d.ok.SetFocus());
    PressKey(XK_space, true);
    ASSERT_TRUE(PumpUntil([&] { return d.ok.IsKeyPushed(); }));
    EXPECT_EQ(d.ok.pushes, 1);
    EXPECT_EQ(d.ok.actions, 0);
    PressKey(XK_space, false);
    ASSERT_TRUE(PumpUntil([&] { return d.ok.actions == 1; }));
    EXPECT_FALSE(d.ok.IsPushed());
    // The focus moving away cancels a key press without its action.
    PressKey(XK_space, true);
    ASSERT_TRUE(PumpUntil([&] { return d.ok.IsKeyPushed(); }));
    ASSERT_TRUE(d.field.SetFocus());
    EXPECT_FALSE(d.ok.IsPushed());
    PressKey(XK_space, false);
    PumpFor(30);
    EXPECT_EQ(d.ok.actions, 1);
}

void TypeKeyOnTimer(KeySym* key) { TypeKey(*key); }

// The whole way in a modal dialog: the key ends the run with the button's exit code.
using ButtonModalTest = PrivateDisplayTest;

TEST_F(ButtonModalTest, EnterAndEscEndAModalDialog)
{
    ASSERT_TRUE(HasXTest());
    struct {
        KeySym key;
        int code;
    } cases[] = { { XK_Return, IDOK }, { XK_Escape, IDCANCEL } };
    for(auto& c : cases) {
        SCOPED_TRACE(XKeysymToString(c.key));
        TopWindow w;
        InputRecorder field;
        Button ok, cancel;
        field.take_keys = false;
        w.AppendChild(field);
        w.AppendChild(ok);
        w.AppendChild(cancel);
        field.SetRect(10, 10, 180, 24);
        ok.SetRect(10, 50, 80, 26);
        cancel.SetRect(100, 50, 80, 26);
        ok.SetLabel("OK");
        cancel.SetLabel("Cancel");
        ok.MakeOk();
        cancel.MakeCancel();
        w.SetValidateBreakAction(ok, IDOK);
        w.SetCancelBreakAction(cancel, IDCANCEL);
        w.SetRect(Rect(Point(40, 40), Size(200, 100)));
        // Typed once the window has opened and taken the focus; again in case the first was
        // too early, and a limit in case nothing arrives at all.
        w.ScheduleTimer(300, MakeCallbackArg(TypeKeyOnTimer, &c.key), 1);
        w.ScheduleTimer(1000, MakeCallbackArg(TypeKeyOnTimer, &c.key), 2);
        w.ScheduleTimer(5000, w.MakeBreakAction(-1), 3);
        EXPECT_EQ(w.RunLoop(), c.code);
        w.Close();
    }
}

} // namespace
