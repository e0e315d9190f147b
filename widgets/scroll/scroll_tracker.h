// ScrollTracker: the last scroll position of a view, so that a new position scrolls the
// painted contents by the difference instead of repainting them all.
#pragma once

#include "foundation/values/point.h"
#include "foundation/values/rect.h"
#include "foundation/values/size.h"

#include <climits>

namespace Qor {

class Ctrl;

struct ScrollTracker : Point {
    // No position is known yet: the first scroll repaints the whole control.
    ScrollTracker() : Point(INT_MIN, 0) {}

    bool IsKnown() const { return x != INT_MIN; }
    void Forget() { x = INT_MIN; }

    // Moves the contents of view by the change from the last position, in units of unit.
    void Scroll(Ctrl& c, const Rect& view, Point now, Size unit);
    void ScrollVertically(Ctrl& c, const Rect& view, int y, int unit);
};

} // namespace Qor
