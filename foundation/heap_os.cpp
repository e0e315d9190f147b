// Memory from the system: anonymous mappings handed out in growing batches of
// pages and chunks, the allocated-KB counter, the out-of-memory stop, and the
// never-freed permanent blocks.
#include "foundation/heap_internal.h"
#include "foundation/panic.h"

#include <sys/mman.h>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace Qor {

namespace {

constinit int32 g_allocated_kb = 0;
constinit OsReserve g_pages{nullptr, 0, 32, 4096, 0, kPageSize};
constinit OsReserve g_chunks{nullptr, 0, 32, 256, 0, kChunkSize};
constinit byte* g_permanent = nullptr;
constinit byte* g_permanent_end = nullptr;

size_t RoundToPages(size_t length) { return (length + kPageSize - 1) & ~(kPageSize - 1); }

} // namespace

OsReserve& OsPageReserve() { return g_pages; }
OsReserve& OsChunkReserve() { return g_chunks; }
int HeapAllocatedKB() { return g_allocated_kb; }

void AddAllocatedKB(int64 kb) { g_allocated_kb = int32(g_allocated_kb + kb); }

void OutOfMemory(int64 requested, int64 refused_kb)
{
    // The text shows the counter as if the refused mapping had been granted;
    // a counter of 32 bits cannot show more than its range.
    int64 kb = refused_kb >= INT32_MAX ? INT32_MAX : g_allocated_kb + refused_kb;
    if (kb > INT32_MAX)
        kb = INT32_MAX;
    char text[200];
    std::snprintf(text, sizeof(text), "Out of memory!\nRequested size: %lld B\nQor allocated memory: %d KB",
                  static_cast<long long>(requested), static_cast<int>(kb));
    RaisePanic(text);
    // Only a panic already under way returns here; there is nothing left to give.
    std::abort();
}

// Mappings of 512 KB and more take whole 2 MB-aligned extents and ask for transparent
// huge pages: a fresh multi-megabyte block (bzip2's work area, a long text) then
// costs a few faults instead of hundreds, which on a virtual machine dominates its
// use. Only address space grows; the block's usable size and the KB count do not.
constexpr size_t kLargePage = size_t(2) << 20;

static size_t MappedExtent(size_t rounded)
{
    return rounded >= kLargePage / 4 ? (rounded + kLargePage - 1) & ~(kLargePage - 1) : rounded;
}

static void* MapLarge(size_t extent)
{
    size_t span = extent + kLargePage;
    byte* p = static_cast<byte*>(mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    if (p == MAP_FAILED)
        return MAP_FAILED;
    byte* aligned = reinterpret_cast<byte*>((reinterpret_cast<uintptr_t>(p) + kLargePage - 1) & ~(kLargePage - 1));
    if (aligned > p)
        munmap(p, size_t(aligned - p));
    if (p + span > aligned + extent)
        munmap(aligned + extent, size_t(p + span - (aligned + extent)));
    madvise(aligned, extent, MADV_HUGEPAGE);
    return aligned;
}

void* OsMap(size_t length, int64 requested)
{
    size_t rounded = RoundToPages(length);
    size_t extent = MappedExtent(rounded);
    void* p = extent != rounded
                  ? MapLarge(extent)
                  : mmap(nullptr, rounded, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED || p == nullptr)
        OutOfMemory(requested, int64(rounded / 1024));
    AddAllocatedKB(int64(rounded / 1024));
    return p;
}

void OsUnmap(void* base, size_t length)
{
    size_t rounded = RoundToPages(length);
    munmap(base, MappedExtent(rounded));
    AddAllocatedKB(-int64(rounded / 1024));
}

void* OsReserve::Take(int64 requested)
{
    if (left == 0) {
        int32 units = counter / 32;
        next = static_cast<byte*>(OsMap(size_t(units) * unit, requested));
        left = units;
        last_batch = units;
    }
    void* p = next;
    next += unit;
    left--;
    if (counter < max_counter)
        counter++;
    RefreshMemoryProfile();
    return p;
}

void* PermanentBlock(size_t n)
{
    if (n >= 256) {
        void* p = std::malloc(n);
        if (!p)
            OutOfMemory(int64(n > size_t(INT64_MAX) ? INT64_MAX : n), 0);
        return p;
    }
    if (g_permanent && g_permanent + n < g_permanent_end) {
        void* p = g_permanent;
        g_permanent += n;
        return p;
    }
    byte* page = static_cast<byte*>(g_pages.Take(int64(n)));
    g_permanent = page + n;
    g_permanent_end = page + kPageSize;
    return page;
}

} // namespace Qor
