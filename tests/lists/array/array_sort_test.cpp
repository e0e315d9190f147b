// Sorting by a column from its header tab: direction, stability, Nulls, converted values,
// moved tabs, the tab arrows, and rows travelling whole.
#include "tests/lists/array/array_fixture.h"

#include "foundation/values/convert.h"
#include "lists/array/separator_display.h"
#include "widgets/images/ctrl_img.h"

#include <functional>
#include <utility>

namespace {

using namespace Qor;
using namespace QorTest;

class ArraySort : public ::testing::Test {
protected:
    ArrayCtrl list;

    // Column 0: a number; column 1: a letter; each row's identity is its place at the start.
    void Fill(std::initializer_list<std::pair<Value, const char*>> rows)
    {
        list.AddColumn("number");
        list.AddColumn("letter");
        list.AddIndex(); // the row's identity, shown by no column
        int i = 0;
        for(const auto& r : rows) {
            list.Set(i, 0, r.first);
            list.Set(i, 1, r.second);
            list.Set(i, 2, i);
            i++;
        }
    }
    std::vector<int> Order() const
    {
        std::vector<int> v;
        for(int r = 0; r < list.GetCount(); r++)
            v.push_back(list.Get(r, 2).ToInt());
        return v;
    }
    void ClickTab(int tab) { list.GetHeader().Tab(tab).WhenAction(); }
};

TEST_F(ArraySort, ASecondClickReversesAndAThirdRestores)
{
    Fill({ { 3, "a" }, { 1, "b" }, { 2, "c" }, { 1, "d" } });
    list.SetAllSortable();
    ClickTab(0);
    EXPECT_EQ(Order(), (std::vector<int>{ 1, 3, 2, 0 })) << "ties keep their order";
    EXPECT_FALSE(list.IsSortDescending());
    ClickTab(0);
    EXPECT_EQ(Order(), (std::vector<int>{ 0, 2, 1, 3 }));
    EXPECT_TRUE(list.IsSortDescending());
    ClickTab(0);
    EXPECT_EQ(Order(), (std::vector<int>{ 1, 3, 2, 0 }));
}

TEST_F(ArraySort, ASortByAnotherColumnKeepsThePreviousOrderWithinTies)
{
    Fill({ { 2, "x" }, { 1, "y" }, { 2, "y" }, { 1, "x" } });
    list.SetAllSortable();
    ClickTab(0);
    ClickTab(1);
    EXPECT_EQ(Order(), (std::vector<int>{ 3, 0, 1, 2 }));
}

TEST_F(ArraySort, NullsComeFirstAscendingAndLastDescending)
{
    Fill({ { 2, "a" }, { Value(INT_NULL), "b" }, { 1, "c" } });
    list.OnHeaderClick(0);
    EXPECT_EQ(Order(), (std::vector<int>{ 1, 2, 0 })) << "a column without a comparison sorts with CompareValues";
    list.OnHeaderClick(0);
    EXPECT_EQ(Order(), (std::vector<int>{ 0, 2, 1 }));
}

// Shows numbers negated, so they sort the other way round.
class Negated : public Convert {
public:
    Value Format(const Value& q) const override { return -q.ToInt(); }
};

TEST_F(ArraySort, TheShownValuesAreCompared)
{
    Fill({ { 9, "a" }, { 10, "b" }, { 1, "c" } });
    Negated negated;
    list.GetColumn(0).SetConvert(negated);
    list.OnHeaderClick(0);
    EXPECT_EQ(Order(), (std::vector<int>{ 1, 0, 2 }));
}

TEST_F(ArraySort, AMovedTabStillSortsItsOwnColumn)
{
    Fill({ { 2, "b" }, { 1, "a" }, { 3, "c" } });
    list.SetAllSortable();
    list.GetHeader().MoveTab(0, 2); // the letter tab comes first
    ClickTab(1);
    EXPECT_EQ(list.GetSortColumn(), 0);
    EXPECT_EQ(Order(), (std::vector<int>{ 1, 0, 2 }));
    ClickTab(0);
    EXPECT_EQ(list.GetSortColumn(), 1);
}

TEST_F(ArraySort, TheSortedTabShowsTheDirection)
{
    Fill({ { 1, "a" } });
    list.SetAllSortable();
    auto arrow = [&](int tab) { return list.GetHeader().Tab(tab).GetLabelDrawing().right_image.GetSize(); };
    ClickTab(1);
    EXPECT_EQ(arrow(1), CtrlImg::SortDown().GetSize());
    EXPECT_EQ(arrow(0), Size(0, 0));
    ClickTab(0);
    EXPECT_EQ(arrow(0), CtrlImg::SortDown().GetSize());
    EXPECT_EQ(arrow(1), Size(0, 0));
}

// New rows come in the order they are given: a tab arrow left from the earlier rows would
// claim an order they do not have, and the next click would reverse a sort never made.
TEST_F(ArraySort, EmptyingTheListForgetsTheSort)
{
    const std::pair<const char*, std::function<void(ArrayCtrl&)>> empties[] = {
        { "SetCount(0)", [](ArrayCtrl& l) { l.SetCount(0); } },
        { "Clear", [](ArrayCtrl& l) { l.Clear(); } },
    };
    Fill({ { 1, "a" }, { 2, "b" } });
    list.SetAllSortable();
    for(const auto& [name, empty] : empties) {
        for(int i = 0; i < 2 && !(list.IsSortDescending() && list.GetSortColumn() == 1); i++)
            ClickTab(1);
        ASSERT_TRUE(list.IsSortDescending()) << name;
        empty(list);
        EXPECT_EQ(list.GetSortColumn(), -1) << name;
        EXPECT_EQ(list.GetHeader().Tab(1).GetLabelDrawing().right_image.GetSize(), Size(0, 0)) << name;
        list.Set(0, 1, "b");
        list.Set(1, 1, "a");
        list.Set(0, 2, 0);
        list.Set(1, 2, 1);
        EXPECT_EQ(Order(), (std::vector<int>{ 0, 1 })) << name << ": the rows as given";
        ClickTab(1);
        EXPECT_FALSE(list.IsSortDescending()) << name << ": the first click sorts ascending";
        EXPECT_EQ(Order(), (std::vector<int>{ 1, 0 })) << name;
    }
    list.SetCount(1);
    EXPECT_EQ(list.GetSortColumn(), 1) << "rows cut from the end leave the rest sorted";
}

TEST_F(ArraySort, AnEmptyListLosesItsCursorOnly)
{
    list.AddColumn("a");
    list.OnHeaderClick(0);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetSortColumn(), 0);
}

