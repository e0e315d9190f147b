// Points, sizes and rectangles: rectangle operations, text forms, binary forms, and their
// life as Values (type numbers, in-place or shared holding, Null rules, equality, hash).

#include "foundation/values/geometry.h"

#include "foundation/key_index.h"
#include "foundation/string_stream.h"
#include "foundation/values/complex.h"
#include "foundation/values/jsonize.h"
#include "foundation/values/value_map.h"
#include "foundation/values/xmlize.h"
#include "foundation/values/value_registry.h"

#include <gtest/gtest.h>
#include "tests/support/printers.h"

#include <cmath>
#include <cstring>
#include <limits>

using namespace Qor;

namespace {

// The bytes a Stream::Serialize of the members writes.
template <class G>
String Binary(G g)
{
    StringStream s;
    ValueSerialize(s, g);
    return s.GetText();
}

template <class G>
G FromBinary(const String& bytes)
{
    G g;
    StringStream s(bytes);
    ValueSerialize(s, g);
    EXPECT_FALSE(s.IsError());
    return g;
}

String StoreValue(const Value& v)
{
    Value copy(v);
    StringStream s;
    SerializeValue(s, copy);
    return s.GetText();
}

Value LoadValue(const String& bytes)
{
    Value v;
    StringStream s(bytes);
    SerializeValue(s, v);
    EXPECT_FALSE(s.IsError());
    return v;
}

} // namespace

// Rectangle operations ------------------------------------------------------------------

TEST(GeometryRect, ExtentsAndCorners)
{
    Rect r(10, 20, 40, 60);
    EXPECT_EQ(r.Width(), 30);
    EXPECT_EQ(r.Height(), 40);
    EXPECT_EQ(r.GetSize(), Size(30, 40));
    EXPECT_EQ(r.TopLeft(), Point(10, 20));
    EXPECT_EQ(r.BottomRight(), Point(40, 60));
    EXPECT_EQ(r.CenterPoint(), Point(25, 40));
    EXPECT_EQ(Rect(Point(10, 20), Size(30, 40)), r);
    EXPECT_EQ(Rect(Point(10, 20), Point(40, 60)), r);
    EXPECT_EQ(Rectf(0.5, 1, 2, 4).GetSize(), Sizef(1.5, 3));
    // A Null int rectangle has a width without overflowing.
    Rect n(INT_NULL, INT_NULL, INT_NULL, INT_NULL);
    EXPECT_EQ(n.Width(), 0);
}

TEST(GeometryRect, NormalizeAndEmptiness)
{
    struct Case {
        Rect r;
        Rect normalized;
        bool empty;
        bool normal;
    } cases[] = {
        {{0, 0, 10, 10}, {0, 0, 10, 10}, false, true},
        {{10, 0, 0, 10}, {0, 0, 10, 10}, true, false},
        {{0, 10, 10, 0}, {0, 0, 10, 10}, true, false},
        {{10, 10, 0, 0}, {0, 0, 10, 10}, true, false},
        {{5, 5, 5, 9}, {5, 5, 5, 9}, true, true}, // zero width
        {{-3, -7, -1, -2}, {-3, -7, -1, -2}, false, true},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(Std(RectToText(c.r)));
        EXPECT_EQ(c.r.IsEmpty(), c.empty);
        EXPECT_EQ(c.r.IsNormalized(), c.normal);
        EXPECT_EQ(c.r.Normalized(), c.normalized);
        Rect m = c.r;
        m.Normalize();
        EXPECT_EQ(m, c.normalized);
    }
}

