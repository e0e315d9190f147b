// Number scanners: integers in several bases with their Null and out-of-range
// answers, doubles with fraction and exponent, and the end position of each scan.
// Every text is copied into a heap block of exactly its size, so that a scan that
// runs past the NUL is caught by the address sanitizer.

#include "foundation/values/number_scan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

using namespace Qor;

namespace {

// A text (which may hold NULs) in a block of exactly its size plus the final NUL.
struct Exact {
    explicit Exact(const std::string& s) : block(new char[s.size() + 1])
    {
        std::memcpy(block.get(), s.c_str(), s.size() + 1);
    }
    const char* Text() const { return block.get(); }
    std::unique_ptr<char[]> block;
};

struct IntCase {
    std::string text;
    unsigned base;
    int64 value;
    int end; // offset of the end position
};

} // namespace

TEST(NumberScanTest, ScanIntText)
{
    const IntCase cases[] = {
        {"  -17x", 10, -17, 5},
        {"\t\n+42 7", 10, 42, 5},
        {"12abc", 10, 12, 2},
        {"x", 10, INT_NULL, 0},
        {"+", 10, INT_NULL, 1},          // end after the sign
        {"- 5", 10, INT_NULL, 1},        // no blanks between sign and digits
        {"", 10, INT_NULL, 0},
        {"   ", 10, INT_NULL, 3},        // blanks only: stops at the NUL
        {std::string(" \0 7", 4), 10, INT_NULL, 1}, // a NUL ends the text
        {std::string("12\0 34", 6), 10, 12, 2},
        {"\x80" "5", 10, INT_NULL, 0},   // high bytes are no blanks here
        {"ff", 16, 255, 2},
        {"FFz", 16, 255, 2},
        {"777", 8, 511, 3},
        {"8", 8, INT_NULL, 0},
        {"z", 36, 35, 1},
        {"ab", 10, INT_NULL, 0},         // letters are no digits in base 10
        {"2147483647", 10, 2147483647, 10},
        {"-2147483647", 10, -2147483647, 11},
        {"2147483648", 10, INT_NULL, 10},     // out of range, all digits consumed
        {"4294967297", 10, INT_NULL, 10},     // would wrap to 1
        {"ffffffff", 16, INT_NULL, 8},
        {"7fffffff", 16, 2147483647, 8},
        {"99999999999999999999999", 10, INT_NULL, 23},
    };
    for(const IntCase& c : cases) {
        Exact e(c.text);
        const char* end = nullptr;
        EXPECT_EQ(ScanIntText(e.Text(), &end, c.base), c.value) << '"' << c.text << '"';
        EXPECT_EQ(end - e.Text(), c.end) << '"' << c.text << '"';
        EXPECT_EQ(ScanIntText(e.Text(), nullptr, c.base), c.value); // end is optional
    }
}

TEST(NumberScanTest, ScanInt64Text)
{
    const IntCase cases[] = {
        {"9223372036854775807", 10, INT64_MAX, 19},
        {"-9223372036854775807", 10, -INT64_MAX, 20},
        {"9223372036854775808", 10, INT64_NULL, 19},
        {"18446744073709551617", 10, INT64_NULL, 20}, // would wrap to 1
        {"-18446744073709551617", 10, INT64_NULL, 21},
        {"3000000000", 10, 3000000000LL, 10},
        {"\x80\xff\x01 42;", 10, 42, 6},  // high bytes are skipped as blanks
        {"7fffffffffffffff", 16, INT64_MAX, 16},
        {"10000000000000000", 16, INT64_NULL, 17},
        {"   ", 10, INT64_NULL, 3},
        {"-", 10, INT64_NULL, 1},
        {"y", 10, INT64_NULL, 0},
    };
    for(const IntCase& c : cases) {
        Exact e(c.text);
        const char* end = nullptr;
        EXPECT_EQ(ScanInt64Text(e.Text(), &end, c.base), c.value) << '"' << c.text << '"';
        EXPECT_EQ(end - e.Text(), c.end) << '"' << c.text << '"';
    }
}

