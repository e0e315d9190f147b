// Numbers as text: integers in bases 2 to 36, letters and Roman numerals, pointers,
// and doubles in fixed, exponent and general forms from our own digit generator.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"

namespace Qor {

// Flags of the double routines.
enum : unsigned {
    DTF_SIGN = 0x01,            // '+' for values that are not negative
    DTF_SIGNIFICANT = 0x02,     // count means significant digits, not decimals
    DTF_EXP_SIGN = 0x04,        // the exponent always has a sign
    DTF_CAPITAL_E = 0x08,       // 'E' instead of 'e'
    DTF_KEEP_ZEROS = 0x10,      // pad with zeros to the requested count
    DTF_CHOSEN_FORM = 0x20,     // the caller picks the form: exponent with 0x40, else fixed
    DTF_EXP_FORM = 0x40,
    DTF_DECIMAL_COMMA = 0x80,   // ',' instead of '.'
    DTF_NO_THOUSANDS = 0x100,   // no thousands separator (language form only)
};

// Widths, digit counts and exponent digits beyond this are taken as this: nobody wants
// longer padding, and it keeps every length far from the int limit.
inline constexpr int NUMBER_TEXT_MAX_PAD = 65536;

// Null values (INT_NULL, INT64_NULL, doubles below -1e307) give the empty text.

// A base outside 2..36 gives "<invalid base>". A negative sign mode takes the 32 bits as
// unsigned; 0 writes '-' for negatives; a positive one always writes '+' or '-'. With fill
// '0' the zeros go between sign and digits and the sign is not counted in the width; any
// other fill goes in front of the sign, which is counted.
String IntToBaseText(int value, int base, int width = 0, char fill = ' ', int sign_mode = 0,
                     bool capitals = true);
String IntToText(int value);
String Int64ToText(int64 value);
String IntToHexText(int value, int width = 0, char fill = '0'); // the 32 bits, lower case
String PointerToHexText(const void* p);                         // "0" for null

String IntToLetters(int n, bool capitals); // 1 a, 26 z, 27 ba: n - 1 in base 26
String IntToRoman(int n, bool capitals);   // a full 'M' per thousand, without limit

// At most 15 significant digits of |x| and its decimal exponent. Zero gives "0" and the
// exponent INT_NULL; Null, NaN and infinities give the empty text and INT_NULL.
String DoubleDigits(int count, unsigned flags, int& exponent, double x);

// NaN gives "nan" and +infinity "inf" ('+inf' with DTF_SIGN) in these three forms
// (-infinity is below the double Null and so gives the empty text).
String DoubleToFixedText(int count, unsigned flags, double x);
String DoubleToExpText(int count, unsigned flags, int exponent_digits, double x);
String DoubleToGeneralText(int count, unsigned flags, int exponent_digits, double x);

// The standard text of a double: up to 15 significant digits, exponent form outside
// 1e-15..1e15, "?" for NaN, "inf" for +infinity.
String DoubleToText(double x);

} // namespace Qor
