// Internals of the process heap: page, chunk and huge-block layouts, the heap
// state, the OS reserves, and a small read-only view for tests and diagnostics.
#pragma once

#include "foundation/heap.h"

namespace Qor {

// ---- Small blocks --------------------------------------------------------

inline constexpr int SMALL_CLASSES = 18;
inline constexpr size_t SMALL_LIMIT = 576;
inline constexpr size_t HEAP_PAGE_SIZE = 4096;
inline constexpr size_t PAGE_HEADER_SIZE = 40;

struct FreeLink {
    FreeLink* next;
};

struct MemoryHeap;

// First 40 bytes of every small page, and the sentinels of the page lists.
struct PageHeader {
    byte klass;
    byte count; // blocks handed out, cached ones included
    MemoryHeap* owner;
    FreeLink* free;
    PageHeader* next;
    PageHeader* prev;
};
static_assert(sizeof(PageHeader) == PAGE_HEADER_SIZE);

inline constexpr uint16 CLASS_SIZE[SMALL_CLASSES] = { 16,  32,  48,  64,  80,  96,  112, 128, 144,
                                                      160, 176, 192, 208, 224, 288, 368, 448, 576 };

inline constexpr int32 CACHE_ROOM[SMALL_CLASSES] = { 3500 / 16,  3500 / 32,  3500 / 48,  3500 / 64,  3500 / 80,
                                                     3500 / 96,  3500 / 112, 3500 / 128, 3500 / 144, 3500 / 160,
                                                     3500 / 176, 3500 / 192, 3500 / 208, 3500 / 224, 12,
                                                     9,          7,          6 };

// Class by the number of 16-byte units a request needs, (n + 15) / 16.
inline constexpr byte CLASS_OF_UNITS[37] = { 0,  0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 14, 14, 14,
                                             15, 15, 15, 15, 15, 16, 16, 16, 16, 16, 17, 17, 17, 17, 17, 17, 17, 17 };

inline int SmallClassOf(size_t n) { return CLASS_OF_UNITS[(n + 15) >> 4]; }
inline int BlocksPerPage(int c) { return int((HEAP_PAGE_SIZE - PAGE_HEADER_SIZE) / CLASS_SIZE[c]); }
inline PageHeader* PageOf(const void* p)
{
    return reinterpret_cast<PageHeader*>(reinterpret_cast<uintptr_t>(p) & ~uintptr_t(HEAP_PAGE_SIZE - 1));
}

// ---- Medium and huge blocks ----------------------------------------------

inline constexpr int BIN_COUNT = 113;
inline constexpr size_t CHUNK_SIZE = 65536;
inline constexpr size_t CHUNK_HEADER_SIZE = 24;
inline constexpr size_t MEDIUM_LIMIT = 65480; // payload of a whole fresh chunk
inline constexpr size_t HUGE_PREFIX = 56;
// The main heap keeps up to this many payload bytes of released medium blocks whole,
// unmerged, for the next request of their bin: a release and a take then touch one
// block instead of its neighbours and the bin lists. Kept blocks count as free.
inline constexpr int64 MEDIUM_KEPT_BYTES = int64(8) << 20;
inline constexpr byte KEPT_BLOCK = 2; // free flag of a kept block: never merged

struct MediumHeader {
    byte free;        // 1 free, 0 in use, KEPT_BLOCK kept
    uint16 size;      // payload bytes; 0 marks a huge block (or a chunk's end)
    uint16 prev_size; // payload of the block before, 0 for the first
    MemoryHeap* owner;
};
static_assert(sizeof(MediumHeader) == 16);

struct BinLink { // first 16 payload bytes of a free medium block; bin heads
    BinLink* next;
    BinLink* prev;
};

struct ChunkHeader {
    ChunkHeader* next;
    ChunkHeader* prev;
    void* unused;
};
static_assert(sizeof(ChunkHeader) == CHUNK_HEADER_SIZE);

struct HugePrefix {
    HugePrefix* next;
    HugePrefix* prev;
    int64 usable;
    size_t mapped; // length of the mapping, which a reused one may make larger
    void* unused;
    MediumHeader header;
};
static_assert(sizeof(HugePrefix) == HUGE_PREFIX);

inline MediumHeader* MediumHeaderOf(const void* p)
{
    return reinterpret_cast<MediumHeader*>(reinterpret_cast<uintptr_t>(p) - sizeof(MediumHeader));
}
inline BinLink* LinkOf(MediumHeader* h) { return reinterpret_cast<BinLink*>(h + 1); }
inline MediumHeader* HeaderOfLink(BinLink* l) { return reinterpret_cast<MediumHeader*>(l) - 1; }
inline MediumHeader* NextHeader(MediumHeader* h)
{
    return reinterpret_cast<MediumHeader*>(reinterpret_cast<byte*>(h + 1) + h->size);
}
inline MediumHeader* PrevHeader(MediumHeader* h)
{
    return reinterpret_cast<MediumHeader*>(reinterpret_cast<byte*>(h) - h->prev_size) - 1;
}

// Bin sizes and the two lookups, built once per process.
struct BinTables {
    uint16 size[BIN_COUNT];
    byte take[MEDIUM_LIMIT / 8 + 1]; // by (n - 1) / 8: smallest bin >= n
    byte file[MEDIUM_LIMIT / 8 + 1]; // by size / 8: largest bin <= size
};
const BinTables& Bins();

// ---- The heap --------------------------------------------------------------

struct MemoryHeap {
    // Hot fields first: the release caches are all a common call touches.
    FreeLink* cache[SMALL_CLASSES];
    int32 room[SMALL_CLASSES];
    bool initialised;
    MemoryHeap* reservoir;          // holder of empty pages beyond the spare
    PageHeader work[SMALL_CLASSES]; // sentinels: circular lists
    PageHeader full[SMALL_CLASSES];
    PageHeader* spare[SMALL_CLASSES];
    PageHeader* reserve[SMALL_CLASSES]; // used by a reservoir: singly linked pages
    ChunkHeader chunks;                 // sentinel of the chunk list
    int32 chunk_count;
    uint64 bin_mask[2]; // bit set = bin list not empty
    BinLink bins[BIN_COUNT];
    BinLink* kept[BIN_COUNT]; // released medium blocks kept whole, by bin
    int64 kept_room;          // payload bytes the kept lists may still take

