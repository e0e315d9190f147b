// Global new and delete served by the process heap. Over-aligned types get a
// larger block with the heap's own pointer stored just before the aligned one.
#ifndef QOR_SYSTEM_NEW

#include "foundation/heap.h"

#include <cstdint>
#include <new>

namespace {

void* AlignedAllocate(std::size_t n, std::align_val_t al)
{
    std::size_t a = static_cast<std::size_t>(al);
    if(a < sizeof(void*))
        a = sizeof(void*);
    // Every heap block is at least 8-aligned, so n + a leaves room for the
    // stored pointer and the padding up to the next multiple of a. A sum that
    // would wrap around asks for the impossible instead, which stops the process.
    std::size_t total = n > SIZE_MAX - a ? SIZE_MAX : n + a;
    std::byte* raw = static_cast<std::byte*>(Qor::HeapAllocate(total));
    std::uintptr_t at = (reinterpret_cast<std::uintptr_t>(raw) + sizeof(void*) + a - 1) & ~(a - 1);
    void** aligned = reinterpret_cast<void**>(at);
    aligned[-1] = raw;
    return aligned;
}

void AlignedRelease(void* p)
{
    if(p)
        Qor::HeapRelease(static_cast<void**>(p)[-1]);
}

} // namespace

void* operator new(std::size_t n) { return Qor::HeapAllocate(n); }
void* operator new[](std::size_t n) { return Qor::HeapAllocate(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return Qor::HeapAllocate(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return Qor::HeapAllocate(n); }

void operator delete(void* p) noexcept { Qor::HeapRelease(p); }
void operator delete[](void* p) noexcept { Qor::HeapRelease(p); }
void operator delete(void* p, std::size_t) noexcept { Qor::HeapRelease(p); }
void operator delete[](void* p, std::size_t) noexcept { Qor::HeapRelease(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Qor::HeapRelease(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Qor::HeapRelease(p); }

void* operator new(std::size_t n, std::align_val_t a) { return AlignedAllocate(n, a); }
void* operator new[](std::size_t n, std::align_val_t a) { return AlignedAllocate(n, a); }
void* operator new(std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept { return AlignedAllocate(n, a); }
void* operator new[](std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept
{
    return AlignedAllocate(n, a);
}

void operator delete(void* p, std::align_val_t) noexcept { AlignedRelease(p); }
void operator delete[](void* p, std::align_val_t) noexcept { AlignedRelease(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { AlignedRelease(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { AlignedRelease(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { AlignedRelease(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { AlignedRelease(p); }

#endif
