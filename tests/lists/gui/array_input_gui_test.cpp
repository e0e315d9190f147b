// The list under real input on a private X server: clicks and their notifications in order,
// double clicks, Ctrl and Shift clicks, the wheel, keys, and rows dragged within the list
// and out to another control.
#include "lists/array/array_ctrl.h"

#include "tests/support/lambda_callback.h"
#include "tests/support/x11/input_window.h"
#include "tests/x11/dnd/patient_drag.h"

#include "ctrl/dnd/drag_source.h"
#include "ctrl/x11/dnd/dnd_loop.h"
#include "widgets/bar/bar.h"
#include "widgets/menu/menu_bar.h"
#include "draw/look/sys_colors.h"
#include "foundation/values/number_text.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

using namespace Qor;
using namespace QorTest;

const char* ROWS_FORMAT = "x-qor-test-rows";

// Takes drops of the list's rows and notes them.
class RowPlace : public Ctrl {
public:
    std::vector<std::string> drops;

    void DropAtPoint(Point, TransferOffer& offer) override
    {
        if(offer.Accept(ROWS_FORMAT))
            drops.push_back(offer.GetData().Begin());
    }
    void Paint(Draw& w) override { w.DrawRect(Rect(GetSize()), Color(200, 220, 255)); }
};

// The list with a drop place beside it in one window.
class ListWindow : public Ctrl {
public:
    ArrayCtrl list;
    RowPlace place;

    ListWindow()
    {
        list.SetRect(0, 0, 240, 160);
        place.SetRect(260, 0, 100, 160);
        AppendChild(list);
        AppendChild(place);
    }
};

const Rect WINDOW_ON_SCREEN(Point(40, 40), Size(360, 160));
constexpr int ROWS = 30;

class ArrayInput : public PrivateDisplayTest {
protected:
    ListWindow host;
    ArrayCtrl& list = host.list;
    std::vector<std::string> events;
    std::unique_ptr<OpenInput> window;

    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        list.AddColumn("Term");
        list.AddColumn("Meaning");
        for(int i = 0; i < ROWS; i++) {
            list.Set(i, 0, String("term ") + IntToText(i));
            list.Set(i, 1, String("meaning ") + IntToText(i));
        }
        list.WhenLeftClick = Lambda([this] { Note("LeftClick", list.GetClickRow()); });
        list.WhenLeftDouble = Lambda([this] { Note("LeftDouble", list.GetClickRow()); });
        list.WhenCursor = Lambda([this] { Note("Cursor", list.GetCursor()); });
        list.WhenSel = Lambda([this] { Note("Sel", list.GetCursor()); });
        list.WhenKillCursor = Lambda([this] { Note("KillCursor", list.GetCursor()); });
        window = std::make_unique<OpenInput>(host, WINDOW_ON_SCREEN);
        ASSERT_TRUE(window->IsOpen());
        list.SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return list.HasFocus(); })) << "the list takes the focus";
        events.clear();
    }
    void TearDown() override
    {
        list.GetInfoPopup().Dismiss();
        window.reset();
        PrivateDisplayTest::TearDown();
    }
    void Note(const char* what, int row)
    {
        events.push_back(std::string(what) + " " + (IsNullInt(row) ? std::string("null") : std::to_string(row)));
    }
    // The middle of a cell, in the window.
    Point CellPoint(int row, int column)
    {
        Rect cell = list.GetCellRect(row, column);
        Rect view = list.GetViewRectOnScreen();
        return Point(view.left - WINDOW_ON_SCREEN.left + (cell.left + cell.right) / 2,
                     view.top - WINDOW_ON_SCREEN.top + (cell.top + cell.bottom) / 2);
    }
    void ClickCell(int row, int column, std::initializer_list<KeySym> held = {})
    {
        for(KeySym k : held)
            XTestFakeKeyEvent(display, XKeysymToKeycode(display, k), true, 0);
        Click(window->GetWindow(), CellPoint(row, column));
        for(KeySym k : held)
            XTestFakeKeyEvent(display, XKeysymToKeycode(display, k), false, 0);
        XSync(display, false);
    }
    bool Until(const std::vector<std::string>& expected)
    {
        return PumpUntil([&] { return events.size() >= expected.size(); }) && events == expected;
    }
    std::vector<int> Selected()
    {
        std::vector<int> s;
        for(int i = 0; i < list.GetCount(); i++)
            if(list.IsSelected(i))
                s.push_back(i);
        return s;
    }
};

using Events = std::vector<std::string>;

