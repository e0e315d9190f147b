// JSON mapping of the basic types: store and load tables per type, the exact error
// messages, the int64 range edges, Null handling, member steps and the Value seams.

#include "foundation/values/jsonize.h"

#include "foundation/values/value_map.h"
#include "foundation/values/value_rep.h"

#include <gtest/gtest.h>
#include "tests/support/printers.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace Qor;

namespace {

const double TWO63 = 9223372036854775808.0;
const double NAN_V = std::numeric_limits<double>::quiet_NaN();
const double INF_V = std::numeric_limits<double>::infinity();

// One loading case: the source, then either the loaded value or the error message.
template <class T>
struct LoadCase {
    const char* name;
    Value json;
    T expect;
    const char* error; // null when loading succeeds
};

// Loads every case into a variable holding sentinel; a failing load must keep it.
template <class T>
void CheckLoads(const std::vector<LoadCase<T>>& cases, const T& sentinel)
{
    for(const LoadCase<T>& c : cases) {
        SCOPED_TRACE(c.name);
        T x = sentinel;
        if(c.error) {
            try {
                LoadJsonValue(x, c.json);
                ADD_FAILURE() << "loaded without an error";
            }
            catch(const JsonizeError& e) {
                EXPECT_EQ(Std(e), c.error);
            }
            EXPECT_TRUE(x == sentinel) << "a failed load changed the variable";
        }
        else {
            EXPECT_NO_THROW(LoadJsonValue(x, c.json));
            EXPECT_TRUE(x == c.expect);
        }
    }
}

// A Value's type and payload, for comparing stored results.
void ExpectValue(const Value& v, int type, const Value& expect)
{
    EXPECT_EQ(v.GetTypeNumber(), type);
    EXPECT_TRUE(v == expect) << Std(v.ToString());
}

} // namespace

// Numbers --------------------------------------------------------------------------------

TEST(JsonizeNumber, IntLoads)
{
    CheckLoads<int>({
        {"double 3.0", Value(3.0), 3, nullptr},
        {"double -7", Value(-7.0), -7, nullptr},
        {"double 3.5", Value(3.5), 0, "number is not integer"},
        {"text 42", Value("42"), 42, nullptr},
        {"text with blanks and tail", Value("  -12abc"), -12, nullptr},
        {"text 4,5", Value("4,5"), 0, "number is not integer"},
        {"text 4.0e1", Value("4.0e1"), 40, nullptr},
        {"letters", Value("abc"), 0, "number expected"},
        {"bool true", Value(true), 1, nullptr},
        {"int64 5", Value((int64)5), 5, nullptr},
        {"int max", Value(2147483647.0), 2147483647, nullptr},
        {"int min is the int Null", Value(-2147483648.0), INT_NULL, nullptr},
        {"past int max", Value(2147483648.0), 0, "number is not integer"},
        {"past int min", Value(-2147483649.0), 0, "number is not integer"},
        {"NaN", Value(NAN_V), 0, "number is not integer"},
        {"infinity", Value(INF_V), 0, "number is not integer"},
        {"empty text is Null", Value(""), INT_NULL, nullptr},
        {"void is Null", Value(), INT_NULL, nullptr},
        {"Null double", Value(DOUBLE_NULL), INT_NULL, nullptr},
        {"date", Value(Date(2024, 1, 2)), 0, "number expected"},
        {"map", [] { ValueMap m; m.Add("a", Value(1)); return Value(m); }(), 0, "number expected"},
    }, 99);
}

TEST(JsonizeNumber, Int16Loads)
{
    CheckLoads<int16>({
        {"double 12", Value(12.0), 12, nullptr},
        {"edges low", Value(-32768.0), -32768, nullptr},
        {"edges high", Value(32767.0), 32767, nullptr},
        {"40000", Value(40000.0), 0, "16-bit integer expected"},
        {"-32769", Value(-32769.0), 0, "16-bit integer expected"},
        {"fraction", Value(1.25), 0, "16-bit integer expected"},
        {"text 7", Value("7"), 7, nullptr},
        {"Null", Value(INT_NULL), 0, "16-bit integer expected"},
        {"empty text", Value(""), 0, "16-bit integer expected"},
        {"letters", Value("x"), 0, "number expected"},
    }, (int16)99);
}

