// The column list on a private X server under real input: the layout example painted and
// hit by clicks, the cursor keys, Shift ranges, paging, the wheel, column edges dragged with
// the resize pointer, and items dragged within the list and out to another control.
#include "tests/lists/columnlist/column_list_fixture.h"

#include "tests/support/lambda_callback.h"
#include "tests/support/x11/input_window.h"

#include "ctrl/dnd/drag_source.h"
#include "ctrl/input/resize_host.h"
#include "ctrl/x11/dnd/dnd_loop.h"
#include "draw/look/sys_colors.h"
#include "foundation/values/number_text.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

using namespace Qor;
using namespace QorTest;

const char* ITEMS_FORMAT = "x-qor-test-items";

// Takes drops of the list's items and notes them.
class ItemPlace : public Ctrl {
public:
    std::vector<std::string> drops;

    void DropAtPoint(Point, TransferOffer& offer) override
    {
        if(offer.Accept(ITEMS_FORMAT))
            drops.push_back(offer.GetData().Begin());
    }
    void Paint(Draw& w) override { w.DrawRect(Rect(GetSize()), Color(200, 220, 255)); }
};

class ListWindow : public Ctrl {
public:
    ColumnList list;
    ItemPlace place;

    ListWindow()
    {
        list.SetItemHeight(ROW_HEIGHT);
        list.SetColumnCount(3);
        place.SetRect(340, 0, 100, 100);
        AppendChild(list);
        AppendChild(place);
    }
};

const Rect WINDOW_ON_SCREEN(Point(40, 40), Size(440, 100));

class ColumnListInput : public PrivateDisplayTest {
protected:
    ListWindow host;
    ColumnList& list = host.list;
    std::unique_ptr<OpenInput> window;
    int actions = 0;

    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        // The skin that sizes the view edge is in place only once the display is up.
        list.SetRect(ListRectForView(Point(0, 0), EXAMPLE_VIEW));
        list.SetAction(Lambda([this] { actions++; }));
        window = std::make_unique<OpenInput>(host, WINDOW_ON_SCREEN);
        ASSERT_TRUE(window->IsOpen());
        list.SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return list.HasFocus(); })) << "the list takes the focus";
        ASSERT_EQ(list.GetViewSize(), EXAMPLE_VIEW);
        ASSERT_EQ(list.GetCursor(), -1) << "an empty list gets no cursor from the focus";
    }
    void TearDown() override
    {
        list.GetItemPopup().Dismiss();
        window.reset();
        PrivateDisplayTest::TearDown();
    }
    // A point of the list's view, in the window.
    Point InWindow(Point p)
    {
        Rect view = list.GetViewRectOnScreen();
        return Point(p.x + view.left - WINDOW_ON_SCREEN.left, p.y + view.top - WINDOW_ON_SCREEN.top);
    }
    Point ItemCentre(int i) { return InWindow(list.GetItemRect(i).CenterPoint()); }
    void Key(KeySym key, std::initializer_list<KeySym> held = {}) { TypeKey(key, held); }
    std::vector<int> Selected()
    {
        std::vector<int> s;
        for(int i = 0; i < list.GetCount(); i++)
            if(list.IsSelected(i))
                s.push_back(i);
        return s;
    }
    Pixels ViewPixels()
    {
        PumpFor(50);
        Rect view = list.GetViewRectOnScreen().Offseted(-WINDOW_ON_SCREEN.left, -WINDOW_ON_SCREEN.top);
        return GrabPixels(window->GetWindow(), view);
    }
};

TEST_F(ColumnListInput, TheTenItemExampleIsPaintedAndHitByClicks)
{
    FillItems(list, 10);
    std::vector<Point> click_pos;
    int clicks = 0;
    list.WhenLeftClick = Lambda([&] { clicks++; });
    list.WhenLeftClickPos = Lambda<Point>([&](Point p) { click_pos.push_back(p); });
    Pixels px = ViewPixels();
    // The two empty slots of column 2 are paper; the separators right of the items of the
    // first two columns are in the disabled colour, the view's right edge in paper.
    for(int y = 40; y < 80; y++)
        for(int x = 200; x < 300; x++)
            ASSERT_EQ(px.At(x, y), SysColorPaper()) << x << "," << y;
    for(int y : { 0, 79 }) {
        EXPECT_EQ(px.At(99, y), SysColorDisabled()) << y;
        EXPECT_EQ(px.At(199, y), SysColorDisabled()) << y;
    }
    EXPECT_EQ(px.At(299, 0), SysColorPaper());

    for(int i : { 0, 3, 4, 9, 6 }) {
        Click(window->GetWindow(), ItemCentre(i));
        ASSERT_TRUE(PumpUntil([&] { return list.GetCursor() == i; })) << i << " " << list.GetCursor();
    }
    ASSERT_TRUE(PumpUntil([&] { return clicks == 5; }));
    EXPECT_EQ(click_pos.back(), Point(50, 10)) << "relative to the clicked cell (item 6: column 1, row 2)";
    Pixels cursor_px = ViewPixels();
    EXPECT_EQ(cursor_px.At(190, 50), SysColorHighlight()) << "the focused cursor item";

    // An empty slot keeps the cursor, unless the click-on-empty-space option is on.
    Click(window->GetWindow(), InWindow(Point(250, 70)));
    ASSERT_TRUE(PumpUntil([&] { return clicks == 6; }));
    EXPECT_EQ(list.GetCursor(), 6);
    list.ClickKill();
    Click(window->GetWindow(), InWindow(Point(250, 70)));
    ASSERT_TRUE(PumpUntil([&] { return list.GetCursor() == -1; }));
}

