// The standard formatters behind the Format ids (printf conversions, names,
// choice texts, padded texts, number texts, dates and times) and the date and
// time pattern formatter.
#include "foundation/values/format.h"
#include "foundation/values/format_internal.h"

#include "foundation/charset.h"
#include "foundation/values/date_text.h"
#include "foundation/values/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace Qor {

// printf conversions ---------------------------------------------------------

// Numbers in options beyond this are taken as this, as the number texts do.
static int AddDigit(int v, int c)
{
    v = 10 * v + (c - '0');
    return v > NUMBER_TEXT_MAX_PAD ? NUMBER_TEXT_MAX_PAD : v;
}

// "%" + the options + conversion, keeping from the options only what printf
// reads as flags, a width, a '.' and a precision, in that order. Options can come
// from translation files: nothing else may reach the C library as a format.
void MakePrintfSpec(char* spec, const String& options, const char* conversion)
{
    char* q = spec;
    *q++ = '%';
    char flags[6] = {};
    int nflags = 0;
    int width = -1, precision = -1;
    bool dot = false, width_done = false;
    for(const char* s = options.Begin(); s < options.End(); s++) {
        int c = (byte)*s;
        if(c == '.') {
            if(dot)
                break;
            dot = true;
            precision = 0;
        }
        else if(c >= '0' && c <= '9') {
            if(dot)
                precision = AddDigit(precision, c);
            else if(width_done)
                continue; // a second digit run is no width
            else if(width >= 0 || c != '0')
                width = AddDigit(width < 0 ? 0 : width, c);
            else if(!std::strchr(flags, c))
                flags[nflags++] = (char)c;
        }
        else {
            if(width >= 0)
                width_done = true;
            if(c && std::strchr("-+ #", c) && width < 0 && !dot && !std::strchr(flags, c))
                flags[nflags++] = (char)c;
        }
    }
    std::memcpy(q, flags, nflags);
    q += nflags;
    if(width >= 0)
        q += std::snprintf(q, 8, "%d", width);
    if(dot) {
        *q++ = '.';
        q += std::snprintf(q, 8, "%d", precision);
    }
    // The ids of the printf formatters have at most three letters.
    int n = 0;
    while(n < 3 && conversion[n])
        n++;
    std::memcpy(q, conversion, n);
    q[n] = 0;
}

// One conversion of any length: a stack attempt, then a block of the exact size.
template <class T>
static String PrintOne(const char* spec, T x)
{
    char small[1024];
    int n = std::snprintf(small, sizeof small, spec, x);
    if(n <= 0)
        return String();
    if(n < (int)sizeof small)
        return String(small, n);
    String out;
    char* buffer = out.Insert(0, n);
    char keep = buffer[n];
    std::snprintf(buffer, n + 1, spec, x);
    buffer[n] = keep;
    return out;
}

static String TextFormatter(const FormatItem& item);

static String IntEmptyFormatter(const FormatItem& item) { return IntToText(item.arg.ToInt()); }

static String IntPrintfFormatter(const FormatItem& item)
{
    int x = item.arg.ToInt();
    if(item.options.IsEmpty() && item.id == "d")
        return IntToText(x);
    char spec[40];
    MakePrintfSpec(spec, item.options, item.id.Begin());
    if(item.id[0] == 'l') // the 32 bits widened without sign
        return PrintOne(spec, (long)(uint32)x);
    return PrintOne(spec, x);
}

static String Int64PrintfFormatter(const FormatItem& item)
{
    char spec[40];
    MakePrintfSpec(spec, item.options, item.id.Begin());
    return PrintOne(spec, (long long)item.arg.ToInt64());
}

// Options that are at most a precision ("", ".2"): the text is std::to_chars's,
// which writes exactly what printf writes for them, much faster. Gives the length
// written into buffer (SHORT_DOUBLE_BUFFER bytes), -1 when printf has to do it.
static const int SHORT_DOUBLE_BUFFER = 160;
static int ShortDoubleText(char* buffer, const String& options, const String& id, double x)
{
    const char* s = options.Begin();
    const char* e = options.End();
    int precision = 6;
    if(s < e) {
        if(*s++ != '.' || e - s > 2)
            return -1;
        precision = 0;
        for(; s < e; s++) {
            if(*s < '0' || *s > '9')
                return -1;
            precision = 10 * precision + (*s - '0');
        }
    }
    if(!std::isfinite(x) || std::fabs(x) >= 1e17)
        return -1;
    int c = id[0];
    std::chars_format form = (c | 0x20) == 'f' ? std::chars_format::fixed
                             : (c | 0x20) == 'e' ? std::chars_format::scientific
                                                 : std::chars_format::general;
    if(form == std::chars_format::general)
        return -1; // printf's %g drops trailing zeros, to_chars keeps none to drop: not worth the care
    std::to_chars_result r = std::to_chars(buffer, buffer + SHORT_DOUBLE_BUFFER, x, form, precision);
    if(r.ec != std::errc())
        return -1;
    if(c == 'E')
        for(char* p = buffer; p < r.ptr; p++)
            if(*p == 'e')
                *p = 'E';
    return int(r.ptr - buffer);
}

