// Small blocks: size classes, page layout, release caches, spare pages and the reservoir.
#include "foundation/heap_internal.h"
#include "tests/foundation/heap_under_test.h"
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace Qor;

namespace {

template <class T>
T ReadAt(const void* base, size_t offset)
{
    T v;
    std::memcpy(&v, static_cast<const byte*>(base) + offset, sizeof(T));
    return v;
}

// A heap of its own, so that the state left by other tests does not matter.
struct LocalHeap : ::testing::Test {
    MemoryHeap heap{};
    MemoryHeap reservoir{};
    void SetUp() override
    {
        heap.reservoir = &reservoir;
        heap.Init();
    }
};

} // namespace

TEST(HeapSizes, UsableSizeAndRange)
{
    struct Case {
        size_t n;
        size_t usable;
        int klass;       // -1: medium or huge
    } cases[] = {
        {0, 16, 0},         {16, 16, 0},         {17, 32, 1},        {100, 112, 6},
        {224, 224, 13},     {225, 288, 14},      {288, 288, 14},     {289, 368, 15},
        {448, 448, 16},     {449, 576, 17},      {576, 576, 17},     {577, 608, -1},
        {1000, 1024, -1},   {65480, 65480, -1},  {65481, 69576, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        size_t n = c.n;
        void* p = HeapAllocateRounded(n);
        EXPECT_EQ(n, c.usable);
        EXPECT_EQ(HeapDebug::ClassOfBlock(p), c.klass);
        bool small = c.klass >= 0;
        EXPECT_EQ((reinterpret_cast<uintptr_t>(p) & 8) == 0, small);   // bit 3 tells the range
        if (small) {
            EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % 16, 0u);
        }
        else if (c.n <= MEDIUM_LIMIT) {
            EXPECT_GE(MediumHeaderOf(p)->size, c.usable);
        }
        else {
            EXPECT_EQ(MediumHeaderOf(p)->size, 0);                     // huge marker
        }
        std::memset(p, 0xAB, n);                                       // the whole block is usable
        HeapRelease(p);
        void* q = HeapAllocate(c.n);
        EXPECT_EQ(HeapDebug::ClassOfBlock(q), c.klass);
        HeapRelease(q);
    }
}

TEST(HeapSizes, ClassTable)
{
    const int per_page[SMALL_CLASSES] = {253, 126, 84, 63, 50, 42, 36, 31, 28, 25, 23, 21, 19, 18, 14, 11, 9, 7};
    const int room[SMALL_CLASSES] = {218, 109, 72, 54, 43, 36, 31, 27, 24, 21, 19, 18, 16, 15, 12, 9, 7, 6};
    for (int c = 0; c < SMALL_CLASSES; c++) {
        SCOPED_TRACE(c);
        EXPECT_EQ(BlocksPerPage(c), per_page[c]);
        EXPECT_EQ(CACHE_ROOM[c], room[c]);
        EXPECT_EQ(SmallClassOf(CLASS_SIZE[c]), c);
        if (c + 1 < SMALL_CLASSES) {
            EXPECT_EQ(SmallClassOf(CLASS_SIZE[c] + 1), c + 1);
        }
    }
    // Every request maps to the smallest class that holds it.
    for (size_t n = 1; n <= SMALL_LIMIT; n++) {
        int c = SmallClassOf(n);
        ASSERT_GE(CLASS_SIZE[c], n);
        if (c > 0) {
            ASSERT_LT(CLASS_SIZE[c - 1], n);
        }
    }
}

TEST(HeapSizes, NullReleaseChangesNothing)
{
    MemoryHeap& h = MainHeap();
    HeapRelease(HeapAllocate(16));   // initialised
    int32 rooms[SMALL_CLASSES];
    std::memcpy(rooms, h.room, sizeof(rooms));
    HeapRelease(nullptr);
    EXPECT_EQ(std::memcmp(rooms, h.room, sizeof(rooms)), 0);
}

