// PdfDraw's graphics operators: the content they write, the state they skip, damaged
// point counts, and pages rendered back to pixels.
#include "pdf/pdf.h"
#include "tests/pdf/pdf_reading.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace Qor;

namespace {

const Color RED(255, 0, 0);
const Color BLUE(0, 0, 255);
const Color GREEN(0, 255, 0);

// A page of 6000 x 6000 dots: y = 100 lies at 708 points.
struct OperatorCase {
    const char* name;
    std::function<void(PdfDraw&)> draw;
    std::string content;
};

void ExpectContents(const std::vector<OperatorCase>& cases)
{
    for(const OperatorCase& c : cases)
        EXPECT_EQ(PageContent(c.draw), c.content) << c.name;
}

} // namespace

TEST(PdfGraphics, ColoursAreFractionsWithAtMostThreeDecimals)
{
    EXPECT_EQ(FormatPdfColor(Color(255, 255, 255)), "1 1 1");
    EXPECT_EQ(FormatPdfColor(Color(128, 0, 255)), "0.502 0 1");
    EXPECT_EQ(FormatPdfColor(Color(1, 2, 3)), "0.004 0.008 0.012");
    EXPECT_EQ(FormatPdfColor(Color()), "0 0 0");
}

TEST(PdfGraphics, NestingClipsAndOffsets)
{
    ExpectContents({
        { "begin and end",
          [](PdfDraw& w) {
              w.Begin();
              w.End();
          },
          "q\nQ\n" },
        { "offset to the origin", [](PdfDraw& w) { w.Offset(0, 0); }, "q " },
        { "offset", [](PdfDraw& w) { w.Offset(100, 50); }, "q 1 0 0 1 12 -6 cm\n" },
        { "offset along x", [](PdfDraw& w) { w.Offset(100, 0); }, "q 1 0 0 1 12 0 cm\n" },
        { "offset from the int range's end", [](PdfDraw& w) { w.Offset(INT_MIN, INT_MIN); },
          "q 1 0 0 1 -257698037.76 257698037.76 cm\n" },
        { "clip", [](PdfDraw& w) { EXPECT_TRUE(w.Clip(100, 100, 200, 50)); }, "q 12 702 24 6 re\nW* n\n" },
        { "clip offset", [](PdfDraw& w) { EXPECT_TRUE(w.ClipOffset(100, 100, 200, 50)); },
          "q 12 702 24 6 re\nW* n\n1 0 0 1 12 -12 cm\n" },
        { "clip offset at the origin", [](PdfDraw& w) { w.ClipOffset(0, 0, 200, 50); }, "q 0 714 24 6 re\nW* n\n" },
        { "intersect", [](PdfDraw& w) { EXPECT_TRUE(w.IntersectClip(Rect(100, 100, 300, 150))); },
          "12 702 24 6 re\nW* n\n" },
        { "exclude and arc write nothing",
          [](PdfDraw& w) {
              EXPECT_TRUE(w.ExcludeClip(Rect(0, 0, 10, 10)));
              w.DrawArc(Rect(0, 0, 10, 10), Point(0, 0), Point(1, 1), 1, RED);
          },
          "" },
    });
}

