// Splitter on a private X server through XTest: a bar dragged by the mouse moves the panes
// and reports each move and the end of the drag; the dragged layout is stored and restored
// into another splitter.
#include "tests/support/x11/input_window.h"

#include "foundation/callback_action.h"
#include "foundation/string_stream.h"
#include "widgets/splitter/splitter.h"

namespace {

using namespace Qor;
using namespace QorTest;

using SplitterGuiTest = PrivateDisplayTest;

struct Counts {
    int moves = 0;
    int drag_ends = 0;
    void Moved() { moves++; }
    void Ended() { drag_ends++; }
};

struct TwoPanes {
    Splitter splitter;
    Ctrl left, right;
    Counts counts;

    TwoPanes()
    {
        splitter.Add(left).Add(right);
        splitter.SetAction(MakeCallback(&counts, &Counts::Moved));
        splitter.DragEndAction() = MakeCallback(&counts, &Counts::Ended);
    }
};

TEST_F(SplitterGuiTest, DraggedBarMovesThePanes)
{
    TwoPanes t;
    OpenInput window(t.splitter, Rect(Point(40, 40), Size(404, 100)));
    ASSERT_TRUE(window.IsOpen());
    ASSERT_TRUE(PumpUntil([&] { return t.right.GetRectInParent().left == 204; }));
    Drag(window.GetWindow(), Point(202, 50), Point(302, 50));
    ASSERT_TRUE(PumpUntil([&] { return t.counts.drag_ends == 1; }));
    EXPECT_EQ(t.splitter.GetPos(0), 302 * 10000 / 404);
    EXPECT_EQ(t.left.GetRectInParent(), Rect(0, 0, 299, 100));
    EXPECT_EQ(t.right.GetRectInParent(), Rect(303, 0, 404, 100));
    EXPECT_GE(t.counts.moves, 1);
    EXPECT_EQ(t.splitter.GetDraggedBar(), 0);
}

TEST_F(SplitterGuiTest, DragPastTheEdgeStopsAtTheLastUnit)
{
    TwoPanes t;
    OpenInput window(t.splitter, Rect(Point(40, 40), Size(404, 100)));
    ASSERT_TRUE(window.IsOpen());
    Drag(window.GetWindow(), Point(201, 50), Point(520, 50));
    ASSERT_TRUE(PumpUntil([&] { return t.counts.drag_ends == 1; }));
    EXPECT_EQ(t.splitter.GetPos(0), 9999);
    Drag(window.GetWindow(), Point(401, 50), Point(-60, 50));
    ASSERT_TRUE(PumpUntil([&] { return t.counts.drag_ends == 2; }));
    EXPECT_EQ(t.splitter.GetPos(0), 0);
}

TEST_F(SplitterGuiTest, DraggedLayoutIsStoredAndRestored)
{
    TwoPanes t;
    String stored;
    {
        OpenInput window(t.splitter, Rect(Point(40, 40), Size(404, 100)));
        ASSERT_TRUE(window.IsOpen());
        Drag(window.GetWindow(), Point(202, 50), Point(102, 50));
        ASSERT_TRUE(PumpUntil([&] { return t.counts.drag_ends == 1; }));
        StringStream out;
        t.splitter.ArchiveBinary(out);
        stored = out.GetText();
    }
    TwoPanes restored;
    StringStream in(stored);
    restored.splitter.ArchiveBinary(in);
    ASSERT_FALSE(in.IsError());
    OpenInput window(restored.splitter, Rect(Point(40, 40), Size(404, 100)));
    ASSERT_TRUE(window.IsOpen());
    ASSERT_TRUE(PumpUntil([&] { return restored.left.GetRectInParent().right == 99; }));
    EXPECT_EQ(restored.splitter.GetPos(0), t.splitter.GetPos(0));
    EXPECT_EQ(restored.right.GetRectInParent(), Rect(103, 0, 404, 100));
}

} // namespace
