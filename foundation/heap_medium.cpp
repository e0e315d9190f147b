// Medium blocks carved from 64 KB chunks and found through 113 size bins,
// with split on take and merge on release; huge blocks get mappings of their own
// (fresh or kept from an earlier huge block).
#include "foundation/heap_internal.h"

namespace Qor {

ChunkHeader* free_chunk_list = nullptr;
HugePrefix* huge_list = nullptr;

namespace {

constinit BinTables bin_tables{};

void BuildBins(BinTables& t)
{
    int count = 0;
    uint32 size = 32;
    for(;;) {
        t.size[count++] = uint16(size);
        uint32 step = 6 * size / 3200 * 32;
        step = step < 32 ? 32 : step > 2048 ? 2048 : step;
        if(size + step >= MEDIUM_LIMIT)
            break;
        size += step;
    }
    t.size[count++] = uint16(MEDIUM_LIMIT);
    int b = 0;
    for(size_t i = 0; i * 8 < MEDIUM_LIMIT; i++) { // requests i * 8 + 1 .. i * 8 + 8
        while(t.size[b] < i * 8 + 1)
            b++;
        t.take[i] = byte(b);
    }
    b = 0;
    for(size_t i = 0; i <= MEDIUM_LIMIT / 8; i++) { // sizes i * 8 .. i * 8 + 7
        while(b + 1 < BIN_COUNT && t.size[b + 1] <= i * 8)
            b++;
        t.file[i] = byte(b);
    }
}

int FirstBin(const uint64 mask[2], int b)
{
    if(b < 64)
        if(uint64 m = mask[0] & (~uint64(0) << b))
            return __builtin_ctzll(m);
    uint64 m = mask[1] & (b < 64 ? ~uint64(0) : ~uint64(0) << (b - 64));
    return m ? 64 + __builtin_ctzll(m) : -1;
}

} // namespace

const BinTables& Bins()
{
    if(bin_tables.size[0] == 0)
        BuildBins(bin_tables);
    return bin_tables;
}

void MemoryHeap::BinInsert(MediumHeader* h)
{
    int b = bin_tables.file[h->size / 8];
    BinLink* head = &bins[b];
    BinLink* l = LinkOf(h);
    l->next = head->next;
    l->prev = head;
    head->next->prev = l;
    head->next = l;
    bin_mask[b >> 6] |= uint64(1) << (b & 63);
}

void MemoryHeap::BinRemove(MediumHeader* h)
{
    BinLink* l = LinkOf(h);
    l->prev->next = l->next;
    l->next->prev = l->prev;
    int b = bin_tables.file[h->size / 8];
    if(bins[b].next == &bins[b])
        bin_mask[b >> 6] &= ~(uint64(1) << (b & 63));
}

// A chunk for this heap, formatted as one free block; not filed in any bin.
MediumHeader* MemoryHeap::NewChunk(size_t want)
{
    ChunkHeader* chunk = free_chunk_list;
    if(chunk)
        free_chunk_list = chunk->next;
    else
        chunk = static_cast<ChunkHeader*>(OsChunkReserve().Take(int64(want)));
    chunk->next = chunks.next;
    chunk->prev = &chunks;
    chunks.next->prev = chunk;
    chunks.next = chunk;
    chunk_count++;
    byte* base = reinterpret_cast<byte*>(chunk);
    MediumHeader* h = reinterpret_cast<MediumHeader*>(base + CHUNK_HEADER_SIZE);
    *h = MediumHeader{ 1, uint16(MEDIUM_LIMIT), 0, this };
    MediumHeader* end = reinterpret_cast<MediumHeader*>(base + CHUNK_SIZE - sizeof(MediumHeader));
    *end = MediumHeader{ 0, 0, uint16(MEDIUM_LIMIT), this };
    return h;
}

void* MemoryHeap::MediumTake(size_t& n)
{
    if(n > MEDIUM_LIMIT)
        return HugeMap(n);
    if(!initialised)
        Init();
    int b = bin_tables.take[(n - 1) / 8];
    size_t want = bin_tables.size[b];
    n = want;
    if(BinLink* l = kept[b]) {
        kept[b] = l->next;
        MediumHeader* h = HeaderOfLink(l);
        h->free = 0;
        kept_room += h->size;
        return l;
    }
    MediumHeader* h;
    int found = FirstBin(bin_mask, b);
    if(found >= 0) {
        h = HeaderOfLink(bins[found].next);
        BinRemove(h);
    }
    else
        h = NewChunk(want);
    h->free = 0;
    if(h->size >= want + 48) {
        MediumHeader* after = NextHeader(h);
        uint16 rest = uint16(h->size - want - sizeof(MediumHeader));
        h->size = uint16(want);
        MediumHeader* r = NextHeader(h);
        *r = MediumHeader{ 1, rest, uint16(want), this };
        after->prev_size = rest;
        BinInsert(r);
    }
    return h + 1;
}

void MemoryHeap::MediumGive(void* p)
{
    MediumHeader* h = MediumHeaderOf(p);
    if(h->size == 0) {
        HugeUnmap(reinterpret_cast<HugePrefix*>(static_cast<byte*>(p) - HUGE_PREFIX));
        return;
    }
    if(h->size <= kept_room) {
        // Filed by the largest bin it covers, so that it serves any request of that bin.
        int b = bin_tables.file[h->size / 8];
        h->free = KEPT_BLOCK;
        BinLink* l = LinkOf(h);
        l->next = kept[b];
        kept[b] = l;
        kept_room -= h->size;
        return;
    }
    if(h->prev_size) {
        MediumHeader* before = PrevHeader(h);
        if(before->free == 1) {
            BinRemove(before);
            before->size = uint16(before->size + h->size + sizeof(MediumHeader));
            h = before;
            NextHeader(h)->prev_size = h->size;
        }
    }
    MediumHeader* next = NextHeader(h);
    if(next->free == 1) {
        BinRemove(next);
        h->size = uint16(h->size + next->size + sizeof(MediumHeader));
        NextHeader(h)->prev_size = h->size;
    }
    h->free = 1;
    if(h->size == MEDIUM_LIMIT && chunk_count > 1) {
        // The whole chunk is free: keep it for any heap rather than in this one's bins.
        ChunkHeader* chunk = reinterpret_cast<ChunkHeader*>(reinterpret_cast<byte*>(h) - CHUNK_HEADER_SIZE);
        chunk->prev->next = chunk->next;
        chunk->next->prev = chunk->prev;
        chunk_count--;
        chunk->next = free_chunk_list;
        chunk->prev = nullptr;
        free_chunk_list = chunk;
        return;
    }
    BinInsert(h);
}

void* HugeMap(size_t& n)
{
    size_t limit = size_t(PTRDIFF_MAX) - 2 * HEAP_PAGE_SIZE;
    if(n > limit) // n + 56 would wrap around: no mapping can hold it
        OutOfMemory(int64(n > size_t(INT64_MAX) ? INT64_MAX : n), INT64_MAX);
    size_t length = n + HUGE_PREFIX;
    size_t rounded = (length + HEAP_PAGE_SIZE - 1) & ~(HEAP_PAGE_SIZE - 1);
    size_t mapped;
    HugePrefix* b = static_cast<HugePrefix*>(LargeMap(length, mapped, int64(n)));
    b->mapped = mapped;
    b->next = huge_list;
    b->prev = nullptr;
    if(huge_list)
        huge_list->prev = b;
    huge_list = b;
    b->usable = int64(rounded - HUGE_PREFIX);
    b->header = MediumHeader{ 0, 0, 0, &MainHeap() };
    n = size_t(b->usable);
    RefreshMemoryProfile();
    return b + 1;
}

void HugeUnmap(HugePrefix* b)
{
    if(b->prev)
        b->prev->next = b->next;
    else
        huge_list = b->next;
    if(b->next)
        b->next->prev = b->prev;
    LargeUnmap(b, size_t(b->usable) + HUGE_PREFIX, b->mapped);
}

} // namespace Qor
