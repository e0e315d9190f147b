// The window system's start-up and shutdown, each on a private server of its own: what
// start-up sets up, the order in which shutdown closes windows, and a second shutdown.

#include "tests/support/private_home.h"
#include "tests/support/x11/private_server_run.h"
#include "tests/support/x11/xtest_input.h"
#include "tests/x11/topwindow/top_window_fixture.h"

#include "ctrl/settings/gui_settings.h"
#include "ctrl/x11/events/x_events.h"
#include "ctrl/x11/host/window_host.h"
#include "ctrl/x11/startup/window_system.h"
#include "foundation/callback_action.h"

#include <clocale>
#include <fstream>
#include <string>
#include <vector>

using namespace Qor;
using namespace QorTest;

namespace {

std::vector<std::string> journal;

// A top-level window that notes its close action and its closing.
class NotingWindow : public TopWindow {
public:
    explicit NotingWindow(const char* name) : name(name)
    {
        CloseAction() = MakeCallback(this, &NotingWindow::CloseActionRun);
    }
    void CloseActionRun()
    {
        journal.push_back(std::string(name) + " close action");
        Close();
    }
    void Close() override
    {
        if(IsOpen())
            journal.push_back(std::string(name) + " closed");
        TopWindow::Close();
    }
    const char* name;
};

// A plain control with a window of its own: not a TopWindow, so only the second step
// closes it.
class NotingCtrl : public Ctrl {
public:
    void Close() override
    {
        if(IsOpen())
            journal.push_back("plain closed");
        Ctrl::Close();
    }
};

void NoHotKey() {}

int grab_errors = 0;

int CountError(::Display*, XErrorEvent*)
{
    grab_errors++;
    return 0;
}

// Whether another client can grab the key as the hot key was grabbed: it cannot while this
// program holds the grab.
bool OtherClientCanGrab(KeyCode code, unsigned modifiers)
{
    ::Display* other = XOpenDisplay(DisplayString(display));
    if(!other)
        return false;
    grab_errors = 0;
    XErrorHandler saved = XSetErrorHandler(CountError);
    XGrabKey(other, code, modifiers, DefaultRootWindow(other), true, GrabModeAsync, GrabModeAsync);
    XSync(other, false);
    XSetErrorHandler(saved);
    XCloseDisplay(other);
    return grab_errors == 0;
}

} // namespace

TEST(WindowSystemTest, StartUpSetsUpTheBackEnd)
{
    if(!IsPrivateServerChild()) {
        XvfbServer server(320, 240, 24);
        RunTestOnPrivateServer(server, 30000);
        return;
    }
    InitWindowSystem();
    ASSERT_NE(display, nullptr);
    unsigned char map[5];
    EXPECT_EQ(GetHostState().pointer_button_count, XGetPointerMapping(display, map, 5));
    EXPECT_EQ(GetHostState().last_event_time, 0u);
    EXPECT_EQ(GetLookStyleLevel(), 2);
    EXPECT_EQ(GetPopupAnimation(), 1) << "no compositing manager runs on the private server";
    EXPECT_EQ(GetPopupOpenFlag(), 1);
    EXPECT_EQ(GetAccessKeysOnAltOnly(), 1);
    EXPECT_EQ(GetAutoAccessKeysWhenNone(), 0);
    EXPECT_STREQ(std::setlocale(LC_ALL, nullptr), "en_US.utf8");
    EXPECT_EQ(input_method, nullptr) << "the input method waits for the first key";
    EXPECT_FALSE(IsMoveResizeAvailable()) << "no window manager lists _NET_WM_MOVERESIZE";
    // Without X11_SYNCHRONIZE the connection stays asynchronous: no after-function is set.
    EXPECT_EQ(XSetAfterFunction(display, nullptr), nullptr);
    ExitWindowSystem();
}

