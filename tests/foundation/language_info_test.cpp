// Language records, the compiled-in language table, the default and Czech
// text orders, index letters, number texts in a language's form, and the
// hooks through which Format and CompareValues reach them.

#include <algorithm>
#include <clocale>
#include <cstring>
#include <gtest/gtest.h>
#include <langinfo.h>

#include "foundation/charset.h"
#include "foundation/values/format.h"
#include "foundation/values/language_info.h"
#include "foundation/values/number_text.h"
#include "foundation/values/translate.h"
#include "foundation/values/value.h"

using namespace Qor;

namespace {

constexpr LanguageCode DE_DE = MakeLanguageCode('D', 'E', 'D', 'E');
constexpr LanguageCode JA_JP = MakeLanguageCode('J', 'A', 'J', 'P');
constexpr LanguageCode SR_SP = MakeLanguageCode('S', 'R', 'S', 'P');
constexpr LanguageCode SE_FI = MakeLanguageCode('S', 'E', 'F', 'I');
constexpr LanguageCode QQ_QQ = MakeLanguageCode('Q', 'Q', 'Q', 'Q'); // in no table

WString W(const char* utf8) { return DecodeUtf8(utf8); }

int Compare(LanguageCompareFunction f, const char* a, const char* b)
{
    WString x = W(a), y = W(b);
    return f(x.Begin(), x.GetLength(), y.Begin(), y.GetLength());
}

int LcidOf(const char* text)
{
    const char* tab = std::strchr(std::strchr(text, '\t') + 1, '\t');
    return (byte)tab[1] << 8 | (byte)tab[2];
}

String Field(const char* text, int i)
{
    for(; i > 0; i--)
        text = std::strchr(text, '\t') + 1;
    const char* e = std::strchr(text, '\t');
    return String(text, int(e - text));
}

// Restores the current language after a test that changes it.
struct LanguageGuard {
    LanguageCode saved = GetCurrentLanguage();
    ~LanguageGuard() { SetLanguage(saved ? saved : LANGUAGE_EN_US); }
};

} // namespace

// Table ---------------------------------------------------------------------------

TEST(LanguageTable, RowsAndRepeats)
{
    int n = 0;
    while(language_table_codes[n])
        n++;
    EXPECT_EQ(n, 171);
    EXPECT_EQ(language_table_size, 171);
    EXPECT_EQ(language_table_codes[0], MakeLanguageCode('A', 'R', 'S', 'A'));
    EXPECT_EQ(language_table_codes[8], LANGUAGE_EN_US);
    EXPECT_EQ(language_table_codes[170], MakeLanguageCode('M', 'L', 'I', 'N'));
    int codes_repeated = 0, repeats = 0;
    for(int i = 0; i < n; i++) {
        int first = FindLanguageRow(language_table_codes[i]);
        EXPECT_LE(first, i);
        if(first != i)
            repeats++;
        else if(std::count(language_table_codes, language_table_codes + n, language_table_codes[i]) > 1)
            codes_repeated++;
        // Every row has two names' fields and an identifier with both bytes set.
        const char* t = language_table_texts[i];
        ASSERT_NE(std::strchr(t, '\t'), nullptr) << i;
        EXPECT_FALSE(Field(t, 0).IsEmpty()) << i;
        EXPECT_GE(LcidOf(t), 0x0401) << i;
    }
    EXPECT_EQ(codes_repeated, 9);
    EXPECT_EQ(repeats, 12);
}

