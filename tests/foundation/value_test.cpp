// Value: layout of each form, equality and hashing across types, Null rules,
// conversions, text forms and the standard order.

#include "foundation/string_stream.h"
#include "foundation/values/value.h"
#include "foundation/values/value_rep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace Qor;

namespace {

dword WordAt(const Value& v, int at)
{
    dword w;
    std::memcpy(&w, v.Raw() + at, 4);
    return w;
}

String LargeForm(const char* text)
{
    String s(text);
    s.Reserve(40); // moves even a short text into a heap block
    return s;
}

const double NaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

// Layout ------------------------------------------------------------------------------

TEST(ValueLayout, TaggedFormsCarryTypeByteAt13AndPayloadAt0)
{
    struct Case {
        const char* name;
        Value v;
        dword tag;
        std::vector<byte> payload;
        int type;
    };
    Case cases[] = {
        {"void", Value(), 0x300, {}, VOID_V},
        {"int", Value(0x01020304), 0x100, {4, 3, 2, 1}, INT_V},
        {"double", Value(1.5), 0x200, {0, 0, 0, 0, 0, 0, 0xf8, 0x3f}, DOUBLE_V},
        {"int64", Value((int64)0x0102030405060708), 0xa00, {8, 7, 6, 5, 4, 3, 2, 1}, INT64_V},
        {"bool", Value(true), 0xb00, {1}, BOOL_V},
        {"Date", Value(Date(2020, 12, 25)), 0x400, {25, 12, 0xe4, 0x07}, DATE_V},
        {"Time", Value(Time(2020, 12, 25, 7, 5, 9)), 0x500, {25, 12, 0xe4, 0x07, 7, 5, 9}, TIME_V},
        {"Null int", Value(INT_NULL), 0x100, {0, 0, 0, 0x80}, INT_V},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WordAt(c.v, 12), c.tag);
        EXPECT_TRUE(c.v.IsTagged());
        EXPECT_FALSE(c.v.IsStringForm());
        EXPECT_EQ(c.v.GetTypeNumber(), c.type);
        for(size_t i = 0; i < c.payload.size(); i++)
            EXPECT_EQ(c.v.Raw()[i], c.payload[i]) << "byte " << i;
    }
}

TEST(ValueLayout, StringFormIsTheStringsOwnBytes)
{
    struct Case {
        String text;
        int byte14_nonzero, byte15;
    };
    Case cases[] = {
        {String(), 0, 0},
        {String("abc"), 0, 3},
        {String("abcdefghijklmn"), 0, 14},
        {String("abcdefghijklmnopqrst"), 1, -1},
        {String(std::string(100, 'x').c_str()), 1, -1},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.text.Begin());
        Value v(c.text);
        EXPECT_TRUE(v.IsStringForm());
        EXPECT_EQ(v.GetTypeNumber(), STRING_V);
        EXPECT_EQ(v.Raw()[14] != 0, c.byte14_nonzero != 0);
        if(c.byte15 >= 0) {
            EXPECT_EQ(v.Raw()[15], c.byte15);
            EXPECT_EQ(0, std::memcmp(v.Raw(), c.text.RawBytes(), 16));
        }
        EXPECT_EQ(v.GetString(), c.text);
    }
    Value empty{String()};
    for(int i = 0; i < 16; i++)
        EXPECT_EQ(empty.Raw()[i], 0);
}

TEST(ValueLayout, SharedFormHoldsRepPointerAndTagFF00)
{
    Value v(WString("abc"));
    EXPECT_EQ(WordAt(v, 12), 0xff00u);
    EXPECT_TRUE(v.IsShared());
    void* p;
    std::memcpy(&p, v.Raw(), sizeof p);
    EXPECT_EQ(p, (void*)v.GetRep());
    EXPECT_EQ(v.GetTypeNumber(), WSTRING_V);
    EXPECT_EQ(v.GetRep()->GetRefCount(), 1);
}

