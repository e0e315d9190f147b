// The process heap's entry points and its start-up: one main heap serves the
// whole process, a second instance holds the reservoir of empty pages.
#include "foundation/heap_internal.h"

#include "foundation/assert.h"

#include <climits>
#include <cstdlib>

namespace Qor {

namespace {

// Constant-initialised: new and delete may run before any static constructor.
constinit MemoryHeap reservoir_heap{};
constinit MemoryHeap main_heap{};
#ifdef QOR_CHECKS
constinit ThreadOwner heap_thread;
#endif

} // namespace

MemoryHeap& MainHeap() { return main_heap; }
MemoryHeap& ReservoirHeap() { return reservoir_heap; }

void MemoryHeap::Init()
{
    for(int c = 0; c < SMALL_CLASSES; c++) {
        spare[c] = nullptr;
        reserve[c] = nullptr;
        cache[c] = nullptr;
        room[c] = CACHE_ROOM[c];
        PageHeader* heads[2] = { &work[c], &full[c] };
        for(PageHeader* s : heads) {
            *s = PageHeader{};
            s->klass = byte(c);
            s->owner = this;
            s->next = s->prev = s;
        }
    }
    Bins();
    if(this == &main_heap)
        reservoir = &reservoir_heap;
    for(BinLink& b : bins)
        b.next = b.prev = &b;
    bin_mask[0] = bin_mask[1] = 0;
    chunks.next = chunks.prev = &chunks;
    chunk_count = 0;
    for(BinLink*& k : kept)
        k = nullptr;
    kept_room = this == &main_heap ? MEDIUM_KEPT_BYTES : 0;
    if(reservoir && !reservoir->initialised)
        reservoir->Init();
    initialised = true;
}

void* MemoryHeap::AllocateRounded(size_t& n)
{
    if(n <= SMALL_LIMIT) {
        int c = SmallClassOf(n);
        n = CLASS_SIZE[c];
        return SmallTake(c);
    }
    return MediumTake(n);
}

namespace {

// One thread: a plain counter of blocks handed out, for tests that prove a path allocates nothing.
int64 allocation_count = 0;

} // namespace

int64 HeapAllocationCount() { return allocation_count; }

#ifndef QOR_SYSTEM_HEAP

void* HeapAllocate(size_t n)
{
    QOR_CHECK_THREAD(heap_thread, "The heap");
    allocation_count++;
    return main_heap.Allocate(n);
}

void* HeapAllocateRounded(size_t& n)
{
    QOR_CHECK_THREAD(heap_thread, "The heap");
    allocation_count++;
    return main_heap.AllocateRounded(n);
}

void HeapRelease(void* ptr)
{
    QOR_CHECK_THREAD(heap_thread, "The heap");
    main_heap.Release(ptr);
}

void* HeapAllocate32()
{
    QOR_CHECK_THREAD(heap_thread, "The heap");
    allocation_count++;
    return main_heap.SmallTake(1);
}

void HeapRelease32(void* ptr)
{
    QOR_CHECK_THREAD(heap_thread, "The heap");
    main_heap.SmallGive(ptr);
}

void* HeapAllocate48()
{
    QOR_CHECK_THREAD(heap_thread, "The heap");
    allocation_count++;
    return main_heap.SmallTake(2);
}

void HeapRelease48(void* ptr)
{
    QOR_CHECK_THREAD(heap_thread, "The heap");
    main_heap.SmallGive(ptr);
}

#else

// Sanitizer builds: every block comes from the system allocator, whose bounds
// and lifetimes the sanitizer watches. The heap's own tests drive MainHeap().

namespace {

// Beyond what the sanitizer's allocator serves; refused like a failed mapping.
constexpr size_t SYSTEM_LIMIT = size_t(1) << 40;

void* SystemTake(size_t n)
{
    QOR_CHECK_THREAD(heap_thread, "The heap");
    allocation_count++;
    if(n <= SYSTEM_LIMIT)
        if(void* p = std::malloc(n ? n : 1))
            return p;
    if(n > size_t(PTRDIFF_MAX) - 2 * HEAP_PAGE_SIZE)
        OutOfMemory(int64(n > size_t(INT64_MAX) ? INT64_MAX : n), INT64_MAX);
    OutOfMemory(int64(n), int64((n + HUGE_PREFIX + HEAP_PAGE_SIZE - 1) / HEAP_PAGE_SIZE * (HEAP_PAGE_SIZE / 1024)));
}

void SystemGive(void* ptr)
{
    QOR_CHECK_THREAD(heap_thread, "The heap");
    std::free(ptr);
}

// The usable size the heap would grant, so that containers grow alike in every build.
size_t UsableSize(size_t n)
{
    if(n <= SMALL_LIMIT)
        return CLASS_SIZE[SmallClassOf(n)];
    if(n <= MEDIUM_LIMIT)
        return Bins().size[Bins().take[(n - 1) / 8]];
    if(n > size_t(PTRDIFF_MAX) - 2 * HEAP_PAGE_SIZE)
        return n;
    return (n + HUGE_PREFIX + HEAP_PAGE_SIZE - 1) / HEAP_PAGE_SIZE * HEAP_PAGE_SIZE - HUGE_PREFIX;
}

} // namespace

void* HeapAllocate(size_t n) { return SystemTake(n); }

void* HeapAllocateRounded(size_t& n)
{
    n = UsableSize(n);
    return SystemTake(n);
}

void HeapRelease(void* ptr) { SystemGive(ptr); }
void* HeapAllocate32() { return SystemTake(32); }
void HeapRelease32(void* ptr) { SystemGive(ptr); }
void* HeapAllocate48() { return SystemTake(48); }
void HeapRelease48(void* ptr) { SystemGive(ptr); }

#endif

} // namespace Qor
