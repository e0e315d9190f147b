// Dates as text: names per language, the date settings and their renewal on a
// language change, formatting, scanning and the typed-character filter.

#include "foundation/values/date_text.h"

#include "foundation/charset.h"
#include "foundation/values/clock.h"
#include "foundation/values/translate.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

using namespace Qor;

namespace {

const LanguageCode EN_US = LANGUAGE_EN_US;
const LanguageCode CS_CZ = MakeLanguageCode('C', 'S', 'C', 'Z', 255);
const LanguageCode DE_DE = MakeLanguageCode('D', 'E', 'D', 'E', 255);
const LanguageCode HU_HU = MakeLanguageCode('H', 'U', 'H', 'U', 255);
const LanguageCode CA_ES = MakeLanguageCode('C', 'A', 'E', 'S', 255);

// Every case starts in English with the English settings and leaves the
// language, the charset and the settings as it found them.
class DateTextTest : public testing::Test {
protected:
    void SetUp() override
    {
        saved_language = GetCurrentLanguage();
        saved_charset = DefaultCharset();
        saved_format = GetDateFormat();
        saved_scan = GetDateScan();
        saved_filter = GetDateFilter();
        SetDateSettingsHook(RenewDateSettings);
        SetLanguage(EN_US);
    }
    void TearDown() override
    {
        SetCurrentLanguage(saved_language);
        SetDefaultCharset(saved_charset);
        RenewDateSettings(saved_format.c_str(), saved_scan.c_str(), saved_filter.c_str());
    }

    LanguageCode saved_language = 0;
    int saved_charset = 0;
    std::string saved_format, saved_scan, saved_filter;
};

std::string Str(const String& s) { return std::string(s.Begin(), s.GetLength()); }

} // namespace

