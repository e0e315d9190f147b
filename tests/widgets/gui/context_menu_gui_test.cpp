// Context menus on a real X server, driven through XTest: opened at the pointer and kept on
// screen near every edge, keyboard navigation, access letters, sub-menus with their timing
// and a nested pop-up closing while its parent keeps the pointer grab.
#include "tests/widgets/gui/menu_script.h"

#include "ctrl/input/input_host.h"
#include "ctrl/tree/global_refs.h"
#include "ctrl/window_ops/window_ops.h"
#include "ctrl/x11/host/window_host.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "widgets/menu/menu_bar.h"

#include <X11/keysym.h>

namespace {

using namespace Qor;
using namespace QorTest;

using ContextMenuGuiTest = PrivateDisplayTest;

struct Panel : Ctrl {
    Callback1<Bar&> menu;
    void Paint(Draw& w) override { w.DrawRect(Rect(GetViewSize()), SysColorFace()); }
    // A right click opens the panel's menu where the pointer is.
    void RightButtonDown(Point, dword) override { MenuBar::RunContextMenu(this, menu, GetPointerPosition()); }
};

// The menus a building procedure fills, and what their items ran. A context menu lives only
// while its loop runs: the log watches the menus, and reads a gone one as closed.
struct MenuLog {
    std::string ran;
    WeakPointer<MenuBar> top;
    WeakPointer<MenuBar> sub;

