// The pixel type and the low-level pixel routines every image operation builds on.
#pragma once

#include "foundation/types.h"
#include "foundation/values/color.h"

namespace Qor {

// RGBA itself (blue, green, red, alpha in memory order) is shared with Color.

// Image kinds: what the alphas of a pixel block hold.
enum : int {
    IMAGE_UNKNOWN = 0, // not computed yet
    IMAGE_EMPTY = 1,   // no pixels, or every alpha 0
    IMAGE_ALPHA = 2,   // some alpha strictly between 0 and 255
    IMAGE_MASK = 3,    // only alphas 0 and 255, both present
    IMAGE_OPAQUE = 4,  // every alpha 255
};

inline RGBA MakeRGBA(int r, int g, int b, int a) { return RGBA{(byte)b, (byte)g, (byte)r, (byte)a}; }
inline bool operator==(const RGBA& x, const RGBA& y) { return x.b == y.b && x.g == y.g && x.r == y.r && x.a == y.a; }
inline bool operator!=(const RGBA& x, const RGBA& y) { return !(x == y); }

// Each routine handles n pixels; dst and src may be the same array.
// Multiplies the colours by alpha; returns IMAGE_OPAQUE, IMAGE_MASK or IMAGE_ALPHA by the alphas seen.
int PremultiplyPixels(RGBA* dst, const RGBA* src, int n);
// Divides the colours by alpha (saturating at 255); returns the kind as PremultiplyPixels.
int UnmultiplyPixels(RGBA* dst, const RGBA* src, int n);
// Premultiplied source over destination.
void AlphaBlendPixels(RGBA* dst, const RGBA* src, int n);
void FillPixels(RGBA* dst, RGBA value, int n);

} // namespace Qor