TEST(HeapSizes, FastPathsShareTheirClassCache)
{
    MemoryHeap& h = MainHeap();
    // Hold whatever the caches hold so that both have room and are empty.
    std::vector<void*> held;
    for (int c : {1, 2})
        while (h.cache[c] || h.room[c] == 0)
            held.push_back(HeapAllocate(CLASS_SIZE[c]));
    void* a = HeapAllocate32();
    EXPECT_EQ(HeapDebug::ClassOfBlock(a), 1);
    HeapRelease32(a);
    EXPECT_EQ(h.cache[1], a);
    EXPECT_EQ(HeapAllocate(20), a);        // the general path sees the same cache
    HeapRelease(a);
    EXPECT_EQ(HeapAllocate32(), a);
    HeapRelease32(a);

    void* b = HeapAllocate48();
    EXPECT_EQ(HeapDebug::ClassOfBlock(b), 2);
    HeapRelease48(b);
    EXPECT_EQ(HeapAllocate(48), b);
    HeapRelease(b);
    EXPECT_EQ(HeapAllocate48(), b);
    HeapRelease48(b);
    for (void* p : held)
        HeapRelease(p);
}

TEST_F(LocalHeap, PageHeaderAndBlockPlacement)
{
    for (int c : {0, 6, 13, 14, 17}) {
        SCOPED_TRACE(c);
        size_t size = CLASS_SIZE[c];
        int per_page = BlocksPerPage(c);
        std::vector<byte*> blocks;
        for (int i = 0; i < per_page; i++)
            blocks.push_back(static_cast<byte*>(heap.Allocate(size)));
        byte* page = reinterpret_cast<byte*>(PageOf(blocks[0]));
        // Lowest first, each next one a block higher, the last at the page's end.
        EXPECT_EQ(blocks[0], page + HEAP_PAGE_SIZE - per_page * size);
        EXPECT_GE(blocks[0], page + PAGE_HEADER_SIZE);
        EXPECT_LT(blocks[0] - size, page + PAGE_HEADER_SIZE);
        for (int i = 1; i < per_page; i++)
            EXPECT_EQ(blocks[i], blocks[i - 1] + size);
        EXPECT_EQ(blocks.back(), page + HEAP_PAGE_SIZE - size);

        EXPECT_EQ(ReadAt<byte>(page, 0), c);
        EXPECT_EQ(ReadAt<byte>(page, 1), per_page);
        EXPECT_EQ(ReadAt<MemoryHeap*>(page, 8), &heap);
        EXPECT_EQ(ReadAt<void*>(page, 16), nullptr);      // all handed out
        EXPECT_EQ(ReadAt<PageHeader*>(page, 24), &heap.work[c]);
        EXPECT_EQ(ReadAt<PageHeader*>(page, 32), &heap.work[c]);

        // The next block needs a page: the exhausted one moves to the full list.
        byte* more = static_cast<byte*>(heap.Allocate(size));
        EXPECT_NE(PageOf(more), PageOf(page));
        EXPECT_EQ(heap.full[c].next, PageOf(page));
        EXPECT_EQ(HeapDebug::FullPageCount(heap, c), 1);
        EXPECT_EQ(HeapDebug::WorkPageCount(heap, c), 1);

        // Past the cache, a release sends the full page back to the front of the work list.
        std::vector<void*> extra;
        for (int i = 0; i < CACHE_ROOM[c]; i++)
            extra.push_back(heap.Allocate(size));
        for (void* p : extra)
            heap.Release(p);
        EXPECT_EQ(heap.room[c], 0);
        heap.Release(blocks[3]);
        EXPECT_EQ(heap.work[c].next, PageOf(page));
        EXPECT_EQ(HeapDebug::FullPageCount(heap, c), 0);
        EXPECT_EQ(ReadAt<void*>(page, 16), blocks[3]);
        EXPECT_EQ(ReadAt<byte>(page, 1), per_page - 1);
        EXPECT_EQ(ReadAt<void*>(blocks[3], 0), nullptr);
    }
}

TEST_F(LocalHeap, CacheTakesReleasesUntilItsRoomIsUsed)
{
    std::vector<void*> blocks;
    for (int i = 0; i < 300; i++)
        blocks.push_back(heap.Allocate(16));
    PageHeader* first = PageOf(blocks[0]);
    ASSERT_EQ(PageOf(blocks[217]), first);
    ASSERT_EQ(PageOf(blocks[218]), first);
    EXPECT_EQ(heap.room[0], 218);
    EXPECT_EQ(HeapDebug::CacheLength(heap, 0), 0);

    for (int i = 0; i < 218; i++)
        heap.Release(blocks[i]);
    EXPECT_EQ(heap.room[0], 0);
    EXPECT_EQ(HeapDebug::CacheLength(heap, 0), 218);
    EXPECT_EQ(heap.cache[0], blocks[217]);
    EXPECT_EQ(first->count, 253);        // the page was not touched
    EXPECT_EQ(first->free, nullptr);

    heap.Release(blocks[218]);           // no room left: back to its page
    EXPECT_EQ(HeapDebug::CacheLength(heap, 0), 218);
    EXPECT_EQ(first->count, 252);
    EXPECT_EQ(first->free, blocks[218]);
    EXPECT_EQ(heap.work[0].next, first);

    EXPECT_EQ(heap.Allocate(1), blocks[217]);   // the most recent release comes back first
    EXPECT_EQ(heap.room[0], 1);
}

