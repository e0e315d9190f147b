// Fixed-width integer names and the Null values shared by the whole framework.
#pragma once

#include "foundation/registration.h"

#include <cstddef>
#include <cstdint>

// Every file that uses the foundation includes this header, so every program that links the
// library links its registration unit too.
QOR_REGISTRATION_ANCHOR(qor_foundation)

namespace Qor {

using int8 = std::int8_t;
using uint8 = std::uint8_t;
using byte = std::uint8_t;
using int16 = std::int16_t;
using uint16 = std::uint16_t;
using word = std::uint16_t;
using int32 = std::int32_t;
using uint32 = std::uint32_t;
using dword = std::uint32_t;
using int64 = std::int64_t;
using uint64 = std::uint64_t;
using qword = std::uint64_t;
using wchar16 = char16_t;

// Null of the number types: the smallest value of each; a double below -1e307 counts as Null.
inline constexpr int INT_NULL = INT32_MIN;
inline constexpr int64 INT64_NULL = INT64_MIN;
inline constexpr double DOUBLE_NULL = -1e308;
inline constexpr double DOUBLE_NULL_LIM = -1e307;

inline bool IsNullInt(int x) { return x == INT_NULL; }
inline bool IsNullInt64(int64 x) { return x == INT64_NULL; }
inline bool IsNullDouble(double x) { return x < DOUBLE_NULL_LIM; }

} // namespace Qor
