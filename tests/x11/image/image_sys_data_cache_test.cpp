// The cache of server-side image records: keys, use order and the two limits.

#include "ctrl/x11/image/image_sys_data.h"
#include "draw/image/pixel_buffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace Qor {
namespace {

Image Filled(int cx, int cy)
{
    PixelBuffer b(cx, cy);
    std::fill(b.Begin(), b.End(), MakeRGBA(10, 20, 30, 255));
    return Image(b);
}

TEST(ImageSysDataCache, KeyedByThePixelData)
{
    ImageSysDataCache cache;
    Image a = Filled(4, 5);
    Image shared = a;
    ImageSysData& r = cache.Get(a);
    EXPECT_EQ(&cache.Get(shared), &r) << "copies share the pixels and the record";
    EXPECT_EQ(r.image.GetSerialId(), a.GetSerialId());
    EXPECT_EQ(r.picture, 0u);
    EXPECT_EQ(r.mask, 0u);
    EXPECT_EQ(r.paint_count, 0);
    Image b = Filled(4, 5);
    EXPECT_NE(&cache.Get(b), &r) << "equal pixels of another image are another record";
    EXPECT_EQ(cache.GetCount(), 2);
    EXPECT_EQ(cache.GetCost(), 40);
}

TEST(ImageSysDataCache, TheThousandAndFirstPushesOutTheLeastRecent)
{
    ImageSysDataCache cache;
    std::vector<Image> images;
    for(int i = 0; i < 1001; i++)
        images.push_back(Filled(1, 1));
    for(int i = 0; i < 1000; i++)
        cache.Get(images[i]);
    cache.Get(images[0]); // the oldest is used again, so image 1 is now the least recent
    cache.Get(images[1000]);
    cache.Shrink(1 << 30, 1000);
    EXPECT_EQ(cache.GetCount(), 1000);
    EXPECT_TRUE(cache.Contains(images[0]));
    EXPECT_FALSE(cache.Contains(images[1]));
    EXPECT_TRUE(cache.Contains(images[1000]));
    EXPECT_EQ(cache.GetOldestSerial(), images[2].GetSerialId());
    EXPECT_EQ(images[1].GetRefCount(), 1) << "the record let its image go";
}

TEST(ImageSysDataCache, PixelCostLimit)
{
    ImageSysDataCache cache;
    Image big = Filled(100, 100), middle = Filled(50, 50), small = Filled(10, 10);
    cache.Get(big);
    cache.Get(middle);
    cache.Get(small);
    EXPECT_EQ(cache.GetCost(), 10000 + 2500 + 100);
    cache.Shrink(3000, 1000);
    EXPECT_FALSE(cache.Contains(big));
    EXPECT_TRUE(cache.Contains(middle));
    EXPECT_EQ(cache.GetCost(), 2600);
    cache.Clear();
    EXPECT_EQ(cache.GetCount(), 0);
    EXPECT_EQ(cache.GetCost(), 0);
    EXPECT_EQ(cache.GetOldestSerial(), 0);
}

// A record whose image nobody else holds can never be painted again; a held one stays, and
// the survivors keep their use order.
TEST(ImageSysDataCache, DropUnheldKeepsOnlyHeldImages)
{
    ImageSysDataCache cache;
    Image kept_old = Filled(2, 2), kept_new = Filled(3, 3);
    Image copy_holder;
    {
        Image gone = Filled(4, 4), shared = Filled(5, 5);
        cache.Get(kept_old);
        cache.Get(gone);
        cache.Get(shared);
        cache.Get(kept_new);
        copy_holder = shared;
    }
    ASSERT_EQ(cache.GetCount(), 4);
    cache.DropUnheld();
    EXPECT_EQ(cache.GetCount(), 3);
    EXPECT_EQ(cache.GetCost(), 4 + 25 + 9);
    EXPECT_TRUE(cache.Contains(copy_holder)) << "a copy holds the pixels";
    EXPECT_EQ(cache.GetOldestSerial(), kept_old.GetSerialId());
    copy_holder = Image();
    cache.DropUnheld();
    EXPECT_EQ(cache.GetCount(), 2);
    EXPECT_TRUE(cache.Contains(kept_old));
    EXPECT_TRUE(cache.Contains(kept_new));
}

} // namespace
} // namespace Qor
