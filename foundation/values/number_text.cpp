// Integers as text: decimal fast paths, any base with width and fill, pointers, letters
// and Roman numerals.
#include "foundation/values/number_text.h"

#include <algorithm>
#include <cstring>

namespace Qor {

namespace {

const char upper_digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
const char lower_digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";

const char digit_pairs[201] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the decimal digits of v backwards, ending at end; two digits per step.
char* WriteDecimalBackward(char* end, uint64 v)
{
    while(v >= 100) {
        unsigned i = unsigned(v % 100) * 2;
        v /= 100;
        *--end = digit_pairs[i + 1];
        *--end = digit_pairs[i];
    }
    if(v >= 10) {
        *--end = digit_pairs[v * 2 + 1];
        *--end = digit_pairs[v * 2];
    }
    else
        *--end = char('0' + v);
    return end;
}

char* WriteDecimalBackward32(char* end, uint32 v)
{
    while(v >= 100) {
        unsigned i = (v % 100) * 2;
        v /= 100;
        *--end = digit_pairs[i + 1];
        *--end = digit_pairs[i];
    }
    if(v >= 10) {
        *--end = digit_pairs[v * 2 + 1];
        *--end = digit_pairs[v * 2];
    }
    else
        *--end = char('0' + v);
    return end;
}

} // namespace

String IntToText(int value)
{
    if(value == INT_NULL)
        return String();
    char buffer[16];
    char* end = buffer + sizeof(buffer);
    uint32 u = value < 0 ? 0u - (uint32)value : (uint32)value;
    char* p = WriteDecimalBackward32(end, u);
    if(value < 0)
        *--p = '-';
    return String(p, int(end - p));
}

String Int64ToText(int64 value)
{
    if(value == INT64_NULL)
        return String();
    char buffer[24];
    char* end = buffer + sizeof(buffer);
    uint64 u = value < 0 ? 0ull - (uint64)value : (uint64)value;
    char* p = WriteDecimalBackward(end, u);
    if(value < 0)
        *--p = '-';
    return String(p, int(end - p));
}

String IntToBaseText(int value, int base, int width, char fill, int sign_mode, bool capitals)
{
    if(base < 2 || base > 36)
        return "<invalid base>";
    width = std::clamp(width, 0, NUMBER_TEXT_MAX_PAD);
    const char* table = capitals ? upper_digits : lower_digits;
    char buffer[40]; // 32 binary digits at most
    char* end = buffer + sizeof(buffer);
    char* p = end;
    char sign = 0;
    if(sign_mode < 0 || value != INT_NULL) { // the signed Null has neither digits nor sign
        bool negative = sign_mode >= 0 && value < 0;
        uint32 u = negative ? 0u - (uint32)value : (uint32)value;
        do {
            *--p = table[u % (unsigned)base];
            u /= (unsigned)base;
        } while(u);
        if(sign_mode > 0)
            sign = negative ? '-' : '+';
        else if(negative)
            sign = '-';
    }
    int digits = int(end - p);
    int length = digits + (sign != 0);
    // Zeros fill between sign and digits and leave the sign out of the count.
    int pad = fill == '0' ? width - digits : width - length;
    if(pad < 0)
        pad = 0;
    String s;
    char* q = s.Insert(0, length + pad);
    if(fill == '0') {
        if(sign)
            *q++ = sign;
        std::memset(q, '0', pad);
        q += pad;
    }
    else {
        std::memset(q, fill, pad);
        q += pad;
        if(sign)
            *q++ = sign;
    }
    std::memcpy(q, p, digits);
    return s;
}

String IntToHexText(int value, int width, char fill)
{
    return IntToBaseText(value, 16, width, fill, -1, false);
}

String PointerToHexText(const void* pointer)
{
    char buffer[16];
    char* end = buffer + sizeof(buffer);
    char* p = end;
    uint64 u = (uint64)(uintptr_t)pointer;
    do {
        *--p = lower_digits[u & 15];
        u >>= 4;
    } while(u);
    return String(p, int(end - p));
}

String IntToLetters(int n, bool capitals)
{
    if(n == 0 || n == INT_NULL)
        return String();
    char buffer[16];
    char* end = buffer + sizeof(buffer);
    char* p = end;
    uint32 u = (n < 0 ? 0u - (uint32)n : (uint32)n) - 1;
    char a = capitals ? 'A' : 'a';
    do {
        *--p = char(a + u % 26);
        u /= 26;
    } while(u);
    if(n < 0)
        *--p = '-';
    return String(p, int(end - p));
}

String IntToRoman(int n, bool capitals)
{
    if(n == 0 || n == INT_NULL)
        return String();
    static const char letters[] = "MDCLXVI";
    static const int values[] = { 1000, 500, 100, 50, 10, 5, 1 };
    // The subtractive partner: the next smaller letter worth less than half.
    static const int partner[] = { 2, 2, 4, 4, 6, 6, -1 };
    int rest = n < 0 ? -n : n; // the Null is the only value without a magnitude
    int thousands = rest / 1000;
    rest %= 1000;
    char tail[24]; // below 1000 the longest is DCCCLXXXVIII
    int t = 0;
    for(int i = 0; i < 7; i++) { // no 'M' is left to write here, only the pair CM
        while(rest >= values[i]) {
            tail[t++] = letters[i];
            rest -= values[i];
        }
        int j = partner[i];
        if(j >= 0 && rest >= values[i] - values[j]) {
            tail[t++] = letters[j];
            tail[t++] = letters[i];
            rest -= values[i] - values[j];
        }
    }
    int sign = n < 0;
    String s;
    char* q = s.Insert(0, sign + thousands + t);
    if(sign)
        *q++ = '-';
    std::memset(q, capitals ? 'M' : 'm', thousands);
    q += thousands;
    for(int i = 0; i < t; i++)
        q[i] = capitals ? tail[i] : char(tail[i] + ('a' - 'A'));
    return s;
}

} // namespace Qor
