// ScrollTracker: scrolling a view by the difference of two positions.

#include "widgets/scroll/scroll_tracker.h"

#include "ctrl/tree/ctrl_class.h"

namespace Qor {

void ScrollTracker::Scroll(Ctrl& c, const Rect& view, Point now, Size unit)
{
    if(!IsKnown())
        c.Refresh();
    else
        c.ScrollArea(view, (x - now.x) * unit.cx, (y - now.y) * unit.cy);
    x = now.x;
    y = now.y;
}

void ScrollTracker::ScrollVertically(Ctrl& c, const Rect& view, int new_y, int unit)
{
    Scroll(c, view, Point(IsKnown() ? x : 0, new_y), Size(0, unit));
    x = 0;
}

} // namespace Qor
