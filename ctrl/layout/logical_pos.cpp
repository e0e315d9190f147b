// Logical position words: the emptiness test and the resolution of one axis.

#include "ctrl/layout/logical_pos.h"

namespace Qor {

namespace {

bool IsSpecial(int v) { return v == POS_MINSIZE || v == POS_STDSIZE || v == POS_MAXSIZE; }

int64 SizeFor(int v, const LogicalPosSizes& sizes)
{
    switch(v) {
    case POS_MINSIZE:
        return sizes.min;
    case POS_STDSIZE:
        return sizes.std;
    case POS_MAXSIZE:
        return sizes.max;
    default:
        return v;
    }
}

} // namespace

bool IsLogicalPosEmpty(dword w)
{
    int a = GetLogicalPosA(w);
    int b = GetLogicalPosB(w);
    return GetLogicalPosAlign(w) == ALIGN_BOTH ? b <= a : b <= 0;
}

bool HasSpecialSize(dword w) { return IsSpecial(GetLogicalPosA(w)) || IsSpecial(GetLogicalPosB(w)); }

AxisPlacement ResolveLogicalPosWord(dword w, int64 extent, const LogicalPosSizes& sizes)
{
    int64 b = SizeFor(GetLogicalPosB(w), sizes);
    int64 a = SizeFor(GetLogicalPosA(w), sizes);
    int64 pos = a;
    switch(GetLogicalPosAlign(w)) {
    case ALIGN_NEAR:
        break;
    case ALIGN_FAR:
        pos = extent - a - b;
        break;
    case ALIGN_BOTH:
        b = extent - a - b;
        break;
    default:
        pos = a + (extent - b) / 2;
        break; // C++ division truncates toward zero
    }
    return AxisPlacement{ pos, b >= 0 ? pos + b : pos };
}

} // namespace Qor
