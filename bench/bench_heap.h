// What the benchmarks read of the main heap.
#pragma once

#include "foundation/heap.h"

namespace QorBench {

// Bytes of heap blocks in use, small and large.
inline double HeapUsedBytes()
{
    static Qor::MemoryProfile p;
    Qor::MemoryProfileFill(Qor::MainHeap(), p);
    double used = double(p.large_total);
    for(int i = 0; i < 1024; i++)
        used += double(p.small_used[i]) * i * 4;
    return used;
}

} // namespace QorBench