TEST(ValueLayout, LargeStringCopyIsCountedSmallIsBytes)
{
    Value big(String(std::string(100, 'x').c_str()));
    {
        Value copy(big);
        EXPECT_TRUE(copy.StringRef().IsShared());
        EXPECT_EQ(copy, big);
    }
    EXPECT_FALSE(big.StringRef().IsShared());
    Value medium(String("abcdefghijklmnopqrst")); // private block: copied, not shared
    Value copy = medium;
    EXPECT_NE(copy.StringRef().Begin(), medium.StringRef().Begin());
    EXPECT_EQ(copy, medium);
}

// Equality and hashing ------------------------------------------------------------------

namespace {

struct EqualCase {
    const char* name;
    Value a, b;
    bool equal;
};

} // namespace

TEST(ValueEquality, AcrossTypesInBothOrdersWithMatchingHashes)
{
    EqualCase cases[] = {
        {"int-int64", Value(1), Value((int64)1), true},
        {"int-double", Value(1), Value(1.0), true},
        {"int-bool", Value(1), Value(true), true},
        {"int64-double", Value((int64)1), Value(1.0), true},
        {"int64-bool", Value((int64)1), Value(true), true},
        {"double-bool", Value(1.0), Value(true), true},
        {"bool false-int 0", Value(false), Value(0), true},
        {"negative int-int64", Value(-7), Value((int64)-7), true},
        {"big int64-double", Value((int64)1 << 40), Value(1099511627776.0), true},
        {"double 1.5-int", Value(1.5), Value(1), false},
        {"bool-int 2", Value(true), Value(2), false},
        {"int-String", Value(1), Value("1"), false},
        {"Date-Time midnight", Value(Date(2020, 12, 25)), Value(Time(2020, 12, 25)), true},
        {"Date-Time 00:00:01", Value(Date(2020, 12, 25)), Value(Time(2020, 12, 25, 0, 0, 1)), false},
        {"Date-Time next day", Value(Date(2020, 12, 25)), Value(Time(2020, 12, 26)), false},
        {"WString-String", Value(WString("abc")), Value("abc"), true},
        {"WString-String differs", Value(WString("abc")), Value("abd"), false},
        {"WString-String long", Value(WString(std::string(40, 'q').c_str())), Value(std::string(40, 'q').c_str()), true},
        {"small-large String", Value("abcdefghijklmn"), Value(LargeForm("abcdefghijklmn")), true},
        {"String-String", Value("abc"), Value("abd"), false},
        {"Time-Time", Value(Time(2020, 1, 2, 3, 4, 5)), Value(Time(2020, 1, 2, 3, 4, 5)), true},
        {"Complex", Value::FromRep(new RichValueRep<Complex>(Complex(1, 2))),
         Value::FromRep(new RichValueRep<Complex>(Complex(1, 2))), true},
        {"Complex-double", Value::FromRep(new RichValueRep<Complex>(Complex(1, 0))), Value(1.0), false},
        {"error same message", ErrorValue("x"), ErrorValue("x"), true},
        {"error other message", ErrorValue("x"), ErrorValue("y"), false},
        {"int-void", Value(0), Value(), false},
        {"empty String-int 0", Value(""), Value(0), false},
    };
    for(const EqualCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.a == c.b, c.equal);
        EXPECT_EQ(c.b == c.a, c.equal);
        EXPECT_EQ(c.a != c.b, !c.equal);
        if(c.equal) {
            EXPECT_EQ(c.a.GetHashValue(), c.b.GetHashValue());
        }
    }
}

TEST(ValueEquality, NullsEqualWhenOneSideIsInPlaceOrString)
{
    Value nulls[] = {Value(), Value(""), Value(INT_NULL), Value(INT64_NULL), Value(DOUBLE_NULL),
                     Value(Date()), Value(Time()), Value(WString()), ErrorValue("x"),
                     Value::FromRep(new RichValueRep<Complex>(Complex(DOUBLE_NULL, 0)))};
    int n = sizeof nulls / sizeof nulls[0];
    for(int i = 0; i < n; i++)
        for(int j = 0; j < n; j++) {
            bool both_shared = nulls[i].IsShared() && nulls[j].IsShared();
            bool same_type = nulls[i].GetTypeNumber() == nulls[j].GetTypeNumber();
            SCOPED_TRACE(testing::Message() << i << " " << j);
            EXPECT_TRUE(nulls[i].IsNull());
            EXPECT_EQ(nulls[i].GetHashValue(), 0u);
            if(!both_shared) {
                EXPECT_TRUE(nulls[i] == nulls[j]);
            }
            else if(!same_type) { // an error and a Null Complex: neither claims the other
                EXPECT_FALSE(nulls[i] == nulls[j]);
            }
        }
}

