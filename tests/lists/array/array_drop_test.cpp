// Where a drag over the list lands: a cell, an insertion between rows (by quarters, then by
// halves), a whole row, the end of the list, or the list as a whole below the rows.
#include "tests/lists/array/array_fixture.h"

#include "ctrl/clip/transfer.h"
#include "tests/support/lambda_callback.h"

namespace {

using namespace Qor;
using namespace QorTest;

constexpr int ROW_CY = 20;

class ArrayDrop : public ::testing::Test {
protected:
    ArrayCtrl list;
    std::vector<std::string> offers;

    void SetUp() override
    {
        FillRows(list, 6);
        list.AddColumnForIndex(1, "Name");
        list.SetOption(ArrayCtrl::HORZ_GRID, false);
        list.SetDefaultRowHeight(ROW_CY);
        list.SetRect(0, 0, 200, 400);
    }
    // A drag passing over y (view coordinates), as the window core offers it.
    void DragOver(int y)
    {
        TransferOffer offer;
        offer.kind = TRANSFER_DRAG;
        offer.fetch_on_accept = false;
        list.DropAtPoint(Point(20, y), offer);
    }
    // Callbacks that note what they are offered and take it.
    void AcceptInsert()
    {
        list.WhenDropInsert = Lambda<int, TransferOffer&>([this](int row, TransferOffer& o) {
            offers.push_back("insert " + std::to_string(row));
            o.accepted = true;
        });
    }
    void AcceptRow()
    {
        list.WhenDropRow = Lambda<int, TransferOffer&>([this](int row, TransferOffer& o) {
            offers.push_back("row " + std::to_string(row));
            o.accepted = true;
        });
    }
};

TEST_F(ArrayDrop, InsertionsByQuartersAndRowsInTheMiddle)
{
    AcceptInsert();
    AcceptRow();
    struct Case {
        int y;
        int row, column;
    } cases[] = {
        { 3 * ROW_CY + 1, 3, -1 },          // top quarter of row 3: before it
        { 3 * ROW_CY + ROW_CY - 2, 4, -1 }, // bottom quarter: before row 4
        { 3 * ROW_CY + ROW_CY / 2, 3, -2 }, // the middle: the whole row
        { 6 * ROW_CY + ROW_CY / 8, 6, -1 }, // just below the last row: at the end
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.y);
        DragOver(c.y);
        EXPECT_EQ(list.GetDropRow(), c.row);
        EXPECT_EQ(list.GetDropColumn(), c.column);
        EXPECT_TRUE(list.IsDragHover());
    }
}

TEST_F(ArrayDrop, WithoutRowDropsTheHalvesInsert)
{
    AcceptInsert();
    DragOver(2 * ROW_CY + ROW_CY / 2 - 1);
    EXPECT_EQ(list.GetDropRow(), 2);
    DragOver(2 * ROW_CY + ROW_CY / 2 + 1);
    EXPECT_EQ(list.GetDropRow(), 3);
    EXPECT_EQ(list.GetDropColumn(), -1);
}

TEST_F(ArrayDrop, ACellTakesTheDropFirst)
{
    AcceptInsert();
    list.WhenDropCell = Lambda<int, int, TransferOffer&>([this](int row, int column, TransferOffer& o) {
        offers.push_back("cell " + std::to_string(row) + " " + std::to_string(column));
        o.accepted = true;
    });
    DragOver(ROW_CY + 1);
    EXPECT_EQ(offers, (std::vector<std::string>{ "cell 1 0" }));
    EXPECT_EQ(list.GetDropRow(), 1);
    EXPECT_EQ(list.GetDropColumn(), 0);
}

TEST_F(ArrayDrop, WellBelowTheRowsTheListTakesTheDrop)
{
    AcceptInsert();
    int whole = 0;
    list.WhenDrop = Lambda<TransferOffer&>([&](TransferOffer& o) {
        whole++;
        o.accepted = true;
    });
    DragOver(ROW_CY); // a row first, so that the target is set
    ASSERT_EQ(list.GetDropRow(), 1);
    DragOver(6 * ROW_CY + ROW_CY);
    EXPECT_EQ(whole, 1);
    EXPECT_EQ(list.GetDropRow(), -1) << "no mark for the list as a whole";

    // Without a callback for the whole list, the end of the list takes it.
    list.WhenDrop.Clear();
    DragOver(6 * ROW_CY + ROW_CY);
    EXPECT_EQ(list.GetDropRow(), 6);
}

TEST_F(ArrayDrop, LeavingOrCancellingClearsTheMark)
{
    AcceptInsert();
    DragOver(1);
    ASSERT_EQ(list.GetDropRow(), 0);
    list.DragLeft();
    EXPECT_EQ(list.GetDropRow(), -1);
    EXPECT_FALSE(list.IsDragHover());
    DragOver(1);
    list.CancelInteraction();
    EXPECT_EQ(list.GetDropRow(), -1);
    EXPECT_FALSE(list.IsDragHover());
}

TEST_F(ArrayDrop, AReadOnlyListRefusesDrops)
{
    AcceptInsert();
    AcceptRow();
    list.SetEditable(false);
    DragOver(ROW_CY + ROW_CY / 2);
    EXPECT_TRUE(offers.empty());
    EXPECT_EQ(list.GetDropRow(), -1);
    EXPECT_FALSE(list.IsDragHover());
}

} // namespace