static String DoublePrintfFormatter(const FormatItem& item)
{
    double x = item.arg.ToDouble();
    char buffer[SHORT_DOUBLE_BUFFER];
    int n = ShortDoubleText(buffer, item.options, item.id, x);
    if(n >= 0)
        return String(buffer, n);
    char spec[40];
    MakePrintfSpec(spec, item.options, item.id.Begin());
    return PrintOne(spec, x);
}

bool AppendPlainPlaceholder(TextBuffer& out, Formatter f, const FormatArg& a, const String& id,
                            const String& options)
{
    if(a.IsText()) {
        if(f != TextFormatter || id != "s" || !options.IsEmpty())
            return false;
        out.Append(a.GetText(), a.GetLength());
        return true;
    }
    Value unused;
    const Value& arg = a.Get(unused);
    if(f == DoublePrintfFormatter) {
        char buffer[SHORT_DOUBLE_BUFFER];
        int n = ShortDoubleText(buffer, options, id, arg.ToDouble());
        if(n < 0)
            return false;
        out.Append(buffer, n);
        return true;
    }
    if(!options.IsEmpty())
        return false;
    if(f == TextFormatter && id == "s" && arg.IsStringForm())
        out.Append(arg.StringRef());
    else if(f == IntEmptyFormatter || (f == IntPrintfFormatter && id == "d"))
        out.Append(IntToText(arg.ToInt()));
    else
        return false;
    return true;
}

// Choice text: "1:file;files", "0:none;1,21:one;many", "10%1:st;2:nd;3:rd;th".
static String ChoiceFormatter(const FormatItem& item)
{
    int q = item.arg.ToInt();
    int n = q;
    const char* s = item.options.Begin();
    const char* e = item.options.End();
    auto up_to_semicolon = [&](const char* b) {
        const char* t = b;
        while(t < e && *t != ';')
            t++;
        return String(b, int(t - b));
    };
    for(;;) {
        int v = 0;
        while(s < e && *s >= '0' && *s <= '9')
            v = AddDigit(v, *s++);
        if(s >= e)
            return String();
        int c = *s++;
        if(c == '%')
            n = q % (v > 0 ? v : 1);
        else if(c == ':') {
            if(n == v)
                return up_to_semicolon(s);
            while(s < e && *s != ';')
                s++;
            if(s >= e)
                return String();
            s++;
        }
        else if(c == ',') {
            if(n == v) {
                while(s < e && *s != ':')
                    s++;
                if(s >= e)
                    return String();
                return up_to_semicolon(s + 1);
            }
        }
        else
            return String(s - 1, int(e - s + 1));
    }
}

// Month and weekday names ----------------------------------------------------

// "month", "dy": lower case; "MONTH", "DY": capitals; "Month", "Dy": as translated.
static String CasedName(const FormatItem& item, const String& name)
{
    bool lower = item.id[0] >= 'a';
    bool capitals = !lower && item.id[1] < 'a';
    if(!lower && !capitals)
        return name;
    int charset = GetLanguageCharset(item.language);
    if(charset < 0)
        charset = 0;
    return lower ? LowerCaseText(name, charset) : CapitalCaseText(name, charset);
}

static String MonthFormatter(const FormatItem& item)
{
    int x = item.arg.ToInt();
    if(x < 1 || x > 12)
        return String();
    bool full = item.id.GetLength() > 3;
    return CasedName(item, full ? MonthName(x - 1, item.language) : ShortMonthName(x - 1, item.language));
}

static String DayFormatter(const FormatItem& item)
{
    int x = item.arg.ToInt();
    if(x < 0 || x > 6)
        return String();
    bool full = item.id.GetLength() > 2;
    return CasedName(item, full ? DayName(x, item.language) : ShortDayName(x, item.language));
}

static String TwelveHourFormatter(const FormatItem& item)
{
    int h = item.arg.ToInt() % 12;
    if(h == 0)
        h = 12;
    if(item.options.GetLength() && item.options[0] == '0' && h >= 0 && h < 10)
        return "0" + IntToText(h);
    return IntToText(h);
}

// Texts ------------------------------------------------------------------------

static const char* SkipSpace(const char* s, const char* e)
{
    while(s < e && (*s == ' ' || *s == '\t' || *s == '\n' || *s == '\r'))
        s++;
    return s;
}