TEST(GeometryRect, IntersectionAndUnion)
{
    struct Case {
        Rect a, b;
        bool intersects;
        Rect common; // a & b
        Rect cover;  // a | b
    } cases[] = {
        {{0, 0, 10, 10}, {5, 5, 15, 15}, true, {5, 5, 10, 10}, {0, 0, 15, 15}},
        {{0, 0, 10, 10}, {2, 3, 4, 5}, true, {2, 3, 4, 5}, {0, 0, 10, 10}},
        // Touching edges share no point: the right edge lies outside.
        {{0, 0, 10, 10}, {10, 0, 20, 10}, false, {10, 0, 10, 10}, {0, 0, 20, 10}},
        // Apart: the common part is empty at the far edges, never inverted.
        {{0, 0, 10, 10}, {20, 30, 25, 35}, false, {20, 30, 20, 30}, {0, 0, 25, 35}},
        // An empty rectangle adds nothing to a union and intersects nothing.
        {{0, 0, 10, 10}, {3, 3, 3, 3}, false, {3, 3, 3, 3}, {0, 0, 10, 10}},
        {{4, 4, 4, 8}, {1, 1, 2, 2}, false, {4, 4, 4, 4}, {1, 1, 2, 2}},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(Std(RectToText(c.a) + " with " + RectToText(c.b)));
        EXPECT_EQ(c.a.Intersects(c.b), c.intersects);
        EXPECT_EQ(c.b.Intersects(c.a), c.intersects);
        EXPECT_EQ(c.a & c.b, c.common);
        EXPECT_TRUE((c.a & c.b).IsNormalized());
        EXPECT_EQ(c.a | c.b, c.cover);
        Rect a = c.a;
        a |= c.b;
        EXPECT_EQ(a, c.cover);
        a = c.a;
        a &= c.b;
        EXPECT_EQ(a, c.common);
    }
}

TEST(GeometryRect, InflateOffsetContain)
{
    Rect r(10, 20, 40, 60);
    EXPECT_EQ(r.Inflated(2, 3), Rect(8, 17, 42, 63));
    EXPECT_EQ(r.Deflated(2, 3), Rect(12, 23, 38, 57));
    Rect q = r;
    q.Inflate(1, 2, 3, 4);
    EXPECT_EQ(q, Rect(9, 18, 43, 64));
    q = r;
    q.Deflate(20); // past the middle: inverted, so empty
    EXPECT_TRUE(q.IsEmpty());
    EXPECT_EQ(r.Offseted(-10, 5), Rect(0, 25, 30, 65));
    EXPECT_EQ(r + Size(1, 1), Rect(11, 21, 41, 61));
    EXPECT_EQ(r - Size(1, 1), Rect(9, 19, 39, 59));

    struct PointCase {
        Point p;
        bool inside;
    } points[] = {
        {{10, 20}, true}, {{39, 59}, true}, {{40, 30}, false}, {{20, 60}, false},
        {{9, 30}, false}, {{25, 19}, false},
    };
    for(const PointCase& c : points)
        EXPECT_EQ(r.Contains(c.p), c.inside) << Std(PointToText(c.p));

    EXPECT_TRUE(r.Contains(r));
    EXPECT_TRUE(r.Contains(Rect(15, 25, 40, 60)));
    EXPECT_FALSE(r.Contains(Rect(15, 25, 41, 60)));
    EXPECT_FALSE(r.Contains(Rect(9, 25, 20, 30)));
    EXPECT_TRUE(Rectf(0, 0, 1, 1).Contains(Pointf(0.999, 0)));
    EXPECT_FALSE(Rectf(0, 0, 1, 1).Contains(Pointf(1, 0)));
}

TEST(GeometryPointSize, Arithmetic)
{
    EXPECT_EQ(Point(1, 2) + Size(10, 20), Point(11, 22));
    EXPECT_EQ(Point(1, 2) - Size(10, 20), Point(-9, -18));
    EXPECT_EQ(Point(11, 22) - Point(1, 2), Size(10, 20));
    EXPECT_EQ(-Point(1, -2), Point(-1, 2));
    EXPECT_EQ(Size(3, 4) * 2, Size(6, 8));
    EXPECT_EQ(Size(6, 8) / 2, Size(3, 4));
    EXPECT_EQ(Size(1, 2) + Size(3, 4), Size(4, 6));
    EXPECT_TRUE(Size(0, 5).IsEmpty());
    EXPECT_FALSE(Size(1, 5).IsEmpty());
    Pointf p(0.5, 1);
    p.Offset(1, -1);
    EXPECT_EQ(p, Pointf(1.5, 0));
}