TEST(JsonizeNumber, DoubleLoads)
{
    CheckLoads<double>({
        {"double", Value(2.5), 2.5, nullptr},
        {"int", Value(-4), -4.0, nullptr},
        {"int64", Value((int64)1 << 40), 1099511627776.0, nullptr},
        {"bool false", Value(false), 0.0, nullptr},
        {"text point", Value("1.5"), 1.5, nullptr},
        {"text comma", Value("1,5"), 1.5, nullptr},
        {"text exponent", Value("-2.50e2"), -250.0, nullptr},
        {"text leading point", Value(".5"), 0.5, nullptr},
        {"text inner zeros", Value("100.05"), 100.05, nullptr},
        {"text trailing zeros", Value("1200.000"), 1200.0, nullptr},
        {"text fraction zeros", Value("-0.0012"), -0.0012, nullptr},
        {"wide text", Value(WString("0,25")), 0.25, nullptr},
        {"text without number", Value("e5"), 0, "number expected"},
        {"Null", Value(), DOUBLE_NULL, nullptr},
        {"empty text", Value(""), DOUBLE_NULL, nullptr},
        {"date", Value(Date(2020, 5, 6)), 0, "number expected"},
    }, 99.0);
}

TEST(JsonizeNumber, Stores)
{
    int i = 5, inull = INT_NULL;
    int16 s = -300;
    double d = 0.125, dnull = DOUBLE_NULL;
    bool b = true;
    ExpectValue(StoreJsonValue(i), DOUBLE_V, Value(5.0));
    ExpectValue(StoreJsonValue(inull), DOUBLE_V, Value(DOUBLE_NULL));
    EXPECT_TRUE(StoreJsonValue(inull).IsNull());
    ExpectValue(StoreJsonValue(s), DOUBLE_V, Value(-300.0));
    ExpectValue(StoreJsonValue(d), DOUBLE_V, Value(0.125));
    EXPECT_TRUE(StoreJsonValue(dnull).IsNull());
    ExpectValue(StoreJsonValue(b), BOOL_V, Value(true));
}

TEST(JsonizeNumber, BoolLoads)
{
    CheckLoads<bool>({
        {"bool true", Value(true), true, nullptr},
        {"bool false", Value(false), false, nullptr},
        {"int 2", Value(2), true, nullptr},
        {"int 0", Value(0), false, nullptr},
        {"double 0", Value(0.0), false, nullptr},
        {"int64 -1", Value((int64)-1), true, nullptr},
        {"text true", Value("true"), false, "boolean expected"},
        {"Null int", Value(INT_NULL), false, "boolean expected"},
        {"empty text", Value(""), false, "boolean expected"},
        {"void", Value(), false, "boolean expected"},
        {"date", Value(Date(2020, 1, 1)), false, "boolean expected"},
    }, true);
    CheckLoads<bool>({{"int 0 into true", Value(0), false, nullptr}}, true);
}

// int64 ---------------------------------------------------------------------------------

TEST(JsonizeInt64, StoresExactRangeAsNumberElseText)
{
    struct Case {
        int64 x;
        int type;
        Value expect;
    } cases[] = {
        {0, INT64_V, Value((int64)0)},
        {((int64)1 << 53) - 1, INT64_V, Value(((int64)1 << 53) - 1)},
        {-((int64)1 << 53), INT64_V, Value(-((int64)1 << 53))},
        {(int64)1 << 53, STRING_V, Value("9007199254740992")},
        {-((int64)1 << 53) - 1, STRING_V, Value("-9007199254740993")},
        {INT64_MAX, STRING_V, Value("9223372036854775807")},
        {INT64_MIN + 1, STRING_V, Value("-9223372036854775807")},
        {INT64_NULL, INT_V, Value(INT_NULL)},
    };
    for(Case& c : cases) {
        SCOPED_TRACE(c.x);
        Value v = StoreJsonValue(c.x);
        ExpectValue(v, c.type, c.expect);
        int64 back = 7;
        LoadJsonValue(back, v);
        EXPECT_EQ(back, c.x);
    }
}

