// Format engine: positions, widths, '*', null texts, id shortening, errors and
// hostile format texts; the standard formatters; the pattern formatter;
// TruncateToCharacters and PrintfToString.
#include "foundation/values/format.h"

#include "foundation/charset.h"
#include "foundation/values/date_text.h"
#include "foundation/wstring.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <initializer_list>
#include <string>

using namespace Qor;

namespace {

std::string S(const String& s) { return std::string(s.Begin(), s.GetLength()); }

// The engine in English with the given arguments.
std::string F(const char* format, std::initializer_list<Value> args)
{
    const Value* list[8];
    int n = 0;
    for(const Value& v : args)
        list[n++] = &v;
    return S(FormatValues(LANGUAGE_EN_US, format, list, n));
}

struct Case {
    const char* format;
    std::initializer_list<Value> args;
    const char* expected;
};

class FormatTest : public testing::Test {
protected:
    void SetUp() override
    {
        saved_charset = DefaultCharset();
        SetDefaultCharset(CHARSET_UTF8);
    }
    void TearDown() override { SetDefaultCharset(saved_charset); }

    void Check(const std::initializer_list<Case>& cases)
    {
        for(const Case& c : cases)
            EXPECT_EQ(F(c.format, c.args), c.expected) << "format: " << c.format;
    }

