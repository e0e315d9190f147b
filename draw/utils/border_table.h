// BorderTable: rings of side colours read from system-colour functions, so a border
// always shows the current colours; and the named tables.
#pragma once

#include "foundation/types.h"
#include "foundation/values/color.h"

namespace Qor {

using BorderColorFn = Color (*)();

struct BorderRing {
    BorderColorFn left;
    BorderColorFn top;
    BorderColorFn right;
    BorderColorFn bottom;
};

// ring_count rings, the outermost first.
struct BorderTable {
    int64 ring_count;
    const BorderRing* rings;
};

using BorderTableGetter = const BorderTable* (*)();

// Text colour on all four sides.
const BorderTable* GetBlackBorder();
// Shadow left and top, light right and bottom.
const BorderTable* GetThinInsetBorder();
// Light left and top, shadow right and bottom.
const BorderTable* GetThinOutsetBorder();
// Face over text, then light over shadow.
const BorderTable* GetRaisedBorder();
// Shadow over light, then text over face.
const BorderTable* GetSunkenBorder();

} // namespace Qor