// Text forms -----------------------------------------------------------------------------

TEST(GeometryText, Forms)
{
    struct Case {
        String text;
        const char* expected;
    } cases[] = {
        {PointToText(Point(10, 20)), "[10, 20]"},
        {PointToText(Point(INT_NULL, INT_NULL)), "[, ]"},
        {PointToText(Point(-1, INT_NULL)), "[-1, ]"},
        {PointToText(Pointf(1.5, -0.25)), "[1.5, -0.25]"},
        {PointToText(Point64(INT64_C(9007199254740993), -5)), "[9007199254740993, -5]"},
        {SizeToText(Size(3, 4)), "(3, 4)"},
        {SizeToText(Sizef(DOUBLE_NULL, 2.5)), "(, 2.5)"},
        {SizeToText(Size64(INT64_NULL, 1)), "(, 1)"},
        {RectToText(Rect(10, 20, 40, 60)), "[10, 20] - [40, 60] : (30, 40)"},
        {RectToText(Rectf(0, 0.5, 2, 1)), "[0, 0.5] - [2, 1] : (2, 0.5)"},
        {RectToText(Rect64(0, 0, INT64_C(10000000000), 1)), "[0, 0] - [10000000000, 1] : (10000000000, 1)"},
    };
    for(const Case& c : cases)
        EXPECT_EQ(Std(c.text), c.expected);
    // The Value text is the same.
    EXPECT_EQ(Std(Value(Rect(10, 20, 40, 60)).ToString()), "[10, 20] - [40, 60] : (30, 40)");
    EXPECT_EQ(Std(Value(Size(7, 8)).ToString()), "(7, 8)");
}

// Binary forms ---------------------------------------------------------------------------

TEST(GeometryBinary, LayoutIsLittleEndianInMemberOrder)
{
    EXPECT_EQ(Std(Binary(Rect(1, 0x02030405, -1, 0x100))),
              std::string("\x01\0\0\0\x05\x04\x03\x02\xff\xff\xff\xff\0\x01\0\0", 16));
    EXPECT_EQ(Std(Binary(Point(0x11223344, 2))), std::string("\x44\x33\x22\x11\x02\0\0\0", 8));
    EXPECT_EQ(Std(Binary(Size64(INT64_C(0x0102030405060708), -2))),
              std::string("\x08\x07\x06\x05\x04\x03\x02\x01\xfe\xff\xff\xff\xff\xff\xff\xff", 16));
    String f = Binary(Pointf(1.0, -2.0));
    ASSERT_EQ(f.GetLength(), 16);
    double x, y;
    std::memcpy(&x, f.Begin(), 8);
    std::memcpy(&y, f.Begin() + 8, 8);
    EXPECT_EQ(x, 1.0);
    EXPECT_EQ(y, -2.0);
    EXPECT_EQ(Binary(Rect64()).GetLength(), 32);
    EXPECT_EQ(Binary(Rectf()).GetLength(), 32);
    EXPECT_EQ(Binary(Sizef()).GetLength(), 16);
}

TEST(GeometryBinary, MembersLoadBack)
{
    EXPECT_EQ(FromBinary<Rect>(Binary(Rect(-5, 6, 70, 80))), Rect(-5, 6, 70, 80));
    EXPECT_EQ(FromBinary<Rect64>(Binary(Rect64(INT64_MIN, 1, 2, INT64_MAX))), Rect64(INT64_MIN, 1, 2, INT64_MAX));
    EXPECT_EQ(FromBinary<Rectf>(Binary(Rectf(0.1, 0.2, 0.3, 1e300))), Rectf(0.1, 0.2, 0.3, 1e300));
    EXPECT_EQ(FromBinary<Point64>(Binary(Point64(-1, 1))), Point64(-1, 1));
    EXPECT_EQ(FromBinary<Sizef>(Binary(Sizef(2.5, -0.5))), Sizef(2.5, -0.5));
    // A short stream fails as the stream does.
    Rect r;
    StringStream s(String("\1\0\0\0\2\0", 6));
    ValueSerialize(s, r);
    EXPECT_TRUE(s.IsError());
}

