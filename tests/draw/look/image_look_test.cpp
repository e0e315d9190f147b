// Image looks spread over rectangles: corners at their own size, stretched edges, an
// inside that is stretched, tiled or filled, the split of too small rectangles; and the
// image laid over a look.

#include "draw/rescale/rescaler.h"
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

class ImageLook : public QorTest::LookTest {};

// Corners of distinct rows, one-colour edges and inside.
const QorTest::Legend legend = {
    { Color(10, 0, 0), 'a' }, { Color(20, 0, 0), 'b' }, { Color(30, 0, 0), 'c' }, { Color(40, 0, 0), 'd' },
    { Color(50, 0, 0), 'e' }, { Color(60, 0, 0), 'f' }, { Color(70, 0, 0), 'g' }, { Color(80, 0, 0), 'h' },
    { Color(0, 10, 0), 'T' }, { Color(0, 20, 0), 'U' }, { Color(0, 30, 0), 'L' }, { Color(0, 40, 0), 'R' },
    { Color(0, 0, 10), 'M' }, { Color(0, 0, 20), 'x' }, { Color(0, 0, 30), 'y' }, { Color(0, 0, 40), 'z' },
    { Color(0, 0, 50), 'w' }, { White(), '-' },
};

Image WithSpots(const Image& img, Point h1, Point h2)
{
    Image copy = img;
    PixelBuffer b(copy);
    b.SetHotSpot(h1);
    b.SetSecondSpot(h2);
    return Image(b);
}

// A 5 × 5 frame image with margins of 2 on every side and a one-pixel inside.
Image FrameImage()
{
    return WithSpots(QorTest::ArtImage({ "aaTbb", "ccTdd", "LLMRR", "eeUff", "ggUhh" }, legend), Point(2, 2),
                     Point(0, 0));
}

std::vector<std::string> Paint(const Value& look, int cx, int cy, int operation)
{
    RasterDraw w(cx + 2, cy + 2);
    EXPECT_EQ(PaintLookChain(w, Rect(1, 1, cx + 1, cy + 1), look, operation), Value(1));
    EXPECT_EQ(w.GetClipDepth(), 0) << "every clip ended";
    return w.Picture(legend);
}

} // namespace

TEST_F(ImageLook, FrameOverRectanglesLargeAndSmall)
{
    struct Case {
        const char* what;
        int cx, cy;
        int operation;
        std::vector<std::string> picture;
    } cases[] = {
        { "normal",
          9,
          7,
          LOOK_PAINT,
          { "-----------", "-aaTTTTTbb-", "-ccTTTTTdd-", "-LLMMMMMRR-", "-LLMMMMMRR-", "-LLMMMMMRR-", "-eeUUUUUff-",
            "-ggUUUUUhh-", "-----------" } },
        { "edge only",
          9,
          7,
          LOOK_EDGE,
          { "-----------", "-aaTTTTTbb-", "-ccTTTTTdd-", "-LL-----RR-", "-LL-----RR-", "-LL-----RR-", "-eeUUUUUff-",
            "-ggUUUUUhh-", "-----------" } },
        { "the image's own size",
          5,
          5,
          LOOK_PAINT,
          { "-------", "-aaTbb-", "-ccTdd-", "-LLMRR-", "-eeUff-", "-ggUhh-", "-------" } },
        { "narrow: split at half the width",
          3,
          7,
          LOOK_PAINT,
          { "-----", "-abb-", "-cdd-", "-LRR-", "-LRR-", "-LRR-", "-eff-", "-ghh-", "-----" } },
        { "short, odd height: the lower part gets the extra row",
          9,
          3,
          LOOK_PAINT,
          { "-----------", "-aaTTTTTbb-", "-eeUUUUUff-", "-ggUUUUUhh-", "-----------" } },
        { "short, even height", 9, 2, LOOK_PAINT, { "-----------", "-aaTTTTTbb-", "-ggUUUUUhh-", "-----------" } },
        { "narrow and short", 3, 3, LOOK_PAINT, { "-----", "-abb-", "-eff-", "-ghh-", "-----" } },
        { "narrow and short, edge only", 3, 3, LOOK_EDGE, { "-----", "-abb-", "-eff-", "-ghh-", "-----" } },
        { "larger than the image twice",
          12,
          12,
          LOOK_PAINT,
          { "--------------", "-aaTTTTTTTTbb-", "-ccTTTTTTTTdd-", "-LLMMMMMMMMRR-", "-LLMMMMMMMMRR-", "-LLMMMMMMMMRR-",
            "-LLMMMMMMMMRR-", "-LLMMMMMMMMRR-", "-LLMMMMMMMMRR-", "-LLMMMMMMMMRR-", "-LLMMMMMMMMRR-", "-eeUUUUUUUUff-",
            "-ggUUUUUUUUhh-", "--------------" } },
    };
    for(const Case& c : cases)
        EXPECT_EQ(Paint(FrameImage(), c.cx, c.cy, c.operation), c.picture) << c.what;
}

