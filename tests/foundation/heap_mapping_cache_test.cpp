// Released huge-block mappings kept for reuse, and 512 KB batches sharing 2 MB extents.
#include "foundation/heap_internal.h"
#include "tests/foundation/heap_under_test.h"
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace Qor;

namespace {

size_t MappingOf(size_t n) { return (n + HUGE_PREFIX + HEAP_PAGE_SIZE - 1) & ~(HEAP_PAGE_SIZE - 1); }

struct MappingCache : ::testing::Test {
    void SetUp() override { ReleaseMappingCache(); }
    void TearDown() override { ReleaseMappingCache(); }
};

} // namespace

TEST_F(MappingCache, ReleasedMappingServesTheNextRequestThatFits)
{
    struct Case {
        size_t first, second;
        bool reused;
    } cases[] = {
        {100000, 100000, true},   // the same size
        {400000, 250000, true},   // smaller, within twice
        {400000, 150000, false},  // less than half: the mapping stays kept
        {100000, 200000, false},  // larger
        {3600000, 3000000, true}, // a large one keeps its 2 MB start
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.second);
        ReleaseMappingCache();
        byte* a = static_cast<byte*>(HeapAllocate(c.first));
        std::memset(a, 1, c.first);
        HeapRelease(a);
        EXPECT_EQ(HeapDebug::CachedMappingCount(), 1);
        EXPECT_EQ(HeapDebug::CachedMappingAge(a - HUGE_PREFIX), 0);

        int kb = HeapAllocatedKB();
        size_t n = c.second;
        byte* b = static_cast<byte*>(HeapAllocateRounded(n));
        // Reuse changes neither the usable size nor the counter.
        EXPECT_EQ(n, MappingOf(c.second) - HUGE_PREFIX);
        EXPECT_EQ(HeapAllocatedKB(), kb + int(MappingOf(c.second) / 1024));
        EXPECT_EQ(b == a, c.reused);
        EXPECT_EQ(HeapDebug::CachedMappingCount(), c.reused ? 0 : 1);
        if (c.second >= (512 << 10)) {
            EXPECT_EQ(reinterpret_cast<uintptr_t>(b - HUGE_PREFIX) % (2 << 20), 0u);
        }
        std::memset(b, 2, n);
        HeapRelease(b);
        EXPECT_EQ(HeapAllocatedKB(), kb);
    }
}

TEST_F(MappingCache, SmallestFitIsTaken)
{
    std::vector<byte*> blocks;
    for (size_t n : {300000, 120000, 200000})
        blocks.push_back(static_cast<byte*>(HeapAllocate(n)));
    for (byte* p : blocks)
        HeapRelease(p);
    EXPECT_EQ(HeapAllocate(110000), blocks[1]);
    EXPECT_EQ(HeapAllocate(110000), blocks[2]);
    EXPECT_EQ(HeapDebug::CachedMappingCount(), 1);
    HeapRelease(blocks[1]);
    HeapRelease(blocks[2]);
}

TEST_F(MappingCache, BoundedInCountOldestReturnedFirst)
{
    const int count = MAPPING_CACHE_COUNT + 3;
    std::vector<byte*> blocks;
    for (int i = 0; i < count; i++)
        blocks.push_back(static_cast<byte*>(HeapAllocate(100000)));
    for (byte* p : blocks)
        HeapRelease(p);
    EXPECT_EQ(HeapDebug::CachedMappingCount(), MAPPING_CACHE_COUNT);
    EXPECT_EQ(HeapDebug::CachedMappingBytes(), MAPPING_CACHE_COUNT * MappingOf(100000));
    for (int i = 0; i < count; i++) {
        int age = count - 1 - i;
        EXPECT_EQ(HeapDebug::CachedMappingAge(blocks[i] - HUGE_PREFIX), age < MAPPING_CACHE_COUNT ? age : -1) << i;
    }
}

TEST_F(MappingCache, BoundedInBytes)
{
    const size_t size = 3 << 20;
    const int fit = int(MAPPING_CACHE_BYTES / MappingOf(size));
    std::vector<byte*> blocks;
    for (int i = 0; i < fit + 2; i++)
        blocks.push_back(static_cast<byte*>(HeapAllocate(size)));
    for (byte* p : blocks)
        HeapRelease(p);
    EXPECT_EQ(HeapDebug::CachedMappingCount(), fit);
    EXPECT_LE(HeapDebug::CachedMappingBytes(), MAPPING_CACHE_BYTES);
    EXPECT_EQ(HeapDebug::CachedMappingAge(blocks[0] - HUGE_PREFIX), -1);
    EXPECT_EQ(HeapDebug::CachedMappingAge(blocks[1] - HUGE_PREFIX), -1);
    EXPECT_EQ(HeapDebug::CachedMappingAge(blocks[2] - HUGE_PREFIX), fit - 1);

    // One mapping larger than the whole bound is never kept, and drops none of the others.
    byte* big = static_cast<byte*>(HeapAllocate(MAPPING_CACHE_BYTES));
    HeapRelease(big);
    EXPECT_EQ(HeapDebug::CachedMappingAge(big - HUGE_PREFIX), -1);
    EXPECT_EQ(HeapDebug::CachedMappingCount(), fit);
}

TEST(HeapOsReserve, LargestBatchesShareHugePageExtents)
{
    OsReserve r{nullptr, 0, 4096, 4096, 0, HEAP_PAGE_SIZE};   // batches of 128 pages from the start
    const int batches = 5;
    std::vector<byte*> starts;
    int kb = HeapAllocatedKB();
    for (int i = 0; i < batches * 128; i++) {
        bool maps = r.left == 0;
        byte* p = static_cast<byte*>(r.Take(1));
        if (maps)
            starts.push_back(p);
    }
    ASSERT_EQ(int(starts.size()), batches);
    EXPECT_EQ(HeapAllocatedKB(), kb + batches * 512);   // the counter counts batches, not extents
    int adjacent = 0;
    for (int i = 0; i < batches; i++) {
        EXPECT_EQ(reinterpret_cast<uintptr_t>(starts[i]) % (512 << 10), 0u) << i;
        if (i > 0 && starts[i] == starts[i - 1] + (512 << 10))
            adjacent++;
    }
    // Four batches to an extent: five in a row cross at most one extent boundary.
    EXPECT_GE(adjacent, batches - 2);
}
