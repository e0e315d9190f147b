// Text forms of language codes.

#include "foundation/values/language_code.h"

#include "foundation/charset.h"
#include "foundation/chartable.h"

namespace Qor {

String LanguageCodeToText(LanguageCode code)
{
    String text;
    auto letter = [&](int shift) { return (code >> shift) & 31; };
    if(letter(15)) {
        text.AppendChar(0x40 + letter(15));
        if(letter(10)) {
            text.AppendChar(0x40 + letter(10));
            if(letter(5)) {
                text.AppendChar('-');
                text.AppendChar(0x40 + letter(5));
                if(letter(0))
                    text.AppendChar(0x40 + letter(0));
            }
        }
    }
    int charset = (code >> 20) & 0xFF;
    if(charset) {
        text.AppendChar(' ');
        text.Append(NameOfCharset(charset));
    }
    return text;
}

static bool IsAsciiLetter(int c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

LanguageCode ParseLanguageCode(const char* text)
{
    if(!text)
        return 0;
    const byte* s = (const byte*)text;
    if(!IsAsciiLetter(s[0]) || !IsAsciiLetter(s[1]) || s[2] == 0)
        return 0;
    const byte* country = s + 2;
    if(!IsAsciiLetter(*country))
        country++; // a separator of any kind
    if(!IsAsciiLetter(country[0]) || !IsAsciiLetter(country[1]))
        return 0;
    auto value = [](int c) { return CapitalCaseChar(c) - 64; };
    LanguageCode code = value(s[0]) << 15 | value(s[1]) << 10 | value(country[0]) << 5 | value(country[1]);
    const byte* p = country + 2;
    while(*p && *p != ' ')
        p++;
    if(*p == 0)
        return code;
    int charset = FindCharset((const char*)p + 1);
    if(charset <= 0)
        return 0;
    return SetLanguageCharset(code, charset);
}

} // namespace Qor
