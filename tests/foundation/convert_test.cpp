// Converters: the display of each value type, the typed scans with their Null, range
// and syntax errors (translated error Values), the character filters, FormatConvert,
// the shared instances and the standard value text of the Format engine.

#include "foundation/values/convert.h"

#include "foundation/values/date_text.h"
#include "foundation/values/format.h"
#include "foundation/values/translate.h"
#include "foundation/values/value_array.h"
#include "foundation/values/value_map.h"
#include "foundation/wstring.h"

#include <gtest/gtest.h>

#include <string>

using namespace Qor;

namespace {

const LanguageCode EN_US = LANGUAGE_EN_US;

const LanguageCode CS_CZ = MakeLanguageCode('C', 'S', 'C', 'Z', 255);

std::string Str(const String& s) { return std::string(s.Begin(), s.GetLength()); }

// What a scan is expected to give: an error with this text, or a Value (compared by
// type and content; Nulls by type alone).
struct Expect {
    bool error;
    std::string message;
    Value value;
};
Expect Err(const char* message) { return {true, message, Value()}; }
Expect Is(const Value& v) { return {false, std::string(), v}; }

void Check(const Value& got, const Expect& e, const std::string& what)
{
    if(e.error) {
        ASSERT_TRUE(IsError(got)) << what << " gave type " << got.GetTypeNumber();
        EXPECT_EQ(Str(ErrorValueText(got)), e.message) << what;
        EXPECT_TRUE(got.ToString().IsEmpty()) << what;
        return;
    }
    ASSERT_FALSE(IsError(got)) << what << ": " << Str(ErrorValueText(got));
    EXPECT_EQ(got.GetTypeNumber(), e.value.GetTypeNumber()) << what;
    EXPECT_EQ(got.IsNull(), e.value.IsNull()) << what;
    if(!e.value.IsNull()) {
        EXPECT_TRUE(got == e.value) << what << " gave " << Str(got.ToString());
    }
}

struct ScanCase {
    const Convert* convert;
    Value text;
    Expect expect;
};

void CheckScans(const ScanCase* cases, int count)
{
    for(int i = 0; i < count; i++) {
        const ScanCase& c = cases[i];
        Check(c.convert->Scan(c.text), c.expect, "case " + std::to_string(i) + " \"" + Str(c.text.GetString()) + "\"");
    }
}

// English settings, with the month/day/year date form, restored afterwards.
class ConvertTest : public testing::Test {
protected:
    void SetUp() override
    {
        saved_language = GetCurrentLanguage();
        saved_format = GetDateFormat();
        saved_scan = GetDateScan();
        saved_filter = GetDateFilter();
        SetDateSettingsHook(RenewDateSettings);
        SetLanguage(EN_US);
        UseEnglishDates();
    }
    void TearDown() override
    {
        SetCurrentLanguage(saved_language);
        RenewDateSettings(saved_format.c_str(), saved_scan.c_str(), saved_filter.c_str());
    }
    static void UseEnglishDates() { RenewDateSettings("%2:02d/%3:02d/%1:4d", "mdy", "A/\a .-"); }

    LanguageCode saved_language = 0;
    std::string saved_format, saved_scan, saved_filter;
};

} // namespace

