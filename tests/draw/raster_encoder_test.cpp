// Raster encoders: palettes from the source or built, conversion through the inverse
// colour map, whole-raster saving, and ImageEncoder rows, copies and impossible sizes.

#include "draw/raster/raster.h"
#include "draw/raster/raster_encoder.h"
#include "foundation/stream.h"
#include "tests/draw/support/image_fixtures.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

using namespace Qor;
using QorTest::MakeImage;
using QorTest::Opaque;
using QorTest::SolidImage;

namespace {

// Writes each line in an 8-bit palette format (or native RGBA when entries is 0) as it is.
class IndexEncoder : public StreamRasterEncoder {
public:
    explicit IndexEncoder(int entries) : entries(entries)
    {
        if(entries)
            format.code = PixelFormat::PAL8;
    }
    int GetPaletteCount() override { return entries; }
    int started = 0;

protected:
    void StartOutput(Size) override { started++; }
    void WriteLineRaw(const byte* line) override
    {
        stream->Put(line, (uint32)format.GetByteCount(size.cx));
    }

private:
    int entries;
};

// An Image raster that also reports a palette of its own.
class PaletteRaster : public ImageRaster {
public:
    PaletteRaster(const Image& img, int n, const RGBA* palette) : ImageRaster(img), n(n), palette(palette) {}
    int GetPaletteCount() override { return n; }
    const RGBA* GetPalette() override { return palette; }
    RasterInfo GetInfo() override
    {
        RasterInfo info = ImageRaster::GetInfo();
        info.dots = Size(30, 40);
        info.hotspot = Point(1, 0);
        return info;
    }

private:
    int n;
    const RGBA* palette;
};

} // namespace

TEST(RasterEncoder, UnsetPaletteIsAGreyRamp)
{
    struct Case {
        int entries;
        int last;
    } cases[] = {{256, 255}, {16, 255}, {2, 255}};
    for(const Case& c : cases) {
        IndexEncoder e(c.entries);
        const RGBA* p = e.GetPalette();
        EXPECT_EQ(p[0], Opaque(0, 0, 0));
        EXPECT_EQ(p[c.entries - 1], Opaque(c.last, c.last, c.last));
        if(c.entries == 256) {
            for(int i = 0; i < 256; i++)
                ASSERT_EQ(p[i], Opaque(i, i, i));
        }
        if(c.entries == 16) {
            EXPECT_EQ(p[1], Opaque(17, 17, 17));
        }
    }
}

TEST(RasterEncoder, BuiltPaletteMapsPixelsToTheirEntries)
{
    Image img = MakeImage(3, 2, [](int x, int y) { return (x + y) % 2 ? Opaque(255, 255, 255) : Opaque(0, 0, 0); });
    IndexEncoder e(2);
    String out = EncodeImage(e, img);
    // Each colour has its own box, so the entries are the two cell means.
    const RGBA* p = e.GetPalette();
    int black = p[0] == Opaque(2, 1, 5) ? 0 : 1;
    EXPECT_EQ(p[black], Opaque(2, 1, 5));
    EXPECT_EQ(p[1 - black], Opaque(255, 255, 255));
    ASSERT_EQ(out.GetLength(), 6);
    for(int i = 0; i < 6; i++)
        EXPECT_EQ((byte)out[i], (i % 3 + i / 3) % 2 ? 1 - black : black) << i;
}

TEST(RasterEncoder, RasterPaletteOfTheRightSizeIsKept)
{
    RGBA palette[4] = {Opaque(255, 0, 0), Opaque(0, 0, 255), Opaque(0, 255, 0), Opaque(10, 10, 10)};
    Image img = MakeImage(4, 1, [&](int x, int) { return palette[3 - x]; });
    PaletteRaster raster(img, 4, palette);
    IndexEncoder e(4);
    String out = e.SaveString(raster);
    EXPECT_EQ(memcmp(e.GetPalette(), palette, sizeof(palette)), 0);
    EXPECT_EQ(out, String("\x03\x02\x01\x00", 4));
    EXPECT_EQ(e.GetDots(), Size(30, 40));
    EXPECT_EQ(e.GetHotSpot(), Point(1, 0));

    // A palette of another size is not taken: one is built from the colours.
    PaletteRaster other(SolidImage(2, 1, Opaque(255, 255, 255)), 3, palette);
    IndexEncoder e2(4);
    String out2 = e2.SaveString(other);
    EXPECT_EQ(e2.GetPalette()[0], Opaque(255, 255, 255));
    EXPECT_EQ(out2, String("\0\0", 2));
}

TEST(RasterEncoder, RGBAOutputPassesLinesThrough)
{
    Image img = MakeImage(2, 2, [](int x, int y) { return MakeRGBA(x, y, 7, 128); });
    IndexEncoder e(0);
    String out = EncodeImage(e, img);
    ASSERT_EQ(out.GetLength(), 16);
    EXPECT_EQ(memcmp(out.Begin(), img.GetPixels(), 16), 0);
}

TEST(RasterEncoder, EmptyRasterWritesNothing)
{
    IndexEncoder e(2);
    EXPECT_EQ(EncodeImage(e, Image()), String());
    EXPECT_EQ(e.started, 0);
}

TEST(ImageEncoder, CollectsLinesCopyingOnlyForeignOnes)
{
    ImageEncoder e;
    e.Start(Size(2, 3));
    RGBA row[2] = {Opaque(1, 2, 3), Opaque(4, 5, 6)};
    RGBA* first = e.GetCurrentLine();
    first[0] = first[1] = Opaque(9, 9, 9);
    e.WriteLine();
    EXPECT_NE(e.GetCurrentLine(), first);
    e.WriteLine(row);
    RGBA* third = e.GetCurrentLine();
    third[0] = Opaque(7, 7, 7);
    third[1] = Opaque(8, 8, 8);
    e.WriteLine(third);
    Image img = e.GetImage();
    ASSERT_EQ(img.GetSize(), Size(2, 3));
    EXPECT_EQ(img[0][1], Opaque(9, 9, 9));
    EXPECT_EQ(img[1][0], row[0]);
    EXPECT_EQ(img[1][1], row[1]);
    EXPECT_EQ(img[2][0], Opaque(7, 7, 7));
    EXPECT_EQ(img[2][1], Opaque(8, 8, 8));
    EXPECT_EQ(img.GetHotSpot(), Point(0, 0));
}

TEST(ImageEncoder, ImpossibleSizesGiveTheEmptyImage)
{
    Size sizes[] = {Size(5, 0), Size(0, 5), Size(-3, 4), Size(4, -3), Size(INT_MAX, INT_MAX), Size(100000, 100000)};
    for(Size sz : sizes) {
        ImageEncoder e;
        e.Start(sz);
        EXPECT_EQ(e.GetCurrentLine(), nullptr) << sz.cx << "x" << sz.cy;
        EXPECT_TRUE(e.GetImage().IsEmpty());
    }
}
