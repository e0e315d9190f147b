// Kernel-filter rescaling: the kernel tables' centres, exact results of small rescales by
// filter, the tap cap, premultiplied results, empty requests and the box fallback.

#include "draw/rescale/kernel_rescale.h"
#include "draw/rescale/rescaler.h"
#include "tests/draw/support/image_fixtures.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using namespace Qor;
using QorTest::MakeImage;
using QorTest::Opaque;

namespace {

Image Row(const std::vector<int>& v)
{
    return MakeImage((int)v.size(), 1, [&](int x, int) { return Opaque(v[x], v[x], v[x]); });
}

std::vector<int> Reds(const Image& img)
{
    std::vector<int> out;
    for(int i = 0; i < img.GetLength(); i++)
        out.push_back(img.GetPixels()[i].r);
    return out;
}

} // namespace

TEST(KernelTable, CentresAtEightBits)
{
    const int centre[RESCALE_FILTER_COUNT] = {256, 256, 170, 192, 227, 256, 256, 256, 256, 256};
    for(int f = 0; f < RESCALE_FILTER_COUNT; f++) {
        const int32* t = GetKernelTable(RescaleFilters[f].kernel, RescaleFilters[f].radius, 8);
        EXPECT_EQ(t[RescaleFilters[f].radius * 256], centre[f]) << f;
        EXPECT_EQ(GetKernelTable(RescaleFilters[f].kernel, RescaleFilters[f].radius, 8), t) << "cached " << f;
    }
    EXPECT_NE(GetKernelTable(TriangleKernel, 1, 5), GetKernelTable(TriangleKernel, 1, 8));
    EXPECT_EQ(GetKernelTable(TriangleKernel, 1, 5)[32], 32);
}

TEST(RescaleWithKernel, SmallRowsByFilter)
{
    enum { BOX = 0, TRIANGLE = 1, LANCZOS3 = 7 };
    struct Case {
        int filter;
        std::vector<int> source;
        int width;
        std::vector<int> expected;
    } cases[] = {
        {TRIANGLE, {0, 255}, 4, {0, 63, 191, 255}},
        {BOX, {0, 255}, 4, {0, 0, 255, 255}},
        {LANCZOS3, {0, 255}, 4, {0, 53, 201, 255}},
        {TRIANGLE, {0, 255, 0, 255}, 2, {95, 159}},
        {BOX, {0, 255, 0, 255}, 2, {127, 127}},
        {TRIANGLE, {3, 250, 17, 90, 128}, 5, {3, 250, 17, 90, 128}},
    };
    for(const Case& c : cases) {
        Image out;
        Image src = Row(c.source);
        RescaleFiltered(out, src, Size(c.width, 1), Rect(src.GetSize()), c.filter);
        ASSERT_EQ(out.GetSize(), Size(c.width, 1)) << c.filter;
        EXPECT_EQ(Reds(out), c.expected) << "filter " << c.filter << " to " << c.width;
        for(int i = 0; i < c.width; i++)
            EXPECT_EQ(out.GetPixels()[i].a, 255);
    }
}

TEST(RescaleWithKernel, LargeReductionsCapTheTaps)
{
    // 80 to 2 with Lanczos 3 would need 120 taps a side; capped at 31 the result stays
    // an average of a flat image.
    Image src = MakeImage(80, 3, [](int, int) { return Opaque(100, 150, 200); });
    Image out;
    RescaleFiltered(out, src, Size(2, 1), Rect(src.GetSize()), 7);
    ASSERT_EQ(out.GetSize(), Size(2, 1));
    EXPECT_EQ(out[0][0], Opaque(100, 150, 200));
    EXPECT_EQ(out[0][1], Opaque(100, 150, 200));
}

TEST(RescaleWithKernel, TranslucentResultsStayPremultiplied)
{
    // Lanczos overshoots past a hard edge; colours are held at or below alpha.
    Image src = MakeImage(4, 1, [](int x, int) { return x < 2 ? MakeRGBA(0, 0, 0, 0) : MakeRGBA(128, 128, 128, 128); });
    Image out;
    RescaleFiltered(out, src, Size(9, 1), Rect(src.GetSize()), 9);
    ASSERT_EQ(out.GetWidth(), 9);
    for(int x = 0; x < 9; x++) {
        RGBA p = out[0][x];
        EXPECT_LE(p.r, p.a) << x;
        EXPECT_LE(p.b, p.a) << x;
    }
    EXPECT_LT(out[0][0].a, 16);
    EXPECT_GT(out[0][8].a, 100);
}

TEST(RescaleWithKernel, EmptyRequestsGiveTheEmptyImage)
{
    Image src = Row({1, 2, 3});
    struct Case {
        Size size;
        Rect rect;
    } cases[] = {
        {Size(2, 1), Rect(1, 0, 1, 1)}, {Size(2, 1), Rect(0, 0, 3, 0)},   {Size(0, 1), Rect(0, 0, 3, 1)},
        {Size(2, -1), Rect(0, 0, 3, 1)}, {Size(INT_MAX, INT_MAX), Rect(0, 0, 3, 1)},
    };
    for(const Case& c : cases) {
        Image out = src;
        RescaleFiltered(out, src, c.size, c.rect, 1);
        EXPECT_TRUE(out.IsEmpty()) << c.size.cx << "x" << c.size.cy;
    }
    Image out = src;
    RescaleFiltered(out, Image(), Size(2, 2), Rect(0, 0, 2, 2), 1);
    EXPECT_TRUE(out.IsEmpty());
}

TEST(RescaleFiltered, NullFilterIsTheBoxRescaler)
{
    Image src = Row({0, 255});
    Image out;
    RescaleFiltered(out, src, Size(3, 1), Rect(src.GetSize()), INT_MIN);
    EXPECT_EQ(Reds(out), (std::vector<int>{0, 89, 255}));
}

TEST(RescaleWithKernel, ProgressStopsBetweenRows)
{
    Image src = MakeImage(2, 2, [](int, int) { return Opaque(9, 9, 9); });
    struct StopAt : BoolCallback2Action<int, int> {
        bool Run(int y, int) override { return y == 1; }
    };
    Image out;
    RescaleWithKernel(out, src, Size(2, 3), Rect(src.GetSize()), TriangleKernel, 1,
                      BoolCallback2<int, int>(new StopAt));
    ASSERT_EQ(out.GetSize(), Size(2, 3));
    EXPECT_EQ(out[0][1], Opaque(9, 9, 9));
    EXPECT_EQ(out[1][0], MakeRGBA(0, 0, 0, 0));
}