TEST_F(ConvertTest, IntScan)
{
    ConvertInt wide(-10000000000LL, 10000000000LL);
    ConvertInt full(-INT64_MAX, INT64_MAX);
    ConvertInt small(0, 100, true);
    const char* range32 = "Number must be between -2147483647 and 2147483647.";
    const ScanCase cases[] = {
        {&SharedConvertInt(), "", Is(Value(INT_NULL))},
        {&SharedConvertInt(), " 42", Is(Value(42))},
        {&SharedConvertInt(), "+7", Is(Value(7))},
        {&SharedConvertInt(), "12abc", Is(Value(12))},
        {&SharedConvertInt(), "\xA0-5", Is(Value(-5))}, // high bytes count as blanks
        {&SharedConvertInt(), Value(WString("15")), Is(Value(15))},
        {&SharedConvertInt(), "-", Err("Invalid number !")},
        {&SharedConvertInt(), "abc", Err("Invalid number !")},
        {&SharedConvertInt(), "   ", Err("Invalid number !")},           // blanks end at the NUL
        {&SharedConvertInt(), String(" \0 5", 4), Err("Invalid number !")}, // a NUL ends the text
        {&SharedConvertInt(), "3000000000", Err(range32)},
        {&SharedConvertInt(), "-2147483648", Err(range32)},
        {&SharedConvertInt(), "18446744073709551617", Err(range32)}, // not a wrapped 1
        {&SharedConvertInt(), "-9223372036854775808", Err(range32)},
        {&SharedConvertIntNotNull(), "", Err("Null value not allowed.")},
        {&SharedConvertIntNotNull(), "2147483647", Is(Value(2147483647))},
        {&wide, "3000000000", Is(Value((int64)3000000000LL))},
        {&wide, "-2147483648", Is(Value((int64)-2147483648LL))}, // as an int it would be Null
        {&wide, "2147483647", Is(Value(2147483647))},
        {&wide, "20000000000", Err("Number must be between -10000000000 and 10000000000.")},
        {&full, "9223372036854775807", Is(Value(INT64_MAX))},
        {&full, "9223372036854775808",
         Err("Number must be between -9223372036854775807 and 9223372036854775807.")},
        {&small, "-1", Err("Number must be between 0 and 100.")},
        {&small, "100", Is(Value(100))},
        {&small, "", Err("Null value not allowed.")},
    };
    CheckScans(cases, (int)std::size(cases));
}

TEST_F(ConvertTest, ScanInt64Value)
{
    struct Case {
        const char* text;
        Expect expect;
    } cases[] = {
        {nullptr, Is(Value(INT_NULL))},
        {"", Is(Value(INT_NULL))},
        {"123", Is(Value((int64)123))},
        {" -9000000000x", Is(Value((int64)-9000000000LL))},
        {"x", Err("Invalid number !")},
        {"99999999999999999999", Err("Number must be between -9223372036854775807 and 9223372036854775807.")},
    };
    for(const Case& c : cases)
        Check(ScanInt64Value(c.text), c.expect, c.text ? c.text : "(null)");
}

TEST_F(ConvertTest, DoubleScanAndFormat)
{
    ConvertDouble unit(0, 1, true);
    const char* range = "Number must be between -1e+307 and 1e+307.";
    const ScanCase cases[] = {
        {&SharedConvertDouble(), "1.5", Is(Value(1.5))},
        {&SharedConvertDouble(), "1,5", Is(Value(1.5))}, // a comma always reads as the point
        {&SharedConvertDouble(), ".5", Is(Value(0.5))},
        {&SharedConvertDouble(), " -2e3kg", Is(Value(-2000.0))},
        {&SharedConvertDouble(), "", Is(Value(DOUBLE_NULL))},
        {&SharedConvertDouble(), "abc", Err("Invalid number !")},
        {&SharedConvertDouble(), "   ", Err("Invalid number !")},
        {&SharedConvertDouble(), "2e307", Err(range)},
        // Texts that scan to a Null double are no number.
        {&SharedConvertDouble(), "-1e308", Err("Invalid number !")},
        {&SharedConvertDouble(), "-5e307", Err("Invalid number !")},
        {&SharedConvertDouble(), "-1e999", Err("Invalid number !")},
        {&SharedConvertDouble(), "1e999", Err(range)},
        {&SharedConvertDouble(), "1e4294967297", Err(range)}, // the exponent does not wrap
        {&SharedConvertDoubleNotNull(), "", Err("Null value not allowed.")},
        {&unit, "0,25", Is(Value(0.25))},
        {&unit, "1.5", Err("Number must be between 0 and 1.")},
    };
    CheckScans(cases, (int)std::size(cases));

    EXPECT_EQ(Str(SharedConvertDouble().Format(Value(1.0 / 3)).GetString()), "0.3333333333");
    EXPECT_EQ(Str(SharedConvertDouble().Format(Value(2)).GetString()), "2");
    EXPECT_EQ(Str(ConvertDouble(0, 1, false, true, "%.2f").Format(Value(0.5)).GetString()), "0.50");
    Value null = SharedConvertDouble().Format(Value(DOUBLE_NULL));
    EXPECT_TRUE(null.IsNull());
    EXPECT_EQ(null.GetTypeNumber(), INT_V);
}

