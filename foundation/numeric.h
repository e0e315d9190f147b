// Integer scaling and rounding helpers, saturating double-to-int conversions,
// powers of ten and the decimal split of a double.
#pragma once

#include "foundation/types.h"

namespace Qor {

// a * b / c with a 64-bit product, truncated toward zero.
int ScaleInt(int a, int b, int c);
// ScaleInt less 1 whenever the division leaves a remainder, whatever the
// signs: the floor for a negative result, one below it for a positive one.
int ScaleIntFloor(int a, int b, int c);
// a / b truncated, less 1 when the remainder is negative / plus 1 when it is
// positive: rounded toward minus / plus infinity for a positive divisor.
int DivFloor(int a, int b);
int DivCeil(int a, int b);

// Saturate at INT32_MAX and INT32_MIN (which is also the int Null); NaN gives
// the int Null.
int RoundToInt(double x); // floor(x + 0.5)
int FloorToInt(double x);
int CeilToInt(double x);

// 10^n; exact table values for |n| <= 50.
double PowerOfTen(int n);

// Returns m with |m| in [1, 10) and x ~ m * 10^exponent (outside the range
// only at the clamped exponents +-300). For Null, 0, NaN and infinities the
// exponent becomes the int Null and x is returned unchanged.
double SplitDecimal(double x, int& exponent);

} // namespace Qor
