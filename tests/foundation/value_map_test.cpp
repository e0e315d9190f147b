// ValueMap: sharing and copy on write, lookups, conversions from Value, equality and
// hashes, text forms, and the binary form including stored maps whose parts disagree.

#include "foundation/string_stream.h"
#include "foundation/values/value_array.h"
#include "foundation/values/value_map.h"
#include "tests/foundation/value_forms_util.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

using namespace Qor;
using namespace QorTest;

namespace {

ValueMap Map(std::initializer_list<std::pair<Value, Value>> entries)
{
    ValueMap m;
    for(const auto& e : entries)
        m.Add(e.first, e.second);
    return m;
}

String Bytes(std::initializer_list<int> bytes)
{
    std::string s;
    for(int b : bytes)
        s += (char)b;
    return String(s.data(), (int)s.size());
}

std::vector<int> ToBytes(const String& s)
{
    std::vector<int> v;
    for(int i = 0; i < s.GetLength(); i++)
        v.push_back(s[i]);
    return v;
}

// An empty map as binary loading makes it: not the shared Null one.
ValueMap LoadedEmptyMap()
{
    StringStream in(Bytes({0x01, 0x01, 0x01, 0x01}));
    ValueMap m;
    m.Serialize(in);
    return m;
}

// The hash of the int 1 as the key hash part stores it: 0x12592f23.
#define INT1_HASH 0x23, 0x2F, 0x59, 0x12

} // namespace

// Sharing and copy on write ------------------------------------------------------------

TEST(ValueMapSharing, DefaultMapsShareTheNullInstance)
{
    ValueMap::NullData& null = ValueMap::GetNullData();
    int before = null.GetRefCount();
    {
        ValueMap a, b;
        EXPECT_EQ(a.GetData(), &null);
        EXPECT_EQ(b.GetData(), &null);
        EXPECT_EQ(null.GetRefCount(), before + 2);
        // its values are the shared empty array
        EXPECT_EQ(a.GetValues().GetData(), &ValueArray::GetNullData());
        Value v(a);
        EXPECT_TRUE(v.IsNull());
        EXPECT_EQ(v.GetTypeNumber(), VALUEMAP_V);
        EXPECT_TRUE(v == Value());
    }
    EXPECT_EQ(null.GetRefCount(), before);
}

TEST(ValueMapSharing, EmptyButNotNullAfterLoading)
{
    StringStream in(Bytes({0x01, 0x01, 0x01, 0x01}));
    ValueMap m;
    m.Serialize(in);
    EXPECT_FALSE(in.IsError());
    EXPECT_EQ(m.GetCount(), 0);
    EXPECT_NE(m.GetData(), &ValueMap::GetNullData());
    EXPECT_FALSE(Value(m).IsNull());
    EXPECT_TRUE(m == ValueMap()); // equal all the same: no keys, no values
}

TEST(ValueMapSharing, CopyOnWriteTable)
{
    // Each case starts from a = { 1: x } and b, a copy of a, then changes b.
    struct Case {
        const char* name;
        std::function<void(ValueMap& a, ValueMap& b)> act;
        bool shared;        // one map data object
        bool values_shared; // one values data object
        int b_count;
    };
    const Case cases[] = {
        {"copy only", [](ValueMap&, ValueMap&) {}, true, true, 1},
        {"unshare keeps the values shared", [](ValueMap&, ValueMap& b) { b.Unshare(); }, false, true, 1},
        {"add to copy", [](ValueMap&, ValueMap& b) { b.Add(2, "y"); }, false, false, 2},
        {"assign back", [](ValueMap& a, ValueMap& b) { b.Add(2, "y"); b = a; }, true, true, 1},
        {"self-assign", [](ValueMap&, ValueMap& b) { ValueMap& c = b; b = c; }, true, true, 1},
        {"add own key", [](ValueMap&, ValueMap& b) { b.Add(b.GetKey(0), b.GetValue(0)); }, false, false, 2},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ValueMap a;
        a.Add(1, "x");
        ValueMap b = a;
        c.act(a, b);
        EXPECT_EQ(a.GetData() == b.GetData(), c.shared);
        EXPECT_EQ(a.GetValues().GetData() == b.GetValues().GetData(), c.values_shared);
        EXPECT_EQ(a.GetData()->GetRefCount(), c.shared ? 2 : 1);
        // shared values are held by one map data, or by both
        EXPECT_EQ(a.GetValues().GetData()->GetRefCount(), c.values_shared && !c.shared ? 2 : 1);
        ASSERT_EQ(a.GetCount(), 1);
        EXPECT_EQ(a.Get(1), Value("x"));
        EXPECT_EQ(&a.Get(2), &SharedErrorValue());
        ASSERT_EQ(b.GetCount(), c.b_count);
        EXPECT_EQ(b.Get(1), Value("x"));
        EXPECT_EQ(b.Find(b.GetKey(b.GetCount() - 1)), b.GetKey(0) == b.GetKey(b.GetCount() - 1) ? 0 : b.GetCount() - 1);
    }
}