static String TextFormatter(const FormatItem& item)
{
    String text = item.arg.GetString();
    if(item.options.IsEmpty() && item.id == "s")
        return text;
    const char* s = item.options.Begin();
    const char* e = item.options.End();
    int length = text.CharacterCount();
    bool left = false;
    int width = 0, precision = length; // no width: no padding
    s = SkipSpace(s, e);
    if(s < e && *s == '-') {
        left = true;
        s = SkipSpace(s + 1, e);
    }
    if(s < e && *s >= '0' && *s <= '9') {
        width = 0;
        while(s < e && *s >= '0' && *s <= '9')
            width = AddDigit(width, *s++);
        s = SkipSpace(s, e);
    }
    if(s < e && *s == '.') {
        s = SkipSpace(s + 1, e);
        if(s < e && *s >= '0' && *s <= '9') {
            precision = 0;
            while(s < e && *s >= '0' && *s <= '9')
                precision = AddDigit(precision, *s++);
        }
    }
    if(precision < length) {
        TruncateToCharacters(text, precision);
        length = text.CharacterCount();
    }
    if(length >= width)
        return text;
    String pad;
    std::memset(pad.Insert(0, width - length), ' ', width - length);
    return left ? text + pad : pad + text;
}

// Dates, times and number texts ----------------------------------------------

static String DateFormatter(const FormatItem& item)
{
    int type = item.arg.GetTypeNumber();
    if(type == VOID_V || type == ERROR_V)
        return String();
    // The languages of this system have empty date patterns: the standard date text.
    return FormatDateByPattern(item.arg.ToDate(), nullptr, item.language);
}

static String TimeFormatter(const FormatItem& item)
{
    return FormatTimeByPattern(item.arg.ToTime(), nullptr, item.language);
}

static String NumberFormatter(const FormatItem& item)
{
    if(item.arg.IsNull())
        return String();
    double x = item.arg.ToDouble();
    unsigned flags = item.id[0] == 'v' ? (unsigned)DTF_SIGNIFICANT : 0u;
    const char* s = item.options.Begin();
    const char* e = item.options.End();
    int count = 6, exponent_digits = 0;
    if(s < e && *s == '+') {
        flags |= DTF_SIGN;
        s++;
    }
    bool negative = s + 1 < e && *s == '-' && s[1] >= '0' && s[1] <= '9';
    if(negative)
        s++;
    if(s < e && *s >= '0' && *s <= '9') {
        count = 0;
        while(s < e && *s >= '0' && *s <= '9')
            count = AddDigit(count, *s++);
        if(negative)
            count = -count;
    }
    if(s < e && *s == '@') {
        flags |= DTF_NO_THOUSANDS;
        s++;
    }
    if(s < e && *s == ',') {
        flags |= DTF_DECIMAL_COMMA;
        s++;
    }
    if(s < e && *s == '!') {
        flags |= DTF_KEEP_ZEROS;
        s++;
    }
    if(s < e && *s == '^') {
        s++;
        if(s < e && *s == '+') {
            flags |= DTF_EXP_SIGN;
            s++;
        }
        while(s < e && *s >= '0' && *s <= '9')
            exponent_digits = AddDigit(exponent_digits, *s++);
    }
    bool language_form = item.id.GetLength() > 1 && item.id[1] == 'l';
    int form = item.id.GetLength() > (language_form ? 2 : 1) ? item.id[language_form ? 2 : 1] : 0;
    if(form == 'e')
        flags |= DTF_CHOSEN_FORM | DTF_EXP_FORM;
    else if(form == 'f')
        flags |= DTF_CHOSEN_FORM;
    if(language_form)
        return LanguageDoubleText(item.language, count, flags, exponent_digits, x);
    return DoubleToGeneralText(count, flags, exponent_digits, x);
}

static String LetterFormatter(const FormatItem& item) { return IntToLetters(item.arg.ToInt(), item.id[0] == 'A'); }
static String RomanFormatter(const FormatItem& item) { return IntToRoman(item.arg.ToInt(), item.id[0] == 'R'); }

static String ValueFormatter(const FormatItem& item)
{
    String text = FormatValueText(item.arg);
    return text.IsEmpty() ? item.options : text;
}

// Registration ------------------------------------------------------------------

