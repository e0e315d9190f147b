// Drawing and Painting as values: stream forms, Null, hash and equality, text, the framed
// hex XML and JSON forms, and the registered Value types.

#include "draw/draw.h"
#include "foundation/string_stream.h"
#include "foundation/text_hex.h"
#include "foundation/values/jsonize.h"
#include "foundation/values/value_registry.h"
#include "foundation/values/xml_node.h"
#include "foundation/values/xmlize.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace Qor;

namespace {

std::string Std(const String& s) { return std::string(s.Begin(), s.GetLength()); }

template <class T>
String Store(const T& x)
{
    T copy(x);
    StringStream s;
    copy.Serialize(s);
    return s.GetText();
}

template <class T>
bool Load(T& x, const String& bytes)
{
    StringStream s(bytes);
    s.SetLoading();
    x.Serialize(s);
    return !s.IsError();
}

ValueArray Values(std::initializer_list<Value> list)
{
    ValueArray a;
    for(const Value& v : list)
        a.Add(v);
    return a;
}

String Int32Bytes(uint32 v) { return String((const char*)&v, 4); }

Drawing Sample() { return Drawing(Size(100, 50), "\x09\x01", Values({1, "two"})); }

} // namespace

TEST(DrawingValue, NullnessFollowsTheData)
{
    EXPECT_TRUE(Drawing().IsNullInstance());
    EXPECT_TRUE(Drawing(Size(10, 10), String()).IsNullInstance());
    EXPECT_TRUE(Value(Drawing(Size(10, 10), String())).IsNull());
    EXPECT_FALSE(Value(Sample()).IsNull());
    EXPECT_TRUE(Painting().IsNullInstance());
    EXPECT_TRUE(Value(Painting(String(), Values({1}), 1, 1)).IsNull());
    EXPECT_FALSE(Value(Painting("m", ValueArray(), 1, 1)).IsNull());
}

TEST(DrawingValue, StreamFormFlagsTheValueArrayInCy)
{
    struct Case {
        const char* name;
        Drawing d;
        String bytes;
    } cases[] = {
        {"no values", Drawing(Size(3, 4), "ab"), Int32Bytes(3) + Int32Bytes(4) + String("\x02" "ab", 3)},
        {"values", Drawing(Size(3, 4), "ab", Values({7})),
         Int32Bytes(3) + Int32Bytes(0x80000004) + String("\x02" "ab", 3) + String("\x02\x02", 2) + Int32Bytes(7)},
        {"null drawing", Drawing(), Int32Bytes(0x80000000) + Int32Bytes(0x80000000) + String("\x00\x01", 2)},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HexEncode(Store(c.d)), HexEncode(c.bytes));
    }

    Drawing loaded = Sample();
    ASSERT_TRUE(Load(loaded, cases[0].bytes));
    EXPECT_EQ(loaded, cases[0].d);
    EXPECT_TRUE(loaded.values.IsEmpty()); // the target's values did not survive

    Drawing null;
    ASSERT_TRUE(Load(null, cases[2].bytes));
    EXPECT_EQ(null.size.cx, INT_NULL);
    EXPECT_EQ(null.size.cy, 0);
    EXPECT_TRUE(null.values.IsEmpty());

    // A negative height does not survive: bit 31 belongs to the format.
    Drawing negative(Size(1, -2), "x");
    Drawing back;
    ASSERT_TRUE(Load(back, Store(negative)));
    EXPECT_EQ(back.size, Size(1, (int)((uint32)-2 & 0x7FFFFFFF)));
}

TEST(DrawingValue, DamagedStreamLeavesTheValue)
{
    String whole = Store(Sample());
    for(int n = 0; n < whole.GetLength(); n++) {
        Drawing d(Size(1, 1), "keep");
        EXPECT_FALSE(Load(d, whole.Mid(0, n))) << n;
        EXPECT_EQ(d, Drawing(Size(1, 1), "keep")) << n;
    }
    Painting p("cmd", Values({1.5}), 2, 3);
    String pbytes = Store(p);
    Painting kept("keep", ValueArray(), 0, 0);
    EXPECT_FALSE(Load(kept, pbytes.Mid(0, pbytes.GetLength() - 1)));
    EXPECT_EQ(kept, Painting("keep", ValueArray(), 0, 0));
}

