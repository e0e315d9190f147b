// Doubles as text: the decimal digit generator and the fixed, exponent, general and
// standard forms built on it. At most 15 significant digits are ever produced; further
// places are zeros.
#include "foundation/values/number_text.h"

#include "foundation/numeric.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Qor {

namespace {

enum DigitKind { NO_DIGITS, ZERO_DIGITS, SOME_DIGITS };

struct Digits {
    char d[16];
    int count = 0;          // generated digits, at most 15
    int length = 0;         // with the zeros of DTF_KEEP_ZEROS; never below count
    int exponent = INT_NULL;

    char At(int i) const { return i < count ? d[i] : '0'; }
};

const int power_int[6] = { 1, 10, 100, 1000, 10000, 100000 };

int ClampCount(int n)
{
    return std::clamp(n, -NUMBER_TEXT_MAX_PAD, NUMBER_TEXT_MAX_PAD);
}

void WriteFixedDigits(char* p, int v, int n)
{
    for(int i = n - 1; i >= 0; i--) {
        p[i] = char('0' + v % 10);
        v /= 10;
    }
}

// The split can leave the mantissa outside [1, 10) for the largest and the subnormal
// magnitudes; redo those in extended precision, whose range holds every power needed.
long double Renormalise(double x, int& e)
{
    long double a = std::fabs((long double)x);
    int e2 = (int)std::floor(std::log10(a));
    a /= std::pow(10.0L, (long double)e2);
    while(a >= 10) {
        a /= 10;
        e2++;
    }
    while(a < 1) {
        a *= 10;
        e2--;
    }
    e = e2;
    return a;
}

DigitKind MakeDigits(int count, unsigned flags, double x, Digits& r)
{
    if(IsNullDouble(x) || !std::isfinite(x))
        return NO_DIGITS;
    if(x == 0) {
        r.d[0] = '0';
        r.count = r.length = 1;
        return ZERO_DIGITS;
    }
    int e;
    long double a = std::fabs(SplitDecimal(x, e));
    if(!(a >= 1 && a < 10))
        a = Renormalise(x, e);
    count = ClampCount(count);
    int n = flags & DTF_SIGNIFICANT ? count : count + e + 1;
    int k = n < 2 ? 1 : n > 15 ? 15 : n;
    // The leading digits and the blocks of four in extended precision, the rest in double.
    int first = std::min(k, 5);
    long double p = a * (long double)power_int[first - 1];
    int v = p >= power_int[first] ? power_int[first] - 1 : (int)p;
    double rest = (double)(p - v);
    WriteFixedDigits(r.d, v, first);
    int i = first;
    for(; k - i >= 4; i += 4) {
        long double q = (long double)rest * 10000;
        int t = q >= 9999 ? 9999 : (int)q;
        WriteFixedDigits(r.d + i, t, 4);
        rest = (double)(q - t);
    }
    if(i < k) {
        int j = k - i;
        double q = rest * power_int[j];
        int t = q >= power_int[j] - 1 ? power_int[j] - 1 : (int)q;
        WriteFixedDigits(r.d + i, t, j);
        rest = q - t;
    }
    if(rest >= 0.5) {
        int c = k - 1;
        while(c >= 0 && r.d[c] == '9')
            r.d[c--] = '0';
        if(c >= 0)
            r.d[c]++;
        else {
            r.d[0] = '1';
            k = 1;
            e++;
            if(!(flags & DTF_SIGNIFICANT))
                n++;
        }
    }
    if(!(flags & DTF_KEEP_ZEROS))
        while(k > 1 && r.d[k - 1] == '0')
            k--;
    r.count = k;
    r.length = flags & DTF_KEEP_ZEROS ? std::max(k, n) : k;
    r.exponent = e;
    return SOME_DIGITS;
}

// Appends to a TextBuffer, with runs of one character and of digits.
class Out {
public:
    void Put(char c) { buffer.AppendChar(c); }
    void Put(const char* s) { buffer.Append(s); }
    void Fill(char c, int n)
    {
        char chunk[64];
        std::memset(chunk, c, sizeof(chunk));
        for(; n > 0; n -= 64)
            buffer.Append(chunk, std::min(n, 64));
    }
    // Digits from..to-1, the places past the generated ones being zeros.
    void PutDigits(const Digits& d, int from, int to)
    {
        int real = std::min(to, d.count);
        if(real > from)
            buffer.Append(d.d + from, real - from);
        Fill('0', to - std::max(from, real));
    }
    void PutExponent(int e, int digits, bool always_sign)
    {
        char text[12];
        char* end = text + sizeof(text);
        char* p = end;
        unsigned u = e < 0 ? 0u - (unsigned)e : (unsigned)e;
        do {
            *--p = char('0' + u % 10);
            u /= 10;
        } while(u);
        if(e < 0)
            Put('-');
        else if(always_sign)
            Put('+');
        Fill('0', std::clamp(digits, 0, NUMBER_TEXT_MAX_PAD) - int(end - p));
        buffer.Append(p, int(end - p));
    }
    String Finish() { return String(buffer); }

private:
    TextBuffer buffer;
};

// Texts for NaN and +infinity in the formatted forms.
bool PutNonFinite(Out& out, unsigned flags, double x)
{
    if(std::isnan(x))
        out.Put("nan");
    else if(std::isinf(x)) {
        if(flags & DTF_SIGN)
            out.Put('+');
        out.Put("inf");
    }
    else
        return false;
    return true;
}

// Below the last decimal place: does |x| reach half a unit of it? Fifteen significant
// digits decide, as everywhere else.
bool ReachesHalfUnit(double x, int decimals)
{
    Digits d;
    MakeDigits(15, DTF_SIGNIFICANT, x, d);
    int half = -decimals - 1;
    return d.exponent > half || (d.exponent == half && d.d[0] >= '5');
}

void PutFixed(Out& out, int count, unsigned flags, double x)
{
    count = ClampCount(count);
    Digits d;
    bool zero = MakeDigits(count, flags, x, d) == ZERO_DIGITS;
    int e = zero ? 0 : d.exponent;
    int decimals = flags & DTF_SIGNIFICANT ? std::max(0, count - e - 1) : count;
    bool keep = flags & DTF_KEEP_ZEROS;
    char point = flags & DTF_DECIMAL_COMMA ? ',' : '.';
    if(flags & DTF_SIGN)
        out.Put(x < 0 ? '-' : '+');
    else if(x < 0 && !zero)
        out.Put('-');
    if(zero || e < -decimals) {
        if(!zero && ReachesHalfUnit(x, decimals)) {
            if(decimals <= 0) {
                out.Put('1');
                out.Fill('0', -decimals);
            }
            else {
                out.Put('0');
                out.Put(point);
                out.Fill('0', decimals - 1);
                out.Put('1');
            }
        }
        else {
            out.Put('0');
            if(keep && decimals > 0) {
                out.Put(point);
                out.Fill('0', decimals);
            }
        }
    }
    else if(e >= 0) {
        if(e >= d.length) {
            out.PutDigits(d, 0, d.length);
            out.Fill('0', e - d.length + 1);
            if(keep && decimals > 0) {
                out.Put(point);
                out.Fill('0', decimals);
            }
        }
        else {
            out.PutDigits(d, 0, e + 1);
            int remaining = d.length - (e + 1);
            if(decimals > 0 && (keep || remaining > 0)) {
                int shown = std::min(remaining, decimals);
                out.Put(point);
                out.PutDigits(d, e + 1, e + 1 + shown);
                if(keep)
                    out.Fill('0', decimals - shown);
            }
        }
    }
    else {
        out.Put('0');
        out.Put(point);
        out.Fill('0', -e - 1);
        int most = decimals + e + 1;
        int shown = std::min(d.length, most);
        out.PutDigits(d, 0, shown);
        if(keep)
            out.Fill('0', most - shown);
    }
}

void PutExp(Out& out, int count, unsigned flags, int exponent_digits, double x)
{
    Digits d;
    bool zero = MakeDigits(count, flags | DTF_SIGNIFICANT, x, d) == ZERO_DIGITS;
    int e = zero ? 0 : d.exponent;
    if(flags & DTF_SIGN)
        out.Put(x < 0 ? '-' : '+');
    else if(x < 0)
        out.Put('-');
    out.Put(d.d[0]);
    if(d.length > 1) {
        out.Put(flags & DTF_DECIMAL_COMMA ? ',' : '.');
        out.PutDigits(d, 1, d.length);
    }
    out.Put(flags & DTF_CAPITAL_E ? 'E' : 'e');
    out.PutExponent(e, exponent_digits, flags & DTF_EXP_SIGN);
}

} // namespace

