// Insertion marks and the drag auto-scroll step.

#include "widgets/display/drop_marks.h"

#include "ctrl/tree/ctrl_class.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "foundation/assert.h"

#include <algorithm>

namespace Qor {

void DrawHorzDropMark(Draw& w, int x, int y, int cx)
{
    Color c = SysColorHighlight();
    w.DrawRect(x, y, cx, 2, c);
    w.DrawRect(x, y - 2, 1, 6, c);
    w.DrawRect(x + cx - 1, y - 2, 1, 6, c);
    w.DrawRect(x + 1, y - 1, 1, 4, c);
    w.DrawRect(x + cx - 2, y - 1, 1, 4, c);
}

void DrawVertDropMark(Draw& w, int x, int y, int cy)
{
    Color c = SysColorHighlight();
    w.DrawRect(x, y, 2, cy, c);
    w.DrawRect(x - 2, y, 6, 1, c);
    w.DrawRect(x - 2, y + cy - 1, 6, 1, c);
    w.DrawRect(x - 1, y + 1, 4, 1, c);
    w.DrawRect(x - 1, y + cy - 2, 4, 1, c);
}

namespace {

int EdgeStep(int p, int extent, int max)
{
    int zone = std::min(extent / 6, 16);
    int d = 0;
    if(p > extent - zone)
        d = p + zone - extent;
    else if(p < zone)
        d = p - zone;
    return std::clamp(d, -max, max);
}

} // namespace

Point GetDragScrollStep(Ctrl& c, Point p, int max)
{
    QOR_ASSERT(max >= 0);
    if(!c.IsEditable())
        return Point(0, 0);
    Size sz = c.GetViewSize();
    return Point(EdgeStep(p.x, sz.cx, max), EdgeStep(p.y, sz.cy, max));
}

} // namespace Qor
