// Scrolling a view by copying window contents: scrolls are queued on the window and merged
// until the next paint, and the children a scroll carries along are tracked so that they
// are not repainted twice.

#include "ctrl/tree/child_walk_internal.h"
#include "ctrl/tree/ctrl_class.h"
#include "ctrl/tree/host_window_record.h"

#include <algorithm>
#include <cstdlib>

namespace Qor {

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

Size ToSize(Point p) { return Size(p.x, p.y); }

int ClampShift(int d, int limit) { return Sign(d) * std::min(std::abs(d), std::max(limit, 0)); }

} // namespace

Rect Ctrl::GetVisibleViewInFrame() const
{
    Rect r = GetViewRectOnScreen();
    for(const Ctrl* child = this; child->parent; child = child->parent)
        r &= child->IsInFrameArea() ? child->parent->GetRectOnScreen() : child->parent->GetViewRectOnScreen();
    return r - ToSize(GetRectOnScreen().TopLeft());
}

void Ctrl::ScrollArea(const Rect& area, int dx, int dy)
{
    if(IsFullRefreshPending() || !IsVisibleUpward())
        return;
    Rect r = area & Rect(GetViewSize());
    for(const Ctrl* q = this; q->parent; q = q->parent)
        if(q->IsInFrameArea()) {
            // Frame areas are not tracked by the window copy.
            Refresh();
            return;
        }
    Ctrl* root = GetRootCtrl();
    if(!root->host)
        return;
    Rect visible = GetVisibleViewInFrame();
    Rect sr = (r + ToSize(visible.TopLeft())) & visible;
    Size shift = GetRectOnScreen().TopLeft() - root->GetRectOnScreen().TopLeft();
    sr = sr + shift;
    Size view = GetViewSize();
    dx = ClampShift(dx, view.cx);
    dy = ClampShift(dy, view.cy);
    if(root->QueueScroll(sr, dx, dy)) {
        Refresh();
        return;
    }
    HostWindowRecord* top = root->host;
    WalkSiblings(first_child, [&](Ctrl* q) {
        if(!q->IsInFrameArea())
            TrackScrolledChild(top, q, r, q->GetRectInParent(), dx, dy);
        return false;
    });
    if(!parent)
        return;
    Point view_tl = GetViewRectOnScreen().TopLeft();
    WalkSiblings(parent->first_child, [&](Ctrl* q) {
        if(q != this && !q->IsInFrameArea())
            TrackScrolledChild(top, q, r, q->GetRectOnScreen() - ToSize(view_tl), dx, dy);
        return false;
    });
}

void Ctrl::TrackScrolledChild(HostWindowRecord* top, Ctrl* q, const Rect& r, Rect cr, int dx, int dy)
{
    if(!top || !r.Intersects(cr))
        return;
    Rect to = cr;
    MapRectToRoot(to, false);
    Rect back = cr - Size(dx, dy);
    if(r.Intersects(back)) {
        Rect from = back;
        MapRectToRoot(from, false);
        for(ChildMove& m : top->moves)
            if(m.ctrl.Get() == q && m.from == from && m.to == to) {
                // The pending move is this very scroll: the copy puts the child in place.
                m.ctrl.Clear();
                return;
            }
    }
    Rect ahead = cr + Size(dx, dy);
    if(r.Intersects(ahead)) {
        Rect dest = ahead;
        MapRectToRoot(dest, false);
        ChildMove& m = top->scroll_moves.Add();
        m.ctrl = q;
        m.from = to;
        m.to = dest;
        return;
    }
    cr &= r;
    if(!cr.IsEmpty()) {
        Refresh(cr);
        Refresh(cr + Size(dx, dy));
    }
}

namespace {

// The strips a scroll of a by (dx, dy) uncovers, each spanning the whole area across the
// scroll: so a diagonal scroll leaves no stale corner.
void InvalidateScrollStrips(Ctrl& top, const Rect& a, int dx, int dy)
{
    if(!top.IsInOpenWindow() || !top.IsVisible() || a.IsEmpty())
        return;
    int tdx = std::min(std::abs(dx), a.Width());
    int tdy = std::min(std::abs(dy), a.Height());
    if(dx) {
        int x = dx < 0 ? a.right - tdx : a.left;
        top.InvalidateHostArea(Rect(x, a.top, x + tdx, a.bottom));
    }
    if(dy) {
        int y = dy < 0 ? a.bottom - tdy : a.top;
        top.InvalidateHostArea(Rect(a.left, y, a.right, y + tdy));
    }
}

} // namespace

bool Ctrl::QueueScroll(const Rect& area, int dx, int dy)
{
    if(!host)
        return true;
    for(ScrollRecord& s : host->scrolls) {
        if(s.area == area && Sign(s.dx) == Sign(dx) && Sign(s.dy) == Sign(dy)) {
            s.dx += dx;
            s.dy += dy;
            InvalidateScrollStrips(*this, area, s.dx, s.dy);
            return false;
        }
        if(s.area.Intersects(area)) {
            s.area |= area;
            s.dx = s.dy = 0;
            InvalidateHostArea(s.area);
            return true;
        }
    }
    host->scrolls.Add(ScrollRecord{ area, dx, dy });
    InvalidateScrollStrips(*this, area, dx, dy);
    return false;
}

void Ctrl::ApplyPendingScrolls()
{
    if(!host)
        return;
    Vector<ScrollRecord> queue = std::move(host->scrolls);
    host->scrolls.Clear();
    if(IsFullRefreshPending())
        return;
    for(const ScrollRecord& s : queue) {
        if(std::abs(s.dx) > s.area.Width() * 3 / 4 || std::abs(s.dy) > s.area.Height() * 3 / 4)
            InvalidateHostArea(s.area);
        else if(s.dx || s.dy)
            ScrollWindowCall(s.area, s.dx, s.dy);
        if(!host)
            return;
    }
}

} // namespace Qor