String DoubleDigits(int count, unsigned flags, int& exponent, double x)
{
    Digits d;
    DigitKind kind = MakeDigits(count, flags, x, d);
    exponent = kind == SOME_DIGITS ? d.exponent : INT_NULL;
    if(kind == NO_DIGITS)
        return String();
    Out out;
    out.PutDigits(d, 0, d.length);
    return out.Finish();
}

String DoubleToFixedText(int count, unsigned flags, double x)
{
    if(IsNullDouble(x))
        return String();
    Out out;
    if(!PutNonFinite(out, flags, x))
        PutFixed(out, count, flags, x);
    return out.Finish();
}

String DoubleToExpText(int count, unsigned flags, int exponent_digits, double x)
{
    if(IsNullDouble(x))
        return String();
    Out out;
    if(!PutNonFinite(out, flags, x))
        PutExp(out, count, flags, exponent_digits, x);
    return out.Finish();
}

String DoubleToGeneralText(int count, unsigned flags, int exponent_digits, double x)
{
    if(IsNullDouble(x))
        return String();
    bool exp;
    if(flags & DTF_CHOSEN_FORM)
        exp = flags & DTF_EXP_FORM;
    else if(x == 0)
        exp = false;
    else {
        double a = std::fabs(x);
        exp = a <= 1e-15 || a >= 1e15;
        if(flags & DTF_SIGNIFICANT) {
            double limit = PowerOfTen(2 * ClampCount(count));
            exp = exp || a * limit <= 1 || a >= limit;
        }
    }
    return exp ? DoubleToExpText(count, flags, exponent_digits, x)
               : DoubleToFixedText(count, flags, x);
}

