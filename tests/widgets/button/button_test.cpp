// Button without a window: the style choice rules, Enter and Esc by role, the keys a role
// claims, role images and the layout's transparency.
#include "widgets/button/button.h"

#include "tests/widgets/button/counting_pusher.h"

#include "ctrl/input/mouse_routing.h"
#include "ctrl/tree/global_refs.h"
#include "draw/look/skin_reset.h"
#include "foundation/callback_action.h"
#include "widgets/images/ctrls_img.h"

#include <gtest/gtest.h>

namespace {

using namespace Qor;

constexpr dword ENTER = 0x0D;
constexpr dword ESCAPE = 0x1B;
constexpr dword SPACE = 0x20;

// The focus is a process-wide reference: each test sets it and puts it back.
class ButtonTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        GetCtrlGlobalRefs().focus_ctrl = nullptr;
        ResetThemeStatics();
    }
};

enum Focus { NO_FOCUS, FOCUS_SELF, FOCUS_OTHER_BUTTON, FOCUS_FIELD, FOCUS_BUTTON_ELSEWHERE };

struct ChoiceCase {
    const char* name;
    bool in_frame;
    int right; // the button's right edge in a parent 100 wide
    int role;
    Focus focus;
    ButtonStyle& (*expected)();
};

const ChoiceCase choice_cases[] = {
    { "plain", false, 90, Button::ROLE_NONE, NO_FOCUS, Button::GetPlainStyle },
    { "focused", false, 90, Button::ROLE_NONE, FOCUS_SELF, Button::GetOkStyle },
    { "focus on another button", false, 90, Button::ROLE_NONE, FOCUS_OTHER_BUTTON, Button::GetPlainStyle },
    { "cancel role", false, 90, Button::ROLE_CANCEL, NO_FOCUS, Button::GetPlainStyle },
    { "ok without focus", false, 90, Button::ROLE_OK, NO_FOCUS, Button::GetOkStyle },
    { "ok, focus on a field", false, 90, Button::ROLE_OK, FOCUS_FIELD, Button::GetOkStyle },
    { "ok, focus on another button", false, 90, Button::ROLE_OK, FOCUS_OTHER_BUTTON, Button::GetPlainStyle },
    { "ok, focus on a button of another window", false, 90, Button::ROLE_OK, FOCUS_BUTTON_ELSEWHERE,
      Button::GetOkStyle },
    { "ok, focused", false, 90, Button::ROLE_OK, FOCUS_SELF, Button::GetOkStyle },
    { "frame area, right half", true, 90, Button::ROLE_NONE, NO_FOCUS, Button::GetEdgeStyle },
    // The right edge against half the parent's width: 50 is not left of it.
    { "frame area, right edge at the middle", true, 50, Button::ROLE_NONE, NO_FOCUS, Button::GetEdgeStyle },
    { "frame area, left half", true, 49, Button::ROLE_NONE, NO_FOCUS, Button::GetLeftEdgeStyle },
    { "frame area, focused", true, 49, Button::ROLE_NONE, FOCUS_SELF, Button::GetOkStyle },
    { "frame area, ok role", true, 49, Button::ROLE_OK, NO_FOCUS, Button::GetOkStyle },
};

TEST_F(ButtonTest, ChooseStyleFollowsFrameAreaRoleAndFocus)
{
    for(const ChoiceCase& c : choice_cases) {
        SCOPED_TRACE(c.name);
        Ctrl window, other_window;
        Button b, other, elsewhere;
        Ctrl field;
        window.SetRect(0, 0, 100, 40);
        window.AppendChild(b);
        window.AppendChild(other);
        window.AppendChild(field);
        other_window.AppendChild(elsewhere);
        if(c.in_frame)
            b.SetFrameRect(c.right - 20, 0, 20, 20);
        else
            b.SetRect(c.right - 20, 0, 20, 20);
        if(c.role == Button::ROLE_OK)
            b.MakeOk();
        if(c.role == Button::ROLE_CANCEL)
            b.MakeCancel();
        Ctrl* focus[] = { nullptr, &b, &other, &field, &elsewhere };
        GetCtrlGlobalRefs().focus_ctrl = focus[c.focus];
        EXPECT_EQ(b.ChooseStyle(), &c.expected());
        // An explicit style is kept whatever the rules say.
        b.SetStyle(&Button::GetScrollStyle());
        EXPECT_EQ(&b.GetCurrentStyle(), &Button::GetScrollStyle());
        GetCtrlGlobalRefs().focus_ctrl = nullptr;
    }
}

