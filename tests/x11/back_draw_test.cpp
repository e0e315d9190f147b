// BackDraw: a buffered repaint reaches the window in one copy, through the window's clip,
// and the buffer answers IsPainting with the window's invalid area.
#include "tests/support/x11/test_window.h"
#include "tests/x11/system_draw_fixture.h"

namespace {

using namespace Qor;
using namespace QorTest;

using BackDrawTest = SystemDrawTest;

TEST_F(BackDrawTest, EmptyAreaGetsOnePixelAndPaintsNothing)
{
    SystemDraw target(pixmap, gc, nullptr, Vector<Rect>{ Rect(0, 0, CX, CY) });
    BackDraw b;
    b.Create(target, 0, 0);
    Window r;
    int x, y;
    unsigned cx = 0, cy = 0, border, d;
    ASSERT_TRUE(XGetGeometry(display, b.GetDrawable(), &r, &x, &y, &cx, &cy, &border, &d));
    EXPECT_EQ(cx, 1u);
    EXPECT_EQ(cy, 1u);
    for(Rect q : { Rect(0, 0, 1, 1), Rect(-5, -5, 5, 5), Rect(0, 0, 100, 100) })
        EXPECT_FALSE(b.IsPainting(q));
    b.DrawRect(0, 0, 10, 10, RED);
    b.Put(target, 0, 0);
    EXPECT_EQ(Grab().Count(RED), 0);
}

TEST_F(BackDrawTest, IsPaintingAsksThePaintingSource)
{
    // The window's invalid area is (10, 5) - (20, 15); the buffer covers (10, 5) - (40, 25).
    SystemDraw window_draw(pixmap, gc, nullptr, Vector<Rect>{ Rect(10, 5, 20, 15) });
    BackDraw b;
    b.Create(window_draw, 30, 20);
    b.Offset(-10, -5);
    EXPECT_TRUE(b.IsPainting(Rect(30, 20, 35, 24))); // no source yet: the whole buffer
    b.SetPaintingDraw(window_draw, Point(10, 5));
    EXPECT_TRUE(b.IsPainting(Rect(12, 6, 14, 8)));
    EXPECT_FALSE(b.IsPainting(Rect(30, 20, 35, 24))); // in the buffer, not invalid
    EXPECT_FALSE(b.IsPainting(Rect(45, 0, 50, 5)));   // outside the buffer
    EXPECT_FALSE(b.IsPainting(Rect(12, 6, 12, 8)));   // empty
}

TEST_F(BackDrawTest, RecreatedBufferHasTheNewSize)
{
    SystemDraw target(pixmap, gc, nullptr, Vector<Rect>{ Rect(0, 0, CX, CY) });
    BackDraw b;
    b.Create(target, 5, 5);
    b.Create(target, 20, 10);
    EXPECT_EQ(b.GetPaintRect(), Rect(0, 0, 20, 10));
    b.DrawRect(0, 0, 100, 100, BLUE);
    b.Put(target, 3, 4);
    Pixels p = Grab();
    EXPECT_EQ(p.Count(BLUE), 200);
    EXPECT_EQ(p.At(3, 4), BLUE);
    EXPECT_EQ(p.At(22, 13), BLUE);
}

class BackDrawWindowTest : public GuiTest {};

TEST_F(BackDrawWindowTest, BufferedRepaintMatchesDirectPainting)
{
    TestWindow w(60, 40, White(), 50, 50);
    ASSERT_TRUE(w.MapAndWait());
    Rect area(10, 5, 40, 25);
    auto scene = [](Draw& d) {
        d.DrawRect(0, 0, 60, 40, RED);
        d.DrawRect(20, 10, 5, 5, BLUE);
        d.DrawLine(0, 20, 59, 20, 1, Black());
    };
    w.Paint([&](SystemDraw& window_draw) {
        // The painter's order of calls for one buffered area.
        BackDraw b;
        b.Create(window_draw, area.Width(), area.Height());
        b.Offset(-area.left, -area.top);
        b.SetPaintingDraw(window_draw, area.TopLeft());
        scene(b);
        b.End();
        b.Put(window_draw, area.left, area.top);
    });
    RasterDraw expected(60, 40, White());
    expected.Clip(area);
    scene(expected);
    Pixels raster;
    raster.cx = 60;
    raster.cy = 40;
    for(int y = 0; y < 40; y++)
        for(int x = 0; x < 60; x++)
            raster.colors.push_back(Color(expected.At(x, y)));
    auto legend = { std::pair<Color, char>(White(), '.'), std::pair<Color, char>(RED, 'r'),
                    std::pair<Color, char>(BLUE, 'b'), std::pair<Color, char>(Black(), '#') };
    EXPECT_EQ(w.Grab().Picture(legend), raster.Picture(legend));
}

TEST_F(BackDrawWindowTest, PutGoesThroughTheTargetsClip)
{
    TestWindow w(60, 40, White(), 60, 60);
    ASSERT_TRUE(w.MapAndWait());
    w.Paint([](SystemDraw& window_draw) {
        BackDraw b;
        b.Create(window_draw, 30, 20);
        b.DrawRect(0, 0, 30, 20, RED);
        window_draw.Clip(Rect(0, 0, 20, 40));
        window_draw.Offset(5, 5);
        b.Put(window_draw, 0, 0); // at (5, 5) in the window, cut at x = 20
        window_draw.End();
        window_draw.End();
    });
    Pixels p = w.Grab();
    EXPECT_EQ(p.Count(RED), 15 * 20);
    EXPECT_EQ(p.At(5, 5), RED);
    EXPECT_EQ(p.At(19, 24), RED);
    EXPECT_EQ(p.At(20, 5), White());
}

} // namespace
