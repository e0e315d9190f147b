// Geometry values: text forms, Null rules, hashes and binary forms of the nine point, size
// and rectangle types, their conversions to and from Value, the operation records of the
// in-place Point and Size, and their registration.

#include "foundation/values/geometry.h"

#include "foundation/hash.h"
#include "foundation/stream.h"
#include "foundation/values/number_text.h"
#include "foundation/values/value_registry.h"

#include <type_traits>

namespace Qor {

namespace {

String NumberText(int x) { return IntToText(x); }
String NumberText(int64 x) { return Int64ToText(x); }
String NumberText(double x) { return DoubleToText(x); }

bool IsNullNumber(int x) { return IsNullInt(x); }
bool IsNullNumber(int64 x) { return IsNullInt64(x); }
bool IsNullNumber(double x) { return IsNullDouble(x); }

uint32 MemberHash(int x) { return (uint32)x; }
uint32 MemberHash(int64 x) { return HashInt64(x); }
uint32 MemberHash(double x) { return HashDouble(x); }

// 1234567890 * 17 in 32 bits is 0xE2F62FF2, so two members hash as CombineHash does.
constexpr uint32 HASH_START = 1234567890u;
uint32 HashStep(uint32 h, uint32 m) { return h * 17u ^ m; }

// The value of type G held by v, or G's Null when v holds something else.
template <class G>
G SharedGeometry(const Value& v)
{
    const G* g = GetRawValue<G>(v);
    return g ? *g : NullGeometry<G>();
}

template <class G>
Value SharedValue(const G& g)
{
    return Value::FromRep(new RichValueRep<G>(g));
}

template <class G>
Value InPlaceValue(int type_byte, const G& g)
{
    Value v;
    v.SetInPlaceTag(type_byte);
    v.SetPayload(g);
    return v;
}

} // namespace

// Text ---------------------------------------------------------------------------------

template <class T>
static String PointText(T x, T y)
{
    return "[" + NumberText(x) + ", " + NumberText(y) + "]";
}

template <class T>
static String SizeText(T cx, T cy)
{
    return "(" + NumberText(cx) + ", " + NumberText(cy) + ")";
}

template <class T>
static String RectText(const Rect_<T>& r)
{
    return PointText(r.left, r.top) + " - " + PointText(r.right, r.bottom) + " : " + SizeText(r.Width(), r.Height());
}

String PointToText(Point_<int> p) { return PointText(p.x, p.y); }
String PointToText(Point_<int64> p) { return PointText(p.x, p.y); }
String PointToText(Point_<double> p) { return PointText(p.x, p.y); }
String SizeToText(Size_<int> s) { return SizeText(s.cx, s.cy); }
String SizeToText(Size_<int64> s) { return SizeText(s.cx, s.cy); }
String SizeToText(Size_<double> s) { return SizeText(s.cx, s.cy); }
String RectToText(const Rect_<int>& r) { return RectText(r); }
String RectToText(const Rect_<int64>& r) { return RectText(r); }
String RectToText(const Rect_<double>& r) { return RectText(r); }

// Null, hash, binary form ----------------------------------------------------------------

template <class T>
bool IsNullValue(const Point_<T>& p) { return IsNullNumber(p.x); }
template <class T>
bool IsNullValue(const Size_<T>& s) { return IsNullNumber(s.cx); }
template <class T>
bool IsNullValue(const Rect_<T>& r)
{
    if constexpr(std::is_same_v<T, double>)
        return r.left > r.right || r.top > r.bottom;
    else
        return IsNullNumber(r.left);
}

template <class T>
uint32 ValueHash(const Point_<T>& p)
{
    return HashStep(HashStep(HASH_START, MemberHash(p.x)), MemberHash(p.y));
}
template <class T>
uint32 ValueHash(const Size_<T>& s)
{
    return HashStep(HashStep(HASH_START, MemberHash(s.cx)), MemberHash(s.cy));
}
template <class T>
uint32 ValueHash(const Rect_<T>& r)
{
    uint32 h = HashStep(HASH_START, MemberHash(r.left));
    h = HashStep(h, MemberHash(r.top));
    h = HashStep(h, MemberHash(r.right));
    return HashStep(h, MemberHash(r.bottom));
}

// Stream::Serialize writes the host's bytes, and every supported host is little-endian.
template <class T>
void ValueSerialize(Stream& s, Point_<T>& p) { s.Serialize(p.x).Serialize(p.y); }
template <class T>
void ValueSerialize(Stream& s, Size_<T>& sz) { s.Serialize(sz.cx).Serialize(sz.cy); }
template <class T>
void ValueSerialize(Stream& s, Rect_<T>& r) { s.Serialize(r.left).Serialize(r.top).Serialize(r.right).Serialize(r.bottom); }

// Conversions with Value ----------------------------------------------------------------

template <class T>
Point_<T>::Point_(const Value& v)
{
    if constexpr(std::is_same_v<T, int>)
        *this = v.IsInPlace(POINT_V) ? v.Payload<Point_<int>>() : NullGeometry<Point_<int>>();
    else
        *this = SharedGeometry<Point_<T>>(v);
}

template <class T>
Point_<T>::operator Value() const
{
    if constexpr(std::is_same_v<T, int>)
        return InPlaceValue(POINT_V, *this);
    else
        return SharedValue(*this);
}

template <class T>
Size_<T>::Size_(const Value& v)
{
    if constexpr(std::is_same_v<T, int>)
        *this = v.IsInPlace(SIZE_V) ? v.Payload<Size_<int>>() : NullGeometry<Size_<int>>();
    else
        *this = SharedGeometry<Size_<T>>(v);
}

template <class T>
Size_<T>::operator Value() const
{
    if constexpr(std::is_same_v<T, int>)
        return InPlaceValue(SIZE_V, *this);
    else
        return SharedValue(*this);
}

template <class T>
Rect_<T>::Rect_(const Value& v)
{
    *this = SharedGeometry<Rect_<T>>(v);
}

template <class T>
Rect_<T>::operator Value() const
{
    return SharedValue(*this);
}

#define QOR_GEOMETRY_INSTANCES(T)                                                                        \
    template struct Point_<T>;                                                                           \
    template struct Size_<T>;                                                                            \
    template struct Rect_<T>;                                                                            \
    template bool IsNullValue(const Point_<T>&);                                                         \
    template bool IsNullValue(const Size_<T>&);                                                          \
    template bool IsNullValue(const Rect_<T>&);                                                          \
    template uint32 ValueHash(const Point_<T>&);                                                         \
    template uint32 ValueHash(const Size_<T>&);                                                          \
    template uint32 ValueHash(const Rect_<T>&);                                                          \
    template void ValueSerialize(Stream&, Point_<T>&);                                                   \
    template void ValueSerialize(Stream&, Size_<T>&);                                                    \
    template void ValueSerialize(Stream&, Rect_<T>&);
QOR_GEOMETRY_INSTANCES(int)
QOR_GEOMETRY_INSTANCES(int64)
QOR_GEOMETRY_INSTANCES(double)
#undef QOR_GEOMETRY_INSTANCES

// In-place records and registration ------------------------------------------------------

namespace {

// The record of an in-place G (Point or Size over int): the payload is copied out, worked
// on through G's own operations and, when loading, written back.
template <class G>
struct InPlaceGeometry {
    static G Get(const Value* v) { return v->Payload<G>(); }
    static bool IsNull(const Value* v) { return IsNullValue(Get(v)); }
    static void Serialize(Value* v, Stream& s)
    {
        G g = Get(v);
        ValueSerialize(s, g);
        if(s.IsLoading())
            v->SetPayload(g);
    }
    static void Xmlize(Value* v, XmlizeIo& io)
    {
        if(!ValueMappingHooks<G>::xmlize)
            return;
        G g = Get(v);
        ValueMappingHooks<G>::xmlize(io, g);
        v->SetPayload(g);
    }
    static void Jsonize(Value* v, JsonizeIo& io)
    {
        if(!ValueMappingHooks<G>::jsonize)
            return;
        G g = Get(v);
        ValueMappingHooks<G>::jsonize(io, g);
        v->SetPayload(g);
    }
    static uint32 Hash(const Value* v) { return ValueHash(Get(v)); }
    static bool Equals(const Value* a, const Value* b) { return Get(a) == Get(b); }
    static bool EqualsOtherType(const Value*, const Value*) { return false; }
    static String ToText(const Value* v) { return ValueText(Get(v)); }

