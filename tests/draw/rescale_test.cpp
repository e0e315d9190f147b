// Box rescaling: exact resampled values along either axis (area weights, the
// interpolation curve, four-sample mode, mirroring, clipped ranges), lines past the end,
// sharing, and sizes that cannot be rescaled.

#include "draw/raster/raster_encoder.h"
#include "draw/rescale/rescaler.h"
#include "tests/draw/support/image_fixtures.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using namespace Qor;
using QorTest::MakeImage;
using QorTest::Opaque;

namespace {

Image Strip(const std::vector<int>& v, bool vertical)
{
    int n = (int)v.size();
    return MakeImage(vertical ? 1 : n, vertical ? n : 1,
                     [&](int x, int y) { return Opaque(v[x + y], v[x + y], v[x + y]); });
}

// The grey levels of a strip; -1 for a pixel whose channels differ or are not opaque.
std::vector<int> Levels(const Image& img)
{
    std::vector<int> out;
    for(int i = 0; i < img.GetLength(); i++) {
        RGBA p = img.GetPixels()[i];
        out.push_back(p.r == p.g && p.g == p.b && p.a == 255 ? p.r : p.a == 0 && p.r == 0 ? -2 : -1);
    }
    return out;
}

std::vector<int> Ramp(int n, int from, int by)
{
    std::vector<int> v;
    for(int i = 0; i < n; i++)
        v.push_back(from + i * by);
    return v;
}

} // namespace

TEST(BoxRescale, StripsAlongEitherAxis)
{
    struct Case {
        const char* what;
        std::vector<int> source;
        int length;
        int from, to; // the source range
        std::vector<int> expected; // -2: transparent
    } cases[] = {
        {"enlarge 2 to 3", {0, 255}, 3, 0, 2, {0, 89, 255}},
        {"enlarge 2 to 4", {0, 255}, 4, 0, 2, {0, 70, 183, 255}},
        {"halve alternating", {0, 255, 0, 255}, 2, 0, 4, {127, 127}},
        {"3 to 2 moves a tap back", {0, 255, 255}, 2, 0, 3, {85, 255}},
        {"8 to 2 four samples", Ramp(8, 0, 10), 2, 0, 8, {15, 55}},
        {"5 to 1 skips the fifth", {10, 20, 30, 40, 50}, 1, 0, 5, {25}},
        {"equal size copies", {10, 20, 30, 40, 50}, 3, 1, 4, {20, 30, 40}},
        {"mirrored", {10, 20, 30, 40}, 4, 4, 0, {40, 30, 20, 10}},
        {"mirrored enlargement", {0, 255}, 3, 2, 0, {255, 89, 0}},
        {"range before the source", {10, 20, 30, 40}, 6, -2, 4, {-2, -2, 10, 20, 30, 40}},
        {"range past the source", {10, 20, 30, 40}, 4, 2, 6, {30, 40, -2, -2}},
        {"range outside", {10, 20}, 2, 5, 7, {-2, -2}},
        {"empty range", {10, 20}, 2, 1, 1, {-2, -2}},
    };
    for(const Case& c : cases)
        for(bool vertical : {false, true}) {
            Image img = Strip(c.source, vertical);
            Rect r = vertical ? Rect(0, c.from, 1, c.to) : Rect(c.from, 0, c.to, 1);
            Image out = RescaleImage(img, vertical ? Size(1, c.length) : Size(c.length, 1), r);
            ASSERT_EQ(out.GetLength(), c.length) << c.what;
            EXPECT_EQ(Levels(out), c.expected) << c.what << (vertical ? " (vertical)" : "");
        }
}

TEST(BoxRescale, SliverOfAPixelGetsNoWeight)
{
    std::vector<int> v = Ramp(257, 0, 1);
    for(int& x : v)
        x = x * 37 % 256;
    std::vector<int> out = Levels(RescaleImage(Strip(v, false), 129, 1));
    ASSERT_EQ(out.size(), 129u);
    EXPECT_EQ(out[1], (v[2] + v[3]) / 2);
}

