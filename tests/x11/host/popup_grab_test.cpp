// Pop-ups and pointer grabs: nested pop-ups share one grab that ends with the last of
// them, an owner's window takes its pop-ups with it, and a capture grab is taken once.
#include "tests/x11/host/host_fixture.h"

namespace {

using namespace Qor;
using namespace QorTest;

// Whether another client could grab the pointer now (it cannot while this one holds it).
bool OtherClientCanGrab()
{
    // What this client asked must have reached the server first.
    XSync(display, false);
    static ::Display* other = XOpenDisplay(DisplayString(display));
    if(!other)
        return false;
    Window w = DefaultRootWindow(other);
    int result = XGrabPointer(other, w, false, ButtonPressMask, GrabModeAsync, GrabModeAsync, None, None, 0);
    if(result == GrabSuccess)
        XUngrabPointer(other, 0);
    XSync(other, false);
    return result == GrabSuccess;
}

class PopupGrabTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        // Another test process may hold a grab for a moment.
        ASSERT_TRUE(WaitFor([] { return OtherClientCanGrab(); }));
    }
};

TEST_F(PopupGrabTest, ClosingANestedPopupKeepsTheGrabUntilTheLastOne)
{
    FillCtrl main;
    ASSERT_TRUE(OpenHostWindow(main, Rect(20, 20, 120, 120)));
    FillCtrl menu(Color(0, 255, 0)), submenu(Color(0, 0, 255));
    menu.SetRect(30, 30, 40, 40);
    submenu.SetRect(60, 40, 40, 40);
    OpenPopup(menu, &main, false, true, false, false);
    ASSERT_TRUE(menu.IsPopup());
    ASSERT_TRUE(menu.HasPopupGrab());
    EXPECT_FALSE(OtherClientCanGrab());
    OpenPopup(submenu, &menu, false, true, false, false);
    EXPECT_EQ(GetHostState().popup_grab_count, 2);
    submenu.Close();
    EXPECT_FALSE(submenu.IsOpen());
    EXPECT_EQ(GetHostState().popup_grab_count, 1);
    EXPECT_FALSE(OtherClientCanGrab());
    menu.Close();
    EXPECT_EQ(GetHostState().popup_grab_count, 0);
    EXPECT_TRUE(OtherClientCanGrab());
}

TEST_F(PopupGrabTest, ClosingTheOwnerClosesItsPopupsFirst)
{
    FillCtrl main;
    ASSERT_TRUE(OpenHostWindow(main, Rect(20, 20, 120, 120)));
    FillCtrl menu;
    menu.SetRect(30, 30, 40, 40);
    OpenPopup(menu, &main, false, true, false, false);
    ASSERT_TRUE(menu.IsOpen());
    EXPECT_EQ(menu.GetOwner(), &main);
    main.Close();
    EXPECT_FALSE(menu.IsOpen());
    EXPECT_FALSE(menu.HasHostWindow());
    EXPECT_EQ(GetHostState().popup_grab_count, 0);
    EXPECT_TRUE(OtherClientCanGrab());
}

TEST_F(PopupGrabTest, CaptureGrabIsTakenOnceAndReleased)
{
    FillCtrl main;
    ASSERT_TRUE(OpenHostWindow(main, Rect(20, 20, 120, 120)));
    ASSERT_TRUE(GrabPointer(main));
    EXPECT_TRUE(HoldsPointerGrab(main));
    EXPECT_TRUE(GrabPointer(main));
    EXPECT_FALSE(OtherClientCanGrab());
    EXPECT_TRUE(ReleasePointerGrab(main));
    EXPECT_FALSE(ReleasePointerGrab(main));
    EXPECT_TRUE(OtherClientCanGrab());
}

TEST(WindowHostTest, PunctuationKeyNames)
{
    EXPECT_EQ(GetPunctuationKeyName(0x1005C), "[\\]");
    EXPECT_EQ(GetPunctuationKeyName(0x10060), "[`]");
    EXPECT_EQ(GetPunctuationKeyName(0x10041), "");
}

} // namespace
