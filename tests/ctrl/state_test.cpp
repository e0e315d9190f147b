// State notifications and hooks, showing and hiding, enabling and disabling, the focus
// search, the release of global references and other windows disabled around a job.

#include "tests/ctrl/support/ctrl_probe.h"

#include <gtest/gtest.h>

using namespace Qor;
using namespace QorTest;

namespace {

struct StateFixture : testing::Test {
    FakeWindowSystem ws;
    Journal j;
    Probe root{ "R", j }, c{ "C", j }, g{ "G", j };
    void SetUp() override
    {
        root.SetRect(0, 0, 100, 100);
        root.AppendChild(c);
        c.AppendChild(g);
        c.SetRect(10, 10, 20, 20);
        g.SetRect(1, 1, 5, 5);
        j.clear();
    }
    Ctrl* Focus() const { return GetCtrlGlobalRefs().focus_ctrl; }
};

TEST_F(StateFixture, HidingNotifiesTheSubtreeChildrenFirst)
{
    OpenWindow w(root);
    FakeWindowSystem::Marks().clear();
    c.Hide();
    EXPECT_EQ(j, (Journal{ "G:State13", "C:State13" }));
    // The area it covered is marked; once hidden it marks nothing more.
    ASSERT_EQ(FakeWindowSystem::Marks().size(), 1u);
    EXPECT_EQ(FakeWindowSystem::Marks()[0], Rect(10, 10, 30, 30));
    EXPECT_FALSE(c.IsVisible());
    EXPECT_FALSE(g.IsVisibleUpward());
    j.clear();
    FakeWindowSystem::Marks().clear();
    c.Hide();
    EXPECT_TRUE(j.empty());
    EXPECT_TRUE(FakeWindowSystem::Marks().empty());
    c.Show();
    EXPECT_EQ(j, (Journal{ "G:State13", "C:State13" }));
    EXPECT_EQ(FakeWindowSystem::Marks().size(), 2u);
}

TEST_F(StateFixture, TopLevelVisibilityGoesToTheWindowSystem)
{
    OpenWindow w(root);
    root.Hide();
    EXPECT_EQ(FakeWindowSystem::Calls(), (std::vector<std::string>{ "hide" }));
    EXPECT_TRUE(j.empty()); // the window host reports the map state with state 13 itself
}

TEST_F(StateFixture, EnablingNotifiesAndReachesTheWindow)
{
    OpenWindow w(root);
    c.Disable();
    EXPECT_EQ(j, (Journal{ "G:State14", "C:State14" }));
    EXPECT_FALSE(c.IsEnabled());
    EXPECT_FALSE(g.IsEnabledUpward());
    EXPECT_TRUE(g.IsEnabled());
    j.clear();
    c.Disable();
    EXPECT_TRUE(j.empty());
    root.Disable();
    EXPECT_EQ(FakeWindowSystem::Calls(), (std::vector<std::string>{ "disable" }));
}

bool hook_active;
int hook_seen;
bool ConsumeEnable(Ctrl*, int reason)
{
    if(!hook_active)
        return false;
    hook_seen++;
    return reason == STATE_ENABLE;
}

TEST_F(StateFixture, StateHookCanConsumeAChange)
{
    static bool added;
    if(!added)
        AddStateHook(ConsumeEnable);
    added = true;
    hook_active = true;
    hook_seen = 0;
    c.Disable();
    c.Hide();
    hook_active = false;
    EXPECT_EQ(hook_seen, 2);
    EXPECT_EQ(j, (Journal{ "G:State13", "C:State13" }));
    EXPECT_FALSE(c.IsEnabled());
}

bool late_hook_ran;
bool LateHook(Ctrl*, int)
{
    late_hook_ran = true;
    return false;
}
bool AddingHook(Ctrl*, int reason)
{
    static bool added;
    if(reason == 999 && !added) {
        added = true;
        AddStateHook(LateHook);
    }
    return false;
}

TEST_F(StateFixture, HookAddedByAHookRunsInTheSamePass)
{
    static bool added;
    if(!added)
        AddStateHook(AddingHook);
    added = true;
    late_hook_ran = false;
    c.NotifyStateChange(999);
    EXPECT_TRUE(late_hook_ran);
}

TEST_F(StateFixture, BeingDestroyedControlsHearNothing)
{
    // K announces a state to the whole window while its parent X is being destroyed; X
    // and everything still below it must be skipped.
    struct Announcer : Probe {
        using Probe::Probe;
        Ctrl* window = nullptr;
        void ParentChanged() override
        {
            Probe::ParentChanged();
            if(window && !GetParent())
                window->NotifyStateChange(42);
        }
    } k("K", j);
    Probe other("O", j), l("L", j);
    root.AppendChild(other);
    k.window = &root;
    {
        Ctrl x;
        root.AppendChild(x);
        x.AppendChild(k);
        x.AppendChild(l);
        j.clear();
    }
    k.window = nullptr;
    EXPECT_EQ(j, (Journal{ "R:ChildRemoving(K)", "K:ParentChanged", "G:State42", "C:State42", "O:State42", "R:State42",
                           "R:ChildRemoving(L)", "L:ParentChanged", "R:ChildRemoving(?)" }));
}

TEST_F(StateFixture, CancelInteractionReachesParentsBeforeChildren)
{
    Probe g2("H", j);
    c.AppendChild(g2);
    j.clear();
    root.CancelInteractionInSubtree();
    EXPECT_EQ(j,
              (Journal{ "R:CancelInteraction", "C:CancelInteraction", "G:CancelInteraction", "H:CancelInteraction" }));
}

// R holds A, a group B (with B1, B2) and a button-like D without initial focus holding D1.
struct FocusFixture : testing::Test {
    FakeWindowSystem ws;
    Journal j;
    Probe r{ "R", j }, a{ "A", j }, b{ "B", j }, b1{ "B1", j }, b2{ "B2", j }, d{ "D", j }, d1{ "D1", j };
    OpenWindow window{ r };
    void SetUp() override
    {
        r.SetRect(0, 0, 100, 100);
        for(Ctrl* q : { &a, &b, &d })
            r.AppendChild(*q);
        b.AppendChild(b1);
        b.AppendChild(b2);
        d.AppendChild(d1);
        d.SetInitialFocus(false);
    }
    std::string Focus() const
    {
        Probe* p = dynamic_cast<Probe*>(GetCtrlGlobalRefs().focus_ctrl.Get());
        return p ? p->name : "none";
    }
};

TEST_F(FocusFixture, ForwardSearchOrder)
{
    struct Case {
        Ctrl* from;
        bool need_initial;
        const char* focus;
    } cases[] = {
        { &a, false, "B" }, { &b, false, "B1" }, { &b2, false, "D" }, { &b2, true, "D1" }, { &d1, false, "none" },
    };
    for(const Case& c : cases) {
        GetCtrlGlobalRefs().focus_ctrl.Clear();
        Ctrl::FocusNextCtrl(c.from, &r, false, c.need_initial, false);
        EXPECT_EQ(Focus(), c.focus) << static_cast<Probe*>(c.from)->name;
    }
}

TEST_F(FocusFixture, ForwardSearchSkipsWhatCannotTakeFocus)
{
    b.SetWantsFocus(false);
    b1.Disable();
    EXPECT_TRUE(Ctrl::FocusNextCtrl(&a, &r, false, false, false));
    EXPECT_EQ(Focus(), "B2");
    GetCtrlGlobalRefs().focus_ctrl.Clear();
    b.Hide();
    EXPECT_TRUE(Ctrl::FocusNextCtrl(&a, &r, false, false, false));
    EXPECT_EQ(Focus(), "D");
    EXPECT_FALSE(Ctrl::FocusNextCtrl(nullptr, &r, false, false, false));
}

TEST_F(FocusFixture, AnyEnabledTakesTheFirstCandidate)
{
    a.SetWantsFocus(false);
    EXPECT_TRUE(Ctrl::FocusNextCtrl(&r, &r, false, false, true));
    EXPECT_EQ(Focus(), "A");
}

TEST_F(FocusFixture, FrameAreaControlsAreSkippedWhenAsked)
{
    b.SetFrameRect(0, 0, 10, 10);
    EXPECT_TRUE(Ctrl::FocusNextCtrl(&a, &r, true, false, false));
    EXPECT_EQ(Focus(), "B1");
    GetCtrlGlobalRefs().focus_ctrl.Clear();
    EXPECT_TRUE(Ctrl::FocusNextCtrl(&a, &r, true, false, true));
    EXPECT_EQ(Focus(), "B1");
}

TEST_F(FocusFixture, BackwardSearchReachesTheGroupItself)
{
    EXPECT_TRUE(Ctrl::FocusPrevCtrl(&b1, &r, false, false));
    EXPECT_EQ(Focus(), "B");
    GetCtrlGlobalRefs().focus_ctrl.Clear();
    EXPECT_TRUE(Ctrl::FocusPrevCtrl(&d, &r, false, false));
    EXPECT_EQ(Focus(), "B2"); // the group's last child before the group
    GetCtrlGlobalRefs().focus_ctrl.Clear();
    EXPECT_FALSE(Ctrl::FocusPrevCtrl(&a, &r, false, false));
    EXPECT_FALSE(Ctrl::FocusPrevCtrl(&r, &r, false, false));
    EXPECT_EQ(Focus(), "none");
}

TEST_F(FocusFixture, DisablingTheFocusMovesItOn)
{
    ASSERT_TRUE(b1.SetFocus());
    b1.Disable();
    EXPECT_EQ(Focus(), "B2");
    // A top-level control keeps the focus where it is.
    r.Disable();
    EXPECT_EQ(Focus(), "B2");
}

// The group's children keep their own enabled flags; taking the focus back into the
// disabled group would leave it where the user can no longer use it.
TEST_F(FocusFixture, DisablingAGroupMovesTheFocusOutOfIt)
{
    ASSERT_TRUE(b1.SetFocus());
    b.Disable();
    EXPECT_EQ(Focus(), "D");
}

TEST_F(FocusFixture, UnlinkingTheFocusHandsItToTheParent)
{
    ASSERT_TRUE(b1.SetFocus());
    b.RemoveChild(b1);
    EXPECT_EQ(Focus(), "B");
    EXPECT_TRUE(b1.WantsFocus());
    EXPECT_EQ(FakeWindowSystem::Calls(), (std::vector<std::string>{ "focus lost" }));
}

TEST_F(FocusFixture, DestroyingTheFocusDefersToTheParent)
{
    {
        Probe gone("X", j);
        b.AppendChild(gone);
        ASSERT_TRUE(gone.SetFocus());
    }
    CtrlGlobalRefs& refs = GetCtrlGlobalRefs();
    EXPECT_EQ(refs.deferred_focus_target.Get(), &b);
    ASSERT_EQ(refs.deferred_focus_lost.GetCount(), 1);
    EXPECT_EQ(refs.deferred_focus_lost[0].Get(), &b);
    EXPECT_EQ(refs.focus_ctrl.Get(), nullptr);
}

TEST_F(FocusFixture, LeavingTheWindowDropsPointerAndCapture)
{
    CtrlGlobalRefs& refs = GetCtrlGlobalRefs();
    refs.pointer_ctrl = &b2;
    refs.capturing_ctrl = &b1;
    r.RemoveChild(a);
    EXPECT_EQ(refs.pointer_ctrl.Get(), &b2);
    EXPECT_EQ(refs.capturing_ctrl.Get(), &b1);
    r.RemoveChild(b);
    EXPECT_EQ(refs.pointer_ctrl.Get(), nullptr);
    EXPECT_EQ(refs.capturing_ctrl.Get(), nullptr);
}

struct WindowsFixture : testing::Test {
    FakeWindowSystem ws;
    Ctrl except, w1, w2, w3, popup;
    OpenWindow oe{ except }, o1{ w1 }, o2{ w2 }, o3{ w3 }, op{ popup };
    static Vector<Ctrl*>& Tops()
    {
        static Vector<Ctrl*> tops;
        return tops;
    }
    void SetUp() override
    {
        Tops().Clear();
        for(Ctrl* c : { &except, &w1, &w2, &w3, &popup })
            Tops().Add(c);
        popup.SetPopupFlag(true);
    }
    void TearDown() override { Tops().Clear(); }

