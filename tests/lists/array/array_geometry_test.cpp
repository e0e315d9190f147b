// Row positions in list coordinates: the default step with and without the grid, rows of
// their own height, the row at a coordinate, and positions kept through inserts and removals.
#include "tests/lists/array/array_fixture.h"

namespace {

using namespace Qor;
using namespace QorTest;

class ArrayGeometry : public ::testing::Test {
protected:
    ArrayCtrl list;

    void SetUp() override
    {
        list.SetDefaultRowHeight(20);
        FillRows(list, 10);
    }
};

TEST_F(ArrayGeometry, DefaultRowsStepByTheirHeightAndTheGrid)
{
    EXPECT_EQ(list.GetLineY(3), 63);
    EXPECT_EQ(list.GetTotalCy(), 210);
    const struct {
        int y;
        int row;
    } cases[] = {
        { 0, 0 }, { 20, 0 }, { 21, 1 }, { 62, 2 }, { 63, 3 }, { 209, 9 }, { 210, INT_NULL }, { -1, INT_NULL }
    };
    for(auto c : cases)
        EXPECT_EQ(list.GetLineAt(c.y), c.row) << c.y;
    list.SetOption(ArrayCtrl::HORZ_GRID, false);
    EXPECT_EQ(list.GetLineY(3), 60);
    EXPECT_EQ(list.GetLineAt(199), 9);
    EXPECT_EQ(list.GetLineAt(200), INT_NULL);
}

TEST_F(ArrayGeometry, ARowOfItsOwnHeightMovesTheRowsAfterIt)
{
    list.SetRowHeight(5, 10);
    for(int r = 0; r < 5; r++)
        EXPECT_EQ(list.GetLineY(r), r * 21) << r;
    EXPECT_EQ(list.GetLineY(5), 105);
    EXPECT_EQ(list.GetRowHeight(5), 10);
    EXPECT_EQ(list.GetLineY(6), 116);
    EXPECT_EQ(list.GetLineY(7), 137);
    EXPECT_EQ(list.GetLineAt(115), 5);
    EXPECT_EQ(list.GetLineAt(116), 6);
    EXPECT_EQ(list.GetTotalCy(), 116 + 4 * 21);
    list.SetRowHeight(2, 40);
    EXPECT_EQ(list.GetLineY(3), 42 + 41);
    EXPECT_EQ(list.GetLineY(6), 116 + 20);
    list.SetRowHeight(2, INT_NULL);
    EXPECT_EQ(list.GetLineY(6), 116);
}

TEST_F(ArrayGeometry, InsertsAndRemovalsKeepThePositions)
{
    list.SetRowHeight(4, 50);
    list.InsertRows(1, 2);
    EXPECT_EQ(list.GetRowHeight(6), 50);
    EXPECT_EQ(list.GetLineY(6), 6 * 21);
    EXPECT_EQ(list.GetLineY(7), 6 * 21 + 51);
    list.RemoveRow(0);
    EXPECT_EQ(list.GetRowHeight(5), 50);
    EXPECT_EQ(list.GetLineY(5), 5 * 21);
    EXPECT_EQ(list.GetTotalCy(), 11 * 21 + 30);
}

TEST(ArrayGeometryEmpty, AnEmptyListHasNoRows)
{
    ArrayCtrl list;
    EXPECT_EQ(list.GetTotalCy(), 0);
    EXPECT_EQ(list.GetLineAt(0), INT_NULL);
}

} // namespace

namespace {

using namespace Qor;
using namespace QorTest;

// A list 100 pixels high showing ten rows of 21 pixels.
class ArrayScrolling : public ArrayGeometry {
protected:
    int scrolls = 0;
    void Scrolled() { scrolls++; }

    void SetUp() override
    {
        ArrayGeometry::SetUp();
        list.AddColumn("a");
        list.SetRect(0, 0, 200, 100 + list.GetHeader().GetHeight());
        list.WhenScroll = MakeCallback(this, &ArrayScrolling::Scrolled);
    }
    int Pos() const { return const_cast<ArrayCtrl&>(list).GetScrollBar().GetPosition(); }
};

TEST_F(ArrayScrolling, TheScrollBarSpansTheRows)
{
    ASSERT_EQ(list.GetViewSize().cy, 100);
    EXPECT_EQ(list.GetScrollBar().GetTotal(), 210);
    EXPECT_EQ(list.GetScrollBar().GetPage(), 100);
    list.SetOption(ArrayCtrl::INSERTING_ALLOWED);
    list.Add();
    EXPECT_EQ(list.GetScrollBar().GetTotal(), 231 + 21) << "one row added, one more row of room";
    list.Clear();
    EXPECT_EQ(list.GetScrollBar().GetTotal(), 21);
}

TEST_F(ArrayScrolling, RowsAreScrolledIntoViewWithTheLeastMove)
{
    const struct {
        int row;
        int pos;
    } cases[] = { { 9, 109 }, { 8, 109 }, { 4, 84 }, { 2, 42 }, { 20, 110 }, { -1, 0 }, { 10, 110 } };
    for(auto c : cases) {
        list.ScrollInto(c.row);
        EXPECT_EQ(Pos(), c.pos) << c.row;
    }
    EXPECT_GT(scrolls, 0);
    EXPECT_EQ(list.GetFirstVisibleRow(), 5);
    EXPECT_EQ(list.GetLastVisibleRow(), 10) << "the view reaches past the last row";
}

TEST_F(ArrayScrolling, TheWheelMovesThreeRowsPerNotch)
{
    list.WheelRotated(Point(10, 10), -120, 0);
    EXPECT_EQ(Pos(), 60);
    list.WheelRotated(Point(10, 10), 120, 0);
    EXPECT_EQ(Pos(), 0);
}

TEST_F(ArrayScrolling, TheCursorRowCentresAndStaysInView)
{
    ASSERT_TRUE(list.SetCursor(5));
    list.CenterCursor();
    EXPECT_EQ(Pos(), 65);
    EXPECT_EQ(list.GetFirstVisibleRow(), 3);
    EXPECT_EQ(list.GetLastVisibleRow(), 7);
    ASSERT_TRUE(list.SetCursor(9));
    EXPECT_EQ(Pos(), 109) << "moving the cursor scrolls its row into view";
    list.ClearCursor();
    list.CenterCursor();
    EXPECT_EQ(Pos(), 109) << "nothing to centre without a cursor";
}

} // namespace
