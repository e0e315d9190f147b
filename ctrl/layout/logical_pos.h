// Logical positions: how a control hangs in its parent on each axis, packed into one
// 32-bit word per axis, and how a word resolves to a coordinate range.
#pragma once

#include "foundation/types.h"
#include "foundation/values/size.h"

namespace Qor {

// Bits 31-30 the alignment, bits 29-15 value a, bits 14-0 value b (both 15-bit two's
// complement, -16384 to 16383). Values outside that range keep only their low 15 bits.
enum : int { ALIGN_CENTER = 0, ALIGN_NEAR = 1, ALIGN_FAR = 2, ALIGN_BOTH = 3 };

// In place of a or b: the control's own size operation gives the value.
enum : int { POS_MINSIZE = -16380, POS_MAXSIZE = -16381, POS_STDSIZE = -16382 };

inline constexpr dword LOGPOS_DEFAULT = 0x40000000; // near edge, a = 0, b = 0
inline constexpr dword LOGPOS_FILL = 0xC0000000;    // both edges, no margins

constexpr dword MakeLogicalPosWord(int align, int a, int b)
{
    return (dword)align << 30 | ((dword)a & 0x7FFF) << 15 | ((dword)b & 0x7FFF);
}
constexpr int GetLogicalPosAlign(dword w) { return int(w >> 30); }
constexpr int SignExtend15(dword v) { return int((v & 0x7FFF) ^ 0x4000) - 0x4000; }
constexpr int GetLogicalPosA(dword w) { return SignExtend15(w >> 15); }
constexpr int GetLogicalPosB(dword w) { return SignExtend15(w); }

// Both edges: no room between the margins (b <= a); otherwise a size of 0 or less.
bool IsLogicalPosEmpty(dword w);

struct LogicalPos {
    dword x = LOGPOS_DEFAULT;
    dword y = LOGPOS_DEFAULT;

    friend bool operator==(const LogicalPos& p, const LogicalPos& q) { return p.x == q.x && p.y == q.y; }
    friend bool operator!=(const LogicalPos& p, const LogicalPos& q) { return !(p == q); }
};

// The sizes that stand in for the special values of one axis.
struct LogicalPosSizes {
    int min;
    int std;
    int max;
};

// The word names a special value in a or b.
bool HasSpecialSize(dword w);

// The near and far coordinate of one axis word within an extent; a negative size gives
// far = near. Computed wide, so huge special sizes cannot overflow; the caller stores
// what fits.
struct AxisPlacement {
    int64 near;
    int64 far;
};
AxisPlacement ResolveLogicalPosWord(dword w, int64 extent, const LogicalPosSizes& sizes);

} // namespace Qor
