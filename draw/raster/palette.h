// Palette building from a raster's colours and the inverse colour map that turns a pixel
// into the index of its nearest palette entry with one table lookup.
#pragma once

#include "draw/image/rgba.h"
#include "foundation/types.h"

namespace Qor {

class Raster;

// Cells of the coarse colour grid both work on: 32 red × 64 green × 16 blue.
inline constexpr int PALETTE_GRID_CELLS = 32 * 64 * 16;

// Fills palette entries 0 … k − 1 (k ≤ n ≤ 256) with opaque colours that stand for the
// raster's pixels; the other entries, and all of them for a raster without pixels, stay.
void CreatePalette(Raster& raster, RGBA* palette, int n);

// Fills the PALETTE_GRID_CELLS entries of map with the index of the nearest of the n
// palette entries (all 0 when n is 0).
void CreateColourMap(const RGBA* palette, int n, byte* map);

} // namespace Qor