TEST(WindowSystemTest, ShutdownClosesWindowsInOrderAndRunsTwice)
{
    if(!IsPrivateServerChild()) {
        XvfbServer server(320, 240, 24);
        RunTestOnPrivateServer(server, 30000);
        return;
    }
    InitWindowSystem();
    journal.clear();
    NotingWindow first("first"), second("second");
    NotingCtrl plain;
    first.SetRect(10, 10, 100, 60);
    second.SetRect(120, 10, 100, 60);
    first.OpenWithOwner(nullptr); // unowned, or closing the first would take the second along
    second.OpenWithOwner(nullptr);
    plain.SetRect(10, 100, 50, 50);
    CreateWindowCall(plain, nullptr, true, false);
    ASSERT_TRUE(Pump([&] { return first.IsOpen() && second.IsOpen() && plain.IsOpen(); }));
    HotKey key;
    key.keycode = XKeysymToKeycode(display, XK_F9);
    key.modifiers = ControlMask;
    key.action = MakeCallback(NoHotKey);
    XGrabKey(display, (int)key.keycode, ControlMask, root, true, GrabModeAsync, GrabModeAsync);
    XGrabKey(display, (int)key.keycode, ControlMask | LockMask, root, true, GrabModeAsync, GrabModeAsync);
    XSync(display, false);
    GetHotKeys().Add(key);
    // The first key press opens the locale's input method and gives its window a context.
    Window w = GetHostWindow(first);
    XSetInputFocus(display, w, RevertToParent, 0);
    EXPECT_TRUE(Pump([&] { return first.HasFocus(); }));
    EXPECT_EQ(input_method, nullptr) << "a focus alone opens nothing";
    TypeKey(XK_a);
    ASSERT_TRUE(Pump([&] {
        WindowMapEntry* e = GetWindowMap().Get(w);
        return input_method && e && e->xic;
    })) << "the en_US.utf8 locale has an input method";
    ASSERT_FALSE(OtherClientCanGrab(key.keycode, ControlMask | LockMask)) << "the hot key is grabbed";

    ExitWindowSystem();
    ASSERT_EQ(journal.size(), 5u) << ::testing::PrintToString(journal);
    // The TopWindows go first through their close actions, then what is left.
    EXPECT_EQ(journal[4], "plain closed");
    for(int i = 0; i < 4; i += 2) {
        EXPECT_EQ(journal[i].substr(journal[i].find(' ')), " close action");
        EXPECT_EQ(journal[i + 1].substr(journal[i + 1].find(' ')), " closed");
    }
    EXPECT_FALSE(first.IsOpen() || second.IsOpen() || plain.IsOpen());
    EXPECT_FALSE(GetHotKeys()[0].action) << "the hot key's entry is emptied";
    EXPECT_TRUE(OtherClientCanGrab(key.keycode, ControlMask | LockMask)) << "with Caps Lock too, the grab is gone";
    EXPECT_TRUE(OtherClientCanGrab(key.keycode, ControlMask));
    EXPECT_EQ(input_method, nullptr);

    ExitWindowSystem();
    EXPECT_EQ(journal.size(), 5u) << "a second shutdown closes nothing again";
    EXPECT_EQ(input_method, nullptr);
    ClearHotKeys();
}

namespace {

struct SynchronizeCase {
    const char* value;
    bool synchronous;
};

void PrintTo(const SynchronizeCase& c, std::ostream* os) { *os << "X11_SYNCHRONIZE=" << c.value; }

class WindowSystemSynchronizeTest : public ::testing::TestWithParam<SynchronizeCase> {};

} // namespace

TEST_P(WindowSystemSynchronizeTest, OnlyExactlyOneMakesTheConnectionSynchronous)
{
    // The child finds the home folder (and its q.ini) that the parent made.
    PrivateHome home;
    if(!IsPrivateServerChild()) {
        std::ofstream(home.Path() + "/q.ini") << "X11_SYNCHRONIZE=" << GetParam().value << "\n";
        XvfbServer server(320, 240, 24);
        RunTestOnPrivateServer(server, 30000);
        return;
    }
    InitWindowSystem();
    ASSERT_NE(display, nullptr);
    // A synchronous connection has Xlib's after-function set.
    EXPECT_EQ(XSetAfterFunction(display, nullptr) != nullptr, GetParam().synchronous);
    ExitWindowSystem();
}

INSTANTIATE_TEST_SUITE_P(Values, WindowSystemSynchronizeTest,
                         ::testing::Values(SynchronizeCase{ "1", true }, SynchronizeCase{ "yes", false },
                                           SynchronizeCase{ "true", false }),
                         [](const ::testing::TestParamInfo<SynchronizeCase>& i) { return std::string(i.param.value); });