TEST(ValueMapSharing, FromValue)
{
    ValueArray xy;
    xy.Add("x");
    xy.Add("y");
    ValueMap from_array(Value{xy});
    ASSERT_EQ(from_array.GetCount(), 2);
    EXPECT_TRUE(from_array.GetKey(0).IsInPlace(INT_V));
    EXPECT_EQ(from_array.GetKey(0), Value(0));
    EXPECT_EQ(from_array.GetKey(1), Value(1));
    EXPECT_EQ(from_array.Get(1), Value("y"));
    EXPECT_EQ(from_array.GetValues().GetData(), xy.GetData()); // the items are shared

    ValueMap m = Map({{"k", 1}});
    ValueMap shared(Value{m});
    EXPECT_EQ(shared.GetData(), m.GetData());
    EXPECT_EQ(m.GetData()->GetRefCount(), 2);

    EXPECT_EQ(ValueMap(Value()).GetData(), &ValueMap::GetNullData());
    EXPECT_EQ(ValueMap(Value(ValueArray())).GetData(), &ValueMap::GetNullData()); // Null
}

// Lookups ------------------------------------------------------------------------------

TEST(ValueMapLookup, LookupTable)
{
    ValueMap m;
    m.Add(1, "a");
    m.Add("k", "b");
    m.Add(1, "dup");
    m.Add(Value(), "void");
    m.Add(ValueMap(Value(ValueArray())), "unused"); // a Null key like void
    struct Case {
        const char* name;
        Value key;
        const char* found; // null: missing
    };
    const Case cases[] = {
        {"int key", 1, "a"},
        {"duplicate key gives the first", 1, "a"},
        {"double 1.0 finds int 1", 1.0, "a"},
        {"int64 1 finds int 1", int64(1), "a"},
        {"bool true finds int 1", true, "a"},
        {"text key", "k", "b"},
        {"text key as large String", [] { String s("k"); s.Reserve(40); return Value(s); }(), "b"},
        {"Null key finds the void key", Value(String()), "void"},
        {"missing", 2, nullptr},
        {"text is no number", "1", nullptr},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Value& v = m.Get(c.key);
        if(c.found)
            EXPECT_EQ(v, Value(c.found));
        else {
            EXPECT_EQ(&v, &SharedErrorValue());
            EXPECT_TRUE(v.IsNull());
        }
    }
    EXPECT_EQ(m.GetCount(), 5);
    EXPECT_EQ(m.GetValue(2), Value("dup"));
}

TEST(ValueMapLookup, ValueElementAccess)
{
    Value v(Map({{"a", 10}, {"b", 20}}));
    EXPECT_EQ(v.GetCount(), 2);
    EXPECT_EQ(v["b"], Value(20));
    EXPECT_EQ(v[String("a")], Value(10));
    EXPECT_EQ(&v["c"], &SharedErrorValue());
    EXPECT_EQ(v[1], Value(20)); // by position: the values
    EXPECT_EQ(&v[2], &SharedErrorValue());
    ValueArray values(v);
    EXPECT_EQ(values.GetCount(), 2);
}

// Equality and hashes ------------------------------------------------------------------

TEST(ValueMapCompare, EqualityTable)
{
    struct Case {
        const char* name;
        ValueMap a, b;
        bool equal;
    };
    const Case cases[] = {
        {"same entries", Map({{1, "a"}, {2, "b"}}), Map({{1, "a"}, {2, "b"}}), true},
        {"other order", Map({{1, "a"}, {2, "b"}}), Map({{2, "b"}, {1, "a"}}), false},
        {"other value", Map({{1, "a"}}), Map({{1, "b"}}), false},
        {"other key", Map({{1, "a"}}), Map({{2, "a"}}), false},
        {"other count", Map({{1, "a"}}), Map({{1, "a"}, {1, "a"}}), false},
        {"keys equal across types", Map({{1, "a"}}), Map({{1.0, "a"}}), true},
        {"nested", Map({{"m", Map({{1, 2}})}}), Map({{"m", Map({{1, 2}})}}), true},
        {"both empty", ValueMap(), ValueMap(), true},
        {"loaded empty and Null", LoadedEmptyMap(), ValueMap(), true},
        {"keyed by loaded empty and by Null", Map({{LoadedEmptyMap(), 1}}), Map({{ValueMap(), 1}}), true},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.a == c.b, c.equal);
        EXPECT_EQ(c.b == c.a, c.equal);
        EXPECT_EQ(Value(c.a) == Value(c.b), c.equal);
        if(c.equal) { // equal Values must hash alike
            EXPECT_EQ(Value(c.a).GetHashValue(), Value(c.b).GetHashValue());
        }
    }
    // a map and an array with the same values are different types
    EXPECT_FALSE(Value(Map({{0, 1}})) == Value(ValueArray(Value(Map({{0, 1}})))));
}

