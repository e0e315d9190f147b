// Pop-ups and pointer grabs: nested pop-ups share one grab that ends with the last of
// them, an owner's window takes its pop-ups with it, and a capture grab is taken once.
//
// A pointer grab holds the whole server's pointer, so these tests run in a child process
// on a private X server of their own: tests of other processes that click on the shared
// server never lose their clicks to them.
#include "tests/x11/host/host_fixture.h"

#include "tests/foundation/child_process.h"
#include "tests/support/x11/xvfb_server.h"

extern char** environ;

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

// Other test processes share the server and may hold a grab for a moment: the first grab
// is tried again until it is taken, and a released grab must let others grab soon.
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

class PopupGrabChild : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        // Another test process may hold a grab for a moment.
        ASSERT_TRUE(WaitFor([] { return OtherClientCanGrab(); }));
    }
};

TEST_F(PopupGrabChild, DISABLED_ClosingANestedPopupKeepsTheGrabUntilTheLastOne)
{
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

TEST_F(PopupGrabChild, DISABLED_ClosingTheOwnerClosesItsPopupsFirst)
{
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

TEST_F(PopupGrabChild, DISABLED_CaptureGrabIsTakenOnceAndReleased)
{
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

TEST(PopupGrabTest, GrabTestsPassOnAPrivateServer)
{
    XvfbServer server(320, 240, 24);
    ASSERT_FALSE(server.GetName().empty()) << "no private Xvfb server";
    std::vector<std::string> env;
    for(char** e = environ; *e; e++)
        if(std::string(*e).rfind("DISPLAY=", 0) != 0)
            env.push_back(*e);
    env.push_back("DISPLAY=" + server.GetName());
    std::string self = SelfPath();
    ChildRun run = RunChildProcess(
        self, { self, "--gtest_filter=PopupGrabChild.*", "--gtest_also_run_disabled_tests", "--gtest_brief=1" }, env);
    EXPECT_TRUE(run.ExitedCleanly()) << "exit " << run.ExitStatus() << "\n" << run.error_output;
}

TEST(WindowHostTest, PunctuationKeyNames)
{
    EXPECT_EQ(GetPunctuationKeyName(0x1005C), "[\\]");
    EXPECT_EQ(GetPunctuationKeyName(0x10060), "[`]");
    EXPECT_EQ(GetPunctuationKeyName(0x10041), "");
}

} // namespace
