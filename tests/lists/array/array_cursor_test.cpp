// The cursor and the selection: the order of their notifications, refusals, clamping and
// disabled rows.
#include "tests/lists/array/array_fixture.h"

namespace {

using namespace Qor;
using namespace QorTest;

class ArrayCursor : public ::testing::Test {
protected:
    ArrayCtrl list;
    NotificationLog log;

    void SetUp() override
    {
        FillRows(list, 8);
        log.Attach(list);
    }
};

TEST_F(ArrayCursor, MovingTheCursorLeavesTheOldRowFirst)
{
    ASSERT_TRUE(list.SetCursor(2));
    EXPECT_EQ(log.events, (Events{ "Action 2", "EnterRow 2", "Cursor 2", "Sel 2" }));
    log.events.clear();
    ASSERT_TRUE(list.SetCursor(5));
    EXPECT_EQ(log.events, (Events{ "AcceptRow 2", "KillCursor 2", "Action 5", "EnterRow 5", "Cursor 5", "Sel 5" }));
}

TEST_F(ArrayCursor, TheSameRowAnnouncesNothingInASingleSelectionList)
{
    ASSERT_TRUE(list.SetCursor(3));
    log.events.clear();
    EXPECT_TRUE(list.SetCursor(3));
    EXPECT_TRUE(log.events.empty());
    EXPECT_FALSE(list.IsSelected(3)) << "a single-selection list never selects";
}

TEST_F(ArrayCursor, TheSameRowIsReselectedAloneInAMultiSelectionList)
{
    list.SetOption(ArrayCtrl::MULTI_SELECT);
    ASSERT_TRUE(list.SetCursor(3));
    list.SelectRow(6);
    log.events.clear();
    EXPECT_TRUE(list.SetCursor(3));
    EXPECT_EQ(log.events, (Events{ "Selection 3", "Sel 3", "Selection 3", "Sel 3", "Sel 3" }));
    EXPECT_EQ(list.GetSelectCount(), 1);
    EXPECT_TRUE(list.IsSelected(3));
    EXPECT_EQ(list.GetAnchor(), 3);
}

TEST_F(ArrayCursor, ARefusedRowKeepsTheCursor)
{
    ASSERT_TRUE(list.SetCursor(2));
    log.refuse = true;
    log.events.clear();
    EXPECT_FALSE(list.SetCursor(5));
    EXPECT_FALSE(list.ClearCursor());
    EXPECT_EQ(list.GetCursor(), 2);
    EXPECT_EQ(log.events, (Events{ "AcceptRow 2", "AcceptRow 2" }));
    list.CancelCursor();
    EXPECT_EQ(list.GetCursor(), -1) << "cancelling asks nobody";
}

TEST_F(ArrayCursor, RowsAreClampedButDisabledStoredRowsRefused)
{
    list.SetRowEnabled(4, false);
    list.SetRowEnabled(7, false);
    const struct {
        int row;
        bool ok;
        int cursor;
    } cases[] = { { 4, false, -1 }, { 100, true, 7 }, { -3, true, 0 }, { 5, true, 5 }, { 7, false, 5 } };
    for(auto c : cases) {
        EXPECT_EQ(list.SetCursor(c.row), c.ok) << c.row;
        EXPECT_EQ(list.GetCursor(), c.cursor) << c.row;
    }
}

TEST_F(ArrayCursor, NoCursorOptionAndEmptyListsRefuse)
{
    ArrayCtrl empty;
    EXPECT_FALSE(empty.SetCursor(0));
    list.SetOption(ArrayCtrl::NO_CURSOR);
    EXPECT_FALSE(list.SetCursor(1));
    EXPECT_TRUE(log.events.empty());
}

TEST_F(ArrayCursor, ClearingWithoutACursorStillAnnounces)
{
    EXPECT_TRUE(list.ClearCursor());
    EXPECT_EQ(log.events, (Events{ "Cursor -1", "Sel -1" }));
    ASSERT_TRUE(list.SetCursor(1));
    log.events.clear();
    EXPECT_TRUE(list.ClearCursor());
    EXPECT_EQ(log.events, (Events{ "AcceptRow 1", "KillCursor 1", "Cursor -1", "Sel -1" }));
}

TEST_F(ArrayCursor, CancellingSkipsAcceptanceAndKillCursor)
{
    ASSERT_TRUE(list.SetCursor(1));
    log.events.clear();
    list.CancelCursor();
    EXPECT_EQ(log.events, (Events{ "ArrayAction 1", "Cursor -1", "Sel -1" }));
    EXPECT_EQ(list.GetAnchor(), -1);
}

TEST_F(ArrayCursor, SelectionNoticesAndTheStaleCount)
{
    list.SelectRange(2, 3);
    EXPECT_EQ(log.events, (Events{ "Selection -1", "Sel -1" }));
    EXPECT_EQ(list.GetSelectCount(), 3);
    list.SelectRow(3, false);
    EXPECT_EQ(list.GetSelectCount(), 2);
    list.SelectRow(12);
    EXPECT_EQ(list.GetCount(), 13) << "selecting past the end grows the rows";
    log.events.clear();
    list.ClearSelection();
    EXPECT_EQ(log.events, (Events{ "Selection -1", "Sel -1" }));
    EXPECT_EQ(list.GetSelectCount(), 0);
    log.events.clear();
    list.ClearSelection();
    EXPECT_TRUE(log.events.empty()) << "nothing selected, nothing announced";
    list.SelectAll();
    EXPECT_EQ(list.GetSelectCount(), 13);
}

} // namespace

namespace {

using namespace Qor;
using namespace QorTest;

TEST_F(ArrayCursor, GoingToTheEndsSkipsDisabledRows)
{
    list.SetRowEnabled(0, false);
    list.SetRowEnabled(7, false);
    list.GoEnd();
    EXPECT_EQ(list.GetCursor(), 6);
    list.GoBegin();
    EXPECT_EQ(list.GetCursor(), 1);
    list.ClearCursor();
    list.SetOption(ArrayCtrl::NO_CURSOR);
    list.GoBegin();
    list.GoEnd();
    EXPECT_FALSE(list.IsCursor());
}

TEST_F(ArrayCursor, GainingTheFocusWithoutACursorPutsItOnTheFirstEnabledRow)
{
    list.SetRowEnabled(0, false);
    list.FocusGained();
    EXPECT_EQ(list.GetCursor(), 1);
    list.SetCursor(4);
    list.FocusLost();
    list.FocusGained();
    EXPECT_EQ(list.GetCursor(), 4) << "a cursor stays where it is";

    ArrayCtrl empty;
    empty.FocusGained();
    EXPECT_FALSE(empty.IsCursor());

    ArrayCtrl plain;
    FillRows(plain, 3);
    plain.SetOption(ArrayCtrl::FOCUS_SETS_CURSOR, false);
    plain.FocusGained();
    EXPECT_FALSE(plain.IsCursor());
}

} // namespace
