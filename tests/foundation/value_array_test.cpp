// ValueArray: sharing and copy on write, conversions from Value, equality and hashes,
// text forms, and the binary form including stored forms that must be refused.

#include "foundation/string_stream.h"
#include "foundation/values/value_array.h"
#include "foundation/values/value_map.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

using namespace Qor;

namespace {

ValueArray Arr(std::initializer_list<Value> items)
{
    ValueArray a;
    for(const Value& v : items)
        a.Add(v);
    return a;
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

String Store(ValueArray a)
{
    StringStream s;
    a.Serialize(s);
    EXPECT_FALSE(s.IsError());
    return s.GetText();
}

const int INT_NULL_VALUE = (int)0x80000000;

} // namespace

// Sharing and copy on write ------------------------------------------------------------

TEST(ValueArraySharing, DefaultArraysShareTheNullInstance)
{
    ValueArray::NullData& null = ValueArray::GetNullData();
    int before = null.GetRefCount();
    {
        ValueArray a, b;
        EXPECT_EQ(a.GetData(), &null);
        EXPECT_EQ(b.GetData(), &null);
        EXPECT_EQ(null.GetRefCount(), before + 2);
        EXPECT_EQ(a.GetCount(), 0);
        Value v(a);
        EXPECT_EQ(null.GetRefCount(), before + 3);
        EXPECT_TRUE(v.IsNull());
        EXPECT_EQ(v.GetTypeNumber(), VALUEARRAY_V);
        EXPECT_TRUE(v == Value()); // an empty array is Null, so it equals void
        EXPECT_TRUE(Value() == v);
    }
    EXPECT_EQ(null.GetRefCount(), before);
}

TEST(ValueArraySharing, CopyOnWriteTable)
{
    // Each case starts from a = [1, 2] and b, a copy of a, then changes b.
    struct Case {
        const char* name;
        std::function<void(ValueArray& a, ValueArray& b)> act;
        bool shared; // a and b still point at one data object
        std::vector<int> b_items;
    };
    const Case cases[] = {
        {"copy only", [](ValueArray&, ValueArray&) {}, true, {1, 2}},
        {"add to copy", [](ValueArray&, ValueArray& b) { b.Add(3); }, false, {1, 2, 3}},
        {"clear copy", [](ValueArray&, ValueArray& b) { b.Clear(); }, false, {}},
        {"unshare copy", [](ValueArray&, ValueArray& b) { b.Unshare(); }, false, {1, 2}},
        {"create on copy", [](ValueArray&, ValueArray& b) { b.Create(); }, false, {}},
        {"add then assign back", [](ValueArray& a, ValueArray& b) { b.Add(3); b = a; }, true, {1, 2}},
        {"self-assign", [](ValueArray&, ValueArray& b) { ValueArray& c = b; b = c; }, true, {1, 2}},
        {"add own element", [](ValueArray&, ValueArray& b) { b.Add(b[1]); }, false, {1, 2, 2}},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ValueArray a = Arr({1, 2});
        ValueArray b = a;
        EXPECT_EQ(a.GetData()->GetRefCount(), 2);
        c.act(a, b);
        EXPECT_EQ(a.GetData() == b.GetData(), c.shared);
        EXPECT_EQ(a.GetData()->GetRefCount(), c.shared ? 2 : 1);
        EXPECT_EQ(b.GetData()->GetRefCount(), c.shared ? 2 : 1);
        ASSERT_EQ(a.GetCount(), 2); // the original never sees the change
        EXPECT_EQ(a[0], Value(1));
        EXPECT_EQ(a[1], Value(2));
        ASSERT_EQ(b.GetCount(), (int)c.b_items.size());
        for(int i = 0; i < b.GetCount(); i++)
            EXPECT_EQ(b[i], Value(c.b_items[i]));
    }
}

TEST(ValueArraySharing, AddingOwnElementWhileGrowingKeepsIt)
{
    ValueArray a = Arr({String("a text long enough to live in a heap block")});
    for(int i = 0; i < 40; i++) // several growths, each copying an element of the old block
        a.Add(a[i]);
    ASSERT_EQ(a.GetCount(), 41);
    for(int i = 0; i < 41; i++)
        EXPECT_EQ(a[i].GetString(), "a text long enough to live in a heap block");
}

TEST(ValueArraySharing, ValuesHoldOneReference)
{
    ValueArray a = Arr({1});
    Value v(a);
    Value w = v;
    EXPECT_EQ(a.GetData()->GetRefCount(), 3);
    a.Add(2); // v and w keep the old items
    EXPECT_EQ(v.GetCount(), 1);
    EXPECT_EQ(w.GetRep(), v.GetRep());
    EXPECT_EQ(v.GetRep()->GetRefCount(), 2);
    EXPECT_EQ(a.GetCount(), 2);
}

TEST(ValueArraySharing, TakesOverAVectorsBlock)
{
    Vector<Value> v;
    v.Add(1);
    v.Add("x");
    const Value* block = v.begin();
    ValueArray a(static_cast<Vector<Value>&&>(v));
    EXPECT_TRUE(v.IsMovedFrom());
    EXPECT_EQ(a.GetItems().begin(), block);
    EXPECT_EQ(a.GetData()->GetRefCount(), 1);
    ASSERT_EQ(a.GetCount(), 2);
    EXPECT_EQ(a[1], Value("x"));
}

TEST(ValueArraySharing, FromValue)
{
    ValueArray items = Arr({7, 8});
    ValueMap m;
    m.Add("k", 9);
    struct Case {
        const char* name;
        Value source;
        const Value::Void* expected;
    };
    const Case cases[] = {
        {"void", Value(), &ValueArray::GetNullData()},
        {"Null int", Value(INT_NULL_VALUE), &ValueArray::GetNullData()},
        {"array", Value(items), items.GetData()},
        {"map gives its values", Value(m), m.GetValues().GetData()},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int before = c.expected->GetRefCount();
        ValueArray a(c.source);
        EXPECT_EQ(a.GetData(), c.expected);
        EXPECT_EQ(c.expected->GetRefCount(), before + 1);
    }
}

TEST(ValueArraySharing, ValueElementAccess)
{
    Value v(Arr({"a", 2}));
    EXPECT_EQ(v.GetCount(), 2);
    EXPECT_EQ(v[0], Value("a"));
    EXPECT_EQ(v[1], Value(2));
    EXPECT_EQ(&v[2], &SharedErrorValue()); // out of range stays safe
    EXPECT_EQ(&v["a"], &SharedErrorValue()); // keys only on maps
}

// Equality and hashes ------------------------------------------------------------------

TEST(ValueArrayCompare, EqualityTable)
{
    struct Case {
        const char* name;
        ValueArray a, b;
        bool equal;
    };
    const Case cases[] = {
        {"same items", Arr({1, 2}), Arr({1, 2}), true},
        {"other order", Arr({1, 2}), Arr({2, 1}), false},
        {"other count", Arr({1}), Arr({1, 2}), false},
        {"equal across number types", Arr({1, "a"}), Arr({1.0, "a"}), true},
        {"Null int and void", Arr({INT_NULL_VALUE}), Arr({Value()}), true},
        {"text and number", Arr({"1"}), Arr({1}), false},
        {"nested", Arr({Arr({1}), Arr({2})}), Arr({Arr({1}), Arr({2})}), true},
        {"nested differ", Arr({Arr({1})}), Arr({Arr({2})}), false},
        {"both empty", ValueArray(), Arr({}), true},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.a == c.b, c.equal);
        EXPECT_EQ(c.b == c.a, c.equal);
        EXPECT_EQ(Value(c.a) == Value(c.b), c.equal);
        EXPECT_EQ(Value(c.b) == Value(c.a), c.equal);
        if(c.equal) { // equal Values must hash alike
            EXPECT_EQ(Value(c.a).GetHashValue(), Value(c.b).GetHashValue());
        }
    }
}

