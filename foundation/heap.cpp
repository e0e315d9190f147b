// The process heap's entry points and its start-up: one main heap serves the
// whole process, a second instance holds the reservoir of empty pages.
#include "foundation/heap_internal.h"

namespace Qor {

namespace {

// Constant-initialised: new and delete may run before any static constructor.
constinit MemoryHeap g_reservoir{};
constinit MemoryHeap g_main{};

} // namespace

MemoryHeap& MainHeap() { return g_main; }
MemoryHeap& ReservoirHeap() { return g_reservoir; }

void MemoryHeap::Init()
{
    for (int c = 0; c < kSmallClasses; c++) {
        spare[c] = nullptr;
        reserve[c] = nullptr;
        cache[c] = nullptr;
        room[c] = kCacheRoom[c];
        PageHeader* heads[2] = {&work[c], &full[c]};
        for (PageHeader* s : heads) {
            *s = PageHeader{};
            s->klass = byte(c);
            s->owner = this;
            s->next = s->prev = s;
        }
    }
    Bins();
    if (this == &g_main)
        reservoir = &g_reservoir;
    for (BinLink& b : bins)
        b.next = b.prev = &b;
    bin_mask[0] = bin_mask[1] = 0;
    chunks.next = chunks.prev = &chunks;
    chunk_count = 0;
    for (BinLink*& k : kept)
        k = nullptr;
    kept_room = this == &g_main ? kMediumKeptBytes : 0;
    if (reservoir && !reservoir->initialised)
        reservoir->Init();
    initialised = true;
}

void* MemoryHeap::AllocateRounded(size_t& n)
{
    if (n <= kSmallLimit) {
        int c = SmallClassOf(n);
        n = kClassSize[c];
        return SmallTake(c);
    }
    return MediumTake(n);
}

namespace {

// One thread: a plain counter.
int64 allocation_count = 0;

} // namespace

int64 HeapAllocationCount() { return allocation_count; }

void* HeapAllocate(size_t n) { allocation_count++; return g_main.Allocate(n); }
void* HeapAllocateRounded(size_t& n) { allocation_count++; return g_main.AllocateRounded(n); }
void HeapRelease(void* ptr) { g_main.Release(ptr); }

void* HeapAllocate32() { allocation_count++; return g_main.SmallTake(1); }
void HeapRelease32(void* ptr) { g_main.SmallGive(ptr); }
void* HeapAllocate48() { allocation_count++; return g_main.SmallTake(2); }
void HeapRelease48(void* ptr) { g_main.SmallGive(ptr); }

} // namespace Qor
