// The list on a real X server: rows painted with the cursor highlight, and the info pop-up
// showing a clipped cell in full while the pointer rests on it.
#include "lists/array/array_ctrl.h"

#include "tests/support/x11/input_window.h"

#include "draw/look/sys_colors.h"

namespace {

using namespace Qor;
using namespace QorTest;

const Rect LIST_ON_SCREEN(Point(40, 40), Size(240, 140));

class ArrayInfoPopup : public PrivateDisplayTest {
protected:
    ArrayCtrl list;

    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        list.SetWantsFocus();
        list.AddColumn("Term");
        list.AddColumn("Meaning");
        list.Set(0, 0, "Ant");
        list.Set(0, 1, "insect");
        list.Set(1, 0, "Aardvark");
        list.Set(1, 1, "a burrowing mammal of Africa that feeds on ants and termites");
        window = std::make_unique<OpenInput>(list, LIST_ON_SCREEN);
        ASSERT_TRUE(window->IsOpen());
    }
    void TearDown() override
    {
        list.GetInfoPopup().Dismiss();
        window.reset();
        PrivateDisplayTest::TearDown();
    }
    // The middle of a cell, in the window.
    Point CellPoint(int row, int column)
    {
        Rect cell = list.GetCellRect(row, column);
        Rect view = list.GetViewRectOnScreen();
        return Point(view.left - LIST_ON_SCREEN.left + (cell.left + cell.right) / 2,
                     view.top - LIST_ON_SCREEN.top + (cell.top + cell.bottom) / 2);
    }

    std::unique_ptr<OpenInput> window;
};

TEST_F(ArrayInfoPopup, AClippedCellShowsInFullUnderThePointer)
{
    DisplayPopup& popup = list.GetInfoPopup();
    MovePointer(window->GetWindow(), CellPoint(0, 1));
    PumpFor(100);
    EXPECT_FALSE(popup.IsOpen()) << "a value that fits needs no pop-up";

    MovePointer(window->GetWindow(), CellPoint(1, 1));
    ASSERT_TRUE(PumpUntil([&] { return popup.IsOpen(); }));
    Rect cell = list.GetCellRect(1, 1);
    Rect view = list.GetViewRectOnScreen();
    Rect shown = popup.GetRectOnScreen();
    EXPECT_EQ(shown.left, view.left + cell.left - 1);
    EXPECT_EQ(shown.top, view.top + cell.top - 1);
    EXPECT_GT(shown.right, view.left + cell.right + 1) << "grown to the whole value";

    MovePointer(window->GetWindow(), CellPoint(0, 0));
    EXPECT_TRUE(PumpUntil([&] { return !popup.IsOpen(); }));
}

TEST_F(ArrayInfoPopup, TheCursorRowIsHighlighted)
{
    ASSERT_TRUE(list.SetCursor(0));
    Rect cell = list.GetCellContentRect(0, 0);
    Rect view = list.GetViewRect();
    Rect in_window = cell.Offseted(view.left, view.top);
    ASSERT_TRUE(WaitFor([&] {
        Pixels px = GrabPixels(window->GetWindow(), in_window);
        return px.Count(SysColorHighlight()) > px.cx * px.cy / 2;
    })) << "the focused list paints its cursor row in the highlight colour";
    Rect other = list.GetCellContentRect(1, 0).Offseted(view.left, view.top);
    Pixels px = GrabPixels(window->GetWindow(), other);
    EXPECT_EQ(px.Count(SysColorHighlight()), 0);
}

} // namespace
