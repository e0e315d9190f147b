// Number scanners. Integers are accumulated with an overflow test, so that a long
// run of digits becomes an out-of-range answer instead of some wrapped value.

#include "foundation/values/number_scan.h"

#include "foundation/charset.h"
#include "foundation/numeric.h"

#include <cmath>
#include <cstdint>

namespace Qor {

namespace {

bool IsDecimal(char c) { return c >= '0' && c <= '9'; }

// The digit's value, or base or more when c is no digit of the base.
unsigned DigitOf(char c, unsigned base)
{
    if(base <= 10)
        return IsDecimal(c) ? unsigned(c - '0') : base;
    int v = HexDigitValue((byte)c);
    return v < 0 ? base : (unsigned)v;
}

// Reads the digits at p up to limit; false (with every digit consumed) when the
// value passes the limit.
bool Accumulate(const char*& p, unsigned base, uint64 limit, uint64& value)
{
    bool in_range = true;
    uint64 v = 0;
    for(unsigned d; (d = DigitOf(*p, base)) < base; p++)
        if(in_range) {
            if(v > (limit - d) / base)
                in_range = false;
            else
                v = v * base + d;
        }
    value = v;
    return in_range;
}

template <class T>
T ScanDigitsOf(const char* text, const char** end, unsigned base, T null)
{
    const char* p = text;
    if(base < 2 || DigitOf(*p, base) >= base) {
        if(end)
            *end = text;
        return -1;
    }
    uint64 v;
    bool ok = Accumulate(p, base, (uint64)INTMAX_MAX >> (64 - 8 * sizeof(T)), v);
    if(end)
        *end = p;
    return ok ? (T)v : null;
}

template <class T>
T ScanSigned(const char* p, const char** end, unsigned base, bool skip_high, T null)
{
    while(*p && ((byte)*p <= 32 || (skip_high && (byte)*p >= 128)))
        p++;
    bool negative = false;
    if(*p == '+' || *p == '-')
        negative = *p++ == '-';
    if(base < 2 || DigitOf(*p, base) >= base) {
        if(end)
            *end = p;
        return null;
    }
    uint64 v;
    bool ok = Accumulate(p, base, (uint64)INTMAX_MAX >> (64 - 8 * sizeof(T)), v);
    if(end)
        *end = p;
    if(!ok)
        return null;
    return negative ? (T)-(T)v : (T)v;
}

} // namespace

int ScanDigits(const char* text, const char** end, unsigned base)
{
    return ScanDigitsOf<int>(text, end, base, INT_NULL);
}

int64 ScanDigits64(const char* text, const char** end, unsigned base)
{
    return ScanDigitsOf<int64>(text, end, base, INT64_NULL);
}

int ScanIntText(const char* text, const char** end, unsigned base)
{
    return ScanSigned<int>(text, end, base, false, INT_NULL);
}

int64 ScanInt64Text(const char* text, const char** end, unsigned base)
{
    return ScanSigned<int64>(text, end, base, true, INT64_NULL);
}

double ScanDoubleText(const char* text, const char** end, bool accept_comma)
{
    const char* p = text;
    while(*p >= 1 && *p <= 32)
        p++;
    bool negative = false;
    if(*p == '+' || *p == '-')
        negative = *p++ == '-';
    auto is_point = [&](char c) { return c == '.' || (accept_comma && c == ','); };
    if(!IsDecimal(*p) && !(is_point(*p) && IsDecimal(p[1]))) {
        if(end)
            *end = text;
        return DOUBLE_NULL;
    }
    // m collects the significant digits as an integer; a run of zeros is multiplied
    // in at once when a non-zero digit follows it (zeros before the first one are
    // insignificant). Past 1e19 a double holds no more precision, so further digits
    // only move the exponent: m neither overflows nor gathers rounding errors.
    double m = 0;
    int64 pending = 0;       // zeros not yet multiplied into m
    int64 integer_zeros = 0; // the integer part's final zero run, while no non-zero follows
    int64 dropped = 0;       // integer digits beyond m's reach
    int64 fraction = 0, kept_fraction = 0;
    bool saturated = false;
    // Adds a non-zero digit; false when it lies beyond m's precision, which leaves
    // the pending zeros to the exponent and saturates m.
    auto add = [&](int d) {
        if(pending && m != 0) {
            if(pending >= 19 || m * PowerOfTen((int)pending) >= 1e18) {
                saturated = true;
                return false;
            }
            m *= PowerOfTen((int)pending);
        }
        pending = integer_zeros = 0;
        m = m * 10 + d;
        saturated = m >= 1e19;
        return true;
    };
    for(; IsDecimal(*p); p++) {
        if(saturated)
            dropped++;
        else if(*p == '0')
            pending++, integer_zeros++;
        else if(!add(*p - '0'))
            dropped++; // the zeros before it stay in integer_zeros
    }
    if(is_point(*p) && IsDecimal(p[1]))
        for(p++; IsDecimal(*p); p++) {
            fraction++;
            if(saturated)
                continue;
            if(*p == '0')
                pending++;
            else if(add(*p - '0'))
                kept_fraction = fraction;
        }
    int64 e = integer_zeros + dropped - kept_fraction;
    if(*p == 'e' || *p == 'E') {
        p++;
        while(*p >= 1 && *p <= 32)
            p++;
        bool exp_negative = false;
        if(*p == '+' || *p == '-')
            exp_negative = *p++ == '-';
        // Saturating: any exponent beyond a few hundred only means 0 or infinity.
        int64 x = 0;
        for(; IsDecimal(*p); p++)
            if(x < 1000000)
                x = x * 10 + (*p - '0');
        e += exp_negative ? -x : x;
    }
    if(end)
        *end = p;
    if(e > 100000)
        e = 100000;
    if(e < -100000)
        e = -100000;
    if(m != 0 && e > 0)
        m *= PowerOfTen((int)e);
    else if(m != 0 && e < 0) {
        if(e < -300) { // two steps keep the smallest (subnormal) magnitudes
            m /= 1e300;
            e += 300;
        }
        m /= PowerOfTen((int)-e);
    }
    return negative ? -m : m;
}

} // namespace Qor
