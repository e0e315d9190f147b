// The newspaper-column flow: item rectangles, hit-testing, column widths, the scroll bar's
// range, scrolling by whole items, and a view kept a whole number of rows high.
#include "tests/lists/columnlist/column_list_fixture.h"

#include "tests/support/printers.h"

#include <climits>

namespace {

using namespace Qor;
using namespace QorTest;

class ColumnListLayout : public ::testing::Test {
protected:
    ColumnList list;

    void SetUp() override
    {
        list.SetItemHeight(ROW_HEIGHT);
        list.SetColumnCount(3);
        list.SetRect(ListRectForView(Point(0, 0), EXAMPLE_VIEW));
    }
};

TEST_F(ColumnListLayout, TenItemsFlowDownThreeColumnsOfFourRows)
{
    FillItems(list, 10);
    ASSERT_EQ(list.GetViewSize(), EXAMPLE_VIEW);
    const struct {
        int item;
        Rect rect;
    } cases[] = {
        { 0, Rect(0, 0, 100, 20) },    { 3, Rect(0, 60, 100, 80) },  { 4, Rect(100, 0, 200, 20) },
        { 7, Rect(100, 60, 200, 80) }, { 8, Rect(200, 0, 300, 20) }, { 9, Rect(200, 20, 300, 40) },
        { 12, Rect(300, 0, 400, 20) }, // beyond the visible columns: right of the view
    };
    for(auto c : cases)
        EXPECT_EQ(list.GetItemRect(c.item), c.rect) << c.item;
    EXPECT_EQ(list.GetScrollBar().GetPage(), 12);
    EXPECT_EQ(list.GetScrollBar().GetTotal(), 10);
    EXPECT_FALSE(list.GetScrollBar().IsVisible()) << "everything fits: the bar hides itself";

    const struct {
        Point p;
        int item;
    } hits[] = {
        { Point(0, 0), 0 },     { Point(99, 79), 3 },  { Point(100, 0), 4 },
        { Point(150, 45), 6 },  { Point(299, 39), 9 }, { Point(250, 45), -1 }, // an empty slot
        { Point(250, 79), -1 }, { Point(-1, 5), -1 },  { Point(5, -1), -1 },
    };
    for(auto h : hits)
        EXPECT_EQ(list.GetItemAt(h.p), h.item) << ::testing::PrintToString(h.p);
}

TEST_F(ColumnListLayout, OneStepMovesTheTopOfEachColumnToTheBottomOfTheOneBefore)
{
    FillItems(list, 20);
    ASSERT_EQ(list.GetScrollBar().GetPage(), 12);
    ASSERT_TRUE(list.GetScrollBar().IsVisible());
    int w = list.GetColumnWidth(0); // the bar takes its width from the view
    EXPECT_EQ(list.GetItemRect(4), Rect(w, 0, 2 * w, 20));
    list.GetScrollBar().NextLine();
    EXPECT_EQ(list.GetFirstVisible(), 1);
    Size view = list.GetViewSize();
    EXPECT_EQ(list.GetItemRect(4).TopLeft(), Point(0, 60));
    EXPECT_EQ(list.GetItemRect(0), Rect(0, 0, 0, 0)) << "scrolled out";
    EXPECT_EQ(list.GetItemAt(Point(0, 0)), 1);
    EXPECT_EQ(list.GetItemAt(Point(view.cx / 3, 0)), 5);
}

TEST_F(ColumnListLayout, TheLastColumnTakesTheOddPixelsButHitsNoItemThere)
{
    list.SetColumnCount(2);
    list.SetRect(ListRectForView(Point(0, 0), Size(103, 80)));
    FillItems(list, 8);
    ASSERT_EQ(list.GetViewSize().cx, 103);
    EXPECT_EQ(list.GetColumnWidth(0), 51);
    EXPECT_EQ(list.GetColumnWidth(1), 52);
    EXPECT_EQ(list.GetItemAt(Point(101, 0)), 4);
    EXPECT_EQ(list.GetItemAt(Point(102, 0)), -1);
}

TEST_F(ColumnListLayout, ColumnsNeverGetNarrowerThanTheMinimum)
{
    int s = ColumnList::GetMinColumnWidth();
    ASSERT_GT(s, 0);
    int n = 300 / s + 5;
    list.SetColumnCount(n);
    FillItems(list, 4 * n);
    EXPECT_EQ(list.GetColumnWidth(0), s);
    EXPECT_EQ(list.GetItemRect(4).left, s);
    EXPECT_GT(list.GetItemRect(4 * (n - 2)).right, 300) << "the columns run past the right edge";
    // The hit test keeps to the columns there are.
    EXPECT_EQ(list.GetItemAt(Point(299, 0)), 4 * (299 / s));
}

TEST_F(ColumnListLayout, AHugeColumnCountOverflowsNothing)
{
    FillItems(list, 10);
    list.SetColumnCount(1 << 30);
    int s = ColumnList::GetMinColumnWidth();
    EXPECT_EQ(list.GetScrollBar().GetPage(), INT_MAX) << "every item is on the page";
    EXPECT_EQ(list.GetItemAt(Point(s + 1, 0)), 4);
    EXPECT_EQ(list.GetItemRect(9), Rect(2 * s, 20, 3 * s, 40));
    EXPECT_LT(list.GetColumnWidth((1 << 30) - 1), 0) << "the last column lies far beyond the view";
}

TEST_F(ColumnListLayout, TheViewIsAWholeNumberOfRowsHigh)
{
    for(int extra : { 0, 1, 7, 19, 20, 33 }) {
        list.SetRect(ListRectForView(Point(0, 0), Size(300, 80 + extra)));
        int cy = list.GetViewSize().cy;
        EXPECT_EQ(cy % ROW_HEIGHT, 0) << extra;
        EXPECT_EQ(cy, 80 + extra / ROW_HEIGHT * ROW_HEIGHT) << extra;
    }
}

TEST_F(ColumnListLayout, AnItemHeightOfZeroFindsNothing)
{
    FillItems(list, 5);
    list.SetItemHeight(0);
    EXPECT_EQ(list.GetItemAt(Point(5, 5)), -1);
    EXPECT_TRUE(list.GetItemRect(0).IsEmpty());
    EXPECT_EQ(list.GetScrollBar().GetPage(), 0);
}

} // namespace
