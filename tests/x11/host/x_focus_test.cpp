// The X input focus moved by another client, and the control tree's focus read back
// afterwards: focus set on a window, on a foreign window and on none, a pop-up taking it,
// a focus offer to a window that a dialog disabled, and a focused dialog closing.
#include "tests/support/x11/input_window.h"

#include "ctrl/topwindow/top_window.h"
#include "ctrl/tree/global_refs.h"
#include "ctrl/window_ops/window_ops.h"
#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/host/window_host.h"

#include <string>
#include <vector>

namespace {

using namespace Qor;
using namespace QorTest;

// Another client on the same server: it moves the input focus and sends what a window
// manager sends, and asks the server where the focus is.
class Peer {
public:
    // Connects to the window system's display, which must be up.
    bool Open()
    {
        d = XOpenDisplay(DisplayString(display));
        if(!d)
            return false;
        own = XCreateSimpleWindow(d, DefaultRootWindow(d), 600, 500, 60, 40, 0, 0, 0);
        XMapWindow(d, own);
        XSync(d, false);
        return true;
    }
    ~Peer()
    {
        if(d)
            XCloseDisplay(d);
    }
    void Focus(Window w)
    {
        XSetInputFocus(d, w, RevertToParent, X_CURRENT_TIME);
        XSync(d, false);
    }
    // A window manager's focus offer (WM_TAKE_FOCUS).
    void OfferFocus(Window w)
    {
        XEvent e = {};
        e.xclient.type = ClientMessage;
        e.xclient.window = w;
        e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", false);
        e.xclient.format = 32;
        e.xclient.data.l[0] = long(XInternAtom(d, "WM_TAKE_FOCUS", false));
        e.xclient.data.l[1] = X_CURRENT_TIME;
        XSendEvent(d, w, false, 0, &e);
        XSync(d, false);
    }
    bool IsShown(Window w)
    {
        XWindowAttributes a = {};
        return XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable;
    }
    Window Focused()
    {
        Window w = 0;
        int revert = 0;
        XGetInputFocus(d, &w, &revert);
        return w;
    }

    Window own = 0;

private:
    ::Display* d = nullptr;
};

// A window with a field that wants the focus; its focus notices go to a shared journal.
template <class Base>
struct Pane : Base {
    InputRecorder field;

    Pane(const char* name, std::vector<std::string>& notices)
    {
        field.name = name;
        field.notices = &notices;
        field.SetWantsFocus();
        field.SetRect(10, 10, 60, 20);
        this->AppendChild(field);
    }
};

Ctrl* FocusCtrl() { return GetCtrlGlobalRefs().focus_ctrl; }
Window FocusWindow() { return GetHostState().focus_window; }

class XFocusTest : public PrivateDisplayTest {
protected:
    std::vector<std::string> notices;
    Peer peer;

    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        ASSERT_TRUE(peer.Open());
        // The peer's window must be viewable before the focus can go to it.
        ASSERT_TRUE(WaitFor([&] { return peer.IsShown(peer.own); }));
    }
};

// The window that gets the X focus becomes the active window and its control the focus (a
// plain control keeps it; a TopWindow would pass it on to its remembered child).
TEST_F(XFocusTest, FocusMovedByAnotherClientIsFollowed)
{
    Pane<Ctrl> a("a", notices), b("b", notices);
    OpenInput open_a(a, Rect(40, 40, 200, 120));
    OpenInput open_b(b, Rect(240, 40, 400, 120));
    ASSERT_TRUE(open_a.IsOpen() && open_b.IsOpen());
    a.field.SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return a.field.HasFocus(); }));
    notices.clear();

    peer.Focus(open_b.GetWindow());
    EXPECT_TRUE(PumpUntil([&] { return FocusWindow() == open_b.GetWindow() && FocusCtrl() == &b; }));
    EXPECT_EQ(notices, std::vector<std::string>{ "a:FocusLost" });

    // Away to a window of no control, or to none: nothing of the tree keeps the focus.
    for(Window away : { peer.own, Window(0) }) {
        peer.Focus(open_a.GetWindow());
        ASSERT_TRUE(PumpUntil([&] { return FocusWindow() == open_a.GetWindow() && FocusCtrl() == &a; })) << away;
        a.field.SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return a.field.HasFocus(); }));
        notices.clear();
        peer.Focus(away);
        EXPECT_TRUE(PumpUntil([&] { return FocusWindow() == 0 && !FocusCtrl(); })) << away;
        EXPECT_EQ(notices, std::vector<std::string>{ "a:FocusLost" }) << away;
    }
}

