// Deeply nested Value trees: every form stores exactly what it can load back, refuses
// deeper trees with an error, and no form or release recurses once per level.
#include "foundation/string_stream.h"
#include "foundation/values/jsonize.h"
#include "foundation/values/value_array.h"
#include "foundation/values/value_map.h"
#include "foundation/values/value_registry.h"
#include "foundation/values/xmlize.h"
#include "tests/foundation/value_forms_util.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

using namespace Qor;
using namespace QorTest;

namespace {

enum Shape { ARRAYS, MAP_VALUES, MAP_KEYS };

// depth containers, each holding the next; the innermost holds the int leaf.
Value Nested(int depth, Shape shape = ARRAYS, int leaf = 7)
{
    Value v(leaf);
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

// The text of Nested(depth, shape, leaf), written out level by level (outermost first).
std::string NestedText(int depth, Shape shape, int leaf)
{
    std::string opening, closing;
    for(int i = depth - 1; i >= 0; i--) {
        std::string level = std::to_string(i);
        opening += shape == ARRAYS ? "[" : shape == MAP_VALUES ? "{ " + level + ": " : "{ ";
    }
    for(int i = 0; i < depth; i++)
        closing += shape == ARRAYS ? "]" : shape == MAP_VALUES ? " }" : ": " + std::to_string(i) + " }";
    return opening + std::to_string(leaf) + closing;
}

} // namespace

TEST(ValueNesting, EveryFormStoresWhatItLoadsAndRefusesDeeper)
{
    struct Case {
        int depth;
        Shape shape;
        bool stored;
    } cases[] = {
        { VALUE_LOAD_DEPTH_LIMIT, ARRAYS, true },
        { VALUE_LOAD_DEPTH_LIMIT + 1, ARRAYS, false },
        { VALUE_LOAD_DEPTH_LIMIT, MAP_VALUES, true },
        { VALUE_LOAD_DEPTH_LIMIT + 1, MAP_VALUES, false },
        { VALUE_LOAD_DEPTH_LIMIT, MAP_KEYS, true },
        { VALUE_LOAD_DEPTH_LIMIT + 1, MAP_KEYS, false },
        { 50000, ARRAYS, false },
        { 50000, MAP_VALUES, false },
    };
    for(const ValueForm& f : value_forms)
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
    struct Case {
        Shape shape;
        int depth;
    } cases[] = { { ARRAYS, 200000 }, { MAP_VALUES, 200000 }, { MAP_KEYS, 3000 } };
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

// Trees built in code far deeper than any stored form: hashing, comparing and printing
// walk them without recursion and give what they give for shallow trees.
TEST(ValueNesting, DeepTreesHashCompareAndPrintWithoutRecursion)
{
    // Keys are hashed at every level while a chain of keys is built: it stays shorter.
    struct Case {
        Shape shape;
        int depth;
        Value a = Value(), same = Value(), other = Value(); // same equals a, sharing no data object
        std::string text = std::string();
    } cases[] = { { ARRAYS, 200000 }, { MAP_VALUES, 200000 }, { MAP_KEYS, 3000 } };
    for(Case& c : cases) {
        SCOPED_TRACE("shape " + std::to_string(c.shape));
        c.a = Nested(c.depth, c.shape);
        c.same = Nested(c.depth, c.shape);
        c.other = Nested(c.depth, c.shape, 8);
        EXPECT_TRUE(c.a == c.same);
        EXPECT_TRUE(c.same == c.a);
        EXPECT_FALSE(c.a == c.other);
        EXPECT_EQ(c.a.GetHashValue(), c.same.GetHashValue());
        EXPECT_NE(c.a.GetHashValue(), c.other.GetHashValue());
        c.text = NestedText(c.depth, c.shape, 7);
        EXPECT_EQ(Std(c.a.ToString()), c.text);
        if(c.shape == ARRAYS)
            EXPECT_TRUE(ValueArray(c.a) == ValueArray(c.same));
        else
            EXPECT_FALSE(ValueMap(c.a) == ValueMap(c.other));
    }
    // Deep trees as the keys of a map: added, found by equal trees, printed.
    const Case& arrays = cases[0];
    const Case& maps = cases[1];
    ValueMap m;
    m.Add(arrays.a, "deep");
    m.Add(maps.a, "deep map");
    EXPECT_EQ(m.Get(arrays.same), Value("deep"));
    EXPECT_EQ(m.Get(maps.same), Value("deep map"));
    EXPECT_EQ(&m.Get(arrays.other), &SharedErrorValue());
    EXPECT_EQ(Std(m.ToString()), "{ " + arrays.text + ": deep, " + maps.text + ": deep map }");
}

// Wide containers print element by element, with Null elements and nested containers in
// their places, the same as narrow ones.
TEST(ValueNesting, WideContainersPrintEveryElementInOrder)
{
    const int wide = 100000;
    ValueArray a;
    ValueMap m;
    std::string array_text = "[", map_text = "{ ";
    for(int i = 0; i < wide; i++) {
        std::string sep = i ? ", " : "";
        if(i % 1000 == 999) {
            a.Add(Value());
            array_text += sep;
        }
        else if(i % 1000 == 500) {
            ValueArray pair;
            pair.Add(i);
            pair.Add(-i);
            a.Add(Value(pair));
            array_text += sep + "[" + std::to_string(i) + ", " + std::to_string(-i) + "]";
        }
        else {
            a.Add(i);
            array_text += sep + std::to_string(i);
        }
        m.Add(i, i % 2 ? Value(std::to_string(i).c_str()) : Value(a[0]));
        map_text += sep + std::to_string(i) + ": " + (i % 2 ? std::to_string(i) : "0");
    }
    array_text += "]";
    map_text += " }";
    EXPECT_EQ(Std(a.ToString()), array_text);
    EXPECT_EQ(Std(m.ToString()), map_text);
    ValueArray both;
    both.Add(a);
    both.Add(m);
    EXPECT_EQ(Std(Value(both).ToString()), "[" + array_text + ", " + map_text + "]");
}
