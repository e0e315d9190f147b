// Medium and huge blocks: bins, chunk layout, split, merge, free chunks, huge mappings.
#include "foundation/heap_internal.h"
#include "tests/foundation/heap_under_test.h"
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace Qor;

namespace {

struct LocalMedium : ::testing::Test {
    MemoryHeap heap{};
    MemoryHeap reservoir{};
    void SetUp() override
    {
        heap.reservoir = &reservoir;
        heap.Init();
    }
    byte* ChunkOf(void* p)
    {
        // Fresh chunks in these tests start with the block at offset 24.
        return reinterpret_cast<byte*>(MediumHeaderOf(p)) - CHUNK_HEADER_SIZE;
    }
};

int BinOfSize(int size)
{
    for (int b = 0; b < BIN_COUNT; b++)
        if (Bins().size[b] == size)
            return b;
    return -1;
}

} // namespace

TEST(HeapBins, SizesAndLookups)
{
    const BinTables& t = Bins();
    for (int b = 0; b <= 32; b++)
        EXPECT_EQ(t.size[b], 32 * (b + 1));
    EXPECT_EQ(t.size[33], 1088);
    EXPECT_EQ(t.size[34], 1152);
    EXPECT_EQ(t.size[35], 1216);
    EXPECT_EQ(t.size[111], 64416);
    EXPECT_EQ(t.size[112], 65480);
    EXPECT_EQ(t.size[18], 608);
    for (int b = 33; b < 112; b++) {
        int step = t.size[b] - t.size[b - 1];
        int want = 6 * t.size[b - 1] / 3200 * 32;
        EXPECT_EQ(step, want < 32 ? 32 : want > 2048 ? 2048 : want) << b;
    }
    // Every request and every payload size against a plain search of the sizes.
    for (int n = 1; n <= int(MEDIUM_LIMIT); n++) {
        int b = t.take[(n - 1) / 8];
        ASSERT_GE(t.size[b], n) << n;
        if (b > 0) {
            ASSERT_LT(t.size[b - 1], n) << n;
        }
    }
    for (int s = 32; s <= int(MEDIUM_LIMIT); s += 8) {
        int b = t.file[s / 8];
        ASSERT_LE(t.size[b], s) << s;
        if (b + 1 < BIN_COUNT) {
            ASSERT_GT(t.size[b + 1], s) << s;
        }
    }
}

TEST_F(LocalMedium, FreshChunkLayout)
{
    size_t n = 1000;
    byte* p = static_cast<byte*>(heap.AllocateRounded(n));
    EXPECT_EQ(n, 1024u);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % 16, 8u);
    byte* chunk = ChunkOf(p);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(chunk) % HEAP_PAGE_SIZE, 0u);
    EXPECT_EQ(heap.chunk_count, 1);
    EXPECT_EQ(heap.chunks.next, reinterpret_cast<ChunkHeader*>(chunk));
    EXPECT_EQ(reinterpret_cast<ChunkHeader*>(chunk)->prev, &heap.chunks);

    struct Expect {
        size_t offset;
        byte free;
        uint16 size, prev;
    } headers[] = {
        {24, 0, 1024, 0},
        {24 + 16 + 1024, 1, 65480 - 1024 - 16, 1024},
        {65520, 0, 0, 65480 - 1024 - 16},
    };
    for (const Expect& e : headers) {
        SCOPED_TRACE(e.offset);
        byte* h = chunk + e.offset;
        EXPECT_EQ(h[0], e.free);
        uint16 size, prev;
        std::memcpy(&size, h + 2, 2);
        std::memcpy(&prev, h + 4, 2);
        EXPECT_EQ(size, e.size);
        EXPECT_EQ(prev, e.prev);
        MemoryHeap* owner;
        std::memcpy(&owner, h + 8, sizeof(owner));
        EXPECT_EQ(owner, &heap);
    }
    // The rest is filed in the bin that its size reaches.
    int rest_bin = Bins().file[(65480 - 1024 - 16) / 8];
    EXPECT_EQ(HeapDebug::BinLength(heap, rest_bin), 1);
    EXPECT_EQ(heap.bins[rest_bin].next, reinterpret_cast<BinLink*>(chunk + 24 + 16 + 1024 + 16));
}