    int saved_charset = 0;
};

Value NullInt() { return Value(INT_NULL); }

TEST_F(FormatTest, EngineSyntax)
{
    Check({
        {"plain text", {}, "plain text"},
        {"100%%", {}, "100%"},
        {"abc%", {7}, "abc7"},
        {"%d and %d", {1, 2}, "1 and 2"},
        {"%2:d %1:d", {1, 2}, "2 1"},
        {"%2$d %d", {1, 2, 3}, "2 3"},
        {"%*:d", {2, 10, 20}, "10"},
        {"%dth", {5}, "5th"},
        {"%q", {"abc"}, "abcq"},
        {"%d`x", {3}, "3x"},
        {"%d``", {3}, "3`"},
        {"%[abc]x", {255}, "ff"},
        {"%[a]5d", {3}, "35d"},
        {"%[unclosed", {4}, "4"},
        {"%[none]~d", {NullInt()}, "none"},
        {"%[none]~d", {5}, "5"},
        {"%~d|", {NullInt()}, "|"},
        {"%[-]~5>d|", {NullInt()}, "    -|"},
    });
}

TEST_F(FormatTest, WidthsAndAlignment)
{
    Check({
        {"%*d", {5, 42}, "   42"},
        {"%*<d|", {5, 42}, "42   |"},
        {"%5>d", {42}, "   42"},
        {"%5=d", {42}, " 42  "},
        {"%5<d", {1234567}, "12345"},
        {"%5<s", {"abcdefgh"}, "abcde"},
        {"%<d", {42}, ""},
        {"%1001>d", {1}, "1<invalid padding>"},
        {"%*>d", {-1, 7}, "7<invalid padding>"},
        {"%3>s", {"\xC3\xB1" "b"}, " \xC3\xB1" "b"}, // widths count characters, not bytes
        {"%2<s", {"\xC3\xB1\xC3\xB1\xC3\xB1"}, "\xC3\xB1\xC3\xB1"},
    });
    EXPECT_EQ(F("%1000>d", {1}), std::string(999, ' ') + "1");
}

TEST_F(FormatTest, MissingArgumentsGiveThePositionError)
{
    Check({
        {"%d", {}, "<invalid pos=0>"},
        {"%3:d", {1, 2}, "<invalid pos=2>"},
        {"%3:d %d", {1, 2}, "<invalid pos=2> <invalid pos=2>"},
        {"%3:d`x", {1}, "<invalid pos=2>x"},
        {"%0:d", {5}, "<invalid pos=-1>"},
        {"%*d", {}, "<invalid pos=0>"},
        {"%*d", {5}, "<invalid pos=1>"},
        {"%2:*d", {5}, "<invalid pos=1>"},
        {"%*:d", {-3}, "<invalid pos=-4>"},
        {"%d %d %d", {1, 2}, "1 2 <invalid pos=2>"},
        {"%99999999999999999999:d", {1}, "<invalid pos=999999999>"},
        // positions taken by '*' saturate like digit runs; a Null int is the lowest int
        {"%*:d", {Value(INT_NULL), 5}, "<invalid pos=-1000000001>"},
        {"%*:d", {INT_MAX, 5}, "<invalid pos=999999999>"},
        {"%*$d", {INT_MIN + 1, 5}, "<invalid pos=-1000000001>"},
    });
}

// Format texts may come from translation files; none of these may reach the
// C library as a format or read past the arguments.
TEST_F(FormatTest, HostileFormatTexts)
{
    Check({
        {"%n", {5}, "5"},
        {"%hn", {5}, "5hn"},
        {"%[%n%s%p]d", {5}, "5"},
        {"%[%s%s%s]e", {1.5}, "1.500000e+00"},
        {"%[%n]lld", {(int64)7}, "7"},
        {"%'5d", {5}, "    5"},
        {"%5-3d|", {5}, "    5|"},
        {"%1.2.3f", {1.0}, "1.00"},
        {"%s", {42}, ""},
        {"%5s", {42}, ""},
        {"%s %s", {1.5, "x"}, " x"},
        {"%99999999999>d", {1}, "1<invalid padding>"},
    });
    // Widths and precisions are capped, and long conversions are written in full.
    EXPECT_EQ(F("%99999999999d", {1}).size(), 65536u);
    EXPECT_EQ(F("%.99999999f", {1.5}).size(), 65538u);
    std::string wide = F("%2000d", {42});
    EXPECT_EQ(wide, std::string(1998, ' ') + "42");
    EXPECT_EQ(F("%2000lld", {(int64)42}).size(), 2000u);
    EXPECT_EQ(F("%-1500x|", {255}), "ff" + std::string(1498, ' ') + "|");
    EXPECT_EQ(F("%.400f", {1e300}).size(), 301u + 1 + 400);
}

TEST_F(FormatTest, IntegerConversions)
{
    Check({
        {"%d", {-1}, "-1"},
        {"%5d", {-1}, "   -1"},
        {"%d", {NullInt()}, ""},
        {"%5d", {NullInt()}, "-2147483648"},
        {"%", {42}, "42"},
        {"%", {NullInt()}, ""},
        {"%i", {7}, "7"},
        {"%ld", {-1}, "4294967295"},
        {"%li", {5}, "5"},
        {"%lo", {8}, "10"},
        {"%lx", {-1}, "ffffffff"},
        {"%lX", {255}, "FF"},
        {"%x", {255}, "ff"},
        {"%X", {255}, "FF"},
        {"%o", {8}, "10"},
        {"%c", {65}, "A"},
        {"%05d", {42}, "00042"},
        {"%-5d|", {42}, "42   |"},
        {"%+d", {3}, "+3"},
        {"%#x", {255}, "0xff"},
        {"%d", {true}, "1"},
        {"%d", {3.7}, "3"},
        {"%d", {(int64)9}, "9"},
        {"%lld", {(int64)-5000000000LL}, "-5000000000"},
        {"%lli", {3}, "3"},
        {"%llo", {(int64)8}, "10"},
        {"%llx", {(int64)255}, "ff"},
        {"%llX", {(int64)255}, "FF"},
    });
}

TEST_F(FormatTest, DoubleConversions)
{
    Check({
        {"%.2f", {3.14159}, "3.14"},
        {"%f", {2}, "2.000000"},
        {"%e", {1.5}, "1.500000e+00"},
        {"%E", {1.5}, "1.500000E+00"},
        {"%g", {0.5}, "0.5"},
        {"%G", {1e20}, "1E+20"},
        {"%.*f", {2, 3.14159}, "3.14"},
        {"%8.3f|", {2.5}, "   2.500|"},
    });
}

// Short double conversions take a faster path than printf; its text must not differ.
TEST_F(FormatTest, DoubleConversionsMatchPrintf)
{
    static const double values[] = {2.675, 0.125, 1.005, -0.0, 5e-324, 0.5, 1e16, 123456.789, -9.995, 1e300};
    static const char* formats[] = {"%f", "%.0f", "%.2f", "%.15f", "%e", "%.0e", "%.3E", "%.20e", "%g", "%.3G"};
    for(double x : values)
        for(const char* format : formats) {
            char expected[512];
            std::snprintf(expected, sizeof expected, format, x);
            EXPECT_EQ(F(format, {x}), expected) << format << " of " << x;
        }
}

TEST_F(FormatTest, NamesAndTwelveHourClock)
{
    Check({
        {"%Month", {1}, "January"},
        {"%Mon", {2}, "Feb"},
        {"%month", {3}, "march"},
        {"%MONTH", {4}, "APRIL"},
        {"%mon", {5}, "may"},
        {"%MON", {12}, "DEC"},
        {"%Month|", {13}, "|"},
        {"%Month|", {0}, "|"},
        {"%Month|", {NullInt()}, "|"},
        {"%Day", {0}, "Sunday"},
        {"%Dy", {1}, "Mo"},
        {"%day", {2}, "tuesday"},
        {"%DAY", {6}, "SATURDAY"},
        {"%dy", {3}, "we"},
        {"%DY", {4}, "TH"},
        {"%Day|", {7}, "|"},
        {"%tw", {0}, "12"},
        {"%tw", {12}, "12"},
        {"%tw", {13}, "1"},
        {"%tw", {24}, "12"},
        {"%0tw", {9}, "09"},
        {"%0tw", {23}, "11"},
    });
}

TEST_F(FormatTest, ChoiceTexts)
{
    Check({
        {"%[1:one;other]s", {1}, "one"},
        {"%[1:one;other]s", {2}, "other"},
        {"%[1:one;other]s", {0}, "other"},
        {"%[1:one]s|", {2}, "|"},
        {"%[1:file;files]s", {1}, "file"},
        {"%[1:file;files]s", {7}, "files"},
        {"%[0:none;1,21:one;many]s", {0}, "none"},
        {"%[0:none;1,21:one;many]s", {1}, "one"},
        {"%[0:none;1,21:one;many]s", {21}, "one"},
        {"%[0:none;1,21:one;many]s", {5}, "many"},
        {"%d%[10%1:st;2:nd;3:rd;th]s", {1, 1}, "1st"},
        {"%d%[10%1:st;2:nd;3:rd;th]s", {22, 22}, "22nd"},
        {"%d%[10%1:st;2:nd;3:rd;th]s", {13, 13}, "13rd"},
        {"%d%[10%1:st;2:nd;3:rd;th]s", {4, 4}, "4th"},
        {"%[1,2]s|", {1}, "|"},
    });
}

TEST_F(FormatTest, TextFormatter)
{
    Check({
        {"%s", {"abc"}, "abc"},
        {"%-5s|", {"ab"}, "ab   |"},
        {"%5.1s", {"abc"}, "    a"},
        {"%.2s", {"abcdef"}, "ab"},
        {"%2s", {"abcd"}, "abcd"},
        {"%.s|", {"abc"}, "abc|"},
        {"%[ - 6 . 2 ]s|", {"abcd"}, "ab    |"},
        {"%4s", {"\xC3\xA1" "b"}, "  \xC3\xA1" "b"},
        {"%s|", {Value()}, "|"},
        {"%s", {Value(WString("hi"))}, "hi"},
        {"%s|", {ErrorValue("oops")}, "|"},
    });
    EXPECT_EQ(F("%99999999s", {"x"}).size(), 65536u);
}

TEST_F(FormatTest, NumberTexts)
{
    Check({
        {"%3nf", {2.5}, "2.5"},
        {"%3!nf", {2.5}, "2.500"},
        {"%2v", {1234}, "1200"},
        {"%ne", {1234}, "1.234e3"},
        {"%+n", {1}, "+1"},
        {"%n|", {NullInt()}, "|"},
        {"%n|", {Value()}, "|"},
        {"%2,nf", {2.5}, "2,5"},
        {"%3nlf", {2.5}, "2.5"},
        {"%a", {1}, "a"},
        {"%a", {27}, "ba"},
        {"%A", {28}, "BB"},
        {"%r", {1994}, "mcmxciv"},
        {"%R", {(int64)1994}, "MCMXCIV"},
    });
}

TEST_F(FormatTest, DatesTimesAndAnyValue)
{
    Date d(2024, 3, 5);
    Time t(2024, 3, 5, 13, 5, 9);
    EXPECT_EQ(F("%", {d}), S(FormatDate(d)));
    EXPECT_EQ(F("%s", {d}), S(FormatDate(d)) + "s");
    EXPECT_EQ(F("%", {t}), S(FormatTime(t, true)));
    EXPECT_EQ(F("%`|", {Value(Date())}), "|");
    Check({
        {"%vt", {"abc"}, "abc"},
        {"%vt", {42}, "42"},
        {"%[none]vt", {Value()}, "none"},
        {"%[none]vt", {"x"}, "x"},
    });
}

String Shout(const FormatItem& item) { return item.arg.GetString() + "!"; }
String Whisper(const FormatItem& item) { return "(" + item.arg.GetString() + ")"; }
String Tagged(const FormatItem& item) { return "<" + item.options + "|" + item.id + ">"; }

TEST_F(FormatTest, RegistryKeepsTheFirstFormatter)
{
    RegisterFormatter(STRING_V, "zshout", Shout);
    RegisterFormatter(STRING_V, "zshout", Whisper);
    EXPECT_EQ(FindFormatter("zshout", STRING_V), &Shout);
    EXPECT_EQ(FindFormatter("zshout", INT_V), nullptr);
    EXPECT_EQ(F("%zshout", {"hey"}), "hey!");
    // Not registered for int: shortened down to the empty id.
    EXPECT_EQ(F("%zshout", {3}), "3zshout");
    // The any-type key reaches every type; the item carries options and id.
    RegisterFormatter(FORMAT_ANY_TYPE, "ztag", Tagged);
    EXPECT_EQ(F("%[opt]ztagx", {1.5}), "<opt|ztag>x");
}

TEST_F(FormatTest, EntryPoints)
{
    EXPECT_EQ(S(Format("%d", 1)), "1");
    EXPECT_EQ(S(Format("%d%d", 1, 2)), "12");
    EXPECT_EQ(S(Format("%d%d%d", 1, 2, 3)), "123");
    EXPECT_EQ(S(Format("%d%d%d%d", 1, 2, 3, 4)), "1234");
    EXPECT_EQ(S(Format("%6:d%d%d%d%d%d", 1, 2, 3, 4, 5, 6)), "6<invalid pos=6><invalid pos=6>"
                                                            "<invalid pos=6><invalid pos=6><invalid pos=6>");
    Vector<Value> many;
    for(int i = 0; i < 20; i++)
        many.Add(i);
    EXPECT_EQ(S(Format("%20:d %1:d", many)), "19 0");
    EXPECT_EQ(S(Format("%%", Vector<Value>())), "%");
}

// Texts, ints and doubles given as they are take the engine's shortcuts; each must give
// what the same argument as a Value gives.
TEST_F(FormatTest, DirectArgumentsFormatAsTheirValues)
{
    const char* formats[] = { "%s",     "<%10s>", "%-4.2s",  "%[none]~s", "%d",   "%*d",       "%2:s|%1:s", "%vt",
                              "%=12s|", "%s%s",   "%[a;b]s", "%x",        "%.2f", "%[zero]~d", "%",         "%f`x" };
    const char* texts[] = { "", "7", "abc", "the second drawer", "příliš žluťoučký kůň", nullptr };
    for(const char* f : formats)
        for(const char* t : texts) {
            String text(t);
            EXPECT_EQ(S(Format(f, t, t)), S(Format(f, Value(text), Value(text)))) << f << " with " << (t ? t : "null");
            EXPECT_EQ(S(Format(f, text, 3)), S(Format(f, Value(text), Value(3)))) << f << " with " << text.Begin();
            EXPECT_EQ(S(Format(f, 12345, t)), S(Format(f, Value(12345), Value(text)))) << f;
            EXPECT_EQ(S(Format(f, 2.5, 2.125)), S(Format(f, Value(2.5), Value(2.125)))) << f;
        }
    EXPECT_EQ(S(Format("%d items in %s (%.2f%%)", 12, "the second drawer", 3.14159)),
              "12 items in the second drawer (3.14%)");
}

struct PatternCase {
    Time time;
    const char* pattern;
    const char* expected;
};

TEST_F(FormatTest, TimePatterns)
{
    static const PatternCase cases[] = {
        {Time(2024, 3, 5, 13, 5, 9), "HH:mm:ss <AM/PM>", "01:05:09 PM"},
        {Time(2024, 3, 5, 0, 30, 0), "HH:mm:ss <AM/PM>", "12:30:00 AM"},
        {Time(2024, 3, 5, 12, 30, 0), "HH:mm:ss <AM/PM>", "12:30:00 PM"},
        {Time(2024, 3, 5, 11, 59, 0), "H:mm <AM/PM>", "11:59 AM"},
        {Time(2024, 3, 5, 23, 0, 0), "H <AM/PM>", "11 PM"},
        {Time(2024, 3, 5, 7, 5, 3), "h:m:s", "7:5:3"},
        {Time(2024, 3, 5, 7, 5, 3), "hh:mm:ss", "07:05:03"},
        {Time(2024, 3, 5), "D.M.Y", "5.3.24"},
        {Time(2024, 3, 5), "DD.MM.YY", "05.03.24"},
        {Time(2005, 3, 5), "Y/YY", "5/05"},
        {Time(2024, 3, 5), "YYYY-MM-DDD", "2024-03-05"},
        {Time(2024, 3, 5), "`D`M`Y ok", "DMY ok"},
        {Time(2024, 3, 5, 1), "D <am", "5 "},
        {Time(2024, 3, 5, 1), "D <am/pm", "5 "},
        {Time(2024, 3, 5, 1), "D`", "5"},
    };
    for(const PatternCase& c : cases)
        EXPECT_EQ(S(FormatTimeByPattern(c.time, c.pattern, LANGUAGE_EN_US)), c.expected) << c.pattern;
    Time t(2024, 3, 5, 13, 5, 9);
    EXPECT_EQ(S(FormatTimeByPattern(Time(), "hh", 0)), "");
    EXPECT_EQ(S(FormatTimeByPattern(t, "", 0)), S(FormatTime(t, true)));
    EXPECT_EQ(S(FormatTimeByPattern(t, nullptr, 0)), S(FormatTime(t, true)));
    EXPECT_EQ(S(FormatDateByPattern(Date(), "DD", 0)), "");
    EXPECT_EQ(S(FormatDateByPattern(Date(2024, 3, 5), nullptr, 0)), S(FormatDate(Date(2024, 3, 5))));
    EXPECT_EQ(S(FormatDateByPattern(Date(2024, 3, 5), "DD/MM hh:mm", 0)), "05/03 00:00");
}

TEST_F(FormatTest, TruncateToCharacters)
{
    String s = "\xC3\xA1" "bc";
    TruncateToCharacters(s, 2);
    EXPECT_EQ(S(s), "\xC3\xA1" "b");
    String negative = "abc";
    TruncateToCharacters(negative, -4);
    EXPECT_EQ(S(negative), "");
    SetDefaultCharset(1); // an 8-bit charset: bytes are characters
    String bytes = "\xC3\xA1" "bc";
    TruncateToCharacters(bytes, 2);
    EXPECT_EQ(S(bytes), "\xC3\xA1");
}

TEST_F(FormatTest, PrintfToStringHasNoLengthLimit)
{
    EXPECT_EQ(S(PrintfToString("%d-%s", 12, "ab")), "12-ab");
    EXPECT_EQ(S(PrintfToString("%s", "")), "");
    std::string text(5000, 'q');
    EXPECT_EQ(S(PrintfToString("[%s]", text.c_str())), "[" + text + "]");
    EXPECT_EQ(S(PrintfToString("%3000d", 7)).size(), 3000u);
    EXPECT_EQ(S(UIntToText(4294967295u)), "4294967295");
}

} // namespace