TEST(ValueArrayCompare, HashTable)
{
    struct Case {
        const char* name;
        ValueArray a;
        uint32 hash;
    };
    const Case cases[] = {
        {"empty", ValueArray(), 0xe2f62ff2},
        {"one void", Arr({Value()}), 0x12592f23},
        {"1, 2", Arr({1, 2}), 0x125931f3},
        {"1, 2 as other types", Arr({true, int64(2)}), 0x125931f3},
        {"2, 1", Arr({2, 1}), 0x12592f23},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.a.GetHashValue(), c.hash);
        // A Value holding the array hashes through the data, except that Null gives 0.
        EXPECT_EQ(Value(c.a).GetHashValue(), c.a.IsEmpty() ? 0u : c.hash);
    }
}

// Text forms ---------------------------------------------------------------------------

TEST(ValueArrayText, TextTable)
{
    ValueMap m;
    m.Add(1, "a");
    struct Case {
        ValueArray a;
        const char* text;
    };
    const Case cases[] = {
        {ValueArray(), "[]"},
        {Arr({1, 2, INT_NULL_VALUE}), "[1, 2, ]"},
        {Arr({"x", Arr({1, 2})}), "[x, [1, 2]]"},
        {Arr({Value(), ValueArray()}), "[, ]"},
        {Arr({m}), "[{ 1: a }]"},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.a.ToString(), c.text);
        EXPECT_EQ(Value(c.a).ToString(), c.a.IsEmpty() ? "" : c.text); // Null prints empty
    }
}