using CountingButton = QorTest::Counting<Button>;

struct RoleCase {
    const char* name;
    int role;
    dword key;
    bool taken;
};

// Enter counts for the ok and exit roles, Esc for cancel and exit; modifiers make another key.
const RoleCase role_cases[] = {
    { "none, Enter", Button::ROLE_NONE, ENTER, false },
    { "none, Esc", Button::ROLE_NONE, ESCAPE, false },
    { "ok, Enter", Button::ROLE_OK, ENTER, true },
    { "ok, Esc", Button::ROLE_OK, ESCAPE, false },
    { "cancel, Enter", Button::ROLE_CANCEL, ENTER, false },
    { "cancel, Esc", Button::ROLE_CANCEL, ESCAPE, true },
    { "exit, Enter", Button::ROLE_EXIT, ENTER, true },
    { "exit, Esc", Button::ROLE_EXIT, ESCAPE, true },
    { "ok, Shift+Enter", Button::ROLE_OK, ENTER | K_SHIFT, false },
    { "ok, space", Button::ROLE_OK, SPACE, false },
};

// Test access to the role an operation of this system never sets.
class RoleButton : public CountingButton {
public:
    void SetRoleForTest(int role)
    {
        if(role == ROLE_OK)
            MakeOk();
        else if(role == ROLE_CANCEL)
            MakeCancel();
        else if(role == ROLE_EXIT)
            SetRole(ROLE_EXIT, &ButtonStyle::exit_image);
    }
};

TEST_F(ButtonTest, RolesTakeEnterAndEscFromAnywhereInTheWindow)
{
    for(const RoleCase& c : role_cases) {
        SCOPED_TRACE(c.name);
        RoleButton b;
        b.SetRoleForTest(c.role);
        EXPECT_EQ(b.AccessKeyPressed(c.key), c.taken);
        EXPECT_EQ(b.IsKeyPushed(), c.taken);
        EXPECT_EQ(b.pushes, c.taken ? 1 : 0);
        // The action runs on the release, not on the press.
        EXPECT_EQ(b.actions, 0);
        EXPECT_EQ(b.AccessKeyPressed(c.key | K_KEYUP), c.taken);
        EXPECT_EQ(b.actions, c.taken ? 1 : 0);
        EXPECT_FALSE(b.IsPushed());
    }
}

TEST_F(ButtonTest, RoleKeysOfAButtonThatCannotActAreTakenWithoutAction)
{
    CountingButton b;
    b.MakeCancel();
    b.SetEditable(false);
    EXPECT_TRUE(b.AccessKeyPressed(ESCAPE));
    EXPECT_TRUE(b.AccessKeyPressed(ESCAPE | K_KEYUP));
    EXPECT_EQ(b.pushes + b.actions, 0);
    // A release that finds no press is taken too.
    b.SetEditable(true);
    EXPECT_TRUE(b.AccessKeyPressed(ESCAPE | K_KEYUP));
    EXPECT_EQ(b.actions, 0);
}

TEST_F(ButtonTest, HeldRoleKeyRepeatsAndActsOnce)
{
    CountingButton b;
    b.MakeOk();
    b.AccessKeyPressed(ENTER);
    b.AccessKeyPressed(ENTER);
    b.AccessKeyPressed(ENTER);
    EXPECT_EQ(b.pushes, 1);
    EXPECT_EQ(b.repeats, 2);
    EXPECT_TRUE(b.AccessKeyPressed(ENTER | K_KEYUP));
    EXPECT_EQ(b.actions, 1);
}

