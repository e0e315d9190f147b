// Numbers as text: integers in every base with width, fill and sign, letters, Roman
// numerals, pointers, the digit generator and the fixed, exponent, general and standard
// double forms, with Null values, extremes and rounding at the precision edges.
#include "foundation/values/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

using namespace Qor;

namespace {

std::string Str(const String& s) { return std::string(s.Begin(), s.GetLength()); }

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// ---------------------------------------------------------------- integers

TEST(NumberTextTest, IntToText)
{
    const struct { int v; const char* text; } cases[] = {
        { 0, "0" }, { 7, "7" }, { -7, "-7" }, { 10, "10" }, { 99, "99" }, { 100, "100" },
        { -1234567, "-1234567" }, { INT_MAX, "2147483647" }, { INT_MIN + 1, "-2147483647" },
        { INT_NULL, "" },
    };
    for(const auto& t : cases)
        EXPECT_EQ(Str(IntToText(t.v)), t.text) << t.v;
}

TEST(NumberTextTest, Int64ToText)
{
    const struct { int64 v; const char* text; } cases[] = {
        { 0, "0" }, { -1, "-1" }, { 4294967296LL, "4294967296" },
        { INT64_MAX, "9223372036854775807" }, { INT64_MIN + 1, "-9223372036854775807" },
        { 1000000000000000000LL, "1000000000000000000" }, { INT64_NULL, "" },
        { (int64)INT_MIN, "-2147483648" }, // the int Null is an ordinary int64
    };
    for(const auto& t : cases)
        EXPECT_EQ(Str(Int64ToText(t.v)), t.text) << t.v;
}

TEST(NumberTextTest, DecimalMatchesPrintfAcrossMagnitudes)
{
    char expected[32];
    for(int64 v = 1; v > 0 && v < INT64_MAX / 3; v = v * 3 + 1)
        for(int64 x : { v, -v, v - 1, -(v + 7) }) {
            std::snprintf(expected, sizeof(expected), "%lld", (long long)x);
            ASSERT_EQ(Str(Int64ToText(x)), expected);
            if(x > INT_MIN && x <= INT_MAX) {
                ASSERT_EQ(Str(IntToText((int)x)), expected);
            }
        }
}

struct BaseCase {
    int value, base, width;
    char fill;
    int sign_mode;
    bool capitals;
    const char* text;
};

TEST(NumberTextTest, IntToBaseText)
{
    const BaseCase cases[] = {
        { 255, 16, 4, '0', -1, true, "00FF" },
        { 255, 16, 0, ' ', 0, false, "ff" },
        { -5, 10, 4, '0', 0, false, "-0005" }, // the sign is not counted with zeros
        { -5, 10, 4, ' ', 0, false, "  -5" },  // but is with any other fill
        { 5, 10, 4, '0', 1, false, "+0005" },
        { 5, 10, 4, '*', 1, false, "**+5" },
        { 5, 10, 0, ' ', 1, false, "+5" },
        { -5, 10, 0, ' ', 1, false, "-5" },
        { 12345, 10, 3, ' ', 0, false, "12345" }, // longer than the width: no padding
        { -12, 10, 3, ' ', 0, false, "-12" },     // exactly the width
        { 0, 2, 0, ' ', 0, false, "0" },
        { 0, 36, 3, '0', 0, false, "000" },
        { 35, 36, 0, ' ', 0, false, "z" },
        { 35, 36, 0, ' ', 0, true, "Z" },
        { 36, 36, 0, ' ', 0, true, "10" },
        { INT_MAX, 36, 0, ' ', 0, false, "zik0zj" },
        { INT_MAX, 2, 0, ' ', 0, false, "1111111111111111111111111111111" },
        { -1, 2, 0, ' ', -1, false, "11111111111111111111111111111111" },
        { -1, 8, 0, ' ', -1, false, "37777777777" },
        { INT_MIN, 16, 0, ' ', -1, false, "80000000" }, // unsigned mode: just 32 bits
        { INT_MIN, 10, 3, ' ', 0, false, "   " },       // the Null: fill only
        { INT_MIN, 10, 3, '0', 1, false, "000" },
        { INT_MIN, 10, 0, ' ', 0, false, "" },
        { INT_MIN + 1, 2, 0, ' ', 0, false, "-1111111111111111111111111111111" },
        { 1, 1, 0, ' ', 0, false, "<invalid base>" },
        { 1, 0, 0, ' ', 0, false, "<invalid base>" },
        { 1, 37, 0, ' ', 0, false, "<invalid base>" },
        { 1, -16, 0, ' ', 0, false, "<invalid base>" },
    };
    for(const BaseCase& t : cases)
        EXPECT_EQ(Str(IntToBaseText(t.value, t.base, t.width, t.fill, t.sign_mode, t.capitals)), t.text)
            << t.value << " base " << t.base << " width " << t.width;
}

TEST(NumberTextTest, EveryBaseRoundTripsThroughStrtol)
{
    const int values[] = { 1, 2, 35, 36, 37, 1000, 65535, 123456789, INT_MAX, -1, -36, -123456789, INT_MIN + 1 };
    for(int base = 2; base <= 36; base++)
        for(int v : values)
            for(bool capitals : { false, true }) {
                std::string s = Str(IntToBaseText(v, base, 0, ' ', 0, capitals));
                EXPECT_EQ(std::strtoll(s.c_str(), nullptr, base), v) << s << " base " << base;
                std::string u = Str(IntToBaseText(v, base, 0, ' ', -1, capitals));
                EXPECT_EQ(std::strtoull(u.c_str(), nullptr, base), (uint32)v) << u << " base " << base;
                for(char c : s)
                    EXPECT_TRUE(c == '-' || (capitals ? !std::islower((unsigned char)c) : !std::isupper((unsigned char)c)));
            }
}

TEST(NumberTextTest, HugeWidthIsBoundedAndFilled)
{
    String s = IntToBaseText(-7, 10, INT_MAX, '0', 0, false);
    ASSERT_EQ(s.GetLength(), NUMBER_TEXT_MAX_PAD + 1);
    EXPECT_EQ(s[0], '-');
    EXPECT_EQ(s[NUMBER_TEXT_MAX_PAD - 1], '0');
    EXPECT_EQ(s[NUMBER_TEXT_MAX_PAD], '7');
    String t = IntToBaseText(7, 10, 1000, '.', 0, false);
    ASSERT_EQ(t.GetLength(), 1000);
    EXPECT_EQ(Str(t), std::string(999, '.') + "7");
    EXPECT_EQ(Str(IntToBaseText(7, 10, INT_MIN, ' ', 0, false)), "7");
}

TEST(NumberTextTest, HexAndPointers)
{
    EXPECT_EQ(Str(IntToHexText(-1, 0, '0')), "ffffffff");
    EXPECT_EQ(Str(IntToHexText(255, 4, '0')), "00ff");
    EXPECT_EQ(Str(IntToHexText(INT_MIN, 0, '0')), "80000000");
    EXPECT_EQ(Str(IntToHexText(0xabc, 6, ' ')), "   abc");
    EXPECT_EQ(Str(PointerToHexText(nullptr)), "0");
    EXPECT_EQ(Str(PointerToHexText((const void*)(uintptr_t)0x1f)), "1f");
    EXPECT_EQ(Str(PointerToHexText((const void*)(uintptr_t)0xdeadbeef00ULL)), "deadbeef00");
    EXPECT_EQ(Str(PointerToHexText((const void*)~(uintptr_t)0)), "ffffffffffffffff");
}

TEST(NumberTextTest, IntToLetters)
{
    const struct { int n; bool capitals; const char* text; } cases[] = {
        { 1, false, "a" }, { 26, false, "z" }, { 27, false, "ba" }, { 28, false, "bb" },
        { 52, false, "bz" }, { 53, false, "ca" }, { 703, false, "bba" }, { 27, true, "BA" },
        { -1, true, "-A" }, { -27, false, "-ba" }, { 0, false, "" }, { INT_NULL, true, "" },
        { INT_MAX, false, "gytisyw" }, { -INT_MAX, true, "-GYTISYW" },
    };
    for(const auto& t : cases)
        EXPECT_EQ(Str(IntToLetters(t.n, t.capitals)), t.text) << t.n;
}

TEST(NumberTextTest, IntToRoman)
{
    const struct { int n; bool capitals; const char* text; } cases[] = {
        { 1, true, "I" }, { 3, true, "III" }, { 4, false, "iv" }, { 5, true, "V" },
        { 9, true, "IX" }, { 14, true, "XIV" }, { 40, true, "XL" }, { 49, true, "XLIX" },
        { 90, true, "XC" }, { 400, true, "CD" }, { 444, true, "CDXLIV" }, { 888, true, "DCCCLXXXVIII" },
        { 900, true, "CM" }, { 999, true, "CMXCIX" }, { 1994, true, "MCMXCIV" },
        { 1994, false, "mcmxciv" }, { 3999, true, "MMMCMXCIX" }, { 3999, false, "mmmcmxcix" },
        { 4000, true, "MMMM" }, { 12004, true, "MMMMMMMMMMMMIV" }, { -9, true, "-IX" },
        { -1, false, "-i" }, { 0, true, "" }, { INT_NULL, true, "" },
    };
    for(const auto& t : cases)
        EXPECT_EQ(Str(IntToRoman(t.n, t.capitals)), t.text) << t.n;
}

TEST(NumberTextTest, RomanOfTheLargestIntsHasAnMPerThousand)
{
    for(int n : { INT_MAX, -INT_MAX }) {
        String s = IntToRoman(n, true);
        int sign = n < 0;
        ASSERT_EQ(s.GetLength(), sign + 2147483 + 7) << n; // 647 = DCXLVII
        EXPECT_EQ(s[sign], 'M');
        EXPECT_EQ(s[sign + 2147482], 'M');
        EXPECT_EQ(Str(s.Right(8)), "MDCXLVII");
    }
}

// ---------------------------------------------------------------- doubles

TEST(NumberTextTest, DoubleDigits)
{
    const struct { int count; unsigned flags; double x; const char* digits; int exponent; } cases[] = {
        { 3, DTF_SIGNIFICANT, 12345, "123", 4 },
        { 3, DTF_SIGNIFICANT, 12355, "124", 4 },
        { 5, DTF_SIGNIFICANT | DTF_KEEP_ZEROS, 1.5, "15000", 0 },
        { 5, DTF_SIGNIFICANT, 1.5, "15", 0 },
        { 0, 0, 1.5, "2", 0 },                 // one digit before the point, rounded up
        { -3, 0, 1.5, "2", 0 },                // never fewer than one digit
        { 2, DTF_SIGNIFICANT, 9.96, "1", 1 },  // carry through every digit
        { 2, 0, 9.996, "1", 1 },
        { 2, DTF_KEEP_ZEROS, 9.996, "1000", 1 }, // the carry adds a place before the point
        { 2, DTF_KEEP_ZEROS, 1.25, "125", 0 },
        { 17, DTF_SIGNIFICANT, 1.0 / 3, "333333333333333", -1 },
        { 17, DTF_SIGNIFICANT, 2.0 / 3, "666666666666667", -1 },
        { 20, DTF_SIGNIFICANT, M_PI, "314159265358979", 0 },
        { 20, DTF_SIGNIFICANT | DTF_KEEP_ZEROS, 0.5, "50000000000000000000", -1 },
        { 4, 0, -0.001234, "12", -3 },
        { 15, DTF_SIGNIFICANT, -7.25e-100, "725", -100 },
        { 15, DTF_SIGNIFICANT, 1e300, "1", 300 },
        { 15, DTF_SIGNIFICANT, DBL_MAX, "179769313486232", 308 },
        { 15, DTF_SIGNIFICANT, 5e-324, "494065645841247", -324 },
        { 15, DTF_SIGNIFICANT, 1e-310, "999999999999997", -311 }, // subnormal: the literal is inexact
        { 15, DTF_SIGNIFICANT, 0.0, "0", INT_NULL },
        { 15, DTF_SIGNIFICANT | DTF_KEEP_ZEROS, 0.0, "0", INT_NULL },
        { 15, DTF_SIGNIFICANT, DOUBLE_NULL, "", INT_NULL },
        { 15, DTF_SIGNIFICANT, kNaN, "", INT_NULL },
        { 15, DTF_SIGNIFICANT, kInf, "", INT_NULL },
    };
    for(const auto& t : cases) {
        int e = 12345;
        EXPECT_EQ(Str(DoubleDigits(t.count, t.flags, e, t.x)), t.digits) << t.x << " count " << t.count;
        EXPECT_EQ(e, t.exponent) << t.x << " count " << t.count;
    }
}

struct FixedCase {
    int count;
    unsigned flags;
    double x;
    const char* text;
};

TEST(NumberTextTest, DoubleToFixedText)
{
    const FixedCase cases[] = {
        { 2, 0, 3.14159, "3.14" }, { 2, DTF_KEEP_ZEROS, 2.5, "2.50" }, { 2, 0, 2.5, "2.5" },
        { 0, 0, 0.5, "1" }, { 0, 0, 0.4, "0" }, { 0, 0, 2.5, "3" }, { 0, 0, -2.5, "-3" },
        { 1, 0, 0.06, "0.1" }, { 1, 0, 0.04, "0" }, { 1, DTF_KEEP_ZEROS, 0.04, "0.0" },
        { 3, 0, 0.0004, "0" }, { 3, 0, 0.0005, "0.001" }, { 1, 0, 0.0496, "0" },
        { 2, 0, -0.001, "-0" }, { 2, DTF_SIGN, -0.001, "-0" }, { 2, DTF_SIGN, 2.5, "+2.5" },
        { 2, 0, 0.0, "0" }, { 2, 0, -0.0, "0" }, { 2, DTF_KEEP_ZEROS, 0.0, "0.00" }, { 2, DTF_SIGN, 0.0, "+0" },
        { 3, DTF_SIGNIFICANT, 1234.5, "1230" }, { 2, DTF_SIGNIFICANT, 123456, "120000" },
        { 2, DTF_SIGNIFICANT, 0.000123456, "0.00012" },
        { 2, DTF_SIGNIFICANT | DTF_KEEP_ZEROS, 1.0, "1.0" },
        { 3, DTF_SIGNIFICANT | DTF_KEEP_ZEROS, 0.0, "0.00" },
        { -2, 0, 12345, "12300" }, { -1, 0, 15, "20" }, { -2, 0, 49, "0" }, { -2, 0, 50, "100" },
        { -2, 0, -50, "-100" },
        { 2, DTF_DECIMAL_COMMA, 1.5, "1,5" }, { 2, DTF_DECIMAL_COMMA | DTF_KEEP_ZEROS, 0.0, "0,00" },
        { 2, 0, 9.999, "10" }, { 2, DTF_KEEP_ZEROS, 9.999, "10.00" }, { 2, 0, 1.005001, "1.01" },
        { 3, 0, 0.0123, "0.012" }, { 5, DTF_KEEP_ZEROS, 0.0123, "0.01230" },
        { 2, 0, 1e20, "100000000000000000000" },
        { 2, DTF_KEEP_ZEROS, 1e20, "100000000000000000000.00" },
        { 2, 0, 123456789.987654321, "123456789.99" },
        { 20, DTF_KEEP_ZEROS, 0.1, "0.10000000000000000000" }, // 15 significant digits at most
        { 20, 0, 0.1, "0.1" },
        { 2, 0, 5e-324, "0" }, { 2, DTF_SIGN, 5e-324, "+0" },
        { 2, 0, DOUBLE_NULL, "" }, 
        { 2, 0, kNaN, "nan" }, { 2, 0, kInf, "inf" }, { 2, DTF_SIGN, kInf, "+inf" }, { 2, 0, -kInf, "" },
    };
    for(const FixedCase& t : cases)
        EXPECT_EQ(Str(DoubleToFixedText(t.count, t.flags, t.x)), t.text) << t.x << " count " << t.count << " flags " << t.flags;
}

TEST(NumberTextTest, FixedTextOfExtremesAndHugeCounts)
{
    std::string max = Str(DoubleToFixedText(0, 0, DBL_MAX));
    EXPECT_EQ(max, "179769313486232" + std::string(294, '0'));
    std::string tiny = Str(DoubleToFixedText(400, 0, 5e-324));
    EXPECT_EQ(tiny, "0." + std::string(323, '0') + "494065645841247");
    EXPECT_EQ(Str(DoubleToFixedText(1000, DTF_KEEP_ZEROS, 0.5)), "0.5" + std::string(999, '0'));
    String huge = DoubleToFixedText(INT_MAX, DTF_KEEP_ZEROS, -0.5);
    ASSERT_EQ(huge.GetLength(), 3 + NUMBER_TEXT_MAX_PAD);
    EXPECT_EQ(Str(huge.Left(4)), "-0.5");
    EXPECT_EQ(huge[huge.GetLength() - 1], '0');
    EXPECT_EQ(Str(DoubleToFixedText(2, 0, -1e307)), "-1" + std::string(307, '0')); // not yet Null
    EXPECT_EQ(Str(DoubleToFixedText(INT_MIN, 0, 12345)), "0");
    EXPECT_EQ(Str(DoubleToFixedText(INT_MAX, DTF_SIGNIFICANT, 1.0 / 3)), "0.333333333333333");
}

TEST(NumberTextTest, FixedTextMatchesPrintfAwayFromTies)
{
    char expected[64];
    for(int i = 1; i < 20000; i++) {
        double x = i * 0.37 + i * i * 1.3e-3 - 3e3;
        double hundredths = std::fabs(x) * 100;
        if(std::fabs(hundredths - std::floor(hundredths) - 0.5) < 1e-6)
            continue;
        std::snprintf(expected, sizeof(expected), "%.2f", x);
        if(std::string(expected) == "-0.00")
            continue;
        ASSERT_EQ(Str(DoubleToFixedText(2, DTF_KEEP_ZEROS, x)), expected) << x;
    }
}

TEST(NumberTextTest, DoubleToExpText)
{
    const struct { int count; unsigned flags; int exponent_digits; double x; const char* text; } cases[] = {
        { 3, 0, 0, 12345, "1.23e4" }, { 3, DTF_EXP_SIGN, 2, 12345, "1.23e+04" },
        { 3, DTF_CAPITAL_E, 0, 12345, "1.23E4" }, { 3, DTF_KEEP_ZEROS, 0, 12000, "1.20e4" },
        { 3, 0, 0, 12000, "1.2e4" }, { 1, 0, 0, 12345, "1e4" }, { 0, 0, 0, 15000, "2e4" },
        { 3, 0, 3, 1.5e-7, "1.5e-007" }, { 3, 0, 0, -1.5e-7, "-1.5e-7" },
        { 3, DTF_DECIMAL_COMMA, 0, 1.5, "1,5e0" }, { 3, DTF_SIGN | DTF_EXP_SIGN, 0, 2.0, "+2e+0" },
        { 3, 0, 0, 0.0, "0e0" }, { 3, DTF_SIGN, 2, 0.0, "+0e00" }, { 3, 0, 0, 9.996, "1e1" },
        { 17, 0, 0, DBL_MAX, "1.79769313486232e308" }, { 17, 0, 0, 5e-324, "4.94065645841247e-324" },
        { 2, 0, 0, DOUBLE_NULL, "" }, { 2, 0, 0, kNaN, "nan" }, { 2, 0, 0, kInf, "inf" },
    };
    for(const auto& t : cases)
        EXPECT_EQ(Str(DoubleToExpText(t.count, t.flags, t.exponent_digits, t.x)), t.text) << t.x << " count " << t.count;
    EXPECT_EQ(DoubleToExpText(3, 0, INT_MAX, 1.0).GetLength(), 2 + NUMBER_TEXT_MAX_PAD);
}

TEST(NumberTextTest, DoubleToGeneralText)
{
    const struct { int count; unsigned flags; double x; const char* text; } cases[] = {
        { 3, 0, 12345, "12345" }, { 3, 0, 1e15, "1e15" }, { 3, 0, 1e-15, "1e-15" },
        { 3, 0, 999e12, "999000000000000" }, { 3, 0, 0.0, "0" },
        { 3, DTF_SIGNIFICANT, 12345, "12300" },   // below 10^(2 count): fixed
        { 2, DTF_SIGNIFICANT, 12345, "1.2e4" },   // at or above 10^(2 count): exponent
        { 2, DTF_SIGNIFICANT, 0.0001, "1e-4" },   // |x| * 10^(2 count) <= 1
        { 2, DTF_SIGNIFICANT, 0.001, "0.001" },
        { 3, DTF_CHOSEN_FORM, 1e20, "100000000000000000000" },
        { 3, DTF_CHOSEN_FORM | DTF_EXP_FORM, 1.5, "1.5e0" },
        { 3, DTF_EXP_FORM, 1.5, "1.5" },          // without 0x20 the exponent bit is not a choice
        { 3, 0, DOUBLE_NULL, "" }, { 3, 0, kNaN, "nan" },
    };
    for(const auto& t : cases)
        EXPECT_EQ(Str(DoubleToGeneralText(t.count, t.flags, 0, t.x)), t.text) << t.x << " count " << t.count;
}

TEST(NumberTextTest, DoubleToText)
{
    const struct { double x; const char* text; } cases[] = {
        { 1e15, "1e15" }, { 1e-15, "1e-15" }, { 0.000001, "0.000001" }, { 1.0 / 3, "0.333333333333333" },
        { 2.0 / 3, "0.666666666666667" }, { M_PI, "3.14159265358979" }, { 0.1, "0.1" }, { 0.1 + 0.2, "0.3" },
        { -2.5e-5, "-0.000025" }, { 1.5e-20, "1.5e-20" }, { -1.5e20, "-1.5e20" }, { 0.0, "0" }, { -0.0, "0" },
        { 100, "100" }, { 1234.5, "1234.5" }, { -1.25, "-1.25" }, { 123456789012345.0, "123456789012345" },
        { 999999999999999.9, "1000000000000000" }, { 1e16, "1e16" }, { 1e100, "1e100" },
        { 123456.789, "123456.789" }, { 1.0000000000000002, "1" }, { 1.1e-15, "0.0000000000000011" },
        { DBL_MAX, "1.79769313486232e308" }, { 5e-324, "4.94065645841247e-324" },
        { -1e307, "-1e307" }, { DOUBLE_NULL, "" }, { -DBL_MAX, "" }, { kNaN, "?" }, { kInf, "inf" }, { -kInf, "" },
    };
    for(const auto& t : cases)
        EXPECT_EQ(Str(DoubleToText(t.x)), t.text) << t.x;
}

// Whatever the magnitude, the standard text reads back within the 15 digits it keeps.
TEST(NumberTextTest, DoubleToTextReadsBackWithinFifteenDigits)
{
    uint64 state = 88172645463325252ULL;
    for(int i = 0; i < 200000; i++) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        double x;
        std::memcpy(&x, &state, sizeof(x));
        if(!std::isfinite(x) || IsNullDouble(x))
            continue;
        std::string s = Str(DoubleToText(x));
        double back = std::strtod(s.c_str(), nullptr);
        ASSERT_LE(std::fabs(back - x), std::fabs(x) * 6e-15) << s;
        std::string mantissa = s.substr(0, s.find('e'));
        std::string digits;
        for(char c : mantissa)
            if(c >= '0' && c <= '9')
                digits += c;
        digits.erase(0, digits.find_first_not_of('0'));
        digits.erase(digits.find_last_not_of('0') + 1);
        ASSERT_LE(digits.size(), 15u) << s;
    }
}

} // namespace
