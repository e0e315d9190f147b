// SystemDraw's Xlib shapes read back from the server: inversion, pen styles, polylines,
// polygons, ellipses and arcs, and the GC state they leave behind.
#include "tests/x11/system_draw_fixture.h"

#include <vector>

namespace {

using namespace Qor;
using namespace QorTest;

// The bounding box of the pixels of a colour.
Rect BoxOf(const Pixels& p, Color c)
{
    Rect r(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for(int y = 0; y < p.cy; y++)
        for(int x = 0; x < p.cx; x++)
            if(p.At(x, y) == c)
                r = Rect(std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1));
    return r;
}

TEST_F(SystemDrawTest, InvertTwiceLeavesTheAreaUnchanged)
{
    auto scene = [](Draw& w) {
        w.DrawRect(0, 0, 10, 10, RED);
        w.DrawRect(5, 5, 10, 10, InvertColor());
    };
    Pixels once = Paint(scene);
    EXPECT_EQ(once.At(2, 2), RED);
    EXPECT_EQ(once.At(7, 7), CYAN);
    EXPECT_EQ(once.At(12, 12), Black());
    Pixels twice = Paint([](Draw& w) {
        w.DrawRect(5, 5, 10, 10, InvertColor());
        w.DrawRect(30, 0, 2, 2, RED); // drawn by copying again, not inverting
    });
    EXPECT_EQ(twice.At(7, 7), RED);
    EXPECT_EQ(twice.At(12, 12), White());
    EXPECT_EQ(twice.At(30, 0), RED);
}

// The dashes have exact lengths: a round cap on every dash would lengthen each by a pixel
// and shorten the gaps (a dotted pen would draw 4 on, 2 off).
TEST_F(SystemDrawTest, DashedPensFollowTheirPatterns)
{
    struct {
        int code;
        std::vector<int> runs; // on, off, ...
    } pens[] = {
        { PEN_DASH, { 18, 6 } },
        { PEN_DOT, { 3, 3 } },
        { PEN_DASHDOT, { 9, 6, 3, 6 } },
        { PEN_DASHDOTDOT, { 9, 3, 3, 3, 3, 3 } },
    };
    int y = 0;
    SystemDraw w(pixmap, gc, nullptr, Vector<Rect>{ Rect(0, 0, CX, CY) });
    for(const auto& pen : pens) {
        int row = 2 + 6 * y++;
        w.DrawLine(0, row, CX + 10, row, pen.code, RED);
    }
    Pixels p = Grab();
    y = 0;
    for(const auto& pen : pens) {
        SCOPED_TRACE(pen.code);
        std::string expected, got;
        for(int i = 0, x = 0; x < CX; i++)
            for(int n = 0; n < pen.runs[i % pen.runs.size()] && x < CX; n++, x++)
                expected += i % 2 ? '.' : 'r';
        int row = 2 + 6 * y++;
        for(int x = 0; x < CX; x++)
            got += p.At(x, row) == RED ? 'r' : p.At(x, row) == White() ? '.' : '?';
        EXPECT_EQ(got, expected);
        // One pixel wide.
        EXPECT_EQ(p.At(1, row - 1), White());
        EXPECT_EQ(p.At(1, row + 1), White());
    }
}

TEST_F(SystemDrawTest, WidePenAndNullsOfTheLineOperations)
{
    Pixels p = Paint([](Draw& w) {
        w.DrawLine(5, 10, 30, 10, 4, RED);
        w.DrawLine(5, 20, 30, 20, INT_NULL, BLUE);
        w.DrawLine(5, 25, 30, 25, 1, Color());
        w.DrawEllipse(Rect(35, 0, 45, 10), Color(), INT_NULL, BLUE);
        w.DrawArc(Rect(35, 15, 45, 25), Point(45, 20), Point(40, 15), 1, Color());
    });
    int rows = 0;
    for(int y = 0; y < CY; y++)
        rows += p.At(15, y) == RED;
    EXPECT_EQ(rows, 4);
    EXPECT_EQ(BoxOf(p, RED).top, 8);
    // A Null width, a Null colour, an ellipse without a pen and an arc without a colour
    // draw nothing.
    EXPECT_EQ(p.Count(BLUE), 0);
    EXPECT_EQ(p.Count(Black()), 0);
    EXPECT_EQ(p.Count(White()) + p.Count(RED), CX * CY);
}

TEST_F(SystemDrawTest, CoordinatesBeyondTheX11RangeArePinned)
{
    Pixels p = Paint([](Draw& w) {
        w.DrawLine(-100000, 3, 100000, 3, 1, RED);
        w.DrawRect(-70000, 10, 70010, 5, BLUE);
    });
    EXPECT_EQ(p.Count(RED), CX);
    EXPECT_EQ(BoxOf(p, BLUE), Rect(0, 10, 10, 15));
}

// Two polylines of n points each: a horizontal line on row 5 and one on row 20, each point
// repeated so both request forms carry many points.
std::vector<Point> TwoRows(int n)
{
    std::vector<Point> p;
    for(int row : { 5, 20 })
        for(int i = 0; i < n; i++)
            p.push_back(Point(std::min(i, 47), row));
    return p;
}

TEST_F(SystemDrawTest, PolylinesAsSegmentsOrAsLinesDrawTheSame)
{
    // 2 x 250 points go as one segment list; 2 x 300 (more than 258 per polyline) as lines.
    for(int n : { 3, 250, 300 }) {
        SCOPED_TRACE(n);
        XSetForeground(display, gc, ColorToPixel(White()));
        XSetClipMask(display, gc, None);
        XFillRectangle(display, pixmap, gc, 0, 0, CX, CY);
        std::vector<Point> points = TwoRows(n);
        int counts[] = { n, n };
        Pixels p = Paint([&](Draw& w) { w.DrawPolyPolyline(points.data(), 2 * n, counts, 2, 1, RED, Color()); });
        int last = std::min(n - 1, 47);
        EXPECT_EQ(p.Count(RED), 2 * (last + 1));
        EXPECT_EQ(p.At(last, 5), RED);
        EXPECT_EQ(p.At(last, 20), RED);
        EXPECT_EQ(p.At(last / 2, 12), White()); // nothing joins the two polylines
    }
}

TEST_F(SystemDrawTest, PolylineWithOnePolylineOrTwoPoints)
{
    Point bend[] = { Point(2, 2), Point(20, 2), Point(20, 12) };
    Point two[] = { Point(30, 25), Point(40, 25) };
    int bend_count[] = { 3 }, two_count[] = { 2 };
    Pixels p = Paint([&](Draw& w) {
        w.DrawPolyPolyline(bend, 3, bend_count, 1, 1, RED, Color());
        w.DrawPolyPolyline(two, 2, two_count, 1, 1, BLUE, Color());
        w.DrawPolyPolyline(two, 1, two_count, 1, 1, Black(), Color()); // one point: nothing
    });
    EXPECT_EQ(p.At(10, 2), RED);
    EXPECT_EQ(p.At(20, 8), RED);
    EXPECT_EQ(p.At(10, 8), White());
    EXPECT_EQ(p.Count(BLUE), 11);
    EXPECT_EQ(p.Count(Black()), 0);
}

TEST_F(SystemDrawTest, XorPolylineTwiceRestoresAndLeavesTheGCAsItWas)
{
    Point line[] = { Point(0, 4), Point(20, 4), Point(20, 10) };
    int count[] = { 3 };
    SystemDraw w(pixmap, gc, nullptr, Vector<Rect>{ Rect(0, 0, CX, CY) });
    w.DrawRect(30, 0, 2, 2, RED); // the foreground cache now holds red
    w.DrawPolyPolyline(line, 3, count, 1, 1, RED, White());
    EXPECT_EQ(Grab().At(10, 4), RED); // white, xor (red xor white)
    w.DrawPolyPolyline(line, 3, count, 1, 1, RED, White());
    int first_two[] = { 2 };
    w.DrawPolyPolyline(line, 2, first_two, 1, 1, BLUE, Color());
    // Function and foreground are back: the cached red copies, it neither xors nor paints blue.
    w.DrawRect(34, 0, 2, 2, RED);
    Pixels p = Grab();
    EXPECT_EQ(p.At(20, 8), White());
    EXPECT_EQ(p.At(10, 4), BLUE);
    EXPECT_EQ(p.At(34, 0), RED);
}

TEST_F(SystemDrawTest, PolygonsFillAndOutline)
{
    Point shapes[] = {
        Point(2, 2),  Point(16, 2), Point(16, 16), Point(2, 16),                               // square
        Point(20, 0), Point(40, 0), Point(40, 5),  Point(25, 5), Point(25, 25), Point(20, 25), // L, concave
    };
    int counts[] = { 4, 6 };
    Pixels p = Paint([&](Draw& w) {
        w.DrawPolyPolyPolygon(shapes, 10, counts, 2, counts, 1, RED, 1, BLUE, 0, Color());
        w.DrawRect(44, 28, 2, 2, RED); // the cached colour survives the polygon
        w.DrawPolyPolyPolygon(shapes, 0, counts, 0, counts, 0, Black(), 1, Black(), 0, Color());
    });
    EXPECT_EQ(p.At(9, 9), RED);
    EXPECT_EQ(p.At(2, 9), BLUE);
    EXPECT_EQ(p.At(9, 2), BLUE);
    EXPECT_EQ(p.At(16, 9), BLUE);
    EXPECT_EQ(p.At(22, 15), RED);
    EXPECT_EQ(p.At(32, 15), White()); // inside the L's bounding box, outside the L
    EXPECT_EQ(p.At(18, 9), White());
    EXPECT_EQ(p.At(44, 28), RED);
    EXPECT_EQ(p.Count(Black()), 0);
}

TEST_F(SystemDrawTest, XorPolygonTwiceRestores)
{
    Point square[] = { Point(2, 2), Point(16, 2), Point(16, 16), Point(2, 16) };
    int counts[] = { 4 };
    SystemDraw w(pixmap, gc, nullptr, Vector<Rect>{ Rect(0, 0, CX, CY) });
    w.DrawPolyPolyPolygon(square, 4, counts, 1, counts, 1, RED, INT_NULL, Color(), 0, White());
    EXPECT_EQ(Grab().At(9, 9), RED);
    w.DrawPolyPolyPolygon(square, 4, counts, 1, counts, 1, RED, INT_NULL, Color(), 0, White());
    EXPECT_EQ(Grab().Count(White()), CX * CY);
}

TEST_F(SystemDrawTest, EllipseFillsTheBoxLessOnePixel)
{
    Pixels p = Paint([](Draw& w) {
        w.DrawEllipse(Rect(0, 0, 10, 10), RED, INT_NULL, Color());
        w.DrawEllipse(Rect(20, 4, 40, 24), Color(), 1, BLUE);
    });
    // Drawn in the box less its last column and row.
    Rect box = BoxOf(p, RED);
    EXPECT_TRUE(Rect(0, 0, 9, 9).Contains(box));
    EXPECT_GE(box.Width(), 8);
    EXPECT_GE(box.Height(), 8);
    EXPECT_EQ(p.At(4, 4), RED);
    EXPECT_EQ(p.At(0, 0), White());
    EXPECT_EQ(p.At(29, 13), White()); // an outline only
    EXPECT_TRUE(Rect(20, 4, 40, 24).Contains(BoxOf(p, BLUE)));
    EXPECT_GE(BoxOf(p, BLUE).Width(), 18);
}

TEST_F(SystemDrawTest, ArcRunsCounterClockwiseFromStartToEnd)
{
    Rect circle(4, 0, 36, 32);
    Point right(36, 16), top(20, 0);
    Pixels quarter = Paint([&](Draw& w) { w.DrawArc(circle, right, top, 1, RED); });
    Rect q = BoxOf(quarter, RED);
    EXPECT_GE(q.left, 19);
    EXPECT_LE(q.bottom, 18);
    EXPECT_GT(quarter.Count(RED), 15);
    // From the top back to the right is the other three quarters.
    Pixels rest = Paint([&](Draw& w) { w.DrawArc(circle, top, right, 1, BLUE); });
    Rect r = BoxOf(rest, BLUE);
    EXPECT_LE(r.left, 5);
    EXPECT_GE(r.bottom, 31);
}

} // namespace
