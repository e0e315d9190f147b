// Released huge-block mappings kept for the next large request that fits: mapping,
// first touches and unmapping cost far more than handing the same memory out again.
#include "foundation/heap_internal.h"

#include <sys/mman.h>

namespace Qor {

namespace {

struct CachedMapping {
    void* base;
    size_t length;
};

constinit CachedMapping cached_mappings[MAPPING_CACHE_COUNT] = {}; // oldest first
constinit int cached_count = 0;
constinit size_t cached_bytes = 0;

void Remove(int i)
{
    cached_bytes -= cached_mappings[i].length;
    for(int k = i + 1; k < cached_count; k++)
        cached_mappings[k - 1] = cached_mappings[k];
    cached_count--;
}

void UnmapOldest()
{
    munmap(cached_mappings[0].base, cached_mappings[0].length);
    Remove(0);
}

} // namespace

void KeepMapping(void* base, size_t length)
{
    if(length > MAPPING_CACHE_BYTES) {
        munmap(base, length);
        return;
    }
    while(cached_count == MAPPING_CACHE_COUNT || cached_bytes + length > MAPPING_CACHE_BYTES)
        UnmapOldest();
    cached_mappings[cached_count++] = CachedMapping{ base, length };
    cached_bytes += length;
}

// The smallest kept mapping that holds length bytes without being more than twice as
// long, so that a small block does not pin a large mapping; the oldest among equals.
void* TakeCachedMapping(size_t length, size_t& mapped)
{
    int best = -1;
    for(int i = 0; i < cached_count; i++) {
        size_t have = cached_mappings[i].length;
        if(have >= length && have / 2 <= length && (best < 0 || have < cached_mappings[best].length))
            best = i;
    }
    if(best < 0)
        return nullptr;
    void* base = cached_mappings[best].base;
    mapped = cached_mappings[best].length;
    Remove(best);
    return base;
}

bool ReleaseMappingCache()
{
    bool any = cached_count > 0;
    while(cached_count > 0)
        UnmapOldest();
    return any;
}

namespace HeapDebug {

int CachedMappingCount() { return cached_count; }
size_t CachedMappingBytes() { return cached_bytes; }

int CachedMappingAge(const void* base)
{
    for(int i = 0; i < cached_count; i++)
        if(cached_mappings[i].base == base)
            return cached_count - 1 - i;
    return -1;
}

} // namespace HeapDebug

} // namespace Qor
