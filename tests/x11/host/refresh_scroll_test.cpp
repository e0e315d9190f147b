// Refresh marks gathered between two paints, and scrolls done by copying the window:
// counted paints, invalid areas and the pixels that the copy moved.
#include "tests/x11/host/host_fixture.h"

namespace {

using namespace Qor;
using namespace QorTest;

// Rows in a gradient of red by content row, so a copied row shows where it came from.
class RowsCtrl : public Ctrl {
public:
    void Paint(Draw& w) override
    {
        paints++;
        Size sz = GetViewSize();
        for(int y = 0; y < sz.cy; y++)
            w.DrawRect(0, y, sz.cx, 1, RowColor(y + offset));
    }
    static Color RowColor(int row) { return Color((row * 2 % 256 + 256) % 256, 0, 0); }

    int offset = 0;
    int paints = 0;
};

struct ScrollWindow {
    FillCtrl top{ Color(0, 0, 255) };
    RowsCtrl rows;

    ScrollWindow()
    {
        rows.SetRect(0, 0, 60, 100);
        top.AppendChild(rows);
    }
    const Vector<Rect>& Invalid() { return GetWindowMapEntry(top)->invalid; }
    const Vector<ScrollRecord>& Queue() { return top.GetHostRecord()->scrolls; }
};

using RefreshTest = GuiTest;

TEST_F(RefreshTest, RepeatedRefreshesPaintOnce)
{
    FillCtrl top(Color(0, 0, 255));
    FillCtrl child(Color(0, 255, 0));
    child.SetRect(10, 20, 30, 15);
    top.AppendChild(child);
    ASSERT_TRUE(OpenHostWindow(top, Rect(40, 40, 120, 100)));
    int paints = child.paints;
    for(int i = 0; i < 5; i++)
        child.Refresh();
    EXPECT_TRUE(child.IsFullRefreshPending());
    ASSERT_EQ(GetWindowMapEntry(top)->invalid.GetCount(), 1);
    EXPECT_EQ(GetWindowMapEntry(top)->invalid[0], Rect(10, 20, 40, 35));
    ASSERT_TRUE(PaintPending(top));
    EXPECT_EQ(child.paints, paints + 1);
    EXPECT_FALSE(child.IsFullRefreshPending());
    // After the paint a refresh marks again.
    child.Refresh();
    EXPECT_EQ(GetWindowMapEntry(top)->invalid.GetCount(), 1);
    ASSERT_TRUE(PaintPending(top));
    EXPECT_EQ(child.paints, paints + 2);
}

TEST_F(RefreshTest, PendingFullRefreshSwallowsChildMarksAndRectsAreCut)
{
    FillCtrl top(Color(0, 0, 255));
    FillCtrl child(Color(0, 255, 0));
    child.SetRect(10, 20, 30, 15);
    top.AppendChild(child);
    ASSERT_TRUE(OpenHostWindow(top, Rect(40, 40, 120, 100)));
    // A mark partly outside the view is cut to it; one wholly outside marks nothing.
    child.Refresh(Rect(20, 5, 100, 100));
    child.Refresh(Rect(200, 200, 210, 210));
    ASSERT_EQ(GetWindowMapEntry(top)->invalid.GetCount(), 1);
    EXPECT_EQ(GetWindowMapEntry(top)->invalid[0], Rect(30, 25, 40, 35));
    ASSERT_TRUE(PaintPending(top));
    top.Refresh();
    child.Refresh(Rect(0, 0, 5, 5));
    ASSERT_EQ(GetWindowMapEntry(top)->invalid.GetCount(), 1);
    EXPECT_EQ(GetWindowMapEntry(top)->invalid[0], Rect(0, 0, 80, 60));
    ASSERT_TRUE(PaintPending(top));
}

TEST_F(RefreshTest, MovedChildRepaintsBothPlacesOnce)
{
    FillCtrl top(Color(0, 0, 255));
    FillCtrl child(Color(0, 255, 0));
    child.SetRect(0, 0, 10, 10);
    top.AppendChild(child);
    ASSERT_TRUE(OpenHostWindow(top, Rect(40, 40, 120, 100)));
    child.SetRect(20, 0, 10, 10);
    child.SetRect(40, 30, 10, 10);
    ASSERT_EQ(top.GetHostRecord()->moves.GetCount(), 1);
    EXPECT_EQ(top.GetHostRecord()->moves[0].from, Rect(0, 0, 10, 10));
    EXPECT_EQ(top.GetHostRecord()->moves[0].to, Rect(40, 30, 50, 40));
    ASSERT_TRUE(PaintPending(top));
    Pixels p = GrabWindow(top);
    EXPECT_EQ(p.At(5, 5), Color(0, 0, 255));
    EXPECT_EQ(p.At(45, 35), Color(0, 255, 0));
    EXPECT_EQ(p.Count(Color(0, 255, 0)), 100);
}

using ScrollTest = GuiTest;

TEST_F(ScrollTest, ScrolledViewMatchesAFullRepaint)
{
    ScrollWindow s;
    ASSERT_TRUE(OpenHostWindow(s.top, Rect(40, 40, 100, 140)));
    int paints = s.rows.paints;
    for(int step : { 7, 5 }) {
        s.rows.offset += step;
        s.rows.ScrollArea(Rect(0, 0, 60, 100), 0, -step);
    }
    // Two scrolls the same way merge; only the uncovered rows wait for paint.
    ASSERT_EQ(s.Queue().GetCount(), 1);
    EXPECT_EQ(s.Queue()[0].dy, -12);
    EXPECT_FALSE(s.rows.IsFullRefreshPending());
    ASSERT_TRUE(PaintPending(s.top));
    EXPECT_EQ(s.rows.paints, paints + 1);
    Pixels p = GrabWindow(s.top);
    int wrong = 0;
    for(int y = 0; y < 100; y++)
        wrong += p.At(30, y) != RowsCtrl::RowColor(y + 12);
    EXPECT_EQ(wrong, 0);
}

TEST_F(ScrollTest, OppositeOrOverlappingScrollFallsBackToRefresh)
{
    ScrollWindow s;
    ASSERT_TRUE(OpenHostWindow(s.top, Rect(40, 40, 100, 140)));
    s.rows.ScrollArea(Rect(0, 0, 60, 100), 0, -5);
    s.rows.ScrollArea(Rect(0, 0, 60, 100), 0, 5);
    EXPECT_TRUE(s.rows.IsFullRefreshPending());
    ASSERT_EQ(s.Queue().GetCount(), 1);
    EXPECT_EQ(s.Queue()[0].dy, 0);
    ASSERT_TRUE(PaintPending(s.top));
    s.rows.ScrollArea(Rect(0, 0, 60, 50), 0, 5);
    s.rows.ScrollArea(Rect(0, 20, 60, 100), 0, 5);
    EXPECT_TRUE(s.rows.IsFullRefreshPending());
    EXPECT_EQ(s.Queue()[0].area, Rect(0, 0, 60, 100));
    ASSERT_TRUE(PaintPending(s.top));
}

TEST_F(ScrollTest, ScrollOfMoreThanThreeQuartersIsRepaintedNotCopied)
{
    struct Case {
        int dy;
        bool copied;
    } cases[] = { { 75, true }, { 76, false } };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.dy);
        ScrollWindow s;
        ASSERT_TRUE(OpenHostWindow(s.top, Rect(40, 40, 100, 140)));
        s.rows.ScrollArea(Rect(0, 0, 60, 100), 0, c.dy);
        // The copy alone, without the repaint that follows it.
        s.top.ApplyPendingScrolls();
        XSync(display, false);
        Pixels p = GrabWindow(s.top);
        EXPECT_EQ(p.At(30, 80), RowsCtrl::RowColor(c.copied ? 80 - c.dy : 80));
        ASSERT_TRUE(PaintPending(s.top));
    }
}