namespace {

// Three class-17 pages; the cache is filled from the third, then the first
// two pages are emptied: the second becomes the spare, the first goes to the reservoir.
struct EmptiedPages : LocalHeap {
    std::vector<byte*> blocks;
    PageHeader* page[3] = {};
    void SetUp() override
    {
        LocalHeap::SetUp();
        for (int i = 0; i < 21; i++)
            blocks.push_back(static_cast<byte*>(heap.Allocate(500)));
        for (int k = 0; k < 3; k++)
            page[k] = PageOf(blocks[k * 7]);
        for (int i = 14; i < 20; i++)
            heap.Release(blocks[i]);
        for (int i = 0; i < 14; i++)
            heap.Release(blocks[i]);
    }
};

} // namespace

TEST_F(EmptiedPages, SpareThenReservoir)
{
    ASSERT_NE(page[0], page[1]);
    EXPECT_EQ(heap.room[17], 0);
    EXPECT_EQ(heap.spare[17], page[1]);
    EXPECT_EQ(page[1]->count, 0);
    EXPECT_EQ(reservoir.reserve[17], page[0]);
    EXPECT_EQ(page[0]->owner, &reservoir);
    EXPECT_EQ(HeapDebug::ReserveCount(heap, 17), 1);
    EXPECT_EQ(HeapDebug::WorkPageCount(heap, 17), 1);   // only the third page
    EXPECT_EQ(HeapDebug::FullPageCount(heap, 17), 0);

    // The cache serves first, then the spare page, then the reservoir; both
    // pages keep the free lists their releases left (the last released first).
    for (int i = 19; i >= 14; i--)
        EXPECT_EQ(heap.Allocate(576), blocks[i]);
    for (int i = 13; i >= 7; i--)
        EXPECT_EQ(heap.Allocate(576), blocks[i]);
    EXPECT_EQ(heap.spare[17], nullptr);
    EXPECT_EQ(heap.Allocate(576), blocks[6]);
    EXPECT_EQ(page[0]->owner, &heap);
    EXPECT_EQ(HeapDebug::ReserveCount(heap, 17), 0);
    EXPECT_EQ(HeapDebug::FullPageCount(heap, 17), 2);
}

TEST_F(EmptiedPages, OtherClassesRecutEmptyPages)
{
    // The spare page of any class comes before the reservoir, which comes before the system.
    byte* a = static_cast<byte*>(heap.Allocate(16));
    EXPECT_EQ(PageOf(a), page[1]);
    EXPECT_EQ(page[1]->klass, 0);
    EXPECT_EQ(a, reinterpret_cast<byte*>(page[1]) + HEAP_PAGE_SIZE - 253 * 16);
    EXPECT_EQ(heap.spare[17], nullptr);

    byte* b = static_cast<byte*>(heap.Allocate(32));
    EXPECT_EQ(PageOf(b), page[0]);
    EXPECT_EQ(page[0]->klass, 1);
    EXPECT_EQ(page[0]->owner, &heap);
    EXPECT_EQ(b, reinterpret_cast<byte*>(page[0]) + HEAP_PAGE_SIZE - 126 * 32);
    EXPECT_EQ(HeapDebug::ReserveCount(heap, 17), 0);

    int kb = HeapAllocatedKB();
    OsReserve before = OsPageReserve();
    byte* c = static_cast<byte*>(heap.Allocate(48));
    EXPECT_NE(PageOf(c), page[0]);
    EXPECT_NE(PageOf(c), page[1]);
    EXPECT_NE(PageOf(c), page[2]);
    EXPECT_EQ(PageOf(c), reinterpret_cast<PageHeader*>(before.left ? before.next : OsPageReserve().next - HEAP_PAGE_SIZE));
    EXPECT_GE(HeapAllocatedKB(), kb);
}
