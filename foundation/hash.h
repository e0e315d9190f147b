// The framework's hash functions: bytes, doubles and the combiner of two hashes.
#pragma once

#include "foundation/types.h"

#include <cstring>

namespace Qor {

uint32 HashBytes(const void* data, size_t length);

inline uint32 CombineHash(uint32 a, uint32 b) { return (a ^ 0xe2f62ff2u) * 17u ^ b; }

inline uint32 HashDouble(double x)
{
    uint64 bits;
    std::memcpy(&bits, &x, sizeof bits);
    return ((uint32)bits ^ 0xe92a576eu) * 31u ^ (uint32)(bits >> 32);
}

inline uint32 HashInt64(int64 x) { return CombineHash((uint32)x, (uint32)((uint64)x >> 32)); }

} // namespace Qor
