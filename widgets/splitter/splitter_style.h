// SplitterStyle: the skinnable looks, thickness and grip dots of a splitter's bars.
#pragma once

#include "foundation/types.h"
#include "foundation/values/value.h"

namespace Qor {

enum : int {
    SPLITTER_LOOK_VERTICAL = 0,
    SPLITTER_LOOK_VERTICAL_DRAGGED = 1,
    SPLITTER_LOOK_HORIZONTAL = 2,
    SPLITTER_LOOK_HORIZONTAL_DRAGGED = 3,
};

struct SplitterStyle {
    byte status = 0;
    byte registered = 0;
    const SplitterStyle* standard = nullptr;
    // The bar of a splitter whose panes are stacked (vertical), then of one whose panes lie
    // side by side; each at rest and while dragged.
    Value look[4];
    int width = 0;
    bool dots = false;
};

} // namespace Qor