TEST_F(ButtonTest, EnterAndSpacePressTheFocusedButton)
{
    for(dword key : { ENTER, SPACE }) {
        CountingButton b;
        EXPECT_TRUE(b.ProcessKey(key, 1));
        EXPECT_TRUE(b.IsKeyPushed());
        EXPECT_EQ(b.pushes, 1);
        EXPECT_TRUE(b.ProcessKey(key | K_KEYUP, 1));
        EXPECT_EQ(b.actions, 1);
        // Only a release that performs is taken.
        EXPECT_FALSE(b.ProcessKey(key | K_KEYUP, 1));
    }
}

// Enter on a read-only button stays there: passed on, it would press the ok button.
TEST_F(ButtonTest, ReadOnlyButtonConsumesEnterButNotSpace)
{
    CountingButton b;
    b.SetEditable(false);
    EXPECT_TRUE(b.ProcessKey(ENTER, 1));
    EXPECT_FALSE(b.ProcessKey(ENTER | K_KEYUP, 1));
    EXPECT_FALSE(b.ProcessKey(SPACE, 1));
    EXPECT_FALSE(b.ProcessKey(SPACE | K_KEYUP, 1));
    EXPECT_EQ(b.pushes + b.actions, 0);
}

TEST_F(ButtonTest, AccessKeyStillPressesARoleButton)
{
    CountingButton b;
    b.SetLabel("&Close");
    b.MakeCancel();
    EXPECT_TRUE(b.AccessKeyPressed(K_ALT | 0x10000 | 'C'));
    EXPECT_EQ(b.actions, 1);
}

TEST_F(ButtonTest, RolesClaimKeysAndTakeNoFreeOne)
{
    struct {
        int role;
        const char* label;
        dword keys;
        int chosen;
    } cases[] = {
        { Button::ROLE_NONE, "go", 0, 'G' },
        { Button::ROLE_OK, "go", 1, 0 },
        // A letter of its own stays claimed beside the bit of the non-letter keys, so no
        // other control is given the same key.
        { Button::ROLE_OK, "&Go", 1 | AccessKeyMask('G'), (1 << 16) | 'G' },
        { Button::ROLE_CANCEL, "go", 0, 0 },
        { Button::ROLE_CANCEL, "&Go", AccessKeyMask('G'), (1 << 16) | 'G' },
    };
    for(const auto& c : cases) {
        SCOPED_TRACE(c.label);
        RoleButton b;
        b.SetLabel(c.label);
        b.SetRoleForTest(c.role);
        b.AutoAssignAccessKeys();
        EXPECT_EQ(b.GetAccessKey(), c.chosen);
        EXPECT_EQ(b.OwnAccessKeys(), c.keys | AccessKeyMask(dword(b.GetAccessKey())));
    }
}

TEST_F(ButtonTest, RoleImagesComeFromTheStyleOnlyForButtonsWithoutOne)
{
    ButtonStyle s = Button::GetPlainStyle();
    s.ok_image = CtrlsImg::Get(1);
    s.cancel_image = CtrlsImg::Get(2);
    Button ok, cancel, own;
    ok.SetStyle(&s).MakeOk();
    cancel.SetStyle(&s).MakeCancel();
    own.SetImage(CtrlsImg::Get(3)).SetStyle(&s).MakeOk();
    EXPECT_EQ(ok.GetImage(), s.ok_image);
    EXPECT_EQ(cancel.GetImage(), s.cancel_image);
    EXPECT_EQ(own.GetImage(), CtrlsImg::Get(3));
    EXPECT_EQ(ok.GetRole(), Button::ROLE_OK);
    EXPECT_EQ(cancel.GetRole(), Button::ROLE_CANCEL);
}

TEST_F(ButtonTest, LayoutTakesTransparencyAndOverpaintFromTheStyle)
{
    ButtonStyle opaque = Button::GetPlainStyle();
    opaque.transparent = false;
    opaque.overpaint = 2;
    Button b;
    b.Layout();
    EXPECT_TRUE(b.IsTransparent());
    EXPECT_EQ(b.OverpaintMargin(), 0);
    b.SetStyle(&opaque);
    EXPECT_FALSE(b.IsTransparent());
    EXPECT_EQ(b.OverpaintMargin(), 2);
}

} // namespace
