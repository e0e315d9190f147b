// Base image strips, bands of large images and data drawing through registered drawers.

#include "draw/draw.h"
#include "tests/draw/support/recording_draw.h"

#include <gtest/gtest.h>

using namespace Qor;
using QorTest::RecordingDraw;

namespace {

using Lines = std::vector<std::string>;

// Columns below white_columns are white, the rest dark grey; all opaque.
Image Columns(int cx, int cy, int white_columns)
{
    PixelBuffer b(cx, cy);
    for(int y = 0; y < cy; y++)
        for(int x = 0; x < cx; x++)
            b[y][x] = x < white_columns ? MakeRGBA(255, 255, 255, 255) : MakeRGBA(40, 40, 40, 255);
    return Image(b);
}

std::string Scaled(int x, int y, int cx, int cy, const char* image, int l, int r)
{
    return "DrawImageScaled(" + std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(cx) + ", " +
           std::to_string(cy) + ", " + image + ", (" + std::to_string(l) + ", 0, " + std::to_string(r) + ", " +
           std::to_string(cy) + "), Null)";
}

} // namespace

TEST(DrawImageStrips, WhiteRunsOnDotTargetsAndPiecesOfTwoThousand)
{
    struct Case {
        const char* name;
        dword flags;
        int cx, white;
        Lines log;
    } cases[] = {
        {"twenty white columns", Draw::DOTS, 30, 20,
         {"DrawRect(5, 7, 20, 2, #ffffff)", Scaled(25, 7, 10, 2, "Image(30x2)", 20, 30)}},
        {"fifteen white columns stay image", Draw::DOTS, 30, 15, {Scaled(5, 7, 30, 2, "Image(30x2)", 0, 30)}},
        {"screen targets keep white", 0, 30, 20, {Scaled(5, 7, 30, 2, "Image(30x2)", 0, 30)}},
        {"all white", Draw::DOTS, 16, 16, {"DrawRect(5, 7, 16, 2, #ffffff)"}},
        {"wide image", 0, 4500, 0,
         {Scaled(5, 7, 2000, 2, "Image(4500x2)", 0, 2000), Scaled(2005, 7, 2000, 2, "Image(4500x2)", 2000, 4000),
          Scaled(4005, 7, 500, 2, "Image(4500x2)", 4000, 4500)}},
    };
    for(const Case& c : cases) {
        RecordingDraw w(c.flags);
        w.DrawImageStrips(5, 7, Columns(c.cx, 2, c.white));
        EXPECT_EQ(w.log, c.log) << c.name;
    }
}

TEST(DrawImageScaledBase, LargeImagesGoInBandsOnlyWhereTheTargetTakesThem)
{
    Image img = Columns(2001, 100, 0);
    Rect whole(0, 0, 2001, 100);
    {
        RecordingDraw w(Draw::NATIVE); // no band flag: one part
        w.Draw::DrawImageScaled(0, 0, 2001, 100, img, whole, Color());
        EXPECT_EQ(w.log, (Lines{"DrawImagePart(0, 0, Image(2001x100), (0, 0, 2001, 100), Null)"}));
    }
    {
        RecordingDraw w(Draw::NATIVE | Draw::DRAW_IMAGE_BANDS);
        w.Draw::DrawImageScaled(0, 0, 2001, 100, img, whole, Color());
        ASSERT_EQ(w.log.size(), 14u); // 7 bands of two pieces
        EXPECT_EQ(w.log[0], Scaled(0, 0, 2000, 16, "Image(2001x16)", 0, 2000));
        EXPECT_EQ(w.log[1], Scaled(2000, 0, 1, 16, "Image(2001x16)", 2000, 2001));
        EXPECT_EQ(w.log[12], Scaled(0, 96, 2000, 4, "Image(2001x4)", 0, 2000));
    }
    {
        RecordingDraw w(Draw::NATIVE | Draw::DRAW_IMAGE_BANDS); // a colour keeps it in one piece
        w.Draw::DrawImageScaled(0, 0, 2001, 100, img, whole, Color(1, 2, 3));
        EXPECT_EQ(w.log, (Lines{"DrawImagePart(0, 0, Image(2001x100), (0, 0, 2001, 100), #010203)"}));
    }
}

