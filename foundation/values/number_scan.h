// Number scanners: integers in any base up to 36 and decimal doubles read from the
// start of a NUL-terminated text, shared by the converters and the XML and JSON
// mappings. Each takes an optional end that receives the position after the last
// character consumed; none reads past the text's NUL.
#pragma once

#include "foundation/types.h"

namespace Qor {

// Digits of the base at the very start of the text (no blanks, no sign); -1 with
// end = text when there is none. A value beyond the type's positive range gives the
// type's Null, with end after all the digits.
int ScanDigits(const char* text, const char** end = nullptr, unsigned base = 10);
int64 ScanDigits64(const char* text, const char** end = nullptr, unsigned base = 10);

// Bytes 1 to 32 skipped, one '+' or '-', digits of the base; the rest is ignored.
// No digit gives the int Null with end after the sign. A magnitude beyond INT32_MAX
// is out of range and gives the int Null too (with end after the digits), never a
// wrapped number.
int ScanIntText(const char* text, const char** end = nullptr, unsigned base = 10);

// As ScanIntText in 64 bits, except that every non-zero byte up to 32 or from 128
// is skipped first; out of range (beyond INT64_MAX) or no digit gives the int64 Null.
int64 ScanInt64Text(const char* text, const char** end = nullptr, unsigned base = 10);

// Bytes 1 to 32, one sign, then a decimal number (starting at a digit, or at '.' -
// or ',' when accept_comma - directly followed by a digit) with an optional exponent
// after 'e' or 'E'. No number gives the double Null with end = text. A magnitude
// beyond the double range gives an infinity (so a negative one reads as Null).
double ScanDoubleText(const char* text, const char** end = nullptr, bool accept_comma = false);

} // namespace Qor
