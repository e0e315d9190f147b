// The layout pass: what a change of the view re-places, what the modes add, and the
// overpaint margin it keeps.

#include "tests/ctrl/support/ctrl_probe.h"

#include <gtest/gtest.h>

using namespace Qor;
using namespace QorTest;

namespace {

struct LayoutFixture : testing::Test {
    SeamsScope seams;
    Journal j;
    Probe p{ "P", j }, c{ "C", j }, g{ "G", j };
    void SetUp() override
    {
        p.SetRect(0, 0, 100, 50);
        p.AppendChild(c);
        c.FillParent();
        c.AppendChild(g);
        g.SetRect(1, 1, 5, 5);
        j.clear();
    }
};

TEST_F(LayoutFixture, UnchangedViewNeitherLaysOutNorRePlaces)
{
    p.ResolveLayout(0);
    EXPECT_TRUE(j.empty());
    p.SetRect(10, 10, 100, 50); // moved only: the position change reaches the subtree
    EXPECT_EQ(j, (Journal{ "G:State100", "C:State100", "P:State100" }));
}

TEST_F(LayoutFixture, ModesAddLayoutAndFullReplacement)
{
    p.ResolveLayout(1);
    EXPECT_EQ(j, (Journal{ "P:State101", "P:Layout" }));
    j.clear();
    p.ResolveLayout(2);
    EXPECT_EQ(j, (Journal{ "G:State101", "G:Layout", "C:State101", "C:Layout", "P:State101", "P:Layout" }));
}

TEST_F(LayoutFixture, ResizeRePlacesTheChildren)
{
    p.SetRect(0, 0, 120, 60);
    EXPECT_EQ(
        j, (Journal{ "C:State101", "C:Layout", "P:State101", "P:Layout", "G:State100", "C:State100", "P:State100" }));
    EXPECT_EQ(c.GetRectInParent(), Rect(0, 0, 120, 60));
    EXPECT_EQ(g.GetRectInParent(), Rect(1, 1, 6, 6));
}

TEST_F(LayoutFixture, OverpaintIsTheLargestOfControlAndFrames)
{
    struct Margin : CtrlFrame {
        int m;
        explicit Margin(int m) : m(m) {}
        void LayOut(Rect&) override {}
        void AddSize(Size&) override {}
        int OverpaintMargin() const override { return m; }
    } two(2), five(5);
    struct Painter : Ctrl {
        int OverpaintMargin() const override { return 3; }
    } q;
    q.SetRect(0, 0, 10, 10);
    EXPECT_EQ(q.GetOverpaintByte(), 3);
    q.SetFrame(two);
    EXPECT_EQ(q.GetOverpaintByte(), 3);
    q.AddFrame(five);
    EXPECT_EQ(q.GetOverpaintByte(), 5);
    q.SetFrame(1, GetNullFrameInstance());
    EXPECT_EQ(q.GetOverpaintByte(), 3);
}

TEST_F(LayoutFixture, RefreshMarksClimbToTheWindow)
{
    FakeWindowSystem ws;
    OpenWindow w(p);
    c.SetRect(10, 5, 50, 20);
    g.SetRect(2, 3, 10, 10);
    // Painting would clear the pending flags the layout set.
    for(Ctrl* q : { (Ctrl*)&p, (Ctrl*)&c, (Ctrl*)&g })
        q->SetFullRefreshPending(false);
    FakeWindowSystem::Marks().clear();
    g.Refresh();
    g.Refresh(); // a full refresh is already pending
    ASSERT_EQ(FakeWindowSystem::Marks().size(), 1u);
    EXPECT_EQ(FakeWindowSystem::Marks()[0], Rect(12, 8, 22, 18));
    FakeWindowSystem::Marks().clear();
    g.SetFullRefreshPending(false);
    g.Refresh(Rect(5, 5, 40, 40)); // cut at the control's view
    c.Refresh();
    g.RefreshFrame(); // swallowed: its parent is fully pending
    ASSERT_EQ(FakeWindowSystem::Marks().size(), 2u);
    EXPECT_EQ(FakeWindowSystem::Marks()[0], Rect(17, 13, 22, 18));
    EXPECT_EQ(FakeWindowSystem::Marks()[1], Rect(10, 5, 60, 25));
}

TEST(TopLevelLayout, ResolvesAgainstTheWorkArea)
{
    SeamsScope seams;
    Ctrl top;
    top.FillParent();
    EXPECT_EQ(top.GetRectInParent(), Rect(0, 0, 0, 0)); // no desktop known yet
}

} // namespace

namespace {

TEST(ChildMoves, MovesInsideAWindowAreRecordedOncePerControl)
{
    FakeWindowSystem ws;
    Ctrl top, box, c;
    BorderFrame border(GetBlackBorder());
    top.SetRect(0, 0, 200, 100);
    top.SetFrame(border);
    top.AppendChild(box);
    box.SetRect(10, 10, 100, 50);
    box.AppendChild(c);
    c.SetRect(5, 5, 20, 10);
    OpenWindow w(top);
    FakeWindowSystem::Marks().clear();
    c.SetRect(30, 5, 20, 10);
    c.SetRect(40, 6, 20, 10);
    EXPECT_TRUE(FakeWindowSystem::Marks().empty()); // repainted at the next paint
    ASSERT_EQ(w.record.moves.GetCount(), 1);
    const ChildMove& m = w.record.moves[0];
    EXPECT_EQ(m.ctrl.Get(), &c);
    EXPECT_EQ(m.from, Rect(16, 16, 36, 26));
    EXPECT_EQ(m.to, Rect(51, 17, 71, 27));
    box.SetRect(20, 10, 100, 50);
    ASSERT_EQ(w.record.moves.GetCount(), 2);
    EXPECT_EQ(w.record.moves[1].from, Rect(11, 11, 111, 61));
    EXPECT_EQ(w.record.moves[1].to, Rect(21, 11, 121, 61));
}

TEST(ChildMoves, AMoveAScrollAlreadyMadeAddsNothing)
{
    FakeWindowSystem ws;
    Ctrl top, c;
    top.SetRect(0, 0, 200, 100);
    top.AppendChild(c);
    c.SetRect(5, 5, 20, 10);
    OpenWindow w(top);
    ChildMove& scrolled = w.record.scroll_moves.Add();
    scrolled.ctrl = &c;
    scrolled.from = Rect(5, 5, 25, 15);
    scrolled.to = Rect(5, 25, 25, 35);
    c.SetRect(5, 25, 20, 10);
    EXPECT_EQ(w.record.moves.GetCount(), 0);
    EXPECT_EQ(w.record.scroll_moves[0].ctrl.Get(), nullptr);
}

TEST(ChildMoves, MapRectToRootFollowsViewsAndFrameAreas)
{
    SeamsScope seams;
    Ctrl top, box, strip;
    BorderFrame border(GetBlackBorder());
    top.SetRect(0, 0, 200, 100);
    top.SetFrame(border);
    top.AppendChild(box);
    box.SetRect(10, 10, 100, 50);
    box.SetFrame(border);
    box.AppendChild(strip);
    strip.SetFrameRect(0, 0, 100, 5);
    Rect r(1, 1, 2, 2);
    EXPECT_EQ(strip.MapRectToRoot(r, false), &top);
    EXPECT_EQ(r, Rect(12, 12, 13, 13)); // the strip has no frame of its own, its box has one
    Rect f(1, 1, 2, 2);
    box.MapRectToRoot(f, true);
    EXPECT_EQ(f, Rect(12, 12, 13, 13));
}

} // namespace