TEST(ValueEquality, NaNIsNotEqualToItself)
{
    Value nan(NaN);
    EXPECT_FALSE(nan == nan);
    EXPECT_FALSE(nan == Value(NaN));
    EXPECT_EQ(nan.GetHashValue(), HashDouble(NaN));
    EXPECT_FALSE(nan.IsNull());
}

TEST(ValueHash, FixedFormulas)
{
    struct Case {
        const char* name;
        Value v;
        uint32 hash;
    };
    Case cases[] = {
        {"int 1", Value(1), 0x12592f23},
        {"int -1 widened with sign", Value(-1), 0x12592f22},
        {"int 0", Value(0), 0x12592f12},
        {"bool true", Value(true), 0x12592f23},
        {"double 1.0", Value(1.0), 0x12592f23},
        {"double -0.0", Value(-0.0), 0x12592f12},
        {"double 1.5", Value(1.5), HashDouble(1.5)},
        {"double 1e300", Value(1e300), HashDouble(1e300)},
        {"Time", Value(Time(2020, 12, 25, 7, 5, 9)), 0xf9665ca9},
        {"Date", Value(Date(2020, 12, 25)), 0xf9664000},
        {"Date of year -1", Value(Date(-1, 1, 1)), 0xffc84000},
        {"String", Value("abc"), String("abc").GetHashValue()},
        {"WString as its String", Value(WString("abc")), String("abc").GetHashValue()},
        {"Complex", Value::FromRep(new RichValueRep<Complex>(Complex(1.5, 2.5))),
         (HashDouble(1.5) ^ 0xe2f62ff2u) * 17u ^ HashDouble(2.5)},
        {"error message", ErrorValue("x"), 0}, // Null first
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.v.GetHashValue(), c.hash);
        EXPECT_EQ(GetHashValue(c.v), c.hash);
    }
    // 2^63 lies past every int64 but equals the largest one converted: same hash, no overflow.
    EXPECT_EQ(ValueDoubleHash(9223372036854775808.0), ValueNumberHash(INT64_MAX));
    EXPECT_EQ(ValueDoubleHash(-9223372036854775808.0), ValueNumberHash(INT64_MIN));
}

// Conversions ----------------------------------------------------------------------

TEST(ValueConvert, Numbers)
{
    struct Case {
        const char* name;
        Value v;
        int i;
        int64 i64;
        double d;
        bool b;
    };
    Case cases[] = {
        {"int 5", Value(5), 5, 5, 5.0, true},
        {"int 0", Value(0), 0, 0, 0.0, false},
        {"Null int", Value(INT_NULL), INT_NULL, INT64_NULL, DOUBLE_NULL, false},
        {"bool true", Value(true), 1, 1, 1.0, true},
        {"bool false", Value(false), 0, 0, 0.0, false},
        {"int64 low bits", Value((int64)0x100000005), 5, 0x100000005, 4294967301.0, true},
        {"int64 -1", Value((int64)-1), -1, -1, -1.0, true},
        {"int64 2^53+1 to nearest double", Value(((int64)1 << 53) + 1), 1, ((int64)1 << 53) + 1, 9007199254740992.0, true},
        {"double 2.9", Value(2.9), 2, 2, 2.9, true},
        {"double -2.9", Value(-2.9), -2, -2, -2.9, true},
        {"double 3e9", Value(3e9), INT_NULL, 3000000000, 3e9, true},
        {"double -2147483648.9", Value(-2147483648.9), INT_MIN, -2147483648, -2147483648.9, true},
        {"double 1e19", Value(1e19), INT_NULL, INT64_NULL, 1e19, true},
        {"double -0.0", Value(-0.0), 0, 0, -0.0, false},
        {"Null double", Value(DOUBLE_NULL), INT_NULL, INT64_NULL, DOUBLE_NULL, false},
        {"void", Value(), INT_NULL, INT64_NULL, DOUBLE_NULL, false},
        {"empty String", Value(""), INT_NULL, INT64_NULL, DOUBLE_NULL, false},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.v.ToInt(), c.i);
        EXPECT_EQ(c.v.ToInt64(), c.i64);
        EXPECT_EQ(c.v.ToDouble(), c.d);
        EXPECT_EQ(c.v.ToBool(), c.b);
    }
    Value nan(NaN);
    EXPECT_EQ(nan.ToInt(), INT_NULL);
    EXPECT_EQ(nan.ToInt64(), INT64_NULL);
    EXPECT_TRUE(nan.ToBool());
    EXPECT_TRUE(std::isnan(nan.ToDouble()));
}

