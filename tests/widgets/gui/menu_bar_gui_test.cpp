// A window's menu bar on a real X server, driven through XTest: Alt pressed alone and F10
// move the focus into the bar and back, pull-downs open with Alt and a letter and switch
// with the arrows, and a shortcut of a closed pull-down runs its entry.
#include "tests/support/lambda_callback.h"
#include "tests/support/x11/input_window.h"

#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "widgets/menu/menu_bar.h"

#include <X11/keysym.h>

#include <string>

namespace {

using namespace Qor;
using namespace QorTest;

struct MenuWindow : Ctrl {
    MenuBar bar;
    InputRecorder field;
    std::string ran;

    MenuWindow()
    {
        AddFrame(bar);
        field.take_keys = false;
        field.SetWantsFocus();
        field.PlaceLeft(10, 100).PlaceTop(10, 20);
        AppendChild(field);
        bar.AddSubMenu(Lambda<Bar&>([this](Bar& b) {
               b.AddItem(Mark("new")).Text("&New").Key(0x1FFC2);
               b.AddItem(Mark("open")).Text("&Open");
           }))
            .Text("&File");
        bar.AddSubMenu(Lambda<Bar&>([this](Bar& b) { b.AddItem(Mark("copy")).Text("&Copy"); })).Text("&Edit");
        bar.AddSubMenu(Lambda<Bar&>([this](Bar& b) { b.AddItem(Mark("about")).Text("&About"); })).Text("&Help");
    }
    Callback Mark(const char* what)
    {
        return Lambda([this, what] { ran += what; });
    }
    void Paint(Draw& w) override { w.DrawRect(Rect(GetViewSize()), SysColorFace()); }
    Ctrl& TopItem(int i) { return bar.GetItem(i); }
    MenuBar& PullDown(int i) { return dynamic_cast<SubMenuBase&>(bar.GetItem(i)).GetSubMenu(); }
};

class MenuBarGuiTest : public PrivateDisplayTest {
protected:
    MenuWindow w;

    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        window = std::make_unique<OpenInput>(w, Rect(Point(50, 50), Size(400, 200)));
        ASSERT_TRUE(window->IsOpen());
        w.field.SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return w.field.HasFocus(); }));
    }
    void TearDown() override
    {
        w.bar.CloseMenu();
        window.reset();
        PrivateDisplayTest::TearDown();
    }
    // Types a key and pumps until done holds.
    bool Press(KeySym key, std::initializer_list<KeySym> mods, const std::function<bool()>& done)
    {
        TypeKey(key, mods);
        return PumpUntil(done);
    }

    std::unique_ptr<OpenInput> window;
};

TEST_F(MenuBarGuiTest, BarLaysOutItsItemsInOneRowAtTheTop)
{
    Rect r0 = w.TopItem(0).GetRectOnScreen();
    Rect r1 = w.TopItem(1).GetRectOnScreen();
    Rect bar = w.bar.GetRectOnScreen();
    EXPECT_EQ(bar.top, 50);
    EXPECT_EQ(bar.Width(), 400);
    EXPECT_EQ(r0.top, r1.top);
    EXPECT_EQ(r1.left, r0.right);
    EXPECT_GT(w.field.GetRectOnScreen().top, bar.bottom) << "the view starts below the bar";
}

TEST_F(MenuBarGuiTest, AltAloneAndF10MoveTheFocusIntoTheBarAndBack)
{
    ASSERT_TRUE(Press(XK_Alt_L, {}, [&] { return w.TopItem(0).HasFocus(); })) << "Alt alone focuses the first item";
    ASSERT_TRUE(Press(XK_Alt_L, {}, [&] { return w.field.HasFocus(); })) << "and gives the focus back";
    ASSERT_TRUE(Press(XK_F10, {}, [&] { return w.TopItem(0).HasFocus(); }));
    ASSERT_TRUE(Press(XK_F10, {}, [&] { return w.field.HasFocus(); }));
    // Alt with another key between its press and release is not a lone Alt.
    TypeKey(XK_z, { XK_Alt_L });
    PumpFor(200);
    EXPECT_TRUE(w.field.HasFocus());
    EXPECT_FALSE(w.bar.GetOpenSubMenu());
    EXPECT_EQ(w.ran, "");
}

TEST_F(MenuBarGuiTest, AltLetterPullsDownAndArrowsSwitchPullDowns)
{
    ASSERT_TRUE(Press(XK_e, { XK_Alt_L }, [&] { return w.PullDown(1).IsOpen(); }));
    Rect item = w.TopItem(1).GetRectOnScreen();
    Rect pull = w.PullDown(1).GetRectInParent();
    EXPECT_EQ(pull.left, item.left);
    EXPECT_NEAR(pull.top, item.bottom, 1) << "hangs from the item, moved by the style's pull shift";
    ASSERT_TRUE(Press(XK_Right, {}, [&] { return w.PullDown(2).IsOpen() && !w.PullDown(1).IsOpen(); }));
    ASSERT_TRUE(Press(XK_Right, {}, [&] { return w.PullDown(0).IsOpen() && !w.PullDown(2).IsOpen(); }))
        << "wraps after the last";
    ASSERT_TRUE(Press(XK_Left, {}, [&] { return w.PullDown(2).IsOpen(); }));
    ASSERT_TRUE(Press(XK_Escape, {}, [&] { return !w.PullDown(2).IsOpen() && w.TopItem(2).HasFocus(); }))
        << "Escape closes the pull-down and leaves the focus on its item";
    ASSERT_TRUE(Press(XK_Escape, {}, [&] { return w.field.HasFocus(); })) << "a second Escape leaves the bar";
    EXPECT_EQ(GetHostState().popup_grab_count, 0);
    EXPECT_EQ(w.ran, "");
}

TEST_F(MenuBarGuiTest, ChoosingFromAPullDownRunsTheEntryAndReturnsTheFocus)
{
    ASSERT_TRUE(Press(XK_f, { XK_Alt_L }, [&] { return w.PullDown(0).IsOpen(); }));
    ASSERT_TRUE(Press(XK_o, {}, [&] { return w.ran == "open"; }));
    EXPECT_FALSE(w.PullDown(0).IsOpen());
    EXPECT_TRUE(PumpUntil([&] { return w.field.HasFocus(); }, 1000));
    EXPECT_EQ(GetHostState().popup_grab_count, 0);
}

TEST_F(MenuBarGuiTest, ShortcutOfAClosedPullDownRunsItsEntry)
{
    ASSERT_TRUE(Press(XK_F5, {}, [&] { return w.ran == "new"; }));
    EXPECT_FALSE(w.PullDown(0).IsOpen()) << "found by scanning, nothing shown";
    EXPECT_TRUE(w.field.HasFocus());
}

TEST_F(MenuBarGuiTest, ClickOnABarItemPullsDownAndPointerMovesSwitchThem)
{
    Window root = DefaultRootWindow(display);
    Click(root, w.TopItem(0).GetRectOnScreen().CenterPoint());
    ASSERT_TRUE(PumpUntil([&] { return w.PullDown(0).IsOpen(); }));
    MovePointer(root, w.TopItem(1).GetRectOnScreen().CenterPoint());
    ASSERT_TRUE(PumpUntil([&] { return w.PullDown(1).IsOpen() && !w.PullDown(0).IsOpen(); }));
    Click(root, w.PullDown(1).GetItem(0).GetRectOnScreen().CenterPoint());
    ASSERT_TRUE(PumpUntil([&] { return w.ran == "copy"; }));
    EXPECT_FALSE(w.PullDown(1).IsOpen());
}

} // namespace
