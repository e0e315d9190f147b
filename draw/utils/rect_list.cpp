// Lists of rectangles: subtraction into pieces, clipping and merging additions.

#include "draw/utils/rect_list.h"

#include <algorithm>

namespace Qor {

namespace {

// The intersection as the list operations take it: never inverted vertically, empty
// when left >= right or top >= bottom.
Rect ClipOf(const Rect& r, const Rect& c)
{
    Rect i;
    i.left = std::max(r.left, c.left);
    i.right = std::min(c.right, std::max(i.left, r.right));
    i.top = std::max(r.top, c.top);
    i.bottom = std::max(i.top, std::min(c.bottom, r.bottom));
    return i;
}

bool IsSolid(const Rect& r) { return r.left < r.right && r.top < r.bottom; }

// Areas reach past int for large rectangles.
int64 AreaOf(const Rect& r) { return (int64)r.Width() * r.Height(); }

void AddPiece(Vector<Rect>& out, int left, int top, int right, int bottom)
{
    if(left < right)
        out.Add(Rect(left, top, right, bottom));
}

Rect BoundingBox(const Rect& a, const Rect& b)
{
    if(IsNullInt(a.left))
        return b;
    if(IsNullInt(b.left))
        return a;
    return Rect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom));
}

} // namespace

Vector<Rect> SubtractFromRects(const Vector<Rect>& rects, const Rect& cut, bool& changed)
{
    changed = false;
    Vector<Rect> out;
    for(const Rect& r : rects) {
        Rect i = ClipOf(r, cut);
        if(!IsSolid(i)) {
            out.Add(r);
            continue;
        }
        if(r.top < i.top) {
            AddPiece(out, r.left, r.top, i.left, i.top);
            AddPiece(out, i.left, r.top, i.right, i.top);
            AddPiece(out, i.right, r.top, r.right, i.top);
        }
        AddPiece(out, r.left, i.top, i.left, i.bottom);
        AddPiece(out, i.right, i.top, r.right, i.bottom);
        if(i.bottom < r.bottom) {
            AddPiece(out, r.left, i.bottom, i.left, r.bottom);
            AddPiece(out, i.left, i.bottom, i.right, r.bottom);
            AddPiece(out, i.right, i.bottom, r.right, r.bottom);
        }
        changed = true;
    }
    return out;
}

Vector<Rect> IntersectRects(const Vector<Rect>& rects, const Rect& clip, bool& changed)
{
    changed = false;
    Vector<Rect> out;
    for(const Rect& r : rects) {
        Rect i = ClipOf(r, clip);
        if(IsSolid(i))
            out.Add(i);
        if(!IsSolid(i) || i != r)
            changed = true;
    }
    return out;
}

void AddRectMerging(Vector<Rect>& rects, const Rect& r)
{
    // An empty area adds nothing, so it may swallow nothing either.
    if(!IsSolid(r))
        return;
    Rect a = r;
    const int64 a0 = AreaOf(r);
    Vector<Rect> kept;
    for(const Rect& e : rects) {
        Rect u = BoundingBox(a, e);
        if(AreaOf(u) < 2 * (AreaOf(e) + a0))
            a = u;
        else if(!a.Contains(e))
            kept.Add(e);
    }
    Vector<Rect> pieces;
    pieces.Add(a);
    bool changed;
    for(const Rect& e : kept)
        pieces = SubtractFromRects(pieces, e, changed);
    for(const Rect& p : pieces)
        kept.Add(p);
    rects = std::move(kept);
}

} // namespace Qor