TEST_F(LocalMedium, ReleaseMergesWithBothNeighbours)
{
    void* guard = heap.Allocate(700);
    void* a = heap.Allocate(1000);
    void* b = heap.Allocate(1000);
    void* c = heap.Allocate(1000);
    void* d = heap.Allocate(1000);
    heap.Release(a);
    heap.Release(c);
    EXPECT_EQ(MediumHeaderOf(a)->free, 1);
    EXPECT_EQ(MediumHeaderOf(c)->free, 1);
    int bin1024 = BinOfSize(1024);
    EXPECT_EQ(HeapDebug::BinLength(heap, bin1024), 2);

    heap.Release(b);
    MediumHeader* merged = MediumHeaderOf(a);
    EXPECT_EQ(merged->free, 1);
    EXPECT_EQ(merged->size, 3 * 1024 + 2 * 16);
    EXPECT_EQ(MediumHeaderOf(d)->prev_size, merged->size);
    EXPECT_EQ(HeapDebug::BinLength(heap, bin1024), 0);
    EXPECT_EQ(heap.bins[Bins().file[merged->size / 8]].next, LinkOf(merged));

    // The merged block serves a request of its size.
    size_t n = 3000;
    void* again = heap.AllocateRounded(n);
    EXPECT_EQ(again, a);

    // With everything released the chunk is whole again and stays: it is the heap's last.
    heap.Release(again);
    heap.Release(d);
    heap.Release(guard);
    MediumHeader* whole = reinterpret_cast<MediumHeader*>(ChunkOf(guard) + CHUNK_HEADER_SIZE);
    EXPECT_EQ(whole->size, MEDIUM_LIMIT);
    EXPECT_EQ(whole->free, 1);
    EXPECT_EQ(heap.chunk_count, 1);
    EXPECT_EQ(HeapDebug::BinLength(heap, BIN_COUNT - 1), 1);
}

TEST_F(LocalMedium, SplitNeedsRoomForAHeaderAnd32Bytes)
{
    // Adjacent blocks released between two in use merge into one free block,
    // which then serves a request a little smaller than itself.
    struct Case {
        std::vector<int> freed;
        int request;
        bool split;
    } cases[] = {
        {{608, 640}, 1216, true},         // 48 bytes over: a 32-byte free block remains
        {{608, 608, 672}, 1888, false},   // 32 bytes over: 16 would remain, handed out whole
        {{608, 608}, 1216, false},        // 16 bytes over
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.request);
        ASSERT_GE(BinOfSize(c.request), 0);
        void* left = heap.Allocate(700);
        std::vector<void*> freed;
        size_t free_size = 0;
        for (int size : c.freed) {
            freed.push_back(heap.Allocate(size));
            free_size += size + (free_size ? 16 : 0);
        }
        void* right = heap.Allocate(700);
        for (void* p : freed)
            heap.Release(p);
        ASSERT_EQ(MediumHeaderOf(freed[0])->size, free_size);
        size_t n = c.request;
        void* p = heap.AllocateRounded(n);
        ASSERT_EQ(p, freed[0]);
        EXPECT_EQ(n, size_t(c.request));           // the bin size is reported either way
        MediumHeader* h = MediumHeaderOf(p);
        MediumHeader* next = NextHeader(h);
        if (c.split) {
            EXPECT_EQ(h->size, c.request);
            EXPECT_EQ(next->free, 1);
            EXPECT_EQ(next->size, 32);
            EXPECT_EQ(next->prev_size, c.request);
            EXPECT_EQ(NextHeader(next), MediumHeaderOf(right));
            EXPECT_EQ(MediumHeaderOf(right)->prev_size, 32);
        }
        else {
            EXPECT_EQ(h->size, free_size);
            EXPECT_EQ(next, MediumHeaderOf(right));
            EXPECT_EQ(MediumHeaderOf(right)->prev_size, free_size);
        }
        heap.Release(p);
        heap.Release(left);
        heap.Release(right);
        EXPECT_EQ(MediumHeaderOf(left)->size, MEDIUM_LIMIT);   // whole again for the next case
    }
}

TEST_F(LocalMedium, EmptyChunkGoesToFreeListAndIsReused)
{
    void* x = heap.Allocate(40000);
    void* y = heap.Allocate(40000);
    byte* cy = ChunkOf(y);
    ASSERT_NE(ChunkOf(x), cy);
    EXPECT_EQ(heap.chunk_count, 2);
    int free_chunks = HeapDebug::FreeChunkCount();

    heap.Release(y);
    EXPECT_EQ(heap.chunk_count, 1);
    EXPECT_FALSE(HeapDebug::InChunkList(heap, cy));
    EXPECT_EQ(HeapDebug::FreeChunkCount(), free_chunks + 1);
    EXPECT_EQ(free_chunk_list, reinterpret_cast<ChunkHeader*>(cy));
    EXPECT_EQ(HeapDebug::BinLength(heap, BIN_COUNT - 1), 0);   // not filed in a bin

    OsReserve chunks_before = OsChunkReserve();
    void* z = heap.Allocate(40000);
    EXPECT_EQ(ChunkOf(z), cy);
    EXPECT_EQ(HeapDebug::FreeChunkCount(), free_chunks);
    EXPECT_EQ(OsChunkReserve().counter, chunks_before.counter);
    EXPECT_EQ(OsChunkReserve().left, chunks_before.left);
    EXPECT_TRUE(HeapDebug::InChunkList(heap, cy));
    EXPECT_EQ(heap.chunk_count, 2);

    heap.Release(z);
    heap.Release(x);   // the last chunk stays with the heap, whole and free
    EXPECT_EQ(heap.chunk_count, 1);
    EXPECT_EQ(HeapDebug::BinLength(heap, BIN_COUNT - 1), 1);
}