TEST(DrawImageScaledBase, BandsCarryTheSourcePixels)
{
    PixelBuffer b(2100, 20);
    for(int y = 0; y < 20; y++)
        for(int x = 0; x < 2100; x++)
            b[y][x] = MakeRGBA(x & 255, y, 0, 255);
    Image img(b);
    struct Catch : RecordingDraw {
        Catch() : RecordingDraw(Draw::NATIVE | Draw::DRAW_IMAGE_BANDS) {}
        std::vector<Image> bands;
        void DrawImageScaled(int, int, int, int, const Image& i, const Rect&, Color) override
        {
            if(bands.empty() || bands.back().GetSerialId() != i.GetSerialId())
                bands.push_back(i);
        }
    } w;
    w.Draw::DrawImageScaled(0, 0, 2001, 1600, img, Rect(100, 2, 2101, 1602), Color()); // beyond the image: nothing
    EXPECT_TRUE(w.bands.empty());
    PixelBuffer tall(2001, 1501);
    FillPixels(tall.Begin(), MakeRGBA(0, 0, 0, 255), (int)tall.GetLength());
    for(int x = 0; x < 2001; x++)
        tall[17][x] = MakeRGBA(x & 255, 17, 9, 255);
    Image big(tall);
    w.Draw::DrawImageScaled(0, 0, 2000, 1500, big, Rect(1, 1, 2001, 1501), Color()); // small enough: one part
    EXPECT_TRUE(w.bands.empty());
    w.Draw::DrawImageScaled(0, 0, 2001, 1500, big, Rect(0, 1, 2001, 1501), Color());
    ASSERT_EQ(w.bands.size(), 94u); // 1500 lines in bands of 16
    EXPECT_EQ(w.bands[1].GetSize(), Size(2001, 16));
    EXPECT_EQ(w.bands[1][0][1], MakeRGBA(1, 17, 9, 255)); // source line 17 is band 1, line 0
    EXPECT_EQ(w.bands[1][0][2000], MakeRGBA(2000 & 255, 17, 9, 255));
    EXPECT_EQ(w.bands[93].GetHeight(), 1500 - 93 * 16);
}

namespace {

// Keeps the images the base drawing hands on, and draws nothing.
struct ImageCatch : RecordingDraw {
    explicit ImageCatch(dword flags) : RecordingDraw(flags) {}
    std::vector<Image> parts;
    void DrawImagePart(int x, int y, const Image& i, const Rect& src, Color color) override
    {
        RecordingDraw::DrawImagePart(x, y, i, src, color);
        parts.push_back(i);
    }
    void DrawImageScaled(int, int, int, int, const Image& i, const Rect&, Color) override
    {
        if(parts.empty() || parts.back().GetSerialId() != i.GetSerialId())
            parts.push_back(i);
    }
};

// Two opaque grey rows (or columns) of 0 and 255.
Image BlackThenWhite(int length, bool rows)
{
    PixelBuffer b(rows ? length : 2, rows ? 2 : length);
    for(int y = 0; y < b.GetHeight(); y++)
        for(int x = 0; x < b.GetWidth(); x++) {
            int v = (rows ? y : x) ? 255 : 0;
            b[y][x] = MakeRGBA(v, v, v, 255);
        }
    return Image(b);
}

} // namespace

