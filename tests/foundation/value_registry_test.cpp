// Value type registry and the stored forms of a whole Value: names and numbers both ways,
// factories, the exact binary form of each basic type, custom registered types, the framed
// form, and corrupt input of every kind loading as an error without a partly built Value.

#include "foundation/string_stream.h"
#include "foundation/values/value_array.h"
#include "foundation/values/value_map.h"
#include "foundation/values/value_registry.h"
#include "foundation/values/value_rep.h"
#include "stream_test_util.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace Qor;
using QorTest::Bytes;
using QorTest::ChunkStream;
using QorTest::ToBytes;

// A shared type with a fixed number of its own, registered by the tests.
namespace RegistryTestTypes {
struct Thing {
    int32 a = 0;
    String b;
};
inline bool IsNullValue(const Thing& t) { return t.a == 0 && t.b.IsEmpty(); }
inline void ValueSerialize(Stream& s, Thing& t) { s.Serialize(t.a).Serialize(t.b); }
inline uint32 ValueHash(const Thing& t) { return CombineHash((uint32)t.a, t.b.GetHashValue()); }
inline bool ValueEquals(const Thing& x, const Thing& y) { return x.a == y.a && x.b == y.b; }
inline String ValueText(const Thing& t) { return t.b; }

// Kept in a RawValueRep: no fixed number, no name, no factory.
struct Loose {
    int x = 0;
};
} // namespace RegistryTestTypes

namespace Qor {
template <>
struct ValueTypeNumberOf<RegistryTestTypes::Thing> {
    static int Get() { return 190; }
};
} // namespace Qor

namespace {

using RegistryTestTypes::Loose;
using RegistryTestTypes::Thing;

constexpr int THING_V = 190;
constexpr int IN_PLACE_TEST_V = 233; // an in-place type with a 4-byte payload

Value MakeThing(int a, const char* b)
{
    auto* rep = new RichValueRep<Thing>();
    rep->Get().a = a;
    rep->Get().b = b;
    return Value::FromRep(rep);
}

Value::Void* NewThing() { return new RichValueRep<Thing>(); }
Value::Void* NewThingMarked() // a second factory for the same number; must never be used
{
    auto* rep = new RichValueRep<Thing>();
    rep->Get().a = -1;
    return rep;
}

bool TestIsNull(const Value* v) { return v->Payload<int32>() == 0; }
void TestSerialize(Value* v, Stream& s)
{
    int32 x = v->Payload<int32>();
    s.Serialize(x);
    if(s.IsLoading())
        v->SetPayload(x);
}
void NoXml(Value*, XmlizeIo&) {}
void NoJson(Value*, JsonizeIo&) {}
uint32 TestHash(const Value* v) { return (uint32)v->Payload<int32>(); }
bool TestEquals(const Value* a, const Value* b) { return a->Payload<int32>() == b->Payload<int32>(); }
bool TestOther(const Value*, const Value*) { return false; }
String TestText(const Value*) { return "test"; }
const ValueOps test_ops = {TestIsNull, TestSerialize, NoXml, NoJson, TestHash, TestEquals, TestOther, TestText};

Value MakeInPlace(int32 x)
{
    Value v;
    v.SetInPlaceTag(IN_PLACE_TEST_V);
    v.SetPayload(x);
    return v;
}

// Registered once for the whole suite: the registry keeps everything until exit.
void RegisterTestTypes()
{
    static bool done = false;
    if(done)
        return;
    done = true;
    RegisterValueType(THING_V, NewThing, "RegistryTestThing");
    RegisterValueType(THING_V, NewThingMarked, "RegistryTestThingAlias");
    RegisterInPlaceValueType(IN_PLACE_TEST_V, &test_ops, "RegistryTestInPlace");
}

String Store(const Value& v)
{
    Value copy(v);
    StringStream s;
    SerializeValue(s, copy);
    EXPECT_FALSE(s.IsError());
    return s.GetText();
}

// Loads from a seekable stream; the Value starts out holding something that must go.
Value Load(const String& bytes, bool* error, bool throwing = false, bool* thrown = nullptr)
{
    ValueArray previous;
    previous.Add(1);
    Value v(previous);
    StringStream s(bytes);
    s.SetLoadThrowing(throwing);
    try {
        SerializeValue(s, v);
    }
    catch(const LoadingError&) {
        if(thrown)
            *thrown = true;
    }
    *error = s.IsError();
    return v;
}

// What every failed load must leave: nothing that could be mistaken for loaded data.
bool IsEmptyResult(const Value& v)
{
    return v.IsVoid() || (v.IsStringForm() && v.StringRef().IsEmpty());
}

} // namespace

