// Refresh marks: a rectangle travels up the parent chain, converted at each step, to the
// control that owns a window; a full refresh pending on the way swallows it.

#include "ctrl/platform/platform.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/tree/ctrl_class.h"

#include <algorithm>

namespace Qor {

void Ctrl::Refresh()
{
    if(IsFullRefreshPending() || !IsVisibleUpward() || !IsInOpenWindow())
        return;
    SetFullRefreshPending(true);
    int m = OverpaintMargin();
    Size v = GetViewSize();
    RefreshViewArea(Rect(-m, -m, v.cx + m, v.cy + m));
}

void Ctrl::Refresh(const Rect& r)
{
    if(IsFullRefreshPending() || !IsVisibleUpward() || !IsInOpenWindow())
        return;
    RefreshViewArea(r);
}

void Ctrl::RefreshViewArea(const Rect& r)
{
    Rect view = GetViewRect();
    int m = OverpaintMargin();
    Rect f;
    f.left = std::max(view.left - m, view.left + r.left);
    f.top = std::max(view.top - m, view.top + r.top);
    f.right = std::min(view.right + m, std::max(f.left, view.left + r.right));
    f.bottom = std::max(f.top, std::min(view.top + r.bottom, view.bottom + m));
    RefreshFrameArea(f);
}

void Ctrl::RefreshFrame()
{
    int m = overpaint;
    Size sz = GetSize();
    RefreshFrameArea(Rect(-m, -m, sz.cx + m, sz.cy + m));
}

void Ctrl::RefreshFrameArea(const Rect& r)
{
    if(r.IsEmpty() || !IsInOpenWindow() || !IsVisibleUpward())
        return;
    if(host) {
        GetPlatform().InvalidateHostArea(*this, r);
        return;
    }
    if(!parent)
        return;
    Point o = GetRectInParent().TopLeft();
    Rect q = r + Size(o.x, o.y);
    if(IsInFrameArea())
        parent->RefreshFrameArea(q);
    else if(!parent->IsFullRefreshPending())
        parent->RefreshViewArea(q);
}

} // namespace Qor
