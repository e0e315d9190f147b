// The list's keys without a window: cursor keys with and without Shift, pages, Home/End,
// Ctrl+A, type-ahead, Enter and a read-only list.
#include "tests/lists/array/array_fixture.h"

#include "foundation/char_filter.h"
#include "tests/support/lambda_callback.h"
#include "widgets/bar/bar.h"

#include <set>

namespace {

using namespace Qor;
using namespace QorTest;

constexpr dword HOME = 0x1FF50, END = 0x1FF57, UP = 0x1FF52, DOWN = 0x1FF54, PGUP = 0x1FF55, PGDN = 0x1FF56;
constexpr dword CTRL = 0x20000, SHIFT = 0x40000;
constexpr int ROWS = 20;
constexpr int ROW_CY = 10;

class ArrayKeys : public ::testing::Test {
protected:
    ArrayCtrl list;

    void SetUp() override
    {
        FillRows(list, ROWS);
        list.AddColumnForIndex(1, "Name");
        list.SetOption(ArrayCtrl::HORZ_GRID, false);
        list.SetDefaultRowHeight(ROW_CY);
        list.SetRect(0, 0, 200, 120);
    }
    std::set<int> Selected()
    {
        std::set<int> s;
        for(int i = 0; i < list.GetCount(); i++)
            if(list.IsSelected(i))
                s.insert(i);
        return s;
    }
    // The rows a page key moves over.
    int PageRows()
    {
        int cy = list.GetViewSize().cy;
        return std::max(cy - ROW_CY, ROW_CY) / ROW_CY;
    }
};

TEST_F(ArrayKeys, CursorKeysMoveAndSelect)
{
    struct Case {
        const char* name;
        bool multi;
        int cursor; // before the keys; -1 none
        std::vector<int> disabled;
        std::vector<dword> keys;
        int expected_cursor;
        std::set<int> expected_selection;
    } cases[] = {
        { "Down", false, 2, {}, { DOWN }, 3, {} },
        { "Up", false, 2, {}, { UP }, 1, {} },
        { "Down skips a disabled row", false, 2, { 3 }, { DOWN }, 4, {} },
        { "Up skips a disabled row", false, 5, { 4, 3 }, { UP }, 2, {} },
        { "Up with no enabled row above stays", false, 1, { 0 }, { UP }, 1, {} },
        { "Down with no enabled row below stays", true, 18, { 19 }, { DOWN }, 18, { 18 } },
        { "Home", false, 7, {}, { HOME }, 0, {} },
        { "Home skips a disabled first row", false, 7, { 0 }, { HOME }, 1, {} },
        { "End", false, 7, {}, { END }, ROWS - 1, {} },
        { "Ctrl+Page Down ends like End", false, 3, {}, { CTRL | PGDN }, ROWS - 1, {} },
        { "Ctrl+Page Up begins like Home", false, 3, {}, { CTRL | PGUP }, 0, {} },
        { "Down in a multi-selection selects only the new row", true, 2, {}, { DOWN }, 3, { 3 } },
        { "Shift+Down extends from the anchor", true, 2, {}, { SHIFT | DOWN, SHIFT | DOWN }, 4, { 2, 3, 4 } },
        { "Shift+Up extends upwards", true, 5, {}, { SHIFT | UP, SHIFT | UP }, 3, { 3, 4, 5 } },
        { "Down after Shift+Down starts afresh", true, 2, {}, { SHIFT | DOWN, DOWN }, 4, { 4 } },
        { "Shift+End selects to the last row", true, 16, {}, { SHIFT | END }, ROWS - 1, { 16, 17, 18, 19 } },
        { "Shift+Home selects to the first row", true, 2, {}, { SHIFT | HOME }, 0, { 0, 1, 2 } },
        { "Ctrl+Home resets the selection to the cursor", true, 4, {}, { SHIFT | DOWN, CTRL | HOME }, 0, { 0 } },
        { "Ctrl+A does nothing in a single-selection list", false, 4, {}, { CTRL | 'A' }, 4, {} },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        list.SetOption(ArrayCtrl::MULTI_SELECT, c.multi);
        for(int i = 0; i < ROWS; i++)
            list.SetRowEnabled(i, true);
        list.ClearSelection();
        list.CancelCursor();
        if(c.cursor >= 0) {
            ASSERT_TRUE(list.SetCursor(c.cursor));
        }
        for(int row : c.disabled)
            list.SetRowEnabled(row, false);
        for(dword key : c.keys)
            EXPECT_TRUE(list.ProcessKey(key, 1)) << std::hex << key;
        EXPECT_EQ(list.GetCursor(), c.expected_cursor);
        EXPECT_EQ(Selected(), c.expected_selection);
    }
}

TEST_F(ArrayKeys, CtrlASelectsEveryRowOfAMultiSelectionList)
{
    list.SetOption(ArrayCtrl::MULTI_SELECT);
    ASSERT_TRUE(list.SetCursor(5));
    EXPECT_TRUE(list.ProcessKey(CTRL | 'A', 1));
    EXPECT_EQ(list.GetCursor(), ROWS - 1);
    EXPECT_EQ(list.GetSelectCount(), ROWS);
    EXPECT_EQ(list.GetAnchor(), 0);
}

TEST_F(ArrayKeys, PagesMoveByTheViewAndKeepTheRowsDistanceFromTheTop)
{
    int page = PageRows();
    ASSERT_GE(page, 2) << "the view must hold a few rows";
    ASSERT_TRUE(list.SetCursor(2));
    int distance = list.GetLineY(2) - list.GetScrollPos();
    EXPECT_TRUE(list.ProcessKey(PGDN, 1));
    EXPECT_EQ(list.GetCursor(), 2 + page);
    EXPECT_EQ(list.GetLineY(list.GetCursor()) - list.GetScrollPos(), distance);
    EXPECT_TRUE(list.ProcessKey(PGUP, 1));
    EXPECT_EQ(list.GetCursor(), 2);

    // With less than a page of rows beyond the cursor, the page keys leave it where it is.
    ASSERT_TRUE(list.SetCursor(ROWS - 2));
    EXPECT_TRUE(list.ProcessKey(PGDN, 1));
    EXPECT_EQ(list.GetCursor(), ROWS - 2);
    ASSERT_TRUE(list.SetCursor(1));
    EXPECT_TRUE(list.ProcessKey(PGUP, 1));
    EXPECT_EQ(list.GetCursor(), 1);
}

TEST_F(ArrayKeys, WithoutACursorTheKeysScroll)
{
    list.SetOption(ArrayCtrl::FOCUS_SETS_CURSOR, false);
    ASSERT_EQ(list.GetScrollPos(), 0);
    EXPECT_TRUE(list.ProcessKey(DOWN, 1));
    EXPECT_EQ(list.GetScrollPos(), ROW_CY);
    EXPECT_TRUE(list.ProcessKey(UP, 1));
    EXPECT_EQ(list.GetScrollPos(), 0);
    EXPECT_TRUE(list.ProcessKey(PGDN, 1));
    EXPECT_GT(list.GetScrollPos(), ROW_CY);
    EXPECT_EQ(list.GetCursor(), -1);
}

TEST_F(ArrayKeys, TypeAheadSearchesBelowTheCursorAndWraps)
{
    const char* names[] = { "apple", "Banana", "avocado", "cherry", "apricot" };
    list.Clear();
    for(int i = 0; i < 5; i++)
        list.Set(i, 1, names[i]);
    list.GetColumn(0).SetKeyFilter(CharFilterLowerAlnum);
    struct Case {
        int cursor;
        dword key;
        int expected;
    } cases[] = {
        { 2, 'a', 4 },  // below the cursor first
        { 4, 'a', 0 },  // wraps from the last row to the top
        { 3, 'c', 3 },  // the cursor row itself is tested last
        { -1, 'b', 1 }, // without a cursor from the top, case folded by the filter
        { 1, 'z', 1 },  // no match: consumed, nothing moves
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.key);
        list.CancelCursor();
        if(c.cursor >= 0) {
            ASSERT_TRUE(list.SetCursor(c.cursor));
        }
        EXPECT_TRUE(list.ProcessKey(c.key, 1));
        EXPECT_EQ(list.GetCursor(), c.expected);
    }
}

