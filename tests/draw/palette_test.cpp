// Palette building (cell means, splits, untouched entries) and the inverse colour map
// (nearest entry for every cell, the bucket-order tie rule).

#include "draw/raster/palette.h"
#include "draw/raster/raster.h"
#include "tests/draw/support/image_fixtures.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace Qor;
using QorTest::MakeImage;
using QorTest::Opaque;
using QorTest::SolidImage;

namespace {

const RGBA SENTINEL = MakeRGBA(1, 2, 3, 4);

std::vector<RGBA> PaletteOf(const Image& img, int n)
{
    std::vector<RGBA> palette(256, SENTINEL);
    ImageRaster raster(img);
    CreatePalette(raster, palette.data(), n);
    return palette;
}

} // namespace

TEST(CreatePalette, OneColourGivesScaledCellMean)
{
    struct Case {
        int cx, cy;
        RGBA colour;
        RGBA expected;
    } cases[] = {
        {2, 2, Opaque(200, 100, 50), Opaque(209, 103, 59)},
        {1, 1, Opaque(200, 100, 50), Opaque(205, 101, 51)},
        {3, 5, Opaque(255, 255, 255), Opaque(255, 255, 255)},
        {4, 1, Opaque(0, 0, 0), Opaque(4, 2, 8)},
    };
    for(const Case& c : cases) {
        std::vector<RGBA> palette = PaletteOf(SolidImage(c.cx, c.cy, c.colour), 256);
        EXPECT_EQ(palette[0], c.expected) << c.cx << "x" << c.cy;
        for(int i = 1; i < 256; i++)
            ASSERT_EQ(palette[i], SENTINEL) << i;
    }
}

TEST(CreatePalette, EmptyRasterOrNoEntriesLeavePaletteAlone)
{
    for(int n : {256, 1, 0}) {
        std::vector<RGBA> palette = PaletteOf(Image(), n);
        for(RGBA p : palette)
            ASSERT_EQ(p, SENTINEL);
    }
    std::vector<RGBA> palette = PaletteOf(SolidImage(2, 2, Opaque(9, 9, 9)), 0);
    EXPECT_EQ(palette[0], SENTINEL);
}

TEST(CreatePalette, TwoEntriesSplitTheLongestExtent)
{
    // Red spans 32 cells, green 26: the split is on red, so black and green share a box.
    Image img = MakeImage(3, 1, [](int x, int) {
        return x == 0 ? Opaque(0, 0, 0) : x == 1 ? Opaque(255, 0, 0) : Opaque(0, 100, 0);
    });
    std::vector<RGBA> palette = PaletteOf(img, 2);
    EXPECT_EQ(palette[0], Opaque(4, 52, 8));
    EXPECT_EQ(palette[1], Opaque(255, 0, 0));
    EXPECT_EQ(palette[2], SENTINEL);
}

TEST(CreatePalette, EnoughEntriesGiveEveryColourItsOwn)
{
    const RGBA colours[] = {Opaque(0, 0, 0), Opaque(255, 255, 255), Opaque(255, 0, 0), Opaque(0, 255, 0),
                            Opaque(0, 0, 255)};
    Image img = MakeImage(5, 2, [&](int x, int) { return colours[x]; });
    std::vector<RGBA> palette = PaletteOf(img, 16);
    // Two pixels each: the rounding term lifts zero channels to 4, 2 and 8.
    const RGBA expected[] = {Opaque(4, 2, 8), Opaque(255, 255, 255), Opaque(255, 2, 8), Opaque(4, 255, 8),
                             Opaque(4, 2, 255)};
    for(RGBA c : expected) {
        int found = 0;
        for(int i = 0; i < 5; i++)
            found += palette[i] == c;
        EXPECT_EQ(found, 1) << (int)c.r << "," << (int)c.g << "," << (int)c.b;
    }
    EXPECT_EQ(palette[5], SENTINEL);
}

namespace {

int CellDistance(RGBA p, int cell)
{
    int r = cell >> 10, b = (cell >> 6) & 15, g = cell & 63;
    int dr = p.r - r * 255 / 31, dg = p.g - g * 255 / 63, db = p.b - b * 17;
    return dr * dr + dg * dg + db * db;
}

} // namespace

TEST(CreateColourMap, EveryCellGetsANearestEntry)
{
    std::mt19937 rng(7);
    std::vector<byte> map(PALETTE_GRID_CELLS);
    for(int n : {1, 2, 5, 16, 256}) {
        std::vector<RGBA> palette(n);
        for(RGBA& p : palette)
            p = Opaque(rng() & 255, rng() & 255, rng() & 255);
        if(n == 2)
            palette = {Opaque(0, 0, 0), Opaque(255, 255, 255)};
        CreateColourMap(palette.data(), n, map.data());
        for(int cell = 0; cell < PALETTE_GRID_CELLS; cell++) {
            int best = INT_MAX;
            for(RGBA p : palette)
                best = std::min(best, CellDistance(p, cell));
            ASSERT_LT(map[cell], n) << cell;
            ASSERT_EQ(CellDistance(palette[map[cell]], cell), best) << "n " << n << " cell " << cell;
        }
    }
}

TEST(CreateColourMap, TiesGoToTheEntryOfTheNearerRedBlueBucket)
{
    // For cell (0, 0, 0) both entries are 2304 away; entry 1 lies in the first bucket
    // (no red or blue distance) and is found first.
    RGBA palette[] = {Opaque(48, 0, 0), Opaque(0, 48, 0), Opaque(0, 48, 0)};
    std::vector<byte> map(PALETTE_GRID_CELLS, 99);
    CreateColourMap(palette, 3, map.data());
    EXPECT_EQ(map[0], 1);
}

TEST(CreateColourMap, NoEntriesMapEverythingToZero)
{
    std::vector<byte> map(PALETTE_GRID_CELLS, 99);
    CreateColourMap(nullptr, 0, map.data());
    for(byte b : map)
        ASSERT_EQ(b, 0);
}
