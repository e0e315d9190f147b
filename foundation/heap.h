// The process heap: small-class pages, medium chunks with bins, huge mappings.
// Global operator new and delete are served from here (see new_delete.cpp). In
// sanitizer builds the entry points take their blocks from the system allocator,
// so that the sanitizer sees every container's bounds and lifetime.
#pragma once

#include "foundation/types.h"

namespace Qor {

// Every block is aligned to at least this; medium and huge blocks to no more.
inline constexpr size_t HEAP_BLOCK_ALIGN = 8;

void* HeapAllocate(size_t n);
// As HeapAllocate; n becomes the usable size of the block granted.
void* HeapAllocateRounded(size_t& n);
void HeapRelease(void* ptr);

// Fast paths for String and WString blocks: class 1 (32 bytes) and class 2 (48 bytes).
void* HeapAllocate32();
void HeapRelease32(void* ptr);
void* HeapAllocate48();
void HeapRelease48(void* ptr);

// Memory that lives until the process ends; no alignment promised.
void* PermanentBlock(size_t n);

// Blocks handed out by the allocation functions since start, for tests that check a
// path does not allocate.
int64 HeapAllocationCount();

// Kilobytes mapped from the system and not yet unmapped.
int HeapAllocatedKB();

struct MemoryProfile {
    int32 small_used[1024]; // blocks in use, by size / 4
    int32 small_free[1024]; // free blocks, by size / 4
    int32 large_count;
    int64 large_size[1024];
    int64 large_total;
    int32 large_free_count;
    int64 large_free_size[1024];
    int32 large_free_total;
};

struct MemoryHeap;
MemoryHeap& MainHeap();
void MemoryProfileFill(MemoryHeap& heap, MemoryProfile& profile);
// Attaches a record that is refilled whenever the heap takes memory (null detaches).
void AttachMemoryProfile(MemoryProfile* profile);

} // namespace Qor