TEST_F(ConvertTest, DateScanAndFormat)
{
    ConvertDate from2020(Date(2020, 1, 1), Date(2020, 12, 31), Date(2020, 6, 15));
    const ScanCase cases[] = {
        {&SharedConvertDate(), "3/15/2020", Is(Value(Date(2020, 3, 15)))},
        {&SharedConvertDate(), "3/15/2020 x", Is(Value(Date(2020, 3, 15)))},
        {&SharedConvertDate(), "3/15/3500", Is(Value(Date(3500, 3, 15)))},
        {&SharedConvertDate(), "", Is(Value(Date()))},
        {&SharedConvertDate(), "3/15/2020 12", Err("Invalid date !")},
        {&SharedConvertDate(), String("3/15/2020\0 12", 13), Err("Invalid date !")},
        {&SharedConvertDate(), "13/1/2020", Err("Invalid date !")},
        {&SharedConvertDate(), "2/30/2020", Err("Invalid date !")},
        {&SharedConvertDate(), "1/1/5000", Err("Date must be between 01/01/-4000 and 01/01/4000.")},
        {&SharedConvertDateNotNull(), "3/15/3500", Err("Date must be between 00/00/   0 and 12/31/3000.")},
        {&SharedConvertDateNotNull(), "", Err("Null value not allowed.")},
        {&from2020, "3/4", Is(Value(Date(2020, 3, 4)))}, // the year from the default
        {&from2020, "3/4/2021", Err("Date must be between 01/01/2020 and 12/31/2020.")},
    };
    CheckScans(cases, (int)std::size(cases));

    ConvertDate d;
    EXPECT_EQ(Str(d.Format(Value(Date(2020, 3, 15))).GetString()), "03/15/2020");
    EXPECT_EQ(Str(d.Format(Value(Time(2020, 3, 15, 10, 30, 0))).GetString()), "03/15/2020");
    EXPECT_EQ(Str(d.Format(Value(7)).GetString()), "7");
    EXPECT_TRUE(d.Format(Value(Time())).GetString().IsEmpty());
}

