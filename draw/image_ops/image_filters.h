// Pixel-wise image transforms and the 3 × 3 neighbourhood filter engine with the etched
// look of disabled images; each returns a new Image and leaves the source alone.
#pragma once

#include "draw/image/image.h"
#include "foundation/values/color.h"

namespace Qor {

class ImageFilter9 {
public:
    // Three runs of three pixels (row above, own row, row below), each from the left
    // neighbour; pixels outside the image repeat the nearest edge pixel.
    virtual RGBA Filter(const RGBA* above, const RGBA* row, const RGBA* below) = 0;
    virtual ~ImageFilter9() = default;
};

// Dark, mostly opaque pixels become grey with a white highlight down and to the right.
class sEtchFilter : public ImageFilter9 {
public:
    RGBA Filter(const RGBA* above, const RGBA* row, const RGBA* below) override;
};

// Same size, no hotspots; empty for an empty image.
Image ApplyImageFilter9(const Image& img, ImageFilter9& filter);
Image EtchImage(const Image& img);
// Moved toward grey by amount / 256.
Image GrayscaleImage(const Image& img, int amount);
// Very dark colours turn light and very light ones dark; the rest stays.
Image AdaptImageToDarkFace(const Image& img);
// Contrast scaled by amount / 256 around 128.
Image AdjustImageContrast(const Image& img, int amount);
// Every pixel in the colour, with its own alpha.
Image FillImageShape(const Image& img, Color color);

} // namespace Qor
