// The window-manager properties of a TopWindow as other clients read them: class,
// protocols, process id, client leader, names, transient hint, window types, size hints,
// decorations and urgency; and the placement record's bytes.
#include "tests/x11/topwindow/top_window_fixture.h"

#include "foundation/charset.h"
#include "foundation/process.h"
#include "foundation/string_stream.h"
#include "foundation/process_environment.h"

#include <unistd.h>

namespace {

using namespace Qor;
using namespace QorTest;

using WmPropertiesTest = TopWindowTest;

long HintFlags(Window w)
{
    XWMHints* h = XGetWMHints(display, w);
    long flags = h ? h->flags : -1;
    if(h)
        XFree(h);
    return flags;
}

TEST_F(WmPropertiesTest, OpenWritesClassProtocolsPidLeaderAndNames)
{
    TopWindow w;
    w.SetRect(Rect(30, 40, 330, 240));
    w.SetTitle(EncodeUtf8(WString(DecodeUtf8("Qor \xCE\xA9 test"))).Begin());
    uint32 start = MonotonicMs();
    w.OpenWithOwner(nullptr);
    // Without a window manager the window is mapped at once and its first visibility
    // event comes quickly; only the wait for the focus may take its 500 ms.
    EXPECT_LT(MonotonicMs() - start, 1500u);
    Window win = GetHostWindow(w);
    ASSERT_TRUE(win);
    XWindowAttributes a;
    ASSERT_TRUE(XGetWindowAttributes(display, win, &a));
    EXPECT_EQ(a.map_state, IsViewable);
    ASSERT_TRUE(Pump([&] { return ReadProperty(win, "_NET_WM_NAME").GetLength() > 0; }));

    String title = ExecutableTitle();
    String cls = title + String("", 1) + title + String("", 1);
    EXPECT_EQ(ReadProperty(win, "WM_CLASS"), cls);
    std::vector<long> protocols = PropertyItems(win, "WM_PROTOCOLS");
    EXPECT_EQ(protocols, (std::vector<long>{ long(AtomOf("WM_DELETE_WINDOW")), long(AtomOf("WM_TAKE_FOCUS")),
                                             long(AtomOf("_NET_WM_PING")) }));
    EXPECT_EQ(PropertyItems(win, "_NET_WM_PID"), std::vector<long>{ long(getpid()) });
    std::vector<long> leader = PropertyItems(win, "WM_CLIENT_LEADER");
    ASSERT_EQ(leader.size(), 1u);
    EXPECT_EQ(PropertyItems(Window(leader[0]), "WM_CLIENT_LEADER"), leader);
    EXPECT_EQ(PropertyItems(Window(leader[0]), "_NET_WM_PID"), std::vector<long>{ long(getpid()) });
    EXPECT_EQ(ReadProperty(win, "_NET_WM_NAME"), "Qor \xCE\xA9 test");
    EXPECT_EQ(ReadProperty(win, "_NET_WM_ICON_NAME"), "Qor \xCE\xA9 test");
    EXPECT_EQ(PropertyItems(win, "XdndAware"), std::vector<long>{ 5 });
    EXPECT_EQ(PropertyItems(win, "_NET_WM_WINDOW_TYPE"),
              std::vector<long>{ long(AtomOf("_NET_WM_WINDOW_TYPE_NORMAL")) });
    // A title change reaches the server once per turn.
    w.SetTitle("Second");
    ASSERT_TRUE(Pump([&] { return ReadProperty(win, "_NET_WM_NAME") == "Second"; }));
    w.Close();
}

TEST_F(WmPropertiesTest, DialogWithOwnerIsTransientAndToolWindowTypesComeInOrder)
{
    TopWindow owner;
    owner.SetRect(Rect(20, 40, 420, 340));
    owner.OpenWithOwner(nullptr);
    TopWindow dialog;
    dialog.SetRect(Rect(0, 0, 200, 100));
    dialog.SetToolWindow();
    dialog.OpenWithOwner(&owner);
    Window win = GetHostWindow(dialog);
    ASSERT_TRUE(win);
    Window transient = 0;
    ASSERT_TRUE(XGetTransientForHint(display, win, &transient));
    EXPECT_EQ(transient, GetHostWindow(owner));
    EXPECT_EQ(
        PropertyItems(win, "_NET_WM_WINDOW_TYPE"),
        (std::vector<long>{ long(AtomOf("_NET_WM_WINDOW_TYPE_UTILITY")), long(AtomOf("_NET_WM_WINDOW_TYPE_DIALOG")),
                            long(AtomOf("_NET_WM_WINDOW_TYPE_NORMAL")) }));
    // Centred on the owner.
    Rect r = dialog.GetRectInParent();
    EXPECT_EQ(r, Rect(120, 140, 320, 240));
    dialog.Close();
    owner.Close();
}

TEST_F(WmPropertiesTest, SizeHintsFollowMinimumSizeResizeAndFrame)
{
    struct Case {
        bool sizeable;
        bool frameless;
        long decorations;
    };
    for(Case k : { Case{ true, false, 1 }, Case{ false, false, 1 }, Case{ true, true, 0 } }) {
        TopWindow w;
        w.SetRect(Rect(50, 60, 350, 260));
        w.SetMinSize(Size(120, 90));
        w.AllowResize(k.sizeable);
        w.SetFrameless(k.frameless);
        w.OpenWithOwner(nullptr);
        Window win = GetHostWindow(w);
        ASSERT_TRUE(win);
        XSizeHints hints = {};
        long supplied = 0;
        ASSERT_TRUE(XGetWMNormalHints(display, win, &hints, &supplied));
        if(k.frameless) {
            EXPECT_FALSE(hints.flags & PMinSize);
        }
        else {
            ASSERT_TRUE(hints.flags & PMinSize);
            EXPECT_EQ(Size(hints.min_width, hints.min_height), k.sizeable ? Size(120, 90) : Size(300, 200));
            if(!k.sizeable) {
                EXPECT_EQ(Size(hints.max_width, hints.max_height), Size(300, 200));
            }
        }
        EXPECT_EQ(hints.flags & (PPosition | PSize | PWinGravity), PPosition | PSize | PWinGravity);
        EXPECT_EQ(hints.win_gravity, StaticGravity);
        EXPECT_EQ(PropertyItems(win, "_MOTIF_WM_HINTS"), (std::vector<long>{ 2, 0, k.decorations, 0, 0 }));
        w.Close();
    }
}

TEST_F(WmPropertiesTest, UrgencyHintIsSetAndWithdrawn)
{
    TopWindow a, b;
    a.SetRect(Rect(30, 30, 230, 130));
    b.SetRect(Rect(260, 30, 460, 130));
    a.OpenWithOwner(nullptr);
    b.OpenWithOwner(nullptr);
    Window win = GetHostWindow(a);
    ASSERT_TRUE(win);
    ASSERT_TRUE(Pump([&] { return !a.IsInActiveWindow(); }));
    a.SetUrgent(true);
    EXPECT_TRUE(a.IsUrgent());
    EXPECT_TRUE(HintFlags(win) & XUrgencyHint);
    a.SetUrgent(false);
    EXPECT_FALSE(HintFlags(win) & XUrgencyHint);
    a.Close();
    b.Close();
}

TEST_F(WmPropertiesTest, DeleteRequestToADisabledWindowDoesNotRunItsCloseAction)
{
    ProbeDialog w;
    w.SetRect(Rect(30, 30, 230, 130));
    w.OpenWithOwner(nullptr);
    ASSERT_TRUE(w.IsOpen());
    w.Disable();
    SendDeleteWindow(&w);
    Pump([] { return false; }, 200);
    EXPECT_TRUE(w.IsOpen());
    w.Enable();
    SendDeleteWindow(&w);
    EXPECT_TRUE(Pump([&] { return !w.IsOpen(); }));
}

TEST_F(WmPropertiesTest, PlacementRecordBytesAndLoadingFitsTheWorkArea)
{
    TopWindow w;
    w.SetRect(Rect(10, 20, 810, 620));
    w.SetState(TopWindow::STATE_MAXIMIZED);
    StringStream out;
    w.SerializePlacement(out);
    const char bytes[] = "\x01\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"
                         "\x0A\0\0\0\x14\0\0\0\x2A\x03\0\0\x6C\x02\0\0\x44";
    String expected(bytes, 34);
    EXPECT_EQ(out.GetText(), expected);

    // A rectangle partly off the work area moves inside; a larger one shrinks to it.
    Rect area = GetWorkArea();
    struct Case {
        Rect stored;
        Rect expected;
    } cases[] = {
        { Rect(area.left - 100, area.top + 50, area.left + 100, area.top + 150),
          Rect(area.left + 8, area.top + 50, area.left + 208, area.top + 150) },
        { Rect(0, 0, area.Width() + 500, area.Height() + 500),
          Rect(area.left + 8, area.top + 32, area.right - 8, area.bottom - 8) },
    };
    if(GetFrameExtents().IsKnown())
        GTEST_FAIL() << "frame extents known without a window manager";
    for(const Case& k : cases) {
        TopWindow src;
        src.SetRect(k.stored);
        StringStream s;
        src.SerializePlacement(s);
        StringStream in(s.GetText());
        in.SetLoading();
        TopWindow dst;
        dst.SerializePlacement(in);
        EXPECT_EQ(dst.GetRectInParent(), k.expected);
        EXPECT_EQ(dst.GetState(), TopWindow::STATE_NORMAL);
    }
}

TEST_F(WmPropertiesTest, DefaultRectanglesCascadeAndStartAgain)
{
    ResetDefaultWindowCascade();
    Rect a = DefaultWindowRect();
    Rect b = DefaultWindowRect();
    EXPECT_EQ(b.TopLeft() - a.TopLeft(), Size(10, 10));
    EXPECT_EQ(a.GetSize(), Size(2 * screen_size.cx / 3, 2 * screen_size.cy / 3));
    Rect r;
    for(int i = 0; i < 100 && r.left != 20; i++)
        r = DefaultWindowRect();
    EXPECT_EQ(r.TopLeft(), Point(20, 20));
    EXPECT_EQ(DefaultWindowRect().TopLeft(), Point(30, 30));
    ResetDefaultWindowCascade();
}

} // namespace

