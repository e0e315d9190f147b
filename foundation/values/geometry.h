// Points, sizes and rectangles as Values: their text forms, Null rules, hashes, binary
// forms, XML and JSON forms, and the registration of the nine geometry value types.
// Point and Size over int sit in place in a Value (types 73 and 70); the other seven live
// in shared representations.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/values/point.h"
#include "foundation/values/rect.h"
#include "foundation/values/size.h"
#include "foundation/values/value.h"
#include "foundation/values/value_rep.h"

#include <type_traits>

namespace Qor {

class Stream;
class XmlizeIo;
class JsonizeIo;

// Text forms: "[x, y]", "(cx, cy)" and "[l, t] - [r, b] : (w, h)"; a Null member
// gives the empty text in its place.
String PointToText(Point_<int> p);
String PointToText(Point_<int64> p);
String PointToText(Point_<double> p);
String SizeToText(Size_<int> s);
String SizeToText(Size_<int64> s);
String SizeToText(Size_<double> s);
String RectToText(const Rect_<int>& r);
String RectToText(const Rect_<int64>& r);
String RectToText(const Rect_<double>& r);

template <class T>
constexpr T GeometryNullNumber()
{
    if constexpr(std::is_same_v<T, int>)
        return INT_NULL;
    else if constexpr(std::is_same_v<T, int64>)
        return INT64_NULL;
    else
        return DOUBLE_NULL;
}

// The Null of each type: every member the number's Null, except Rectf, whose Null is an
// inverted rectangle (any inverted one is Null; this one is inverted both ways).
template <class G>
G NullGeometry()
{
    using T = typename G::Number;
    constexpr T n = GeometryNullNumber<T>();
    if constexpr(std::is_same_v<G, Rect_<double>>)
        return G(0, 0, -1, -1);
    else if constexpr(std::is_same_v<G, Rect_<T>>)
        return G(n, n, n, n);
    else
        return G(n, n);
}

// Value slots of the geometry types (RichValueRep uses these). Only the first member
// decides Null, except for Rectf, which is Null exactly when inverted in either direction.
template <class T> bool IsNullValue(const Point_<T>& p);
template <class T> bool IsNullValue(const Size_<T>& s);
template <class T> bool IsNullValue(const Rect_<T>& r);
// Running hash from 1234567890, h = h * 17 ^ member hash, members in declaration order.
template <class T> uint32 ValueHash(const Point_<T>& p);
template <class T> uint32 ValueHash(const Size_<T>& s);
template <class T> uint32 ValueHash(const Rect_<T>& r);
// Every member equal as numbers (NaN unequal to itself, 0 equal to -0).
template <class T> bool ValueEquals(const Point_<T>& a, const Point_<T>& b) { return a == b; }
template <class T> bool ValueEquals(const Size_<T>& a, const Size_<T>& b) { return a == b; }
template <class T> bool ValueEquals(const Rect_<T>& a, const Rect_<T>& b) { return a == b; }
// Members in declaration order, little-endian, 4 bytes per int and 8 per int64 or double.
template <class T> void ValueSerialize(Stream& s, Point_<T>& p);
template <class T> void ValueSerialize(Stream& s, Size_<T>& sz);
template <class T> void ValueSerialize(Stream& s, Rect_<T>& r);
// The same hashes for keyed containers.
template <class T> uint32 GetHashValue(const Point_<T>& p) { return ValueHash(p); }
template <class T> uint32 GetHashValue(const Size_<T>& s) { return ValueHash(s); }
template <class T> uint32 GetHashValue(const Rect_<T>& r) { return ValueHash(r); }
template <class T> String ValueText(const Point_<T>& p) { return PointToText(p); }
template <class T> String ValueText(const Size_<T>& s) { return SizeToText(s); }
template <class T> String ValueText(const Rect_<T>& r) { return RectToText(r); }

// XML: one attribute per member ("x", "y"; "cx", "cy"; "left", "top", "right", "bottom"),
// a missing one loading as the member's Null. JSON: one object member per value member
// under the same names; a missing one leaves the member unchanged.
template <class T> void Xmlize(XmlizeIo& io, Point_<T>& p);
template <class T> void Xmlize(XmlizeIo& io, Size_<T>& s);
template <class T> void Xmlize(XmlizeIo& io, Rect_<T>& r);
template <class T> void Jsonize(JsonizeIo& io, Point_<T>& p);
template <class T> void Jsonize(JsonizeIo& io, Size_<T>& s);
template <class T> void Jsonize(JsonizeIo& io, Rect_<T>& r);

// Enters the operation records of Point and Size, the factories of the seven shared types
// and all nine names in the value type registry. Run by the library's registration unit;
// later calls do nothing.
void RegisterGeometryValueTypes();
// Installs the XML and JSON forms into the records and representations; run by the
// registration unit.
void RegisterGeometryValueMappings();

template <> struct ValueTypeNumberOf<Point_<int64>> { static int Get() { return POINT64_V; } };
template <> struct ValueTypeNumberOf<Point_<double>> { static int Get() { return POINTF_V; } };
template <> struct ValueTypeNumberOf<Size_<int64>> { static int Get() { return SIZE64_V; } };
template <> struct ValueTypeNumberOf<Size_<double>> { static int Get() { return SIZEF_V; } };
template <> struct ValueTypeNumberOf<Rect_<int>> { static int Get() { return RECT_V; } };
template <> struct ValueTypeNumberOf<Rect_<int64>> { static int Get() { return RECT64_V; } };
template <> struct ValueTypeNumberOf<Rect_<double>> { static int Get() { return RECTF_V; } };

} // namespace Qor