    void Init();
    void* Allocate(size_t n);
    void* AllocateRounded(size_t& n);
    void Release(void* p);

    void* SmallTake(int c);
    void SmallGive(void* p);
    void* SmallTakeSlow(int c);
    void SmallGiveSlow(PageHeader* page, FreeLink* block);
    PageHeader* WorkPage(int c);

    void* MediumTake(size_t& n);
    void MediumGive(void* p);
    void BinInsert(MediumHeader* h);
    void BinRemove(MediumHeader* h);
    MediumHeader* NewChunk(size_t want);
};

inline void* MemoryHeap::SmallTake(int c)
{
    FreeLink* b = cache[c];
    if(b) {
        cache[c] = b->next;
        room[c]++;
        return b;
    }
    return SmallTakeSlow(c);
}

inline void MemoryHeap::SmallGive(void* p)
{
    PageHeader* page = PageOf(p);
    int c = page->klass;
    FreeLink* b = static_cast<FreeLink*>(p);
    if(room[c] > 0) {
        b->next = cache[c];
        cache[c] = b;
        room[c]--;
        return;
    }
    SmallGiveSlow(page, b);
}

inline void* MemoryHeap::Allocate(size_t n)
{
    if(n <= SMALL_LIMIT)
        return SmallTake(SmallClassOf(n));
    return MediumTake(n);
}

inline void MemoryHeap::Release(void* p)
{
    if(!p)
        return;
    if(reinterpret_cast<uintptr_t>(p) & 8)
        MediumGive(p);
    else
        SmallGive(p);
}

MemoryHeap& ReservoirHeap();

// ---- Process-wide state ----------------------------------------------------

// Memory handed out in growing batches of units (pages or chunks).
struct OsReserve {
    byte* next;
    int32 left;    // units left in the current batch
    int32 counter; // batch size is counter / 32 units
    int32 max_counter;
    int32 last_batch; // units of the latest mapping, for diagnostics
    size_t unit;

    // requested: the size that the failure text reports.
    void* Take(int64 requested);
};

OsReserve& OsPageReserve();
OsReserve& OsChunkReserve();

// Maps length bytes for a batch or ends the process with the out-of-memory text.
void* OsMap(size_t length, int64 requested);
// The mapping of a huge block, reused from the cache when one fits; mapped receives
// its real length. The KB counter moves by length rounded to pages either way.
void* LargeMap(size_t length, size_t& mapped, int64 requested);
void LargeUnmap(void* base, size_t length, size_t mapped);

// Released large mappings kept for reuse: at most MAPPING_CACHE_COUNT of them and
// MAPPING_CACHE_BYTES together; the oldest goes back to the system first.
inline constexpr int MAPPING_CACHE_COUNT = 8;
inline constexpr size_t MAPPING_CACHE_BYTES = size_t(16) << 20;
void KeepMapping(void* base, size_t length);
void* TakeCachedMapping(size_t length, size_t& mapped); // null when none fits
bool ReleaseMappingCache();                             // false when it was empty
[[noreturn]] void OutOfMemory(int64 requested, int64 refused_kb);
void AddAllocatedKB(int64 kb);
void RefreshMemoryProfile();

void* HugeMap(size_t& n); // n becomes the usable size
void HugeUnmap(HugePrefix* block);

extern ChunkHeader* free_chunk_list; // singly linked through next
extern HugePrefix* huge_list;

// ---- Read-only view for tests and diagnostics ------------------------------

namespace HeapDebug {
int ClassOfBlock(const void* p); // -1 for a medium or huge block
bool IsSmallBlock(const void* p);
int CacheLength(const MemoryHeap& heap, int c);
int WorkPageCount(const MemoryHeap& heap, int c);
int FullPageCount(const MemoryHeap& heap, int c);
int ReserveCount(const MemoryHeap& heap, int c); // pages of the heap's reservoir
int BinLength(const MemoryHeap& heap, int bin);
int FreeChunkCount();
int HugeCount();
bool InChunkList(const MemoryHeap& heap, const void* chunk);
int CachedMappingCount();
size_t CachedMappingBytes();
int CachedMappingAge(const void* base); // 0 for the latest kept, -1 when not kept
} // namespace HeapDebug

} // namespace Qor
