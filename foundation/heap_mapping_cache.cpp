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

constinit CachedMapping g_cached[kMappingCacheCount] = {};   // oldest first
constinit int g_cached_count = 0;
constinit size_t g_cached_bytes = 0;

void Remove(int i)
{
    g_cached_bytes -= g_cached[i].length;
    for (int k = i + 1; k < g_cached_count; k++)
        g_cached[k - 1] = g_cached[k];
    g_cached_count--;
}

void UnmapOldest()
{
    munmap(g_cached[0].base, g_cached[0].length);
    Remove(0);
}

} // namespace

void KeepMapping(void* base, size_t length)
{
    if (length > kMappingCacheBytes) {
        munmap(base, length);
        return;
    }
    while (g_cached_count == kMappingCacheCount || g_cached_bytes + length > kMappingCacheBytes)
        UnmapOldest();
    g_cached[g_cached_count++] = CachedMapping{base, length};
    g_cached_bytes += length;
}

// The smallest kept mapping that holds length bytes without being more than twice as
// long, so that a small block does not pin a large mapping; the oldest among equals.
void* TakeCachedMapping(size_t length, size_t& mapped)
{
    int best = -1;
    for (int i = 0; i < g_cached_count; i++) {
        size_t have = g_cached[i].length;
        if (have >= length && have / 2 <= length && (best < 0 || have < g_cached[best].length))
            best = i;
    }
    if (best < 0)
        return nullptr;
    void* base = g_cached[best].base;
    mapped = g_cached[best].length;
    Remove(best);
    return base;
}

bool ReleaseMappingCache()
{
    bool any = g_cached_count > 0;
    while (g_cached_count > 0)
        UnmapOldest();
    return any;
}

namespace HeapDebug {

int CachedMappingCount() { return g_cached_count; }
size_t CachedMappingBytes() { return g_cached_bytes; }

int CachedMappingAge(const void* base)
{
    for (int i = 0; i < g_cached_count; i++)
        if (g_cached[i].base == base)
            return g_cached_count - 1 - i;
    return -1;
}

} // namespace HeapDebug

} // namespace Qor