TEST(NumberScanTest, ScanDigits)
{
    const IntCase cases32[] = {
        {"123abc", 10, 123, 3},
        {" 1", 10, -1, 0},      // no blanks
        {"-1", 10, -1, 0},      // no sign
        {"", 10, -1, 0},
        {"ff", 16, 255, 2},
        {"0", 10, 0, 1},
        {"2147483647", 10, 2147483647, 10},
        {"99999999999", 10, INT_NULL, 11},
    };
    for(const IntCase& c : cases32) {
        Exact e(c.text);
        const char* end = nullptr;
        EXPECT_EQ(ScanDigits(e.Text(), &end, c.base), c.value) << '"' << c.text << '"';
        EXPECT_EQ(end - e.Text(), c.end) << '"' << c.text << '"';
    }
    const IntCase cases64[] = {
        {"99999999999", 10, 99999999999LL, 11},
        {"18446744073709551617", 10, INT64_NULL, 20},
        {"x", 10, -1, 0},
    };
    for(const IntCase& c : cases64) {
        Exact e(c.text);
        const char* end = nullptr;
        EXPECT_EQ(ScanDigits64(e.Text(), &end, c.base), c.value) << '"' << c.text << '"';
        EXPECT_EQ(end - e.Text(), c.end) << '"' << c.text << '"';
    }
}

TEST(NumberScanTest, ScanDoubleText)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        std::string text;
        bool comma;
        double value;
        int end;
    } cases[] = {
        {"0.001", false, 0.001, 5},
        {"1e3", false, 1000, 3},
        {"-2.50", false, -2.5, 5},
        {"+7", false, 7, 2},
        {"1.5e", false, 1.5, 4},          // a bare 'e' is consumed and ignored
        {"1.5e+ ", false, 1.5, 5},
        {"1e 5", false, 1e5, 4},          // blanks after the 'e'
        {"1 e5", false, 1, 1},
        {"1e5x", false, 1e5, 3},
        {"1e-3", false, 0.001, 4},
        {"e5", false, DOUBLE_NULL, 0},     // no number: end at the start
        {"  -", false, DOUBLE_NULL, 0},
        {"   ", false, DOUBLE_NULL, 0},
        {"", false, DOUBLE_NULL, 0},
        {" .5", false, 0.5, 3},
        {".e5", false, DOUBLE_NULL, 0},
        {"1.", false, 1, 1},              // a point without a digit after it
        {"1,5", true, 1.5, 3},
        {"1,5", false, 1, 1},
        {",5", false, DOUBLE_NULL, 0},
        {",5", true, 0.5, 2},
        {"100.00", false, 100, 6},
        {"100.5", false, 100.5, 5},
        {"100.05", false, 100.05, 6},
        {"0", false, 0, 1},
        {"000", false, 0, 3},
        {"0e999", false, 0, 5},           // zero stays zero, never NaN
        {"1e400", false, inf, 5},
        {"-1e400", false, -inf, 6},
        {"1e4294967297", false, inf, 12}, // the exponent does not wrap to 1
        {"1e-4294967297", false, 0, 13},
        {"4.9e-324", false, std::numeric_limits<double>::denorm_min(), 8},
        {std::string("2.5\0" "7", 5), false, 2.5, 3},
        {"1" + std::string(400, '0') + "e-400", false, 1, 406},
        {"0." + std::string(400, '0') + "1e401", false, 1, 407},
        {"1" + std::string(400, '0') + ".5e-400", false, 1, 408},   // the .5 lies beyond precision
        {"3" + std::string(30, '0') + "7", false, 3e31, 32},
        {"3" + std::string(30, '0') + "7e-31", false, 3, 36},
        {"0.3" + std::string(30, '0') + "7", false, 0.3, 34},
    };
    for(const Case& c : cases) {
        Exact e(c.text);
        const char* end = nullptr;
        double x = ScanDoubleText(e.Text(), &end, c.comma);
        EXPECT_EQ(end - e.Text(), c.end) << '"' << c.text << '"';
        if(c.value == DOUBLE_NULL)
            EXPECT_TRUE(IsNullDouble(x)) << '"' << c.text << '"';
        else
            EXPECT_DOUBLE_EQ(x, c.value) << '"' << c.text << '"';
    }
}

// The mantissa collects every significant digit, the exponent the rest: long texts
// keep full precision.
TEST(NumberScanTest, ScanDoubleTextLongMantissa)
{
    EXPECT_DOUBLE_EQ(ScanDoubleText("123456789012345678901234567890"), 1.2345678901234568e29);
    EXPECT_DOUBLE_EQ(ScanDoubleText("0.000000000000000000000123"), 1.23e-22);
    std::string digits(500, '7'); // far more digits than a double can hold
    double x = ScanDoubleText(digits.c_str());
    EXPECT_TRUE(std::isinf(x));
    EXPECT_DOUBLE_EQ(ScanDoubleText((digits + "e-499").c_str()), 7.7777777777777777);
}
