// Sample maps of the box rescaler: per destination pixel of one axis, the first source
// tap and the weights of up to four adjacent taps (or four evenly spaced samples).
#pragma once

#include "draw/image/rgba.h"
#include "foundation/vector.h"

namespace Qor {

// Header n, taps C, entry size, sample step; then per entry the first tap's offset from
// the previous entry's first tap (in source pixels times the step) and C weights, or the
// offset alone in four-sample mode (C = 4, entry size 1).
using SampleMap = Vector<int>;

enum { SAMPLE_MAP_HEADER = 4 };

// The weight curve of two-tap enlargement: 1024 entries, built on first use.
const byte* InterpolationCurve();

// Maps the destination range D0 … D1 (clipped to Dmin … Dmax and handed back clipped)
// onto the source range S0 … S1 (S1 < S0 mirrors; clipped to Smin … Smax). Weights sum to
// unit. An empty map means nothing to do.
void BuildSampleMap(SampleMap& map, int& D0, int& D1, int Dmin, int Dmax, int S0, int S1, int Smin, int Smax,
                    int step, int unit);

// Apply a horizontal map (unit 256) to one source line: four accumulators per entry,
// in the channel order of RGBA.
void SampleRowOneTap(int32* acc, const RGBA* line, const SampleMap& map);
void SampleRowTwoTaps(int32* acc, const RGBA* line, const SampleMap& map);
void SampleRowThreeTaps(int32* acc, const RGBA* line, const SampleMap& map);
void SampleRowFourSpaced(int32* acc, const RGBA* line, const SampleMap& map);

} // namespace Qor