// Binary form --------------------------------------------------------------------------

TEST(ValueArrayBinary, ExactBytesAndRoundTrip)
{
    ValueMap m;
    m.Add(1, 2);
    struct Case {
        const char* name;
        ValueArray a;
        std::vector<int> bytes;
    };
    const Case cases[] = {
        {"one int 5", Arr({5}), {0x02, 0x02, 0x05, 0x00, 0x00, 0x00}},
        {"empty", ValueArray(), {0x01}},
        {"text and void", Arr({"ab", Value()}), {0x03, 0x04, 0x02, 'a', 'b', 0x01}},
        {"Null int", Arr({INT_NULL_VALUE}), {0x02, 0x02, 0x00, 0x00, 0x00, 0x80}},
        {"bool and double", Arr({true, 0.5}),
         {0x03, 0x0C, 0x01, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xE0, 0x3F}},
        {"nested array", Arr({Arr({1})}), {0x02, 0x0A, 0x02, 0x02, 0x01, 0x00, 0x00, 0x00}},
        {"map item", Arr({m}),
         {0x02, 0x0D,                                 // one item, type 12
          0x02, 0x02, 0x01, 0x00, 0x00, 0x00,         // keys: int 1
          0x01, 0x02, 0x23, 0x2F, 0x59, 0x12,         // hash part: one hash
          0x02, 0x02, 0x02, 0x00, 0x00, 0x00}},       // values: int 2
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        String stored = Store(c.a);
        EXPECT_EQ(ToBytes(stored), c.bytes);
        StringStream in(stored);
        ValueArray loaded = Arr({99}); // loading replaces what was there
        loaded.Serialize(in);
        EXPECT_FALSE(in.IsError());
        EXPECT_TRUE(in.IsEof());
        EXPECT_TRUE(loaded == c.a);
        EXPECT_EQ(loaded.GetHashValue(), c.a.GetHashValue());
        EXPECT_EQ(loaded.GetData()->GetRefCount(), 1);
    }
}

TEST(ValueArrayBinary, ErrorValueItemLoadsAsVoid)
{
    StringStream in(Bytes({0x02, 0x07}));
    ValueArray a;
    a.Serialize(in);
    EXPECT_FALSE(in.IsError());
    ASSERT_EQ(a.GetCount(), 1);
    EXPECT_TRUE(a[0].IsVoid());
}

TEST(ValueArrayBinary, CorruptFormsAreLoadErrors)
{
    std::string deep_ok, deep_bad;
    for(int i = 0; i < VALUE_LOAD_DEPTH_LIMIT - 1; i++)
        deep_ok += "\x02\x0A"; // an array holding one array, and so on
    deep_ok += '\x01';
    for(int i = 0; i < VALUE_LOAD_DEPTH_LIMIT; i++)
        deep_bad += "\x02\x0A";
    deep_bad += '\x01';
    struct Case {
        const char* name;
        String bytes;
        bool error;
    };
    const Case cases[] = {
        {"no bytes", String(), true},
        {"count beyond the items", Bytes({0x04, 0x02, 0x05, 0x00, 0x00, 0x00}), true},
        {"forged huge count", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x02, 0x05, 0x00, 0x00, 0x00}), true},
        {"truncated int", Bytes({0x02, 0x02, 0x05, 0x00}), true},
        {"unregistered type", Bytes({0x02, 0xC9}), true},
        {"missing type number", Bytes({0x02}), true},
        {"nesting past the limit", String(deep_bad.data(), (int)deep_bad.size()), true},
        // after a refused (and thrown) deep load the nesting count must be back at 0
        {"nesting at the limit", String(deep_ok.data(), (int)deep_ok.size()), false},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StringStream in(c.bytes);
        ValueArray a;
        a.Serialize(in);
        EXPECT_EQ(in.IsError(), c.error);
        for(int i = 0; i < a.GetCount(); i++) // whatever was kept is readable
            a[i].ToString();
        StringStream throwing(c.bytes);
        throwing.SetLoadThrowing();
        ValueArray b;
        if(c.error)
            EXPECT_THROW(b.Serialize(throwing), LoadingError);
        else
            EXPECT_NO_THROW(b.Serialize(throwing));
    }
}