TEST(LanguageTable, KnownRows)
{
    struct Case {
        int row;
        LanguageCode code;
        const char* english;
        const char* native;
        int lcid;
    };
    int sr = FindLanguageRow(SR_SP);
    int sr2 = sr + 1;
    while(language_table_codes[sr2] != SR_SP)
        sr2++;
    const Case cases[] = {
        {FindLanguageRow(LANGUAGE_EN_US), LANGUAGE_EN_US, "English", "English", 0x0409},
        {FindLanguageRow(LANGUAGE_CS_CZ), LANGUAGE_CS_CZ, "Czech", "čeština", 0x0405},
        {FindLanguageRow(DE_DE), DE_DE, "German", "Deutsch", 0x0407},
        {FindLanguageRow(JA_JP), JA_JP, "Japanese", "日本語", 0x0411},
        {sr, SR_SP, "Serbian (Latin)", "srpski", 0x081A},
        {sr2, SR_SP, "Serbian (Cyrillic)", "српски", 0x0C1A},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.english);
        ASSERT_GE(c.row, 0);
        EXPECT_EQ(language_table_codes[c.row], c.code);
        EXPECT_EQ(Field(language_table_texts[c.row], 0), c.english);
        EXPECT_EQ(Field(language_table_texts[c.row], 1), c.native);
        EXPECT_EQ(LcidOf(language_table_texts[c.row]), c.lcid);
    }
    EXPECT_EQ(FindLanguageRow(SetLanguageCharset(LANGUAGE_CS_CZ, CHARSET_UTF8)), FindLanguageRow(LANGUAGE_CS_CZ));
    EXPECT_EQ(FindLanguageRow(QQ_QQ), -1);
    EXPECT_EQ(FindLanguageRow(0), -1);
}

TEST(LanguageTable, LocaleNames)
{
    EXPECT_EQ(LanguageLocaleName(LANGUAGE_CS_CZ), "cs_CZ");
    EXPECT_EQ(LanguageLocaleName(LANGUAGE_EN_US), "en_US");
    EXPECT_EQ(LanguageLocaleName(SetLanguageCharset(DE_DE, CHARSET_UTF8)), "de_DE");
    EXPECT_EQ(LanguageLocaleName(0), "");
}

// Records -------------------------------------------------------------------------

TEST(LanguageInfoRecord, NamesAndComparisons)
{
    struct Case {
        LanguageCode code;
        const char* english;
        const char* native;
        LanguageCompareFunction compare;
        IndexLetterFunction index;
    };
    const Case cases[] = {
        {LANGUAGE_CS_CZ, "Czech", "čeština", CompareTextCzech, IndexLetterCzech},
        {LANGUAGE_EN_US, "English", "English", CompareTextDefault, IndexLetterDefault},
        {SR_SP, "Serbian (Latin)", "srpski", CompareTextDefault, IndexLetterDefault}, // first row
        {SE_FI, "Northern Sami", "davvisámegiella", CompareTextDefault, IndexLetterDefault},
        {QQ_QQ, "", "", CompareTextDefault, IndexLetterDefault},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.english);
        const LanguageInfo& info = GetLanguageInfo(c.code);
        EXPECT_EQ(info.language, c.code);
        EXPECT_EQ(info.english_name, c.english);
        EXPECT_EQ(info.native_name, c.native);
        EXPECT_EQ(info.compare, c.compare);
        EXPECT_EQ(info.index_letter, c.index);
        EXPECT_TRUE(info.date_format.IsEmpty());
        EXPECT_TRUE(info.time_format.IsEmpty());
    }
    EXPECT_TRUE(GetLanguageInfo(QQ_QQ).decimal_point.IsEmpty());
    EXPECT_TRUE(GetLanguageInfo(QQ_QQ).wmonth[0].IsEmpty());
}

TEST(LanguageInfoRecord, CachedOncePerLanguage)
{
    LanguageInfo& a = GetLanguageInfo(DE_DE);
    EXPECT_EQ(&a, &GetLanguageInfo(DE_DE));
    EXPECT_EQ(&a, &GetLanguageInfo(SetLanguageCharset(DE_DE, CHARSET_UTF8)));
    EXPECT_NE(&a, &GetLanguageInfo(LANGUAGE_CS_CZ));
}

TEST(LanguageInfoRecord, ZeroMeansCurrentLanguage)
{
    LanguageGuard guard;
    SetLanguage(SetLanguageCharset(LANGUAGE_CS_CZ, CHARSET_UTF8));
    LanguageInfo& info = GetLanguageInfo(0);
    EXPECT_EQ(&info, &GetLanguageInfo(LANGUAGE_CS_CZ));
    EXPECT_EQ(info.compare, CompareTextCzech);
    SetLanguage(LANGUAGE_EN_US);
    EXPECT_EQ(&GetLanguageInfo(0), &GetLanguageInfo(LANGUAGE_EN_US));
}