TEST(ValueMapCompare, HashTable)
{
    struct Case {
        const char* name;
        ValueMap m;
        uint32 hash;
    };
    const Case cases[] = {
        {"empty", ValueMap(), 0},
        {"loaded empty", LoadedEmptyMap(), 0}, // equal to the Null map, so hashed alike
        {"1: 2", Map({{1, 2}}), 0x1d3},
        {"1: 2, 3: 4", Map({{1, 2}, {3, 4}}), 0x25b51f74},
        {"same as doubles", Map({{1.0, 2.0}, {3.0, 4.0}}), 0x25b51f74},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.m.GetHashValue(), c.hash);
        EXPECT_EQ(Value(c.m).GetHashValue(), c.hash);
    }
}

// Text forms ---------------------------------------------------------------------------

TEST(ValueMapText, TextTable)
{
    ValueArray items;
    items.Add(1);
    struct Case {
        ValueMap m;
        const char* text;
    };
    const Case cases[] = {
        {Map({{1, "a"}, {2, "b"}}), "{ 1: a, 2: b }"},
        {ValueMap(), "{  }"},
        {Map({{"x", items}}), "{ x: [1] }"},
        {Map({{Value(), (int)0x80000000}}), "{ :  }"},
        {Map({{"m", Map({{1, 2}})}}), "{ m: { 1: 2 } }"},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.m.ToString(), c.text);
    }
    EXPECT_EQ(Value(Map({{1, "a"}})).ToString(), "{ 1: a }");
}

// Binary form --------------------------------------------------------------------------

TEST(ValueMapBinary, ExactBytesAndRoundTrip)
{
    uint32 kh = Value("k").GetHashValue() & 0x7fffffff;
    struct Case {
        const char* name;
        ValueMap m;
        std::vector<int> bytes;
    };
    const Case cases[] = {
        {"empty", ValueMap(), {0x01, 0x01, 0x01, 0x01}},
        {"1: a", Map({{1, "a"}}),
         {0x02, 0x02, 0x01, 0x00, 0x00, 0x00, // keys
          0x01, 0x02, INT1_HASH,              // hash part
          0x02, 0x04, 0x01, 'a'}},            // values
        {"k: 5, k: void", Map({{"k", 5}, {"k", Value()}}),
         {0x03, 0x04, 0x01, 'k', 0x04, 0x01, 'k',
          0x01, 0x03, int(kh & 255), int(kh >> 8 & 255), int(kh >> 16 & 255), int(kh >> 24),
          int(kh & 255), int(kh >> 8 & 255), int(kh >> 16 & 255), int(kh >> 24),
          0x03, 0x02, 0x05, 0x00, 0x00, 0x00, 0x01}},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StringStream out;
        ValueMap m = c.m;
        m.Serialize(out);
        String stored = out.GetText();
        EXPECT_EQ(ToBytes(stored), c.bytes);
        StringStream in(stored);
        ValueMap loaded = Map({{7, 7}});
        loaded.Serialize(in);
        EXPECT_FALSE(in.IsError());
        EXPECT_TRUE(in.IsEof());
        EXPECT_TRUE(loaded == c.m);
        EXPECT_EQ(loaded.GetHashValue(), c.m.GetHashValue());
        for(int i = 0; i < loaded.GetCount(); i++) // the rebuilt index finds every key
            EXPECT_EQ(loaded.Find(loaded.GetKey(i)), c.m.Find(c.m.GetKey(i)));
    }
}