// Registry -------------------------------------------------------------------------------

TEST(ValueRegistry, StandardNamesBothWays)
{
    struct Case { const char* name; int number; };
    const Case cases[] = {
        {"WString", 8}, {"Complex", 20}, {"ValueArray", 9}, {"ValueMap", 12}, {"String", 3},
        {"int", 1}, {"double", 2}, {"void", 0}, {"Date", 4}, {"Time", 5}, {"int64", 10},
        {"bool", 11}, {"error", 6},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(LookupValueTypeNumber(c.name), c.number) << c.name;
        EXPECT_EQ(LookupValueTypeName(c.number), String(c.name)) << c.number;
    }
    EXPECT_EQ(LookupValueTypeNumber("Integer"), (int)0x80000000);
    EXPECT_EQ(LookupValueTypeNumber(""), VALUE_TYPE_UNKNOWN);
    EXPECT_EQ(LookupValueTypeNumber("INT"), VALUE_TYPE_UNKNOWN); // names are exact
    EXPECT_TRUE(LookupValueTypeName(7).IsEmpty());
    EXPECT_TRUE(LookupValueTypeName(UNKNOWN_V + 3).IsEmpty());
}

TEST(ValueRegistry, FactoriesMakeEmptyRepresentations)
{
    const int shared[] = {WSTRING_V, COMPLEX_V, VALUEARRAY_V, VALUEMAP_V};
    for(int number : shared) {
        Value::Void* rep = CreateValueRep(number);
        ASSERT_NE(rep, nullptr) << number;
        EXPECT_EQ(rep->GetRefCount(), 1);
        Value v = Value::FromRep(rep);
        EXPECT_EQ(v.GetTypeNumber(), number);
        EXPECT_EQ(v.GetCount(), 0);
    }
    EXPECT_TRUE(Value::FromRep(CreateValueRep(WSTRING_V)).ToWString().IsEmpty());
    EXPECT_EQ(static_cast<RawValueRep<Complex>*>(Value::FromRep(CreateValueRep(COMPLEX_V)).GetRep())->Get(),
              Complex(0, 0));
    // Types held in place or in String form, and error, have no factory.
    for(int number : {(int)VOID_V, (int)INT_V, (int)STRING_V, (int)ERROR_V, (int)DATE_V, (int)BOOL_V, 200, (int)UNKNOWN_V})
        EXPECT_EQ(CreateValueRep(number), nullptr) << number;
}

TEST(ValueRegistry, FirstFactoryAndFirstNameStay)
{
    RegisterTestTypes();
    EXPECT_EQ(LookupValueTypeName(THING_V), String("RegistryTestThing"));
    EXPECT_EQ(LookupValueTypeNumber("RegistryTestThing"), THING_V);
    EXPECT_EQ(LookupValueTypeNumber("RegistryTestThingAlias"), THING_V); // the extra row
    Value v = Value::FromRep(CreateValueRep(THING_V));
    EXPECT_EQ(static_cast<RawValueRep<Thing>*>(v.GetRep())->Get().a, 0); // not the marked one
    EXPECT_EQ(LookupValueTypeName(IN_PLACE_TEST_V), String("RegistryTestInPlace"));
    EXPECT_EQ(value_ops_table[IN_PLACE_TEST_V], &test_ops);
    // Registering does not disturb the standard rows.
    EXPECT_EQ(LookupValueTypeNumber("int"), INT_V);
}

// Binary form ---------------------------------------------------------------------------

