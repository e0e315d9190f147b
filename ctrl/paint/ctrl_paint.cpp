// The recursive paint of the control tree and the searches that decide how an area is
// painted: the child that covers it opaquely, and the parts that need a back buffer.

#include "ctrl/frame/ctrl_frame.h"
#include "ctrl/paint/area_list.h"
#include "ctrl/tree/child_walk_internal.h"
#include "ctrl/tree/ctrl_class.h"
#include "draw/draw.h"

namespace Qor {

namespace {

Size ToSize(Point p) { return Size(p.x, p.y); }

int64 AreaOf(const Rect& r) { return r.IsEmpty() ? 0 : int64(r.Width()) * r.Height(); }

} // namespace

void MergeIntoAreaList(Vector<Rect>& area, const Rect& r)
{
    if(r.IsEmpty())
        return;
    int64 ra = AreaOf(r);
    for(Rect& a : area) {
        Rect u = r | a;
        int64 au = AreaOf(u);
        // Accepted while the union wastes less than the two areas together, or is small.
        if(au < 2 * (ra + AreaOf(a)) || au < 16000) {
            a = u;
            return;
        }
    }
    area.Add(r);
}

void Ctrl::PaintWithChildren(Draw& w, const Rect& clip)
{
    Rect rect(GetSize());
    int m = GetOverpaintByte();
    Rect orect = rect.Inflated(m, m);
    if(!IsVisible() || orect.IsEmpty() || clip.IsEmpty() || !orect.Intersects(clip))
        return;
    Rect view = rect;
    for(int i = 0; i < GetFrameCount(); i++) {
        GetFrame(i).PaintFrame(w, view);
        view = GetFrameEntry(i).GetRect();
    }
    bool view_excluded = false;
    bool view_children = false;
    WalkSiblings(first_child, [&](Ctrl* q) {
        if(!q->IsVisible())
            return false;
        if(!q->IsInFrameArea()) {
            view_children = true;
            return false;
        }
        Rect qr = q->GetRectInParent();
        // Behind a transparent view a frame-area child must not show through it.
        if(IsTransparent() && qr.Intersects(view) && !view_excluded) {
            w.Begin();
            w.ExcludeClip(view);
            view_excluded = true;
        }
        Point o = qr.TopLeft();
        w.Offset(o);
        q->PaintWithChildren(w, clip - ToSize(o));
        w.End();
        return false;
    });
    if(view_excluded)
        w.End();
    Rect oview = view.Inflated(m, m);
    if(!oview.IsEmpty() && oview.Intersects(clip) && w.IsPainting(oview)) {
        if(m > 0) {
            w.Clip(oview);
            w.Offset(view.left, view.top);
            Paint(w);
            PaintCaret(w);
            w.End();
            w.End();
        }
        else {
            w.ClipOffset(view);
            Paint(w);
            PaintCaret(w);
            w.End();
        }
    }
    if(!view_children || view.IsEmpty())
        return;
    Rect cl = clip & view;
    w.Clip(cl);
    WalkSiblings(first_child, [&](Ctrl* q) {
        if(!q->IsVisible() || q->IsInFrameArea())
            return false;
        Point off = q->GetRectInParent().TopLeft() + ToSize(view.TopLeft());
        Rect qcl = cl - ToSize(off);
        if(qcl.Intersects(Rect(q->GetSize()).Inflated(m, m))) {
            w.Offset(off);
            q->PaintWithChildren(w, qcl);
            w.End();
        }
        return false;
    });
    w.End();
}

Ctrl* Ctrl::FindOpaqueCoveringChild(const Rect& sclip)
{
    Ctrl* result = nullptr;
    Rect view = GetViewRectOnScreen();
    WalkSiblings(first_child, [&](Ctrl* q) {
        Rect qs = q->GetRectOnScreen();
        if(!q->IsVisibleUpward() || !view.Contains(qs))
            return false;
        Rect qview = q->GetViewRectOnScreen();
        if((q->OpaqueArea() + ToSize(qview.TopLeft())).Contains(sclip)) {
            Ctrl* deeper = q->FindOpaqueCoveringChild(sclip);
            result = deeper ? deeper : q;
        }
        else if(qview.Contains(sclip))
            result = q->FindOpaqueCoveringChild(sclip);
        else if(qs.Intersects(sclip))
            result = nullptr; // a child in front that does not cover hides what is behind
        return false;
    });
    return result;
}

void Ctrl::CollectBackBufferAreas(Vector<Rect>& area, Draw& w, Rect r, const Rect& clip)
{
    Point off = r.TopLeft();
    Point viewpos = off + ToSize(GetViewRect().TopLeft());
    int m = GetOverpaintByte();
    r.Inflate(m, m);
    if(!IsVisible() || r.IsEmpty() || !r.Intersects(clip) || !w.IsPainting(r))
        return;
    Rect notr = UnpaintedArea();
    if(notr.IsEmpty())
        notr = OpaqueArea();
    notr = notr + ToSize(viewpos);
    if(notr.IsEmpty()) {
        MergeIntoAreaList(area, r & clip);
        return;
    }
    if(notr != r) {
        MergeIntoAreaList(area, Rect(r.left, r.top, notr.left, r.bottom) & clip);
        MergeIntoAreaList(area, Rect(notr.right, r.top, r.right, r.bottom) & clip);
        MergeIntoAreaList(area, Rect(notr.left, r.top, notr.right, notr.top) & clip);
        MergeIntoAreaList(area, Rect(notr.left, notr.bottom, notr.right, r.bottom) & clip);
    }
    WalkSiblings(first_child, [&](Ctrl* q) {
        Rect qr = q->GetRectInParent() + ToSize(q->IsInFrameArea() ? off : viewpos);
        if(qr.Intersects(clip))
            q->CollectBackBufferAreas(area, w, qr, clip);
        return false;
    });
}

} // namespace Qor
