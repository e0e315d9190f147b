// TEMPORARY stand-in until the real heap lands; the heap's author deletes this file.
#include "foundation/heap.h"
#include <cstdlib>
namespace Qor {
void* HeapAllocate(size_t n) { return std::malloc(n ? n : 1); }
void* HeapAllocateRounded(size_t& n) { return std::malloc(n ? n : 1); }
void HeapRelease(void* p) { std::free(p); }
void* HeapAllocate32() { return std::malloc(32); }
void HeapRelease32(void* p) { std::free(p); }
void* HeapAllocate48() { return std::malloc(48); }
void HeapRelease48(void* p) { std::free(p); }
void* PermanentBlock(size_t n) { return std::malloc(n); }
}
