// Formatting of dates and times by the stored date format. The placeholders
// take int arguments only, so a small engine of their syntax lives here:
// "%%", positions "N:" or "N$", printf flags and width, and the ids d, i, o,
// x, X, c and the month and weekday names.
#include "foundation/values/date_text.h"

#include "foundation/charset.h"
#include "foundation/values/format.h"
#include "foundation/values/translate.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace Qor {

static bool IsAsciiLetter(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// printf of one int; only flags, width and precision reach the conversion (as in the
// Format engine) so a stray option cannot ask for arguments or runaway widths.
static String PrintInt(const String& options, char conversion, int value)
{
    char spec[32];
    const char name[2] = {conversion, 0};
    MakePrintfSpec(spec, options, name);
    char small[64];
    int length = std::snprintf(small, sizeof(small), spec, value);
    if(length < (int)sizeof(small))
        return String(small, length < 0 ? 0 : length);
    std::vector<char> big(length + 1);
    std::snprintf(big.data(), big.size(), spec, value);
    return String(big.data(), length);
}

// The text of an int under an id; false when the id is unknown.
static bool FormatIntById(String& text, const String& id, const String& options, int value, LanguageCode language)
{
    if(id.IsEmpty() || id == "d" || id == "i" || id == "ld" || id == "li" || id == "lld" || id == "lli") {
        text = PrintInt(options, 'd', value);
        return true;
    }
    if(id == "o" || id == "x" || id == "X" || id == "c") {
        text = PrintInt(options, (char)id[0], value);
        return true;
    }
    struct NameId {
        const char* id;
        String (*name)(int, LanguageCode);
        int offset;
        int form; // 0 as translated, 1 lower case, 2 capitals
    };
    static const NameId names[] = {
        {"Month", MonthName, -1, 0}, {"month", MonthName, -1, 1}, {"MONTH", MonthName, -1, 2},
        {"Mon", ShortMonthName, -1, 0}, {"mon", ShortMonthName, -1, 1}, {"MON", ShortMonthName, -1, 2},
        {"Day", DayName, 0, 0}, {"day", DayName, 0, 1}, {"DAY", DayName, 0, 2},
        {"Dy", ShortDayName, 0, 0}, {"dy", ShortDayName, 0, 1}, {"DY", ShortDayName, 0, 2},
    };
    for(const NameId& n : names)
        if(id == n.id) {
            String name = n.name(value + n.offset, language);
            int charset = GetLanguageCharset(language ? language : GetCurrentLanguage());
            charset = charset < 0 ? 0 : charset;
            text = n.form == 1 ? LowerCaseText(name, charset) : n.form == 2 ? CapitalCaseText(name, charset) : name;
            return true;
        }
    return false;
}

// Positions past this are all errors alike; saturating keeps long digit runs from
// overflowing.
static const int POSITION_LIMIT = 1000000000;

static String FormatInts(const char* format, const int* args, int count)
{
    LanguageCode language = GetCurrentLanguage();
    String out;
    int p = 0; // the next argument; carries over from one placeholder to the next
    const char* s = format;
    for(;;) {
        const char* start = s;
        while(*s && *s != '%')
            s++;
        out.Append(start, int(s - start));
        if(!*s)
            return out;
        s++;
        if(*s == '%') {
            out.AppendChar('%');
            s++;
            continue;
        }
        const char* pending = s;
        int v = 0;
        while(*s && *s != '`' && !IsAsciiLetter((byte)*s)) {
            if(*s == ':' || *s == '$') {
                p = v - 1;
                v = 0;
                pending = s + 1;
            }
            else if(*s >= '0' && *s <= '9')
                v = v < POSITION_LIMIT / 10 ? 10 * v + (*s - '0') : POSITION_LIMIT;
            else
                v = 0;
            s++;
        }
        String options(pending, int(s - pending));
        const char* id_start = s;
        while(IsAsciiLetter((byte)*s))
            s++;
        if(p < 0 || p >= count) {
            out.Append("<invalid pos=");
            char number[16];
            out.Append(number, std::snprintf(number, sizeof(number), "%d", p));
            out.AppendChar('>');
            if(*s == '`')
                s++;
            continue;
        }
        // An unknown id gives its last letter back to the text that follows.
        String text;
        while(!FormatIntById(text, String(id_start, int(s - id_start)), options, args[p], language))
            s--;
        p++;
        if(*s == '`')
            s++;
        out.Append(text);
    }
}

String FormatDate(Date date)
{
    if(date.IsNull())
        return String();
    int args[4] = {date.year, date.month, date.day, DayOfWeek(date)};
    return FormatInts(GetDateFormat(), args, 4);
}

String FormatTime(Time time, bool seconds)
{
    if(time.IsNull())
        return String();
    String out = FormatDate(time);
    int args[3] = {time.hour, time.minute, time.second};
    out.Append(FormatInts(seconds ? " %02d:%02d:%02d" : " %02d:%02d", args, seconds ? 3 : 2));
    return out;
}

} // namespace Qor