TEST(DrawingValue, PaintingStreamForm)
{
    Painting p("cmd", Values({5}), 1.5, -2);
    double cx = 1.5, cy = -2;
    String expected = String("\x03" "cmd", 4) + String("\x02\x02", 2) + Int32Bytes(5) + String((const char*)&cx, 8) +
                      String((const char*)&cy, 8);
    EXPECT_EQ(HexEncode(Store(p)), HexEncode(expected));
    Painting back;
    ASSERT_TRUE(Load(back, expected));
    EXPECT_EQ(back, p);
}

TEST(DrawingValue, HashAndEquality)
{
    Drawing a(Size(10, 10), "data", Values({1}));
    Drawing b(Size(20, 30), "data", Values({1}));
    EXPECT_EQ(a.GetHashValue(), b.GetHashValue());
    EXPECT_NE(a, b);
    EXPECT_EQ(Value(a).GetHashValue(), ((String("data").GetHashValue() ^ 0xe2f62ff2u) * 17) ^ Values({1}).GetHashValue());
    EXPECT_NE(a, Drawing(Size(10, 10), "data", Values({2})));
    EXPECT_NE(a, Drawing(Size(10, 10), "dat", Values({1})));
    EXPECT_EQ(Value(a), Value(Drawing(Size(10, 10), "data", Values({1}))));
    EXPECT_NE(Value(a), Value(String("data")));

    Painting p("c", Values({1}), 1, 2);
    EXPECT_EQ(p.GetHashValue(), Painting("c", Values({1}), 5, 6).GetHashValue());
    EXPECT_EQ(p.GetHashValue(), ((String("c").GetHashValue() ^ 0xe2f62ff2u) * 17) ^ Values({1}).GetHashValue());
    EXPECT_NE(p, Painting("c", Values({1}), 1, 3));
    Painting nan("c", ValueArray(), NAN, 1);
    EXPECT_NE(nan, nan);
}

TEST(DrawingValue, TextForms)
{
    EXPECT_EQ(Std(Value(Drawing(Size(10, 20), "x")).ToString()), "drawing (10, 20)");
    EXPECT_EQ(Std(Value(Painting("c", ValueArray(), 1.5, 2)).ToString()), "painting (1.5, 2)");
    EXPECT_EQ(Std(Painting().ToString()), "painting (, )");
}

TEST(DrawingValue, ConversionFromValue)
{
    EXPECT_EQ(Drawing(Value(Sample())), Sample());
    EXPECT_TRUE(Drawing(Value()).IsNullInstance());
    EXPECT_EQ(Drawing(Value()).size.cx, INT_NULL);
    Painting p("c", Values({1}), 1, 2);
    EXPECT_EQ(Painting(Value(p)), p);
    EXPECT_TRUE(Painting(Value()).IsNullInstance());
}

TEST(DrawingValue, RegisteredTypesRoundTripAsValues)
{
    EXPECT_EQ(Std(LookupValueTypeName(DRAWING_V)), "Drawing");
    EXPECT_EQ(Std(LookupValueTypeName(PAINTING_V)), "Painting");
    EXPECT_EQ(Value(Sample()).GetTypeNumber(), DRAWING_V);
    EXPECT_EQ(Value(Painting("c", ValueArray(), 1, 2)).GetTypeNumber(), PAINTING_V);

    Value values[] = {Value(Sample()), Value(Painting("c", Values({Value(Sample())}), 1, 2))};
    for(const Value& v : values) {
        Value back;
        ASSERT_TRUE(LoadFromString(back, StoreAsString(v)));
        EXPECT_EQ(back, v);
    }
}