TEST_F(ColumnListInput, CursorKeys)
{
    FillItems(list, 10);
    const struct {
        KeySym key;
        int cursor;
    } steps[] = {
        { XK_Down, 0 }, // no cursor: the first item
        { XK_Down, 1 }, { XK_Right, 5 }, { XK_Right, 9 }, { XK_Right, 9 }, { XK_Left, 5 }, { XK_Left, 1 },
        { XK_Left, 0 }, { XK_End, 9 },   { XK_Down, 9 },  { XK_Home, 0 },  { XK_Up, 0 },
    };
    for(const auto& s : steps) {
        SCOPED_TRACE(XKeysymToString(s.key));
        int before = actions;
        Key(s.key);
        ASSERT_TRUE(PumpUntil([&] { return actions > before; })) << "every key runs the action";
        EXPECT_EQ(list.GetCursor(), s.cursor);
    }
    list.KillCursor();
    Key(XK_Up);
    EXPECT_TRUE(PumpUntil([&] { return list.GetCursor() == 9; })) << "no cursor: Up goes to the last item";
}

TEST_F(ColumnListInput, ShiftWithTheKeysSelectsFromTheAnchor)
{
    for(int i = 0; i < 8; i++)
        list.Add(i, i != 3);
    for(int i = 0; i < 3; i++)
        Key(XK_Down);
    ASSERT_TRUE(PumpUntil([&] { return list.GetCursor() == 2; })) << list.GetCursor();
    Key(XK_Down, { XK_Shift_L });
    Key(XK_Down, { XK_Shift_L });
    ASSERT_TRUE(PumpUntil([&] { return list.GetCursor() == 4; }));
    EXPECT_EQ(Selected(), (std::vector<int>{ 2, 4 })) << "item 3 cannot be selected";
    Key(XK_Down);
    ASSERT_TRUE(PumpUntil([&] { return list.GetCursor() == 5; }));
    EXPECT_EQ(Selected(), (std::vector<int>{ 2, 4 })) << "moving without Shift keeps the selection";
    Key(XK_Left, { XK_Shift_L });
    ASSERT_TRUE(PumpUntil([&] { return list.GetCursor() == 1; }));
    EXPECT_EQ(Selected(), (std::vector<int>{ 1, 2, 4, 5 })) << "from the new anchor, 5, back to 1";
}

TEST_F(ColumnListInput, PagingMovesTheViewAndTheCursorTogether)
{
    FillItems(list, 30);
    ASSERT_TRUE(PumpUntil([&] { return list.GetScrollBar().IsVisible(); }));
    ASSERT_EQ(list.GetScrollBar().GetPage(), 12);
    list.SetCursor(1);
    const struct {
        KeySym key;
        int first;
        int cursor;
    } steps[] = {
        { XK_Next, 11, 12 }, { XK_Next, 18, 19 }, { XK_Next, 18, 29 }, // the last page: the last item
        { XK_Prior, 7, 18 }, { XK_Prior, 0, 11 }, { XK_Prior, 0, 0 },
    };
    for(const auto& s : steps) {
        SCOPED_TRACE(XKeysymToString(s.key));
        int before = actions;
        Key(s.key);
        ASSERT_TRUE(PumpUntil([&] { return actions > before; }));
        EXPECT_EQ(list.GetFirstVisible(), s.first);
        EXPECT_EQ(list.GetCursor(), s.cursor);
    }
}