TEST(DrawImageScaledBase, OtherSizesAreRescaledWhole)
{
    ImageCatch w(Draw::NATIVE);
    w.Draw::DrawImageScaled(4, 5, 3, 1, BlackThenWhite(1, false), Rect(0, 0, 2, 1), Color());
    EXPECT_EQ(w.log, (Lines{"DrawImagePart(4, 5, Image(3x1), (0, 0, 3, 1), Null)"}));
    ASSERT_EQ(w.parts.size(), 1u);
    const RGBA* p = w.parts[0][0];
    EXPECT_EQ(p[0], MakeRGBA(0, 0, 0, 255));
    EXPECT_EQ(p[1], MakeRGBA(89, 89, 89, 255));
    EXPECT_EQ(p[2], MakeRGBA(255, 255, 255, 255));
}

TEST(DrawImageScaledBase, BandsAreRescaledLineByLine)
{
    ImageCatch w(Draw::NATIVE | Draw::DRAW_IMAGE_BANDS);
    Image img = BlackThenWhite(2001, true);
    w.Draw::DrawImageScaled(0, 0, 2001, 20, img, Rect(img.GetSize()), Color());
    ASSERT_EQ(w.parts.size(), 2u);
    EXPECT_EQ(w.parts[0].GetSize(), Size(2001, 16));
    EXPECT_EQ(w.parts[1].GetSize(), Size(2001, 4));
    // 2 rows to 20: the rows of the black half, the curve's blend, then white.
    for(int x : {0, 1000, 2000}) {
        EXPECT_EQ(w.parts[0][0][x], MakeRGBA(0, 0, 0, 255));
        EXPECT_EQ(w.parts[1][3][x], MakeRGBA(255, 255, 255, 255));
    }
    // Line 10 samples at 11/20 past row 0: curve entry 563 is 138, and 138 × 255 >> 8 is 137.
    EXPECT_EQ(w.parts[0][10][7], MakeRGBA(137, 137, 137, 255));
}

namespace {

struct StripesDrawer : DataDrawer {
    static inline std::vector<std::string> calls;
    int row = 0;
    void Open(const String& data, int cx, int cy) override
    {
        calls.push_back("Open " + std::string(data.Begin(), data.GetLength()) + " " + std::to_string(cx) + "x" +
                        std::to_string(cy));
    }
    void Render(PixelBuffer& b) override
    {
        calls.push_back("Render " + std::to_string(b.GetWidth()) + "x" + std::to_string(b.GetHeight()));
        for(int y = 0; y < b.GetHeight(); y++, row++)
            FillPixels(b[y], MakeRGBA(row & 255, 0, 0, 255), b.GetWidth());
    }
    static DataDrawer* Make() { return new StripesDrawer; }
};

} // namespace

TEST(DrawDataBase, DrawersRenderWholeOrInBands)
{
    RegisterDataDrawer("stripes", StripesDrawer::Make);
    EXPECT_EQ(GetDataDrawer(String("unknown")), nullptr);
    {
        StripesDrawer::calls.clear();
        RecordingDraw w;
        w.Draw::DrawData(1, 2, 3, 4, String("abc"), "stripes");
        EXPECT_EQ(StripesDrawer::calls, (Lines{"Open abc 3x4", "Render 3x4"}));
        EXPECT_EQ(w.log, (Lines{"BeginNative()", "DrawImageScaled(1, 2, 3, 4, Image(3x4), (0, 0, 3, 4), Null)",
                                "EndNative()"}));
    }
    {
        StripesDrawer::calls.clear();
        RecordingDraw w(Draw::NATIVE | Draw::DATA_BANDS);
        w.Draw::DrawData(0, 0, 10, 2100, String("x"), "stripes");
        ASSERT_EQ(StripesDrawer::calls.size(), 1u + 66u); // 65 bands of 32 lines, one of 20
        EXPECT_EQ(StripesDrawer::calls.back(), "Render 10x20");
        EXPECT_EQ(w.log.back(), "DrawImageScaled(0, 2080, 10, 20, Image(10x20), (0, 0, 10, 20), Null)");
    }
    {
        RecordingDraw w(Draw::NATIVE);
        w.Draw::DrawData(0, 0, 5, 5, String("x"), "unknown");
        EXPECT_TRUE(w.log.empty());
    }
}
