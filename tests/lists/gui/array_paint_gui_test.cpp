// The list's pixels on a real X server: the grid lines in the grid colour under every row and
// right of every cell, the focused cursor row and selected rows in the highlight colours, the
// unfocused cursor row in the mixed grey, and the paper of odd and even rows.
#include "lists/array/array_ctrl.h"

#include "tests/support/x11/input_window.h"

#include "draw/look/sys_colors.h"
#include "widgets/static/static_text.h"

#include <memory>

namespace {

using namespace Qor;
using namespace QorTest;

const Rect LIST_ON_SCREEN(Point(40, 40), Size(300, 200));
const Color GRID(255, 0, 0);
const Color EVEN(240, 255, 240);
const Color ODD(240, 240, 255);

class ArrayPaintGui : public PrivateDisplayTest {
protected:
    ArrayCtrl list;

    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        list.SetWantsFocus();
        list.AddColumn("A");
        list.AddColumn("B");
        list.SetGridColor(GRID);
        list.SetEvenRowColor(EVEN, SysColorText());
        list.SetOddRowColor(ODD, SysColorText());
        list.SetDefaultRowHeight(20);
        for(int r = 0; r < 5; r++) {
            list.Set(r, 0, r);
            list.Set(r, 1, "");
        }
        window = std::make_unique<OpenInput>(list, LIST_ON_SCREEN);
        ASSERT_TRUE(window->IsOpen());
    }
    void TearDown() override
    {
        window.reset();
        PrivateDisplayTest::TearDown();
    }
    // A rectangle of the view in window coordinates.
    Rect InWindow(const Rect& r)
    {
        Rect view = list.GetViewRect();
        return r.Offseted(view.left, view.top);
    }
    // The empty cell of column 1 in a row, inside its margins.
    Pixels Cell(int row) { return GrabPixels(window->GetWindow(), InWindow(list.GetCellContentRect(row, 1))); }
    static bool All(const Pixels& px, Color c) { return px.Count(c) == px.cx * px.cy && px.cx * px.cy > 0; }

    std::unique_ptr<OpenInput> window;
};

TEST_F(ArrayPaintGui, GridLinesRunUnderEveryRowAndRightOfEveryCell)
{
    list.ClearCursor();
    ASSERT_TRUE(PumpUntil([&] { return All(Cell(0), EVEN) && All(Cell(1), ODD); }))
        << "rows take the even and odd paper";
    int width = list.GetViewSize().cx;
    for(int r = 0; r < 5; r++) {
        int y = list.GetLineY(r) + list.GetRowHeight(r);
        Pixels line = GrabPixels(window->GetWindow(), InWindow(Rect(0, y, width, y + 1)));
        EXPECT_TRUE(All(line, GRID)) << "under row " << r;
    }
    Rect cell = list.GetCellRect(0, 0);
    Pixels vertical = GrabPixels(window->GetWindow(), InWindow(Rect(cell.right, 0, cell.right + 1, list.GetTotalCy())));
    EXPECT_TRUE(All(vertical, GRID)) << "right of column 0";
    Pixels inside = GrabPixels(window->GetWindow(), InWindow(Rect(cell.right - 1, 0, cell.right, 20)));
    EXPECT_EQ(inside.Count(GRID), 0) << "the cell ends one pixel before";

    list.NoGrid();
    ASSERT_TRUE(PumpUntil([&] {
        return GrabPixels(window->GetWindow(), InWindow(Rect(0, 0, width, list.GetTotalCy()))).Count(GRID) == 0;
    })) << "without the grid no line is painted";
    EXPECT_EQ(list.GetLineY(1), 20);
}

TEST_F(ArrayPaintGui, TheCursorAndSelectedRowsTakeTheHighlight)
{
    ASSERT_TRUE(PumpUntil([&] { return list.HasFocus(); }));
    ASSERT_TRUE(list.SetCursor(1));
    ASSERT_TRUE(PumpUntil([&] { return All(Cell(1), SysColorHighlight()); }))
        << "the focused cursor row is highlighted";
    EXPECT_TRUE(All(Cell(0), EVEN));
    EXPECT_TRUE(All(Cell(2), EVEN));

    list.SelectRow(3);
    ASSERT_TRUE(PumpUntil([&] { return All(Cell(3), SysColorHighlight()); })) << "a selected row too";

    list.MultiSelect();
    ASSERT_TRUE(PumpUntil([&] {
        Pixels px = Cell(1);
        return px.Count(SysColorHighlight()) == 0 && px.Count(ODD) > px.cx * px.cy / 2;
    })) << "a multi-selection list marks its cursor row by the focus frame only";
    EXPECT_TRUE(All(Cell(3), SysColorHighlight()));
}

using ArrayPaintGuiUnfocused = PrivateDisplayTest;

TEST_F(ArrayPaintGuiUnfocused, AnUnfocusedCursorRowIsGrey)
{
    // The host window holds the focus; the list inside it has none.
    ParentCtrl host;
    host.SetWantsFocus();
    ArrayCtrl list;
    list.AddColumn("A");
    for(int r = 0; r < 3; r++)
        list.Set(r, 0, "");
    list.SetRect(0, 0, 200, 150);
    host.AppendChild(list);
    OpenInput window(host, LIST_ON_SCREEN);
    ASSERT_TRUE(window.IsOpen());
    ASSERT_TRUE(list.SetCursor(2));
    ASSERT_FALSE(list.HasFocus());
    Color grey = MixColors(SysColorDisabled(), SysColorPaper(), 128);
    Rect view = list.GetViewRect();
    Rect cell = list.GetCellContentRect(2, 0).Offseted(view.left, view.top);
    ASSERT_TRUE(PumpUntil([&] {
        Pixels px = GrabPixels(window.GetWindow(), cell);
        return px.Count(grey) == px.cx * px.cy;
    })) << "the cursor row of a list without the focus is grey";
}

} // namespace
