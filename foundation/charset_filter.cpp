// Digit values and the character filters.
#include "foundation/char_filter.h"
#include "foundation/charset.h"
#include "foundation/chartable.h"
#include "foundation/string.h"

namespace Qor {

int HexDigitValue(int c)
{
    if(c >= '0' && c <= '9')
        return c - '0';
    if(c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    if(c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    return -1;
}

int CharFilterPrintable(int c) { return c >= 0x20 && c <= 0xFFFF ? c : 0; }

int CharFilterDigit(int c) { return c >= '0' && c <= '9' ? c : 0; }

int CharFilterInt(int c) { return (c >= '0' && c <= '9') || c == '+' || c == '-' ? c : 0; }

int CharFilterDouble(int c)
{
    if(c == 'e' || c == 'E')
        return 'E';
    if(c == '.' || c == ',')
        return '.';
    return CharFilterInt(c);
}

int UpperAsciiLetter(int c)
{
    if(c > 0 && c < 0x80)
        return CapitalCaseChar(c);
    return CapitalCaseChar(BaseAsciiChar(c));
}

int CharFilterLowerAlnum(int c)
{
    if((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'))
        return c;
    if(c >= 'A' && c <= 'Z')
        return c + ('a' - 'A');
    return 0;
}

String FilterText(const char* text, CharFilter filter)
{
    String result;
    if(!text)
        return result;
    for(const byte* s = (const byte*)text; *s; s++)
        if(int c = filter(*s))
            result.AppendChar(byte(c));
    return result;
}

} // namespace Qor