TEST(JsonizeInt64, LoadsAndRangeEdges)
{
    CheckLoads<int64>({
        {"int widened", Value(-5), -5, nullptr},
        {"double 2.9 truncates", Value(2.9), 2, nullptr},
        {"double -2.9 truncates", Value(-2.9), -2, nullptr},
        {"bool true", Value(true), 1, nullptr},
        {"largest double below 2^63", Value(TWO63 - 1024), (int64)9223372036854774784LL, nullptr},
        {"2^63 is out of range", Value(TWO63), 0, "invalid int64 value"},
        {"-2^63 is the lowest int64", Value(-TWO63), INT64_MIN, nullptr},
        {"below -2^63", Value(-TWO63 * 2), 0, "invalid int64 value"},
        {"1e19", Value(1e19), 0, "invalid int64 value"},
        {"NaN", Value(NAN_V), 0, "invalid int64 value"},
        {"+infinity", Value(INF_V), 0, "invalid int64 value"},
        {"-infinity", Value(-INF_V), INT64_NULL, nullptr}, // below the double Null
        {"text", Value("  123xyz"), 123, nullptr},
        {"wide text", Value(WString("-77")), -77, nullptr},
        {"text max", Value("9223372036854775807"), INT64_MAX, nullptr},
        {"text min", Value("-9223372036854775808"), INT64_MIN, nullptr},
        {"text 2^63", Value("9223372036854775808"), 0, "invalid int64 value"},
        {"text far beyond", Value("99999999999999999999"), 0, "invalid int64 value"},
        {"text without digits", Value("-x"), 0, "invalid int64 value"},
        {"Null", Value(INT_NULL), INT64_NULL, nullptr},
        {"empty text", Value(""), INT64_NULL, nullptr},
        {"date", Value(Date(2021, 2, 3)), 0, "invalid int64 value"},
    }, (int64)42);
}

// Texts ---------------------------------------------------------------------------------

TEST(JsonizeText, StringLoadsAndStores)
{
    CheckLoads<String>({
        {"text", Value("abc"), String("abc"), nullptr},
        {"wide text", Value(WString("wide")), String("wide"), nullptr},
        {"Null int", Value(INT_NULL), String(), nullptr},
        {"void", Value(), String(), nullptr},
        {"int", Value(3), String(), "string expected"},
        {"bool", Value(false), String(), "string expected"},
    }, String("keep"));
    String s = "hello";
    ExpectValue(StoreJsonValue(s), STRING_V, Value("hello"));
}

TEST(JsonizeText, WStringLoadsAndStores)
{
    CheckLoads<WString>({
        {"text", Value("abc"), WString("abc"), nullptr},
        {"wide text", Value(WString("xyz")), WString("xyz"), nullptr},
        {"Null", Value(), WString(), nullptr},
        {"double", Value(1.0), WString(), "string expected"},
    }, WString("keep"));
    WString w = "wide";
    Value v = StoreJsonValue(w);
    EXPECT_EQ(v.GetTypeNumber(), WSTRING_V);
    EXPECT_TRUE(v.ToWString() == w);
}

// Date and Time -------------------------------------------------------------------------

TEST(JsonizeDate, LoadsAndStores)
{
    const Date keep(1999, 9, 9);
    CheckLoads<Date>({
        {"compact text", Value("20240131"), Date(2024, 1, 31), nullptr},
        {"wide text", Value(WString("20200229")), Date(2020, 2, 29), nullptr},
        {"day read to the end", Value("2024010" "5xyz"), Date(2024, 1, 5), nullptr},
        {"hyphens", Value("2024-01-31"), Date(), "string expected for Date value"},
        {"30 February", Value("20240230"), Date(), "string expected for Date value"},
        {"six characters", Value("202401"), Date(), "string expected for Date value"},
        {"int", Value(20240131), Date(), "string expected for Date value"},
        {"Null", Value(INT_NULL), Date(), nullptr},
        {"empty text", Value(""), Date(), nullptr},
    }, keep);
    Date d(2024, 3, 7), year5(5, 12, 1), null;
    ExpectValue(StoreJsonValue(d), STRING_V, Value("20240307"));
    ExpectValue(StoreJsonValue(year5), STRING_V, Value("00051201"));
    ExpectValue(StoreJsonValue(null), INT_V, Value(INT_NULL));
}

