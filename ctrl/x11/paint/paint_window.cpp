// The window-level steps of painting: an area of a top control painted directly, through
// one back buffer, or through back buffers for its transparent parts only.

#include "ctrl/x11/draw/system_draw.h"

#include "ctrl/tree/child_walk_internal.h"
#include "ctrl/tree/ctrl_class.h"
#include "draw/image_cache/made_image.h"
#include "foundation/panic.h"

namespace Qor {

namespace {

Size ToSize(Point p) { return Size(p.x, p.y); }

// Paints `paint` into a buffer of area's size that lies at area's top-left of target, and
// puts it there; the buffer's origin is at origin (target coordinates).
template <class F>
void PaintThroughBuffer(SystemDraw& target, const Rect& area, Point origin, F paint)
{
    BackDraw buffer;
    buffer.Create(target, area.Width(), area.Height());
    Size d = origin - area.TopLeft();
    buffer.Offset(Point(d.cx, d.cy));
    buffer.SetPaintingDraw(target, area.TopLeft());
    paint(buffer);
    buffer.Put(target, area.left, area.top);
}

} // namespace

void Ctrl::PaintWindowArea(SystemDraw& draw, const Rect& clip)
{
    if(IsPanicking())
        return;
    ClearRefreshPending();
    Point sp = GetRectOnScreen().TopLeft();
    if(Ctrl* w = FindOpaqueCoveringChild(clip + ToSize(sp))) {
        Point wp = w->GetRectOnScreen().TopLeft();
        draw.Offset(Point(wp.x - sp.x, wp.y - sp.y));
        w->PaintAreaInMode(draw, clip + (sp - wp), GetPaintMode());
        draw.End();
    }
    else
        PaintAreaInMode(draw, clip, GetPaintMode());
    StartImageCachePhase();
}

void Ctrl::PaintAreaInMode(SystemDraw& draw, const Rect& clip, int mode)
{
    if(mode == PAINT_BACKBUFFER) {
        PaintThroughBuffer(draw, clip, Point(0, 0), [&](BackDraw& b) { PaintWithChildren(b, clip); });
        return;
    }
    if(mode == PAINT_TRANSPARENT_BACKBUFFER) {
        Vector<Rect> area;
        Rect whole(GetSize());
        CollectBackBufferAreas(area, draw, whole, clip);
        for(const Rect& a : area) {
            PaintThroughBuffer(draw, a, Point(0, 0), [&](BackDraw& b) { PaintWithChildren(b, a); });
            if(!draw.ExcludeClip(a))
                return;
        }
        PaintOpaqueParts(draw, whole, clip, false);
        return;
    }
    PaintWithChildren(draw, clip);
}

bool Ctrl::PaintOpaqueParts(SystemDraw& w, const Rect& r, const Rect& clip, bool nochild)
{
    if(!IsVisible() || r.IsEmpty() || !r.Intersects(clip) || !w.IsPainting(r))
        return true;
    Point off = r.TopLeft();
    Rect view = GetViewRect();
    Point viewpos = off + ToSize(view.TopLeft());
    if(GetPaintMode() == PAINT_EXCLUDED)
        return w.ExcludeClip(r);
    Rect cview = clip & (view + ToSize(off));
    bool more = true;
    WalkSiblingsBack(GetLastChild(), [&](Ctrl* q) {
        bool frame = q->IsInFrameArea();
        Rect qr = q->GetRectInParent() + ToSize(frame ? off : viewpos);
        more = q->PaintOpaqueParts(w, qr, frame ? clip : cview, false);
        return !more;
    });
    if(!more)
        return false;
    if(nochild && (GetFirstChild() || GetNext()))
        return true;
    Rect opaque = (OpaqueArea() + ToSize(viewpos)) & clip;
    if(opaque.IsEmpty())
        return true;
    if(GetPaintMode() == PAINT_BACKBUFFER && !dynamic_cast<BackDraw*>(&w))
        PaintThroughBuffer(w, opaque, viewpos, [&](BackDraw& b) {
            Paint(b);
            PaintCaret(b);
        });
    else {
        w.Clip(opaque);
        w.Offset(viewpos);
        Paint(w);
        PaintCaret(w);
        w.End();
        w.End();
    }
    return w.ExcludeClip(opaque);
}

} // namespace Qor
