// Memory from the system: batch growth, permanent blocks, the memory profile,
// global new and delete, and the out-of-memory stop.
#include "foundation/heap_internal.h"
#include "tests/foundation/heap_under_test.h"
#include "tests/support/private_home.h"
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <new>
#include <vector>

using namespace Qor;

TEST(HeapOsReserve, BatchesGrowAndStopAtTheirLimit)
{
    struct Case {
        size_t unit;
        int32 max_counter, largest;
    } cases[] = {{HEAP_PAGE_SIZE, 4096, 128}, {CHUNK_SIZE, 256, 8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit);
        OsReserve r{nullptr, 0, 32, c.max_counter, 0, c.unit};
        int takes = (c.max_counter - 32) + 2 * c.largest + 1;
        byte* last = nullptr;
        int biggest = 0;
        for (int i = 1; i <= takes; i++) {
            int kb = HeapAllocatedKB();
            bool maps = r.left == 0;
            byte* p = static_cast<byte*>(r.Take(1));
            if (maps) {
                int expect = i <= 32 ? 1 : i == 33 ? 2 : r.last_batch;
                ASSERT_EQ(r.last_batch, expect) << i;
                ASSERT_EQ(HeapAllocatedKB(), kb + int(r.last_batch * c.unit / 1024)) << i;
                biggest = std::max(biggest, r.last_batch);
            }
            else {
                ASSERT_EQ(p, last + c.unit) << i;          // a batch is handed out in order
                ASSERT_EQ(HeapAllocatedKB(), kb);
            }
            ASSERT_EQ(r.counter, std::min(32 + i, c.max_counter));
            last = p;
        }
        EXPECT_EQ(biggest, c.largest);
    }
}

TEST(HeapHuge, LargeBlocksStartOnHugePageBoundariesAndKeepTheirSizes)
{
    const struct { size_t request; bool aligned; } cases[] = {
        { 300000, false }, { 600000, true }, { 3600000, true }, // below 512 KB: any page
    };
    for(const auto& c : cases) {
        int kb = HeapAllocatedKB();
        size_t n = c.request;
        byte* p = static_cast<byte*>(HeapAllocateRounded(n));
        EXPECT_EQ(n, ((c.request + 56 + 4095) & ~size_t(4095)) - 56) << c.request;
        EXPECT_EQ(HeapAllocatedKB() - kb, int((n + 56) / 1024)) << c.request;
        if(c.aligned) {
            EXPECT_EQ(reinterpret_cast<uintptr_t>(p - 56) % (2 << 20), 0u) << c.request;
        }
        std::memset(p, 0xab, n); // the whole usable size is mapped
        HeapRelease(p);
        EXPECT_EQ(HeapAllocatedKB(), kb) << c.request;
    }
}

TEST(HeapPermanent, BumpsWithinAPageAndSendsLargeRequestsElsewhere)
{
    // Start a fresh permanent page: a request that cannot fit the current one.
    byte* first = nullptr;
    for (int i = 0; i < 40 && !first; i++) {
        byte* p = static_cast<byte*>(PermanentBlock(200));
        if (reinterpret_cast<uintptr_t>(p) % HEAP_PAGE_SIZE == 0)
            first = p;
    }
    ASSERT_NE(first, nullptr);
    byte* a = static_cast<byte*>(PermanentBlock(13));
    EXPECT_EQ(a, first + 200);                          // no alignment: right behind
    static byte* big;                                   // permanent: kept reachable to the end
    big = static_cast<byte*>(PermanentBlock(256));
    EXPECT_TRUE(big < first || big >= first + HEAP_PAGE_SIZE);
    std::memset(big, 1, 256);
    EXPECT_EQ(PermanentBlock(1), a + 13);               // the large request left the page alone
}

TEST(HeapProfile, CountsBlocksOfAHeap)
{
    MemoryHeap heap{}, reservoir{};
    heap.reservoir = &reservoir;
    std::vector<void*> small;
    for (int i = 0; i < 5; i++)
        small.push_back(heap.Allocate(64));
    void* medium = heap.Allocate(1000);
    auto* f = new MemoryProfile;
    MemoryProfileFill(heap, *f);
    EXPECT_EQ(f->small_used[64 / 4], 5);
    EXPECT_EQ(f->small_free[64 / 4], 63 - 5);
    int huge = HeapDebug::HugeCount();
    EXPECT_EQ(f->large_count, huge + 1);
    EXPECT_EQ(f->large_size[huge], 1024);
    EXPECT_EQ(f->large_free_count, 1);
    EXPECT_EQ(f->large_free_size[0], 65480 - 1024 - 16);
    EXPECT_EQ(f->large_free_total, 65480 - 1024 - 16);

    // Released blocks that wait in the cache still count as handed out.
    heap.Release(small[0]);
    heap.Release(medium);
    MemoryProfileFill(heap, *f);
    EXPECT_EQ(f->small_used[64 / 4], 5);
    EXPECT_EQ(f->large_count, huge);
    EXPECT_EQ(f->large_free_size[0], 65480);
    delete f;
}

