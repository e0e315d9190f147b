// The made-image cache: limits that follow a phase's use, reuse counted once a phase,
// least-recently-used eviction by count and cost, released pixels, and the two makers.

#include "draw/image_cache/made_image.h"
#include "tests/draw/support/image_fixtures.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>

using namespace Qor;
using QorTest::MakeImage;
using QorTest::Opaque;
using QorTest::SolidImage;

namespace {

// A square of the given side (0: the empty Image), counting how often each key is made.
class CountingMaker : public ImageMaker {
public:
    static inline std::map<std::string, int> made;
    CountingMaker(std::string key, int side) : key(std::move(key)), side(side) {}
    String GetKey() const override { return String(key.c_str()); }
    Image Make() const override
    {
        made[key]++;
        return side ? SolidImage(side, side, Opaque(1, 2, 3)) : Image();
    }

private:
    std::string key;
    int side;
};

class MadeImageCacheTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetMadeImageCache();
        StartImageCachePhase();
        CountingMaker::made.clear();
    }
    void TearDown() override { ResetMadeImageCache(); }
};

} // namespace

TEST_F(MadeImageCacheTest, FirstLookupSetsTheLimitFromItsCost)
{
    Image img = GetMadeImage(CountingMaker("a", 10));
    EXPECT_EQ(img.GetSize(), Size(10, 10));
    MadeImageCacheStats s = GetMadeImageCacheStats();
    EXPECT_EQ(s.count, 1);
    EXPECT_EQ(s.total_cost, 200);
    EXPECT_EQ(s.made_cost, 200);
    EXPECT_EQ(s.limit, 600);
}

TEST_F(MadeImageCacheTest, ReuseIsCountedOncePerPhase)
{
    Image a = GetMadeImage(CountingMaker("a", 0));
    Image b = GetMadeImage(CountingMaker("a", 0));
    EXPECT_EQ(a.GetSerialId(), b.GetSerialId());
    EXPECT_EQ(CountingMaker::made["a"], 1);
    EXPECT_EQ(GetMadeImageCacheStats().reused_cost, 0); // made in this phase
    StartImageCachePhase();
    GetMadeImage(CountingMaker("a", 0));
    GetMadeImage(CountingMaker("a", 0));
    EXPECT_EQ(GetMadeImageCacheStats().reused_cost, 100);
    EXPECT_EQ(CountingMaker::made["a"], 1);
}

TEST_F(MadeImageCacheTest, MoreThan2000EntriesDropTheLeastRecentlyUsed)
{
    for(int i = 0; i <= 2000; i++)
        GetMadeImage(CountingMaker(std::to_string(i), 0));
    EXPECT_EQ(GetMadeImageCacheStats().count, 2001);
    GetMadeImage(CountingMaker("new", 0)); // drops "0" first
    EXPECT_EQ(GetMadeImageCacheStats().count, 2001);
    GetMadeImage(CountingMaker("0", 0)); // drops "1" first
    EXPECT_EQ(CountingMaker::made["0"], 2);
    GetMadeImage(CountingMaker("3", 0)); // drops "2" first
    EXPECT_EQ(CountingMaker::made["3"], 1);
    GetMadeImage(CountingMaker("1", 0));
    EXPECT_EQ(CountingMaker::made["1"], 2);
}

TEST_F(MadeImageCacheTest, CostOverTheLimitDropsTheLeastRecentlyUsed)
{
    // Squares of 30 cost 1000; one made per phase keeps the limit at 3000.
    for(const char* key : { "a", "b", "c", "d" }) {
        StartImageCachePhase();
        GetMadeImage(CountingMaker(key, 30));
    }
    EXPECT_EQ(GetMadeImageCacheStats().total_cost, 4000);
    EXPECT_EQ(GetMadeImageCacheStats().limit, 3000);
    StartImageCachePhase();
    GetMadeImage(CountingMaker("e", 30)); // drops a first
    EXPECT_EQ(GetMadeImageCacheStats().count, 4);
    GetMadeImage(CountingMaker("d", 30)); // drops b first
    EXPECT_EQ(CountingMaker::made["d"], 1);
    EXPECT_EQ(GetMadeImageCacheStats().total_cost, 3000);
    GetMadeImage(CountingMaker("a", 30)); // at the limit: nothing dropped
    EXPECT_EQ(CountingMaker::made["a"], 2);
    EXPECT_EQ(GetMadeImageCacheStats().count, 4);
}

TEST_F(MadeImageCacheTest, ReleasedPixelsCostOneHundredAndCanBeForgotten)
{
    Image shown = GetMadeImageForPainting(CountingMaker("p", 10));
    Image kept = GetMadeImage(CountingMaker("q", 10));
    EXPECT_EQ(GetMadeImageCacheStats().total_cost, 400);
    ForgetMadeImage(shown); // still has pixels
    EXPECT_EQ(GetMadeImageCacheStats().count, 2);
    ReleaseImagePixels(kept); // not flagged
    EXPECT_NE(kept.GetPixels(), nullptr);
    ReleaseImagePixels(shown);
    EXPECT_EQ(shown.GetPixels(), nullptr);
    EXPECT_EQ(shown.GetSize(), Size(10, 10));
    EXPECT_EQ(shown.GetKind(), IMAGE_OPAQUE);
    EXPECT_EQ(GetMadeImageCacheStats().total_cost, 300);
    ForgetMadeImage(shown);
    EXPECT_EQ(GetMadeImageCacheStats().count, 1);
    EXPECT_EQ(GetMadeImageCacheStats().total_cost, 200);
}

namespace {

Image Inverted(const Image& img)
{
    return MakeImage(img.GetWidth(), img.GetHeight(), [&](int x, int y) {
        RGBA p = img[y][x];
        return MakeRGBA(255 - p.r, 255 - p.g, 255 - p.b, p.a);
    });
}

int functions_called = 0;
Image Counted(const Image& img)
{
    functions_called++;
    return img;
}

} // namespace

TEST_F(MadeImageCacheTest, FunctionsAreAppliedOncePerImageAndFunction)
{
    Image img = SolidImage(2, 2, Opaque(10, 20, 30));
    EXPECT_EQ(GetMadeImage(img, Inverted)[1][1], Opaque(245, 235, 225));
    functions_called = 0;
    GetMadeImage(img, Counted);
    GetMadeImage(img, Counted);
    GetMadeImage(SolidImage(2, 2, Opaque(10, 20, 30)), Counted);
    EXPECT_EQ(functions_called, 2);
    EXPECT_EQ(GetMadeImageCacheStats().count, 3);
}

TEST_F(MadeImageCacheTest, CachedRescales)
{
    Image img = MakeImage(2, 1, [](int x, int) { return x ? Opaque(255, 255, 255) : Opaque(0, 0, 0); });
    EXPECT_EQ(CachedRescale(img, Size(2, 1), INT_MIN).GetSerialId(), img.GetSerialId());
    EXPECT_EQ(GetMadeImageCacheStats().count, 0);
    Image box = CachedRescale(img, Size(3, 1), INT_MIN);
    EXPECT_EQ(box[0][1], Opaque(89, 89, 89));
    Image triangle = CachedRescale(img, Size(4, 1), 1);
    EXPECT_EQ(triangle[0][1], Opaque(63, 63, 63));
    EXPECT_EQ(CachedRescale(img, Size(3, 1), INT_MIN).GetSerialId(), box.GetSerialId());
    EXPECT_EQ(CachedRescale(img, Size(3, 1)).GetSerialId(), box.GetSerialId()); // the box rescale by default
    EXPECT_EQ(GetMadeImageCacheStats().count, 2);
}
