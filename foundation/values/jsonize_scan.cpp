// Number scanners of the JSON loaders: leading blanks and one sign allowed, anything
// after the number ignored, as user input is read elsewhere.

#include "foundation/values/jsonize_scan.h"

#include "foundation/numeric.h"

namespace Qor {

static bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// Signed decimal int wrapping in 32 bits; the int Null when there are no digits or the
// digits accumulate to all ones.
int JsonScanInt(const char* s)
{
    while(*s >= 1 && *s <= 32)
        s++;
    bool negative = false;
    if(*s == '+' || *s == '-')
        negative = *s++ == '-';
    if(!IsDecimalDigit(*s))
        return INT_NULL;
    uint32 v = 0;
    while(IsDecimalDigit(*s))
        v = v * 10u + (uint32)(*s++ - '0');
    if(v == 0xffffffffu)
        return INT_NULL;
    return (int)(negative ? 0u - v : v);
}

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

// Decimal number with fraction ('.' or ',') and exponent. Runs of zeros are multiplied
// in at once so that long zero runs cost one multiplication.
bool JsonScanDouble(const char* s, double& out)
{
    while(*s >= 1 && *s <= 32)
        s++;
    bool negative = false;
    if(*s == '+' || *s == '-')
        negative = *s++ == '-';
    auto is_point = [](char c) { return c == '.' || c == ','; };
    if(!IsDecimalDigit(*s) && !(is_point(*s) && IsDecimalDigit(s[1])))
        return false;
    double m = 0;
    int zeros = 0;          // pending zeros not yet multiplied into m
    int integer_zeros = 0;  // how many of them belong to the integer part
    int fraction = 0;       // fraction digits read
    int kept_fraction = 0;  // fraction digits up to the last non-zero one
    bool in_fraction = false;
    for(;; s++) {
        if(!in_fraction && is_point(*s) && IsDecimalDigit(s[1])) {
            in_fraction = true;
            continue;
        }
        if(!IsDecimalDigit(*s))
            break;
        if(in_fraction)
            fraction++;
        if(*s == '0') {
            zeros++;
            if(!in_fraction)
                integer_zeros++;
            continue;
        }
        if(zeros)
            m *= PowerOfTen(zeros);
        m = m * 10 + (*s - '0');
        zeros = integer_zeros = 0;
        if(in_fraction)
            kept_fraction = fraction;
    }
    // Exponent arithmetic in 64 bits and clamped: a huge exponent only means 0 or inf.
    int64 e = integer_zeros - kept_fraction;
    if(*s == 'e' || *s == 'E') {
        s++;
        while(*s >= 1 && *s <= 32)
            s++;
        bool exp_negative = false;
        if(*s == '+' || *s == '-')
            exp_negative = *s++ == '-';
        if(IsDecimalDigit(*s)) {
            uint32 acc = 0;
            while(IsDecimalDigit(*s))
                acc = acc * 10u + (uint32)(*s++ - '0');
            if(acc != 0xffffffffu && !(acc == 0x80000000u && !exp_negative))
                e += exp_negative ? -(int64)acc : (int64)acc;
        }
    }
    if(e > 1000)
        e = 1000;
    if(e < -1000)
        e = -1000;
    if(e > 0)
        m *= PowerOfTen((int)e);
    else if(e < 0)
        m /= PowerOfTen((int)-e);
    out = negative ? -m : m;
    return true;
}

} // namespace Qor
