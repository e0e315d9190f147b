// Month and weekday names, the per-language date settings and the filter for
// typed date characters.
#include "foundation/values/date_text.h"

#include "foundation/chartable.h"
#include "foundation/values/translate.h"

namespace Qor {

// ---------------------------------------------------------------- names

static const char* const month_ids[12] = {
    "date\vJanuary", "date\vFebruary", "date\vMarch",     "date\vApril",   "date\vMay",      "date\vJune",
    "date\vJuly",    "date\vAugust",   "date\vSeptember", "date\vOctober", "date\vNovember", "date\vDecember",
};
static const char* const short_month_ids[12] = {
    "sdate\vJan", "sdate\vFeb", "sdate\vMar", "sdate\vApr", "sdate\vMay", "sdate\vJun",
    "sdate\vJul", "sdate\vAug", "sdate\vSep", "sdate\vOct", "sdate\vNov", "sdate\vDec",
};
static const char* const day_ids[7] = {
    "date\vSunday", "date\vMonday", "date\vTuesday", "date\vWednesday", "date\vThursday", "date\vFriday", "date\vSaturday",
};
static const char* const short_day_ids[7] = {
    "date\vSu", "date\vMo", "date\vTu", "date\vWe", "date\vTh", "date\vFr", "date\vSa",
};

static String NameOf(const char* const* ids, int count, int i, LanguageCode language)
{
    if(i < 0 || i >= count)
        return String();
    String name = TranslateTo(language, ids[i]);
    // A language that lists the id with an empty text still gets a name.
    return name.IsEmpty() ? String(SkipIdPrefix(ids[i])) : name;
}

String MonthName(int i, LanguageCode language) { return NameOf(month_ids, 12, i, language); }
String ShortMonthName(int i, LanguageCode language) { return NameOf(short_month_ids, 12, i, language); }
String DayName(int i, LanguageCode language) { return NameOf(day_ids, 7, i, language); }
String ShortDayName(int i, LanguageCode language) { return NameOf(short_day_ids, 7, i, language); }

// ---------------------------------------------------------------- settings

// The English texts of the ids a language change re-reads.
static char date_format[64] = "%2:02d/%3:02d/%1:4d";
static char date_scan[64] = "mdy";
static char date_filter[64] = "A/\a .-";

static void CopySetting(char* setting, const char* text)
{
    int i = 0;
    if(text)
        for(; i < 63 && text[i]; i++)
            setting[i] = text[i];
    setting[i] = 0;
}

void SetDateFormat(const char* text) { CopySetting(date_format, text); }
void SetDateScan(const char* text) { CopySetting(date_scan, text); }
void SetDateFilter(const char* text) { CopySetting(date_filter, text); }
const char* GetDateFormat() { return date_format; }
const char* GetDateScan() { return date_scan; }
const char* GetDateFilter() { return date_filter; }

void RenewDateSettings(const char* format, const char* scan, const char* filter)
{
    SetDateFormat(format);
    SetDateScan(scan);
    SetDateFilter(filter);
}

// Should a language have been set before this runs, its texts are taken at once so
// no change is missed.
void RegisterDateSettingsHook()
{
    SetDateSettingsHook(RenewDateSettings);
    if(GetCurrentLanguage())
        RenewDateSettings(Translate("date-format\a%2:02d/%3:02d/%1:4d"), Translate("date-scan\amdy"),
                          Translate("date-filter\aA/\a .-"));
}

// ---------------------------------------------------------------- input filter

int CharFilterDate(int c)
{
    if(c >= '0' && c <= '9')
        return c;
    const char* f = date_filter;
    if(*f == 'a' || *f == 'A') {
        if(IsLetterChar(c))
            return *f == 'a' ? c : CapitalCaseChar(c);
        f++;
    }
    int r = 0;
    while(*f) {
        if((byte)*f == c)
            return c;
        if(*f == '\r') {
            // A group of characters that all turn into the last ordinary one.
            f++;
            bool found = false;
            while(*f && *f != '\r')
                if((byte)*f++ == c)
                    found = true;
            if(found)
                return r;
            if(*f)
                f++;
        }
        else
            r = (byte)*f++;
    }
    return 0;
}

} // namespace Qor
