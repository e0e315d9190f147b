// Driving Lorvane as its user does: finding its windows, reading what they show, moving the
// pointer along the way a hand or a jump takes, and asking the window to close.
#pragma once

#include "tests/support/test_child.h"
#include "tests/support/x11/gui_test.h"
#include "tests/support/x11/openbox_run.h"
#include "tests/support/x11/pointer_path.h"
#include "tests/support/x11/private_server_run.h"
#include "tests/widgets/gui/menu_script.h"

#include "app/lorvane.h"
#include "ctrl/x11/host/window_host.h"
#include "widgets/richview/rich_text_view.h"

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace QorTest {

inline lorvane* FindLookupWindow()
{
    for(Qor::Ctrl* c : Qor::GetTopCtrls())
        if(lorvane* w = dynamic_cast<lorvane*>(c))
            return w;
    return nullptr;
}

// The open top-level windows other than the lookup window and pop-ups: prompts and progress.
inline std::vector<Qor::TopWindow*> Dialogs()
{
    std::vector<Qor::TopWindow*> out;
    for(Qor::Ctrl* c : Qor::GetTopCtrls())
        if(Qor::TopWindow* t = dynamic_cast<Qor::TopWindow*>(c))
            if(!dynamic_cast<lorvane*>(c) && t->IsInOpenWindow())
                out.push_back(t);
    return out;
}

// The open pop-up window (the drop-down list), null when none is open.
inline Qor::Ctrl* OpenPopup()
{
    for(Qor::Ctrl* c : Qor::GetTopCtrls())
        if(c->IsPopup() && c->IsInOpenWindow() && !dynamic_cast<Qor::TopWindow*>(c))
            return c;
    return nullptr;
}

// Managed (not override-redirect) windows the program creates, seen on a connection of the
// test's own, so that a dialog that opens and closes inside one handler is still counted.
class WindowWatch {
public:
    WindowWatch() : d(XOpenDisplay(nullptr))
    {
        if(d) {
            XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
            XSync(d, false);
        }
    }
    ~WindowWatch()
    {
        if(d)
            XCloseDisplay(d);
    }
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;
    // Windows created since the last call by the program that owns `of` (not by the window
    // manager, which frames each one).
    int TakeCreated(Window of)
    {
        const unsigned long base = of & ~0x1FFFFFul; // the client's share of the X ids
        int n = 0;
        XSync(d, false);
        while(XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if(e.type == CreateNotify && !e.xcreatewindow.override_redirect &&
               (e.xcreatewindow.window & ~0x1FFFFFul) == base)
                n++;
        }
        return n;
    }

private:
    ::Display* d;
};

inline Qor::Point CentreOnScreen(const Qor::Ctrl& c) { return c.GetRectOnScreen().CenterPoint(); }

// The middle of a list cell on the screen.
inline Qor::Point CellOnScreen(Qor::ArrayCtrl& list, int row, int column)
{
    Qor::Rect view = list.GetViewRectOnScreen();
    Qor::Point c = list.GetCellRect(row, column).CenterPoint();
    return Qor::Point(view.left + c.x, view.top + c.y);
}

// The plain text of a prompt's message.
inline std::string PromptText(Qor::Ctrl& prompt)
{
    for(Qor::Ctrl* c = prompt.GetFirstChild(); c; c = c->GetNext())
        if(Qor::RichTextView* v = dynamic_cast<Qor::RichTextView*>(c))
            return v->GetText().GetPlainText().ToString().Begin();
    return "(no text)";
}

// The shown rows as "number term", top to bottom.
inline std::vector<std::string> ShownRows(lorvane& w)
{
    std::vector<std::string> rows;
    for(int r = 0; r < w.array.GetCount(); r++)
        rows.push_back(std::string(w.array.GetConvertedValue(r, 0).ToString().Begin()) + " " +
                       w.array.Get(r, 0).ToString().Begin());
    return rows;
}

// Asks the window to close: through the window manager, as its close button does, or, with no
// window manager to ask, with the request a window manager sends the window itself.
inline void RequestClose(::Display* d, Window w, bool through_wm)
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.format = 32;
    if(through_wm) {
        e.xclient.message_type = XInternAtom(d, "_NET_CLOSE_WINDOW", false);
        e.xclient.data.l[0] = 0; // CurrentTime
        e.xclient.data.l[1] = 2; // from a pager or the user's own tools
        XSendEvent(d, DefaultRootWindow(d), false, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    }
    else {
        e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", false);
        e.xclient.data.l[0] = long(XInternAtom(d, "WM_DELETE_WINDOW", false));
        e.xclient.data.l[1] = 0; // CurrentTime
        XSendEvent(d, w, false, NoEventMask, &e);
    }
    XFlush(d);
}

// The X window named `name` anywhere under w (a window manager reparents clients).
inline Window FindNamed(::Display* d, Window w, const char* name)
{
    char* title = nullptr;
    if(XFetchName(d, w, &title) && title) {
        bool same = std::string(title) == name;
        XFree(title);
        if(same)
            return w;
    }
    Window root_return, parent, *children = nullptr;
    unsigned n = 0;
    Window found = 0;
    if(XQueryTree(d, w, &root_return, &parent, &children, &n)) {
        for(unsigned i = 0; i < n && !found; i++)
            found = FindNamed(d, children[i], name);
        if(children)
            XFree(children);
    }
    return found;
}

// The lorvane program run as its own process with a home folder of the test's, its output
// going nowhere; killed with the object when it has not ended by then.
class ProgramRun {
public:
    explicit ProgramRun(const std::string& home) : parent(getpid()), pid(fork())
    {
        if(pid == 0) {
            PrepareTestChild(parent);
            setenv("HOME", home.c_str(), 1);
            execl(QOR_LORVANE_PROGRAM, QOR_LORVANE_PROGRAM, nullptr);
            _exit(127);
        }
        EXPECT_GT(pid, 0) << "fork failed";
    }
    ~ProgramRun()
    {
        if(pid > 0 && !ended) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Its window "Lorvane", waited for up to 10 s; 0 (with a failure) when none came.
    Window WaitForWindow()
    {
        Window w = 0;
        EXPECT_TRUE(WaitFor([&] { return (w = FindNamed(Qor::display, Qor::root, "Lorvane")) != 0; }, 10000))
            << "no window \"Lorvane\"";
        return w;
    }
    // Waits up to 10 s for the process to end; true when it did, with its wait status.
    bool WaitForExit(int& status)
    {
        ended = pid > 0 && WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, 10000);
        return ended;
    }

private:
    pid_t parent;
    pid_t pid;
    bool ended = false;
};

// Script steps that take the pointer to a screen point, one motion event per step, so that
// each reaches the program on its own as a hand's do; the target is asked when the pointer
// sets off.
inline void Reach(MenuScript& s, PointerMove how, std::function<Qor::Point()> target)
{
    auto path = std::make_shared<std::vector<Qor::Point>>();
    auto next = std::make_shared<size_t>(0);
    s.Then([=] {
        if(path->empty())
            *path = PointerPath(PointerOnScreen(), target(), how);
        MovePointerOnScreen((*path)[(*next)++]);
        return *next == path->size();
    });
}

// Reaches the point, then clicks there `count` times.
inline void ClickAt(MenuScript& s, PointerMove how, std::function<Qor::Point()> target, int count = 1)
{
    Reach(s, how, std::move(target));
    s.Do([count] { ClickHere(1, count); });
}

} // namespace QorTest

// The rest of the test runs in a child process on a private server managed by openbox.
#define UNDER_OPENBOX()                                                                                                \
    if(!QorTest::IsPrivateServerChild()) {                                                                             \
        QorTest::XvfbServer server(1024, 768, 24);                                                                     \
        QorTest::OpenboxRun wm(server);                                                                                \
        ASSERT_TRUE(wm.ready) << "openbox did not start (is it installed? tools/install-deps.sh)";                     \
        QorTest::RunTestOnPrivateServer(server, 120000);                                                               \
        return;                                                                                                        \
    }                                                                                                                  \
    ASSERT_TRUE(QorTest::RequireDisplay())