    struct Host : FakeWindowSystem::Host {
        Vector<Ctrl*> GetTopCtrls() override { return Vector<Ctrl*>(Tops()); }
    } host;
    PlatformScope installed{ host };
};

TEST_F(WindowsFixture, OwnedWindowsStayEnabled)
{
    o2.record.owner = &except;
    o3.record.owner = &w2; // owned through its owner
    Vector<Ctrl*> tops = ListNonPopupTopCtrls();
    EXPECT_EQ(tops.GetCount(), 4);
    Vector<WeakPointer<Ctrl>> disabled = DisableOtherWindows(tops, &except);
    ASSERT_EQ(disabled.GetCount(), 1);
    EXPECT_EQ(disabled[0].Get(), &w1);
    EXPECT_FALSE(w1.IsEnabled());
    EXPECT_TRUE(w2.IsEnabled() && w3.IsEnabled() && except.IsEnabled());
    ReEnableDisabledWindows(disabled);
    EXPECT_TRUE(w1.IsEnabled());
    EXPECT_EQ(FakeWindowSystem::Calls(), (std::vector<std::string>{ "disable", "enable" }));
}

TEST_F(WindowsFixture, RestoreSkipsDestroyedWindowsAndGivesTheFocusBack)
{
    Ctrl child;
    w1.AppendChild(child);
    ASSERT_TRUE(child.SetFocus());
    OtherWindowsDisabler disabler;
    {
        Ctrl doomed;
        OpenWindow od(doomed);
        Tops().Add(&doomed);
        disabler.Begin(&except, false);
        Tops().Remove(Tops().GetCount() - 1);
        EXPECT_FALSE(doomed.IsEnabled());
        EXPECT_FALSE(w1.IsEnabled());
    }
    w2.Enable(); // enabled again by somebody else: left alone
    FakeWindowSystem::Calls().clear();
    GetCtrlGlobalRefs().focus_ctrl.Clear();
    disabler.Restore();
    EXPECT_TRUE(w1.IsEnabled() && w3.IsEnabled());
    EXPECT_EQ(FakeWindowSystem::Calls(), (std::vector<std::string>{ "enable", "enable" }));
    EXPECT_EQ(GetCtrlGlobalRefs().focus_ctrl.Get(), &child);
    // A second restore has nothing left to do.
    FakeWindowSystem::Calls().clear();
    disabler.Restore();
    EXPECT_TRUE(FakeWindowSystem::Calls().empty());
}

} // namespace
