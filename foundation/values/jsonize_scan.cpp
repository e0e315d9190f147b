// Number scanners of the JSON loaders: leading blanks and one sign allowed, anything
// after the number ignored, as user input is read elsewhere.

#include "foundation/values/jsonize_scan.h"

#include "foundation/numeric.h"

namespace Qor {

static bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// Signed decimal int64. False when there are no digits or the number is outside the
// int64 range (so that large texts never wrap into some other number).
bool JsonScanInt64(const char* s, int64& out)
{
    while(*s != 0 && (signed char)*s <= 32)
        s++;
    bool negative = false;
    if(*s == '+' || *s == '-')
        negative = *s++ == '-';
    if(!IsDecimalDigit(*s))
        return false;
    const uint64 limit = negative ? (uint64)1 << 63 : ((uint64)1 << 63) - 1;
    uint64 v = 0;
    for(; IsDecimalDigit(*s); s++) {
        uint64 digit = (uint64)(*s - '0');
        if(v > (limit - digit) / 10)
            return false;
        v = v * 10 + digit;
    }
    out = negative ? (int64)(0 - v) : (int64)v; // 0 - 2^63 wraps to INT64_MIN, as wanted
    return true;
}

} // namespace Qor