TEST(JsonizeTime, LoadsAndStores)
{
    const Time keep(1999, 9, 9, 9, 9, 9);
    CheckLoads<Time>({
        {"compact text", Value("20240131T12:30:45"), Time(2024, 1, 31, 12, 30, 45), nullptr},
        {"separators not examined", Value("20240131 01x02y03"), Time(2024, 1, 31, 1, 2, 3), nullptr},
        {"fifteen characters", Value("20240131T12:30:"), Time(), "string expected for Time value"},
        {"hour 24", Value("20240131T24:00:00"), Time(), "string expected for Time value"},
        {"bad date", Value("20230229T10:00:00"), Time(), "string expected for Time value"},
        {"double", Value(1.0), Time(), "string expected for Time value"},
        {"Null", Value(), Time(), nullptr},
    }, keep);
    Time t(2024, 1, 31, 12, 5, 9), null;
    Value v = StoreJsonValue(t);
    ExpectValue(v, STRING_V, Value("20240131T12:05:09"));
    Time back;
    LoadJsonValue(back, v);
    EXPECT_TRUE(back == t);
    ExpectValue(StoreJsonValue(null), INT_V, Value(INT_NULL));
}

// Member steps --------------------------------------------------------------------------

namespace {

struct Item {
    String name;
    int count = 0;
    double weight = 0;
    int64 id = 0;
};

void Jsonize(JsonizeIo& io, Item& x)
{
    io.Member("name", x.name).Member("count", x.count).Member("weight", x.weight).Member("id", x.id);
}

struct Box {
    Item item;
    int size = 0;
};

void Jsonize(JsonizeIo& io, Box& x)
{
    io.Member("item", x.item).Member("size", x.size);
}

} // namespace

TEST(JsonizeMember, StoresObjectInMemberOrder)
{
    Item item{"bolt", 3, 1.5, (int64)1 << 60};
    Value v = StoreJsonValue(item);
    ASSERT_EQ(v.GetTypeNumber(), VALUEMAP_V);
    ValueMap m(v);
    ASSERT_EQ(m.GetCount(), 4);
    const char* keys[] = {"name", "count", "weight", "id"};
    for(int i = 0; i < 4; i++)
        EXPECT_TRUE(m.GetKey(i) == Value(keys[i])) << i;
    ExpectValue(m.GetValue(0), STRING_V, Value("bolt"));
    ExpectValue(m.GetValue(1), DOUBLE_V, Value(3.0));
    ExpectValue(m.GetValue(2), DOUBLE_V, Value(1.5));
    ExpectValue(m.GetValue(3), STRING_V, Value("1152921504606846976"));

    Item back;
    LoadJsonValue(back, v);
    EXPECT_EQ(Std(back.name), "bolt");
    EXPECT_EQ(back.count, 3);
    EXPECT_EQ(back.weight, 1.5);
    EXPECT_EQ(back.id, (int64)1 << 60);
}

TEST(JsonizeMember, NestedObjectIsStoredAsMap)
{
    Box box{{"nut", 7, 0.5, 9}, 2};
    Value v = StoreJsonValue(box);
    ASSERT_EQ(v["item"].GetTypeNumber(), VALUEMAP_V);
    ExpectValue(v["item"]["count"], DOUBLE_V, Value(7.0));
    ExpectValue(v["size"], DOUBLE_V, Value(2.0));
    Box back;
    LoadJsonValue(back, v);
    EXPECT_EQ(Std(back.item.name), "nut");
    EXPECT_EQ(back.item.id, 9);
    EXPECT_EQ(back.size, 2);
}

TEST(JsonizeMember, MissingVoidOrNonMapLeavesMembersUnchanged)
{
    ValueMap m;
    m.Add("count", Value(11));
    m.Add("weight", Value()); // void: left alone
    m.Add("id", Value(""));   // empty text: the int64 Null
    Item x{"keep", 1, 2.0, 3};
    LoadJsonValue(x, Value(m));
    EXPECT_EQ(Std(x.name), "keep"); // absent
    EXPECT_EQ(x.count, 11);
    EXPECT_EQ(x.weight, 2.0);
    EXPECT_EQ(x.id, INT64_NULL);

    Item y{"keep", 1, 2.0, 3};
    Value sources[] = {Value(5), Value("text"), Value()};
    for(const Value& s : sources) {
        LoadJsonValue(y, s);
        EXPECT_EQ(Std(y.name), "keep");
        EXPECT_EQ(y.count, 1);
        EXPECT_EQ(y.id, 3);
    }
}