TEST(PdfGraphics, RectanglesAndLinesSkipRepeatedState)
{
    ExpectContents({
        { "one colour written once",
          [](PdfDraw& w) {
              w.DrawRect(0, 0, 100, 100, RED);
              w.DrawRect(100, 0, 100, 100, RED);
          },
          "1 0 0 rg\n1 0 0 RG\n0 708 12 12 re\nf\n12 708 12 12 re\nf\n" },
        { "a rectangle reaching past the int range",
          [](PdfDraw& w) { w.DrawRect(INT_MAX, INT_MAX, INT_MAX, 100, RED); },
          "1 0 0 rg\n1 0 0 RG\n257698037.64 -257697329.64 257698037.64 12 re\nf\n" },
        { "empty and Null rectangles draw nothing",
          [](PdfDraw& w) {
              w.DrawRect(0, 0, 0, 10, RED);
              w.DrawRect(0, 0, 10, -1, RED);
              w.DrawRect(0, 0, 10, 10, Color());
          },
          "" },
        { "thin lines share one width",
          [](PdfDraw& w) {
              w.DrawLine(0, 0, 100, 0, 0, BLUE);
              w.DrawLine(0, 100, 100, 100, 1, BLUE);
          },
          "0 0 1 RG\n0.12 w\n 1 J 0 720 m 12 720 l S\n 1 J 0 708 m 12 708 l S\n" },
        { "a new width is written",
          [](PdfDraw& w) {
              w.DrawLine(0, 0, 100, 0, 1, BLUE);
              w.DrawLine(0, 0, 100, 0, 10, BLUE);
          },
          "0 0 1 RG\n0.12 w\n 1 J 0 720 m 12 720 l S\n1.2 w\n 1 J 0 720 m 12 720 l S\n" },
        { "a Null width draws nothing, a Null colour black",
          [](PdfDraw& w) {
              w.DrawLine(0, 0, 100, 0, INT_NULL, RED);
              w.DrawLine(0, 0, 100, 0, 5, Color());
          },
          "0 0 0 RG\n0.6 w\n 1 J 0 720 m 12 720 l S\n" },
        { "End forgets the state",
          [](PdfDraw& w) {
              w.DrawRect(0, 0, 100, 100, RED);
              w.Begin();
              w.End();
              w.DrawRect(0, 0, 100, 100, RED);
          },
          "1 0 0 rg\n1 0 0 RG\n0 708 12 12 re\nf\nq\nQ\n1 0 0 rg\n1 0 0 RG\n0 708 12 12 re\nf\n" },
        { "a Null fill colour is written every time",
          [](PdfDraw& w) {
              w.SetFillColor(Color());
              w.SetFillColor(Color());
          },
          "0 0 0 rg\n0 0 0 rg\n" },
    });
}

TEST(PdfGraphics, PolylinesTakeTheirPointsInTurn)
{
    const Point points[] = { { 0, 0 }, { 100, 0 }, { 100, 100 }, { 200, 200 }, { 300, 300 } };
    ExpectContents({
        { "two polylines",
          [&](PdfDraw& w) {
              const int counts[] = { 3, 2 };
              w.DrawPolyPolyline(points, 5, counts, 2, 1, RED, Color());
          },
          "1 0 0 RG\n0.12 w\n0 720 m\n12 720 l\n12 708 l\nS\n24 696 m\n36 684 l\nS\n" },
        { "counts 0 and 1 take one point each",
          [&](PdfDraw& w) {
              const int counts[] = { 0, 1 };
              w.DrawPolyPolyline(points, 5, counts, 2, 1, RED, Color());
          },
          "1 0 0 RG\n0.12 w\n0 720 m\nS\n12 720 m\nS\n" },
        { "counts beyond the points present stop at the last point",
          [&](PdfDraw& w) {
              const int counts[] = { 4, 1000, 7 };
              w.DrawPolyPolyline(points, 5, counts, 3, 1, RED, Color());
          },
          "1 0 0 RG\n0.12 w\n0 720 m\n12 720 l\n12 708 l\n24 696 l\nS\n36 684 m\nS\n" },
        { "a Null colour or width draws nothing",
          [&](PdfDraw& w) {
              const int counts[] = { 2 };
              w.DrawPolyPolyline(points, 5, counts, 1, 1, Color(), Color());
              w.DrawPolyPolyline(points, 5, counts, 1, INT_NULL, RED, Color());
          },
          "" },
    });
}

