// The standard look painter on colours, borders, looks with an image and other kinds:
// what each operation paints and answers.

#include "tests/draw/look/look_support.h"
#include "tests/draw/support/image_fixtures.h"
#include "tests/draw/support/raster_draw.h"
#include "tests/draw/support/recording_draw.h"

#include <string>
#include <vector>

using namespace Qor;
using QorTest::Opaque;
using QorTest::RasterDraw;
using QorTest::RecordingDraw;

namespace {

class StandardPainter : public QorTest::LookTest {};

Image Spotted(int cx, int cy, Point h1, Point h2, RGBA fill = Opaque(1, 2, 3))
{
    PixelBuffer b(cx, cy);
    FillPixels(b.Begin(), fill, cx * cy);
    b.SetHotSpot(h1);
    b.SetSecondSpot(h2);
    return Image(b);
}

const Color red(255, 0, 0), blue(0, 0, 255);

} // namespace

TEST_F(StandardPainter, Margins)
{
    struct Case {
        const char* what;
        Value look;
        Rect margins;
    } cases[] = {
        { "colour", red, Rect(1, 1, 1, 1) },
        { "image without spots", Spotted(10, 6, Point(0, 0), Point(0, 0)), Rect(0, 0, 0, 0) },
        { "hotspot x 3", Spotted(10, 6, Point(3, 0), Point(0, 0)), Rect(3, 0, 3, 0) },
        { "hotspot x 7 mirrors", Spotted(10, 6, Point(7, 0), Point(0, 0)), Rect(2, 0, 3, 0) },
        { "hotspot y past the middle", Spotted(4, 9, Point(1, 6), Point(0, 0)), Rect(1, 2, 1, 3) },
        { "both spots", Spotted(10, 10, Point(2, 2), Point(7, 7)), Rect(2, 2, 2, 2) },
        { "both spots reversed", Spotted(10, 10, Point(7, 7), Point(2, 2)), Rect(2, 2, 2, 2) },
        { "uneven spots", Spotted(10, 8, Point(1, 3), Point(5, 4)), Rect(1, 3, 4, 3) },
        { "spots outside the image", Spotted(6, 6, Point(-3, 9), Point(20, 2)), Rect(0, 2, 0, 0) },
        { "two-ring border", MakeBorderLook(GetRaisedBorder(), red), Rect(2, 2, 2, 2) },
        { "border without a table", MakeBorderLook(nullptr, red), Rect(0, 0, 0, 0) },
        { "image over a colour", MakeLookWithImage(red, Spotted(3, 3, Point(0, 0), Point(0, 0)), Point(0, 0)),
          Rect(1, 1, 1, 1) },
        { "image over an image",
          MakeLookWithImage(Spotted(10, 6, Point(3, 0), Point(0, 0)), Image(), blue, Point(1, 1)), Rect(3, 0, 3, 0) },
        { "text", "text", Rect(INT_NULL, INT_NULL, INT_NULL, INT_NULL) },
        { "image over nothing", MakeLookWithImage(Value(), Spotted(3, 3, Point(1, 1), Point(0, 0)), Point(0, 0)),
          Rect(INT_NULL, INT_NULL, INT_NULL, INT_NULL) },
    };
    for(const Case& c : cases)
        EXPECT_EQ(GetLookMargins(c.look), c.margins) << c.what;
}

TEST_F(StandardPainter, OpacityQueries)
{
    // Opaque except one clear pixel in the frame, or one clear pixel inside.
    auto with_hole = [](Point hole) {
        Image img = QorTest::MakeImage(
            5, 5, [&](int x, int y) { return Point(x, y) == hole ? MakeRGBA(0, 0, 0, 0) : Opaque(9, 9, 9); });
        PixelBuffer b(img);
        b.SetHotSpot(Point(1, 1));
        return Image(b);
    };
    struct Case {
        const char* what;
        Value look;
        Value opaque;
        Value inside_opaque;
    } cases[] = {
        { "colour", red, true, true },
        { "Null colour", Color(), false, false },
        { "border", MakeBorderLook(GetRaisedBorder(), red), false, false },
        { "opaque image", Spotted(4, 4, Point(1, 1), Point(0, 0)), true, true },
        { "hole in the frame", with_hole(Point(0, 2)), false, true },
        { "hole inside", with_hole(Point(3, 3)), false, false },
        { "inside of no pixels", Spotted(4, 4, Point(2, 2), Point(0, 0), MakeRGBA(0, 0, 0, 0)), false, true },
        { "empty image", Image(), false, 1 },
        { "image over a colour", MakeLookWithImage(red, Image(), Point(0, 0)), true, true },
        { "image over a border", MakeLookWithImage(MakeBorderLook(GetRaisedBorder(), red), Image(), Point(0, 0)), false,
          false },
    };
    NilDraw w;
    for(const Case& c : cases) {
        EXPECT_EQ(StandardLookPainter(w, Rect(), c.look, LOOK_OPAQUE), c.opaque) << c.what;
        EXPECT_EQ(StandardLookPainter(w, Rect(), c.look, LOOK_INSIDE_OPAQUE), c.inside_opaque) << c.what;
        // A second question is answered the same (from the cache for images).
        EXPECT_EQ(StandardLookPainter(w, Rect(), c.look, LOOK_INSIDE_OPAQUE), c.inside_opaque) << c.what;
    }
}