TEST_F(ArrayInput, ClicksMoveTheCursorThenTellTheOwner)
{
    ASSERT_EQ(list.GetCursor(), 0) << "the focus put the cursor on the first row";
    ClickCell(2, 1);
    EXPECT_TRUE(Until({ "KillCursor 0", "Cursor 2", "Sel 2", "LeftClick 2" })) << ::testing::PrintToString(events);
    EXPECT_EQ(list.GetClickColumn(), 1);

    // On the cursor row the click waits for the button-up, and moves nothing.
    events.clear();
    ClickCell(2, 0);
    EXPECT_TRUE(Until({ "LeftClick 2" })) << ::testing::PrintToString(events);
    EXPECT_EQ(list.GetClickColumn(), 0);

    // Below the last row there is no clicked row, but the owner still hears of the click.
    list.Clear();
    for(int i = 0; i < 3; i++)
        list.Set(i, 0, i);
    PumpFor(50);
    events.clear();
    Click(window->GetWindow(), Point(60, 150));
    EXPECT_TRUE(Until({ "LeftClick null" })) << ::testing::PrintToString(events);
    EXPECT_TRUE(IsNullInt(list.GetClickColumn()));
}

TEST_F(ArrayInput, ADoubleClickFollowsItsClick)
{
    Click(window->GetWindow(), CellPoint(3, 0));
    Click(window->GetWindow(), CellPoint(3, 0));
    EXPECT_TRUE(Until({ "KillCursor 0", "Cursor 3", "Sel 3", "LeftClick 3", "LeftDouble 3" }))
        << ::testing::PrintToString(events);
}

TEST_F(ArrayInput, CtrlAndShiftClicksSelectInAMultiSelectionList)
{
    list.SetOption(ArrayCtrl::MULTI_SELECT);
    ClickCell(1, 0);
    ASSERT_TRUE(PumpUntil([&] { return list.GetCursor() == 1; }));
    EXPECT_EQ(Selected(), (std::vector<int>{ 1 }));
    ClickCell(4, 0, { XK_Control_L });
    ASSERT_TRUE(PumpUntil([&] { return list.IsSelected(4); }));
    EXPECT_EQ(Selected(), (std::vector<int>{ 1, 4 })) << "Ctrl adds a row";
    EXPECT_EQ(list.GetAnchor(), 4);
    ClickCell(6, 0, { XK_Shift_L });
    ASSERT_TRUE(PumpUntil([&] { return list.IsSelected(6); }));
    EXPECT_EQ(Selected(), (std::vector<int>{ 4, 5, 6 })) << "Shift selects from the anchor, dropping the rest";
    ClickCell(5, 0, { XK_Control_L });
    ASSERT_TRUE(PumpUntil([&] { return !list.IsSelected(5); }));
    EXPECT_EQ(Selected(), (std::vector<int>{ 4, 6 })) << "Ctrl toggles a selected row off";
    // A plain click on a selected row acts on the button-up: that row alone stays.
    ClickCell(4, 0);
    ASSERT_TRUE(PumpUntil([&] { return !list.IsSelected(6); }));
    EXPECT_EQ(Selected(), (std::vector<int>{ 4 }));
}

// A read-only list takes no press and no double click; the click after it, on an editable
// list, is the only one heard (the events arrive in order, so the first was handled by then).
TEST_F(ArrayInput, AReadOnlyListIgnoresPresses)
{
    list.SetEditable(false);
    Click(window->GetWindow(), CellPoint(2, 1));
    Click(window->GetWindow(), CellPoint(2, 1));
    PumpFor(100);
    list.SetEditable(true);
    PumpFor(900); // past the double-click time
    ClickCell(4, 0);
    EXPECT_TRUE(Until({ "KillCursor 0", "Cursor 4", "Sel 4", "LeftClick 4" })) << ::testing::PrintToString(events);
}

// A press on a column divider inside the list resizes the column, and is no click.
TEST_F(ArrayInput, ADividerPressInsideTheListResizesTheColumn)
{
    HeaderCtrl& header = list.GetHeader();
    int before = header.GetTabWidth(0);
    Rect view = list.GetViewRectOnScreen();
    Point divider(view.left - WINDOW_ON_SCREEN.left + before, CellPoint(3, 0).y);
    ASSERT_EQ(header.GetSplit(before), 0);
    Drag(window->GetWindow(), divider, divider + Size(30, 0));
    EXPECT_TRUE(PumpUntil([&] { return header.GetTabWidth(0) == before + 30; })) << header.GetTabWidth(0);
    EXPECT_EQ(list.GetCursor(), 0);
    EXPECT_TRUE(events.empty()) << ::testing::PrintToString(events);
}