TEST(HeapProfile, AttachedRecordFollowsTheMainHeap)
{
    auto* f = new MemoryProfile;
    AttachMemoryProfile(f);
    int64 total = f->large_total;
    void* p = HeapAllocate(200000);
    EXPECT_EQ(f->large_total, total + 200704 - 56);
    AttachMemoryProfile(nullptr);
    HeapRelease(p);
    EXPECT_EQ(f->large_total, total + 200704 - 56);   // detached: left as it was
    delete f;
}

namespace {

struct alignas(32) Vec32 {
    double v[4];
};
struct alignas(64) Line64 {
    char bytes[200];
};
struct alignas(4096) Page4K {
    char bytes[10];
};

} // namespace

TEST(HeapNewDelete, AlignedTypes)
{
    std::vector<Vec32*> v;
    std::vector<Line64*> l;
    for (int i = 0; i < 50; i++) {
        v.push_back(new Vec32{});
        l.push_back(new Line64{});
        EXPECT_EQ(reinterpret_cast<uintptr_t>(v.back()) % 32, 0u);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(l.back()) % 64, 0u);
    }
    Line64* arr = new Line64[400];    // a medium block underneath
    EXPECT_EQ(reinterpret_cast<uintptr_t>(arr) % 64, 0u);
    arr[399].bytes[199] = 1;
    Page4K* page = new (std::nothrow) Page4K;
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(page) % 4096, 0u);
    delete page;
    delete[] arr;
    for (Vec32* p : v)
        delete p;
    for (Line64* p : l)
        delete p;
}

#ifndef QOR_SYSTEM_NEW
TEST(HeapNewDelete, GlobalOperatorsUseTheHeap)
{
    void* small = ::operator new(100);
    EXPECT_EQ(HeapDebug::ClassOfBlock(small), 6);
    EXPECT_EQ(PageOf(small)->owner, &MainHeap());
    void* medium = ::operator new[](5000);
    EXPECT_EQ(MediumHeaderOf(medium)->owner, &MainHeap());
    EXPECT_EQ(MediumHeaderOf(medium)->free, 0);
    MediumHeader* header = MediumHeaderOf(medium); // the heap's own record outlives the block
    bool kept = MainHeap().kept_room >= header->size;
    ::operator delete[](medium);
    EXPECT_EQ(header->free, kept ? KEPT_BLOCK : 1);
    // An over-aligned object lies inside the block whose pointer it keeps.
    Line64* line = new Line64;
    byte* raw;
    std::memcpy(&raw, reinterpret_cast<void*>(reinterpret_cast<uintptr_t>(line) - sizeof(void*)), sizeof(raw));
    int klass = HeapDebug::ClassOfBlock(raw);
    ASSERT_GE(klass, 0);
    EXPECT_GE(reinterpret_cast<byte*>(line), raw + sizeof(void*));
    EXPECT_LE(reinterpret_cast<byte*>(line + 1), raw + CLASS_SIZE[klass]);
    delete line;

    bool room = MainHeap().room[6] > 0;
    ::operator delete(small, 100);
    if (room)
        EXPECT_EQ(MainHeap().cache[6], small);
    else
        EXPECT_EQ(PageOf(small)->free, small);
}
#endif

TEST(HeapDeathTest, OutOfMemoryStopsWithTheRequestAndTheCounter)
{
    PrivateHome home; // the panic block goes to the log
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(HeapAllocate(size_t(1) << 60),
                 "Out of memory!\nRequested size: 1152921504606846976 B\nQor allocated memory: 2147483647 KB");
    // A request too large for any mapping must not wrap around to a small one.
    EXPECT_DEATH(HeapAllocate(~size_t(0) - 8), "Out of memory!\nRequested size: 9223372036854775807 B");
}

#ifndef QOR_SYSTEM_NEW
namespace {

// Makes the address space already in use the limit, then asks for chunks until one is refused.
void ExhaustChunks()
{
    long pages = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld", &pages) != 1)
            pages = 0;
        std::fclose(f);
    }
    rlimit limit;
    limit.rlim_cur = limit.rlim_max = rlim_t(pages) * HEAP_PAGE_SIZE;
    setrlimit(RLIMIT_AS, &limit);
    for (;;)
        HeapAllocate(60000);
}

} // namespace

TEST(HeapDeathTest, ChunkRefusedReportsTheBinSize)
{
    PrivateHome home; // the panic block goes to the log
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    int bin = Bins().take[(60000 - 1) / 8];
    std::string text = "Out of memory!\nRequested size: " + std::to_string(Bins().size[bin]) +
                       " B\nQor allocated memory: [0-9]+ KB";
    EXPECT_DEATH(ExhaustChunks(), text);
}
#endif