TEST(HeapHuge, MappingAndCounter)
{
    struct Case {
        size_t n, usable;
    } cases[] = {{65481, 69576}, {100000, 102344}, {1 << 20, (1 << 20) + 4096 - 56}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        int kb = HeapAllocatedKB();
        int huge = HeapDebug::HugeCount();
        size_t n = c.n;
        byte* p = static_cast<byte*>(HeapAllocateRounded(n));
        EXPECT_EQ(n, c.usable);
        EXPECT_EQ(HeapAllocatedKB(), kb + int((c.usable + 56) / 1024));
        EXPECT_EQ(HeapDebug::HugeCount(), huge + 1);
        byte* base = p - HUGE_PREFIX;
        EXPECT_EQ(reinterpret_cast<uintptr_t>(base) % HEAP_PAGE_SIZE, 0u);
        EXPECT_EQ(huge_list, reinterpret_cast<HugePrefix*>(base));
        int64 usable;
        std::memcpy(&usable, base + 16, 8);
        EXPECT_EQ(usable, int64(c.usable));
        EXPECT_EQ(base[40], 0);                     // free flag
        EXPECT_EQ(MediumHeaderOf(p)->size, 0);      // the huge marker
        p[n - 1] = 1;
        HeapRelease(p);
        EXPECT_EQ(HeapAllocatedKB(), kb);
        EXPECT_EQ(HeapDebug::HugeCount(), huge);
    }
}

TEST(HeapHuge, ListKeepsOthersWhenOneLeaves)
{
    void* a = HeapAllocate(70000);
    void* b = HeapAllocate(80000);
    void* c = HeapAllocate(90000);
    int huge = HeapDebug::HugeCount();
    HeapRelease(b);   // from the middle
    EXPECT_EQ(HeapDebug::HugeCount(), huge - 1);
    HeapRelease(c);   // from the front
    EXPECT_EQ(HeapDebug::HugeCount(), huge - 2);
    EXPECT_EQ(huge_list, reinterpret_cast<HugePrefix*>(static_cast<byte*>(a) - HUGE_PREFIX));
    HeapRelease(a);
    EXPECT_EQ(HeapDebug::HugeCount(), huge - 3);
}

TEST_F(LocalMedium, KeptBlocksServeTheirBinAndAreNeverMerged)
{
    heap.kept_room = 3000;
    byte* a = static_cast<byte*>(heap.Allocate(1000));
    byte* b = static_cast<byte*>(heap.Allocate(1000));
    byte* c = static_cast<byte*>(heap.Allocate(1000));
    int bin = BinOfSize(1024);

    heap.Release(b);
    heap.Release(a);
    EXPECT_EQ(MediumHeaderOf(a)->free, KEPT_BLOCK);
    EXPECT_EQ(MediumHeaderOf(b)->free, KEPT_BLOCK);
    EXPECT_EQ(heap.kept_room, 3000 - 2 * 1024);
    EXPECT_EQ(HeapDebug::BinLength(heap, bin), 0);

    // No room for a third: c goes the merging way, with the free rest behind it but not
    // with the kept block before it.
    heap.Release(c);
    EXPECT_EQ(MediumHeaderOf(c)->free, 1);
    EXPECT_EQ(MediumHeaderOf(c)->size, 65480 - 2 * (1024 + 16));
    EXPECT_EQ(MediumHeaderOf(b)->size, 1024);
    EXPECT_EQ(PrevHeader(MediumHeaderOf(c)), MediumHeaderOf(b));

    static MemoryProfile profile;
    MemoryProfileFill(heap, profile);
    EXPECT_EQ(profile.large_count, 0);        // kept blocks count as free
    EXPECT_EQ(profile.large_free_count, 3);

    // Another bin does not take them; their own bin does, the latest kept first.
    byte* other = static_cast<byte*>(heap.Allocate(2000));
    EXPECT_NE(other, a);
    EXPECT_NE(other, b);
    size_t n = 1000;
    EXPECT_EQ(heap.AllocateRounded(n), a);
    EXPECT_EQ(n, 1024u);
    EXPECT_EQ(heap.Allocate(1000), b);
    EXPECT_EQ(MediumHeaderOf(b)->free, 0);
    EXPECT_EQ(heap.kept_room, 3000);
    heap.kept_room = 0;
    for (byte* p : {a, b, other})
        heap.Release(p);
}

TEST_F(LocalMedium, WithoutRoomReleaseMergesAsBefore)
{
    ASSERT_EQ(heap.kept_room, 0);   // only the process's main heap keeps blocks
    byte* a = static_cast<byte*>(heap.Allocate(1000));
    heap.Release(a);
    EXPECT_EQ(MediumHeaderOf(a)->free, 1);
    EXPECT_EQ(MediumHeaderOf(a)->size, MEDIUM_LIMIT);
}