TEST(ValueConvert, DatesTimesAndTexts)
{
    Time t(2020, 12, 25, 7, 5, 9);
    Date d(2020, 12, 25);
    EXPECT_EQ(Value(t).ToDate(), d);
    EXPECT_EQ(Value(t).ToTime(), t);
    EXPECT_EQ(Value(d).ToTime(), Time(2020, 12, 25, 0, 0, 0));
    EXPECT_EQ(Value(d).ToDate(), d);
    EXPECT_TRUE(Value().ToDate().IsNull());
    EXPECT_TRUE(Value(INT_NULL).ToTime().IsNull());
    EXPECT_TRUE(Value(Time()).ToDate().IsNull());

    EXPECT_EQ(Value("abc").GetString(), "abc");
    EXPECT_EQ(Value(WString("abc")).GetString(), "abc");
    EXPECT_EQ(Value().GetString(), "");
    // Callers that have tested for the String form already go straight to the rest.
    EXPECT_EQ(Value(WString("abc")).OtherToString(), "abc");
    EXPECT_EQ(Value(WString()).OtherToString(), "");
    EXPECT_EQ(Value(5).OtherToString(), "");
    EXPECT_EQ(Value("abc").ToWString(), WString("abc"));
    EXPECT_EQ(Value(WString("xyz")).ToWString(), WString("xyz"));
    EXPECT_TRUE(Value().ToWString().IsEmpty());
    EXPECT_TRUE(ErrorValue("x").ToWString().IsEmpty());
}

TEST(ValueText, TextForms)
{
    struct Case {
        const char* name;
        Value v;
        const char* text;
    };
    Case cases[] = {
        {"int", Value(42), "42"},
        {"negative int", Value(-42), "-42"},
        {"Null int", Value(INT_NULL), ""},
        {"double", Value(1.5), "1.5"},
        {"int64", Value((int64)-9000000000), "-9000000000"},
        {"bool true", Value(true), "true"},
        {"bool false", Value(false), "false"},
        {"String", Value("abc"), "abc"},
        {"WString", Value(WString("abc")), "abc"},
        {"void", Value(), ""},
        {"error", ErrorValue("x"), ""},
        {"Date", Value(Date(2020, 12, 25)), "12/25/2020"},
        {"Time with seconds", Value(Time(2020, 12, 25, 7, 5, 9)), "12/25/2020 07:05:09"},
        {"Null Date", Value(Date()), ""},
        {"Complex", Value::FromRep(new RichValueRep<Complex>(Complex(1.5, -2))), "(1.5,-2)"},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.v.ToString(), c.text);
    }
}

// Standard order ----------------------------------------------------------------------