    Callback Mark(const char* what)
    {
        return Lambda([this, what] { ran += what; });
    }
    // Alpha, Beta, a disabled Gamma, a sub-menu Recent (One, Two), Delta.
    Callback1<Bar&> Build()
    {
        return Lambda<Bar&>([this](Bar& b) {
            top = dynamic_cast<MenuBar*>(&b);
            b.AddItem(Mark("alpha")).Text("&Alpha");
            b.AddItem(Mark("beta")).Text("&Beta");
            b.AddItem(Mark("gamma")).Text("&Gamma").Enable(false);
            b.AddSubMenu(Lambda<Bar&>([this](Bar& s) {
                 sub = dynamic_cast<MenuBar*>(&s);
                 s.AddItem(Lambda([this] {
                      // Every pop-up is closed before the action runs.
                      ran += top && !top->IsOpen() && sub && !sub->IsOpen() ? "one" : "one-while-open";
                  })).Text("&One");
                 s.AddItem(Mark("two")).Text("&Two");
             })).Text("&Recent");
            b.Separator();
            b.AddItem(Mark("delta")).Text("&Delta");
        });
    }
    bool TopOpen() const { return top && top->IsOpen(); }
    bool SubOpen() const { return sub && sub->IsOpen(); }
    // Ends whatever menu loop runs, for a script that timed out.
    void CloseAll()
    {
        if(top)
            top->CloseMenu();
    }
    Rect ItemOnScreen(int i) const { return top->GetItem(i).GetRectOnScreen(); }
};

int GrabCount() { return GetHostState().popup_grab_count; }

struct EdgeCase {
    Point p;
};

TEST_F(ContextMenuGuiTest, OpensAtThePointerAndStaysOnScreenNearEveryEdge)
{
    Panel panel;
    MenuLog log;
    panel.menu = log.Build();
    Rect screen(0, 0, 1024, 768);
    OpenInput window(panel, screen);
    ASSERT_TRUE(window.IsOpen());
    Rect wa = GetWorkAreaAtCall(Point(10, 10));
    ASSERT_FALSE(wa.IsEmpty());
    const Point points[] = { Point(100, 100),
                             Point(wa.right - 4, 120),
                             Point(120, wa.bottom - 4),
                             Point(wa.right - 3, wa.bottom - 3),
                             Point(wa.left + 1, wa.top + 1),
                             Point(wa.right / 2, wa.bottom - 40) };
    for(Point p : points) {
        SCOPED_TRACE(::testing::Message() << "at " << p.x << "," << p.y);
        Rect r;
        MenuScript script;
        script.on_timeout = [&] { log.CloseAll(); };
        script.Then([&] { return log.TopOpen(); })
            .Do([&] { r = log.top->GetRectInParent(); })
            .Do([] { TypeKey(XK_Escape); })
            .Then([&] { return !log.TopOpen(); });
        script.Start();
        Click(window.GetWindow(), p, 3);
        ASSERT_TRUE(PumpUntil([&] { return script.Finished() || script.TimedOut(); }, 12000));
        ASSERT_FALSE(script.TimedOut()) << "stopped at step " << script.StepReached();
        EXPECT_TRUE(wa.Contains(r)) << "menu at " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        EXPECT_GT(r.Height(), 60);
        // Room below and to the right: it hangs from the point; else it ends there.
        if(p.y + r.Height() <= wa.bottom)
            EXPECT_EQ(r.top, p.y);
        else
            EXPECT_EQ(r.bottom, p.y);
        if(p.x + r.Width() <= wa.right)
            EXPECT_EQ(r.left, p.x);
        else
            EXPECT_EQ(r.right, p.x);
        EXPECT_EQ(log.ran, "") << "Escape runs nothing";
        EXPECT_EQ(GrabCount(), 0);
        EXPECT_TRUE(MenuBar::OpenMenuOwners().IsEmpty());
    }
}

TEST_F(ContextMenuGuiTest, TallMenuWithMoreRoomBelowWrapsIntoColumnsInsteadOfFlipping)
{
    Panel panel;
    OpenInput window(panel, Rect(Point(40, 40), Size(400, 300)));
    ASSERT_TRUE(window.IsOpen());
    Rect wa = GetWorkAreaAtCall(Point(10, 10));
    MenuBar* menu = nullptr;
    Rect r;
    int item_width = 0;
    MenuScript script;
    script.on_timeout = [&] {
        if(menu)
            menu->CloseMenu();
    };
    script.Then([&] { return menu && menu->IsOpen(); })
        .Do([&] {
            r = menu->GetRectInParent();
            item_width = menu->GetItem(0).MinimumSize().cx;
        })
        .Do([] { TypeKey(XK_Escape); })
        .Then([&] { return !menu->IsOpen(); });
    script.Start();
    Point p(100, wa.top + wa.Height() * 2 / 5);
    MenuBar::RunContextMenu(&panel, Lambda<Bar&>([&](Bar& b) {
        menu = dynamic_cast<MenuBar*>(&b);
        for(int i = 0; i < 80; i++)
            b.AddItem(Callback()).Text("Item");
    }),
                            p);
    ASSERT_FALSE(script.TimedOut()) << "stopped at step " << script.StepReached();
    EXPECT_EQ(r.top, p.y);
    EXPECT_LE(r.bottom, wa.bottom);
    EXPECT_GT(r.Width(), 2 * item_width) << "more than one column";
}

TEST_F(ContextMenuGuiTest, ClickOutsideTheMenuClosesIt)
{
    Panel panel;
    OpenInput window(panel, Rect(Point(40, 40), Size(400, 300)));
    ASSERT_TRUE(window.IsOpen());
    MenuLog log;
    MenuScript script;
    script.on_timeout = [&] { log.CloseAll(); };
    script.Then([&] { return log.TopOpen(); })
        .Do([&] { Click(DefaultRootWindow(display), Point(700, 600)); })
        .Then([&] { return !log.TopOpen(); });
    script.Start();
    MenuBar::RunContextMenu(&panel, log.Build(), Point(100, 100));
    ASSERT_FALSE(script.TimedOut()) << "stopped at step " << script.StepReached();
    EXPECT_EQ(log.ran, "");
    EXPECT_EQ(GrabCount(), 0);
}

struct KeyCase {
    const char* name;
    std::vector<std::pair<KeySym, std::vector<KeySym>>> keys;
    const char* ran;
};

TEST_F(ContextMenuGuiTest, KeyboardNavigationAccessLettersAndEscape)
{
    const KeyCase cases[] = {
        { "down twice, Enter", { { XK_Down, {} }, { XK_Down, {} }, { XK_Return, {} } }, "beta" },
        { "up wraps to the last", { { XK_Up, {} }, { XK_Return, {} } }, "delta" },
        { "down past the end wraps", { { XK_Up, {} }, { XK_Down, {} }, { XK_Return, {} } }, "alpha" },
        { "Escape", { { XK_Escape, {} } }, "" },
        { "plain letter", { { XK_b, {} } }, "beta" },
        { "Alt with the letter", { { XK_d, { XK_Alt_L } } }, "delta" },
        { "letter of a disabled item", { { XK_g, {} }, { XK_Escape, {} } }, "" },
    };
    Panel panel;
    OpenInput window(panel, Rect(Point(40, 40), Size(400, 300)));
    ASSERT_TRUE(window.IsOpen());
    for(const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        MenuLog log;
        MenuScript script;
        script.on_timeout = [&] { log.CloseAll(); };
        script.Then([&] { return log.TopOpen(); });
        for(const auto& k : c.keys)
            script.Do([k] {
                std::initializer_list<KeySym> none = {};
                if(k.second.empty())
                    TypeKey(k.first, none);
                else
                    TypeKey(k.first, { k.second[0] });
            });
        script.Start();
        MenuBar::RunContextMenu(&panel, log.Build(), Point(100, 100));
        EXPECT_FALSE(script.TimedOut()) << "stopped at step " << script.StepReached();
        EXPECT_EQ(log.ran, c.ran);
        EXPECT_EQ(GrabCount(), 0);
    }
}

TEST_F(ContextMenuGuiTest, SubMenuOpensAfterTheDelayAndLeavingEarlierCancelsIt)
{
    Panel panel;
    OpenInput window(panel, Rect(Point(40, 40), Size(400, 300)));
    ASSERT_TRUE(window.IsOpen());
    MenuLog log;
    MenuScript script;
    script.on_timeout = [&] { log.CloseAll(); };
    uint32 entered = 0;
    uint32 opened = 0;
    bool open_early = true;
    bool open_after_leaving = true;
    auto move_to = [&](int item) {
        Rect r = log.ItemOnScreen(item);
        MovePointer(DefaultRootWindow(display), r.CenterPoint());
    };
    script.Then([&] { return log.TopOpen(); })
        .Do([&] { move_to(0); })
        .Wait(100)
        // On the sub-menu item, then off it again before the delay ends.
        .Do([&] { move_to(3); })
        .Wait(150)
        .Do([&] { move_to(4); })
        .Wait(600)
        .Do([&] { open_after_leaving = log.SubOpen(); })
        .Do([&] {
            move_to(3);
            entered = MonotonicMs();
        })
        .Wait(200)
        .Do([&] { open_early = log.SubOpen(); })
        .Then([&] { return log.SubOpen(); })
        .Do([&] { opened = MonotonicMs(); })
        // Back on another item of the parent: the sub-menu goes after a moment.
        .Do([&] { move_to(0); })
        .Then([&] { return !log.SubOpen(); })
        .Do([] { TypeKey(XK_Escape); })
        .Then([&] { return !log.TopOpen(); });
    script.Start(15000);
    MenuBar::RunContextMenu(&panel, log.Build(), Point(100, 100));
    ASSERT_FALSE(script.TimedOut()) << "stopped at step " << script.StepReached();
    EXPECT_FALSE(open_after_leaving) << "leaving the item before the delay cancels the opening";
    EXPECT_FALSE(open_early) << "not open 200 ms after the pointer entered";
    EXPECT_GE(opened - entered, 350u);
    EXPECT_LT(opened - entered, 1500u);
    EXPECT_EQ(log.ran, "");
}

TEST_F(ContextMenuGuiTest, NestedPopupClosesWhileItsParentKeepsTheGrab)
{
    Panel panel;
    OpenInput window(panel, Rect(Point(40, 40), Size(400, 300)));
    ASSERT_TRUE(window.IsOpen());
    MenuLog log;
    MenuScript script;
    script.on_timeout = [&] { log.CloseAll(); };
    int grab_with_sub = -1, grab_after_left = -1, grab_after_escape = -1;
    bool parent_open_after_left = false, parent_open_after_escape = false;
    bool focus_back_on_item = false;
    auto recent_has_focus = [&] { return log.top->GetItem(3).HasFocus(); };
    script.Then([&] { return log.TopOpen(); })
        .Do([] { TypeKey(XK_Up); })
        .Do([] { TypeKey(XK_Up); })
        .Then([&] { return recent_has_focus(); })
        .Do([] { TypeKey(XK_Right); })
        .Then([&] { return log.SubOpen(); })
        .Do([&] { grab_with_sub = GrabCount(); })
        .Do([] { TypeKey(XK_Left); })
        .Then([&] { return !log.SubOpen(); })
        .Do([&] {
            grab_after_left = GrabCount();
            parent_open_after_left = log.TopOpen();
            focus_back_on_item = recent_has_focus();
        })
        .Do([] { TypeKey(XK_Right); })
        .Then([&] { return log.SubOpen(); })
        .Do([] { TypeKey(XK_Escape); })
        .Then([&] { return !log.SubOpen(); })
        .Do([&] {
            grab_after_escape = GrabCount();
            parent_open_after_escape = log.TopOpen();
        })
        // The parent still holds the pointer: a click on an item of it chooses the item.
        .Do([&] { Click(DefaultRootWindow(display), log.ItemOnScreen(1).CenterPoint()); })
        .Then([&] { return !log.TopOpen(); });
    script.Start();
    MenuBar::RunContextMenu(&panel, log.Build(), Point(100, 100));
    ASSERT_FALSE(script.TimedOut()) << "stopped at step " << script.StepReached();
    EXPECT_EQ(grab_with_sub, 2);
    EXPECT_EQ(grab_after_left, 1);
    EXPECT_TRUE(parent_open_after_left);
    EXPECT_TRUE(focus_back_on_item);
    EXPECT_EQ(grab_after_escape, 1);
    EXPECT_TRUE(parent_open_after_escape);
    EXPECT_EQ(log.ran, "beta");
    EXPECT_EQ(GrabCount(), 0);
}

TEST_F(ContextMenuGuiTest, ChoosingASubMenuItemClosesEveryPopupFirst)
{
    Panel panel;
    OpenInput window(panel, Rect(Point(40, 40), Size(400, 300)));
    ASSERT_TRUE(window.IsOpen());
    MenuLog log;
    MenuScript script;
    script.on_timeout = [&] { log.CloseAll(); };
    script.Then([&] { return log.TopOpen(); })
        .Do([] { TypeKey(XK_r, { XK_Alt_L }); })
        .Then([&] { return log.SubOpen(); })
        .Do([] { TypeKey(XK_o); })
        .Then([&] { return !log.TopOpen(); });
    script.Start();
    MenuBar::RunContextMenu(&panel, log.Build(), Point(100, 100));
    ASSERT_FALSE(script.TimedOut()) << "stopped at step " << script.StepReached();
    EXPECT_EQ(log.ran, "one");
    EXPECT_EQ(GrabCount(), 0);
}

} // namespace
