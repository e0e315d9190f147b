// Pixel routines: premultiplication and its inverse, blending, filling.

#include "draw/image/rgba.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Qor;

TEST(PixelRoutines, PremultiplyScalesColoursAndReportsTheKind)
{
    struct Case {
        std::vector<RGBA> in;
        std::vector<RGBA> out;
        int kind;
    } cases[] = {
        {{}, {}, IMAGE_OPAQUE},
        {{MakeRGBA(10, 20, 30, 255)}, {MakeRGBA(10, 20, 30, 255)}, IMAGE_OPAQUE},
        {{MakeRGBA(10, 20, 30, 255), MakeRGBA(99, 99, 99, 0)}, {MakeRGBA(10, 20, 30, 255), MakeRGBA(0, 0, 0, 0)},
         IMAGE_MASK},
        // m = 128 + 1: 200 * 129 >> 8 = 100
        {{MakeRGBA(200, 100, 255, 128)}, {MakeRGBA(100, 50, 128, 128)}, IMAGE_ALPHA},
        // partial alpha after an opaque lead and a mask run
        {{MakeRGBA(1, 2, 3, 255), MakeRGBA(5, 5, 5, 0), MakeRGBA(255, 0, 0, 64)},
         {MakeRGBA(1, 2, 3, 255), MakeRGBA(0, 0, 0, 0), MakeRGBA(63, 0, 0, 64)}, IMAGE_ALPHA},
    };
    for(const Case& c : cases) {
        std::vector<RGBA> out(c.in.size());
        EXPECT_EQ(PremultiplyPixels(out.data(), c.in.data(), (int)c.in.size()), c.kind);
        EXPECT_EQ(out, c.out);
        std::vector<RGBA> inplace = c.in; // the same array as source and destination
        PremultiplyPixels(inplace.data(), inplace.data(), (int)inplace.size());
        EXPECT_EQ(inplace, c.out);
    }
}

TEST(PixelRoutines, UnmultiplyDividesByAlpha)
{
    struct Case {
        RGBA in;
        RGBA out;
        int kind;
    } cases[] = {
        {MakeRGBA(128, 128, 128, 128), MakeRGBA(255, 255, 255, 128), IMAGE_ALPHA},
        {MakeRGBA(32, 32, 32, 64), MakeRGBA(128, 128, 128, 64), IMAGE_ALPHA},
        {MakeRGBA(200, 10, 64, 64), MakeRGBA(255, 40, 255, 64), IMAGE_ALPHA}, // saturates
        {MakeRGBA(9, 8, 7, 255), MakeRGBA(9, 8, 7, 255), IMAGE_OPAQUE},
        {MakeRGBA(0, 0, 0, 0), MakeRGBA(0, 0, 0, 0), IMAGE_MASK},
    };
    for(const Case& c : cases) {
        RGBA p = c.in;
        EXPECT_EQ(UnmultiplyPixels(&p, &p, 1), c.kind);
        EXPECT_EQ(p, c.out) << (int)c.in.r << "/" << (int)c.in.a;
    }
}

TEST(PixelRoutines, SourceOverBlend)
{
    struct Case {
        RGBA dst, src, out;
    } cases[] = {
        {MakeRGBA(10, 20, 30, 255), MakeRGBA(1, 2, 3, 255), MakeRGBA(1, 2, 3, 255)},
        {MakeRGBA(10, 20, 30, 255), MakeRGBA(0, 0, 0, 0), MakeRGBA(10, 20, 30, 255)},
        // k = 256 - 129 = 127: 200 * 127 >> 8 = 99, plus 50
        {MakeRGBA(200, 200, 200, 200), MakeRGBA(50, 0, 128, 128), MakeRGBA(149, 99, 227, 227)},
    };
    for(const Case& c : cases) {
        RGBA d = c.dst;
        AlphaBlendPixels(&d, &c.src, 1);
        EXPECT_EQ(d, c.out);
    }
}

TEST(PixelRoutines, FillCoversExactlyTheCount)
{
    for(int n : {0, 1, 15, 16, 17, 40}) {
        std::vector<RGBA> v(n + 1, MakeRGBA(0, 0, 0, 0));
        FillPixels(v.data(), MakeRGBA(1, 2, 3, 4), n);
        for(int i = 0; i < n; i++)
            EXPECT_EQ(v[i], MakeRGBA(1, 2, 3, 4));
        EXPECT_EQ(v[n], MakeRGBA(0, 0, 0, 0)) << n;
    }
}

TEST(PixelRoutines, LongRunsMatchPixelByPixel)
{
    // Runs of 16 take another path than single pixels: both must agree, in place too.
    const int n = 53;
    std::vector<RGBA> src(n), base(n);
    for(int i = 0; i < n; i++) {
        int a = i % 4 == 0 ? 0 : i % 3 == 0 ? 255 : i * 37 % 256;
        src[i] = MakeRGBA(i * 11 % 256, i * 29 % 256, i * 53 % 256, a);
        base[i] = MakeRGBA(200 - i, 100 + i, i * 3, 150 + i);
    }
    using Routine = int (*)(RGBA*, const RGBA*, int);
    for(Routine f : {PremultiplyPixels, UnmultiplyPixels}) {
        std::vector<RGBA> whole(n), single(n), inplace = src;
        int kind = f(whole.data(), src.data(), n);
        for(int i = 0; i < n; i++)
            f(&single[i], &src[i], 1);
        EXPECT_EQ(whole, single);
        EXPECT_EQ(kind, IMAGE_ALPHA);
        f(inplace.data(), inplace.data(), n);
        EXPECT_EQ(inplace, whole);
    }
    std::vector<RGBA> premultiplied(n);
    PremultiplyPixels(premultiplied.data(), src.data(), n);
    std::vector<RGBA> whole = base, single = base;
    AlphaBlendPixels(whole.data(), premultiplied.data(), n);
    for(int i = 0; i < n; i++)
        AlphaBlendPixels(&single[i], &premultiplied[i], 1);
    EXPECT_EQ(whole, single);
    // pixel 1: alpha 37 premultiplies (11, 29, 53) to (1, 4, 7); k = 219 over (199, 101, 3, 151)
    EXPECT_EQ(single[1], MakeRGBA(171, 90, 9, 166));
}