// Values ---------------------------------------------------------------------------------

namespace {

struct ValueCase {
    const char* name;
    Value value;
    int type;
    bool in_place;
    String bytes; // the payload after the type number
};

} // namespace

TEST(GeometryValue, TypesRegistryAndStoredForm)
{
    ValueCase cases[] = {
        {"Point", Point(1, 2), POINT_V, true, Binary(Point(1, 2))},
        {"Size", Size(3, 4), SIZE_V, true, Binary(Size(3, 4))},
        {"Point64", Point64(5, 6), POINT64_V, false, Binary(Point64(5, 6))},
        {"Pointf", Pointf(0.5, 6), POINTF_V, false, Binary(Pointf(0.5, 6))},
        {"Size64", Size64(7, 8), SIZE64_V, false, Binary(Size64(7, 8))},
        {"Sizef", Sizef(7, 0.25), SIZEF_V, false, Binary(Sizef(7, 0.25))},
        {"Rect", Rect(1, 2, 3, 4), RECT_V, false, Binary(Rect(1, 2, 3, 4))},
        {"Rect64", Rect64(1, 2, 3, 4), RECT64_V, false, Binary(Rect64(1, 2, 3, 4))},
        {"Rectf", Rectf(1, 2, 3.5, 4), RECTF_V, false, Binary(Rectf(1, 2, 3.5, 4))},
    };
    for(const ValueCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.value.GetTypeNumber(), c.type);
        EXPECT_EQ(c.value.IsInPlace(c.type), c.in_place);
        EXPECT_EQ(c.value.IsShared(), !c.in_place);
        EXPECT_FALSE(c.value.IsNull());
        EXPECT_EQ(Std(LookupValueTypeName(c.type)), c.name);
        EXPECT_EQ(LookupValueTypeNumber(c.name), c.type);
        if(!c.in_place) {
            Value::Void* rep = CreateValueRep(c.type);
            ASSERT_NE(rep, nullptr);
            EXPECT_EQ(rep->GetTypeNumber(), c.type);
            EXPECT_EQ(rep->GetRefCount(), 1);
            rep->Release();
        }
        else
            EXPECT_EQ(CreateValueRep(c.type), nullptr);
        // The type number (one packed byte, number + 1), then the payload.
        String stored = StoreValue(c.value);
        EXPECT_EQ(Std(stored), std::string(1, (char)(c.type + 1)) + Std(c.bytes));
        Value back = LoadValue(stored);
        EXPECT_EQ(back.GetTypeNumber(), c.type);
        EXPECT_TRUE(back == c.value);
        EXPECT_EQ(back.GetHashValue(), c.value.GetHashValue());
        EXPECT_EQ(Std(back.ToString()), Std(c.value.ToString()));
    }
    EXPECT_EQ(LookupValueTypeNumber("Pointf"), 75);
    EXPECT_EQ(Std(LookupValueTypeName(71)), "");
}

TEST(GeometryValue, ConversionsBack)
{
    EXPECT_EQ(Point(Value(Point(3, -4))), Point(3, -4));
    EXPECT_EQ(Size(Value(Size(3, -4))), Size(3, -4));
    EXPECT_EQ(Rect64(Value(Rect64(1, 2, 3, 4))), Rect64(1, 2, 3, 4));
    EXPECT_EQ(Pointf(Value(Pointf(0.5, 2))), Pointf(0.5, 2));
    // The wrong type gives the Null of the asked type.
    EXPECT_TRUE(IsNullValue(Point(Value(Size(1, 2)))));
    EXPECT_TRUE(IsNullValue(Rect(Value(Rect64(1, 2, 3, 4)))));
    EXPECT_TRUE(IsNullValue(Rectf(Value(12))));
    EXPECT_TRUE(IsNullValue(Sizef(Value())));
    // Copies share one representation.
    Value a = Rect(1, 2, 3, 4);
    Value b = a;
    EXPECT_EQ(a.GetRep(), b.GetRep());
    EXPECT_EQ(a.GetRep()->GetRefCount(), 2);
}

