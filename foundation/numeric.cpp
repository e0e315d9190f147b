// Integer scaling, saturating rounding, powers of ten and the decimal split.
#include "foundation/numeric.h"

#include <cmath>

namespace Qor {

int ScaleInt(int a, int b, int c)
{
    return (int)((int64)a * b / c);
}

int ScaleIntFloor(int a, int b, int c)
{
    int64 p = (int64)a * b;
    int64 q = p / c;
    return (int)(p % c ? q - 1 : q);
}

// Done in 64 bits so that INT32_MIN / -1 wraps instead of trapping.
int DivFloor(int a, int b)
{
    int64 q = (int64)a / b;
    return (int)((int64)a % b < 0 ? q - 1 : q);
}

int DivCeil(int a, int b)
{
    int64 q = (int64)a / b;
    return (int)((int64)a % b > 0 ? q + 1 : q);
}

// Returns true with the saturated result when x is out of the int range
// (or NaN, which has no sensible int and becomes Null).
static bool Saturate(double x, int& out)
{
    if(x >= 2147483647.0)
        out = INT32_MAX;
    else if(x <= -2147483648.0 || std::isnan(x))
        out = INT32_MIN;
    else
        return false;
    return true;
}

int RoundToInt(double x)
{
    int r;
    return Saturate(x, r) ? r : (int)std::floor(x + 0.5);
}

int FloorToInt(double x)
{
    int r;
    return Saturate(x, r) ? r : (int)std::floor(x);
}

int CeilToInt(double x)
{
    int r;
    return Saturate(x, r) ? r : (int)std::ceil(x);
}

static const double power_of_ten[51] = {
    1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9,
    1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19,
    1e20, 1e21, 1e22, 1e23, 1e24, 1e25, 1e26, 1e27, 1e28, 1e29,
    1e30, 1e31, 1e32, 1e33, 1e34, 1e35, 1e36, 1e37, 1e38, 1e39,
    1e40, 1e41, 1e42, 1e43, 1e44, 1e45, 1e46, 1e47, 1e48, 1e49,
    1e50,
};

double PowerOfTen(int n)
{
    if(n >= 0 && n <= 50)
        return power_of_ten[n];
    if(n < 0 && n >= -50)
        return 1 / power_of_ten[-n];
    return std::pow(10.0, n);
}

double SplitDecimal(double x, int& exponent)
{
    if(IsNullDouble(x) || x == 0 || !std::isfinite(x)) {
        exponent = INT_NULL;
        return x;
    }
    double a = std::fabs(x);
    double c = std::log10(a);
    int e = 0;
    if(c >= 2147483647.0)
        e = 300;
    else if(c <= -2147483648.0 || std::ceil(c) < -299)
        e = -300;
    else if(std::ceil(c) > 299)
        e = 300;
    else
        e = (int)std::ceil(c);
    // The clamped exponents lie outside the table and go through pow anyway.
    double divisor = PowerOfTen(e);
    exponent = e;
    a /= divisor;
    if(a >= 10) {
        a /= 10;
        exponent++;
    }
    if(a < 1) {
        a *= 10;
        exponent--;
    }
    return x < 0 ? -a : a;
}

} // namespace Qor