// A right click puts the cursor on the row, selects it alone unless it was selected, and
// opens the row menu whether or not it hit a row.
TEST_F(ArrayInput, ARightClickMovesTheCursorAndOpensTheRowMenu)
{
    list.SetOption(ArrayCtrl::MULTI_SELECT);
    list.SelectRow(5);
    list.SelectRow(6);
    int menus = 0;
    list.WhenBar = Lambda<Bar&>([&](Bar& bar) {
        menus++;
        bar.AddItem(Callback()).Text("Item");
        // The menu runs its own loop: a timer of the list ends it.
        list.ScheduleTimer(50, Lambda([] { TypeKey(XK_Escape); }), 7);
    });
    Click(window->GetWindow(), CellPoint(2, 1), 3);
    ASSERT_TRUE(PumpUntil([&] { return menus == 1 && MenuBar::OpenMenuOwners().IsEmpty(); }, 10000));
    EXPECT_EQ(list.GetCursor(), 2);
    EXPECT_EQ(Selected(), std::vector<int>{ 2 });
    EXPECT_EQ(list.GetClickColumn(), 1);
    // A selected row under the click keeps the others selected too.
    list.SelectRow(7);
    Click(window->GetWindow(), CellPoint(7, 0), 3);
    ASSERT_TRUE(PumpUntil([&] { return menus == 2 && MenuBar::OpenMenuOwners().IsEmpty(); }, 10000));
    EXPECT_EQ(list.GetCursor(), 7);
    EXPECT_EQ(Selected(), (std::vector<int>{ 2, 7 }));
    // Below the last row: no row, still the menu.
    list.Clear();
    list.Set(0, 0, 1);
    PumpFor(20);
    Click(window->GetWindow(), Point(60, 150), 3);
    EXPECT_TRUE(PumpUntil([&] { return menus == 3 && MenuBar::OpenMenuOwners().IsEmpty(); }, 10000));
}

TEST_F(ArrayInput, TheWheelScrollsThreeRowsANotch)
{
    Click(window->GetWindow(), CellPoint(1, 0), 5);
    ASSERT_TRUE(PumpUntil([&] { return list.GetScrollPos() > 0; }));
    EXPECT_EQ(list.GetScrollPos(), 3 * list.GetDefaultRowHeight());
    EXPECT_EQ(list.GetCursor(), 0) << "the wheel leaves the cursor";
}

