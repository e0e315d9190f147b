// The scrolls a window queues between two paints, so that many small scroll steps become
// one copy of the window contents.
#pragma once

#include "foundation/values/rect.h"

namespace Qor {

// A scroll of an area of the window (window coordinates) by (dx, dy).
struct ScrollRecord {
    Rect area;
    int dx = 0;
    int dy = 0;
};

} // namespace Qor