TEST(BoxRescale, BothAxesCombine)
{
    Image img = MakeImage(2, 2, [](int x, int y) { int v = (x + y) % 2 ? 255 : 0; return Opaque(v, v, v); });
    Image out = RescaleImage(img, 3, 3);
    std::vector<int> expected = {0, 89, 255, 89, 116, 165, 255, 165, 0};
    EXPECT_EQ(Levels(out), expected);
}

TEST(BoxRescale, OwnSizeSharesTheImage)
{
    Image img = Strip({1, 2, 3}, false);
    EXPECT_EQ(RescaleImage(img, 3, 1).GetSerialId(), img.GetSerialId());
    EXPECT_EQ(RescaleImage(img, Size(3, 1), Rect(0, 0, 3, 1)).GetSerialId(), img.GetSerialId());
    EXPECT_NE(RescaleImage(img, Size(3, 1), Rect(1, 0, 3, 1)).GetSerialId(), img.GetSerialId());
}

TEST(BoxRescale, ImpossibleSizesGiveTheEmptyImage)
{
    Image img = Strip({1, 2, 3}, false);
    Size sizes[] = {Size(0, 4), Size(4, 0), Size(-1, 5), Size(5, -1), Size(INT_MAX, 2), Size(100000, 100000)};
    for(Size sz : sizes)
        EXPECT_TRUE(RescaleImage(img, sz).IsEmpty()) << sz.cx << "x" << sz.cy;
    EXPECT_EQ(Levels(RescaleImage(Image(), 2, 1)), (std::vector<int>{-2, -2}));
}

TEST(Rescaler, LinesPastTheEndAreTransparent)
{
    Image img = Strip({50, 60}, true);
    ImageRaster raster(img);
    Rescaler r;
    ASSERT_TRUE(r.Create(Size(1, 2), raster, Rect(0, 0, 1, 2)));
    RGBA line[1];
    r.GetLine(line);
    EXPECT_EQ(line[0], Opaque(50, 50, 50));
    r.GetLine(line);
    EXPECT_EQ(line[0], Opaque(60, 60, 60));
    r.GetLine(line);
    EXPECT_EQ(line[0], MakeRGBA(0, 0, 0, 0));
}

TEST(RescaleThroughEncoder, ProgressStopsIt)
{
    Image img = Strip({1, 2, 3, 4}, true);
    ImageRaster raster(img);
    ImageEncoder e;
    struct StopAtTwo : BoolCallback2Action<int, int> {
        int& calls;
        explicit StopAtTwo(int& calls) : calls(calls) {}
        bool Run(int y, int cy) override { calls++; EXPECT_EQ(cy, 8); return y == 2; }
    };
    int calls = 0;
    EXPECT_FALSE(RescaleThroughEncoder(e, Size(1, 8), raster, Rect(0, 0, 1, 4),
                                       BoolCallback2<int, int>(new StopAtTwo(calls))));
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(e.GetLinesWritten(), 2);
    ImageEncoder e2;
    EXPECT_FALSE(RescaleThroughEncoder(e2, Size(1, 8), raster, Rect(0, 0, 1, 4), BoolCallback2<int, int>::True()));
    EXPECT_EQ(e2.GetLinesWritten(), 0);
    ImageEncoder e3;
    EXPECT_TRUE(RescaleThroughEncoder(e3, Size(1, 8), raster, Rect(0, 0, 1, 4)));
    EXPECT_EQ(e3.GetLinesWritten(), 8);
}

TEST(InterpolationCurve, KnownPoints)
{
    const byte* c = InterpolationCurve();
    EXPECT_EQ(c[0], 0);
    EXPECT_EQ(c[256], 71);
    EXPECT_EQ(c[512], 128);
    EXPECT_EQ(c[768], 184);
    EXPECT_EQ(c[1023], 255);
}