TEST_F(ScrollTest, DiagonalScrollRepaintsEveryUncoveredPixel)
{
    // Large enough that the invalid strips stay apart instead of merging into one box.
    FillCtrl top(Color(0, 0, 255));
    RowsCtrl rows;
    rows.SetRect(0, 0, 400, 300);
    top.AppendChild(rows);
    ASSERT_TRUE(OpenHostWindow(top, Rect(40, 40, 440, 340)));
    // The content moves right and down; the rows paint the same in every column, so after
    // the repaint every row must again show its own colour, the corners included.
    rows.offset -= 6;
    rows.ScrollArea(Rect(0, 0, 400, 300), 4, 6);
    ASSERT_TRUE(PaintPending(top));
    Pixels p = GrabWindow(top);
    int wrong = 0;
    for(int y = 0; y < 300; y++)
        for(int x = 0; x < 400; x++)
            wrong += p.At(x, y) != RowsCtrl::RowColor(y - 6);
    EXPECT_EQ(wrong, 0);
}

TEST_F(ScrollTest, ChildCarriedByScrollIsNotRepaintedAgainByItsMove)
{
    ScrollWindow s;
    FillCtrl child(Color(0, 255, 0));
    child.SetRect(10, 20, 10, 10);
    s.rows.AppendChild(child);
    ASSERT_TRUE(OpenHostWindow(s.top, Rect(40, 40, 100, 140)));
    s.rows.ScrollArea(Rect(0, 0, 60, 100), 0, -8);
    ASSERT_EQ(s.top.GetHostRecord()->scroll_moves.GetCount(), 1);
    // The layout then moves the child to where the scroll put it: nothing more to record.
    child.SetRect(10, 12, 10, 10);
    EXPECT_EQ(s.top.GetHostRecord()->moves.GetCount(), 0);
    ASSERT_TRUE(PaintPending(s.top));
}

} // namespace