TEST(GeometryValue, NullRules)
{
    struct Case {
        const char* what;
        Value value;
        bool null;
    } cases[] = {
        {"Point both Null", Point(INT_NULL, INT_NULL), true},
        {"Point x Null", Point(INT_NULL, 1), true},
        {"Point y Null", Point(1, INT_NULL), false},
        {"Size cx Null", Size(INT_NULL, 0), true},
        {"Point64 x Null", Point64(INT64_NULL, 0), true},
        {"Point64 y Null", Point64(0, INT64_NULL), false},
        {"Size64 cx Null", Size64(INT64_NULL, 0), true},
        {"Pointf x below -1e307", Pointf(-2e307, 0), true},
        {"Pointf x -1e306", Pointf(-1e306, 0), false},
        {"Sizef cx Null", Sizef(DOUBLE_NULL, 0), true},
        {"Rect left Null", Rect(INT_NULL, 0, 0, 0), true},
        {"Rect only right Null", Rect(0, 0, INT_NULL, 0), false},
        {"Rect inverted", Rect(10, 0, 0, 10), false},
        {"Rect64 left Null", Rect64(INT64_NULL, 0, 0, 0), true},
        {"Rectf left > right", Rectf(2, 0, 1, 5), true},
        {"Rectf top > bottom", Rectf(0, 2, 1, 1), true},
        {"Rectf empty point", Rectf(3, 3, 3, 3), false},
        {"Rectf all Null members", Rectf(DOUBLE_NULL, DOUBLE_NULL, DOUBLE_NULL, DOUBLE_NULL), false},
        {"Rectf Null", NullGeometry<Rectf>(), true},
        {"Rect Null", NullGeometry<Rect>(), true},
        {"Size Null", NullGeometry<Size>(), true},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(c.value.IsNull(), c.null) << c.what;
        if(c.null) { // every Null hashes to 0
            EXPECT_EQ(c.value.GetHashValue(), 0u) << c.what;
        }
    }
}

TEST(GeometryValue, EqualityAcrossTypesAndNaN)
{
    // Same numbers, different types: never equal.
    EXPECT_FALSE(Value(Point(1, 2)) == Value(Rect(1, 2, 0, 0)));
    EXPECT_FALSE(Value(Point(1, 2)) == Value(Size(1, 2)));
    EXPECT_FALSE(Value(Point(1, 2)) == Value(Point64(1, 2)));
    EXPECT_FALSE(Value(Rect(1, 2, 3, 4)) == Value(Rect64(1, 2, 3, 4)));
    EXPECT_FALSE(Value(Pointf(1, 2)) == Value(1));
    EXPECT_TRUE(Value(Point(1, 2)) != Value(Point(1, 3)));
    EXPECT_TRUE(Value(Rectf(0, 0, 1, 1)) == Value(Rectf(-0.0, 0, 1, 1)));
    double nan = std::numeric_limits<double>::quiet_NaN();
    Value p = Pointf(nan, 1);
    EXPECT_FALSE(p == p);
    EXPECT_FALSE(Value(Rectf(0, 0, 1, nan)) == Value(Rectf(0, 0, 1, nan)));
}

