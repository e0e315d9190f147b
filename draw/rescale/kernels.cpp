// The ten reconstruction kernels, evaluated term by term so their tables are stable.

#include "draw/rescale/kernel_rescale.h"

#include <cmath>

namespace Qor {

namespace {

constexpr double SIXTH = 0.16666666666666666;
constexpr double PI = 3.141592653589793;
constexpr double PI2 = 9.869604401089358;

double Lanczos(double x, int n)
{
    double a = std::fabs(x);
    if(a < 1e-200)
        return 1;
    if(a >= n)
        return 0;
    double t = a * PI;
    return n * sin(t) * sin(t / n) / ((PI2 * a) * a);
}

} // namespace

double BoxKernel(double x)
{
    return x >= -0.5 && x <= 0.5 ? 1 : 0;
}

double TriangleKernel(double x)
{
    double a = std::fabs(x);
    return a <= 1 ? 1 - a : 0;
}

double BSplineKernel(double x)
{
    double a = std::fabs(x), a2 = a * a, a3 = a * a2;
    if(a < 1)
        return (a3 * 3 + a2 * -6 + 4) * SIXTH;
    if(a < 2)
        return (a2 * 6 - a3 + a * -12 + 8) * SIXTH;
    return 0;
}

double QuadraticKernel(double x)
{
    double a = std::fabs(x);
    if(a < 0.5)
        return 0.75 - a * a;
    if(a < 1.5) {
        double d = a - 1.5;
        return 0.5 * d * d;
    }
    return 0;
}

double MitchellKernel(double x)
{
    double a = std::fabs(x), a2 = a * a, a3 = a * a2;
    if(a < 1)
        return (a3 * 7 + a2 * -12 + 5.333333333333333) * SIXTH;
    if(a < 2)
        return (a3 * -2.3333333333333335 + a2 * 12 + a * -20 + 10.666666666666666) * SIXTH;
    return 0;
}

double HermiteKernel(double x)
{
    double a = std::fabs(x), a2 = a * a, a3 = a * a2;
    return a < 1 ? (a3 * 12 + a2 * -18 + 6) * SIXTH : 0;
}

double Lanczos2Kernel(double x) { return Lanczos(x, 2); }
double Lanczos3Kernel(double x) { return Lanczos(x, 3); }
double Lanczos4Kernel(double x) { return Lanczos(x, 4); }
double Lanczos5Kernel(double x) { return Lanczos(x, 5); }

const RescaleFilter RescaleFilters[10] = {
    {BoxKernel, 1},      {TriangleKernel, 1}, {BSplineKernel, 2},  {QuadraticKernel, 2}, {MitchellKernel, 2},
    {HermiteKernel, 2},  {Lanczos2Kernel, 2}, {Lanczos3Kernel, 3}, {Lanczos4Kernel, 4},  {Lanczos5Kernel, 5},
};

} // namespace Qor
