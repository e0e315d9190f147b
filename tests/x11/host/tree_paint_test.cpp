// The control tree painted into a real window: overlapping, transparent and opaque
// children come out right, pixel by pixel, in every paint mode; an area covered by an
// opaque child is painted by that child alone.
#include "tests/x11/host/host_fixture.h"

namespace {

using namespace Qor;
using namespace QorTest;

const Color RED(255, 0, 0), BLUE(0, 0, 255), GREEN(0, 255, 0), YELLOW(255, 255, 0), MAGENTA(255, 0, 255);

struct PaintedTree {
    FillCtrl top{ RED };
    FillCtrl a{ BLUE };
    FillCtrl b{ GREEN, 20 }; // transparent: only a 20 x 20 square
    FillCtrl c{ YELLOW };
    FillCtrl d{ MAGENTA, 10 };

    PaintedTree()
    {
        a.SetRect(10, 10, 50, 40);
        b.SetRect(40, 30, 40, 40);
        c.SetRect(70, 50, 40, 30);
        d.SetRect(5, 5, 20, 20);
        top.AppendChild(a);
        top.AppendChild(b);
        top.AppendChild(c);
        c.AppendChild(d);
    }

    // What the window must show at (x, y): later children on top of earlier ones.
    static Color Expected(int x, int y)
    {
        auto in = [&](int l, int t, int r, int btm) { return x >= l && x < r && y >= t && y < btm; };
        if(in(75, 55, 85, 65))
            return MAGENTA;
        if(in(70, 50, 110, 80))
            return YELLOW;
        if(in(40, 30, 60, 50))
            return GREEN;
        if(in(10, 10, 60, 50))
            return BLUE;
        return RED;
    }
};

using TreePaintTest = GuiTest;

TEST_F(TreePaintTest, EveryPaintModeShowsTheSameStack)
{
    for(int mode : { PAINT_DIRECT, PAINT_BACKBUFFER, PAINT_TRANSPARENT_BACKBUFFER }) {
        SCOPED_TRACE("paint mode " + std::to_string(mode));
        PaintedTree t;
        t.top.SetPaintMode(mode);
        ASSERT_TRUE(OpenHostWindow(t.top, Rect(30, 30, 150, 120)));
        t.top.Refresh();
        ASSERT_TRUE(PaintPending(t.top));
        Pixels p = GrabWindow(t.top);
        int wrong = 0;
        for(int y = 0; y < p.cy; y++)
            for(int x = 0; x < p.cx; x++)
                wrong += p.At(x, y) != PaintedTree::Expected(x, y);
        EXPECT_EQ(wrong, 0);
        if(wrong) {
            for(const std::string& row :
                p.Picture({ { RED, 'r' }, { BLUE, 'b' }, { GREEN, 'g' }, { YELLOW, 'y' }, { MAGENTA, 'm' } }))
                ADD_FAILURE() << row;
        }
    }
}

TEST_F(TreePaintTest, AreaCoveredByAnOpaqueChildIsPaintedByItAlone)
{
    PaintedTree t;
    ASSERT_TRUE(OpenHostWindow(t.top, Rect(30, 30, 150, 120)));
    int top_paints = t.top.paints, a_paints = t.a.paints;
    t.a.Refresh(Rect(2, 2, 20, 15));
    ASSERT_TRUE(PaintPending(t.top));
    EXPECT_EQ(t.top.paints, top_paints);
    EXPECT_EQ(t.a.paints, a_paints + 1);
    // Under the transparent child the parent must paint too.
    t.b.Refresh(Rect(0, 0, 5, 5));
    ASSERT_TRUE(PaintPending(t.top));
    EXPECT_GT(t.top.paints, top_paints);
    EXPECT_EQ(GrabWindow(t.top).At(41, 31), GREEN);
}

TEST_F(TreePaintTest, HiddenChildIsNotPaintedAndItsPlaceIsRepainted)
{
    PaintedTree t;
    ASSERT_TRUE(OpenHostWindow(t.top, Rect(30, 30, 150, 120)));
    t.c.Hide();
    ASSERT_TRUE(PaintPending(t.top));
    Pixels p = GrabWindow(t.top);
    EXPECT_EQ(p.At(100, 75), RED);
    EXPECT_EQ(p.At(80, 60), RED); // d went with its parent; b is transparent there
}

} // namespace