TEST_F(ColumnListInput, TheWheelScrollsThreeItemsANotch)
{
    FillItems(list, 30);
    list.SetCursor(0);
    Click(window->GetWindow(), InWindow(Point(150, 40)), 5);
    ASSERT_TRUE(PumpUntil([&] { return list.GetFirstVisible() > 0; }));
    EXPECT_EQ(list.GetFirstVisible(), 3);
    Click(window->GetWindow(), InWindow(Point(150, 40)), 4);
    ASSERT_TRUE(PumpUntil([&] { return list.GetFirstVisible() == 0; }));
    EXPECT_EQ(list.GetCursor(), 0) << "the wheel leaves the cursor";
}

TEST_F(ColumnListInput, AClippedItemShowsInFullUnderThePointer)
{
    list.Add("short");
    list.Add("a name far too long for a column a hundred pixels wide.txt");
    DisplayPopup& popup = list.GetItemPopup();
    Rect item = list.GetItemRect(1);
    MovePointer(window->GetWindow(), InWindow(list.GetItemRect(0).CenterPoint()));
    PumpFor(100);
    EXPECT_FALSE(popup.IsOpen()) << "a value that fits needs no pop-up";

    MovePointer(window->GetWindow(), InWindow(item.CenterPoint()));
    ASSERT_TRUE(PumpUntil([&] { return popup.IsOpen(); }));
    Rect view = list.GetViewRectOnScreen();
    Rect shown = popup.GetRectOnScreen();
    EXPECT_EQ(shown.left, view.left + item.left - 1);
    EXPECT_GT(shown.right, view.left + item.right + 1) << "grown to the whole value";

    // The last pixels before the column's edge belong to the edge drag.
    MovePointer(window->GetWindow(), InWindow(Point(item.right - 2, item.top + 5)));
    EXPECT_TRUE(PumpUntil([&] { return !popup.IsOpen(); }));

    list.ItemPopup(false);
    MovePointer(window->GetWindow(), InWindow(item.CenterPoint()));
    PumpFor(100);
    EXPECT_FALSE(popup.IsOpen());
}

class ColumnListEdgeDrag : public ColumnListInput {
protected:
    void DragEdge(int from_x, int to_x)
    {
        int before = list.GetColumnCount();
        Drag(window->GetWindow(), InWindow(Point(from_x, 30)), InWindow(Point(to_x, 30)));
        PumpUntil([&] { return list.GetColumnCount() != before && !list.HasCapture(); });
        PumpFor(50);
    }
};

TEST_F(ColumnListEdgeDrag, DraggingAnEdgeSetsTheColumnCount)
{
    FillItems(list, 10);
    int s = ColumnList::GetMinColumnWidth();
    ASSERT_LE(s, 25) << "12 columns of the 300-pixel view must stay wider than the minimum";
    // Pointer shapes are told apart by the stock shape they stand for.
    int64 resize = GetHorizontalResizeCursor().GetAuxData();
    EXPECT_EQ(list.CursorFor(Point(101, 30), 0).GetAuxData(), resize);
    EXPECT_EQ(list.CursorFor(Point(97, 30), 0).GetAuxData(), resize);
    EXPECT_NE(list.CursorFor(Point(96, 30), 0).GetAuxData(), resize);
    EXPECT_NE(list.CursorFor(Point(60, 30), 0).GetAuxData(), resize);
    DragEdge(102, 50); // the right edge of column 0
    EXPECT_EQ(list.GetColumnCount(), 6);
    DragEdge(99, 50); // column 1's edge, now at 100
    EXPECT_EQ(list.GetColumnCount(), 12);
    EXPECT_FALSE(list.HasCapture());
    EXPECT_EQ(list.GetCursor(), -1) << "an edge press is no click";

    list.SetColumnCount(3);
    DragEdge(298, 150); // the view's right edge is the last column's
    EXPECT_EQ(list.GetColumnCount(), 6);
}

TEST_F(ColumnListEdgeDrag, FarLeftEveryColumnKeepsTheMinimumWidth)
{
    FillItems(list, 200);
    int width = list.GetViewSize().cx; // narrowed by the scroll bar
    int s = ColumnList::GetMinColumnWidth();
    DragEdge(width - 1, 1); // the last column's edge, three columns' worth
    int n = list.GetColumnCount();
    EXPECT_EQ(n, width / s);
    Size view = list.GetViewSize();
    for(int c = 0; c < n; c++)
        EXPECT_GE(list.GetColumnWidth(c), s) << c;
    // Every column's items are within reach.
    int last = list.GetFirstVisible() + (n - 1) * (view.cy / ROW_HEIGHT);
    EXPECT_LT(list.GetItemRect(last).left, view.cx);
    EXPECT_EQ(list.GetItemAt(Point(list.GetItemRect(last).left + 1, 1)), last);
}