// A pop-up that gets the X focus changes nothing else: the window it belongs to keeps the
// focus of its tree.
TEST_F(XFocusTest, APopupTakingTheFocusLeavesTheTreeAlone)
{
    Pane<Ctrl> a("a", notices);
    OpenInput open_a(a, Rect(40, 40, 200, 120));
    ASSERT_TRUE(open_a.IsOpen());
    a.field.SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return a.field.HasFocus(); }));
    InputRecorder popup;
    popup.SetRect(60, 140, 80, 40);
    OpenPopupCall(popup, &a, false, false);
    ASSERT_TRUE(PumpUntil([&] {
        WindowMapEntry* e = GetWindowMapEntry(popup);
        return e && e->exposed;
    }));
    notices.clear();
    peer.Focus(GetHostWindow(popup));
    ASSERT_TRUE(PumpUntil([&] { return FocusWindow() == GetHostWindow(popup); }));
    PumpFor(50);
    EXPECT_TRUE(a.field.HasFocus());
    EXPECT_TRUE(notices.empty()) << ::testing::PrintToString(notices);
    popup.DestroyWindowCall();
    PumpFor(20);
}

class OwnedWindowTest : public XFocusTest {
protected:
    Pane<TopWindow> main{ "main", notices };
    Pane<TopWindow> dialog{ "dialog", notices };

    void SetUp() override
    {
        XFocusTest::SetUp();
        main.SetRect(40, 40, 300, 200);
        main.Open();
        dialog.SetRect(100, 100, 200, 100);
        dialog.OpenWithOwner(&main);
        // Past their first moments, in which new windows refuse focus offers.
        ASSERT_TRUE(PumpUntil(
            [&] {
                return GetWindowMapEntry(main) && GetWindowMapEntry(main)->exposed && GetWindowMapEntry(dialog) &&
                       GetWindowMapEntry(dialog)->exposed && !main.HasWindowFlag() && !dialog.HasWindowFlag();
            },
            10000));
        main.field.SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return main.field.HasFocus(); }));
        dialog.field.SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return dialog.field.HasFocus(); }));
    }
    void TearDown() override
    {
        main.Enable(true);
        dialog.Close();
        main.Close();
        PumpFor(20);
        XFocusTest::TearDown();
    }
};

// The window last active among a window and those it owns answers a focus offer made to the
// window while a dialog of its own disables it; an enabled window takes the offer itself.
TEST_F(OwnedWindowTest, AFocusOfferToADisabledWindowGoesToTheWindowLastActive)
{
    Window main_window = GetHostWindow(main);
    Window dialog_window = GetHostWindow(dialog);
    peer.Focus(dialog_window);
    ASSERT_TRUE(PumpUntil([&] { return FocusWindow() == dialog_window; }));
    EXPECT_EQ(GetWindowMapEntry(main)->last_active.Get(), &dialog) << "the owner's entry names its dialog";
    EXPECT_EQ(GetWindowMapEntry(dialog)->last_active.Get(), &dialog);

    main.Enable(false);
    peer.Focus(peer.own);
    ASSERT_TRUE(PumpUntil([&] { return !FocusCtrl(); }));
    peer.OfferFocus(main_window);
    EXPECT_TRUE(PumpUntil([&] { return dialog.field.HasFocus() && peer.Focused() == dialog_window; }));
    EXPECT_FALSE(main.field.HasFocus());

    // Enabled again, the window takes an offer for itself.
    main.Enable(true);
    peer.Focus(peer.own);
    ASSERT_TRUE(PumpUntil([&] { return !FocusCtrl(); }));
    peer.OfferFocus(main_window);
    EXPECT_TRUE(PumpUntil([&] { return main.field.HasFocus() && peer.Focused() == main_window; }));
    EXPECT_EQ(GetWindowMapEntry(main)->last_active.Get(), &main);
}

// A focused dialog that closes gives the focus back to its owner; one that did not have the
// focus leaves it where it is.
TEST_F(OwnedWindowTest, ClosingTheFocusedDialogGivesTheFocusToItsOwner)
{
    Window main_window = GetHostWindow(main);
    peer.Focus(GetHostWindow(dialog));
    ASSERT_TRUE(PumpUntil([&] { return dialog.field.HasFocus(); }));
    dialog.Close();
    EXPECT_TRUE(PumpUntil([&] { return main.field.HasFocus() && peer.Focused() == main_window; }));
    EXPECT_EQ(FocusWindow(), main_window);
}

TEST_F(OwnedWindowTest, ClosingADialogWithoutTheFocusLeavesTheFocusAlone)
{
    peer.Focus(peer.own);
    ASSERT_TRUE(PumpUntil([&] { return !FocusCtrl(); }));
    dialog.Close();
    ASSERT_TRUE(PumpUntil([&] { return !dialog.IsOpen(); }));
    PumpFor(50);
    EXPECT_EQ(peer.Focused(), peer.own);
    EXPECT_FALSE(FocusCtrl());
}

} // namespace
