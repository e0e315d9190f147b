// Size_: a width and height (cx, cy) over int, int64 or double, with the arithmetic that
// layout code needs. Value conversions live with the other geometry glue.
#pragma once

#include "foundation/types.h"

namespace Qor {

class Value;

template <class T>
struct Size_ {
    using Number = T;

    T cx;
    T cy;

    constexpr Size_() : cx(0), cy(0) {}
    constexpr Size_(T cx, T cy) : cx(cx), cy(cy) {}
    // The held Size of the same number type; the Null Size for anything else.
    explicit Size_(const Value& v);
    // A Value holding this size (in place for int, a shared representation otherwise).
    operator Value() const;

    // Nothing to cover: either extent is zero or negative.
    bool IsEmpty() const { return cx <= 0 || cy <= 0; }
    void Clear() { cx = cy = 0; }

    Size_& operator+=(Size_ s) { cx += s.cx; cy += s.cy; return *this; }
    Size_& operator-=(Size_ s) { cx -= s.cx; cy -= s.cy; return *this; }
    Size_& operator*=(T f) { cx *= f; cy *= f; return *this; }
    Size_& operator/=(T f) { cx /= f; cy /= f; return *this; }

    friend Size_ operator+(Size_ a, Size_ b) { return a += b; }
    friend Size_ operator-(Size_ a, Size_ b) { return a -= b; }
    friend Size_ operator*(Size_ a, T f) { return a *= f; }
    friend Size_ operator*(T f, Size_ a) { return a *= f; }
    friend Size_ operator/(Size_ a, T f) { return a /= f; }
    friend Size_ operator-(Size_ a) { return Size_(-a.cx, -a.cy); }
    // Members compare as numbers: a NaN member makes doubles unequal.
    friend bool operator==(Size_ a, Size_ b) { return a.cx == b.cx && a.cy == b.cy; }
    friend bool operator!=(Size_ a, Size_ b) { return !(a == b); }
};

using Size = Size_<int>;
using Size64 = Size_<int64>;
using Sizef = Size_<double>;

} // namespace Qor
