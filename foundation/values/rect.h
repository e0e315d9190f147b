// Rect_: a rectangle (left, top, right, bottom) over int, int64 or double. The right and
// bottom edges lie outside it: the width is right - left, a point on the right edge is
// not contained, and a rectangle with right <= left covers nothing.
#pragma once

#include "foundation/types.h"
#include "foundation/values/point.h"
#include "foundation/values/size.h"

#include <type_traits>

namespace Qor {

class Value;

// a - b in T; integers wrap instead of overflowing, so even Null members give a number.
template <class T>
constexpr T GeometryDiff(T a, T b)
{
    if constexpr(std::is_integral_v<T>) {
        using U = std::make_unsigned_t<T>;
        return (T)(U)((U)a - (U)b);
    }
    else
        return a - b;
}

template <class T>
struct Rect_ {
    using Number = T;

    T left;
    T top;
    T right;
    T bottom;

    constexpr Rect_() : left(0), top(0), right(0), bottom(0) {}
    constexpr Rect_(T l, T t, T r, T b) : left(l), top(t), right(r), bottom(b) {}
    constexpr Rect_(Point_<T> p, Size_<T> s) : left(p.x), top(p.y), right(p.x + s.cx), bottom(p.y + s.cy) {}
    constexpr Rect_(Point_<T> a, Point_<T> b) : left(a.x), top(a.y), right(b.x), bottom(b.y) {}
    constexpr explicit Rect_(Size_<T> s) : left(0), top(0), right(s.cx), bottom(s.cy) {}
    // The held Rect of the same number type; the Null Rect for anything else.
    explicit Rect_(const Value& v);
    // A Value holding this rectangle in a new shared representation.
    operator Value() const;

    void Set(T l, T t, T r, T b) { left = l; top = t; right = r; bottom = b; }
    void Clear() { left = top = right = bottom = 0; }

    T Width() const { return GeometryDiff(right, left); }
    T Height() const { return GeometryDiff(bottom, top); }
    Size_<T> GetSize() const { return Size_<T>(Width(), Height()); }
    Point_<T> TopLeft() const { return Point_<T>(left, top); }
    Point_<T> TopRight() const { return Point_<T>(right, top); }
    Point_<T> BottomLeft() const { return Point_<T>(left, bottom); }
    Point_<T> BottomRight() const { return Point_<T>(right, bottom); }
    Point_<T> CenterPoint() const { return Point_<T>(left + Width() / 2, top + Height() / 2); }

    // Covers no point: zero or negative width or height.
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool IsNormalized() const { return left <= right && top <= bottom; }
    // Swaps the edges of an inverted direction, so the rectangle covers what its corners span.
    void Normalize()
    {
        if(left > right) { T t = left; left = right; right = t; }
        if(top > bottom) { T t = top; top = bottom; bottom = t; }
    }
    Rect_ Normalized() const { Rect_ r = *this; r.Normalize(); return r; }

    void Offset(T dx, T dy) { left += dx; right += dx; top += dy; bottom += dy; }
    void Offset(Size_<T> d) { Offset(d.cx, d.cy); }
    Rect_ Offseted(T dx, T dy) const { Rect_ r = *this; r.Offset(dx, dy); return r; }
    // Moves every edge outwards by the amounts (inwards for negative ones).
    void Inflate(T dx, T dy) { left -= dx; top -= dy; right += dx; bottom += dy; }
    void Inflate(T d) { Inflate(d, d); }
    void Inflate(T l, T t, T r, T b) { left -= l; top -= t; right += r; bottom += b; }
    void Deflate(T dx, T dy) { Inflate(-dx, -dy); }
    void Deflate(T d) { Inflate(-d, -d); }
    Rect_ Inflated(T dx, T dy) const { Rect_ r = *this; r.Inflate(dx, dy); return r; }
    Rect_ Deflated(T dx, T dy) const { Rect_ r = *this; r.Deflate(dx, dy); return r; }

    // Half-open: the left and top edges belong to the rectangle, right and bottom do not.
    bool Contains(T x, T y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool Contains(Point_<T> p) const { return Contains(p.x, p.y); }
    // r lies inside this rectangle; edges may coincide.
    bool Contains(const Rect_& r) const
    {
        return r.left >= left && r.top >= top && r.right <= right && r.bottom <= bottom;
    }
    // The two cover at least one common point (touching edges do not count).
    bool Intersects(const Rect_& r) const
    {
        return !IsEmpty() && !r.IsEmpty() && Max(left, r.left) < Min(right, r.right) &&
               Max(top, r.top) < Min(bottom, r.bottom);
    }
    // The common part. Without overlap the result is empty with right = left and
    // bottom = top, at the far edges of the pair; it is never inverted.
    void Intersect(const Rect_& r)
    {
        left = Max(left, r.left);
        top = Max(top, r.top);
        right = Max(left, Min(right, r.right));
        bottom = Max(top, Min(bottom, r.bottom));
    }
    // The smallest rectangle covering both; an empty side adds nothing.
    void Union(const Rect_& r)
    {
        if(r.IsEmpty())
            return;
        if(IsEmpty()) {
            *this = r;
            return;
        }
        left = Min(left, r.left);
        top = Min(top, r.top);
        right = Max(right, r.right);
        bottom = Max(bottom, r.bottom);
    }
    friend Rect_ operator&(Rect_ a, const Rect_& b) { a.Intersect(b); return a; }
    friend Rect_ operator|(Rect_ a, const Rect_& b) { a.Union(b); return a; }
    Rect_& operator&=(const Rect_& r) { Intersect(r); return *this; }
    Rect_& operator|=(const Rect_& r) { Union(r); return *this; }
    friend Rect_ operator+(Rect_ a, Size_<T> d) { a.Offset(d); return a; }
    friend Rect_ operator-(Rect_ a, Size_<T> d) { a.Offset(-d.cx, -d.cy); return a; }
    // Members compare as numbers: a NaN member makes doubles unequal.
    friend bool operator==(const Rect_& a, const Rect_& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    friend bool operator!=(const Rect_& a, const Rect_& b) { return !(a == b); }

private:
    static T Min(T a, T b) { return b < a ? b : a; }
    static T Max(T a, T b) { return a < b ? b : a; }
};

using Rect = Rect_<int>;
using Rect64 = Rect_<int64>;
using Rectf = Rect_<double>;

} // namespace Qor
