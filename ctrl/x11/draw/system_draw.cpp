// SystemDraw's state: the stack of clip and offset states and the X clip that follows it.
#include "ctrl/x11/draw/system_draw.h"

#include "draw/utils/rect_list.h"

#include <algorithm>

#include <X11/Xft/Xft.h>

namespace Qor {

namespace {

const Rect RESET_PAINT_AREA(-0x3fffffff, -0x3fffffff, 0x3fffffff, 0x3fffffff);

Rect BoundingBox(const Vector<Rect>& rects)
{
    Rect box(0, 0, 0, 0);
    bool any = false;
    for(const Rect& r : rects) {
        if(IsNullInt(r.left))
            continue;
        if(!any)
            box = r;
        else {
            box.left = std::min(box.left, r.left);
            box.top = std::min(box.top, r.top);
            box.right = std::max(box.right, r.right);
            box.bottom = std::max(box.bottom, r.bottom);
        }
        any = true;
    }
    return box;
}

} // namespace

void SetXClipRectangles(GC gc, XftDraw* xftdraw, const Vector<Rect>& clip)
{
    Vector<XRectangle> xr;
    xr.Reserve(clip.GetCount());
    for(const Rect& r : clip) {
        // X rectangles hold 16-bit values; larger areas are cut to what X can address.
        int left = std::clamp(r.left, -32768, 32767), top = std::clamp(r.top, -32768, 32767);
        XRectangle& x = xr.Add();
        x.x = (short)left;
        x.y = (short)top;
        x.width = (unsigned short)std::clamp(r.right - left, 0, 65535);
        x.height = (unsigned short)std::clamp(r.bottom - top, 0, 65535);
    }
    XSetClipRectangles(display, gc, 0, 0, xr.begin(), xr.GetCount(), Unsorted);
    if(xftdraw)
        XftDrawSetClipRectangles(xftdraw, 0, 0, xr.begin(), xr.GetCount());
}

SystemDraw::SystemDraw() { ResetState(); }

SystemDraw::SystemDraw(Drawable dw, GC gc, XftDraw* xftdraw, const Vector<Rect>& clip)
    : drawable(dw), gc(gc), xftdraw(xftdraw)
{
    Init(clip, Point(0, 0));
}

void SystemDraw::ResetState()
{
    page_size = screen_size;
    states.Clear();
    clips.Clear();
    offsets.Clear();
    paint_area = RESET_PAINT_AREA;
    foreground = NULL_PIXEL;
    line_code = INT_NULL;
}

void SystemDraw::Init(const Vector<Rect>& clip, Point p)
{
    ResetState();
    clips.Add(clip);
    offset = p;
    offsets.Add(p);
    states.Add(ClipState{ 0, 0 });
    SetClip();
}

Rect SystemDraw::GetClip() const
{
    if(clips.IsEmpty() || CurrentClip().IsEmpty())
        return Rect(0, 0, 0, 0);
    return BoundingBox(CurrentClip()) - Size(offset.x, offset.y);
}

void SystemDraw::SetClip()
{
    const Vector<Rect>& clip = CurrentClip();
    if(clip.IsEmpty())
        paint_area = Rect(-offset.x, -offset.y, -offset.x, -offset.y);
    else
        paint_area = BoundingBox(clip) - Size(offset.x, offset.y);
    if(gc && drawable != root)
        SetXClipRectangles(gc, xftdraw, clip);
}

void SystemDraw::CloneClip()
{
    int n = states.GetCount();
    if(n >= 2 && states[n - 1].clip_index == states[n - 2].clip_index) {
        Vector<Rect> copy = CurrentClip();
        clips.Add(std::move(copy));
        states.Top().clip_index = clips.GetCount() - 1;
    }
}

void SystemDraw::Begin()
{
    QOR_ASSERT(!states.IsEmpty());
    Vector<Rect> copy = CurrentClip();
    clips.Add(std::move(copy));
    states.Add(ClipState{ clips.GetCount() - 1, states.Top().offset_index });
}

void SystemDraw::End()
{
    // The base state made by Init is never popped.
    QOR_ASSERT(states.GetCount() > 1);
    if(states.GetCount() <= 1)
        return;
    states.Drop();
    const ClipState& s = states.Top();
    offset = offsets[s.offset_index];
    clips.SetCount(s.clip_index + 1);
    SetClip();
}

void SystemDraw::Offset(Point p)
{
    QOR_ASSERT(!states.IsEmpty());
    offset += p;
    paint_area = paint_area - Size(p.x, p.y);
    offsets.Add(offset);
    states.Add(ClipState{ states.Top().clip_index, offsets.GetCount() - 1 });
}

bool SystemDraw::PushClip(const Rect& r, bool offset_too)
{
    QOR_ASSERT(!states.IsEmpty());
    bool changed = false;
    Vector<Rect> narrowed = IntersectRects(CurrentClip(), r + Size(offset.x, offset.y), changed);
    ClipState s = states.Top();
    if(changed) {
        clips.Add(std::move(narrowed));
        s.clip_index = clips.GetCount() - 1;
    }
    if(offset_too) {
        offset += r.TopLeft();
        offsets.Add(offset);
        s.offset_index = offsets.GetCount() - 1;
        if(!changed)
            paint_area = paint_area - Size(r.left, r.top);
    }
    states.Add(s);
    if(changed)
        SetClip();
    return !CurrentClip().IsEmpty();
}

bool SystemDraw::Clip(const Rect& r) { return PushClip(r, false); }

bool SystemDraw::ClipOffset(const Rect& r) { return PushClip(r, true); }

bool SystemDraw::ExcludeClip(const Rect& r)
{
    CloneClip();
    bool changed = false;
    Vector<Rect> cut = SubtractFromRects(CurrentClip(), r + Size(offset.x, offset.y), changed);
    if(changed) {
        clips.Top() = std::move(cut);
        SetClip();
    }
    return !CurrentClip().IsEmpty();
}

bool SystemDraw::IntersectClip(const Rect& r)
{
    CloneClip();
    bool changed = false;
    Vector<Rect> narrowed = IntersectRects(CurrentClip(), r + Size(offset.x, offset.y), changed);
    if(changed) {
        clips.Top() = std::move(narrowed);
        SetClip();
    }
    return !CurrentClip().IsEmpty();
}

bool SystemDraw::IsPainting(const Rect& r) const
{
    if(clips.IsEmpty())
        return false;
    Rect q = r + Size(offset.x, offset.y);
    if(q.IsEmpty())
        return false;
    for(const Rect& c : CurrentClip())
        if(!c.IsEmpty() && q.left < c.right && c.left < q.right && q.top < c.bottom && c.top < q.bottom)
            return true;
    return false;
}

} // namespace Qor