TEST(JsonizeMember, ErrorStopsLoadingAndKeepsTheFailedMember)
{
    ValueMap m;
    m.Add("name", Value("loaded"));
    m.Add("count", Value(2.5));
    m.Add("weight", Value(8.0));
    Item x{"old", 4, 1.0, 0};
    try {
        LoadJsonValue(x, Value(m));
        ADD_FAILURE() << "no error";
    }
    catch(const JsonizeError& e) {
        EXPECT_EQ(Std(e), "number is not integer");
    }
    EXPECT_EQ(Std(x.name), "loaded"); // members before the failure are loaded
    EXPECT_EQ(x.count, 4);
    EXPECT_EQ(x.weight, 1.0); // members after it are not reached
}

TEST(JsonizeMember, SameNameTwiceAppendsTwoPairs)
{
    int a = 1, b = 2;
    JsonizeIo io;
    io.Member("k", a).Member("k", b);
    ValueMap m(io.GetResult());
    ASSERT_EQ(m.GetCount(), 2);
    EXPECT_TRUE(m.GetValue(0) == Value(1.0));
    EXPECT_TRUE(m.GetValue(1) == Value(2.0));
    // A lookup finds the first pair.
    int back = 0;
    Value stored = io.GetResult();
    JsonizeIo load(stored);
    load.Member("k", back);
    EXPECT_EQ(back, 1);
}

TEST(JsonizeMember, ContextMapLifecycle)
{
    JsonizeIo io;
    EXPECT_TRUE(io.IsStoring());
    EXPECT_EQ(io.GetMap(), nullptr);
    EXPECT_TRUE(io.GetResult().IsVoid());
    int x = 1;
    io.Member("x", x);
    ASSERT_NE(io.GetMap(), nullptr);
    Value kept = io.GetResult();
    io.CreateMap(); // a fresh empty object replaces the old one
    EXPECT_EQ(io.GetMap()->GetCount(), 0);
    EXPECT_EQ(ValueMap(kept).GetCount(), 1); // the earlier result still owns its data
    io.ReleaseMap();
    EXPECT_EQ(io.GetMap(), nullptr);
}

// Value seams ---------------------------------------------------------------------------

TEST(JsonizeSeams, InPlaceRecordsMapTheirPayload)
{
    struct Case {
        Value v;
        Value stored;
    } cases[] = {
        {Value(7), Value(7.0)},
        {Value(2.5), Value(2.5)},
        {Value(true), Value(true)},
        {Value((int64)12), Value((int64)12)},
        {Value(Date(2024, 2, 3)), Value("20240203")},
        {Value(Time(2024, 2, 3, 4, 5, 6)), Value("20240203T04:05:06")},
        {Value("text"), Value("text")},
    };
    for(Case& c : cases) {
        SCOPED_TRACE(c.v.GetTypeNumber());
        int type_byte = c.v.IsStringForm() ? 0 : c.v.GetTypeByte();
        const ValueOps* ops = value_ops_table[type_byte];
        ASSERT_NE(ops, nullptr);
        JsonizeIo store;
        ops->Jsonize(&c.v, store);
        ExpectValue(store.GetResult(), c.stored.GetTypeNumber(), c.stored);

        // Loading through the record writes the payload back.
        Value target = c.v;
        JsonizeIo load(c.stored);
        ops->Jsonize(&target, load);
        EXPECT_TRUE(target == c.v);
    }
}

TEST(JsonizeSeams, RecordLoadFailureKeepsValue)
{
    Value v(5);
    Value letters("abc");
    JsonizeIo io(letters);
    EXPECT_THROW(value_ops_table[INT_V]->Jsonize(&v, io), JsonizeError);
    EXPECT_TRUE(v == Value(5));
}

TEST(JsonizeSeams, SharedTextRepresentations)
{
    Value w(WString("wide"));
    JsonizeIo store;
    w.GetRep()->Jsonize(store);
    EXPECT_EQ(store.GetResult().GetTypeNumber(), WSTRING_V);
    EXPECT_TRUE(store.GetResult().ToWString() == WString("wide"));

    Value error = ErrorValue("broken");
    JsonizeIo store_error;
    error.GetRep()->Jsonize(store_error);
    ExpectValue(store_error.GetResult(), STRING_V, Value("broken"));
}
