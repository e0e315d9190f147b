// Image looks: a small image whose hotspots mark its frame, spread over a rectangle of any
// size with its corners kept, its edges stretched and its inside stretched, tiled or filled.
#pragma once

#include "draw/image/image.h"
#include "draw/image_cache/made_image.h"
#include "draw/target/draw.h"
#include "foundation/values/rect.h"
#include "foundation/values/size.h"
#include "foundation/values/value.h"

namespace Qor {

// The source rectangle of an image rescaled to size (the image itself when both are the
// whole image), kept in the made-image cache.
class ChImageMaker : public ImageMaker {
public:
    ChImageMaker(Size size, const Rect& source, const Image& image) : size(size), source(source), image(image) {}
    // The image serial, then the target size and the source's left, right, top, bottom.
    String GetKey() const override;
    Image Make() const override;

private:
    Size size;
    Rect source;
    Image image;
};

// The source rectangle stretched to dest through the made-image cache, so repainting the
// same size rescales nothing; nothing when dest has no width or height.
void DrawScaledImagePart(Draw& w, const Rect& dest, const Image& image, const Rect& source);

// Bit 0: every row of the area equals its first row; bit 1: every column equals its
// first column; so 3 is one colour. A Null area gives 0; the area is clipped to the image.
int ClassifyImageArea(const Image& image, const Rect& area);

// The standard painter's answer for an image look (draw/look/standard_look_painter.h).
Value PaintImageLook(Draw& w, const Rect& r, const Image& image, int operation);

} // namespace Qor
