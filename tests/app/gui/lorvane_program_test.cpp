// Lorvane driven as its user drives it, on a private X server under openbox: the program
// body runs its window's loop while a script of real XTest input, run from the loop's own
// timers, types, picks match types, searches, reads the rows, opens and closes meanings,
// sorts, and closes the window through the window manager.
#include "tests/support/temp_folder.h"
#include "tests/support/test_child.h"
#include "tests/support/x11/gui_test.h"
#include "tests/support/x11/openbox_run.h"
#include "tests/support/x11/private_server_run.h"
#include "tests/support/x11/xtest_input.h"
#include "tests/widgets/gui/menu_script.h"

#include "app/lorvane.h"
#include "ctrl/settings/gui_settings.h"
#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/host/window_host.h"
#include "ctrl/x11/loop/x_event_loop.h"
#include "widgets/richview/rich_text_view.h"

#include <X11/Xatom.h>
#include <X11/keysym.h>

#include <csignal>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace Qor;
using namespace QorTest;

using LorvaneProgramTest = ::testing::Test;

lorvane* FindLookupWindow()
{
    for(Ctrl* c : GetTopCtrls())
        if(lorvane* w = dynamic_cast<lorvane*>(c))
            return w;
    return nullptr;
}

// The open top-level windows other than the lookup window and pop-ups: prompts and progress.
std::vector<TopWindow*> Dialogs()
{
    std::vector<TopWindow*> out;
    for(Ctrl* c : GetTopCtrls())
        if(TopWindow* t = dynamic_cast<TopWindow*>(c))
            if(!dynamic_cast<lorvane*>(c) && t->IsInOpenWindow())
                out.push_back(t);
    return out;
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

// A screen point in the top window's coordinates.
Point InWindow(const Ctrl& top, Point p)
{
    Point o = top.GetRectOnScreen().TopLeft();
    return Point(p.x - o.x, p.y - o.y);
}

Point CentreIn(const Ctrl& top, const Ctrl& c) { return InWindow(top, c.GetRectOnScreen().CenterPoint()); }

// The middle of a list cell, in the top window's coordinates.
Point CellIn(const Ctrl& top, ArrayCtrl& list, int row, int column)
{
    Rect view = list.GetViewRectOnScreen();
    Point c = list.GetCellRect(row, column).CenterPoint();
    return InWindow(top, Point(view.left + c.x, view.top + c.y));
}

// The plain text of a prompt's message.
std::string PromptText(Ctrl& prompt)
{
    for(Ctrl* c = prompt.GetFirstChild(); c; c = c->GetNext())
        if(RichTextView* v = dynamic_cast<RichTextView*>(c))
            return v->GetText().GetPlainText().ToString().Begin();
    return "(no text)";
}

// The shown rows as "number term", top to bottom.
std::vector<std::string> ShownRows(lorvane& w)
{
    std::vector<std::string> rows;
    for(int r = 0; r < w.array.GetCount(); r++)
        rows.push_back(std::string(w.array.GetConvertedValue(r, 0).ToString().Begin()) + " " +
                       w.array.Get(r, 0).ToString().Begin());
    return rows;
}

// Asks the window manager to close the window, as its close button does.
void RequestClose(Window w)
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(display, "_NET_CLOSE_WINDOW", false);
    e.xclient.format = 32;
    e.xclient.data.l[0] = 0; // CurrentTime
    e.xclient.data.l[1] = 2; // from a pager or the user's own tools
    XSendEvent(display, root, false, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(display);
}

#define UNDER_OPENBOX()                                                                                                \
    if(!IsPrivateServerChild()) {                                                                                      \
        XvfbServer server(1024, 768, 24);                                                                              \
        OpenboxRun wm(server);                                                                                         \
        ASSERT_TRUE(wm.ready) << "openbox did not start (is it installed? tools/install-deps.sh)";                     \
        RunTestOnPrivateServer(server, 120000);                                                                        \
        return;                                                                                                        \
    }                                                                                                                  \
    ASSERT_TRUE(RequireDisplay())

TEST_F(LorvaneProgramTest, UserLooksWordsUp)
{
    UNDER_OPENBOX();
    WindowWatch watch;
    MenuScript s;
    lorvane* w = nullptr;
    std::vector<std::string> notes;
    auto host = [&] { return GetHostWindow(*w); };
    auto click = [&](const Ctrl& c) { Click(host(), CentreIn(*w, c)); };

    // The window as it first shows.
    s.Then([&] {
        w = FindLookupWindow();
        return w && w->IsInOpenWindow() && w->HasFocusInTree();
    });
    s.Wait(300);
    s.Do([&] {
        EXPECT_EQ(w->GetTitle(), WString("Lorvane"));
        EXPECT_EQ(w->match.GetValue(), Value(0));
        EXPECT_EQ(w->match.Format(w->match.GetValue()), Value(String("Contains")));
        EXPECT_EQ(w->array.GetCount(), 0);
        EXPECT_TRUE(w->array.GetScrollBar().IsVisible());
        watch.TakeCreated(host());
        click(w->criteria);
    });
    s.Wait(100);
    s.Do([] { TypeText("rob"); });
    s.Then([&] { return w->criteria.GetValue() == Value(WString("rob")); });

    // Each match type with the mouse: the drop-down opens, a click on a row picks it.
    for(int type = 1; type <= 4; type++) {
        int pick = type % 4;
        s.Do([&] { click(w->match); });
        s.Then([&] { return GetTopCtrls().GetCount() >= 2; });
        s.Wait(300);
        s.Do([&, pick] {
            Ctrl* popup = nullptr;
            for(Ctrl* c : GetTopCtrls())
                if(c != w && !dynamic_cast<TopWindow*>(c))
                    popup = c;
            ASSERT_TRUE(popup);
            // Clicked in its own window: the helper raises the window it clicks in.
            int row = (popup->GetRectOnScreen().Height() - 2) / 4; // four entries in a one-pixel frame
            Click(GetHostWindow(*popup), Point(10, 1 + row * pick + row / 2));
        });
        s.Then([&, pick] { return w->match.GetValue() == Value(pick); });
    }

    // Search by mouse under "Contains": rows in list order, numbered from 1, under one
    // progress dialog.
    s.Do([&] { click(w->searchbutton); });
    s.Then([&] { return w->array.GetCount() > 0 && Dialogs().empty(); });
    s.Do([&] {
        EXPECT_EQ(watch.TakeCreated(host()), 1) << "one progress dialog";
        std::vector<std::string> rows = ShownRows(*w);
        ASSERT_GE(rows.size(), 2u);
        EXPECT_EQ(rows[0].substr(0, 2), "1 ");
        EXPECT_EQ(rows[1].substr(0, 2), "2 ");
        for(const std::string& r : rows)
            EXPECT_NE(r.find("ob"), std::string::npos) << r;
        notes.push_back("contains " + std::to_string(rows.size()));
    });

    // Each match type with the keyboard (Tab to the list, Down steps), Search by Space.
    s.Do([&] { click(w->criteria); });
    s.Then([&] { return w->criteria.HasFocus(); });
    s.Do([&] { TypeKey(XK_Tab); });
    s.Then([&] { return w->searchbutton.HasFocus(); });
    s.Do([&] { TypeKey(XK_Tab); });
    s.Then([&] { return w->match.HasFocus(); });
    const char* const expected_first[] = { "", "Robert", "Robert", "Report" };
    for(int type = 1; type <= 3; type++) {
        s.Do([] { TypeKey(XK_Down); });
        s.Then([&, type] { return w->match.GetValue() == Value(type); });
        s.Do([] { TypeKey(XK_Tab, { XK_Shift_L }); });
        s.Then([&] { return w->searchbutton.HasFocus(); });
        s.Do([&, type] {
            if(type == 2)
                w->criteria.SetText(WString("robert"));
            watch.TakeCreated(host()); // the button's tool tip may have come meanwhile
            TypeKey(XK_space);
        });
        s.Then([&] { return Dialogs().empty() && w->array.GetCount() > 0; });
        s.Do([&, type] {
            EXPECT_EQ(watch.TakeCreated(host()), 1) << "one progress dialog, match type " << type;
            std::vector<std::string> rows = ShownRows(*w);
            ASSERT_FALSE(rows.empty()) << "match type " << type;
            EXPECT_EQ(rows[0], std::string("1 ") + expected_first[type]) << "match type " << type;
            TypeKey(XK_Tab);
        });
        s.Then([&] { return w->match.HasFocus(); });
    }

    // A click on a row shows its meaning, captioned with the program's title; Enter closes it.
    s.Do([&] {
        w->match.SetValue(0);
        w->criteria.SetText(WString("abandon"));
        click(w->searchbutton);
    });
    s.Then([&] { return w->array.GetCount() == 1 && Dialogs().empty(); });
    s.Do([&] { Click(host(), CellIn(*w, w->array, 0, 1)); });
    s.Then([&] { return Dialogs().size() == 1 && Dialogs()[0]->IsInOpenWindow(); });
    s.Wait(200);
    s.Do([&] {
        EXPECT_EQ(Dialogs()[0]->GetTitle(), WString(GetAppTitle()));
        EXPECT_EQ(PromptText(*Dialogs()[0]), "forsake, leave behind");
        TypeKey(XK_Return);
    });
    s.Then([&] { return Dialogs().empty(); });
    // ... and Escape closes it too (a second click, not a double click).
    s.Do([&] { MovePointer(host(), CentreIn(*w, w->criteria)); });
    s.Wait(600);
    s.Do([&] { Click(host(), CellIn(*w, w->array, 0, 1)); });
    s.Then([&] { return Dialogs().size() == 1; });
    s.Wait(200);
    s.Do([] { TypeKey(XK_Escape); });
    s.Then([&] { return Dialogs().empty(); });
    // A click below the last row shows nothing.
    s.Do([&] {
        Point below = CellIn(*w, w->array, 0, 1);
        Click(host(), Point(below.x, below.y + 5 * w->array.GetDefaultRowHeight()));
    });
    s.Wait(500);
    s.Do([&] {
        EXPECT_TRUE(Dialogs().empty());
        MovePointer(host(), CentreIn(*w, w->criteria));
    });
    s.Wait(600);
    // A meaning with the markup's own characters and a tab is shown as it stands.
    static const char* const literal = "a [* b] `c` {d} ^e^ @f \\g #h &i ~j\tk";
    s.Do([&] { w->array.Set(0, 1, String(literal)); });
    s.Do([&] { Click(host(), CellIn(*w, w->array, 0, 1)); });
    s.Then([&] { return Dialogs().size() == 1 && Dialogs()[0]->IsInOpenWindow(); });
    s.Wait(200);
    s.Do([&] {
        EXPECT_EQ(PromptText(*Dialogs()[0]), literal);
        TypeKey(XK_Return);
    });
    s.Then([&] { return Dialogs().empty(); });
    s.Do([&] { MovePointer(host(), CentreIn(*w, w->criteria)); });
    s.Wait(600);

    // An empty criterion empties the list and asks for one.
    s.Do([&] {
        w->criteria.SetText(WString("   "));
        click(w->searchbutton);
    });
    s.Then([&] { return Dialogs().size() == 1; });
    s.Wait(200);
    s.Do([&] {
        EXPECT_EQ(w->array.GetCount(), 0);
        EXPECT_EQ(Dialogs()[0]->GetTitle(), WString(GetAppTitle()));
        EXPECT_EQ(PromptText(*Dialogs()[0]), "Enter search criteria");
        TypeKey(XK_Return);
    });
    s.Then([&] { return Dialogs().empty(); });

    // "*" under "Contains": two progress dialogs in turn, every entry once, in list order.
    s.Do([&] {
        w->criteria.SetText(WString("*"));
        watch.TakeCreated(host());
        click(w->searchbutton);
    });
    s.Then([&] { return w->array.GetCount() == 2000 && Dialogs().empty(); });
    s.Do([&] {
        EXPECT_EQ(watch.TakeCreated(host()), 2) << "list-all, then the match-type search";
        std::vector<std::string> rows = ShownRows(*w);
        EXPECT_EQ(rows[0], "1 A Couple Of");
        EXPECT_EQ(rows[1999].substr(0, 5), "2000 ");
    });

    // Two clicks on the "Word" tab sort up, then down; the numbers still run from 1.
    auto word_tab = [&] {
        Rect h = w->array.GetHeader().GetRectOnScreen();
        return InWindow(*w, Point(h.left + 16 + 150, h.CenterPoint().y));
    };
    s.Do([&] { Click(host(), word_tab()); });
    // However long a busy machine takes to pass the click on.
    s.Then([&] { return w->array.GetSortColumn() == 1; });
    s.Do([&] {
        std::vector<std::string> rows = ShownRows(*w);
        EXPECT_EQ(rows[0], "1 A Couple Of");
        EXPECT_EQ(w->array.GetSortColumn(), 1);
        EXPECT_FALSE(w->array.IsSortDescending());
        MovePointer(host(), CentreIn(*w, w->criteria));
    });
    s.Wait(300);
    s.Do([&] { Click(host(), word_tab()); });
    s.Then([&] { return w->array.IsSortDescending(); });
    s.Do([&] {
        std::vector<std::string> rows = ShownRows(*w);
        EXPECT_EQ(rows[0].substr(0, 2), "1 ");
        EXPECT_EQ(rows[1999], "2000 A Couple Of");
        RequestClose(host());
    });

    s.on_timeout = [&] {
        std::string focus;
        for(Ctrl* c = w ? w->GetFirstChild() : nullptr; c; c = c->GetNext())
            if(c->HasFocusInTree())
                focus = c->GetInfoPart(4).Begin();
        ADD_FAILURE() << "the script stopped at step " << s.StepReached() << ", focus on " << focus << ", "
                      << Dialogs().size() << " dialogs, " << (w ? w->array.GetCount() : -1) << " rows";
        for(TopWindow* d : Dialogs())
            d->Break();
        if(w)
            w->Break();
    };
    s.Start(100000);
    LookupMain();
    EXPECT_TRUE(s.Finished()) << "step " << s.StepReached();
    EXPECT_EQ(FindLookupWindow(), nullptr);
}

} // namespace

namespace {

// The X window named `name` anywhere under w (the window manager reparents clients).
Window FindNamed(::Display* d, Window w, const char* name)
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

TEST_F(LorvaneProgramTest, ProgramClosedByTheWindowManagerExitsWithZero)
{
    UNDER_OPENBOX();
    TempFolder home("lorvane_home");
    pid_t parent = getpid();
    pid_t pid = fork();
    if(pid == 0) {
        PrepareTestChild(parent);
        setenv("HOME", home.Path().c_str(), 1);
        execl(QOR_LORVANE_PROGRAM, QOR_LORVANE_PROGRAM, nullptr);
        _exit(127);
    }
    ASSERT_GT(pid, 0);
    Window w = 0;
    EXPECT_TRUE(WaitFor([&] { return (w = FindNamed(display, root, "Lorvane")) != 0; }, 10000));
    if(w) {
        WaitFor([] { return false; }, 300);
        RequestClose(w);
    }
    int status = -1;
    bool ended = WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, 10000);
    if(!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    EXPECT_TRUE(ended) << "the program did not end on the close request";
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