TEST_F(ConvertTest, TimeScan)
{
    ConvertTime evening(Time(2020, 1, 1, 18, 0, 0), Time(2020, 1, 1, 22, 0, 0));
    const ScanCase cases[] = {
        {&SharedConvertTime(), "3/15/2020", Is(Value(Time(2020, 3, 15, 0, 0, 0)))},
        {&SharedConvertTime(), "3/15/2020 10", Is(Value(Time(2020, 3, 15, 10, 0, 0)))},
        {&SharedConvertTime(), "3/15/2020 10 : 30", Is(Value(Time(2020, 3, 15, 10, 30, 0)))},
        {&SharedConvertTime(), "3/15/2020 23:59:59", Is(Value(Time(2020, 3, 15, 23, 59, 59)))},
        {&SharedConvertTime(), "3/15/2020 010:05", Is(Value(Time(2020, 3, 15, 10, 5, 0)))},
        {&SharedConvertTime(), "", Is(Value(Time()))},
        {&SharedConvertTime(), "3/15/2020 24:00", Err("Invalid time !")},
        {&SharedConvertTime(), "3/15/2020 10:60", Err("Invalid time !")},
        {&SharedConvertTime(), "3/15/2020 10:30:60", Err("Invalid time !")},
        {&SharedConvertTime(), "3/15/2020 10:30:15 x", Err("Invalid time !")},
        {&SharedConvertTime(), "3/15/2020 10 30", Err("Invalid time !")},
        {&SharedConvertTime(), "3/15/2020 10:", Err("Invalid time !")},
        {&SharedConvertTime(), "3/15/2020 -1", Err("Invalid time !")},
        {&SharedConvertTime(), "3/15/2020 4294967306", Err("Invalid time !")}, // not a wrapped 10
        {&SharedConvertTime(), "3/15/2020 10:4294967326", Err("Invalid time !")},
        {&SharedConvertTime(), String("3/15/2020 10\0:99", 16), Err("Invalid time !")},
        {&SharedConvertTime(), "2/30/2020 10:00", Err("Invalid time !")},
        {&SharedConvertTime(), "3/15/4001 1:00",
         Err("Time must be between 01/01/-4000 00:00:00 and 01/01/4000 00:00:00.")},
        {&evening, "1/1/2020 17:59:59", Err("Time must be between 01/01/2020 18:00:00 and 01/01/2020 22:00:00.")},
        {&evening, "1/1/2020 22:00:00", Is(Value(Time(2020, 1, 1, 22, 0, 0)))},
        // The not-null instance takes every valid time and refuses only Null.
        {&SharedConvertTimeNotNull(), "1/1/2020", Is(Value(Time(2020, 1, 1, 0, 0, 0)))},
        {&SharedConvertTimeNotNull(), "12/31/9999 23:59:59", Is(Value(Time(9999, 12, 31, 23, 59, 59)))},
        {&SharedConvertTimeNotNull(), "1/1/32767 0:00", Is(Value(Time(32767, 1, 1, 0, 0, 0)))},
        {&SharedConvertTimeNotNull(), "", Err("Null value not allowed.")},
    };
    CheckScans(cases, (int)std::size(cases));
}

TEST_F(ConvertTest, TimeFormat)
{
    Time t(2020, 3, 15, 10, 30, 45);
    ConvertTime no_seconds(Time(-4000, 1, 1), Time(4000, 1, 1), Time(), false, false);
    EXPECT_EQ(Str(SharedConvertTime().Format(Value(t)).GetString()), "03/15/2020 10:30:45");
    EXPECT_EQ(Str(no_seconds.Format(Value(t)).GetString()), "03/15/2020 10:30");
    EXPECT_EQ(Str(no_seconds.Format(Value(Date(2020, 3, 15))).GetString()), "03/15/2020");
    for(const Value& v : {Value(), Value(Time()), ErrorValue("bad")}) {
        Value r = no_seconds.Format(v);
        EXPECT_EQ(r.GetTypeNumber(), STRING_V);
        EXPECT_TRUE(r.GetString().IsEmpty());
    }
}

TEST_F(ConvertTest, StringScan)
{
    ConvertString three(3);
    ConvertString three_trim_right(3, false, false, true);
    ConvertString three_trim_left(3, false, true, false);
    const char* too_long = "Please enter no more than 3 characters.";
    const ScanCase cases[] = {
        {&three, "abc", Is(Value("abc"))},
        {&three, "abcd", Err(too_long)},
        {&three_trim_right, "abc ", Err(too_long)}, // the length is tested before trimming
        {&three_trim_right, "ab ", Is(Value("ab"))},
        {&three_trim_left, " ab", Is(Value("ab"))},
        {&three, " ab", Is(Value(" ab"))},
        {&three, "\xC5\xBElu", Err(too_long)},               // five bytes in a String
        {&three, Value(WString("\xC5\xBElu")), Is(Value("\xC5\xBElu"))}, // three units in a WString
        {&three, Value(WString("abcd")), Err(too_long)},
        {&three, Value(12345), Err(too_long)},               // another type by its text
        {&three, Value(12), Is(Value("12"))},
        {&three, "", Is(Value(""))},
        {&SharedConvertStringNotNull(), "", Err("Null value not allowed.")},
        {&SharedConvertString(), String(std::string(100000, 'x').c_str()), Is(Value(String(std::string(100000, 'x').c_str())))},
        {&SharedConvertString(), ErrorValue("kept"), Err("kept")},
    };
    CheckScans(cases, (int)std::size(cases));
}