TEST(PdfGraphics, PolygonsArePaintedOneByOneWithTheirHoles)
{
    // A square with a square hole, then a triangle.
    const Point points[] = { { 0, 0 },     { 600, 0 },   { 600, 600 }, { 0, 600 },   { 200, 200 }, { 400, 200 },
                             { 400, 400 }, { 200, 400 }, { 700, 0 },   { 800, 100 }, { 700, 100 } };
    const int subpolygons[] = { 4, 4, 3 };
    const int polygons[] = { 8, 3 };
    const std::string square_with_hole = "0 720 m\n72 720 l\n72 648 l\n0 648 l\nh\n"
                                         "24 696 m\n48 696 l\n48 672 l\n24 672 l\nh\n";
    const std::string triangle = "84 720 m\n96 708 l\n84 708 l\nh\n";
    ExpectContents({
        { "filled",
          [&](PdfDraw& w) {
              w.DrawPolyPolyPolygon(points, 11, subpolygons, 3, polygons, 2, RED, 1, Color(), 0, Color());
          },
          "1 0 0 rg\n" + square_with_hole + "f*\n" + triangle + "f*\n" },
        { "outlined",
          [&](PdfDraw& w) {
              w.DrawPolyPolyPolygon(points, 11, subpolygons, 3, polygons, 2, Color(), 20, BLUE, 0, Color());
          },
          "0 0 1 RG\n2.4 w\n" + square_with_hole + "S\n" + triangle + "S\n" },
        { "both",
          [&](PdfDraw& w) { w.DrawPolyPolyPolygon(points, 11, subpolygons, 3, polygons, 2, RED, 1, BLUE, 0, Color()); },
          "1 0 0 rg\n0 0 1 RG\n0.12 w\n" + square_with_hole + "B*\n" + triangle + "B*\n" },
        { "an all-transparent pattern and a Null outline draw nothing",
          [&](PdfDraw& w) {
              w.DrawPolyPolyPolygon(points, 11, subpolygons, 3, polygons, 2, RED, 1, Color(), ~(uint64)0, Color());
          },
          "" },
        { "a subpolygon count of 0 takes one point and the walk goes on",
          [&](PdfDraw& w) {
              const int zero[] = { 0, 2 };
              const int one[] = { 3 };
              w.DrawPolyPolyPolygon(points, 11, zero, 2, one, 1, RED, 1, Color(), 0, Color());
          },
          "1 0 0 rg\n0 720 m\nh\n72 720 m\n72 648 l\nh\nf*\n" },
        { "counts beyond the points and subpolygons present stop where they end",
          [&](PdfDraw& w) {
              const int many[] = { 9, 9 };
              const int huge[] = { 1000, 1000 };
              w.DrawPolyPolyPolygon(points, 4, many, 2, huge, 2, RED, 1, Color(), 0, Color());
          },
          "1 0 0 rg\n0 720 m\n72 720 l\n72 648 l\n0 648 l\nh\nf*\n" },
    });
}

TEST(PdfGraphics, HatchFillsSwitchColourSpacesOnlyWhenNeeded)
{
    const Point points[] = { { 0, 0 }, { 600, 0 }, { 0, 600 } };
    const int counts[] = { 3 };
    const std::string path = "0 720 m\n72 720 l\n0 648 l\nh\nf*\n";
    auto fill = [&](PdfDraw& w, uint64 pattern) {
        w.DrawPolyPolyPolygon(points, 3, counts, 1, counts, 1, RED, 1, Color(), pattern, Color());
    };
    ExpectContents({
        { "hatch, then plain in the same colour",
          [&](PdfDraw& w) {
              fill(w, 0x55AA55AA55AA55AA);
              fill(w, 0);
          },
          "/Cspat cs\n1 0 0 /Pat1 scn\n" + path + "1 0 0 rg\n" + path },
        { "one hatch, then another, then the first again",
          [&](PdfDraw& w) {
              fill(w, 0x55AA55AA55AA55AA);
              fill(w, 0x00FF00FF00FF00FF);
              fill(w, 0x55AA55AA55AA55AA);
              fill(w, 0x55AA55AA55AA55AA);
          },
          "/Cspat cs\n1 0 0 /Pat1 scn\n" + path + "1 0 0 /Pat2 scn\n" + path + "1 0 0 /Pat1 scn\n" + path + path },
        { "a plain fill after a hatch goes back to the plain colour",
          [&](PdfDraw& w) {
              fill(w, 0x55AA55AA55AA55AA);
              w.DrawRect(0, 0, 10, 10, RED);
          },
          "/Cspat cs\n1 0 0 /Pat1 scn\n" + path + "1 0 0 rg\n1 0 0 RG\n0 718.8 1.2 1.2 re\nf\n" },
    });
}

