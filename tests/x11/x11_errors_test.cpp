// X protocol errors: the message, ignored unless "X11_ERRORS" is "1", fatal when it is,
// the error trap, and a panic from the handler that ends without a deadlock.
#include "tests/support/ini_home.h"
#include "tests/support/x11/gui_test.h"

#include "ctrl/x11/display/x11_errors.h"
#include "ctrl/x11/display/x11_errors_internal.h"
#include "foundation/ini.h"
#include "foundation/process_environment.h"

#include <csignal>
#include <fstream>

#include <X11/Xproto.h>

namespace {

using namespace Qor;
using namespace QorTest;

// A BadWindow error of this client: a window destroyed twice.
void CauseBadWindow()
{
    Window w = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
    XDestroyWindow(display, w);
    XDestroyWindow(display, w);
    XSync(display, false);
}

TEST(XRequestName, CoreRequestsByCode)
{
    struct {
        int code;
        const char* name;
    } cases[] = {
        { 0, "" },
        { X_CreateWindow, "X_CreateWindow" },
        { X_DestroyWindow, "X_DestroyWindow" },
        { X_PolyFillRectangle, "X_PolyFillRectangle" },
        { X_GetModifierMapping, "X_GetModifierMapping" },
        { 120, "X_NoOperation" },
        { 121, "" },
        { 255, "" },
    };
    for(const auto& c : cases)
        EXPECT_STREQ(XRequestName(c.code), c.name) << c.code;
}

using XErrorTest = GuiTest;

TEST_F(XErrorTest, MessageNamesErrorRequestAndResource)
{
    XErrorEvent e = {};
    e.type = 0;
    e.error_code = BadWindow;
    e.request_code = X_DestroyWindow;
    e.resourceid = 4194305;
    char text[513] = {};
    XGetErrorText(display, BadWindow, text, 512);
    EXPECT_EQ(XErrorMessage(display, e),
              String("X Error: ") + text + "\nrequest: X_DestroyWindow\nresource id: 4194305 = 400001");
    e.request_code = 130; // an extension's request: no name
    EXPECT_EQ(XErrorMessage(display, e), String("X Error: ") + text + "\nresource id: 4194305 = 400001");
}

TEST_F(XErrorTest, IgnoredUnlessTheSettingIsExactlyOne)
{
    for(const char* ini : { "", "X11_ERRORS=yes\n", "X11_ERRORS=0\n" }) {
        IniHome home(ini);
        CauseBadWindow(); // the test goes on
    }
    SUCCEED();
}

TEST_F(XErrorTest, IgnoredInsideTheErrorTrap)
{
    IniHome home("X11_ERRORS=1\n");
    EXPECT_FALSE(BeginErrorTrap());
    EXPECT_TRUE(BeginErrorTrap());
    EndErrorTrap(true);
    CauseBadWindow();
    EndErrorTrap(false);
    EXPECT_FALSE(BeginErrorTrap());
    EndErrorTrap(false);
}

TEST_F(XErrorTest, TrapRecordsTheSerialOfTheFailedRequest)
{
    bool trap = BeginErrorTrap();
    unsigned long before = NextRequest(display);
    XSync(display, false);
    EXPECT_LT(LastTrappedErrorSerial(), before);
    CauseBadWindow();
    EXPECT_GE(LastTrappedErrorSerial(), before);
    unsigned long after = NextRequest(display);
    XSync(display, false);
    EXPECT_LT(LastTrappedErrorSerial(), after) << "a request that succeeds records nothing";
    EndErrorTrap(trap);
}

TEST_F(XErrorTest, FatalWithTheSettingAndEndsWithoutDeadlock)
{
    // A fresh process with its own connection. The panic runs inside the error handler,
    // which must not re-enter Xlib on that connection: the process ends by the panic's
    // abort, not by the panic box's alarm.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    IniHome home("X11_ERRORS=1\n");
    EXPECT_EXIT(
        {
            SetPanicBoxTimeLimit(300);
            XGrabPointer(display, root, false, ButtonPressMask, GrabModeAsync, GrabModeAsync, X_NONE, X_NONE,
                         X_CURRENT_TIME);
            CauseBadWindow();
        },
        testing::KilledBySignal(SIGABRT), "X Error: .*\nrequest: X_DestroyWindow\nresource id: [0-9]+ = [0-9A-F]+");
}

TEST_F(XErrorTest, X11FatalPanicsWithItsText)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            SetPanicBoxTimeLimit(300);
            X11Fatal("XCreateWindow failed !");
        },
        "X11 error:XCreateWindow failed ! !");
}

} // namespace
