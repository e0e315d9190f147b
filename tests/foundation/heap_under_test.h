// The heap's own tests drive the heap itself through these names. In sanitizer
// builds the entry points hand out the system allocator's blocks instead, so
// there the names reach the main heap directly.
#pragma once

#include "foundation/heap_internal.h"

#ifdef QOR_SYSTEM_HEAP
#define HeapAllocate(n) ::Qor::MainHeap().Allocate(n)
#define HeapAllocateRounded(n) ::Qor::MainHeap().AllocateRounded(n)
#define HeapRelease(p) ::Qor::MainHeap().Release(p)
#define HeapAllocate32() ::Qor::MainHeap().SmallTake(1)
#define HeapRelease32(p) ::Qor::MainHeap().SmallGive(p)
#define HeapAllocate48() ::Qor::MainHeap().SmallTake(2)
#define HeapRelease48(p) ::Qor::MainHeap().SmallGive(p)
#endif