TEST_F(ConvertTest, PlainFormat)
{
    ValueArray array;
    array.Add(1);
    array.Add("x");
    struct Case {
        Value in;
        const char* text;
    } cases[] = {
        {Value(), ""},
        {ErrorValue("bad"), ""},
        {Value(INT_NULL), ""},
        {Value(42), "42"},
        {Value(true), "1"},
        {Value(false), "0"},
        {Value(1.0 / 3), "0.3333333333"},
        {Value(1e20), "1e20"},
        {Value("abc"), "abc"},
        {Value(Date(2020, 3, 15)), "03/15/2020"},
        {Value(Time(2020, 3, 15, 1, 2, 3)), "03/15/2020 01:02:03"},
        {Value((int64)9000000000LL), "9000000000"},
    };
    for(const Case& c : cases) {
        Value r = SharedConvert().Format(c.in);
        EXPECT_EQ(r.GetTypeNumber(), STRING_V) << c.text;
        EXPECT_EQ(Str(r.GetString()), c.text);
        EXPECT_EQ(Str(FormatValue(c.in)), c.text);
    }
    EXPECT_EQ(Str(SharedConvert().Format(Value(array)).GetString()), Str(Value(array).ToString()));
    Value w(WString("wide"));
    EXPECT_EQ(SharedConvert().Format(w).GetTypeNumber(), WSTRING_V); // texts pass unchanged
    EXPECT_EQ(Str(FormatValue(w)), "wide");
    // The "vt" formatter of the Format engine shows values through the converters.
    EXPECT_EQ(Str(Format("<%vt>", Value(1.0 / 3))), "<0.3333333333>");
    EXPECT_EQ(Str(Format("<%vt>", Value(Date(2020, 3, 15)))), "<03/15/2020>");
    // NoConvert leaves the value as it is, Convert's Scan too.
    EXPECT_EQ(SharedNoConvert().Format(Value(5)).GetTypeNumber(), INT_V);
    EXPECT_TRUE(SharedNoConvert().Format(Value(5)) == Value(5));
    EXPECT_EQ(SharedConvert().Scan(Value(5)).GetTypeNumber(), INT_V);
    EXPECT_EQ(SharedNoConvert().Scan(Value(Date(2020, 1, 2))).GetTypeNumber(), DATE_V);
}

TEST_F(ConvertTest, FormatConvert)
{
    ValueArray array;
    array.Add(1);
    array.Add(2);
    ValueMap map;
    map.Add("a", 3);
    map.Add("b", 4);
    FormatConvert pair("%d-%d");
    EXPECT_EQ(Str(pair.Format(Value(array)).GetString()), "1-2");
    EXPECT_EQ(Str(pair.Format(Value(map)).GetString()), "3-4");
    EXPECT_EQ(Str(FormatConvert("<%d>").Format(Value(7)).GetString()), "<7>");
    EXPECT_EQ(Str(FormatConvert("[%s]").Format(Value("x")).GetString()), "[x]");
    EXPECT_EQ(pair.Format(Value(array)).GetTypeNumber(), STRING_V);
    EXPECT_EQ(pair.Scan(Value("1-2")).GetTypeNumber(), STRING_V); // Scan passes the input
}

