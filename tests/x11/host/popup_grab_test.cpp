// Pop-ups and pointer grabs: nested pop-ups share one grab that ends with the last of
// them, an owner's window takes its pop-ups with it, and a capture grab is taken once.
//
// A pointer grab holds the whole server's pointer, so each test runs in a child process
// on a private X server of its own: tests of other processes that click on the shared
// server never lose their clicks to them.
#include "tests/x11/host/host_fixture.h"

#include "tests/support/x11/private_server_run.h"

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
    int result = XGrabPointer(other, w, false, ButtonPressMask, GrabModeAsync, GrabModeAsync, X_NONE, X_NONE, 0);
    if(result == GrabSuccess)
        XUngrabPointer(other, 0);
    XSync(other, false);
    return result == GrabSuccess;
}

// The first grab is tried again until it is taken, and a released grab must let others
// grab soon: the server takes grabs and releases in its own time.
bool OpenGrabbingPopup(Ctrl& popup, Ctrl& owner)
{
    return WaitFor([&] {
        if(popup.IsOpen())
            popup.Close();
        OpenPopup(popup, &owner, false, true, false, false);
        return popup.HasPopupGrab();
    });
}

bool OthersCanGrabSoon()
{
    return WaitFor([] { return OtherClientCanGrab(); });
}

// Runs the test on a private server; true in the parent, whose test then ends.
bool RanOnPrivateServer()
{
    if(IsPrivateServerChild())
        return false;
    XvfbServer server(320, 240, 24);
    RunTestOnPrivateServer(server, 30000);
    return true;
}

using PopupGrabTest = GuiTest;

TEST_F(PopupGrabTest, ClosingANestedPopupKeepsTheGrabUntilTheLastOne)
{
    if(RanOnPrivateServer())
        return;
    FillCtrl main;
    ASSERT_TRUE(OpenHostWindow(main, Rect(20, 20, 120, 120)));
    FillCtrl menu(Color(0, 255, 0)), submenu(Color(0, 0, 255));
    menu.SetRect(30, 30, 40, 40);
    submenu.SetRect(60, 40, 40, 40);
    ASSERT_TRUE(OpenGrabbingPopup(menu, main));
    ASSERT_TRUE(menu.IsPopup());
    EXPECT_FALSE(OtherClientCanGrab());
    OpenPopup(submenu, &menu, false, true, false, false);
    EXPECT_EQ(GetHostState().popup_grab_count, 2);
    submenu.Close();
    EXPECT_FALSE(submenu.IsOpen());
    EXPECT_EQ(GetHostState().popup_grab_count, 1);
    EXPECT_FALSE(OtherClientCanGrab());
    menu.Close();
    EXPECT_EQ(GetHostState().popup_grab_count, 0);
    EXPECT_TRUE(OthersCanGrabSoon());
}

TEST_F(PopupGrabTest, ClosingTheOwnerClosesItsPopupsFirst)
{
    if(RanOnPrivateServer())
        return;
    FillCtrl main;
    ASSERT_TRUE(OpenHostWindow(main, Rect(20, 20, 120, 120)));
    FillCtrl menu;
    menu.SetRect(30, 30, 40, 40);
    ASSERT_TRUE(OpenGrabbingPopup(menu, main));
    EXPECT_EQ(menu.GetOwner(), &main);
    main.Close();
    EXPECT_FALSE(menu.IsOpen());
    EXPECT_FALSE(menu.HasHostWindow());
    EXPECT_EQ(GetHostState().popup_grab_count, 0);
    EXPECT_TRUE(OthersCanGrabSoon());
}

TEST_F(PopupGrabTest, CaptureGrabIsTakenOnceAndReleased)
{
    if(RanOnPrivateServer())
        return;
    FillCtrl main;
    ASSERT_TRUE(OpenHostWindow(main, Rect(20, 20, 120, 120)));
    ASSERT_TRUE(WaitFor([&] { return GrabPointer(main); }));
    EXPECT_TRUE(HoldsPointerGrab(main));
    EXPECT_TRUE(GrabPointer(main));
    EXPECT_FALSE(OtherClientCanGrab());
    EXPECT_TRUE(ReleasePointerGrab(main));
    EXPECT_FALSE(ReleasePointerGrab(main));
    EXPECT_TRUE(OthersCanGrabSoon());
}

TEST(WindowHostTest, PunctuationKeyNames)
{
    EXPECT_EQ(GetPunctuationKeyName(0x1005C), "[\\]");
    EXPECT_EQ(GetPunctuationKeyName(0x10060), "[`]");
    EXPECT_EQ(GetPunctuationKeyName(0x10041), "");
}

} // namespace
