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

namespace {

// The rescale by its definition: for every destination pixel, every pair of a horizontal
// and a vertical tap, in 64-bit integers, divided and clamped once.
std::vector<std::pair<int, int>> DirectTaps(int x, int64 length, int dest, int taps, int first, int limit,
                                            const int32* table, int radius, int bits)
{
    int64 one = int64(1) << bits, step = (length << bits) / dest, n = 2 * radius << bits;
    int64 c = ((int64(x) * length) << bits) / dest - ((one - step) >> 1);
    int64 i = c >> bits, f = c - i * one;
    std::vector<std::pair<int, int>> out; // weight, source pixel
    for(int k = 1 - taps; k <= taps; k++) {
        int64 index = std::clamp<int64>(((k * one - f) * radius) / taps + radius * one, 0, n);
        int64 src = std::clamp<int64>(std::clamp<int64>(k + i, 0, length - 1) + first, 0, limit - 1);
        out.push_back({table[index], (int)src});
    }
    return out;
}

Image DirectRescale(const Image& src, Size d, const Rect& r, RescaleKernel kernel, int radius)
{
    int64 W = r.Width(), H = r.Height();
    int tx = std::min<int>((int)std::max<int64>(1, W / d.cx) * radius, 31);
    int ty = std::min<int>((int)std::max<int64>(1, H / d.cy) * radius, 31);
    int bits = 8 - std::max(tx, ty) / 8;
    const int32* table = GetKernelTable(kernel, radius, bits);
    return MakeImage(d.cx, d.cy, [&](int x, int y) {
        int64 s[4] = {}, wsum = 0;
        bool opaque = true;
        for(auto [vw, sy] : DirectTaps(y, H, d.cy, ty, r.top, src.GetHeight(), table, radius, bits))
            for(auto [hw, sx] : DirectTaps(x, W, d.cx, tx, r.left, src.GetWidth(), table, radius, bits)) {
                int64 w = (int64)hw * vw;
                RGBA p = src[sy][sx];
                wsum += w;
                s[0] += p.b * w, s[1] += p.g * w, s[2] += p.r * w, s[3] += p.a * w;
                opaque &= p.a == 255;
            }
        if(wsum == 0)
            return RGBA{0, 0, 0, 0};
        int a = opaque ? 255 : (int)std::clamp<int64>(s[3] / wsum, 0, 255);
        int top = opaque ? 255 : a;
        return MakeRGBA((int)std::clamp<int64>(s[2] / wsum, 0, top), (int)std::clamp<int64>(s[1] / wsum, 0, top),
                        (int)std::clamp<int64>(s[0] / wsum, 0, top), a);
    });
}

double SteepKernel(double x) { return x > -0.5 && x < 0.5 ? 300 : -40; } // sums beyond float precision
double NegativeKernel(double x) { return x < 0 ? -1 : 0.25; }             // weight sums of 0 and below

} // namespace

TEST(RescaleWithKernel, EqualsTheDirectFormula)
{
    struct Case {
        int cx, cy, alpha; // alpha < 0: random translucency
        Size d;
        Rect r;
    };
    const Case cases[] = {
        {7, 5, 255, Size(17, 11), Rect(0, 0, 7, 5)},  {40, 31, -1, Size(9, 6), Rect(0, 0, 40, 31)},
        {64, 3, -1, Size(2, 7), Rect(3, 0, 64, 3)},   {50, 50, 255, Size(50, 50), Rect(5, 7, 45, 33)},
        {300, 9, -1, Size(7, 9), Rect(0, 0, 300, 9)}, {13, 29, 0, Size(29, 13), Rect(1, 1, 12, 28)},
        {3, 1, -1, Size(400, 3), Rect(0, 0, 3, 1)},
    };
    struct Filter {
        RescaleKernel kernel;
        int radius;
    };
    std::vector<Filter> filters = {{SteepKernel, 1}, {NegativeKernel, 2}};
    for(const RescaleFilter& f : RescaleFilters)
        filters.push_back({f.kernel, f.radius});
    unsigned seed = 7;
    auto Next = [&] { return (seed = seed * 1103515245 + 12345) >> 16; };
    for(const Case& c : cases) {
        Image src = MakeImage(c.cx, c.cy, [&](int, int) {
            int a = c.alpha < 0 ? (Next() % 3 ? 255 : (int)(Next() % 256)) : c.alpha;
            return MakeRGBA((int)Next() % (a + 1), (int)Next() % (a + 1), (int)Next() % (a + 1), a);
        });
        for(size_t k = 0; k < filters.size(); k++) {
            Image out, want = DirectRescale(src, c.d, c.r, filters[k].kernel, filters[k].radius);
            RescaleWithKernel(out, src, c.d, c.r, filters[k].kernel, filters[k].radius);
            ASSERT_EQ(out.GetSize(), c.d);
            int differ = 0;
            for(int i = 0; i < out.GetLength(); i++)
                differ += out.GetPixels()[i] != want.GetPixels()[i];
            EXPECT_EQ(differ, 0) << "source " << c.cx << "×" << c.cy << ", filter " << k;
        }
    }
}
