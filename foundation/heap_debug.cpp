// Read-only view of the heap's state for tests and diagnostics.
#include "foundation/heap_internal.h"

namespace Qor::HeapDebug {

bool IsSmallBlock(const void* p) { return (reinterpret_cast<uintptr_t>(p) & 8) == 0; }

int ClassOfBlock(const void* p) { return IsSmallBlock(p) ? PageOf(p)->klass : -1; }

int CacheLength(const MemoryHeap& heap, int c)
{
    int n = 0;
    for(FreeLink* b = heap.cache[c]; b; b = b->next)
        n++;
    return n;
}

namespace {

int ListLength(const PageHeader& head)
{
    if(!head.next)
        return 0;
    int n = 0;
    for(const PageHeader* p = head.next; p != &head; p = p->next)
        n++;
    return n;
}

} // namespace

int WorkPageCount(const MemoryHeap& heap, int c) { return ListLength(heap.work[c]); }
int FullPageCount(const MemoryHeap& heap, int c) { return ListLength(heap.full[c]); }

int ReserveCount(const MemoryHeap& heap, int c)
{
    const MemoryHeap& holder = heap.reservoir ? *heap.reservoir : heap;
    int n = 0;
    for(PageHeader* p = holder.reserve[c]; p; p = p->next)
        n++;
    return n;
}

int BinLength(const MemoryHeap& heap, int bin)
{
    const BinLink* head = &heap.bins[bin];
    if(!head->next)
        return 0;
    int n = 0;
    for(const BinLink* l = head->next; l != head; l = l->next)
        n++;
    return n;
}

int FreeChunkCount()
{
    int n = 0;
    for(ChunkHeader* c = free_chunk_list; c; c = c->next)
        n++;
    return n;
}

int HugeCount()
{
    int n = 0;
    for(HugePrefix* b = huge_list; b; b = b->next)
        n++;
    return n;
}

bool InChunkList(const MemoryHeap& heap, const void* chunk)
{
    if(!heap.chunks.next)
        return false;
    for(const ChunkHeader* c = heap.chunks.next; c != &heap.chunks; c = c->next)
        if(c == chunk)
            return true;
    return false;
}

} // namespace Qor::HeapDebug
