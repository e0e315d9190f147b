// Frames, table borders, tiles and outlined images, painted into pixels.

#include "draw/draw.h"
#include "draw/image_ops/image_filters.h"
#include "draw/look/sys_colors.h"
#include "tests/draw/support/image_fixtures.h"
#include "tests/draw/support/raster_draw.h"
#include "tests/draw/support/recording_draw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Qor;
using QorTest::RasterDraw;
using QorTest::RecordingDraw;

namespace {

using Lines = std::vector<std::string>;

const Color RED(255, 0, 0);
const Color BLUE(0, 0, 255);

TEST(Frames, DrawFrameCoversTheInsideEdgeOnce)
{
    RasterDraw w(6, 5);
    w.DrawFrame(Rect(1, 1, 5, 4), RED);
    EXPECT_EQ(w.Picture({ { White(), '.' }, { RED, 'r' } }), (Lines{
                                                                 "......",
                                                                 ".rrrr.",
                                                                 ".r..r.",
                                                                 ".rrrr.",
                                                                 "......",
                                                             }));
    RecordingDraw rec;
    rec.DrawFrame(Rect(3, 3, 3, 9), RED);
    EXPECT_TRUE(rec.log.empty());
}

TEST(Frames, DrawThickFrameInsideAndOutside)
{
    // Width 2 inside the whole canvas and width -2 around its middle give the same ring.
    const Lines ring = {
        "rrrrrrr", "rrrrrrr", "rr...rr", "rr...rr", "rrrrrrr", "rrrrrrr",
    };
    struct Case {
        const char* name;
        Rect r;
        int width;
    };
    const Case cases[] = {
        { "inside", Rect(0, 0, 7, 6), 2 },
        { "outside", Rect(2, 2, 5, 4), -2 },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RasterDraw w(7, 6);
        w.DrawThickFrame(c.r, RED, c.width);
        EXPECT_EQ(w.Picture({ { White(), '.' }, { RED, 'r' } }), ring);
    }
    RecordingDraw rec;
    rec.DrawThickFrame(Rect(0, 0, 0, 5), RED, 1);
    EXPECT_TRUE(rec.log.empty());
}

class Borders : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The pictures tell the colours apart only when they differ.
        const Color colors[] = { SysColorText(), SysColorFace(), SysColorLight(), SysColorShadow() };
        for(int i = 0; i < 4; i++)
            for(int j = i + 1; j < 4; j++)
                ASSERT_NE(colors[i], colors[j]);
    }
    static Lines Picture(const RasterDraw& w)
    {
        return w.Picture({ { RED, '.' },
                           { SysColorText(), 't' },
                           { SysColorFace(), 'f' },
                           { SysColorLight(), 'l' },
                           { SysColorShadow(), 's' } });
    }
    static Lines Paint(int cx, int cy, const BorderTable* table)
    {
        RasterDraw w(cx + 2, cy + 2, RED);
        w.DrawBorder(1, 1, cx, cy, table);
        return Picture(w);
    }
};

TEST_F(Borders, NamedTablesDrawTheirRingsOutsideIn)
{
    struct Case {
        const char* name;
        BorderTableGetter table;
        Lines picture;
    };
    const Case cases[] = {
        { "black", GetBlackBorder, { ".....", ".ttt.", ".t.t.", ".ttt.", "....." } },
        { "thin inset", GetThinInsetBorder, { ".....", ".ssl.", ".s.l.", ".lll.", "....." } },
        { "thin outset", GetThinOutsetBorder, { ".....", ".lls.", ".l.s.", ".sss.", "....." } },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Paint(3, 3, c.table()), c.picture);
    }
    EXPECT_EQ(Paint(4, 4, GetRaisedBorder()), (Lines{
                                                  "......",
                                                  ".ffft.",
                                                  ".flst.",
                                                  ".fsst.",
                                                  ".tttt.",
                                                  "......",
                                              }));
}

TEST_F(Borders, SunkenIntoThreeByThreeDrawsAOnePixelSecondRing)
{
    EXPECT_EQ(Paint(3, 3, GetSunkenBorder()), (Lines{
                                                  ".....",
                                                  ".ssl.",
                                                  ".sfl.",
                                                  ".lll.",
                                                  ".....",
                                              }));
    // A 2 × 2 area has no room for the second ring.
    EXPECT_EQ(Paint(2, 2, GetSunkenBorder()), (Lines{ "....", ".sl.", ".ll.", "...." }));
}

TEST_F(Borders, GetterFormAndEmptyCases)
{
    RasterDraw a(5, 5, RED);
    RasterDraw b(5, 5, RED);
    a.DrawBorder(Rect(1, 1, 4, 4), GetSunkenBorder());
    Draw::DrawBorder(b, 1, 1, 3, 3, GetSunkenBorder);
    EXPECT_EQ(Picture(a), Paint(3, 3, GetSunkenBorder()));
    EXPECT_EQ(Picture(b), Paint(3, 3, GetSunkenBorder()));

    RecordingDraw rec;
    rec.DrawBorder(0, 0, 10, 10, nullptr);
    const BorderTable none = { 0, nullptr };
    rec.DrawBorder(0, 0, 10, 10, &none);
    rec.DrawBorder(0, 0, 0, 10, GetBlackBorder());
    EXPECT_TRUE(rec.log.empty());
}

TEST(Tiles, RepeatFromTheCornerClippedToTheRectangle)
{
    Image tile = QorTest::MakeImage(
        2, 2, [](int x, int y) { return x == 0 && y == 0 ? QorTest::Opaque(0, 0, 255) : QorTest::Opaque(255, 0, 0); });
    RasterDraw w(7, 5);
    w.DrawTiles(Rect(1, 1, 6, 4), tile);
    EXPECT_EQ(w.Picture({ { White(), '.' }, { RED, 'r' }, { BLUE, 'b' } }), (Lines{
                                                                                ".......",
                                                                                ".brbrb.",
                                                                                ".rrrrr.",
                                                                                ".brbrb.",
                                                                                ".......",
                                                                            }));
    EXPECT_EQ(w.GetClipDepth(), 0);

    RecordingDraw rec;
    rec.DrawTiles(Rect(0, 0, 10, 10), Image());
    EXPECT_TRUE(rec.log.empty());
}

TEST(OutlinedImage, OutlineAroundTheImageOrItsEtchedForm)
{
    Image dot = QorTest::SolidImage(1, 1, QorTest::Opaque(0, 0, 0));
    RasterDraw w(5, 5);
    w.DrawImageWithOutline(2, 2, dot, true, true, RED);
    EXPECT_EQ(w.Picture({ { White(), '.' }, { RED, 'r' }, { Black(), 'k' } }), (Lines{
                                                                                   ".....",
                                                                                   "..r..",
                                                                                   ".rkr.",
                                                                                   "..r..",
                                                                                   ".....",
                                                                               }));

    RasterDraw plain(3, 3);
    plain.DrawImageWithOutline(1, 1, dot, false, true, RED);
    EXPECT_EQ(plain.Picture({ { White(), '.' }, { Black(), 'k' } }), (Lines{ "...", ".k.", "..." }));

    Image etched = EtchImage(dot);
    RasterDraw e(3, 3);
    e.DrawImageWithOutline(1, 1, dot, false, false, RED);
    ASSERT_NE(etched[0][0], dot[0][0]);
    RasterDraw expected(3, 3);
    expected.DrawImage(1, 1, etched);
    EXPECT_EQ(e.At(1, 1), expected.At(1, 1));
    EXPECT_EQ(e.At(0, 1), expected.At(0, 1));
}

} // namespace
