// The desktop work area, from the window manager's _NET_WORKAREA.
#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/display/x11_display_internal.h"

namespace Qor {

namespace {

bool work_area_known;
Rect work_area;

} // namespace

Rect WorkAreaFromValues(const Vector<int>& values, const Rect& screen_rect)
{
    // A short or empty area would put windows nowhere: then the screen is the area.
    if(values.GetCount() < 4 || values[2] <= 0 || values[3] <= 0)
        return screen_rect;
    return Rect(values[0], values[1], values[0] + values[2], values[1] + values[3]);
}

Rect GetWorkArea()
{
    if(!work_area_known) {
        work_area =
            WorkAreaFromValues(ReadWindowPropertyInts(root, AtomOf("_NET_WORKAREA"), AnyPropertyType), GetScreenRect());
        work_area_known = true;
    }
    return work_area;
}

Rect GetWorkAreaAt(Point p)
{
    Rect r = GetWorkArea();
    return r.Contains(p) ? r : GetWorkArea();
}

void ForgetWorkArea() { work_area_known = false; }

} // namespace Qor