    static constexpr ValueOps ops = {IsNull, Serialize, Xmlize, Jsonize, Hash, Equals, EqualsOtherType, ToText};
};

template <class G>
Value::Void* MakeRep()
{
    return new RichValueRep<G>();
}

} // namespace

void RegisterGeometryValueTypes()
{
    static bool done = false;
    if(done)
        return;
    done = true;
    RegisterInPlaceValueType(POINT_V, &InPlaceGeometry<Point_<int>>::ops, "Point");
    RegisterValueType(POINT64_V, MakeRep<Point_<int64>>, "Point64");
    RegisterValueType(POINTF_V, MakeRep<Point_<double>>, "Pointf");
    RegisterInPlaceValueType(SIZE_V, &InPlaceGeometry<Size_<int>>::ops, "Size");
    RegisterValueType(SIZE64_V, MakeRep<Size_<int64>>, "Size64");
    RegisterValueType(SIZEF_V, MakeRep<Size_<double>>, "Sizef");
    RegisterValueType(RECT_V, MakeRep<Rect_<int>>, "Rect");
    RegisterValueType(RECT64_V, MakeRep<Rect_<int64>>, "Rect64");
    RegisterValueType(RECTF_V, MakeRep<Rect_<double>>, "Rectf");
}

} // namespace Qor
