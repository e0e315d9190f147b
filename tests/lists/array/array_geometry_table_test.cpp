// Row geometry with and without the horizontal grid as tables: row tops, heights, the total,
// the row at a coordinate, and cell rectangles under the tabs; and the notification orders
// of cursor moves through every operation that moves or removes the cursor.
#include "tests/lists/array/array_fixture.h"

namespace {

using namespace Qor;
using namespace QorTest;

// Ten rows of default height 20, row 3 of height 10 and row 6 of 30 when `own` is set.
struct GeometryCase {
    bool grid;
    bool own;
    std::vector<int> tops; // rows 0..9
    int total;
    std::vector<std::pair<int, int>> at; // y -> row
};

TEST(ArrayGeometryTable, RowsWithAndWithoutGridLines)
{
    const int N = INT_NULL;
    const GeometryCase cases[] = {
        { true,
          false,
          { 0, 21, 42, 63, 84, 105, 126, 147, 168, 189 },
          210,
          { { 0, 0 }, { 20, 0 }, { 21, 1 }, { 62, 2 }, { 63, 3 }, { 209, 9 }, { 210, N }, { -1, N } } },
        { false,
          false,
          { 0, 20, 40, 60, 80, 100, 120, 140, 160, 180 },
          200,
          { { 0, 0 }, { 19, 0 }, { 20, 1 }, { 199, 9 }, { 200, N } } },
        { true,
          true,
          { 0, 21, 42, 63, 74, 95, 116, 147, 168, 189 },
          210,
          { { 63, 3 }, { 73, 3 }, { 74, 4 }, { 116, 6 }, { 146, 6 }, { 147, 7 }, { 209, 9 }, { 210, N } } },
        { false,
          true,
          { 0, 20, 40, 60, 70, 90, 110, 140, 160, 180 },
          200,
          { { 69, 3 }, { 70, 4 }, { 139, 6 }, { 140, 7 }, { 199, 9 }, { 200, N } } },
    };
    for(const GeometryCase& c : cases) {
        ArrayCtrl list;
        list.SetDefaultRowHeight(20);
        list.HorzGrid(c.grid);
        FillRows(list, 10);
        if(c.own) {
            list.SetRowHeight(3, 10);
            list.SetRowHeight(6, 30);
        }
        std::string what = std::string(c.grid ? "grid" : "no grid") + (c.own ? ", own heights" : "");
        for(int r = 0; r < 10; r++)
            EXPECT_EQ(list.GetLineY(r), c.tops[r]) << what << ", row " << r;
        EXPECT_EQ(list.GetTotalCy(), c.total) << what;
        for(auto [y, row] : c.at)
            EXPECT_EQ(list.GetLineAt(y), row) << what << ", y " << y;
        // Every y inside the rows lands on the row whose span holds it.
        for(int y = 0; y < c.total; y++) {
            int row = list.GetLineAt(y);
            ASSERT_FALSE(IsNullInt(row)) << what << ", y " << y;
            EXPECT_LE(list.GetLineY(row), y);
            EXPECT_GT(list.GetLineY(row) + list.GetRowHeight(row) + (c.grid ? 1 : 0), y) << what << ", y " << y;
        }
    }
}

TEST(ArrayGeometryTable, CellsUnderTheTabsWithAndWithoutTheVerticalGrid)
{
    // Tabs of 100, 50 and 150 pixels.
    const struct {
        bool vgrid;
        int right[3];
    } cases[] = { { true, { 99, 149, 300 } }, { false, { 100, 150, 301 } } };
    for(auto c : cases) {
        ArrayCtrl list;
        list.SetDefaultRowHeight(20);
        list.VertGrid(c.vgrid);
        list.AddColumn("a", 100);
        list.AddColumn("b", 50);
        list.AddColumn("c", 150);
        FillRows(list, 3);
        list.SetRect(0, 0, 1000, 200);
        list.SetRect(0, 0, 1300 - list.GetViewSize().cx, 200); // a view 300 wide
        list.ResolveLayout(1);
        ASSERT_EQ(list.GetViewSize().cx, 300);
        const int left[3] = { 0, 100, 150 };
        for(int col = 0; col < 3; col++) {
            Rect r = list.GetCellRect(2, col);
            EXPECT_EQ(r, Rect(left[col], 42, c.right[col], 62)) << c.vgrid << " column " << col;
        }
        // The last tab's cell keeps its extra pixel wherever the tab is moved.
        list.GetHeader().MoveTab(2, 0);
        EXPECT_EQ(list.GetCellRect(0, 2), Rect(0, 0, 150 - (c.vgrid ? 1 : 0), 20));
        EXPECT_EQ(list.GetCellRect(0, 1).right, 300 - (c.vgrid ? 1 : 0) + 1);
        EXPECT_EQ(list.GetCellContentRect(0, 2).left, list.GetCellMargin(2));
    }
}

// The journal of each operation on a list of eight rows whose cursor is on row 2.
TEST(ArrayCursorOrder, EveryCursorMoveAnnouncesInOrder)
{
    const struct {
        const char* what;
        void (*op)(ArrayCtrl&);
        Events events;
    } cases[] = {
        { "move",
          [](ArrayCtrl& l) { l.SetCursor(5); },
          { "AcceptRow 2", "KillCursor 2", "Action 5", "EnterRow 5", "Cursor 5", "Sel 5" } },
        { "same row", [](ArrayCtrl& l) { l.SetCursor(2); }, {} },
        { "past the end",
          [](ArrayCtrl& l) { l.SetCursor(99); },
          { "AcceptRow 2", "KillCursor 2", "Action 7", "EnterRow 7", "Cursor 7", "Sel 7" } },
        { "clear", [](ArrayCtrl& l) { l.ClearCursor(); }, { "AcceptRow 2", "KillCursor 2", "Cursor -1", "Sel -1" } },
        { "cancel", [](ArrayCtrl& l) { l.CancelCursor(); }, { "ArrayAction 2", "Cursor -1", "Sel -1" } },
        { "clear the rows", [](ArrayCtrl& l) { l.Clear(); }, { "KillCursor 2", "Cursor -1", "Sel -1" } },
        { "cut the rows", [](ArrayCtrl& l) { l.SetCount(2); }, { "ArrayAction 2", "Cursor -1", "Sel -1" } },
        { "cut below", [](ArrayCtrl& l) { l.SetCount(3); }, {} },
        { "go to the end",
          [](ArrayCtrl& l) { l.GoEnd(); },
          { "AcceptRow 2", "KillCursor 2", "Action 7", "EnterRow 7", "Cursor 7", "Sel 7" } },
        { "find",
          [](ArrayCtrl& l) { l.FindSetCursor(4); },
          { "AcceptRow 2", "KillCursor 2", "Action 4", "EnterRow 4", "Cursor 4", "Sel 4" } },
        { "sort", [](ArrayCtrl& l) { l.OnHeaderClick(0); }, { "AcceptRow 2", "KillCursor 2", "Cursor -1", "Sel -1" } },
        { "multi-selection move",
          [](ArrayCtrl& l) {
              l.MultiSelect();
              l.SetCursor(3);
          },
          { "AcceptRow 2", "KillCursor 2", "Action 3", "EnterRow 3", "Cursor 3", "Selection 3", "Sel 3", "Sel 3" } },
    };
    for(const auto& c : cases) {
        ArrayCtrl list;
        FillRows(list, 8);
        list.AddColumnForIndex(0, "n");
        NotificationLog log;
        log.Attach(list);
        ASSERT_TRUE(list.SetCursor(2));
        log.events.clear();
        c.op(list);
        EXPECT_EQ(log.events, c.events) << c.what;
    }
}

TEST(ArrayCursorOrder, ASortThatRefindsTheCursorAnnouncesBothSides)
{
    ArrayCtrl list;
    FillRows(list, 4);
    list.AddColumnForIndex(0, "n");
    list.SetRefindCursorAfterSort();
    NotificationLog log;
    log.Attach(list);
    ASSERT_TRUE(list.SetCursor(1));
    log.events.clear();
    list.OnHeaderClick(0); // ascending: nothing moves
    list.OnHeaderClick(0); // descending: key 1 lands on row 2
    EXPECT_EQ(log.events, (Events{ "AcceptRow 1", "KillCursor 1", "Cursor -1", "Sel -1", "Action 1", "EnterRow 1",
                                   "Cursor 1", "Sel 1", "AcceptRow 1", "KillCursor 1", "Cursor -1", "Sel -1",
                                   "Action 2", "EnterRow 2", "Cursor 2", "Sel 2" }));
    EXPECT_EQ(list.GetCursorKey(), Value(1));
}

} // namespace