namespace {

struct FormCase {
    const char* what;
    std::function<Value()> make;
    std::vector<int> bytes;
};

std::vector<int> Concat(std::vector<int> a, const std::vector<int>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<int> Le32(uint32 x) { return {int(x & 0xff), int(x >> 8 & 0xff), int(x >> 16 & 0xff), int(x >> 24)}; }

std::vector<FormCase> FormCases()
{
    ValueArray array;
    array.Add(1);
    array.Add("a");
    ValueMap map;
    map.Add("a", 1);
    uint32 key_hash = Value("a").GetHashValue() & 0x7fffffff;
    std::string long_text(127, 'x');
    return {
        {"int 5", [] { return Value(5); }, {0x02, 5, 0, 0, 0}},
        {"int Null", [] { return Value(INT_NULL); }, {0x02, 0, 0, 0, 0x80}},
        {"void", [] { return Value(); }, {0x01}},
        {"empty String", [] { return Value(String()); }, {0x04, 0x00}},
        {"String abc", [] { return Value("abc"); }, {0x04, 3, 'a', 'b', 'c'}},
        {"String of 127", [=] { return Value(String(long_text.data(), 127)); },
         Concat({0x04, 0xFF, 127, 0, 0, 0}, std::vector<int>(127, 'x'))},
        {"double 1.5", [] { return Value(1.5); }, {0x03, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F}},
        {"int64", [] { return Value((int64)0x0102030405060708LL); }, {0x0B, 8, 7, 6, 5, 4, 3, 2, 1}},
        {"bool", [] { return Value(true); }, {0x0C, 1}},
        {"Date", [] { return Value(Date(2024, 3, 15)); }, {0x05, 15, 3, 0xE8, 0x07}},
        {"Time", [] { return Value(Time(2024, 3, 15, 10, 20, 30)); }, {0x06, 15, 3, 0xE8, 0x07, 10, 20, 30}},
        {"WString", [] { return Value(WString("ab")); }, {0x09, 2, 'a', 0, 'b', 0}},
        {"Complex", [] { return Value::FromRep(new RichValueRep<Complex>(Complex(1, 2))); },
         {0x15, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 0, 0, 0, 0, 0, 0, 0, 0x40}},
        {"ValueArray", [=] { return Value(array); }, {0x0A, 3, 0x02, 1, 0, 0, 0, 0x04, 1, 'a'}},
        {"ValueMap", [=] { return Value(map); },
         Concat(Concat({0x0D, 2, 0x04, 1, 'a', 1, 2}, Le32(key_hash)), {2, 0x02, 1, 0, 0, 0})},
        {"registered shared", [] { return MakeThing(7, "z"); }, {0xBF, 7, 0, 0, 0, 1, 'z'}},
        {"registered in place", [] { return MakeInPlace(0x01020304); }, {0xEA, 4, 3, 2, 1}},
    };
}

} // namespace

TEST(ValueBinaryForm, ExactBytesAndRoundTrip)
{
    RegisterTestTypes();
    for(const FormCase& c : FormCases()) {
        Value v = c.make();
        String stored = Store(v);
        EXPECT_EQ(ToBytes(stored), c.bytes) << c.what;
        bool error = true;
        Value back = Load(stored, &error);
        EXPECT_FALSE(error) << c.what;
        EXPECT_EQ(back.GetTypeNumber(), v.GetTypeNumber()) << c.what;
        EXPECT_TRUE(back == v) << c.what;
        EXPECT_EQ(ToBytes(Store(back)), c.bytes) << c.what;
    }
}

TEST(ValueBinaryForm, ContainersCarryEveryRegisteredType)
{
    RegisterTestTypes();
    ValueArray inner;
    inner.Add(MakeThing(3, "in"));
    inner.Add(MakeInPlace(9));
    ValueMap map;
    map.Add(MakeThing(1, "key"), Value(inner));
    map.Add("w", Value(WString("wide")));
    map.Add(Value(Date(2000, 1, 2)), Value());
    bool error = true;
    Value back = Load(Store(Value(map)), &error);
    EXPECT_FALSE(error);
    EXPECT_TRUE(back == Value(map));
    EXPECT_EQ(ValueMap(back).Get(MakeThing(1, "key"))[0].GetTypeNumber(), THING_V);
}

TEST(ValueBinaryForm, ErrorStoresItsNumberAndLoadsAsVoid)
{
    EXPECT_EQ(ToBytes(Store(ErrorValue("bad"))), std::vector<int>{0x07});
    bool error = true;
    Value back = Load(Bytes({0x07}), &error);
    EXPECT_FALSE(error);
    EXPECT_TRUE(back.IsVoid());
}

TEST(ValueBinaryForm, UnregisteredTypeCostsFiveBytesAndDoesNotLoad)
{
    Value v = Value::FromRep(new RawValueRep<Loose>());
    ASSERT_GE(v.GetTypeNumber(), UNKNOWN_V);
    std::vector<int> bytes = Concat({0xFF}, Le32((uint32)v.GetTypeNumber() + 1));
    EXPECT_EQ(ToBytes(Store(v)), bytes);
    bool error = false;
    Value back = Load(Store(v), &error);
    EXPECT_TRUE(error);
    EXPECT_TRUE(back.IsVoid());
}

// Type numbers that name nothing, and numbers that cannot be type numbers at all.
TEST(ValueBinaryForm, WrongTypeNumbersAreLoadErrors)
{
    struct Case { const char* what; std::vector<int> bytes; bool is_void; };
    const Case cases[] = {
        {"200", {0xC9}, true},
        {"7", {0x08, 5, 0, 0, 0}, true},
        {"13", {0x0E, 0}, true},
        {"254", {0xFF, 0xFF, 0, 0, 0}, true},
        {"255", {0xFF, 0x00, 1, 0, 0}, true},
        {"unknown raw type", {0xFF, 0x01, 0, 0, 0x09}, true},
        {"count -1", {0xFF, 0, 0, 0, 0}, false},
        {"past the int range", {0xFF, 1, 0, 0, 0x80}, false},
        {"nothing", {}, false},
    };
    for(const Case& c : cases) {
        std::string raw(c.bytes.begin(), c.bytes.end());
        String bytes(raw.data(), (int)raw.size());
        bool error = false;
        Value v = Load(bytes, &error);
        EXPECT_TRUE(error) << c.what;
        EXPECT_EQ(v.IsVoid(), c.is_void) << c.what;
        EXPECT_TRUE(IsEmptyResult(v)) << c.what;
        bool thrown = false;
        v = Load(bytes, &error, true, &thrown);
        EXPECT_TRUE(thrown) << c.what;
        EXPECT_TRUE(IsEmptyResult(v)) << c.what;
    }
}

// Every proper prefix of every stored form fails, on a stream that knows its size and on
// one that does not, throwing or not, and leaves no partly loaded Value.
TEST(ValueBinaryForm, EveryTruncationIsALoadError)
{
    RegisterTestTypes();
    for(const FormCase& c : FormCases()) {
        std::string full(c.bytes.begin(), c.bytes.end());
        for(size_t n = 0; n < full.size(); n++) {
            String prefix(full.data(), (int)n);
            for(bool throwing : {false, true}) {
                bool error = false;
                bool thrown = false;
                Value v = Load(prefix, &error, throwing, &thrown);
                EXPECT_TRUE(error) << c.what << " cut at " << n;
                EXPECT_EQ(thrown, throwing) << c.what << " cut at " << n;
                EXPECT_TRUE(IsEmptyResult(v)) << c.what << " cut at " << n;
            }
            ChunkStream s(full.substr(0, n), 3);
            Value v = MakeThing(1, "previous");
            SerializeValue(s, v);
            EXPECT_TRUE(s.IsError()) << c.what << " cut at " << n;
            EXPECT_TRUE(IsEmptyResult(v)) << c.what << " cut at " << n;
        }
    }
}

// Stored counts and lengths far beyond the data end the load with the data, instead of
// allocating for them at once; deep nesting is refused rather than exhausting the stack.
TEST(ValueBinaryForm, ForgedSizesAndNestingFail)
{
    struct Case { const char* what; std::string bytes; };
    std::string deep;
    for(int i = 0; i < 100000; i++)
        deep += "\x0A\x02";
    const Case cases[] = {
        {"array count", std::string("\x0A\xFF\xFF\xFF\xFF\x7F\x02\x01\x00\x00\x00", 11)},
        {"map key count", std::string("\x0D\xFF\xF0\xFF\xFF\x7F", 6)},
        {"String length", std::string("\x04\xFF\xF0\xFF\xFF\x7F" "abc", 9)},
        {"WString length", std::string("\x09\xFF\xF0\xFF\xFF\x3F" "ab", 8)},
        {"deep arrays", deep},
    };
    for(const Case& c : cases) {
        for(int chunk : {0, 7}) {
            ChunkStream s(c.bytes, chunk);
            Value v;
            SerializeValue(s, v);
            EXPECT_TRUE(s.IsError()) << c.what;
            EXPECT_TRUE(IsEmptyResult(v)) << c.what;
        }
    }
}

// A map whose stored parts disagree is refused as a whole.
TEST(ValueBinaryForm, InconsistentMapIsALoadError)
{
    ValueMap map;
    map.Add("a", 1);
    String good = Store(Value(map));
    std::string bad(good.Begin(), good.GetLength());
    bad[7] ^= 1; // the first byte of the stored key hash
    bool error = false;
    Value v = Load(String(bad.data(), (int)bad.size()), &error);
    EXPECT_TRUE(error);
    EXPECT_TRUE(IsEmptyResult(v));
}

// Framed form and hex text ----------------------------------------------------------------

TEST(ValueFramedForm, BytesAndRoundTrip)
{
    String framed = StoreAsString(Value(5));
    EXPECT_EQ(ToBytes(framed), (std::vector<int>{'d', 'a', 't', 'a', 0x02, 5, 0, 0, 0, 'e', 'n', 'd', 0, 13, 0, 0, 0}));
    RegisterTestTypes();
    for(const FormCase& c : FormCases()) {
        Value v = c.make();
        Value back(12345);
        EXPECT_TRUE(LoadFromString(back, StoreAsString(v))) << c.what;
        EXPECT_TRUE(back == v) << c.what;
    }
}

TEST(ValueFramedForm, FailedLoadKeepsTheTarget)
{
    RegisterTestTypes();
    String good = StoreAsString(MakeThing(4, "framed"));
    std::string raw(good.Begin(), good.GetLength());
    std::vector<std::string> bad;
    for(size_t n = 0; n < raw.size(); n++)
        bad.push_back(raw.substr(0, n)); // every truncation
    std::string magic = raw, count = raw, type = raw;
    magic[0] = 'D';
    count[count.size() - 4] ^= 1;
    type[4] = (char)0xC9;
    bad.insert(bad.end(), {magic, count, type});
    // A target of a type without a factory could not be rebuilt from a backup of itself.
    Value loose = Value::FromRep(new RawValueRep<Loose>(Loose{42}));
    for(const std::string& b : bad) {
        Value target = loose;
        EXPECT_FALSE(LoadFromString(target, String(b.data(), (int)b.size()))) << b.size();
        EXPECT_EQ(target.GetRep(), loose.GetRep());
    }
}

TEST(ValueFramedForm, UnregisteredTypeTravelsAsHexButDoesNotLoad)
{
    EXPECT_EQ(SerializedBinaryMarker(), String("serialized_binary"));
    Value loose = Value::FromRep(new RawValueRep<Loose>());
    String hex = StoreAsHexText(loose);
    EXPECT_EQ(String(hex.Begin(), 8), String("64617461")); // "data"
    Value target("kept");
    EXPECT_FALSE(LoadFromHexText(target, hex));
    EXPECT_EQ(target, Value("kept"));

    Value date(Date(1999, 12, 31));
    EXPECT_TRUE(LoadFromHexText(target, StoreAsHexText(date)));
    EXPECT_EQ(target, date);
}