TEST(GeometryValue, Hashes)
{
    EXPECT_EQ(Value(Point(0, 0)).GetHashValue(), (uint32)(0xE2F62FF2u * 17u));
    EXPECT_EQ(Value(Point(5, 9)).GetHashValue(), CombineHash(5, 9));
    EXPECT_EQ(Value(Size(-1, 9)).GetHashValue(), CombineHash(0xffffffffu, 9));
    uint32 h = ((((10u ^ 0xE2F62FF2u) * 17u ^ 20u) * 17u ^ 40u) * 17u) ^ 60u;
    EXPECT_EQ(Value(Rect(10, 20, 40, 60)).GetHashValue(), h);
    int64 big = INT64_C(0x123456789);
    EXPECT_EQ(Value(Point64(big, 3)).GetHashValue(), CombineHash(HashInt64(big), HashInt64(3)));
    EXPECT_EQ(Value(Pointf(0.5, 3)).GetHashValue(), CombineHash(HashDouble(0.5), HashDouble(3)));
    // Equal values hash equally, whoever made them.
    EXPECT_EQ(Value(Rectf(1, 2, 3, 4)).GetHashValue(), Value(Rectf(1, 2, 3, 4)).GetHashValue());
    EXPECT_NE(Value(Rect(1, 2, 3, 4)).GetHashValue(), Value(Rect(1, 2, 4, 3)).GetHashValue());
    // The same hashes key containers.
    KeyIndex<Rect> index;
    index.Add(Rect(1, 2, 3, 4));
    index.Add(Rect(1, 2, 4, 3));
    EXPECT_EQ(index.Find(Rect(1, 2, 4, 3)), 1);
    EXPECT_EQ(index.Find(Rect(0, 2, 4, 3)), -1);
    EXPECT_EQ(GetHashValue(Point(5, 9)), CombineHash(5, 9));
}

// XML and JSON forms ---------------------------------------------------------------------

namespace {

// Runs the Value's own XML slot (in-place record or shared representation) on node.
void XmlizeValueSlot(Value& v, XmlNode& node, bool loading)
{
    XmlizeIo io(node, loading);
    if(v.IsShared())
        v.GetRep()->Xmlize(io);
    else
        value_ops_table[v.GetTypeByte()]->Xmlize(&v, io);
}

Value JsonizeValueSlot(Value& v, const Value* source)
{
    if(source) {
        JsonizeIo io(*source);
        if(v.IsShared())
            v.GetRep()->Jsonize(io);
        else
            value_ops_table[v.GetTypeByte()]->Jsonize(&v, io);
        return Value();
    }
    JsonizeIo io;
    if(v.IsShared())
        v.GetRep()->Jsonize(io);
    else
        value_ops_table[v.GetTypeByte()]->Jsonize(&v, io);
    return io.GetResult();
}

std::string Attributes(const XmlNode& n)
{
    std::string s;
    for(int i = 0; i < n.GetAttributeCount(); i++)
        s += Std(n.GetAttributeName(i)) + "=" + Std(n.GetAttributeValue(i)) + ";";
    return s;
}

std::string Members(const Value& map)
{
    std::string s;
    ValueMap m(map);
    for(int i = 0; i < m.GetCount(); i++)
        s += Std(m.GetKey(i).ToString()) + "=" + Std(m.GetValue(i).ToString()) + ";";
    return s;
}

} // namespace

TEST(GeometryMapping, XmlAttributesInMemberOrder)
{
    struct Case {
        Value value;
        const char* attributes;
    } cases[] = {
        {Point(10, 20), "x=10;y=20;"},
        {Size(3, INT_NULL), "cx=3;cy=;"},
        {Point64(INT64_C(10000000000), -1), "x=10000000000;y=-1;"},
        {Pointf(0.5, -2), "x=0.5;y=-2;"},
        {Size64(1, 2), "cx=1;cy=2;"},
        {Sizef(1.25, 2), "cx=1.25;cy=2;"},
        {Rect(1, 2, 3, 4), "left=1;top=2;right=3;bottom=4;"},
        {Rect64(-1, -2, 3, 4), "left=-1;top=-2;right=3;bottom=4;"},
        {Rectf(0.5, 1, 1.5, 2), "left=0.5;top=1;right=1.5;bottom=2;"},
    };
    for(Case& c : cases) {
        XmlNode node;
        XmlizeValueSlot(c.value, node, false);
        EXPECT_EQ(Attributes(node), c.attributes);
        // Loads back into a fresh representation of the type.
        int type = c.value.GetTypeNumber();
        Value back = c.value.IsShared() ? Value::FromRep(CreateValueRep(type))
                                        : type == POINT_V ? Value(Point()) : Value(Size());
        XmlizeValueSlot(back, node, true);
        EXPECT_TRUE(back == c.value) << c.attributes;
        EXPECT_EQ(Std(back.ToString()), Std(c.value.ToString()));
    }
}