namespace {

using namespace Qor;
using namespace QorTest;

TEST(TopWindowFrameExtents, PlausibleExtentsAreTakenOthersIgnored)
{
    FrameExtents saved = GetFrameExtents();
    GetFrameExtents() = FrameExtents();
    Vector<int> tall;
    for(int v : { 4, 4, 80, 4 })
        tall.Add(v);
    TakeFrameExtents(tall);
    EXPECT_FALSE(GetFrameExtents().IsKnown());
    Vector<int> plain;
    for(int v : { 4, 4, 24, 4 })
        plain.Add(v);
    TakeFrameExtents(plain);
    EXPECT_EQ(GetFrameExtents().top, 24);
    EXPECT_EQ(GetFrameExtents().left, 4);
    Vector<int> negative;
    for(int v : { -1, 2, 30, 2 })
        negative.Add(v);
    TakeFrameExtents(negative);
    EXPECT_EQ(GetFrameExtents().top, 24);
    GetFrameExtents() = saved;
}

void SetNetWmState(Window w, std::initializer_list<const char*> names)
{
    std::vector<long> atoms;
    for(const char* n : names)
        atoms.push_back(long(AtomOf(n)));
    XChangeProperty(display, w, AtomOf("_NET_WM_STATE"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(atoms.data()), int(atoms.size()));
    XFlush(display);
}

TEST_F(WmPropertiesTest, StateFollowsTheWindowManagersStateAndPingIsAnswered)
{
    TopWindow w;
    w.SetRect(Rect(40, 60, 240, 160));
    w.OpenWithOwner(nullptr);
    Window win = GetHostWindow(w);
    ASSERT_TRUE(win);
    SetNetWmState(win, { "_NET_WM_STATE_MAXIMIZED_HORZ", "_NET_WM_STATE_MAXIMIZED_VERT" });
    EXPECT_TRUE(Pump([&] { return w.GetState() == TopWindow::STATE_MAXIMIZED; }));
    SetNetWmState(win, { "_NET_WM_STATE_MAXIMIZED_HORZ", "_NET_WM_STATE_HIDDEN" });
    EXPECT_TRUE(Pump([&] { return w.GetState() == TopWindow::STATE_MINIMIZED; }));
    SetNetWmState(win, { "_NET_WM_STATE_MAXIMIZED_HORZ" });
    EXPECT_TRUE(Pump([&] { return w.GetState() == TopWindow::STATE_NORMAL; }));

    // A second client listens on the root window as a window manager would.
    ::Display* wm = XOpenDisplay(DisplayString(display));
    ASSERT_NE(wm, nullptr);
    XSelectInput(wm, DefaultRootWindow(wm), SubstructureNotifyMask);
    XSync(wm, false);
    XEvent ping = {};
    ping.xclient.type = ClientMessage;
    ping.xclient.window = win;
    ping.xclient.message_type = AtomOf("WM_PROTOCOLS");
    ping.xclient.format = 32;
    ping.xclient.data.l[0] = long(AtomOf("_NET_WM_PING"));
    ping.xclient.data.l[1] = 1234;
    ping.xclient.data.l[2] = long(win);
    XSendEvent(display, win, false, 0, &ping);
    XFlush(display);
    Atom protocols = XInternAtom(wm, "WM_PROTOCOLS", false);
    bool answered = Pump([&] {
        XEvent e;
        while(XCheckTypedEvent(wm, ClientMessage, &e))
            if(e.xclient.message_type == protocols && e.xclient.window == DefaultRootWindow(wm) &&
               e.xclient.data.l[1] == 1234 && Window(e.xclient.data.l[2]) == win)
                return true;
        return false;
    });
    EXPECT_TRUE(answered);
    XCloseDisplay(wm);
    w.Close();
}

} // namespace