String DoubleToText(double x)
{
    if(IsNullDouble(x))
        return String();
    if(std::isnan(x))
        return "?";
    if(std::isinf(x))
        return "inf";
    double a = std::fabs(x);
    if(a != 0 && (a <= 1e-15 || a >= 1e15))
        return DoubleToExpText(17, DTF_SIGNIFICANT, 0, x);
    Digits d;
    if(MakeDigits(17, DTF_SIGNIFICANT, x, d) == ZERO_DIGITS)
        return "0";
    // Below 1e15 every digit fits before the 16 places after the point.
    char text[48];
    char* p = text;
    int e = d.exponent;
    if(x < 0)
        *p++ = '-';
    if(e < 0) {
        *p++ = '0';
        *p++ = '.';
        std::memset(p, '0', -e - 1);
        p += -e - 1;
        std::memcpy(p, d.d, d.count);
        p += d.count;
    }
    else if(e >= d.count) {
        std::memcpy(p, d.d, d.count);
        p += d.count;
        std::memset(p, '0', e - d.count + 1);
        p += e - d.count + 1;
    }
    else {
        std::memcpy(p, d.d, e + 1);
        p += e + 1;
        int f = std::max(0, 16 - e);
        int shown = std::min(d.count - (e + 1), f);
        if(shown > 0) {
            *p++ = '.';
            std::memcpy(p, d.d + e + 1, shown);
            p += shown;
        }
    }
    return String(text, int(p - text));
}

} // namespace Qor
