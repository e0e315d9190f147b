// Language records: the cache, filling a record from the language table and
// the C library's locale, number/date/time texts in the language's form, the
// default and Czech text orders with their index letters, and the hooks that
// hand them to the Format engine and to CompareValues.

#include "foundation/values/language_info.h"

#include <clocale>
#include <cstring>
#include <langinfo.h>

#include "foundation/charset.h"
#include "foundation/chartable.h"
#include "foundation/key_index.h"
#include "foundation/values/format.h"
#include "foundation/values/number_text.h"
#include "foundation/values/translate.h"
#include "foundation/values/value.h"
#include "foundation/vector.h"

namespace Qor {

// ---------------------------------------------------------------- collation

enum { CLASS_SPACE, CLASS_OTHER, CLASS_DIGIT, CLASS_LETTER };

static int CharClass(int c)
{
    if(c < 2048 && IsLetterChar(c))
        return CLASS_LETTER;
    if(c >= '0' && c <= '9')
        return CLASS_DIGIT;
    return c == ' ' ? CLASS_SPACE : CLASS_OTHER;
}

// Upper-case ASCII base letter of a capital, 0 when none.
static int BaseLetter(int capital)
{
    int b = BaseAsciiChar(capital);
    return b >= 'a' && b <= 'z' ? b - 'a' + 'A' : b;
}

static bool IsCzechAccentBase(int base)
{
    return base && std::strchr("AEINOTUY", base) != nullptr;
}

static bool IsDigitUnit(int c) { return c >= '0' && c <= '9'; }

int CompareDigitRuns(const wchar16*& a, const wchar16* a_end, const wchar16*& b, const wchar16* b_end)
{
    const wchar16* x = a;
    const wchar16* y = b;
    while(x < a_end && *x == '0')
        x++;
    while(y < b_end && *y == '0')
        y++;
    const wchar16* xe = x;
    const wchar16* ye = y;
    while(xe < a_end && IsDigitUnit(*xe))
        xe++;
    while(ye < b_end && IsDigitUnit(*ye))
        ye++;
    if(xe - x != ye - y)
        return xe - x < ye - y ? -1 : 1;
    for(; x < xe; x++, y++)
        if(*x != *y)
            return *x < *y ? -1 : 1;
    a = xe;
    b = ye;
    return 0;
}

static int Sign(int x) { return (x > 0) - (x < 0); }

// One walk serves both orders; czech adds the CH letter and makes every
// capital difference outside A E I N O T U Y decide at once.
static int CompareText(const wchar16* a, int la, const wchar16* b, int lb, bool czech)
{
    const wchar16* ae = a + la;
    const wchar16* be = b + lb;
    int d = 0, k = 0;
    while(a < ae && b < be) {
        int ca = *a, cb = *b;
        int ka = CharClass(ca), kb = CharClass(cb);
        if(ka != kb)
            return ka < kb ? -1 : 1;
        if(ka == CLASS_DIGIT) {
            int r = CompareDigitRuns(a, ae, b, be);
            if(r)
                return r;
            continue;
        }
        if(ka != CLASS_LETTER) {
            if(ca != cb)
                return ca < cb ? -1 : 1;
            a++;
            b++;
            continue;
        }
        int capa = CapitalCaseChar(ca), capb = CapitalCaseChar(cb);
        int basea = BaseLetter(capa), baseb = BaseLetter(capb);
        int na = 1, nb = 1;
        bool case_counts = true;
        if(czech) {
            if((ca | 0x20) == 'c' && a + 1 < ae && (a[1] | 0x20) == 'h') {
                capa = 0xFFFF;
                basea = 'H';
                na = 2;
                case_counts = false;
            }
            if((cb | 0x20) == 'c' && b + 1 < be && (b[1] | 0x20) == 'h') {
                capb = 0xFFFF;
                baseb = 'H';
                nb = 2;
                case_counts = false;
            }
        }
        if(basea != baseb)
            return basea < baseb ? -1 : 1;
        if(czech && capa != capb && !IsCzechAccentBase(basea))
            return capa < capb ? -1 : 1;
        if(!d)
            d = capa - capb;
        if(!k && case_counts && ca != cb)
            k = (ca != CapitalCaseChar(ca)) - (cb != CapitalCaseChar(cb));
        a += na;
        b += nb;
    }
    if(la == lb)
        return Sign(d ? d : k);
    return la < lb ? -1 : 1;
}

int CompareTextDefault(const wchar16* a, int la, const wchar16* b, int lb)
{
    return CompareText(a, la, b, lb, false);
}

int CompareTextCzech(const wchar16* a, int la, const wchar16* b, int lb)
{
    return CompareText(a, la, b, lb, true);
}

WString IndexLetterDefault(const wchar16* text)
{
    if(!text || CharClass(*text) != CLASS_LETTER)
        return WString();
    return WString(text, 1);
}

WString IndexLetterCzech(const wchar16* text)
{
    if(!text || CharClass(*text) != CLASS_LETTER)
        return WString();
    wchar16 out[2] = {(wchar16)CapitalCaseChar(*text), 0};
    if(out[0] == 'C' && CharClass(text[1]) == CLASS_LETTER && LowerCaseChar(text[1]) == 'h') {
        out[1] = 'h';
        return WString(out, 2);
    }
    int base = BaseLetter(out[0]);
    if(IsCzechAccentBase(base))
        out[0] = (wchar16)base;
    return WString(out, 1);
}

// ---------------------------------------------------------------- numbers

const char* GroupDigits(const char* text, String& out, const String& separator)
{
    const char* s = text;
    while(*s && !(*s >= '0' && *s <= '9'))
        s++;
    out.Append(text, int(s - text));
    const char* digits = s;
    while(*s >= '0' && *s <= '9')
        s++;
    int n = int(s - digits);
    if(n == 0)
        return s;
    int group = (n - 1) % 3 + 1;
    out.Append(digits, group);
    for(const char* p = digits + group; p < s; p += 3) {
        out.Append(separator);
        out.Append(p, 3);
    }
    return s;
}

String LanguageInfo::FormatDouble(int count, unsigned flags, int exponent_digits, double x) const
{
    if(x < -1e307)
        return String();
    // A record without locale data has no point; a number must keep one.
    String point = flags & DTF_DECIMAL_COMMA ? String(",") : decimal_point.IsEmpty() ? String(".") : decimal_point;
    String separator = flags & DTF_NO_THOUSANDS ? String() : thousand_separator;
    // The generator writes '.' so that the point can be found and replaced.
    String s = DoubleToGeneralText(count, flags & ~(DTF_DECIMAL_COMMA | DTF_NO_THOUSANDS), exponent_digits, x);
    if(s.IsEmpty())
        return String();
    String out;
    const char* p = GroupDigits(s.Begin(), out, separator);
    if(*p == '.') {
        out.Append(point);
        const char* f = ++p;
        while(*p >= '0' && *p <= '9')
            p++;
        out.Append(f, int(p - f));
    }
    p = GroupDigits(p, out, separator);
    out.Append(p);
    return out;
}

String LanguageInfo::FormatDate(Date date) const
{
    return FormatDateByPattern(date, date_format.Begin(), language);
}

String LanguageInfo::FormatTime(Time time) const
{
    return FormatTimeByPattern(time, time_format.Begin(), language);
}

// ---------------------------------------------------------------- records

int FindLanguageRow(LanguageCode code)
{
    code &= LANGUAGE_AND_COUNTRY_MASK;
    if(code == 0)
        return -1;
    for(int i = 0; language_table_codes[i]; i++)
        if(language_table_codes[i] == code)
            return i;
    return -1;
}

String LanguageLocaleName(LanguageCode code)
{
    String text = LanguageCodeToText(SetLanguageCharset(code, 0));
    if(text.GetLength() < 5)
        return String();
    String out;
    out.AppendChar(LowerCaseChar(text[0]));
    out.AppendChar(LowerCaseChar(text[1]));
    out.AppendChar('_');
    out.AppendChar(CapitalCaseChar(text[3]));
    out.AppendChar(CapitalCaseChar(text[4]));
    return out;
}

static WString LocaleText(nl_item item)
{
    const char* s = nl_langinfo(item);
    return s ? DecodeText(s, (int)std::strlen(s)) : WString();
}

static void ReadLocale(LanguageInfo& info)
{
    const lconv* lc = localeconv();
    info.decimal_point = lc && lc->decimal_point ? lc->decimal_point : "";
    info.thousand_separator = lc && lc->thousands_sep ? lc->thousands_sep : "";
    static const nl_item months[12] = {MON_1, MON_2, MON_3, MON_4, MON_5, MON_6,
                                       MON_7, MON_8, MON_9, MON_10, MON_11, MON_12};
    static const nl_item short_months[12] = {ABMON_1, ABMON_2, ABMON_3, ABMON_4, ABMON_5, ABMON_6,
                                             ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
    static const nl_item days[7] = {DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7, DAY_1};
    static const nl_item short_days[7] = {ABDAY_2, ABDAY_3, ABDAY_4, ABDAY_5, ABDAY_6, ABDAY_7, ABDAY_1};
    for(int i = 0; i < 12; i++) {
        info.wmonth[i] = LocaleText(months[i]);
        info.wshort_month[i] = LocaleText(short_months[i]);
    }
    for(int i = 0; i < 7; i++) {
        info.wday[i] = LocaleText(days[i]);
        info.wshort_day[i] = LocaleText(short_days[i]);
    }
}

void LanguageInfo::Set(LanguageCode code)
{
    language = code;
    int row = FindLanguageRow(code);
    if(row < 0)
        return;
    const char* text = language_table_texts[row];
    const char* tab1 = std::strchr(text, '\t');
    const char* tab2 = tab1 ? std::strchr(tab1 + 1, '\t') : nullptr;
    if(!tab2)
        return;
    english_name = String(text, int(tab1 - text));
    native_name = String(tab1 + 1, int(tab2 - tab1 - 1));
    if(tab2[1]) { // the identifier's high byte; a zero one would end the text
        if(SetLanguageCharset(code, 0) == LANGUAGE_CS_CZ) {
            compare = CompareTextCzech;
            index_letter = IndexLetterCzech;
        }
        else {
            compare = CompareTextDefault;
            index_letter = IndexLetterDefault;
        }
        // The saved name lives in the C library's buffer, which the next
        // setlocale may overwrite: keep a copy.
        const char* current = setlocale(LC_ALL, nullptr);
        String saved = current ? current : "C";
        String name = LanguageLocaleName(code);
        if(!name.IsEmpty() && setlocale(LC_ALL, name.Begin())) {
            ReadLocale(*this);
            setlocale(LC_ALL, saved.Begin());
        }
    }
    for(int i = 0; i < 12; i++) {
        month[i] = String(wmonth[i]);
        short_month[i] = String(wshort_month[i]);
    }
    for(int i = 0; i < 7; i++) {
        day[i] = String(wday[i]);
        short_day[i] = String(wshort_day[i]);
    }
}

namespace {

struct LanguageCache {
    KeyIndex<int> codes;
    Vector<LanguageInfo*> records;
    ~LanguageCache()
    {
        for(LanguageInfo* info : records)
            delete info;
    }
};

} // namespace

LanguageInfo& GetLanguageInfo(LanguageCode language)
{
    static LanguageCache cache;
    if(language == 0)
        language = GetCurrentLanguage();
    LanguageCode key = SetLanguageCharset(language, 0);
    int i = cache.codes.Find(key);
    if(i >= 0)
        return *cache.records[i];
    LanguageInfo* info = new LanguageInfo;
    cache.codes.Add(key);
    cache.records.Add(info);
    info->Set(key);
    return *info;
}

// ---------------------------------------------------------------- hooks

static String LanguageDouble(LanguageCode language, int count, unsigned flags, int exponent_digits, double x)
{
    return GetLanguageInfo(language).FormatDouble(count, flags, exponent_digits, x);
}

static int LanguageTextCompare(const wchar16* a, int la, const wchar16* b, int lb, LanguageCode language)
{
    return GetLanguageInfo(language).compare(a, la, b, lb);
}

void RegisterLanguageCollation()
{
    SetLanguageDoubleFunction(LanguageDouble);
    SetValueTextCompare(LanguageTextCompare);
}

} // namespace Qor
