// The control record after construction, the child operations with their notification
// orders, destruction, the searches up the tree and the information text.

#include "tests/ctrl/support/ctrl_probe.h"

#include <gtest/gtest.h>

using namespace Qor;
using namespace QorTest;

namespace {

std::vector<std::string> Names(const Ctrl& parent)
{
    std::vector<std::string> out;
    for(Ctrl* q = parent.GetFirstChild(); q; q = q->GetNext())
        out.push_back(static_cast<Probe*>(q)->name);
    return out;
}

// The links agree in both directions and with the parent's ends.
void ExpectConsistent(const Ctrl& parent)
{
    Ctrl* prev = nullptr;
    for(Ctrl* q = parent.GetFirstChild(); q; q = q->GetNext()) {
        EXPECT_EQ(q->GetParent(), &parent);
        EXPECT_EQ(q->GetPrev(), prev);
        prev = q;
    }
    EXPECT_EQ(parent.GetLastChild(), prev);
}

TEST(CtrlRecord, NewControlHasTheDocumentedValues)
{
    SeamsScope seams;
    Ctrl c;
    EXPECT_EQ(c.GetFlagsA(), 0x78);
    EXPECT_EQ(c.GetFlagsB(), 0x01);
    EXPECT_EQ(c.GetPaintMode(), PAINT_TRANSPARENT_BACKBUFFER);
    EXPECT_EQ(c.GetFlagsC() & ~Ctrl::C_PAINT_MODE, 0);
    EXPECT_EQ(c.GetLogicalPos().x, 0x40000000u);
    EXPECT_EQ(c.GetLogicalPos().y, 0x40000000u);
    EXPECT_EQ(c.GetRectInParent(), Rect(0, 0, 0, 0));
    ASSERT_EQ(c.GetFrameCount(), 1);
    EXPECT_EQ(&c.GetFrame(0), &GetNullFrameInstance());
    EXPECT_EQ(c.GetViewRect(), c.GetRectInParent());
    EXPECT_EQ(c.GetExitCode(), 0);
    EXPECT_EQ(c.GetCaretRect(), Rect(0, 0, 0, 0));
    EXPECT_TRUE(c.GetInfoText().IsEmpty());
    EXPECT_FALSE(c.GetParent() || c.GetFirstChild() || c.GetLastChild() || c.GetPrev() || c.GetNext());
    EXPECT_FALSE(c.HasHostWindow());
    EXPECT_TRUE(c.GetAction().IsEmpty());
}

TEST(CtrlRecord, CompositorChoosesOneBackBuffer)
{
    struct Composited : Platform {
        int constructed = 0;
        bool IsCompositorRunning() override { return true; }
        void CtrlConstructed() override { constructed++; }
    } platform;
    PlatformScope installed(platform);
    Ctrl c;
    EXPECT_EQ(c.GetPaintMode(), PAINT_BACKBUFFER);
    EXPECT_EQ(platform.constructed, 1);
}

TEST(CtrlRecord, DestructorKillsTheTimersInsideTheRecord)
{
    SeamsScope seams;
    static const void* begin;
    static const void* end;
    begin = end = nullptr;
    GetCtrlCoreSeams().kill_timers_in = [](const void* b, const void* e) {
        begin = b;
        end = e;
    };
    const void* at;
    {
        Ctrl c;
        at = &c;
    }
    EXPECT_EQ(begin, at);
    EXPECT_EQ(end, static_cast<const char*>(at) + sizeof(Ctrl));
}

struct TreeFixture : testing::Test {
    SeamsScope seams;
    Journal j;
    Probe a{ "A", j }, b{ "B", j }, c{ "C", j }, d{ "D", j };
};

TEST_F(TreeFixture, InsertionPlacesChildren)
{
    a.AppendChild(b);
    a.AppendChild(c);
    EXPECT_EQ(Names(a), (std::vector<std::string>{ "B", "C" }));
    a.InsertChildAfter(d, nullptr);
    EXPECT_EQ(Names(a), (std::vector<std::string>{ "D", "B", "C" }));
    a.InsertChildBefore(d, nullptr);
    EXPECT_EQ(Names(a), (std::vector<std::string>{ "B", "C", "D" }));
    a.InsertChildBefore(d, &b);
    EXPECT_EQ(Names(a), (std::vector<std::string>{ "D", "B", "C" }));
    a.InsertChildAfter(d, &c);
    EXPECT_EQ(Names(a), (std::vector<std::string>{ "B", "C", "D" }));
    a.InsertChildAfter(b, &c);
    EXPECT_EQ(Names(a), (std::vector<std::string>{ "C", "B", "D" }));
    ExpectConsistent(a);
    EXPECT_EQ(a.CountChildren(), 3);
}

TEST_F(TreeFixture, OperationsThatDoNotApplySendNothing)
{
    a.AppendChild(b);
    a.AppendChild(c);
    j.clear();
    a.AppendChild(c);           // already last
    a.InsertChildAfter(b, &b);  // after itself
    a.InsertChildBefore(b, &c); // already right before
    a.RemoveChild(d);           // not a child
    d.Detach();                 // no parent
    EXPECT_TRUE(j.empty());
    EXPECT_EQ(Names(a), (std::vector<std::string>{ "B", "C" }));
}

// C, filling its parent and holding G, sits in A; B is where it moves to.
struct MoveFixture : TreeFixture {
    Probe g{ "G", j };
    void SetUp() override
    {
        a.SetRect(0, 0, 100, 50);
        b.SetRect(0, 0, 200, 80);
        c.AppendChild(g);
        c.FillParent();
        a.AppendChild(c);
    }
};

TEST_F(MoveFixture, MovingToAnotherParentNotifiesInOrder)
{
    j.clear();
    b.AppendChild(c);
    EXPECT_EQ(j, (Journal{ "A:ChildRemoving(C)", "C:ParentChanged", "C:CancelInteraction", "G:CancelInteraction",
                           "C:State101", "C:Layout", "B:ChildInserted(C)", "C:ParentChanged" }));
    EXPECT_EQ(c.GetRectInParent(), Rect(0, 0, 200, 80));
    EXPECT_EQ(a.GetFirstChild(), nullptr);
}

TEST_F(MoveFixture, MovingBetweenOpenWindowsAddsTheOpenAndCloseStates)
{
    OpenWindow wa(a), wb(b);
    j.clear();
    b.AppendChild(c);
    // Leaving an open window drops the global references first, which cancels the
    // interaction of the subtree once before the re-linking does it again.
    EXPECT_EQ(j, (Journal{ "A:ChildRemoving(C)", "C:CancelInteraction", "G:CancelInteraction", "C:ParentChanged",
                           "G:State17", "C:State17", "C:CancelInteraction", "G:CancelInteraction", "C:State101",
                           "C:Layout", "B:ChildInserted(C)", "C:ParentChanged", "G:State16", "C:State16" }));
}

TEST_F(TreeFixture, ReorderingKeepsTheRectangleAndSendsNoOpenOrClose)
{
    a.SetRect(0, 0, 100, 50);
    a.AppendChild(b);
    a.AppendChild(c);
    c.SetRect(5, 5, 10, 10);
    OpenWindow wa(a);
    j.clear();
    a.InsertChildAfter(c, nullptr);
    EXPECT_EQ(j, (Journal{ "A:ChildRemoving(C)", "C:CancelInteraction", "C:CancelInteraction", "A:ChildInserted(C)",
                           "C:ParentChanged" }));
    EXPECT_EQ(Names(a), (std::vector<std::string>{ "C", "B" }));
    EXPECT_EQ(c.GetRectInParent(), Rect(5, 5, 15, 15));
}

TEST_F(TreeFixture, RemoveChildNotifiesAndClosesWhenOpen)
{
    a.AppendChild(b);
    a.AppendChild(c);
    a.AppendChild(d);
    {
        OpenWindow wa(a);
        j.clear();
        a.RemoveChild(c);
        EXPECT_EQ(j, (Journal{ "A:ChildRemoving(C)", "C:CancelInteraction", "C:ParentChanged", "C:State17" }));
    }
    j.clear();
    d.Detach();
    EXPECT_EQ(j, (Journal{ "A:ChildRemoving(D)", "D:ParentChanged" }));
    EXPECT_EQ(Names(a), (std::vector<std::string>{ "B" }));
    ExpectConsistent(a);
    EXPECT_FALSE(c.GetParent() || c.GetPrev() || c.GetNext());
}

TEST_F(TreeFixture, DestroyingAParentLeavesItsChildrenFree)
{
    {
        Probe p("P", j);
        p.AppendChild(b);
        p.AppendChild(c);
        p.AppendChild(d);
        a.AppendChild(p);
        j.clear();
    }
    for(Ctrl* q : { (Ctrl*)&b, (Ctrl*)&c, (Ctrl*)&d })
        EXPECT_FALSE(q->GetParent() || q->GetPrev() || q->GetNext());
    EXPECT_EQ(a.GetFirstChild(), nullptr);
    EXPECT_EQ(a.GetLastChild(), nullptr);
    // The parent's own overrides were gone by then, so its base operation passed each
    // removal up to A; P itself is no longer a Probe when A hears of its removal.
    EXPECT_EQ(j, (Journal{ "A:ChildRemoving(B)", "B:ParentChanged", "A:ChildRemoving(C)", "C:ParentChanged",
                           "A:ChildRemoving(D)", "D:ParentChanged", "A:ChildRemoving(?)" }));
}

TEST_F(TreeFixture, DestroyedControlReadsNullThroughWeakPointers)
{
    WeakPointer<Ctrl> w;
    {
        Probe p("P", j);
        a.AppendChild(p);
        w = &p;
        EXPECT_EQ(w.Get(), &p);
    }
    EXPECT_EQ(w.Get(), nullptr);
}

TEST_F(TreeFixture, AncestorsAndRoot)
{
    a.AppendChild(b);
    b.AppendChild(c);
    EXPECT_TRUE(a.IsAncestorOf(&c));
    EXPECT_TRUE(b.IsAncestorOf(&c));
    EXPECT_FALSE(c.IsAncestorOf(&c));
    EXPECT_FALSE(c.IsAncestorOf(&a));
    EXPECT_FALSE(a.IsAncestorOf(nullptr));
    EXPECT_EQ(c.GetRootCtrl(), &a);
    EXPECT_EQ(a.GetRootCtrl(), &a);
    EXPECT_EQ(static_cast<const Ctrl&>(c).GetRootCtrl(), &a);
}

TEST_F(TreeFixture, StateWalkStopsAfterAChildDetachesItself)
{
    struct Leaver : Probe {
        using Probe::Probe;
        void StateChanged(int reason) override
        {
            Probe::StateChanged(reason);
            Detach();
        }
    } x("X", j);
    a.AppendChild(x);
    a.AppendChild(b);
    j.clear();
    a.NotifyStateChange(STATE_SHOW);
    EXPECT_EQ(j, (Journal{ "X:State13", "A:ChildRemoving(X)", "X:ParentChanged", "A:State13" }));
}

TEST_F(TreeFixture, OwnerOfATopLevelControl)
{
    OpenWindow wa(a);
    wa.record.owner = &b;
    EXPECT_EQ(a.GetOwnerCtrl(), &b);
    EXPECT_EQ(a.GetOwner(), &b);
    a.AppendChild(c);
    EXPECT_EQ(c.GetOwnerCtrl(), nullptr);
    EXPECT_EQ(c.GetOwner(), nullptr);
    a.SetOpenFlag(false);
    EXPECT_EQ(a.GetOwner(), nullptr); // no window open
    EXPECT_EQ(a.GetOwnerCtrl(), &b);
}

TEST(CtrlInfoText, PartsAreSplitAtTheSeparator)
{
    struct Case {
        const char* before;
        int part;
        const char* text;
        const char* after;
    } cases[] = {
        { "", 4, "name", "\x7f\x7f\x7f\x7fname" },
        { "", 0, "tip", "tip" },
        { "tip", 1, "help", "tip\x7fhelp" },
        { "tip\x7fhelp\x7fx", 1, "", "tip\x7f\x7fx" },
        { "tip\x7fhelp\x7fx", 0, nullptr, "\x7fhelp\x7fx" },
        { "\x7f\x7f", 3, "z", "\x7f\x7f\x7fz" },
    };
    for(const Case& c : cases) {
        Ctrl ctrl;
        ctrl.SetInfoPart(0, c.before);
        ASSERT_STREQ(ctrl.GetInfoText().Begin(), c.before);
        ctrl.SetInfoPart(c.part, c.text);
        EXPECT_STREQ(ctrl.GetInfoText().Begin(), c.after) << c.before << " part " << c.part;
    }
    Ctrl ctrl;
    ctrl.SetLayoutName("dlg").SetTipText("tip").SetHelpText("help");
    EXPECT_STREQ(ctrl.GetTipText().Begin(), "tip");
    EXPECT_STREQ(ctrl.GetHelpText().Begin(), "help");
    EXPECT_STREQ(ctrl.GetInfoPart(4).Begin(), "dlg");
    EXPECT_TRUE(ctrl.GetInfoPart(7).IsEmpty());
    Ctrl named;
    named.SetLayoutName("x");
    EXPECT_TRUE(named.GetTipText().IsEmpty());
}

} // namespace