TEST_F(ArrayInput, KeysMoveTheCursorAndSearch)
{
    list.SetOption(ArrayCtrl::MULTI_SELECT);
    list.GetColumn(0).SetKeyFilter([](int c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
    list.Set(7, 0, "zebra");
    int enters = 0;
    list.WhenEnterKey = Lambda([&] { enters++; });
    struct Step {
        KeySym key;
        std::initializer_list<KeySym> held;
        int cursor;
        std::vector<int> selection;
    } steps[] = {
        { XK_Down, {}, 1, { 1 } },
        { XK_Down, { XK_Shift_L }, 2, { 1, 2 } },
        { XK_Down, { XK_Shift_L }, 3, { 1, 2, 3 } },
        { XK_End, {}, ROWS - 1, { ROWS - 1 } },
        { XK_Home, {}, 0, { 0 } },
        { XK_z, {}, 7, { 7 } }, // type-ahead
        { XK_Up, {}, 6, { 6 } },
        { XK_a, { XK_Control_L }, ROWS - 1, {} },
    };
    for(const Step& s : steps) {
        SCOPED_TRACE(XKeysymToString(s.key));
        TypeKey(s.key, s.held);
        ASSERT_TRUE(PumpUntil([&] { return list.GetCursor() == s.cursor; })) << list.GetCursor();
        if(!s.selection.empty()) {
            EXPECT_EQ(Selected(), s.selection);
        }
    }
    EXPECT_EQ(list.GetSelectCount(), ROWS) << "Ctrl+A selects every row";
    EXPECT_GT(list.GetScrollPos(), 0) << "the cursor row is scrolled into view";
    TypeKey(XK_Return);
    EXPECT_TRUE(PumpUntil([&] { return enters == 1; }));
}

// Drags rows by the pointer: a press on a selected row and a move start it; the drag's own
// loop then holds the pointer, so timers move it to the target and release it there.
class ArrayRowDrag : public ArrayInput {
protected:
    Point drop_at; // screen
    int drag_result = -1;
    int drags = 0;
    int mark_pixels = -1; // the highlight's pixels on the insertion line just before the drop
    int saved_wait = 200;

    void SetUp() override
    {
        ArrayInput::SetUp();
        saved_wait = SetXdndReplyWait(PEER_REPLY_WAIT_MS);
        list.SetOption(ArrayCtrl::MULTI_SELECT);
        list.SelectRow(1);
        list.SelectRow(2);
        list.WhenDrag = Lambda([this] { StartRowDrag(); });
    }
    void TearDown() override
    {
        SetXdndReplyWait(saved_wait);
        ArrayInput::TearDown();
    }
    void StartRowDrag()
    {
        drags++;
        String rows;
        for(int i = 0; i < list.GetCount(); i++)
            if(list.IsSelected(i))
                rows = rows.IsEmpty() ? IntToText(i) : rows + "," + IntToText(i);
        TransferFormatMap data;
        data.Add(ROWS_FORMAT, TransferItem(rows));
        ScheduleTimer(30, Lambda([this] { MovePointer(root, drop_at); }), this);
        ScheduleTimer(500, Lambda([this] { Release(); }), this);
        drag_result = Ctrl::StartDrag(&list, data, Image(), DND_ALLOW_COPY | DND_ALLOW_MOVE);
    }
    void Release()
    {
        if(list.GetDropRow() >= 0) {
            Rect view = list.GetViewRect();
            int y = view.top + list.GetLineY(list.GetDropRow()) - list.GetScrollPos() - 1;
            Pixels px = GrabPixels(window->GetWindow(), Rect(view.left, y, view.left + 100, y + 2));
            mark_pixels = px.Count(SysColorHighlight());
        }
        XTestFakeButtonEvent(display, 1, false, 0);
        XSync(display, false);
    }
    void DragFromRow(int row)
    {
        MovePointer(window->GetWindow(), CellPoint(row, 0));
        XTestFakeButtonEvent(display, 1, true, 0);
        PumpFor(100);
        MovePointer(window->GetWindow(), CellPoint(row, 0) + Point(12, 12));
        ASSERT_TRUE(PumpUntil([&] { return drag_result >= 0; }, 5000)) << drags << " drags";
    }
    Point ScreenCell(int row, int column) { return CellPoint(row, column) + WINDOW_ON_SCREEN.TopLeft(); }
};

TEST_F(ArrayRowDrag, RowsDroppedBetweenRowsOfTheList)
{
    std::vector<std::string> inserts;
    list.WhenDropInsert = Lambda<int, TransferOffer&>([&](int row, TransferOffer& offer) {
        if(offer.Accept(ROWS_FORMAT))
            inserts.push_back(std::to_string(row) + " " + offer.GetData().Begin());
    });
    Rect cell = list.GetCellRect(6, 0);
    drop_at = ScreenCell(6, 0);
    drop_at.y = list.GetViewRectOnScreen().top + cell.top + 1; // the top quarter of row 6
    DragFromRow(2);
    EXPECT_EQ(drags, 1);
    EXPECT_EQ(drag_result, DROP_MOVE);
    EXPECT_EQ(inserts, (std::vector<std::string>{ "6 1,2" })) << "an insertion before row 6";
    EXPECT_GT(mark_pixels, 50) << "the insertion mark is painted above row 6";
    EXPECT_EQ(list.GetDropRow(), -1) << "the mark goes with the drag";
    EXPECT_FALSE(list.IsDragHover());
    EXPECT_EQ(Selected(), (std::vector<int>{ 1, 2 })) << "the press on the selection did not click";
    EXPECT_TRUE(std::find(events.begin(), events.end(), "LeftClick 2") == events.end());
}

TEST_F(ArrayRowDrag, RowsDraggedOutToAnotherControl)
{
    drop_at = host.place.GetRectOnScreen().CenterPoint();
    DragFromRow(1);
    EXPECT_EQ(drag_result, DROP_MOVE);
    EXPECT_EQ(host.place.drops, (std::vector<std::string>{ "1,2" }));
}

TEST_F(ArrayRowDrag, ADragFromAnUnselectedRowStartsNothing)
{
    // Ctrl takes row 2 out of the selection at the press; the drag then starts from a row
    // that is not selected.
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, XK_Control_L), true, 0);
    MovePointer(window->GetWindow(), CellPoint(2, 0));
    XTestFakeButtonEvent(display, 1, true, 0);
    PumpFor(100);
    MovePointer(window->GetWindow(), CellPoint(2, 0) + Point(12, 12));
    PumpFor(200);
    XTestFakeButtonEvent(display, 1, false, 0);
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, XK_Control_L), false, 0);
    XSync(display, false);
    ASSERT_TRUE(PumpUntil([&] { return !list.IsSelected(2); }));
    PumpFor(100);
    EXPECT_EQ(drags, 0);
    EXPECT_EQ(Selected(), (std::vector<int>{ 1 }));
}

} // namespace
