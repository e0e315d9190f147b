// Cell controls without a window: made by a column's factory for every row, or put into one
// cell by the owner; their values in step with the cells, their places in the view or parked
// outside it, their lifetime with their rows, and their part in accepting a row.
#include "lists/array/array_ctrl.h"

#include "tests/lists/array/array_fixture.h"
#include "tests/support/lambda_callback.h"

namespace {

using namespace Qor;
using namespace QorTest;

int alive = 0;

// A control that holds a value, counts its instances and can refuse its value.
class CellValue : public Ctrl {
public:
    Value value;
    bool refuse = false;

    CellValue() { alive++; }
    ~CellValue() override { alive--; }
    void SetValue(const Value& v) override { value = v; }
    Value GetValue() const override { return value; }
    bool Validate() override { return !refuse; }
};

class Ascending : public ValueOrder {
public:
    bool Less(const Value& a, const Value& b) const override { return CompareValues(a, b) < 0; }
};

const Rect PARKED(-1000, -16000, -999, -15999);

class ArrayCellCtrls : public ::testing::Test {
protected:
    ArrayCtrl list;
    std::vector<int> made; // the rows the factory was asked for

    void SetUp() override
    {
        alive = 0;
        list.SetRect(0, 0, 300, 5 * 20);
        list.SetDefaultRowHeight(19); // 20 pixels a row with the grid line: 5 rows in view
        list.AddColumn("Name");
        list.AddColumn("Check");
        for(int i = 0; i < 40; i++) {
            list.Set(i, 0, String("r") + IntToText(i));
            list.Set(i, 1, i % 2);
        }
        list.GetColumn(1).SetCtrlFactory(Lambda<int, OwnedPtr<Ctrl>&>([this](int row, OwnedPtr<Ctrl>& c) {
            made.push_back(row);
            c.Create<CellValue>();
        }));
    }
    CellValue& At(int row) { return static_cast<CellValue&>(list.GetCellCtrl(row, 1)->GetHosted()); }
};

TEST_F(ArrayCellCtrls, EveryRowGetsAControlInStepWithItsCell)
{
    EXPECT_EQ(alive, 40);
    EXPECT_EQ(list.GetCellCtrl(3, 0), nullptr) << "a column without a factory has none";
    EXPECT_EQ(At(3).value, Value(1));
    EXPECT_TRUE(list.GetCellCtrl(3, 1)->IsValueHidden());
    // The control speaks for the cell: what the user set there is the row's value.
    At(3).value = 7;
    EXPECT_EQ(list.Get(3, 1), Value(7));
    list.Set(4, 1, "set");
    EXPECT_EQ(At(4).value, Value("set"));
    Value value;
    Color ink, paper;
    dword style;
    list.GetCellPaintInfo(4, 1, false, value, ink, paper, style);
    EXPECT_TRUE(value.IsNull()) << "no value is painted under the control";
    list.GetCellPaintInfo(4, 0, false, value, ink, paper, style);
    EXPECT_EQ(value, Value("r4"));
}

TEST_F(ArrayCellCtrls, RowsOutOfViewAreParkedAndTheFocusOrderFollowsTheRows)
{
    EXPECT_EQ(list.GetCellCtrl(2, 1)->GetRectInParent(), list.GetCellContentRect(2, 1));
    EXPECT_EQ(list.GetCellCtrl(30, 1)->GetRectInParent(), PARKED);
    EXPECT_TRUE(list.GetCellCtrl(30, 1)->IsVisible()) << "parked, yet reachable by the focus";
    Ctrl* previous = nullptr;
    for(int row = 0; row < 40; row++) {
        Ctrl* c = list.GetCellCtrl(row, 1);
        ASSERT_EQ(c->GetParent(), &list);
        EXPECT_EQ(c->GetPrev(), previous) << row;
        previous = c;
    }
    list.ScrollInto(30);
    EXPECT_EQ(list.GetCellCtrl(30, 1)->GetRectInParent(), list.GetCellContentRect(30, 1)) << "scrolled into view";
    EXPECT_EQ(list.GetCellCtrl(2, 1)->GetRectInParent(), PARKED) << "scrolled out";
}

TEST_F(ArrayCellCtrls, ControlsLiveAndDieWithTheirRows)
{
    CellValue* third = &At(3);
    list.RemoveRow(2);
    EXPECT_EQ(alive, 39);
    EXPECT_EQ(&At(2), third) << "the controls move up with their rows";
    made.clear();
    list.InsertRows(0, 1);
    EXPECT_EQ(made, (std::vector<int>{ 0 })) << "only the new row's control is made";
    EXPECT_EQ(alive, 40);
    list.SetCount(10);
    EXPECT_EQ(alive, 10);
    list.Clear();
    EXPECT_EQ(alive, 0);
}

TEST_F(ArrayCellCtrls, AnOwnersControlIsBorrowedAndItsActionTellsTheList)
{
    CellValue own;
    list.SetCellCtrl(5, 0, own);
    EXPECT_EQ(own.value, Value("r5"));
    EXPECT_EQ(list.GetCellCtrl(5, 0)->GetHosted().GetParent(), list.GetCellCtrl(5, 0));
    list.Clear();
    EXPECT_EQ(alive, 1) << "the owner's control outlives the cell";
    EXPECT_EQ(own.GetParent(), nullptr);

    list.Set(0, 0, "x");
    int actions = 0;
    list.WhenCtrlsAction = Lambda([&] { actions++; });
    At(0).RunAction();
    EXPECT_EQ(actions, 1);
}

TEST_F(ArrayCellCtrls, ARefusingCellControlKeepsTheCursor)
{
    NotificationLog log;
    log.Attach(list);
    ASSERT_TRUE(list.SetCursor(1));
    At(1).refuse = true;
    EXPECT_FALSE(list.SetCursor(2));
    EXPECT_EQ(list.GetCursor(), 1);
    At(1).refuse = false;
    EXPECT_TRUE(list.SetCursor(2));
}

TEST_F(ArrayCellCtrls, SortingTakesTheControlsValuesAlong)
{
    list.SetCount(3);
    At(0).value = 2;
    At(1).value = 0;
    At(2).value = 1;
    list.SortByColumnOrder(1, Ascending());
    for(int row = 0; row < 3; row++) {
        EXPECT_EQ(list.GetStoredValue(row, 1), Value(row));
        EXPECT_EQ(At(row).value, Value(row)) << "each control went with its row";
    }
    EXPECT_EQ(list.GetStoredValue(0, 0), Value("r1"));
}

} // namespace