TEST(DrawingValue, FramedStringForms)
{
    String framed = StoreDrawingToString(Sample());
    EXPECT_EQ(Std(framed.Mid(0, 4)), "data");
    Drawing d;
    ASSERT_TRUE(LoadDrawingFromString(d, framed));
    EXPECT_EQ(d, Sample());

    Drawing kept(Size(1, 1), "keep");
    EXPECT_FALSE(LoadDrawingFromString(kept, framed.Mid(0, framed.GetLength() - 1)));
    EXPECT_EQ(kept, Drawing(Size(1, 1), "keep"));

    Painting p("c", Values({1}), 3, 4), q;
    ASSERT_TRUE(LoadPaintingFromString(q, StorePaintingToString(p)));
    EXPECT_EQ(q, p);
}

TEST(DrawingValue, XmlFormIsOneHexAttribute)
{
    Drawing d = Sample();
    XmlNode node;
    XmlizeIo store(node, false);
    Xmlize(store, d);
    ASSERT_EQ(node.GetAttributeCount(), 1);
    EXPECT_EQ(Std(node.GetAttributeName(0)), "data");
    String hex = node.GetAttribute("data");
    EXPECT_EQ(Std(hex), Std(HexEncode(StoreDrawingToString(d))));
    for(const char* c = hex.Begin(); c != hex.End(); c++)
        EXPECT_TRUE((*c >= '0' && *c <= '9') || (*c >= 'a' && *c <= 'f'));

    // Blanks and line breaks between the digits are skipped.
    String spaced;
    for(int i = 0; i < hex.GetLength(); i++) {
        spaced.AppendChar(hex[i]);
        if(i % 7 == 6)
            spaced += i % 2 ? " " : "\n";
    }
    struct Case {
        const char* name;
        String text;
        Drawing expected;
    } cases[] = {
        {"spaced", spaced, d},
        {"not a frame", "0123abcd", Drawing(Size(1, 1), "keep")},
        {"missing", String(), Drawing(Size(1, 1), "keep")},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        XmlNode in;
        if(!c.text.IsEmpty())
            in.SetAttribute("data", c.text);
        Drawing loaded(Size(1, 1), "keep");
        XmlizeIo load(in, true);
        EXPECT_NO_THROW(Xmlize(load, loaded));
        EXPECT_EQ(loaded, c.expected);
    }
}

TEST(DrawingValue, WholeValueXmlCarriesTypeAndData)
{
    Value v = Painting("c", Values({1}), 1, 2);
    XmlNode node;
    XmlizeIo store(node, false);
    v.Xmlize(store);
    EXPECT_EQ(Std(node.GetAttribute("type")), "Painting");
    EXPECT_EQ(Std(node.GetAttribute("data")), Std(HexEncode(StorePaintingToString(Painting(v)))));
    Value back;
    XmlizeIo load(node, true);
    back.Xmlize(load);
    EXPECT_EQ(back, v);
}

TEST(DrawingValue, JsonFormIsTheMemberData)
{
    Painting p("c", Values({1}), 1, 2);
    Value json = StoreJsonValue(p);
    EXPECT_EQ(Std(json["data"].ToString()), Std(HexEncode(StorePaintingToString(p))));
    Painting back;
    LoadJsonValue(back, json);
    EXPECT_EQ(back, p);

    ValueMap not_text;
    not_text.Add("data", 12);
    Painting kept("keep", ValueArray(), 0, 0);
    try {
        LoadJsonValue(kept, Value(not_text));
        ADD_FAILURE() << "no error";
    }
    catch(const JsonizeError& e) {
        EXPECT_EQ(Std(e), "string expected");
    }
    EXPECT_EQ(kept, Painting("keep", ValueArray(), 0, 0));

    ValueMap empty;
    LoadJsonValue(kept, Value(empty)); // a missing member: nothing to load, nothing thrown
    EXPECT_EQ(kept, Painting("keep", ValueArray(), 0, 0));
}
