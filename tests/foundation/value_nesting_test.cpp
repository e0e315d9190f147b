// Deeply nested Value trees: every form stores exactly what it can load back, refuses
// deeper trees with an error, and no form or release recurses once per level.
#include "foundation/string_stream.h"
#include "foundation/values/jsonize.h"
#include "foundation/values/value_array.h"
#include "foundation/values/value_map.h"
#include "foundation/values/value_registry.h"
#include "foundation/values/xmlize.h"

#include <gtest/gtest.h>

using namespace Qor;

namespace {

enum Shape { ARRAYS, MAP_VALUES, MAP_KEYS };

// depth containers, each holding the next; the innermost holds the int 7.
Value Nested(int depth, Shape shape = ARRAYS)
{
    Value v(7);
    for(int i = 0; i < depth; i++) {
        if(shape == ARRAYS) {
            ValueArray a;
            a.Add(v);
            v = Value(a);
        }
        else {
            ValueMap m;
            if(shape == MAP_VALUES)
                m.Add(Value(i), v);
            else
                m.Add(v, Value(i));
            v = Value(m);
        }
    }
    return v;
}

// What each form makes of a Value: false when storing or loading refused it; loaded
// gets what came back.
struct Form {
    const char* name;
    bool (*round_trip)(const Value& v, Value& loaded);
};

bool BinaryRoundTrip(const Value& v, Value& loaded)
{
    String stored = StoreAsString(v);
    if(stored.IsEmpty())
        return false;
    return LoadFromString(loaded, stored);
}

bool XmlRoundTrip(const Value& v, Value& loaded)
{
    XmlNode node;
    node.SetKind(XML_ELEMENT);
    try {
        XmlizeIo store(node, false);
        Value copy(v);
        copy.Xmlize(store);
    }
    catch(const XmlError&) {
        return false;
    }
    XmlizeIo load(node, true);
    loaded.Xmlize(load); // what was stored must load: a throw fails the test
    return true;
}

bool JsonRoundTrip(const Value& v, Value& loaded)
{
    Value json;
    try {
        json = StoreAsJsonValue(v);
    }
    catch(const JsonizeError&) {
        return false;
    }
    LoadFromJsonValue(loaded, json);
    return true;
}

const Form forms[] = {
    {"binary", BinaryRoundTrip},
    {"XML", XmlRoundTrip},
    {"JSON", JsonRoundTrip},
};

} // namespace

TEST(ValueNesting, EveryFormStoresWhatItLoadsAndRefusesDeeper)
{
    struct Case {
        int depth;
        Shape shape;
        bool stored;
    } cases[] = {
        {VALUE_LOAD_DEPTH_LIMIT, ARRAYS, true},
        {VALUE_LOAD_DEPTH_LIMIT + 1, ARRAYS, false},
        {VALUE_LOAD_DEPTH_LIMIT, MAP_VALUES, true},
        {VALUE_LOAD_DEPTH_LIMIT + 1, MAP_VALUES, false},
        {VALUE_LOAD_DEPTH_LIMIT + 1, MAP_KEYS, false},
        {50000, ARRAYS, false},
        {50000, MAP_VALUES, false},
    };
    for(const Form& f : forms)
        for(const Case& c : cases) {
            SCOPED_TRACE(std::string(f.name) + " depth " + std::to_string(c.depth) + " shape " +
                         std::to_string(c.shape));
            Value v = Nested(c.depth, c.shape);
            Value loaded;
            EXPECT_EQ(f.round_trip(v, loaded), c.stored);
            if(c.stored) {
                EXPECT_TRUE(loaded == v);
            }
        }
    // A refused store leaves the nesting count where it was: the limit still holds exactly.
    Value loaded;
    EXPECT_TRUE(XmlRoundTrip(Nested(VALUE_LOAD_DEPTH_LIMIT), loaded));
}

TEST(ValueNesting, BinaryStoreOfATooDeepValueIsAStreamError)
{
    StringStream out;
    ValueArray a(Nested(VALUE_LOAD_DEPTH_LIMIT + 1));
    a.Serialize(out);
    EXPECT_TRUE(out.IsError());
}

// Trees built in code (not by storing) far deeper than any form allows.
TEST(ValueNesting, DeepFormsBuiltInCodeAreRefusedOnLoading)
{
    XmlNode root;
    XmlNode* n = &root;
    for(int i = 0; i < 50000; i++) {
        n->SetKind(XML_ELEMENT);
        n->SetAttribute("type", "ValueArray");
        n = &n->AddChild("item");
    }
    Value v;
    XmlizeIo xml(root, true);
    EXPECT_THROW(v.Xmlize(xml), XmlError);

    Value json(7);
    for(int i = 0; i < 50000; i++) {
        ValueArray items;
        items.Add(json);
        ValueMap m;
        m.Add("type", Value("ValueArray"));
        m.Add("value", Value(items));
        json = Value(m);
    }
    EXPECT_THROW(LoadFromJsonValue(v, json), JsonizeError);
}

TEST(ValueNesting, DeepTreesAreReleasedWithoutRecursion)
{
    // Keys are hashed when added, which walks the whole key: a chain of keys stays short.
    struct Case { Shape shape; int depth; } cases[] = {{ARRAYS, 200000}, {MAP_VALUES, 200000}, {MAP_KEYS, 3000}};
    for(const Case& c : cases) {
        Value v = Nested(c.depth, c.shape);
        Value shared = v; // a shared outer level releases nothing when one holder goes
        v = Value();
        EXPECT_EQ(shared.GetCount(), 1);
    }
    // A tree that is partly shared keeps the shared part alive and intact.
    Value inner = Nested(1000);
    ValueArray outer;
    outer.Add(inner);
    {
        Value temp = Nested(100000);
        ValueArray holder(temp);
        holder.Add(Value(outer));
    }
    Value x = inner;
    for(int i = 0; i < 1000; i++)
        x = Value(x[0]);
    EXPECT_EQ(x, Value(7));
}