// The locale fields match what the C library gives for the locale, or stay
// empty when the C library lacks it; the process locale is left as it was.
TEST(LanguageInfoRecord, LocaleDataOrEmpty)
{
    const LanguageCode codes[] = {DE_DE, LANGUAGE_CS_CZ, JA_JP};
    for(LanguageCode code : codes) {
        String before = setlocale(LC_ALL, nullptr);
        LanguageInfo info;
        info.Set(code);
        EXPECT_EQ(String(setlocale(LC_ALL, nullptr)), before);
        String name = LanguageLocaleName(code);
        SCOPED_TRACE(name.Begin());
        if(!setlocale(LC_ALL, name.Begin())) {
            EXPECT_TRUE(info.decimal_point.IsEmpty());
            EXPECT_TRUE(info.thousand_separator.IsEmpty());
            for(int i = 0; i < 12; i++)
                EXPECT_TRUE(info.wmonth[i].IsEmpty() && info.month[i].IsEmpty());
            for(int i = 0; i < 7; i++)
                EXPECT_TRUE(info.wshort_day[i].IsEmpty() && info.short_day[i].IsEmpty());
            continue;
        }
        EXPECT_EQ(info.decimal_point, localeconv()->decimal_point);
        EXPECT_EQ(info.wmonth[0], DecodeText(nl_langinfo(MON_1), (int)std::strlen(nl_langinfo(MON_1))));
        EXPECT_EQ(info.wshort_month[11], DecodeText(nl_langinfo(ABMON_12), (int)std::strlen(nl_langinfo(ABMON_12))));
        EXPECT_EQ(info.wday[0], DecodeText(nl_langinfo(DAY_2), (int)std::strlen(nl_langinfo(DAY_2)))); // Monday
        EXPECT_EQ(info.wday[6], DecodeText(nl_langinfo(DAY_1), (int)std::strlen(nl_langinfo(DAY_1)))); // Sunday
        EXPECT_EQ(info.month[0], String(info.wmonth[0]));
        setlocale(LC_ALL, before.Begin());
    }
}

// Collation -----------------------------------------------------------------------

struct OrderCase {
    const char* a;
    const char* b;
    int sign;
};

static void CheckOrder(LanguageCompareFunction f, const OrderCase* cases, int n)
{
    for(int i = 0; i < n; i++) {
        const OrderCase& c = cases[i];
        SCOPED_TRACE((String(c.a) + " : " + c.b).Begin());
        EXPECT_EQ(Compare(f, c.a, c.b), c.sign);
        EXPECT_EQ(Compare(f, c.b, c.a), -c.sign);
    }
}

TEST(LanguageCollation, DefaultOrder)
{
    const OrderCase cases[] = {
        {"a2", "a10", -1},      {"a01", "a1", 1},  {"a007", "a7", 1}, {"x10y", "x010y", -1},
        {"abc", "abd", -1},     {"A", "a", -1},    {"a", "B", -1},    {"Ab", "aa", 1},
        {"e", "é", -1},         {"é", "f", -1},    {"É", "é", -1},    {"é", "E", 1},
        {"éa", "eb", -1},       {"", "a", -1},     {"", "", 0},       {"abc", "abc", 0},
        {" ", "0", -1},         {"0", "a", -1},    {"-", "0", -1},    {" ", "-", -1},
        {"a b", "ab", -1},      {"!", "?", -1},    {"9", "10", -1},   {"2a", "10", -1},
        {"ab", "abc", -1},      {"ch", "h", -1},   {"čx", "cy", -1},  {"\xe4\xb8\x80", "\xe4\xb8\x81", -1},
        {"x99999999999999999999", "x100000000000000000000", -1},
    };
    CheckOrder(CompareTextDefault, cases, (int)std::size(cases));
}

