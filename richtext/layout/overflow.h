// Saturating helpers for layout sums: pathological widths, margins and tab stops are
// summed in 64 bits and clamped back into int.
#pragma once

#include "foundation/types.h"

#include <climits>

namespace Qor {

inline int ClampInt(int64 v) { return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : (int)v; }

} // namespace Qor
