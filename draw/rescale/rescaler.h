// The box rescaler: one destination line at a time from a Raster, with area weights when
// reducing and curve-weighted two-tap interpolation when enlarging.
#pragma once

#include "draw/image/image.h"
#include "draw/raster/raster.h"
#include "draw/rescale/sample_map.h"
#include "foundation/callback.h"
#include "foundation/values/rect.h"
#include "foundation/values/size.h"

#include <memory>

namespace Qor {

class RasterEncoder;

class Rescaler {
public:
    Rescaler() = default;
    Rescaler(const Rescaler&) = delete;
    Rescaler& operator=(const Rescaler&) = delete;

    // False when there is nothing to rescale (an empty size or range, a range outside the
    // source, a destination too large to hold); every line is then transparent.
    bool Create(Size destination, Raster& source, const Rect& source_rect);
    // The next destination line of destination-width pixels; transparent past the last.
    void GetLine(RGBA* out);
    // Source line y through a cache of four lines replaced round robin.
    const RGBA* GetSourceLine(int y);

private:
    using RowSampler = void (*)(int32*, const RGBA*, const SampleMap&);

    Raster* source = nullptr;
    Size size;
    SampleMap hmap, vmap;
    RowSampler sampler = nullptr;
    Size source_size;
    int row_ints = 0;
    int vtaps = 0;
    int vstep = 0;
    bool vfour = false;
    std::unique_ptr<int32[]> acc;
    int first_row = 0, rows_held = 0;
    const int* cursor = nullptr;
    int entries_left = 0;
    int row = 0;
    int state = -1;
    // Destination pixels of each axis the maps cover, after clipping to the source.
    int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    int line_y = 0;
    struct Slot {
        RasterLine line;
        int y = -1;
    } slot[4];
    int next_slot = 0;

    void Sample(int y, int32* into);
};

// Rescales the source rectangle through the encoder; false when the progress callback
// (called with the line and the height) stopped it or the encoder cannot take the size.
bool RescaleThroughEncoder(RasterEncoder& encoder, Size destination, Raster& source, const Rect& source_rect,
                           BoolCallback2<int, int> progress = {});

Image RescaleImage(const Image& img, Size destination, const Rect& source_rect);
Image RescaleImage(const Image& img, Size destination);
Image RescaleImage(const Image& img, int cx, int cy);

} // namespace Qor
