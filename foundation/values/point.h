// Point_: a position (x, y) over int, int64 or double; a difference of points is a Size_.
// Value conversions live with the other geometry glue.
#pragma once

#include "foundation/types.h"
#include "foundation/values/size.h"

namespace Qor {

class Value;

template <class T>
struct Point_ {
    using Number = T;

    T x;
    T y;

    constexpr Point_() : x(0), y(0) {}
    constexpr Point_(T x, T y) : x(x), y(y) {}
    // The held Point of the same number type; the Null Point for anything else.
    explicit Point_(const Value& v);
    // A Value holding this point (in place for int, a shared representation otherwise).
    operator Value() const;

    void Offset(T dx, T dy) { x += dx; y += dy; }
    void Clear() { x = y = 0; }

    Point_& operator+=(Size_<T> s) { x += s.cx; y += s.cy; return *this; }
    Point_& operator-=(Size_<T> s) { x -= s.cx; y -= s.cy; return *this; }
    Point_& operator+=(Point_ p) { x += p.x; y += p.y; return *this; }
    Point_& operator-=(Point_ p) { x -= p.x; y -= p.y; return *this; }

    friend Point_ operator+(Point_ p, Size_<T> s) { return p += s; }
    friend Point_ operator-(Point_ p, Size_<T> s) { return p -= s; }
    friend Point_ operator+(Point_ a, Point_ b) { return a += b; }
    friend Point_ operator-(Point_ a) { return Point_(-a.x, -a.y); }
    // The distance from b to a along each axis.
    friend Size_<T> operator-(Point_ a, Point_ b) { return Size_<T>(a.x - b.x, a.y - b.y); }
    // Members compare as numbers: a NaN member makes doubles unequal.
    friend bool operator==(Point_ a, Point_ b) { return a.x == b.x && a.y == b.y; }
    friend bool operator!=(Point_ a, Point_ b) { return !(a == b); }
};

using Point = Point_<int>;
using Point64 = Point_<int64>;
using Pointf = Point_<double>;

} // namespace Qor