TEST_F(ArrayKeys, PrintableKeysWithoutAFilterPassToTheOwner)
{
    ASSERT_TRUE(list.SetCursor(0));
    EXPECT_FALSE(list.ProcessKey('r', 1));
    EXPECT_EQ(list.GetCursor(), 0);
}

TEST_F(ArrayKeys, EnterRunsTheEnterCallbackOnlyWithACursor)
{
    int entered = 0;
    list.WhenEnterKey = Lambda([&] { entered++; });
    EXPECT_FALSE(list.ProcessKey(13, 1)) << "no cursor: the owner gets Enter";
    EXPECT_EQ(entered, 0);
    ASSERT_TRUE(list.SetCursor(3));
    EXPECT_TRUE(list.ProcessKey(13, 1));
    EXPECT_EQ(entered, 1);
}

TEST_F(ArrayKeys, AReadOnlyListTakesNoKey)
{
    ASSERT_TRUE(list.SetCursor(3));
    list.SetEditable(false);
    for(dword key : { DOWN, UP, HOME, END, PGDN, CTRL | 'A', dword(13), dword('a') })
        EXPECT_FALSE(list.ProcessKey(key, 1)) << std::hex << key;
    EXPECT_EQ(list.GetCursor(), 3);
}

TEST_F(ArrayKeys, TheRowMenusKeysGetTheRest)
{
    int ran = 0;
    list.WhenBar = Lambda<Bar&>([&](Bar& bar) { bar.AddItem(Lambda([&] { ran++; })).Key(0x1FFFF); });
    EXPECT_TRUE(list.ProcessKey(0x1FFFF, 1));
    EXPECT_EQ(ran, 1);
    EXPECT_FALSE(list.ProcessKey(0x1FFBE, 1)) << "F1 is bound to nothing";
}

} // namespace