namespace {

using namespace Qor;
using namespace QorTest;

TEST(ArrayVirtualRows, RowsBeyondTheStoredOnesCountEverywhere)
{
    ArrayCtrl list;
    list.SetDefaultRowHeight(20);
    FillRows(list, 3);
    list.AddRowNumberColumn("n");
    list.SetVirtualCount(10);
    EXPECT_EQ(list.GetCount(), 10);
    EXPECT_EQ(list.GetTotalCy(), 210);
    EXPECT_EQ(list.GetLineAt(200), 9);
    EXPECT_EQ(list.Get(8, 1), Value(INT_NULL));
    EXPECT_TRUE(list.IsRowEnabled(8));
    EXPECT_EQ(list.GetConvertedValue(8, 0), Value(8)) << "the row-number column numbers them";
    ASSERT_TRUE(list.SetCursor(50));
    EXPECT_EQ(list.GetCursor(), 9);
    list.InsertRows(0, 2);
    EXPECT_EQ(list.GetCount(), 12);
    EXPECT_EQ(list.GetCursor(), 11);
    list.RemoveRow(0);
    EXPECT_EQ(list.GetCount(), 11);
    list.SetVirtualCount(4);
    EXPECT_FALSE(list.IsCursor()) << "a cursor past the rows goes";
    list.Clear();
    EXPECT_EQ(list.GetVirtualCount(), -1);
    EXPECT_EQ(list.GetCount(), 0);
}

} // namespace
