// Small blocks: 18 size classes cut from 4096-byte pages, with a per-class
// release cache in front of the pages and spare and reservoir pages behind them.
#include "foundation/heap_internal.h"

namespace Qor {

namespace {

inline void Unlink(PageHeader* p)
{
    p->prev->next = p->next;
    p->next->prev = p->prev;
}

inline void LinkFront(PageHeader* head, PageHeader* p)
{
    p->next = head->next;
    p->prev = head;
    head->next->prev = p;
    head->next = p;
}

// Blocks run from the end of the page downward; the free list starts at the
// lowest block so that the first blocks handed out are the lowest.
void CutPage(PageHeader* page, int c, MemoryHeap* owner)
{
    size_t size = CLASS_SIZE[c];
    byte* base = reinterpret_cast<byte*>(page);
    byte* lowest = base + HEAP_PAGE_SIZE - size * BlocksPerPage(c);
    FreeLink* next = nullptr;
    for(byte* b = base + HEAP_PAGE_SIZE - size; b >= lowest; b -= size) {
        FreeLink* link = reinterpret_cast<FreeLink*>(b);
        link->next = next;
        next = link;
    }
    page->klass = byte(c);
    page->count = 0;
    page->owner = owner;
    page->free = next;
}

} // namespace

PageHeader* MemoryHeap::WorkPage(int c)
{
    PageHeader* page = spare[c];
    if(page) {
        spare[c] = nullptr;
        page->owner = this;
        return page;
    }
    for(int k = 0; k < SMALL_CLASSES; k++)
        if((page = spare[k]) != nullptr) {
            spare[k] = nullptr;
            CutPage(page, c, this);
            return page;
        }
    PageHeader** pool = (reservoir ? reservoir : this)->reserve;
    if((page = pool[c]) != nullptr) {
        pool[c] = page->next;
        page->owner = this;
        return page;
    }
    for(int k = 0; k < SMALL_CLASSES; k++)
        if((page = pool[k]) != nullptr) {
            pool[k] = page->next;
            CutPage(page, c, this);
            return page;
        }
    page = static_cast<PageHeader*>(OsPageReserve().Take(CLASS_SIZE[c]));
    CutPage(page, c, this);
    return page;
}

void* MemoryHeap::SmallTakeSlow(int c)
{
    if(!initialised)
        Init();
    PageHeader* head = &work[c];
    for(;;) {
        PageHeader* page = head->next;
        if(FreeLink* b = page->free) {
            page->free = b->next;
            page->count++;
            return b;
        }
        if(page == head)
            break;
        // Found exhausted: it waits in the full list until a block comes back.
        Unlink(page);
        LinkFront(&full[c], page);
    }
    PageHeader* page = WorkPage(c);
    LinkFront(head, page);
    FreeLink* b = page->free;
    page->free = b->next;
    page->count++;
    return b;
}

void MemoryHeap::SmallGiveSlow(PageHeader* page, FreeLink* block)
{
    int c = page->klass;
    if(!page->free) {
        Unlink(page);
        LinkFront(&work[c], page);
    }
    block->next = page->free;
    page->free = block;
    if(--page->count == 0) {
        Unlink(page);
        if(PageHeader* old = spare[c]) {
            MemoryHeap* holder = reservoir ? reservoir : this;
            old->owner = holder;
            old->next = holder->reserve[c];
            holder->reserve[c] = old;
        }
        spare[c] = page;
    }
}

} // namespace Qor
