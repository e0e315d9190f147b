// Memory from the system: anonymous mappings handed out in growing batches of
// pages and chunks, the mappings of huge blocks, the allocated-KB counter, the
// out-of-memory stop, and the never-freed permanent blocks.
#include "foundation/heap_internal.h"
#include "foundation/panic.h"

#include <sys/mman.h>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace Qor {

namespace {

constinit int32 allocated_kb = 0;
constinit OsReserve page_reserve{ nullptr, 0, 32, 4096, 0, HEAP_PAGE_SIZE };
constinit OsReserve chunk_reserve{ nullptr, 0, 32, 256, 0, CHUNK_SIZE };
constinit byte* permanent_next = nullptr;
constinit byte* permanent_end = nullptr;

size_t RoundToPages(size_t length) { return (length + HEAP_PAGE_SIZE - 1) & ~(HEAP_PAGE_SIZE - 1); }

} // namespace

OsReserve& OsPageReserve() { return page_reserve; }
OsReserve& OsChunkReserve() { return chunk_reserve; }
int HeapAllocatedKB() { return allocated_kb; }

void AddAllocatedKB(int64 kb) { allocated_kb = int32(allocated_kb + kb); }

void OutOfMemory(int64 requested, int64 refused_kb)
{
    // The text shows the counter as if the refused mapping had been granted;
    // a counter of 32 bits cannot show more than its range.
    int64 kb = refused_kb >= INT32_MAX ? INT32_MAX : allocated_kb + refused_kb;
    if(kb > INT32_MAX)
        kb = INT32_MAX;
    char text[200];
    std::snprintf(text, sizeof(text), "Out of memory!\nRequested size: %lld B\nQor allocated memory: %d KB",
                  static_cast<long long>(requested), static_cast<int>(kb));
    RaisePanic(text);
    // Only a panic already under way returns here; there is nothing left to give.
    std::abort();
}

// Two deviations keep large memory cheap; neither changes a usable size or the KB counter.
// Transparent huge pages: a fresh multi-megabyte block (bzip2's work area, a long text)
// then costs a few faults instead of hundreds, which on a virtual machine dominates its
// use. Batches of 512 KB are carved one after another out of shared 2 MB-aligned extents
// (four to an extent), and mappings of 512 KB or more start on a 2 MB boundary.
constexpr size_t LARGE_PAGE = size_t(2) << 20;
constexpr size_t LARGE_BATCH = LARGE_PAGE / 4;

constinit byte* extent_next = nullptr;
constinit byte* extent_end = nullptr;

static void* MapPlain(size_t length)
{
    return mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
}

// length bytes starting on a 2 MB boundary, with huge pages asked for.
static void* MapAligned(size_t length)
{
    size_t span = length + LARGE_PAGE;
    byte* p = static_cast<byte*>(MapPlain(span));
    if(p == MAP_FAILED)
        return MAP_FAILED;
    byte* aligned = reinterpret_cast<byte*>((reinterpret_cast<uintptr_t>(p) + LARGE_PAGE - 1) & ~(LARGE_PAGE - 1));
    if(aligned > p)
        munmap(p, size_t(aligned - p));
    if(p + span > aligned + length)
        munmap(aligned + length, size_t(p + span - (aligned + length)));
    madvise(aligned, length, MADV_HUGEPAGE);
    return aligned;
}

static void* MapBatch(size_t rounded)
{
    if(rounded != LARGE_BATCH)
        return MapPlain(rounded);
    if(size_t(extent_end - extent_next) < rounded) {
        void* extent = MapAligned(LARGE_PAGE);
        if(extent == MAP_FAILED)
            return MAP_FAILED;
        extent_next = static_cast<byte*>(extent);
        extent_end = extent_next + LARGE_PAGE;
    }
    void* p = extent_next;
    extent_next += rounded;
    return p;
}

void* OsMap(size_t length, int64 requested)
{
    size_t rounded = RoundToPages(length);
    void* p = MapBatch(rounded);
    if(p == MAP_FAILED && ReleaseMappingCache())
        p = MapBatch(rounded);
    if(p == MAP_FAILED || p == nullptr)
        OutOfMemory(requested, int64(rounded / 1024));
    AddAllocatedKB(int64(rounded / 1024));
    return p;
}

void* LargeMap(size_t length, size_t& mapped, int64 requested)
{
    size_t rounded = RoundToPages(length);
    void* p = TakeCachedMapping(rounded, mapped);
    if(!p) {
        auto map = [rounded] { return rounded >= LARGE_BATCH ? MapAligned(rounded) : MapPlain(rounded); };
        p = map();
        if(p == MAP_FAILED && ReleaseMappingCache())
            p = map();
        if(p == MAP_FAILED || p == nullptr)
            OutOfMemory(requested, int64(rounded / 1024));
        mapped = rounded;
    }
    AddAllocatedKB(int64(rounded / 1024));
    return p;
}

void LargeUnmap(void* base, size_t length, size_t mapped)
{
    AddAllocatedKB(-int64(RoundToPages(length) / 1024));
    KeepMapping(base, mapped);
}

void* OsReserve::Take(int64 requested)
{
    if(left == 0) {
        int32 units = counter / 32;
        next = static_cast<byte*>(OsMap(size_t(units) * unit, requested));
        left = units;
        last_batch = units;
    }
    void* p = next;
    next += unit;
    left--;
    if(counter < max_counter)
        counter++;
    RefreshMemoryProfile();
    return p;
}

void* PermanentBlock(size_t n)
{
    if(n >= 256) {
        void* p = std::malloc(n);
        if(!p)
            OutOfMemory(int64(n > size_t(INT64_MAX) ? INT64_MAX : n), 0);
        return p;
    }
    if(permanent_next && permanent_next + n < permanent_end) {
        void* p = permanent_next;
        permanent_next += n;
        return p;
    }
    byte* page = static_cast<byte*>(page_reserve.Take(int64(n)));
    permanent_next = page + n;
    permanent_end = page + HEAP_PAGE_SIZE;
    return page;
}

} // namespace Qor