// Items dragged from the list: a press on an item and a move start the drag; the drag's
// own loop then holds the pointer, so timers move it to the target and release it there.
class ColumnListItemDrag : public ColumnListInput {
protected:
    Point drop_at; // screen
    int drag_result = -1;
    int drags = 0;
    int saved_wait = 200;
    bool marked = false;
    Pixels hover_pixels; // the view just before the drop

    void SetUp() override
    {
        ColumnListInput::SetUp();
        saved_wait = SetXdndReplyWait(3000);
        FillItems(list, 10);
        list.WhenDrag = Lambda([this] { StartItemDrag(); });
    }
    void TearDown() override
    {
        SetXdndReplyWait(saved_wait);
        ColumnListInput::TearDown();
    }
    void StartItemDrag()
    {
        drags++;
        TransferFormatMap data;
        data.Add(ITEMS_FORMAT, TransferItem(IntToText(list.GetCursor())));
        ScheduleTimer(30, Lambda([this] { MovePointer(root, drop_at); }), this);
        ScheduleTimer(500, Lambda([this] { Release(); }), this);
        drag_result = Ctrl::StartDrag(&list, data, Image(), DND_ALLOW_COPY | DND_ALLOW_MOVE);
    }
    void Release()
    {
        marked = list.GetDropPos() >= 0;
        if(marked)
            hover_pixels = ViewPixels();
        XTestFakeButtonEvent(display, 1, false, 0);
        XSync(display, false);
    }
    void DragFrom(int item)
    {
        MovePointer(window->GetWindow(), ItemCentre(item));
        XTestFakeButtonEvent(display, 1, true, 0);
        PumpFor(100);
        MovePointer(window->GetWindow(), ItemCentre(item) + Point(12, 8));
        ASSERT_TRUE(PumpUntil([&] { return drag_result >= 0; }, 5000)) << drags << " drags";
    }
};

TEST_F(ColumnListItemDrag, AnItemDraggedOutToAnotherControl)
{
    drop_at = host.place.GetRectOnScreen().CenterPoint();
    DragFrom(2);
    EXPECT_EQ(drags, 1);
    EXPECT_EQ(drag_result, DROP_MOVE);
    EXPECT_EQ(host.place.drops, (std::vector<std::string>{ "2" }));
}

TEST_F(ColumnListItemDrag, AnItemDroppedBetweenItemsOfTheList)
{
    std::vector<std::string> inserts;
    list.WhenDropInsert = Lambda<int, TransferOffer&>([&](int i, TransferOffer& offer) {
        if(offer.Accept(ITEMS_FORMAT))
            inserts.push_back(std::to_string(i) + " " + offer.GetData().Begin());
    });
    Rect r = list.GetItemRect(6);
    drop_at = list.GetViewRectOnScreen().TopLeft() + Point(r.left + 30, r.top + 1); // item 6's top quarter
    DragFrom(1);
    EXPECT_EQ(drag_result, DROP_MOVE);
    EXPECT_EQ(inserts, (std::vector<std::string>{ "6 1" }));
    EXPECT_TRUE(marked) << "the insertion place was marked while the drag hovered";
    EXPECT_EQ(list.GetDropPos(), -1) << "the mark goes with the drag";
}

TEST_F(ColumnListItemDrag, AnInsertionBeforeAColumnsFirstItemIsMarkedAtBothEnds)
{
    std::vector<std::string> inserts;
    list.WhenDropInsert = Lambda<int, TransferOffer&>([&](int i, TransferOffer& offer) {
        if(offer.Accept(ITEMS_FORMAT))
            inserts.push_back(std::to_string(i) + " " + offer.GetData().Begin());
    });
    Rect r = list.GetItemRect(3); // the bottom of column 0
    drop_at = list.GetViewRectOnScreen().TopLeft() + Point(r.left + 30, r.bottom - 2);
    DragFrom(1);
    EXPECT_EQ(inserts, (std::vector<std::string>{ "4 1" }));
    ASSERT_TRUE(marked);
    auto marks = [&](int x0, int y) {
        int n = 0;
        for(int x = x0; x < x0 + 99; x++)
            n += hover_pixels.At(x, y) == SysColorHighlight();
        return n;
    };
    EXPECT_GT(marks(0, 78), 90) << "below item 3, at the bottom of column 0";
    EXPECT_GT(marks(100, 0), 90) << "above item 4, at the top of column 1";
    EXPECT_LT(marks(0, 40), 10) << "nowhere else";
}

TEST_F(ColumnListItemDrag, WithoutDropCallbacksTheListTakesNothing)
{
    drop_at = list.GetViewRectOnScreen().TopLeft() + list.GetItemRect(6).CenterPoint();
    DragFrom(1);
    EXPECT_EQ(drag_result, DROP_NONE);
    EXPECT_EQ(list.GetDropPos(), -1);
}

} // namespace