TEST_F(DateTextTest, EnglishNamesAndRanges)
{
    const char* months[12] = {"January", "February", "March",     "April",   "May",      "June",
                              "July",    "August",   "September", "October", "November", "December"};
    const char* short_months[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const char* days[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    const char* short_days[7] = {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};
    for(int i = 0; i < 12; i++) {
        EXPECT_EQ(Str(MonthName(i, 0)), months[i]);
        EXPECT_EQ(Str(ShortMonthName(i)), short_months[i]);
    }
    for(int i = 0; i < 7; i++) {
        EXPECT_EQ(Str(DayName(i, 0)), days[i]);
        EXPECT_EQ(Str(ShortDayName(i)), short_days[i]);
    }
    struct Case { String (*name)(int, LanguageCode); int i; } out_of_range[] = {
        {MonthName, 12}, {MonthName, -1}, {ShortMonthName, 12}, {ShortMonthName, -1},
        {DayName, 7},    {DayName, -1},   {ShortDayName, 7},    {ShortDayName, INT_MIN},
    };
    for(const Case& c : out_of_range) {
        EXPECT_TRUE(c.name(c.i, 0).IsEmpty()) << c.i;
        EXPECT_TRUE(c.name(c.i, DE_DE).IsEmpty()) << c.i;
    }
}

TEST_F(DateTextTest, NamesInOtherLanguages)
{
    EXPECT_EQ(Str(MonthName(2, DE_DE)), "März");
    EXPECT_EQ(Str(DayName(1, CS_CZ)), "pondělí");
    EXPECT_EQ(Str(ShortMonthName(11, HU_HU)), "dec");
    // Catalan has no short month names: the English text stands in.
    EXPECT_EQ(Str(ShortMonthName(0, CA_ES)), "Jan");
    EXPECT_EQ(Str(MonthName(0, CA_ES)), "gener");
    // Language 0 follows the current language.
    SetLanguage(DE_DE);
    EXPECT_EQ(Str(MonthName(11, 0)), "Dezember");
    EXPECT_EQ(Str(ShortDayName(0, 0)), "So");
    EXPECT_EQ(Str(MonthName(11, EN_US)), "December");
}

TEST_F(DateTextTest, SettersKeepAtMost63Characters)
{
    std::string long_text(100, 'x');
    SetDateFormat(long_text.c_str());
    EXPECT_EQ(std::string(GetDateFormat()), long_text.substr(0, 63));
    SetDateScan("dmy");
    EXPECT_STREQ(GetDateScan(), "dmy");
    SetDateFilter(nullptr);
    EXPECT_STREQ(GetDateFilter(), "");
    SetDateFilter(long_text.substr(0, 63).c_str());
    EXPECT_EQ(std::string(GetDateFilter()), long_text.substr(0, 63));
}

TEST_F(DateTextTest, LanguageChangeRenewsTheSettings)
{
    struct Case { LanguageCode language; const char* format; const char* scan; const char* filter; } cases[] = {
        {CS_CZ, "%3:02d.%2:02d.%1:04d", "dmy", ".\r /,"},
        {HU_HU, "%1:04d.%2:02d.%3:02d.", "ymd", "A.\r .-"},
        {DE_DE, "%3:02d.%2:02d.%1:4d", "dmy", "A/\r .-"},
        {EN_US, "%2:02d/%3:02d/%1:4d", "mdy", "A/\a .-"},
    };
    for(const Case& c : cases) {
        SetDateScan("xyz"); // an explicit setting lasts until the next change
        SetLanguage(c.language);
        EXPECT_STREQ(GetDateFormat(), c.format);
        EXPECT_STREQ(GetDateScan(), c.scan);
        EXPECT_STREQ(GetDateFilter(), c.filter);
    }
}

TEST_F(DateTextTest, FormatDateByTheStoredFormat)
{
    struct Case { const char* format; Date d; const char* expected; } cases[] = {
        {"%2:02d/%3:02d/%1:4d", Date(2020, 12, 25), "12/25/2020"},
        {"%2:02d/%3:02d/%1:4d", Date(2000, 1, 1), "01/01/2000"},
        {"%2:02d/%3:02d/%1:4d", Date(999, 1, 1), "01/01/ 999"},
        {"%4:d", Date(2000, 1, 1), "6"},
        {"%3:02d.%2:02d.%1:04d", Date(999, 1, 5), "05.01.0999"},
        {"%1:04d.%2:02d.%3:02d.", Date(2020, 12, 25), "2020.12.25."},
        {"%1$d-%2$d-%3$d", Date(-5, 3, 4), "-5-3-4"},
        {"%3:d %d", Date(2020, 12, 25), "25 5"},            // the position carries on
        {"%4:Day %3:d %2:Month", Date(2000, 1, 1), "Saturday 1 January"},
        {"%4:Dy %2:Mon %2:mon %2:MONTH %4:day", Date(2000, 1, 1), "Sa Jan jan JANUARY saturday"},
        {"%3:dth of %2:Month", Date(2000, 1, 1), "1th of January"},
        {"%3:d`x 100%%", Date(2000, 1, 1), "1x 100%"},
        {"%5:d|%d", Date(2000, 1, 1), "<invalid pos=4>|<invalid pos=4>"},
        {"%1:x", Date(255, 1, 1), "ff"},
        {"plain", Date(2000, 1, 1), "plain"},
    };
    for(const Case& c : cases) {
        SetDateFormat(c.format);
        EXPECT_EQ(Str(FormatDate(c.d)), c.expected) << c.format;
    }
    EXPECT_TRUE(FormatDate(Date()).IsEmpty());
    // A width beyond the small conversion buffer.
    SetDateFormat("%1:300d|");
    EXPECT_EQ(Str(FormatDate(Date(2020, 1, 1))), std::string(296, ' ') + "2020|");
}

// Date formats come from translation files: widths are capped as in the Format engine
// and position digits cannot overflow.
TEST_F(DateTextTest, HostileFormatsStayBounded)
{
    struct Case { const char* format; std::string expected; } cases[] = {
        {"%3:100000d", std::string(65535, ' ') + "1"},
        {"%3:-100000d|", "1" + std::string(65535, ' ') + "|"},
        {"%3:065537d", std::string(65535, '0') + "1"},
        {"%3:1.70000d", std::string(65535, '0') + "1"},
        {"%3:42%!421212d", std::string(41, ' ') + "1"}, // a second digit run is no width
        {"%99999999999:d", "<invalid pos=999999999>"},
        {"%99999999999$d%d", "<invalid pos=999999999><invalid pos=999999999>"},
    };
    for(const Case& c : cases) {
        SetDateFormat(c.format);
        EXPECT_EQ(Str(FormatDate(Date(2020, 1, 1))), c.expected) << c.format;
    }
}

TEST_F(DateTextTest, FormatInAnotherLanguage)
{
    SetLanguage(DE_DE);
    EXPECT_EQ(Str(FormatDate(Date(2020, 12, 25))), "25.12.2020");
    SetDateFormat("%3:d. %2:Month %1:d");
    EXPECT_EQ(Str(FormatDate(Date(2020, 3, 1))), "1. März 2020");
    SetLanguage(HU_HU);
    EXPECT_EQ(Str(FormatTime(Time(2020, 12, 25, 7, 5, 9), false)), "2020.12.25. 07:05");
}

TEST_F(DateTextTest, FormatTime)
{
    Time t(2020, 12, 25, 7, 5, 9);
    EXPECT_EQ(Str(FormatTime(t, true)), "12/25/2020 07:05:09");
    EXPECT_EQ(Str(FormatTime(t, false)), "12/25/2020 07:05");
    EXPECT_EQ(Str(FormatTime(Time(2000, 1, 1))), "01/01/2000 00:00:00");
    EXPECT_TRUE(FormatTime(Time()).IsEmpty());
}

TEST_F(DateTextTest, ScanDateCases)
{
    const Date base(2020, 3, 1);
    const int FAIL = -1;
    struct Case { const char* order; const char* text; Date base; Date expected; int stop; } cases[] = {
        {"mdy", "12/25", base, Date(2020, 12, 25), 5},
        {"mdy", "12/25/2020", base, Date(2020, 12, 25), 10},
        {"mdy", "12/25/2020abc", base, Date(2020, 12, 25), 10},
        {"mdy", "  12 - 25 - 2020  ", base, Date(2020, 12, 25), 16},
        {"mdy", "1/2/5", base, Date(2005, 1, 2), 5},
        {"mdy", "1/2/19", base, Date(2019, 1, 2), 6},
        {"mdy", "1/2/20", base, Date(1920, 1, 2), 6},
        {"mdy", "1/2/99", base, Date(1999, 1, 2), 6},
        {"mdy", "1/2/100", base, Date(100, 1, 2), 7},
        {"mdy", "1/2/65535", base, Date(1999, 1, 2), 9},        // low 16 bits: -1
        {"mdy", "1/2/4294967297", base, Date(2001, 1, 2), 14},  // 32 bits: 1
        {"mdy", "2/29/2020", base, Date(2020, 2, 29), 9},
        {"mdy", "2/30/2020", base, Date(), FAIL},
        {"mdy", "2/29/2021", base, Date(), FAIL},
        {"mdy", "13/1/2020", base, Date(), FAIL},
        {"mdy", "0/1/2020", base, Date(), FAIL},
        {"mdy", "1/0/2020", base, Date(), FAIL},
        {"mdy", "1/32/2020", base, Date(), FAIL},
        {"mdy", "Feb 29 2020", base, Date(2020, 2, 29), 11},
        {"mdy", "feb 1 2020", base, Date(2020, 2, 1), 10},
        {"mdy", "FEBRUARY 1 2020", base, Date(2020, 2, 1), 15},
        {"mdy", "February 1 2020", base, Date(2020, 2, 1), 15},
        {"mdy", "Febr 1 2020", base, Date(), FAIL},
        {"mdy", "1 x 2020", base, Date(), FAIL},                // a letter where the day is expected
        {"dmy", "12 Mar", Date(2020, 1, 1), Date(2020, 3, 12), 6},
        {"dmy", "Mar 12", base, Date(), FAIL},
        {"ymd", "2020.12.25.", base, Date(2020, 12, 25), 10},
        {"mxdy", "1 99 2 2020", base, Date(2020, 1, 2), 11},     // other order letters skip a number
        {"mdy", "--", base, base, 2},
        {"mdy", "", base, Date(), 0},
        {"mdy", "2", Date(2020, 1, 31), Date(), FAIL},           // 31 February from the base
        {"mdy", "2", Date(2020, 1, 29), Date(2020, 2, 29), 1},
        {"", "12/25", base, base, 0},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.order << " '" << c.text << "'");
        Date out(1111, 11, 11);
        const char* stop = ScanDate(c.order, out, c.text, c.base);
        if(c.stop == FAIL) {
            EXPECT_EQ(stop, nullptr);
            continue;
        }
        ASSERT_NE(stop, nullptr);
        EXPECT_EQ(stop - c.text, c.stop);
        EXPECT_EQ(out, c.expected);
    }
}

TEST_F(DateTextTest, ScanWithoutBaseStartsFromToday)
{
    Date out;
    const char* text = "12/25";
    ASSERT_NE(ScanDate("mdy", out, text, Date()), nullptr);
    EXPECT_EQ(out.year, CurrentDate().year);
    EXPECT_EQ(out.month, 12);
    EXPECT_EQ(out.day, 25);
    ASSERT_NE(ScanDate("mdy", out, "--", Date()), nullptr);
    EXPECT_EQ(out, CurrentDate());
}

TEST_F(DateTextTest, ScanMonthNamesOfTheCurrentLanguage)
{
    SetLanguage(DE_DE);
    Date out;
    const Date base(2020, 1, 1);
    EXPECT_NE(ScanDate("dmy", out, "3 März 2021", base), nullptr);
    EXPECT_EQ(out, Date(2021, 3, 3));
    EXPECT_NE(ScanDate("dmy", out, "3 MÄRZ", base), nullptr);
    EXPECT_EQ(out, Date(2020, 3, 3));
    EXPECT_NE(ScanDate("dmy", out, "4 dez", base), nullptr);
    EXPECT_EQ(out, Date(2020, 12, 4));
    EXPECT_EQ(ScanDate("dmy", out, "3 March", base), nullptr); // English names are not German
}

TEST_F(DateTextTest, StrToDateUsesTheStoredOrder)
{
    struct Case { LanguageCode language; const char* text; Date expected; } cases[] = {
        {EN_US, "12/25/2020", Date(2020, 12, 25)},
        {DE_DE, "25.12.2020", Date(2020, 12, 25)},
        {HU_HU, "2020.12.25.", Date(2020, 12, 25)},
        {CS_CZ, "5.1.99", Date(1999, 1, 5)},
    };
    for(const Case& c : cases) {
        SetLanguage(c.language);
        Date out;
        EXPECT_NE(StrToDate(out, c.text, Date(2000, 1, 1)), nullptr) << c.text;
        EXPECT_EQ(out, c.expected) << c.text;
        // Formatting and scanning in one language agree.
        EXPECT_NE(StrToDate(out, FormatDate(c.expected).Begin(), Date(2000, 1, 1)), nullptr);
        EXPECT_EQ(out, c.expected);
    }
}

TEST_F(DateTextTest, CharacterFilter)
{
    struct Case { const char* filter; int c; int expected; } cases[] = {
        {"A/\a .-", '7', '7'},   {"A/\a .-", 'x', 'X'},  {"A/\a .-", 'X', 'X'},    {"A/\a .-", '.', '.'},
        {"A/\a .-", '/', '/'},   {"A/\a .-", ' ', ' '},  {"A/\a .-", '-', '-'},    {"A/\a .-", 7, 7},
        {"A/\a .-", ',', 0},     {"A/\a .-", 0xE9, 0xC9}, {"A/\a .-", 0x436, 0x416}, {"A/\a .-", 0x4E00, 0},
        {"A/\r .-", ' ', '/'},   {"A/\r .-", '.', '/'},  {"A/\r .-", '-', '/'},    {"A/\r .-", '/', '/'},
        {"A/\r .-", 'q', 'Q'},   {"A/\r .-", ',', 0},
        {".\r /,", '/', '.'},    {".\r /,", ' ', '.'},   {".\r /,", ',', '.'},     {".\r /,", '.', '.'},
        {".\r /,", 'a', 0},      {".\r /,", '0', '0'},
        {"a/", 'x', 'x'},        {"a/", 'X', 'X'},       {"a/", '/', '/'},
        {"/\a .,", ' ', ' '},    {"/\a .,", 7, 7},        {"/\a .,", 'a', 0},
        {"\r-\r", '-', 0},       // a group with nothing before it refuses
        {"x\r-.", '.', 'x'},     // a group runs to the end of the filter
        {".\r /\r-", '-', '-'},  {".\r /\r-", ' ', '.'}, {".\r /\r-", 'x', 0},
        {"", '5', '5'},          {"", '/', 0},
    };
    for(const Case& c : cases) {
        SetDateFilter(c.filter);
        EXPECT_EQ(CharFilterDate(c.c), c.expected) << "filter '" << c.filter << "' char " << c.c;
    }
}

TEST_F(DateTextTest, CharacterFilterFollowsTheLanguage)
{
    SetLanguage(CS_CZ);
    EXPECT_EQ(CharFilterDate('/'), '.');
    EXPECT_EQ(CharFilterDate('k'), 0);
    SetLanguage(EN_US);
    EXPECT_EQ(CharFilterDate('/'), '/');
    EXPECT_EQ(CharFilterDate('k'), 'K');
}
