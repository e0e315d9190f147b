// Diagnostic record of the heap: blocks in use and free, by size.
#include "foundation/heap_internal.h"

#include <cstring>

namespace Qor {

namespace {

constinit MemoryProfile* attached_profile = nullptr;

void CountLarge(MemoryProfile& f, bool free, int64 size)
{
    if(free) {
        if(f.large_free_count < 1024)
            f.large_free_size[f.large_free_count] = size;
        f.large_free_count++;
        f.large_free_total = int32(f.large_free_total + size);
    }
    else {
        if(f.large_count < 1024)
            f.large_size[f.large_count] = size;
        f.large_count++;
        f.large_total += size;
    }
}

} // namespace

void AttachMemoryProfile(MemoryProfile* profile)
{
    attached_profile = profile;
    RefreshMemoryProfile();
}

void RefreshMemoryProfile()
{
    if(attached_profile)
        MemoryProfileFill(MainHeap(), *attached_profile);
}

void MemoryProfileFill(MemoryHeap& heap, MemoryProfile& f)
{
    std::memset(&f, 0, sizeof(f));
    for(HugePrefix* b = huge_list; b; b = b->next)
        CountLarge(f, false, b->usable);
    if(!heap.initialised)
        return;
    for(int c = 0; c < SMALL_CLASSES; c++) {
        int at = CLASS_SIZE[c] / 4;
        for(PageHeader* p = heap.work[c].next; p != &heap.work[c]; p = p->next) {
            f.small_used[at] += p->count;
            f.small_free[at] += BlocksPerPage(c) - p->count;
        }
        for(PageHeader* p = heap.full[c].next; p != &heap.full[c]; p = p->next)
            f.small_used[at] += p->count;
    }
    for(ChunkHeader* ch = heap.chunks.next; ch != &heap.chunks; ch = ch->next) {
        MediumHeader* h = reinterpret_cast<MediumHeader*>(reinterpret_cast<byte*>(ch) + CHUNK_HEADER_SIZE);
        for(; h->size; h = NextHeader(h))
            CountLarge(f, h->free, h->size);
    }
}

} // namespace Qor
