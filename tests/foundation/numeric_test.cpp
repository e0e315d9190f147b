// Integer scaling and division, saturating rounding, powers of ten and the
// decimal split.
#include "foundation/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Qor;

namespace {

struct IntCase {
    int a, b, c;
    int expected;
};

TEST(NumericTest, ScaleInt)
{
    const IntCase cases[] = {
        { 1000000, 1000000, 1000000, 1000000 }, // product beyond 32 bits
        { -7, 1, 2, -3 },                       // truncation toward zero
        { 7, 1, 2, 3 },
        { 7, 1, -2, -3 },
        { -7, -1, 2, 3 },
        { 6, 1, 2, 3 },
        { INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX },
        { INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN },
        { INT32_MIN, 3, 4, -1610612736 },
        { 0, 5, -3, 0 },
    };
    for(const IntCase& t : cases)
        EXPECT_EQ(ScaleInt(t.a, t.b, t.c), t.expected) << t.a << " * " << t.b << " / " << t.c;
}

TEST(NumericTest, ScaleIntFloor)
{
    const IntCase cases[] = {
        { 6, 1, 2, 3 },   // exact: unchanged
        { 7, 1, 2, 2 },   // positive inexact: one below the truncated quotient
        { -7, 1, 2, -4 }, // negative inexact: the floor
        { 7, 1, -2, -4 },
        { -7, -1, 2, 2 },
        { -6, 1, 2, -3 },
        { 1000000, 1000000, 999999, 1000000 },
        { INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX },
        { INT32_MIN, 1, 3, -715827883 },
        { 0, 7, 3, 0 },
    };
    for(const IntCase& t : cases)
        EXPECT_EQ(ScaleIntFloor(t.a, t.b, t.c), t.expected) << t.a << " * " << t.b << " / " << t.c;
}

TEST(NumericTest, DivFloorAndDivCeil)
{
    // a, b, floor, ceil
    const int cases[][4] = {
        { 7, 2, 3, 4 },
        { -7, 2, -4, -3 },
        { 6, 2, 3, 3 },
        { -6, 2, -3, -3 },
        { 0, 5, 0, 0 },
        { 1, 5, 0, 1 },
        { -1, 5, -1, 0 },
        { INT32_MAX, 2, 1073741823, 1073741824 },
        { INT32_MIN, 2, -1073741824, -1073741824 },
        { INT32_MIN + 1, 2, -1073741824, -1073741823 },
        { INT32_MIN, 3, -715827883, -715827882 },
        // Negative divisors: the correction follows the remainder, which takes
        // the dividend's sign, so these are not the floor and the ceiling.
        { 7, -2, -3, -2 },
        { -7, -2, 2, 3 },
        { 6, -2, -3, -3 },
        // The one quotient that does not fit: wraps instead of trapping.
        { INT32_MIN, -1, INT32_MIN, INT32_MIN },
    };
    for(const auto& t : cases) {
        EXPECT_EQ(DivFloor(t[0], t[1]), t[2]) << t[0] << " / " << t[1];
        EXPECT_EQ(DivCeil(t[0], t[1]), t[3]) << t[0] << " / " << t[1];
    }
}

TEST(NumericTest, SaturatingConversions)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double x;
        int round, floor, ceil;
    } cases[] = {
        { 2.5, 3, 2, 3 },
        { -2.5, -2, -3, -2 },
        { 2.4, 2, 2, 3 },
        { -2.6, -3, -3, -2 },
        { 0.0, 0, 0, 0 },
        { -0.0, 0, 0, 0 },
        { 3e9, INT32_MAX, INT32_MAX, INT32_MAX },
        { -3e9, INT32_MIN, INT32_MIN, INT32_MIN },
        { 2147483647.0, INT32_MAX, INT32_MAX, INT32_MAX },
        { -2147483648.0, INT32_MIN, INT32_MIN, INT32_MIN },
        // Just inside the limits the ordinary rounding applies and still fits.
        { 2147483646.7, INT32_MAX, 2147483646, INT32_MAX },
        { -2147483647.5, -2147483647, INT32_MIN, -2147483647 },
        { inf, INT32_MAX, INT32_MAX, INT32_MAX },
        { -inf, INT32_MIN, INT32_MIN, INT32_MIN },
        { nan, INT_NULL, INT_NULL, INT_NULL },
    };
    for(const Case& t : cases) {
        EXPECT_EQ(RoundToInt(t.x), t.round) << t.x;
        EXPECT_EQ(FloorToInt(t.x), t.floor) << t.x;
        EXPECT_EQ(CeilToInt(t.x), t.ceil) << t.x;
    }
}

TEST(NumericTest, PowerOfTen)
{
    // The table holds the doubles nearest to the powers, which the literals are.
    const double exact[] = { 1e0, 1e1, 1e5, 1e15, 1e22, 1e23, 1e30, 1e49, 1e50 };
    const int exps[] = { 0, 1, 5, 15, 22, 23, 30, 49, 50 };
    for(int i = 0; i < 9; i++) {
        EXPECT_EQ(PowerOfTen(exps[i]), exact[i]) << exps[i];
        EXPECT_EQ(PowerOfTen(-exps[i]), 1 / exact[i]) << -exps[i];
    }
    EXPECT_EQ(PowerOfTen(-3), 1 / 1000.0);
    EXPECT_EQ(PowerOfTen(51), std::pow(10.0, 51));
    EXPECT_EQ(PowerOfTen(-51), std::pow(10.0, -51));
    EXPECT_EQ(PowerOfTen(308), std::pow(10.0, 308));
    EXPECT_EQ(PowerOfTen(400), std::pow(10.0, 400));
    EXPECT_EQ(PowerOfTen(-400), 0.0);
}

TEST(NumericTest, SplitDecimal)
{
    struct Case {
        double x;
        double mantissa;
        int exponent;
    } cases[] = {
        { 1234.5, 1.2345, 3 },
        { -0.05, -5, -2 },
        { 1000, 1, 3 },
        { 1, 1, 0 },
        { 9.99, 9.99, 0 },
        { 10, 1, 1 },
        { 0.1, 1, -1 },
        { -7.5e-12, -7.5, -12 },
        { 3e200, 3, 200 },
        { 1.5e-200, 1.5, -200 },
        { 1e299, 1, 299 },
        { 2e299, 2, 299 },
        // Clamped: the exponent stays near +-300 and the mantissa may leave [1, 10).
        { 5e305, 5e4, 301 },
        { 1e-305, 1e-4, -301 },
    };
    for(const Case& t : cases) {
        int e = 12345;
        double m = SplitDecimal(t.x, e);
        EXPECT_NEAR(m, t.mantissa, std::fabs(t.mantissa) * 1e-13) << t.x;
        EXPECT_EQ(e, t.exponent) << t.x;
    }

    const double unchanged[] = { 0.0, DOUBLE_NULL, -2e307, std::numeric_limits<double>::quiet_NaN(),
                                 std::numeric_limits<double>::infinity() };
    for(double x : unchanged) {
        int e = 12345;
        double m = SplitDecimal(x, e);
        EXPECT_TRUE(m == x || (std::isnan(m) && std::isnan(x))) << x;
        EXPECT_EQ(e, INT_NULL) << x;
    }
}

} // namespace