TEST_F(ImageLook, TiledInsides)
{
    struct Case {
        const char* what;
        Image image;
        int cx, cy;
        std::vector<std::string> picture;
    } cases[] = {
        // Hotspot x 3 of 5 lies past the middle: margins 1 and 2, the inside (1..2) tiles
        // across and stretches down.
        { "across",
          WithSpots(QorTest::ArtImage({ "aTTbb", "LxyRR", "eUUff" }, legend), Point(3, 1), Point(0, 0)),
          9,
          4,
          { "-----------", "-aTTTTTTbb-", "-LxyxyxyRR-", "-LxyxyxyRR-", "-eUUUUUUff-", "-----------" } },
        // Spots in reverse order tile both ways.
        { "both ways",
          WithSpots(QorTest::ArtImage({ "aTTb", "LxyR", "LzwR", "cUUd" }, legend), Point(2, 2), Point(1, 1)),
          7,
          6,
          { "---------", "-aTTTTTb-", "-LxyxyxR-", "-LzwzwzR-", "-LxyxyxR-", "-LzwzwzR-", "-cUUUUUd-", "---------" } },
    };
    for(const Case& c : cases)
        EXPECT_EQ(Paint(c.image, c.cx, c.cy, LOOK_PAINT), c.picture) << c.what;
}

// An inside of one opaque colour is filled as a rectangle; any other inside is stretched
// through the made-image cache.
TEST_F(ImageLook, InsideFilledOrStretched)
{
    const std::string stretched = "DrawImageScaled(0, 0, 20, 30, Image(20x30), (0, 0, 20, 30), Null)";
    struct Case {
        const char* what;
        Image image;
        std::string inside; // the one call that paints the inside
    } cases[] = {
        { "one opaque colour", QorTest::SolidImage(3, 2, Opaque(0, 0, 10)), "DrawRect(0, 0, 20, 30, #00000a)" },
        { "one colour, not opaque", QorTest::SolidImage(3, 2, MakeRGBA(0, 0, 5, 128)), stretched },
        { "two colours", QorTest::MakeImage(3, 2, [](int x, int) { return x ? Opaque(0, 0, 10) : Opaque(0, 0, 20); }),
          stretched },
        { "one colour inside a different frame", FrameImage(), "DrawRect(2, 2, 16, 26, #00000a)" },
    };
    for(const Case& c : cases) {
        RecordingDraw w;
        PaintLook(w, Rect(0, 0, 20, 30), c.image);
        int insides = 0, fills = 0;
        for(const std::string& line : w.log) {
            insides += line == c.inside;
            fills += line.rfind("DrawRect(", 0) == 0;
        }
        EXPECT_EQ(insides, 1) << c.what;
        EXPECT_EQ(fills, c.inside == stretched ? 0 : 1) << c.what;
    }
}

// Without spots the image is stretched whole: exactly the box rescaler's picture.
TEST_F(ImageLook, ImageWithoutSpotsIsStretchedWhole)
{
    Image img = QorTest::MakeImage(3, 2, [](int x, int y) { return Opaque(40 * x, 90 * y, 200); });
    RasterDraw w(8, 5, White());
    PaintLook(w, Rect(0, 0, 7, 5), img);
    Image expected = RescaleImage(img, Size(7, 5), Rect(0, 0, 3, 2));
    for(int y = 0; y < 5; y++)
        for(int x = 0; x < 7; x++)
            ASSERT_EQ(w.At(x, y), expected[y][x]) << x << ", " << y;
    EXPECT_EQ(w.At(7, 0), White().ToRGBA()) << "clipped to the rectangle";
}