TEST(PdfGraphics, EllipsesTakeMoreSegmentsAsTheyGrow)
{
    const struct {
        Rect r;
        int segments;
    } cases[] = {
        { Rect(0, 0, 100, 60), 4 },    { Rect(0, 0, 128, 0), 4 },      { Rect(0, 0, 200, 200), 6 },
        { Rect(0, 0, 600, 600), 8 },   { Rect(0, 0, 2000, 10), 10 },   { Rect(0, 0, 40000, 10), 24 },
        { Rect(0, 0, 524288, 0), 34 }, { Rect(0, 0, 524289, 10), 38 },
    };
    for(const auto& c : cases) {
        std::string content = PageContent([&](PdfDraw& w) { w.DrawEllipse(c.r, RED, 1, Color()); });
        EXPECT_EQ(CountOf(content, " c\n"), c.segments) << c.r.Width();
    }
}

TEST(PdfGraphics, AnEllipseStartsAtAngleZeroAndRunsCounterClockwise)
{
    // 600 x 300 dots centred on (300, 150): 36 x 18 points around (36, 702).
    std::string content = PageContent([](PdfDraw& w) { w.DrawEllipse(Rect(0, 0, 600, 300), RED, 1, Color()); });
    // Eight segments; the first control point lies 18 * pi / 12 above (72, 702).
    EXPECT_EQ(content.substr(0, 28), "1 0 0 rg\n72 702 m\n72 706.71 ") << content;
    // The first segment ends at 45 degrees: (36 + 36 cos 45, 702 + 18 sin 45).
    EXPECT_NE(content.find(" 61.46 714.73 c\n"), std::string::npos) << content;
    EXPECT_TRUE(content.ends_with(" 72 702 c\nf\n")) << content;
    const struct {
        Color fill;
        Color pen;
        const char* tail;
    } paints[] = { { RED, Color(), "c\nf\n" }, { Color(), BLUE, "c\nS\n" }, { RED, BLUE, "c\nB\n" } };
    for(const auto& p : paints)
        EXPECT_TRUE(
            PageContent([&](PdfDraw& w) { w.DrawEllipse(Rect(0, 0, 600, 300), p.fill, 1, p.pen); }).ends_with(p.tail))
            << p.tail;
    EXPECT_EQ(PageContent([](PdfDraw& w) { w.DrawEllipse(Rect(0, 0, 600, 300), Color(), INT_NULL, BLUE); }), "");
}

TEST(PdfGraphics, RenderedShapesCoverTheirPixels)
{
    SKIP_WITHOUT_TOOL("pdftoppm");
    // 1200 dots are 144 points, so one pixel at 72 per inch is 25/3 dots.
    PdfDraw w;
    w.Init(1200, 1200);
    w.DrawRect(0, 0, 600, 600, RED);
    w.DrawEllipse(Rect(600, 0, 1200, 600), BLUE, 1, Color());
    const Point frame[] = { { 0, 600 },   { 600, 600 }, { 600, 1200 }, { 0, 1200 },
                            { 200, 800 }, { 400, 800 }, { 400, 1000 }, { 200, 1000 } };
    const int sub[] = { 4, 4 };
    const int poly[] = { 8 };
    w.DrawPolyPolyPolygon(frame, 8, sub, 2, poly, 1, GREEN, 1, Color(), 0, Color());
    w.Clip(600, 600, 300, 600);
    w.DrawRect(600, 600, 600, 600, BLUE);
    w.End();
    w.DrawLine(600, 1100, 1200, 1100, 50, RED);
    w.EndPage();
    String doc = w.Finish();
    RenderedPage page = RenderFirstPage(doc);
    ASSERT_EQ(page.width, 144);
    ASSERT_EQ(page.height, 144);
    const struct {
        int x, y;
        unsigned rgb;
        const char* what;
    } probes[] = {
        { 10, 10, 0xFF0000, "inside the rectangle" }, { 108, 36, 0x0000FF, "the ellipse's centre" },
        { 74, 2, 0xFFFFFF, "the ellipse's corner" },  { 10, 110, 0x00FF00, "the polygon's frame" },
        { 36, 108, 0xFFFFFF, "the polygon's hole" },  { 80, 90, 0x0000FF, "inside the clip" },
        { 120, 90, 0xFFFFFF, "outside the clip" },    { 130, 132, 0xFF0000, "on the thick line" },
    };
    for(const auto& p : probes)
        EXPECT_EQ(page.Pixel(p.x, p.y), p.rgb) << p.what;
    EXPECT_EQ(QpdfProblems(doc), "");
}