TEST_F(StandardPainter, OtherKindsAndOperationsAreNotHandled)
{
    RecordingDraw w;
    struct Case {
        Value look;
        int operation;
    } cases[] = {
        { "text", LOOK_PAINT },
        { 42, LOOK_PAINT },
        { red, 5 },
        { red, -1 },
        { MakeBorderLook(GetRaisedBorder(), red), 7 },
        { Spotted(2, 2, Point(0, 0), Point(0, 0)), 9 },
    };
    for(const Case& c : cases)
        EXPECT_TRUE(StandardLookPainter(w, Rect(0, 0, 4, 4), c.look, c.operation).IsNull())
            << Std(c.look.ToString()) << " op " << c.operation;
    PaintLook(w, Rect(0, 0, 4, 4), "text");
    EXPECT_TRUE(w.log.empty());
}

TEST_F(StandardPainter, ColourFillsOrFramesTheRectangle)
{
    const QorTest::Legend legend = { { red, 'r' }, { White(), '-' } };
    RasterDraw paint(6, 5);
    EXPECT_FALSE(PaintLookChain(paint, Rect(1, 1, 5, 4), red, LOOK_PAINT).IsNull());
    std::vector<std::string> filled = { "------", "-rrrr-", "-rrrr-", "-rrrr-", "------" };
    EXPECT_EQ(paint.Picture(legend), filled);

    RasterDraw edge(6, 5);
    EXPECT_FALSE(PaintLookChain(edge, Rect(1, 1, 5, 4), red, LOOK_EDGE).IsNull());
    std::vector<std::string> framed = { "------", "-rrrr-", "-r--r-", "-rrrr-", "------" };
    EXPECT_EQ(edge.Picture(legend), framed);
}

TEST_F(StandardPainter, BorderPaintsItsLookInsetByTheRingCount)
{
    SetSysColorFace(Color(1, 1, 1));
    SetSysColorText(Color(2, 2, 2));
    SetSysColorLight(Color(3, 3, 3));
    SetSysColorShadow(Color(4, 4, 4));
    const QorTest::Legend legend = { { Color(1, 1, 1), 'f' },
                                     { Color(2, 2, 2), 't' },
                                     { Color(3, 3, 3), 'l' },
                                     { Color(4, 4, 4), 's' },
                                     { red, 'r' },
                                     { White(), '-' } };
    Value look = MakeBorderLook(GetRaisedBorder(), red);
    RasterDraw paint(8, 7);
    EXPECT_FALSE(PaintLookChain(paint, Rect(1, 1, 8, 7), look, LOOK_PAINT).IsNull());
    std::vector<std::string> painted = {
        "--------", "-fffffft", "-fllllst", "-flrrrst", "-flrrrst", "-fssssst", "-ttttttt",
    };
    EXPECT_EQ(paint.Picture(legend), painted);

    RecordingDraw calls;
    PaintLookChain(calls, Rect(1, 1, 8, 7), look, LOOK_PAINT);
    ASSERT_FALSE(calls.log.empty());
    EXPECT_EQ(calls.log[0], "DrawRect(3, 3, 3, 2, #ff0000)") << "the inner look first, then the border over it";

    RasterDraw edge(8, 7);
    EXPECT_FALSE(PaintLookChain(edge, Rect(1, 1, 8, 7), look, LOOK_EDGE).IsNull());
    std::vector<std::string> framed = {
        "--------", "-fffffft", "-fllllst", "-fl---st", "-fl---st", "-fssssst", "-ttttttt",
    };
    EXPECT_EQ(edge.Picture(legend), framed);
}
