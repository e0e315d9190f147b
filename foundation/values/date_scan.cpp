// Reading dates from text in a given field order, with numbers or month names.
#include "foundation/values/date_text.h"

#include "foundation/charset.h"
#include "foundation/values/clock.h"

namespace Qor {

static bool IsDigitByte(int c) { return c >= '0' && c <= '9'; }
// Bytes from 0x80 belong to letters of any charset, UTF-8 included.
static bool IsLetterByte(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c >= 0x80; }

// The month number 1..12 of a long or short name in the current language, 0 when none.
static int MonthOfName(const String& word)
{
    String capital = CapitalCaseText(word);
    for(int i = 0; i < 12; i++)
        if(CapitalCaseText(MonthName(i, 0)) == capital || CapitalCaseText(ShortMonthName(i, 0)) == capital)
            return i + 1;
    return 0;
}

const char* ScanDate(const char* order, Date& out, const char* text, Date base)
{
    if(!text || !*text) {
        out = Date();
        return text ? text : "";
    }
    out = base.IsNull() ? CurrentDate() : base;
    const char* s = text;
    for(const char* o = order ? order : ""; *o; o++) {
        while(*s && !IsDigitByte((byte)*s) && !IsLetterByte((byte)*s))
            s++;
        if(!*s)
            break; // the remaining fields keep their starting value
        uint32 number = 0;
        if(IsDigitByte((byte)*s)) {
            while(IsDigitByte((byte)*s))
                number = 10 * number + uint32(*s++ - '0');
        }
        else {
            if(*o != 'm')
                return nullptr;
            const char* start = s;
            while(IsLetterByte((byte)*s))
                s++;
            number = MonthOfName(String(start, int(s - start)));
            if(number == 0)
                return nullptr;
        }
        switch(*o) {
        case 'm':
            if(number < 1 || number > 12)
                return nullptr;
            out.month = (byte)number;
            break;
        case 'd':
            if(number < 1 || number > 31)
                return nullptr;
            out.day = (byte)number;
            break;
        case 'y': {
            int v = (int16)(uint16)number;
            out.year = (int16)(v <= 19 ? v + 2000 : v <= 99 ? v + 1900 : v);
            break;
        }
        default:
            break; // the number is consumed and ignored
        }
    }
    if(out.IsNull())
        return s;
    if(out.month < 1 || out.month > 12 || out.day < 1 || out.day > DaysInMonth(out.month, out.year))
        return nullptr;
    return s;
}

const char* StrToDate(Date& out, const char* text, Date base)
{
    return ScanDate(GetDateScan(), out, text, base);
}

} // namespace Qor
