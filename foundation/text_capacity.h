// Length and capacity arithmetic of String and TextBuffer blocks, done in 64 bits so
// that no size can wrap into a small block that a copy then overruns.
#pragma once

#include "foundation/types.h"

namespace Qor {

// The longest text a block holds: lengths and capacities are int32, and room is kept
// below the int limit for the NUL, the block header and a stream's seek slack.
inline constexpr int TEXT_MAX_LENGTH = 0x7FFFFF00;

// length + count; a text that would pass TEXT_MAX_LENGTH ends in the heap's
// out-of-memory panic (a negative count is the caller's fault, as everywhere).
int AddTextLength(int length, int64 count);

// The capacity of the block that takes a text of length bytes growing to needed
// (<= TEXT_MAX_LENGTH): at least double the length, never past TEXT_MAX_LENGTH.
inline int GrowTextCapacity(int length, int needed)
{
    int64 doubled = 2 * (int64)length;
    int64 capacity = doubled > needed ? doubled : needed;
    return capacity < TEXT_MAX_LENGTH ? (int)capacity : TEXT_MAX_LENGTH;
}

} // namespace Qor