TEST(LanguageCollation, CzechOrder)
{
    const OrderCase cases[] = {
        {"h", "ch", -1},     {"hz", "ch", -1},   {"ch", "i", -1},     {"Ch", "ch", 0},   {"CH", "cH", 0},
        {"c", "č", -1},      {"cz", "č", -1},    {"č", "d", -1},      {"Č", "č", -1},    {"čá", "čb", -1},
        {"e", "é", -1},      {"éa", "eb", -1},   {"r", "ř", -1},      {"rz", "ř", -1},   {"s", "š", -1},
        {"z", "ž", -1},      {"a", "á", -1},     {"a2", "a10", -1},   {"c", "ch", -1},   {"cha", "chb", -1},
        {"", "ch", -1},      {"A", "a", -1},     {"c", "C", 1},
    };
    CheckOrder(CompareTextCzech, cases, (int)std::size(cases));
}

TEST(LanguageCollation, DigitRunsMovePastEqualRuns)
{
    WString a = W("007x"), b = W("7y");
    const wchar16* pa = a.Begin();
    const wchar16* pb = b.Begin();
    EXPECT_EQ(CompareDigitRuns(pa, a.Begin() + a.GetLength(), pb, b.Begin() + b.GetLength()), 0);
    EXPECT_EQ(*pa, 'x');
    EXPECT_EQ(*pb, 'y');
    WString c = W("12"), d = W("013");
    pa = c.Begin();
    pb = d.Begin();
    EXPECT_EQ(CompareDigitRuns(pa, c.Begin() + 2, pb, d.Begin() + 3), -1);
    // A run cut by the text's length ends there.
    WString e = W("1234");
    pa = e.Begin();
    const wchar16* seven = b.Begin();
    EXPECT_EQ(CompareDigitRuns(pa, e.Begin() + 1, seven, b.Begin() + 1), -1);
}

TEST(LanguageCollation, IndexLetters)
{
    struct Case {
        IndexLetterFunction f;
        const char* text;
        const char* letter;
    };
    const Case cases[] = {
        {IndexLetterDefault, "apple", "a"},  {IndexLetterDefault, "Émile", "É"}, {IndexLetterDefault, "1st", ""},
        {IndexLetterDefault, "", ""},        {IndexLetterDefault, " a", ""},     {IndexLetterDefault, "chata", "c"},
        {IndexLetterCzech, "apple", "A"},    {IndexLetterCzech, "émile", "E"},   {IndexLetterCzech, "Ústí", "U"},
        {IndexLetterCzech, "chata", "Ch"},   {IndexLetterCzech, "CHATA", "Ch"},  {IndexLetterCzech, "cesta", "C"},
        {IndexLetterCzech, "čaj", "Č"},      {IndexLetterCzech, "řeka", "Ř"},    {IndexLetterCzech, "c", "C"},
        {IndexLetterCzech, "1st", ""},       {IndexLetterCzech, "", ""},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.text);
        WString text = W(c.text);
        EXPECT_EQ(c.f(text.Begin()), W(c.letter));
    }
    WString ch = W("chata");
    EXPECT_EQ(GetLanguageInfo(LANGUAGE_CS_CZ).IndexLetter(ch.Begin()), W("Ch"));
    EXPECT_EQ(GetLanguageInfo(LANGUAGE_EN_US).IndexLetter(ch.Begin()), W("c"));
}

// Numbers, dates, times -----------------------------------------------------------

TEST(LanguageNumbers, GroupDigits)
{
    struct Case {
        const char* text;
        const char* separator;
        const char* out;
        const char* rest;
    };
    const Case cases[] = {
        {"-1234", ",", "-1,234", ""},      {"1234567", ".", "1.234.567", ""}, {"123", ",", "123", ""},
        {"1234.5", " ", "1 234", ".5"},    {"e+1000", ",", "e+1,000", ""},     {"nan", ",", "nan", ""},
        {"", ",", "", ""},                 {"1234567", "", "1234567", ""},     {"12345", "'", "12'345", ""},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.text);
        String out("<");
        const char* rest = GroupDigits(c.text, out, c.separator);
        EXPECT_EQ(out, String("<") + c.out);
        EXPECT_STREQ(rest, c.rest);
    }
}