TEST_F(ConvertTest, Filters)
{
    ConvertInt positive(0, 100);
    ConvertDouble comma(-1, 1, false, true);
    ConvertString text;
    FormatConvert format("%d");
    struct Case {
        const Convert* convert;
        int in;
        int out;
    } cases[] = {
        {&SharedConvertIntNotNull(), '-', '-'},
        {&SharedConvertIntNotNull(), '+', '+'},
        {&SharedConvertIntNotNull(), '7', '7'},
        {&SharedConvertIntNotNull(), 'a', 0},
        {&positive, '-', 0},
        {&positive, '5', '5'},
        {&SharedConvertDouble(), ',', '.'},
        {&SharedConvertDouble(), 'e', 'E'},
        {&SharedConvertDouble(), 'x', 0},
        {&comma, '.', ','},
        {&comma, ',', ','},
        {&comma, '-', '-'},
        {&SharedConvertDate(), '/', '/'},
        {&SharedConvertDate(), 'a', 'A'},
        {&SharedConvertDate(), '#', 0},
        {&SharedConvertTime(), ',', '.'},
        {&SharedConvertTime(), '.', '.'},
        {&SharedConvertTime(), ':', ':'},
        {&SharedConvertTime(), ' ', ' '},
        {&SharedConvertTime(), 'p', 'P'},
        {&SharedConvertTime(), '#', 0},
        {&SharedConvert(), '#', '#'},
        {&SharedConvert(), 0x4E2D, 0x4E2D},
        {&text, '#', '#'},
        {&SharedNoConvert(), 0x4E2D, 0x4E2D},
        {&format, 'q', 'q'},
    };
    for(const Case& c : cases)
        EXPECT_EQ(c.convert->Filter(c.in), c.out) << "character " << c.in;
}

// Every message goes through the catalogue (its compiled-in Czech texts here); the
// limits fill the translated text.
TEST_F(ConvertTest, MessagesAreTranslated)
{
    SetLanguage(CS_CZ);
    UseEnglishDates(); // the message texts are under test here, not the date form
    const ScanCase cases[] = {
        {&SharedConvertInt(), "x", Err("Neplatné číslo!")},
        {&SharedConvertInt(), "3000000000", Err("Číslo musí být mezi -2147483647 a 2147483647.")},
        {&SharedConvertDouble(), "2e307", Err("Číslo musí být mezi -1e+307 a 1e+307.")},
        {&SharedConvertIntNotNull(), "", Err("Prázdná hodnota není povolena.")},
        {&SharedConvertDate(), "x", Err("Neplatné datum!")},
        {&SharedConvertDateNotNull(), "1/1/3001", Err("Datum musí být mezi 00/00/   0 a 12/31/3000.")},
        {&SharedConvertTime(), "1/1/2020 25", Err("Neplatný čas!")},
        {&SharedConvertTime(), "1/1/4001", Err("Čas musí být mezi 01/01/-4000 00:00:00 a 01/01/4000 00:00:00.")},
        {&SharedConvertStringNotNull(), "", Err("Prázdná hodnota není povolena.")},
    };
    CheckScans(cases, (int)std::size(cases));
    ConvertString two(2);
    Check(two.Scan("abc"), Err("Zadejte nejvýše 2 znaků."), "string");
    Check(NullNotAllowedError(), Err("Prázdná hodnota není povolena."), "NullNotAllowedError");
}

TEST_F(ConvertTest, SharedInstanceSettings)
{
    EXPECT_EQ(SharedConvertInt().GetMin(), -2147483647);
    EXPECT_FALSE(SharedConvertInt().IsNotNull());
    EXPECT_TRUE(SharedConvertIntNotNull().IsNotNull());
    EXPECT_EQ(Str(SharedConvertDouble().GetPattern()), "%.10g");
    EXPECT_FALSE(SharedConvertDouble().IsComma());
    EXPECT_TRUE(SharedConvertDate().GetMin() == Date(-4000, 1, 1));
    EXPECT_TRUE(SharedConvertDateNotNull().GetMax() == Date(3000, 12, 31));
    EXPECT_TRUE(SharedConvertTime().IsSeconds());
    EXPECT_TRUE(SharedConvertTimeNotNull().GetDefault().IsNull());
    EXPECT_EQ(SharedConvertString().GetMaxLength(), 2147483647);
    EXPECT_TRUE(SharedConvertStringNotNull().IsNotNull());
    EXPECT_EQ(&SharedConvertInt(), &SharedConvertInt()); // one object per process
}
