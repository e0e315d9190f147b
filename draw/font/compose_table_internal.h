// How each letter of U+0100..U+017F is drawn from an ASCII letter and a spacing accent.
#pragma once

#include "foundation/types.h"

namespace Qor {

struct ComposeEntry {
    enum : byte { NONE = 0, CAPITAL = 1, SMALL = 2 };
    // Accent codes below ' ': a comma raised beside the letter, at two offsets.
    enum : uint16 { RAISED_COMMA = 1, RAISED_COMMA_NARROW = 2 };
    byte kind;
    char base;
    uint16 accent;
};

extern const ComposeEntry compose_table[128];

} // namespace Qor