TEST(LanguageNumbers, FormatDouble)
{
    LanguageInfo en, de, none;
    en.thousand_separator = ",";
    en.decimal_point = ".";
    de.thousand_separator = ".";
    de.decimal_point = ",";
    struct Case {
        const LanguageInfo* info;
        unsigned flags;
        double x;
        const char* text;
    };
    const unsigned fixed = DTF_CHOSEN_FORM, exp = DTF_CHOSEN_FORM | DTF_EXP_FORM;
    const Case cases[] = {
        {&en, fixed, 1234567.5, "1,234,567.5"},
        {&en, fixed | DTF_NO_THOUSANDS, 1234567.5, "1234567.5"},
        {&en, fixed | DTF_DECIMAL_COMMA, 1234567.5, "1,234,567,5"},
        {&de, fixed, 1234567.5, "1.234.567,5"},
        {&de, fixed, -1234.25, "-1.234,25"},
        {&de, fixed | DTF_SIGN, 999.5, "+999,5"},
        {&en, exp, 1234567.5, "1.2345675e6"},
        {&de, exp | DTF_EXP_SIGN, -0.000125, "-1,25e-4"},
        {&none, fixed, 1234567.5, "1234567.5"}, // no locale data: '.' still marks the fraction
        {&en, fixed, -1e308, ""},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.info->FormatDouble(10, c.flags, 0, c.x), c.text);
    }
    // The flags the general form knows reach it.
    EXPECT_EQ(en.FormatDouble(10, exp | DTF_CAPITAL_E, 0, 1234567.5),
              DoubleToGeneralText(10, exp | DTF_CAPITAL_E, 0, 1234567.5));
}

TEST(LanguageNumbers, FormatterHookUsesTheRecord)
{
    LanguageInfo& de = GetLanguageInfo(DE_DE);
    LanguageInfo saved = de;
    de.thousand_separator = ".";
    de.decimal_point = ",";
    EXPECT_EQ(LanguageDoubleText(DE_DE, 10, DTF_CHOSEN_FORM, 0, 1234567.5), "1.234.567,5");
    Value arg(1234567.5);
    const Value* args[] = {&arg};
    EXPECT_EQ(FormatValues(DE_DE, "%10nlf", args, 1), "1.234.567,5");
    EXPECT_EQ(FormatValues(DE_DE, "%1@nlf", args, 1), "1234567,5");
    de = saved;
}

TEST(LanguageNumbers, DatesAndTimesUseTheStandardTexts)
{
    const LanguageInfo& cs = GetLanguageInfo(LANGUAGE_CS_CZ);
    Date d(2024, 2, 29);
    Time t(2024, 2, 29, 13, 5, 9);
    EXPECT_EQ(cs.FormatDate(d), FormatDateByPattern(d, "", LANGUAGE_CS_CZ));
    EXPECT_EQ(cs.FormatTime(t), FormatTimeByPattern(t, "", LANGUAGE_CS_CZ));
    EXPECT_FALSE(cs.FormatDate(d).IsEmpty());
    EXPECT_TRUE(cs.FormatDate(Date()).IsEmpty());
}

// CompareValues -------------------------------------------------------------------

TEST(LanguageCollation, CompareValuesSortsTexts)
{
    struct Case {
        LanguageCode language;
        std::vector<const char*> sorted;
    };
    const Case cases[] = {
        {LANGUAGE_CS_CZ, {"", "a2", "a10", "Abc", "cesta", "čaj", "dům", "hrad", "chata", "ihned"}},
        {LANGUAGE_EN_US, {"", "a2", "a10", "Abc", "čaj", "cesta", "chata", "dům", "hrad", "ihned"}},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(LanguageCodeToText(c.language).Begin());
        std::vector<Value> values;
        for(auto it = c.sorted.rbegin(); it != c.sorted.rend(); ++it)
            values.push_back((it - c.sorted.rbegin()) & 1 ? Value(String(*it)) : Value(W(*it)));
        std::stable_sort(values.begin(), values.end(),
                         [&](const Value& a, const Value& b) { return CompareValues(a, b, c.language) < 0; });
        ASSERT_EQ(values.size(), c.sorted.size());
        for(size_t i = 0; i < values.size(); i++)
            EXPECT_EQ(values[i].ToWString(), W(c.sorted[i])) << i;
    }
}