TEST(GeometryMapping, XmlMissingAttributesLoadNull)
{
    XmlNode empty;
    Value p = Point(5, 6);
    XmlizeValueSlot(p, empty, true);
    EXPECT_TRUE(p.IsNull());
    EXPECT_EQ(Point(p), NullGeometry<Point>());

    XmlNode partial;
    partial.SetAttribute("left", "7").SetAttribute("bottom", "9");
    Rect r(1, 2, 3, 4);
    XmlizeIo io(partial, true);
    Xmlize(io, r);
    EXPECT_EQ(r, Rect(7, INT_NULL, INT_NULL, 9));
}

TEST(GeometryMapping, JsonMembers)
{
    Value p = Point(10, -20);
    Value stored = JsonizeValueSlot(p, nullptr);
    EXPECT_EQ(Members(stored), "x=10;y=-20;");
    // An int member is stored as a double Value.
    EXPECT_EQ(stored["x"].GetTypeNumber(), DOUBLE_V);

    Value r = Rectf(0.5, 1, 2, 3);
    EXPECT_EQ(Members(JsonizeValueSlot(r, nullptr)), "left=0.5;top=1;right=2;bottom=3;");

    // Beyond 2^53 an int64 member travels as decimal text and loads back equal.
    int64 big = (INT64_C(1) << 53) + 1;
    Value p64 = Point64(big, 3);
    Value json = JsonizeValueSlot(p64, nullptr);
    EXPECT_EQ(json["x"].GetTypeNumber(), STRING_V);
    EXPECT_EQ(Std(json["x"].GetString()), "9007199254740993");
    EXPECT_EQ(json["y"].GetTypeNumber(), INT64_V);
    Value back = Value::FromRep(CreateValueRep(POINT64_V));
    JsonizeValueSlot(back, &json);
    EXPECT_TRUE(back == p64);
    EXPECT_EQ(Point64(back), Point64(big, 3));
}

TEST(GeometryMapping, JsonMissingMembersKeepValueAndBadOnesThrow)
{
    Value p = Point(5, 6);
    Value empty = ValueMap();
    JsonizeValueSlot(p, &empty);
    EXPECT_EQ(Point(p), Point(5, 6));

    ValueMap m;
    m.Add("cy", 9);
    Value only_cy = m;
    Size s(1, 2);
    LoadJsonValue(s, only_cy);
    EXPECT_EQ(s, Size(1, 9));

    ValueMap bad;
    bad.Add("x", 1.5);
    Point q(1, 1);
    EXPECT_THROW(LoadJsonValue(q, Value(bad)), JsonizeError);
    EXPECT_EQ(q, Point(1, 1));
}

TEST(GeometryMapping, ComplexForms)
{
    Complex c(1.5, -2);
    EXPECT_EQ(Std(Value(c).ToString()), "(1.5,-2)");
    XmlNode node;
    XmlizeIo store(node, false);
    Xmlize(store, c);
    EXPECT_EQ(Attributes(node), "real=1.5;imag=-2;");
    Complex back;
    XmlizeIo load(node, true);
    Xmlize(load, back);
    EXPECT_EQ(back, c);

    Value json = StoreJsonValue(c);
    EXPECT_EQ(Members(json), "real=1.5;imag=-2;");
    ValueMap only_imag;
    only_imag.Add("imag", 7);
    Complex partial(3, 4);
    LoadJsonValue(partial, Value(only_imag));
    EXPECT_EQ(partial, Complex(3, 7));

    // Through the Value's representation as well.
    Value v = c;
    EXPECT_EQ(v.GetTypeNumber(), COMPLEX_V);
    EXPECT_EQ(Complex(v), c);
    Value loaded = Value::FromRep(CreateValueRep(COMPLEX_V));
    JsonizeIo io(json);
    loaded.GetRep()->Jsonize(io);
    EXPECT_TRUE(loaded == v);
    EXPECT_TRUE(IsNullValue(Complex(Value(3))));
}
