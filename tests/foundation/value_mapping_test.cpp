// XML and JSON forms of whole Values and of the ValueArray and ValueMap payloads.

#include "foundation/values/jsonize.h"
#include "foundation/values/value_array.h"
#include "foundation/values/value_map.h"
#include "foundation/values/value_registry.h"
#include "foundation/values/value_rep.h"
#include "foundation/values/xmlize.h"

#include <gtest/gtest.h>

using namespace Qor;

namespace ValueMappingTestTypes {
// Kept in a RawValueRep: no fixed number, no name, no factory.
struct Opaque {
    int x = 0;
};
} // namespace ValueMappingTestTypes

namespace {

using ValueMappingTestTypes::Opaque;

Value StoreXml(const Value& v, XmlNode& node)
{
    node.SetKind(XML_ELEMENT);
    XmlizeIo io(node, false);
    Value copy(v);
    copy.Xmlize(io);
    return copy;
}

void LoadXml(Value& v, XmlNode& node)
{
    XmlizeIo io(node, true);
    v.Xmlize(io);
}

String NodeText(const XmlNode& n)
{
    int i = n.FindChild(XML_TEXT);
    return i < 0 ? String() : n[i].GetText();
}

// An element node with the given "type" attribute (none when type is null).
void MakeTyped(XmlNode& n, const char* type)
{
    n.SetKind(XML_ELEMENT);
    if(type)
        n.SetAttribute("type", type);
}

XmlNode& AddTypedChild(XmlNode& parent, const char* tag, const char* type, const char* value_attr)
{
    XmlNode& c = parent.AddChild(tag);
    c.SetAttribute("type", type);
    c.SetAttribute("value", value_attr);
    return c;
}

ValueMap Object(std::initializer_list<std::pair<const char*, Value>> members)
{
    ValueMap m;
    for(const auto& p : members)
        m.Add(p.first, p.second);
    return m;
}

ValueArray Array(std::initializer_list<Value> items)
{
    ValueArray a;
    for(const Value& v : items)
        a.Add(v);
    return a;
}

Value Nested()
{
    ValueMap inner;
    inner.Add(Value(1), Value("one"));
    inner.Add(Value("two"), Value(Array({Value(2.5), Value(true)})));
    inner.Add(Value(1), Value("again")); // a duplicate key stays a second entry
    return Value(Array({Value(7), Value("text"), Value(Date(2024, 2, 29)), Value(inner)}));
}

struct RoundTripCase {
    const char* what;
    Value v;
    const char* type; // name in the stored form
};

std::vector<RoundTripCase> RoundTripCases()
{
    return {
        {"int", Value(5), "int"},
        {"negative int64", Value((int64)-1234567890123LL), "int64"},
        {"double", Value(2.5), "double"},
        {"bool", Value(true), "bool"},
        {"String", Value("abc"), "String"},
        {"Date", Value(Date(2024, 2, 29)), "Date"},
        {"Time", Value(Time(2023, 12, 31, 23, 59, 58)), "Time"},
        {"WString", Value(WString("wide")), "WString"},
        {"ValueArray", Value(Array({Value(1), Value("a")})), "ValueArray"},
        {"ValueMap", Value(Object({{"k", Value(3)}})), "ValueMap"},
        {"nested containers", Nested(), "ValueArray"},
    };
}

void ExpectSameValue(const Value& got, const Value& want, const char* what)
{
    EXPECT_EQ(got.GetTypeNumber(), want.GetTypeNumber()) << what;
    EXPECT_EQ(got, want) << what << ": " << got.ToString().Begin();
}

// XML ----------------------------------------------------------------------------------

TEST(ValueMappingXml, RoundTripsKeepTypeAndPayload)
{
    for(const RoundTripCase& c : RoundTripCases()) {
        XmlNode node;
        StoreXml(c.v, node);
        EXPECT_EQ(node.GetAttribute("type"), String(c.type)) << c.what;
        Value loaded(12345); // replaced by the load
        LoadXml(loaded, node);
        ExpectSameValue(loaded, c.v, c.what);
    }
}

TEST(ValueMappingXml, ExactNodesOfBasicTypes)
{
    XmlNode n;
    StoreXml(Value(5), n);
    EXPECT_EQ(n.GetAttribute("type"), String("int"));
    EXPECT_EQ(n.GetAttribute("value"), String("5"));

    XmlNode s;
    StoreXml(Value("hello"), s);
    EXPECT_EQ(s.GetAttribute("type"), String("String"));
    EXPECT_EQ(NodeText(s), String("hello"));
    EXPECT_FALSE(s.HasAttribute("value"));

    XmlNode e;
    StoreXml(ErrorValue("broken"), e);
    EXPECT_EQ(e.GetAttribute("type"), String("error"));
    EXPECT_EQ(NodeText(e), String("broken"));

    // Void and the empty String keep their own types.
    XmlNode v;
    StoreXml(Value(), v);
    EXPECT_EQ(v.GetAttribute("type"), String("void"));
    Value loaded("x");
    LoadXml(loaded, v);
    EXPECT_TRUE(loaded.IsVoid());

    XmlNode es;
    StoreXml(Value(String()), es);
    EXPECT_EQ(es.GetAttribute("type"), String("String"));
    loaded = Value(3);
    LoadXml(loaded, es);
    EXPECT_TRUE(loaded.IsStringForm());
    EXPECT_TRUE(loaded.GetString().IsEmpty());
}

TEST(ValueMappingXml, NodeWithoutTypeLoadsVoid)
{
    XmlNode n;
    MakeTyped(n, nullptr);
    n.SetAttribute("value", "5");
    Value v(5);
    LoadXml(v, n);
    EXPECT_TRUE(v.IsVoid());
}

TEST(ValueMappingXml, RefusedTypes)
{
    {
        XmlNode n;
        MakeTyped(n, "Integer"); // not registered: the Value is untouched
        Value v(42);
        try {
            LoadXml(v, n);
            ADD_FAILURE() << "no XmlError";
        }
        catch(const XmlError& e) {
            EXPECT_EQ(String(e), String("invalid Value type"));
        }
        EXPECT_EQ(v, Value(42));
    }
    {
        XmlNode n;
        StoreXml(ErrorValue("broken"), n); // "error" has a name but nothing to rebuild it
        Value v(42);
        try {
            LoadXml(v, n);
            ADD_FAILURE() << "no XmlError";
        }
        catch(const XmlError& e) {
            EXPECT_EQ(String(e), String("invalid Value type"));
        }
        EXPECT_TRUE(v.IsStringForm());
        EXPECT_TRUE(v.GetString().IsEmpty());
    }
}

TEST(ValueMappingXml, UnnamedTypeTravelsAsSerializedBinary)
{
    Value opaque = Value::FromRep(new RawValueRep<Opaque>(Opaque{9}));
    XmlNode n;
    StoreXml(opaque, n);
    EXPECT_EQ(n.GetAttribute("type"), String("serialized_binary"));
    String hex = NodeText(n);
    EXPECT_EQ(hex, StoreAsHexText(opaque));
    ASSERT_GE(hex.GetLength(), 8);
    EXPECT_EQ(String(hex.Begin(), 8), String("64617461")); // "data"

    // Nothing can rebuild the type: the load fails quietly and the Value keeps its content.
    Value target("kept");
    LoadXml(target, n);
    EXPECT_EQ(target, Value("kept"));

    // A registered type in the same form loads.
    XmlNode d;
    MakeTyped(d, "serialized_binary");
    d.AddText(StoreAsHexText(Value(Date(2001, 1, 2))));
    LoadXml(target, d);
    ExpectSameValue(target, Value(Date(2001, 1, 2)), "hex Date");
}

TEST(ValueMappingXml, ArrayShapeAndSkippedChildren)
{
    XmlNode n;
    StoreXml(Value(Array({Value(1), Value("b")})), n);
    ASSERT_EQ(n.GetCount(), 2);
    for(int i = 0; i < 2; i++) {
        EXPECT_TRUE(n[i].IsElement());
        EXPECT_EQ(n[i].GetText(), String("item"));
    }
    EXPECT_EQ(n[0].GetAttribute("type"), String("int"));
    EXPECT_EQ(n[1].GetAttribute("type"), String("String"));

    // Children that are not "item" elements are skipped.
    XmlNode m;
    MakeTyped(m, "ValueArray");
    AddTypedChild(m, "item", "int", "1");
    m.AddText("noise");
    AddTypedChild(m, "other", "int", "2");
    AddTypedChild(m, "item", "int", "3");
    Value v;
    LoadXml(v, m);
    ExpectSameValue(v, Value(Array({Value(1), Value(3)})), "skipped");
}

TEST(ValueMappingXml, MapShapeAndKeyRun)
{
    ValueMap map;
    map.Add(Value(1), Value("a"));
    map.Add(Value(2), Value("b"));
    XmlNode n;
    StoreXml(Value(map), n);
    const char* tags[] = {"key", "key", "item", "item"};
    ASSERT_EQ(n.GetCount(), 4);
    for(int i = 0; i < 4; i++)
        EXPECT_EQ(n[i].GetText(), String(tags[i])) << i;

    XmlNode m;
    MakeTyped(m, "ValueMap");
    AddTypedChild(m, "key", "int", "1");
    AddTypedChild(m, "key", "int", "2");
    AddTypedChild(m, "item", "int", "10");
    AddTypedChild(m, "item", "int", "20");
    Value v;
    LoadXml(v, m);
    ValueMap loaded(v);
    EXPECT_EQ(loaded.GetCount(), 2);
    EXPECT_EQ(loaded.GetValues().GetCount(), 2);
    EXPECT_EQ(loaded.Get(Value(2)), Value(20));
}

// Keys and values that differ in number would break lookups and every other form: such
// a node is refused and the map left empty, as the binary form does.
TEST(ValueMappingXml, MapWhosePartsDisagreeIsRefused)
{
    struct Case { const char* what; const char* children; };
    const Case cases[] = {
        {"text child first ends the keys at once", " kkii"},
        {"more keys than items", "kkki"},
        {"more items than keys", "kiii"},
        {"items only", "ii"},
    };
    for(const Case& c : cases) {
        XmlNode m;
        m.SetKind(XML_ELEMENT);
        for(const char* p = c.children; *p; p++) {
            if(*p == ' ')
                m.AddText(" ");
            else
                AddTypedChild(m, *p == 'k' ? "key" : "item", "int", *p == 'k' ? "999" : "101");
        }
        ValueMap map;
        map.Add(Value(1), Value(2));
        XmlizeIo io(m, true);
        EXPECT_THROW(map.Unshare().Xmlize(io), XmlError) << c.what;
        EXPECT_EQ(map.GetCount(), 0) << c.what;
        EXPECT_EQ(map.GetValues().GetCount(), 0) << c.what;
        map.Add(Value(999), Value(7));
        EXPECT_EQ(map.Get(Value(999)), Value(7)) << c.what;
    }
}

TEST(ValueMappingXml, EmptyLoadedMapIsNotNull)
{
    XmlNode m;
    MakeTyped(m, "ValueMap");
    Value v;
    LoadXml(v, m);
    EXPECT_EQ(v.GetTypeNumber(), VALUEMAP_V);
    EXPECT_EQ(ValueMap(v).GetCount(), 0);
    EXPECT_FALSE(v.IsNull());
}

TEST(ValueMappingXml, FailingElementLeavesEmptyString)
{
    XmlNode m;
    MakeTyped(m, "ValueArray");
    AddTypedChild(m, "item", "int", "1");
    AddTypedChild(m, "item", "Integer", "2");
    Value v(8);
    EXPECT_THROW(LoadXml(v, m), XmlError);
    // The failed container is not handed over half built.
    EXPECT_TRUE(v.IsStringForm());
}

// JSON ---------------------------------------------------------------------------------

TEST(ValueMappingJson, RoundTripsKeepTypeAndPayload)
{
    for(const RoundTripCase& c : RoundTripCases()) {
        Value json = StoreAsJsonValue(c.v);
        EXPECT_EQ(json["type"], Value(c.type)) << c.what;
        Value loaded(12345);
        LoadFromJsonValue(loaded, json);
        ExpectSameValue(loaded, c.v, c.what);
    }
}

TEST(ValueMappingJson, DateForm)
{
    Value json = StoreAsJsonValue(Value(Date(2024, 2, 29)));
    EXPECT_EQ(json.GetTypeNumber(), VALUEMAP_V);
    ValueMap m(json);
    ASSERT_EQ(m.GetCount(), 2);
    EXPECT_EQ(m.GetKey(0), Value("type"));
    EXPECT_EQ(m.GetKey(1), Value("value"));
    EXPECT_EQ(m.GetValue(0), Value("Date"));
    EXPECT_EQ(m.GetValue(1), Value("20240229"));
}

TEST(ValueMappingJson, NullsStoreAsIntNull)
{
    const Value nulls[] = {Value(), Value(String()), Value(INT_NULL), Value(Date()), ErrorValue("e"),
                           Value(ValueArray())};
    for(const Value& v : nulls) {
        Value json = StoreAsJsonValue(v);
        EXPECT_TRUE(json.IsInPlace(INT_V)) << v.GetTypeNumber();
        EXPECT_EQ(json.ToInt(), INT_NULL);
        Value loaded("x");
        LoadFromJsonValue(loaded, json);
        EXPECT_TRUE(loaded.IsInPlace(INT_V));
        EXPECT_EQ(loaded.ToInt(), INT_NULL);
    }
}

TEST(ValueMappingJson, RefusedSources)
{
    struct Case { const char* what; Value json; const char* message; bool unchanged; };
    const Case cases[] = {
        {"String with a number", Value(Object({{"type", Value("String")}, {"value", Value(5)}})),
         "serialized_binary Error", false},
        {"no type", Value(Object({{"value", Value(1)}})), "invalid Value type", true},
        {"unregistered type", Value(Object({{"type", Value("Integer")}, {"value", Value(1)}})),
         "invalid Value type", true},
        {"error type", Value(Object({{"type", Value("error")}, {"value", Value("m")}})),
         "invalid Value type", false},
        {"fallback with a number", Value(Object({{"type", Value("serialized_binary")}, {"value", Value(1)}})),
         "serialized_binary Error", true},
        {"not an object", Value(7), "invalid Value type", true},
    };
    for(const Case& c : cases) {
        Value v(42);
        try {
            LoadFromJsonValue(v, c.json);
            ADD_FAILURE() << c.what << ": no JsonizeError";
        }
        catch(const JsonizeError& e) {
            EXPECT_EQ(String(e), String(c.message)) << c.what;
        }
        if(c.unchanged)
            EXPECT_EQ(v, Value(42)) << c.what;
        else
            EXPECT_TRUE(v.IsStringForm() && v.GetString().IsEmpty()) << c.what;
    }
}

TEST(ValueMappingJson, UnnamedTypeTravelsAsSerializedBinary)
{
    Value opaque = Value::FromRep(new RawValueRep<Opaque>(Opaque{9}));
    Value json = StoreAsJsonValue(opaque);
    EXPECT_EQ(json["type"], Value("serialized_binary"));
    String hex = json["value"].GetString();
    EXPECT_EQ(hex, StoreAsHexText(opaque));
    ASSERT_GE(hex.GetLength(), 8);
    EXPECT_EQ(String(hex.Begin(), 8), String("64617461"));

    Value target("kept");
    LoadFromJsonValue(target, json);
    EXPECT_EQ(target, Value("kept"));

    Value date = Object({{"type", Value("serialized_binary")},
                         {"value", Value(WString(StoreAsHexText(Value(Time(2000, 1, 1, 1, 2, 3)))))}});
    LoadFromJsonValue(target, date);
    ExpectSameValue(target, Value(Time(2000, 1, 1, 1, 2, 3)), "hex Time in a WString");
}

TEST(ValueMappingJson, ContainerShapes)
{
    Value json = StoreAsJsonValue(Value(Array({Value(1), Value()})));
    EXPECT_EQ(json["type"], Value("ValueArray"));
    const Value& items = json["value"];
    ASSERT_EQ(items.GetCount(), 2);
    EXPECT_EQ(items[0]["type"], Value("int"));
    EXPECT_TRUE(items[1].IsInPlace(INT_V) && items[1].IsNull()); // void loses its type
    Value back;
    LoadFromJsonValue(back, json);
    ValueArray a(back);
    ASSERT_EQ(a.GetCount(), 2);
    EXPECT_TRUE(a[1].IsInPlace(INT_V) && a[1].IsNull());

    ValueMap map;
    map.Add(Value(1), Value("a"));
    map.Add(Value("k"), Value(2.5));
    Value mj = StoreAsJsonValue(Value(map));
    EXPECT_EQ(mj["type"], Value("ValueMap"));
    const Value& entries = mj["value"];
    ASSERT_EQ(entries.GetCount(), 2);
    EXPECT_EQ(entries[0]["key"]["type"], Value("int"));
    EXPECT_EQ(entries[0]["value"]["value"], Value("a"));
    EXPECT_EQ(entries[1]["key"]["value"], Value("k"));

    // An entry without members loads as int Null key and value.
    Value partial = Object({{"type", Value("ValueMap")}, {"value", Value(Array({Value(Object({{"x", Value(1)}}))}))}});
    Value loaded;
    LoadFromJsonValue(loaded, partial);
    ValueMap pm(loaded);
    ASSERT_EQ(pm.GetCount(), 1);
    EXPECT_TRUE(pm.GetKey(0).IsInPlace(INT_V) && pm.GetKey(0).IsNull());
    EXPECT_TRUE(pm.GetValue(0).IsInPlace(INT_V) && pm.GetValue(0).IsNull());
}

} // namespace
