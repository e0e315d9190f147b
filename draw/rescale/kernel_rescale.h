// Rescaling with reconstruction filters (box, triangle, quadratic, three cubics and
// Lanczos 2 to 5) through integer kernel tables cached for the process.
#pragma once

#include "draw/image/image.h"
#include "foundation/callback.h"
#include "foundation/values/rect.h"
#include "foundation/values/size.h"

namespace Qor {

using RescaleKernel = double (*)(double x);

double BoxKernel(double x);
double TriangleKernel(double x);
double BSplineKernel(double x);
double QuadraticKernel(double x);
double MitchellKernel(double x);
double HermiteKernel(double x);
double Lanczos2Kernel(double x);
double Lanczos3Kernel(double x);
double Lanczos4Kernel(double x);
double Lanczos5Kernel(double x);

struct RescaleFilter {
    RescaleKernel kernel;
    int radius;
};

// The filters by number, 0 to 9 in the order of the kernels above.
extern const RescaleFilter RescaleFilters[10];
enum { RESCALE_FILTER_COUNT = 10 };

// Kernel values × 2^bits at i / 2^bits − radius for i = 0 … 2 × radius × 2^bits; built once
// per kernel, radius and precision and kept for the process.
const int32* GetKernelTable(RescaleKernel kernel, int radius, int bits);

// Null (0x80000000) is the box rescaler; numbers outside the table give the empty Image.
void RescaleFiltered(Image& out, const Image& source, Size destination, const Rect& source_rect, int filter,
                     BoolCallback2<int, int> progress = {});
// An empty source rectangle or destination gives the empty Image; the progress callback
// (line, height) stops it between rows, leaving the rest of the result transparent.
void RescaleWithKernel(Image& out, const Image& source, Size destination, const Rect& source_rect,
                       RescaleKernel kernel, int radius, BoolCallback2<int, int> progress = {});

} // namespace Qor
