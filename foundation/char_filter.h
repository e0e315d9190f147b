// Character filters: a function from a character to a character, 0 meaning
// rejection; and FilterText, which passes a text through one.
#pragma once

#include "foundation/types.h"

namespace Qor {

class String;

using CharFilter = int (*)(int c);

int CharFilterPrintable(int c);   // 0x20 to 0xFFFF
int CharFilterDigit(int c);       // '0'-'9'
int CharFilterInt(int c);         // digits, '+', '-'
int CharFilterDouble(int c);      // digits, signs, 'e'/'E' as 'E', '.'/',' as '.'
int CharFilterLowerAlnum(int c);  // digits and ASCII letters, letters in lower case
// The capital ASCII letter a character is based on ('é' gives 'E'); digits, punctuation and
// control codes give themselves; 0 for a character without an ASCII base and from U+0800.
int UpperAsciiLetter(int c);

// Each byte of the NUL-terminated text through the filter; the low byte of
// every non-zero result is kept.
String FilterText(const char* text, CharFilter filter);

} // namespace Qor