// Empty maps as keys, at the top and nested: built ones are Null, loaded ones are not,
// and every form must load back what it stored and find the key again.
TEST(ValueMapForms, EmptyMapKeysRoundTripInEveryForm)
{
    ValueArray holds_empty;
    holds_empty.Add(Value(ValueMap()));
    holds_empty.Add(Value(Map({{ValueMap(), 2}})));
    struct Case {
        const char* name;
        Value key;
    };
    const Case cases[] = {
        {"empty map", Value(ValueMap())},
        {"map keyed by an empty map", Value(Map({{ValueMap(), 3}}))},
        {"array holding empty maps", Value(holds_empty)},
    };
    for(const ValueForm& f : value_forms)
        for(const Case& c : cases) {
            SCOPED_TRACE(std::string(f.name) + ": " + c.name);
            Value v(Map({{c.key, "found"}, {"k", 1}}));
            Value loaded;
            ASSERT_TRUE(f.round_trip(v, loaded));
            EXPECT_TRUE(loaded == v);
            EXPECT_EQ(loaded.GetHashValue(), v.GetHashValue());
            EXPECT_EQ(ValueMap(loaded).Get(c.key), Value("found"));
            // A second round trip of what was loaded, whose empty maps are no longer Null.
            Value again;
            ASSERT_TRUE(f.round_trip(loaded, again));
            EXPECT_TRUE(again == v);
        }
}

TEST(ValueMapBinary, ValueOfAMapRoundTripsAsElement)
{
    ValueArray a;
    a.Add(Map({{"k", 1}, {2, Map({{3, "x"}})}}));
    StringStream out;
    a.Serialize(out);
    StringStream in(out.GetText());
    ValueArray b;
    b.Serialize(in);
    EXPECT_FALSE(in.IsError());
    EXPECT_TRUE(a == b);
    EXPECT_EQ(b[0]["k"], Value(1));
    EXPECT_EQ(ValueMap(b[0]).Get(2).ToString(), "{ 3: x }");
}

TEST(ValueMapBinary, PartsThatDisagreeAreLoadErrors)
{
    struct Case {
        const char* name;
        String bytes;
    };
    const Case cases[] = {
        {"no bytes", String()},
        {"fewer hashes than keys", Bytes({0x02, 0x02, 0x01, 0x00, 0x00, 0x00, 0x01, 0x01, 0x02, 0x04, 0x01, 'a'})},
        {"more hashes than keys",
         Bytes({0x02, 0x02, 0x01, 0x00, 0x00, 0x00, 0x01, 0x03, INT1_HASH, INT1_HASH, 0x02, 0x04, 0x01, 'a'})},
        {"fewer values than keys", Bytes({0x02, 0x02, 0x01, 0x00, 0x00, 0x00, 0x01, 0x02, INT1_HASH, 0x01})},
        {"more values than keys",
         Bytes({0x02, 0x02, 0x01, 0x00, 0x00, 0x00, 0x01, 0x02, INT1_HASH, 0x03, 0x04, 0x01, 'a', 0x01})},
        {"hash of another key",
         Bytes({0x02, 0x02, 0x01, 0x00, 0x00, 0x00, 0x01, 0x02, 0x24, 0x2F, 0x59, 0x12, 0x02, 0x04, 0x01, 'a'})},
        {"hash marked unlinked",
         Bytes({0x02, 0x02, 0x01, 0x00, 0x00, 0x00, 0x01, 0x02, 0x23, 0x2F, 0x59, 0x92, 0x02, 0x04, 0x01, 'a'})},
        {"unknown hash part version",
         Bytes({0x02, 0x02, 0x01, 0x00, 0x00, 0x00, 0x02, 0x02, INT1_HASH, 0x02, 0x04, 0x01, 'a'})},
        {"forged hash count", Bytes({0x02, 0x02, 0x01, 0x00, 0x00, 0x00, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, INT1_HASH})},
        {"ends inside the hashes", Bytes({0x02, 0x02, 0x01, 0x00, 0x00, 0x00, 0x01, 0x02, 0x23, 0x2F})},
        {"ends before the values", Bytes({0x02, 0x02, 0x01, 0x00, 0x00, 0x00, 0x01, 0x02, INT1_HASH})},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for(bool throwing : {false, true}) {
            StringStream in(c.bytes);
            in.SetLoadThrowing(throwing);
            ValueMap m = Map({{1, "old"}});
            if(throwing)
                EXPECT_THROW(m.Serialize(in), LoadingError);
            else
                m.Serialize(in);
            EXPECT_TRUE(in.IsError());
            // Refused: the map is left empty and consistent, so lookups stay in bounds.
            EXPECT_EQ(m.GetCount(), 0);
            EXPECT_EQ(m.GetValues().GetCount(), 0);
            EXPECT_EQ(&m.Get(1), &SharedErrorValue());
            EXPECT_EQ(Value(m).GetCount(), 0);
            EXPECT_EQ(m.ToString(), "{  }");
        }
    }
}
