// Row layout of bar panes: wrapping, gaps, fill gaps, breaks and the size for the frame.

#include "widgets/bar/bar_pane.h"

#include <gtest/gtest.h>

using namespace Qor;

namespace {

class Box : public Ctrl {
public:
    explicit Box(Size sz) : sz(sz) {}
    Size MinimumSize() const override { return sz; }

private:
    Size sz;
};

struct PaneFixture : ::testing::Test {
    BarPane pane;
    OwnedArray<Box> boxes;

    Box& AddBox(int cx, int cy)
    {
        Box& b = boxes.Add(new Box(Size(cx, cy)));
        pane.Add(&b, BAR_BREAK);
        return b;
    }
    // Where the entry is placed, once the pane has a size to resolve positions against.
    Rect Placed(Box& b)
    {
        pane.SetRect(0, 0, 1000, 1000);
        b.UpdateRect(false);
        return b.GetRectInParent();
    }
};

TEST_F(PaneFixture, RowThatFitsExactlyStaysOneRowButCountsAsWrappedForTheFrame)
{
    AddBox(40, 10);
    AddBox(60, 12);
    EXPECT_EQ(pane.LayOutRows(true, 100), Size(100, 12));
    EXPECT_EQ(pane.GetBreaks().GetCount(), 0);
    EXPECT_EQ(pane.GetRowsSize(100), Size(60, 10 + 2 + 12));
    EXPECT_EQ(pane.GetRowsSize(101), Size(100, 12));
}

TEST_F(PaneFixture, OverlongControlStaysAloneInItsRow)
{
    Box& a = AddBox(30, 10);
    Box& b = AddBox(150, 10);
    Box& c = AddBox(30, 10);
    EXPECT_EQ(pane.LayOutRows(true, 100), Size(150, 10 + 2 + 10 + 2 + 10));
    ASSERT_EQ(pane.GetBreaks().GetCount(), 2);
    EXPECT_EQ(pane.GetBreaks()[0], 10);
    EXPECT_EQ(pane.GetBreaks()[1], 22);
    EXPECT_EQ(Placed(a), Rect(0, 0, 30, 10));
    EXPECT_EQ(Placed(b), Rect(0, 12, 150, 22));
    EXPECT_EQ(Placed(c), Rect(0, 24, 30, 34));
}

TEST_F(PaneFixture, GapsWhereTheRowWrapsDisappearButABreakAfterThemStays)
{
    AddBox(80, 10);
    pane.Add(nullptr, 30);
    pane.Add(nullptr, 5);
    pane.Add(nullptr, BAR_BREAK);
    Box& b = AddBox(20, 10);
    // Row 1: the box; the gaps are dropped; the break ends an empty row that still gets a
    // separator; row 3: the second box at the start of its row.
    EXPECT_EQ(pane.LayOutRows(true, 100), Size(80, 10 + 2 + 0 + 2 + 10));
    EXPECT_EQ(pane.GetBreaks().GetCount(), 2);
    EXPECT_EQ(Placed(b), Rect(0, 14, 20, 24));
}

TEST_F(PaneFixture, FillGapPushesTheControlsThatFitToTheEnd)
{
    AddBox(20, 10);
    pane.Add(nullptr, BAR_FILL_GAP);
    Box& b = AddBox(30, 10);
    Box& c = AddBox(60, 10);
    pane.LayOutRows(true, 100);
    EXPECT_EQ(Placed(b), Rect(70, 0, 100, 10));
    EXPECT_EQ(Placed(c), Rect(0, 12, 60, 22));
}

TEST_F(PaneFixture, UnlimitedRowEndsAtFillGapAndBreak)
{
    AddBox(20, 10);
    pane.Add(nullptr, BAR_FILL_GAP);
    AddBox(20, 10);
    pane.Add(nullptr, BAR_BREAK);
    AddBox(20, 10);
    EXPECT_EQ(pane.LayOutRows(true, INT32_MAX), Size(20, 10 + 2 + 10 + 2 + 10));
    EXPECT_EQ(pane.GetRowsSize(INT32_MAX), Size(20, 34));
}

TEST_F(PaneFixture, VerticalPaneFlowsInColumns)
{
    Box& a = AddBox(50, 20);
    Box& b = AddBox(70, 20);
    Box& c = AddBox(40, 20);
    EXPECT_EQ(pane.LayOutRows(false, 45), Size(70 + 2 + 40, 40));
    EXPECT_FALSE(pane.IsHorizontal());
    EXPECT_EQ(Placed(a), Rect(0, 0, 70, 20));
    EXPECT_EQ(Placed(b), Rect(0, 20, 70, 40));
    EXPECT_EQ(Placed(c), Rect(72, 0, 112, 20));
}

TEST_F(PaneFixture, ClearEntriesDetachesTheControls)
{
    Box& a = AddBox(10, 10);
    pane.Add(nullptr, 4);
    ASSERT_EQ(a.GetParent(), &pane);
    pane.LayOutRows(true, 5);
    pane.ClearEntries();
    EXPECT_EQ(a.GetParent(), nullptr);
    EXPECT_EQ(pane.GetCount(), 0);
    EXPECT_EQ(pane.GetBreaks().GetCount(), 0);
    EXPECT_EQ(pane.LayOutRows(true, 100), Size(0, 0));
}

} // namespace