void RegisterStandardFormatters()
{
    static bool done;
    if(done)
        return;
    struct Entry {
        const char* id;
        Formatter formatter;
    };
    static const Entry number_ids[] = {
        {"", IntEmptyFormatter},        {"c", IntPrintfFormatter},      {"d", IntPrintfFormatter},
        {"i", IntPrintfFormatter},      {"o", IntPrintfFormatter},      {"x", IntPrintfFormatter},
        {"X", IntPrintfFormatter},      {"ld", IntPrintfFormatter},     {"li", IntPrintfFormatter},
        {"lo", IntPrintfFormatter},     {"lx", IntPrintfFormatter},     {"lX", IntPrintfFormatter},
        {"lld", Int64PrintfFormatter},  {"lli", Int64PrintfFormatter},  {"llo", Int64PrintfFormatter},
        {"llx", Int64PrintfFormatter},  {"llX", Int64PrintfFormatter},  {"e", DoublePrintfFormatter},
        {"E", DoublePrintfFormatter},   {"f", DoublePrintfFormatter},   {"g", DoublePrintfFormatter},
        {"G", DoublePrintfFormatter},   {"s", ChoiceFormatter},         {"month", MonthFormatter},
        {"Month", MonthFormatter},      {"MONTH", MonthFormatter},      {"mon", MonthFormatter},
        {"Mon", MonthFormatter},        {"MON", MonthFormatter},        {"Day", DayFormatter},
        {"DAY", DayFormatter},          {"day", DayFormatter},          {"Dy", DayFormatter},
        {"DY", DayFormatter},           {"dy", DayFormatter},           {"tw", TwelveHourFormatter},
    };
    for(int type : {BOOL_V, INT_V, INT64_V, DOUBLE_V})
        for(const Entry& e : number_ids)
            RegisterFormatter(type, e.id, e.formatter);
    for(int type : {WSTRING_V, STRING_V, VOID_V, ERROR_V})
        RegisterFormatter(type, "s", TextFormatter);
    for(int type : {VOID_V, ERROR_V, DATE_V})
        RegisterFormatter(type, "", DateFormatter);
    RegisterFormatter(TIME_V, "", TimeFormatter);
    static const Entry value_ids[] = {
        {"n", NumberFormatter},  {"ne", NumberFormatter},  {"nf", NumberFormatter}, {"nl", NumberFormatter},
        {"nle", NumberFormatter}, {"nlf", NumberFormatter}, {"v", NumberFormatter},  {"ve", NumberFormatter},
        {"vf", NumberFormatter},  {"vl", NumberFormatter},  {"vle", NumberFormatter}, {"vlf", NumberFormatter},
        {"a", LetterFormatter},  {"A", LetterFormatter},   {"r", RomanFormatter},   {"R", RomanFormatter},
    };
    for(const Entry& e : value_ids)
        for(int type : {DOUBLE_V, INT64_V, INT_V, BOOL_V, VOID_V, ERROR_V})
            RegisterFormatter(type, e.id, e.formatter);
    RegisterFormatter(FORMAT_ANY_TYPE, "vt", ValueFormatter);
    RegisterFormatter(FORMAT_ANY_TYPE, "", ValueFormatter);
    done = true;
}

// The pattern formatter ----------------------------------------------------------

static void AppendNumber(String& out, int x, bool two_digits)
{
    if(two_digits && x >= 0 && x < 10)
        out.AppendChar('0');
    out.Append(IntToText(x));
}

String FormatDateByPattern(Date date, const char* pattern, LanguageCode language)
{
    if(date.IsNull())
        return String();
    if(!pattern || !*pattern)
        return FormatDate(date);
    return FormatTimeByPattern(Time(date, 0, 0, 0), pattern, language);
}

String FormatTimeByPattern(Time time, const char* pattern, LanguageCode)
{
    if(time.IsNull())
        return String();
    if(!pattern || !*pattern)
        return FormatTime(time, true);
    String out;
    const char* s = pattern;
    while(*s) {
        int c = (byte)*s;
        if(std::strchr("DMYhHms", c)) {
            int run = 0;
            while(*s == c) {
                s++;
                run++;
            }
            bool two = run > 1;
            switch(c) {
            case 'D': AppendNumber(out, time.day, two); break;
            case 'M': AppendNumber(out, time.month, two); break;
            case 'Y':
                if(run >= 3)
                    AppendNumber(out, time.year, false);
                else
                    AppendNumber(out, time.year % 100, two);
                break;
            case 'h': AppendNumber(out, time.hour, two); break;
            case 'H': AppendNumber(out, (time.hour + 11) % 12 + 1, two); break;
            case 'm': AppendNumber(out, time.minute, two); break;
            default: AppendNumber(out, time.second, two); break;
            }
        }
        else if(c == '<') {
            const char* first = ++s;
            while(*s && *s != '/')
                s++;
            if(!*s)
                return out;
            const char* first_end = s++;
            const char* second = s;
            while(*s && *s != '>')
                s++;
            if(!*s)
                return out;
            // 0:00 to 11:59 are before noon; 12:00 to 12:59 are after it.
            if(time.hour < 12)
                out.Append(first, int(first_end - first));
            else
                out.Append(second, int(s - second));
            s++;
        }
        else if(c == '`') {
            if(s[1]) {
                out.AppendChar((byte)s[1]);
                s += 2;
            }
            else
                s++;
        }
        else {
            out.AppendChar(c);
            s++;
        }
    }
    return out;
}

} // namespace Qor