TEST_F(ArraySort, RowsTravelWholeAndTheCursorCanFollow)
{
    Fill({ { 3, "a" }, { 1, "b" }, { 2, "c" } });
    list.SetRowHeight(0, 40);
    list.SetCellDisplay(0, 1, GetArrayCtrlSeparatorDisplay());
    list.SelectRow(2);
    list.SetRowEnabled(1, false);
    ASSERT_TRUE(list.SetCursor(2));
    list.OnHeaderClick(0);
    EXPECT_EQ(Order(), (std::vector<int>{ 1, 2, 0 }));
    EXPECT_FALSE(list.IsCursor()) << "without re-finding, the sort leaves no cursor";
    EXPECT_FALSE(list.IsRowEnabled(0));
    EXPECT_TRUE(list.IsSelected(1));
    EXPECT_EQ(list.GetSelectCount(), 1);
    EXPECT_EQ(list.GetRowHeight(2), 40);
    EXPECT_EQ(list.GetRowHeight(0), list.GetDefaultRowHeight());
    EXPECT_EQ(list.GetCellDisplay(2, 1), &GetArrayCtrlSeparatorDisplay());
    EXPECT_EQ(list.GetCellDisplay(0, 1), list.GetColumnDisplay(1));

    list.SetRefindCursorAfterSort();
    ASSERT_TRUE(list.SetCursor(1)); // number 2
    list.OnHeaderClick(0);          // descending
    EXPECT_EQ(Order(), (std::vector<int>{ 0, 2, 1 }));
    EXPECT_EQ(list.GetCursor(), 1);
    EXPECT_EQ(list.Get(1, 0), Value(2));
}

TEST_F(ArraySort, ARefusedCursorRowStillSortsAndLosesTheCursor)
{
    Fill({ { 3, "a" }, { 1, "b" } });
    NotificationLog log;
    log.Attach(list);
    ASSERT_TRUE(list.SetCursor(0));
    log.refuse = true;
    list.OnHeaderClick(0);
    EXPECT_EQ(Order(), (std::vector<int>{ 1, 0 }));
    EXPECT_FALSE(list.IsCursor()) << "the old cursor number would name another row";
}

} // namespace

namespace {

// Orders rows by their letter (value index 1), and counts how often it was asked.
struct ByLetter : ArrayCtrl::RowOrder {
    mutable int asked = 0;
    bool Less(const Vector<Value>& a, const Vector<Value>& b) const override
    {
        asked++;
        return a[1].ToString() < b[1].ToString();
    }
};

} // namespace

// A row order decides between rows whose column values are equal: the column sort comes
// after it and is stable. A reset drops it.
TEST_F(ArraySort, TheRowOrderSortsFirstAndSettlesTies)
{
    Fill({ { 2, "d" }, { 1, "c" }, { 2, "a" }, { 1, "b" }, { 2, "b" } });
    list.SetAllSortable();
    ByLetter letters;
    EXPECT_EQ(list.GetRowOrder(), nullptr);
    list.SetRowOrder(&letters);
    ClickTab(0);
    // Among the 1s: b (3) before c (1); among the 2s: a (2), b (4), d (0).
    EXPECT_EQ(Order(), (std::vector<int>{ 3, 1, 2, 4, 0 }));
    ClickTab(0);
    EXPECT_EQ(Order(), (std::vector<int>{ 2, 4, 0, 3, 1 })) << "descending by number, ascending by letter";
    EXPECT_GT(letters.asked, 0);
    list.Reset();
    EXPECT_EQ(list.GetRowOrder(), nullptr);
}

TEST_F(ArraySort, WithoutARowOrderTiesKeepTheirPlaces)
{
    Fill({ { 2, "d" }, { 1, "c" }, { 2, "a" }, { 1, "b" }, { 2, "b" } });
    list.SetAllSortable();
    ClickTab(0);
    EXPECT_EQ(Order(), (std::vector<int>{ 1, 3, 0, 2, 4 }));
}