TEST_F(ImageLook, RepaintingTheSameSizeRescalesNothing)
{
    Image img = QorTest::MakeImage(4, 4, [](int x, int y) { return Opaque(50 * x, 50 * y, 0); });
    img = WithSpots(img, Point(1, 1), Point(0, 0));
    RecordingDraw w;
    StartImageCachePhase();
    PaintLook(w, Rect(0, 0, 17, 13), img);
    EXPECT_GT(GetMadeImageCacheStats().made_cost, 0);
    StartImageCachePhase();
    PaintLook(w, Rect(5, 5, 22, 18), img);
    EXPECT_EQ(GetMadeImageCacheStats().made_cost, 0);
    EXPECT_GT(GetMadeImageCacheStats().reused_cost, 0);
}

TEST_F(ImageLook, ScaledPartThroughTheCache)
{
    Image img = QorTest::MakeImage(4, 3, [](int x, int y) { return Opaque(60 * x, 100 * y, 7); });
    RecordingDraw w;
    DrawScaledImagePart(w, Rect(2, 3, 2, 9), img, Rect(0, 0, 2, 2));
    DrawScaledImagePart(w, Rect(2, 3, 9, 3), img, Rect(0, 0, 2, 2));
    EXPECT_TRUE(w.log.empty()) << "no width or no height draws nothing";

    DrawScaledImagePart(w, Rect(2, 3, 8, 7), img, Rect(1, 0, 3, 2));
    Image made = GetMadeImage(ChImageMaker(Size(6, 4), Rect(1, 0, 3, 2), img));
    EXPECT_EQ(made, RescaleImage(img, Size(6, 4), Rect(1, 0, 3, 2)));
    ASSERT_EQ(w.log.size(), 1u);
    EXPECT_EQ(w.log[0], "DrawImageScaled(2, 3, 6, 4, Image(6x4), (0, 0, 6, 4), Null)");

    // The whole image at its own size is the image itself.
    EXPECT_EQ(ChImageMaker(Size(4, 3), Rect(0, 0, 4, 3), img).Make().GetSerialId(), img.GetSerialId());
    // Keys differ in every part they hold.
    String key = ChImageMaker(Size(6, 4), Rect(1, 0, 3, 2), img).GetKey();
    EXPECT_EQ(key.GetLength(), 32);
    for(const ChImageMaker& other :
        { ChImageMaker(Size(6, 5), Rect(1, 0, 3, 2), img), ChImageMaker(Size(6, 4), Rect(1, 0, 3, 3), img),
          ChImageMaker(Size(6, 4), Rect(1, 0, 3, 2), QorTest::SolidImage(4, 3, Opaque(1, 1, 1))) })
        EXPECT_NE(other.GetKey(), key);
}

TEST_F(ImageLook, ClassifyImageArea)
{
    // Columns 0-1 red, column 2 blue; rows 0-1 as they are, row 2 all blue.
    Image img =
        QorTest::MakeImage(3, 3, [](int x, int y) { return x < 2 && y < 2 ? Opaque(255, 0, 0) : Opaque(0, 0, 255); });
    struct Case {
        Rect area;
        int expected;
    } cases[] = {
        { Rect(0, 0, 2, 2), 3 },
        { Rect(0, 0, 3, 2), 1 },
        { Rect(0, 0, 2, 3), 2 },
        { Rect(0, 0, 3, 3), 0 },
        { Rect(2, 0, 3, 3), 3 },
        { Rect(1, 0, 2, 3), 2 },
        { Rect(0, 2, 3, 3), 3 },
        { Rect(1, 1, 1, 1), 3 },
        { Rect(-5, -5, 2, 2), 3 },
        { Rect(1, 1, 9, 9), 0 },
        { Rect(INT_NULL, INT_NULL, INT_NULL, INT_NULL), 0 },
    };
    for(const Case& c : cases)
        EXPECT_EQ(ClassifyImageArea(img, c.area), c.expected) << RecordingDraw::Text(c.area);
    EXPECT_EQ(ClassifyImageArea(Image(), Rect(0, 0, 4, 4)), 3);
}