TEST(ValueCompare, OrderAcrossTypes)
{
    struct Case {
        const char* name;
        Value a, b;
        int sign;
    };
    Case cases[] = {
        {"Null before int", Value(), Value(-5), -1},
        {"int after Null", Value(-5), Value(INT_NULL), 1},
        {"two Nulls", Value(""), Value(Date()), 0},
        {"int 2 before double 2.5", Value(2), Value(2.5), -1},
        {"int 3 after int 2", Value(3), Value(2), 1},
        {"bool true as int 1", Value(true), Value(1), 0},
        {"bool false before true", Value(false), Value(true), -1},
        {"int64 vs double", Value((int64)10), Value(9.5), 1},
        {"NaN neither", Value(NaN), Value(1.0), 0},
        {"Date before later Time", Value(Date(2020, 12, 25)), Value(Time(2020, 12, 25, 7, 0, 0)), -1},
        {"Date vs Date", Value(Date(2020, 12, 25)), Value(Date(2019, 12, 26)), 1},
        {"negative years", Value(Date(-5, 1, 1)), Value(Date(3, 1, 1)), -1},
        {"String after int (type number)", Value("a"), Value(1), 1},
        {"String before Date (type number)", Value("z"), Value(Date(2020, 1, 1)), -1},
        {"String before String", Value("a"), Value("b"), -1},
        {"WString vs String", Value(WString("b")), Value("a"), 1},
        {"equal texts", Value(WString("ab")), Value("ab"), 0},
        {"prefix first", Value("ab"), Value("abc"), -1},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CompareValues(c.a, c.b, LANGUAGE_EN_US), c.sign);
        EXPECT_EQ(CompareValues(c.b, c.a), -c.sign);
    }
}

namespace {

LanguageCode seen_language;

int Reversed(const wchar16* a, int la, const wchar16* b, int lb, LanguageCode language)
{
    seen_language = language;
    return WString::Compare(WString(b, lb), WString(a, la));
}

} // namespace

TEST(ValueCompare, TextsGoThroughTheLanguageComparison)
{
    ValueTextCompare old = GetValueTextCompare();
    SetValueTextCompare(Reversed);
    LanguageCode cs = LANGUAGE_CS_CZ;
    EXPECT_GT(CompareValues(Value("a"), Value("b"), cs), 0);
    EXPECT_EQ(seen_language, cs);
    EXPECT_LT(CompareValues(Value(2), Value(3), cs), 0); // numbers are not texts
    SetValueTextCompare(old);
    EXPECT_LT(CompareValues(Value("a"), Value("b"), cs), 0);
}

// Binary payloads of the records and representations ----------------------------------

TEST(ValueRecords, SerializeWritesThePayloadAndLoadsItBack)
{
    struct Case {
        const char* name;
        Value v;
        std::vector<byte> bytes;
    };
    Case cases[] = {
        {"int", Value(5), {5, 0, 0, 0}},
        {"double", Value(1.5), {0, 0, 0, 0, 0, 0, 0xf8, 0x3f}},
        {"int64", Value((int64)-2), {0xfe, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff}},
        {"bool", Value(true), {1}},
        {"Date", Value(Date(2020, 12, 25)), {25, 12, 0xe4, 0x07}},
        {"Time", Value(Time(2020, 12, 25, 7, 5, 9)), {25, 12, 0xe4, 0x07, 7, 5, 9}},
        {"void", Value(), {}},
        {"String", Value("ab"), {2, 'a', 'b'}},
        {"WString", Value(WString("ab")), {2, 'a', 0, 'b', 0}},
        {"Complex", Value::FromRep(new RichValueRep<Complex>(Complex(1.5, 0))),
         {0, 0, 0, 0, 0, 0, 0xf8, 0x3f, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"error writes nothing", ErrorValue("x"), {}},
    };
    for(Case& c : cases) {
        SCOPED_TRACE(c.name);
        StringStream out;
        if(c.v.IsShared())
            c.v.GetRep()->Serialize(out);
        else
            value_ops_table[c.v.IsStringForm() ? 0 : c.v.GetTypeByte()]->Serialize(&c.v, out);
        String text = out.GetText();
        ASSERT_EQ(text.GetLength(), (int)c.bytes.size());
        for(size_t i = 0; i < c.bytes.size(); i++)
            EXPECT_EQ((byte)text[(int)i], c.bytes[i]) << "byte " << i;
        if(c.v.IsShared() || c.v.IsVoid())
            continue;
        Value loaded;
        loaded.Clear(); // the empty String
        if(!c.v.IsStringForm())
            loaded.SetInPlaceTag(c.v.GetTypeByte());
        StringStream in(text);
        value_ops_table[c.v.IsStringForm() ? 0 : c.v.GetTypeByte()]->Serialize(&loaded, in);
        EXPECT_EQ(loaded.GetTypeNumber(), c.v.GetTypeNumber());
        EXPECT_TRUE(loaded == c.v);
    }
}
