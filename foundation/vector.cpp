// The element-type-free storage of Vector: blocks from the heap, bitwise relocation.
#include "foundation/vector.h"

#include "foundation/panic.h"

#include <climits>

namespace Qor {

static size_t BlockBytes(int64 n, size_t size)
{
    // Sizes that cannot be counted in int32 elements end the process like exhaustion does.
    if(n > INT_MAX || (uint64)n * size > ((size_t)1 << 47))
        RaisePanic("Out of memory: container too large");
    return (size_t)n * size;
}

void* VectorBase::RawReserveKeepOld(int n, size_t size)
{
    void* old = vector;
    if(n <= 0) {
        vector = nullptr;
        alloc = 0;
        return old;
    }
    size_t bytes = BlockBytes(n, size);
    void* block = HeapAllocateRounded(bytes);
    size_t capacity = bytes / size;
    alloc = capacity > INT_MAX ? INT_MAX : (int32)capacity;
    if(items > 0)
        std::memcpy(block, old, (size_t)items * size);
    vector = block;
    return old;
}

void VectorBase::RawReserve(int n, size_t size)
{
    void* old = RawReserveKeepOld(n, size);
    if(old)
        HeapRelease(old);
}

int VectorBase::GrowStep(int capacity)
{
    int64 n = (int64)capacity + (capacity > 1 ? capacity / 2 : 1);
    if(n > INT_MAX)
        RaisePanic("Out of memory: container too large");
    return (int)n;
}

void VectorBase::RawGrow(size_t size)
{
    RawReserve(GrowStep(alloc), size);
}

void* VectorBase::RawGrowKeepOld(size_t size)
{
    return RawReserveKeepOld(GrowStep(alloc), size);
}

void VectorBase::RawInsert(int i, int n, size_t size)
{
    if((int64)items + n > alloc) {
        int64 c = alloc;
        int64 wanted = n < c / 2 ? c + c / 2 : c + n;
        if(wanted > INT_MAX)
            RaisePanic("Out of memory: container too large");
        RawReserve((int)wanted, size);
    }
    char* p = (char*)vector + (size_t)i * size;
    std::memmove(p + (size_t)n * size, p, (size_t)(items - i) * size);
    items += n;
}

void VectorBase::RawRemove(int i, int count, size_t size)
{
    char* p = (char*)vector + (size_t)i * size;
    std::memmove(p, p + (size_t)count * size, (size_t)(items - i - count) * size);
    items -= count;
}

void VectorBase::RawRemoveSorted(const int* sorted, int n, size_t size)
{
    char* base = (char*)vector;
    int to = sorted[0];
    for(int k = 0; k < n; k++) {
        int from = sorted[k] + 1;
        int until = k + 1 < n ? sorted[k + 1] : items;
        int m = until - from;
        if(m > 0) {
            std::memmove(base + (size_t)to * size, base + (size_t)from * size, (size_t)m * size);
            to += m;
        }
    }
    items = to;
}

void VectorBase::RawFree()
{
    if(vector)
        HeapRelease(vector);
}

void VectorBase::RawTakeOver(VectorBase& v)
{
    vector = v.vector;
    items = v.items;
    alloc = v.alloc;
    v.vector = nullptr;
    v.items = -1;
    v.alloc = 0;
}

} // namespace Qor