TEST_F(ImageLook, ImageOverALookIsCentred)
{
    Image img = QorTest::SolidImage(3, 2, Opaque(0, 0, 10));
    struct Case {
        Rect r;
        Point offset;
        Color colour;
        const char* image_call;
    } cases[] = {
        { Rect(0, 0, 7, 6), Point(0, 0), Color(), "DrawImageScaled(2, 2, 3, 2, Image(3x2), (0, 0, 3, 2), Null)" },
        { Rect(10, 20, 16, 25), Point(1, -2), Color(),
          "DrawImageScaled(12, 19, 3, 2, Image(3x2), (0, 0, 3, 2), Null)" },
        // A rectangle smaller than the image: the centre still rounds down.
        { Rect(0, 0, 2, 1), Point(0, 0), Color(), "DrawImageScaled(-1, -1, 3, 2, Image(3x2), (0, 0, 3, 2), Null)" },
        { Rect(0, 0, 7, 6), Point(0, 0), Color(1, 2, 3),
          "DrawImageScaled(2, 2, 3, 2, Image(3x2), (0, 0, 3, 2), #010203)" },
    };
    for(const Case& c : cases) {
        RecordingDraw w;
        Value look = MakeLookWithImage(Color(9, 9, 9), img, c.colour, c.offset);
        EXPECT_EQ(PaintLookChain(w, c.r, look, LOOK_PAINT), Value(1));
        std::vector<std::string> expected = {
            "DrawRect(" + std::to_string(c.r.left) + ", " + std::to_string(c.r.top) + ", " +
                std::to_string(c.r.Width()) + ", " + std::to_string(c.r.Height()) + ", #090909)",
            c.image_call,
        };
        EXPECT_EQ(w.log, expected);
    }
    // Its edge is the edge of the look below.
    RecordingDraw edge;
    PaintLookEdge(edge, Rect(0, 0, 4, 4), MakeLookWithImage(Color(9, 9, 9), img, Point(0, 0)));
    EXPECT_EQ(edge.log.size(), 4u) << "a one-pixel frame, no image";
}

// A painter added later takes over any kind of look, the inner looks of the standard
// painter's kinds included.
TEST_F(ImageLook, LaterPainterTakesOverInnerLooks)
{
    AddLookPainter([](Draw& w, const Rect& r, const Value& look, int operation) -> Value {
        if(look.GetTypeNumber() != COLOR_V || operation != LOOK_PAINT)
            return Value();
        w.DrawRect(r, Color(7, 7, 7));
        return true;
    });
    RecordingDraw w;
    PaintLook(w, Rect(0, 0, 6, 6), MakeBorderLook(GetBlackBorder(), Color(1, 1, 1)));
    ASSERT_FALSE(w.log.empty());
    EXPECT_EQ(w.log[0], "DrawRect(1, 1, 4, 4, #070707)");
    EXPECT_EQ(GetLookMargins(Color(1, 1, 1)), Rect(1, 1, 1, 1)) << "what it passes on the standard painter answers";
}

// Spots of a loaded image may lie outside it: the frame is held inside the image, so
// painting reads no pixel outside it and still covers the rectangle.
TEST_F(ImageLook, SpotsOutsideTheImageStayInside)
{
    Image img = WithSpots(QorTest::ArtImage({ "MMM", "MMM", "MMM" }, legend), Point(-3, 9), Point(20, 1));
    EXPECT_EQ(GetLookMargins(img), Rect(0, 1, 0, 0));
    std::vector<std::string> picture = { "-------", "-MMMMM-", "-MMMMM-", "-MMMMM-", "-MMMMM-", "-------" };
    EXPECT_EQ(Paint(img, 5, 4, LOOK_PAINT), picture);
}
