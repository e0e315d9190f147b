// The panic box, shown by a child process: what it shows, and that a click, a key, closing
// it or its time limit ends it; and a panic from a fatal signal handler.
#include "tests/support/test_child.h"
#include "tests/support/x11/gui_test.h"
#include "tests/support/x11/xtest_input.h"

#include "ctrl/x11/display/x11_errors.h"
#include "ctrl/x11/display/x11_errors_internal.h"
#include "foundation/panic.h"
#include "foundation/process.h"

#include <csignal>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xatom.h>
#include <X11/keysym.h>

namespace {

using namespace Qor;
using namespace QorTest;

// A box shown by a child process under a caption of its own, so boxes of tests running in
// parallel are not mixed up.
class PanicBoxTest : public GuiTest {
protected:
    pid_t child = -1;
    std::string caption;
    Window box = 0;

    void Show(const char* text, int time_limit_ms = 20000)
    {
        caption = "Qor panic box test " + std::to_string(getpid());
        XSync(display, false);
        pid_t parent = getpid();
        child = fork();
        if(child == 0) {
            PrepareTestChild(parent);
            display = nullptr; // the parent's connection is not the child's to use
            SetPanicBoxTimeLimit(time_limit_ms);
            ShowPanicBox(caption.c_str(), text);
            _exit(0);
        }
        ASSERT_GT(child, 0);
        ASSERT_TRUE(WaitFor([&] { return (box = FindBox()) != 0; })) << "the box did not appear";
    }

    void TearDown() override
    {
        if(child > 0 && !Ended(0)) {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
        }
    }

    Window FindBox()
    {
        Window root_return, parent, *children = nullptr;
        unsigned n = 0;
        Window found = 0;
        if(XQueryTree(display, root, &root_return, &parent, &children, &n)) {
            for(unsigned i = 0; i < n && !found; i++) {
                char* name = nullptr;
                if(XFetchName(display, children[i], &name) && name) {
                    XWindowAttributes a;
                    if(caption == name && XGetWindowAttributes(display, children[i], &a) && a.map_state == IsViewable)
                        found = children[i];
                    XFree(name);
                }
            }
            XFree(children);
        }
        return found;
    }

    // Whether the child ended (with status 0) within limit_ms.
    bool Ended(int limit_ms = 3000)
    {
        int status = 0;
        bool ended = WaitFor([&] { return waitpid(child, &status, WNOHANG) == child; }, limit_ms);
        if(ended)
            child = -1;
        return ended && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
};

TEST_F(PanicBoxTest, ShowsTheLinesAboveOtherWindowsUntilClicked)
{
    Show("first line\nsecond line\nthird line");
    Window r;
    int x, y;
    unsigned cx, cy, border, d;
    ASSERT_TRUE(XGetGeometry(display, box, &r, &x, &y, &cx, &cy, &border, &d));
    EXPECT_EQ(cx, 600u);
    EXPECT_EQ(cy, 120u);
    EXPECT_EQ(border, 4u);
    EXPECT_EQ(x, (screen_size.cx - 600) / 2);
    EXPECT_EQ(y, (screen_size.cy - 120) / 2);
    Atom type;
    String state = ReadProperty(box, "_NET_WM_STATE", &type);
    ASSERT_EQ(state.GetLength(), (int)sizeof(long));
    EXPECT_EQ(*(const long*)state.Begin(), (long)XInternAtom(display, "_NET_WM_STATE_ABOVE", false));
    EXPECT_EQ(type, XA_ATOM);

    // Three bands of text rows, the first ending at the baseline 20.
    std::vector<int> bands;
    ASSERT_TRUE(WaitFor([&] {
        XRaiseWindow(display, box);
        Pixels p = GrabPixels(box, Rect(0, 0, 600, 120));
        bands.clear();
        bool in = false;
        for(int row = 0; row < 120; row++) {
            bool ink = false;
            for(int col = 0; col < 600 && !ink; col++)
                ink = p.At(col, row) == Black();
            if(ink && !in)
                bands.push_back(row);
            in = ink;
        }
        return bands.size() == 3;
    })) << bands.size()
        << " bands of text";
    EXPECT_LT(bands[0], 20);
    EXPECT_GT(bands[1], 20);

    Click(box, Point(300, 60));
    EXPECT_TRUE(Ended());
}

TEST_F(PanicBoxTest, KeyPressEndsIt)
{
    Show("press a key");
    XRaiseWindow(display, box);
    XSetInputFocus(display, box, RevertToParent, X_CURRENT_TIME);
    TypeKey(XK_Escape);
    EXPECT_TRUE(Ended());
}

TEST_F(PanicBoxTest, ClosingItEndsIt)
{
    Show("close me");
    // What a window manager sends when the user closes the window.
    XEvent e = {};
    e.xclient.type = ClientMessage;
    e.xclient.window = box;
    e.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", false);
    e.xclient.format = 32;
    e.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", false);
    XSendEvent(display, box, false, NoEventMask, &e);
    XSync(display, false);
    EXPECT_TRUE(Ended());
}

TEST_F(PanicBoxTest, EndsByItselfAfterItsTimeLimit)
{
    Show("nobody is there", 500);
    EXPECT_TRUE(Ended(5000));
}

TEST(FatalSignal, IsKnownInsideItsHandler)
{
    static bool inside;
    EXPECT_FALSE(InFatalSignalHandler());
    auto old = signal(SIGFPE, [](int) { inside = InFatalSignalHandler(); });
    raise(SIGFPE);
    signal(SIGFPE, old);
    EXPECT_TRUE(inside);
    EXPECT_FALSE(InFatalSignalHandler());
}

TEST(FatalSignal, PanicFromTheHandlerShowsTheBoxAndAborts)
{
    ASSERT_TRUE(RequireDisplay());
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            InstallPanicBox();
            SetPanicBoxTimeLimit(300);
            signal(SIGSEGV, OnInvalidMemoryAccess);
            raise(SIGSEGV);
        },
        testing::KilledBySignal(SIGABRT), "Invalid memory access!");
}

} // namespace
