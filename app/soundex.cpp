// Lorvane's phonetic code. Unlike the published Soundex it merges nothing: equal
// neighbours skip alternately and letters sharing a digit each give it.
#include "app/word_match.h"

#include "foundation/charset.h"

using namespace Qor;

namespace {

char SoundexDigit(int c)
{
    switch(c) {
    case 'B': case 'F': case 'P': case 'V':
        return '1';
    case 'C': case 'G': case 'J': case 'K': case 'Q': case 'S': case 'X': case 'Z':
        return '2';
    case 'D': case 'T':
        return '3';
    case 'L':
        return '4';
    case 'M': case 'N':
        return '5';
    case 'R':
        return '6';
    default:
        return 0;
    }
}

} // namespace

String Soundex(const String& text)
{
    String stripped = StripOuterSpace(text);
    if(stripped.IsEmpty())
        return String();
    String t = CapitalCaseText(stripped);
    String code;
    code.AppendChar(t[0]);
    int previous = -1; // empty
    for(int i = 1; i < t.GetLength(); i++) {
        int c = t[i];
        if(c == previous) {
            previous = -1;
            continue;
        }
        previous = c;
        if(char digit = SoundexDigit(c))
            code.AppendChar(digit);
    }
    while(code.GetLength() < 4)
        code.AppendChar('0');
    return code.Left(4);
}
