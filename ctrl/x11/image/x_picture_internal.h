// Server-side copies of images: Xrender pictures made from an Image's pixels, and the
// one-pixel solid pictures that paint a shape in one colour.
#pragma once

#include "draw/image/image.h"
#include "foundation/values/color.h"

namespace Qor {

// Xrender's Picture, an X id (unsigned long on the client), without the X headers.
using XPictureId = unsigned long;

// A picture holding a copy of the pixels: RGB24 for an opaque image, else ARGB32.
XPictureId CreateColorPicture(const Image& img, bool opaque);
// An A8 picture of the image's alpha bytes.
XPictureId CreateMaskPicture(const Image& img);
// A repeating 1 x 1 ARGB32 picture of the colour from the 67-slot table; a slot holding
// another colour is made anew. Valid until the slot is taken by another colour.
XPictureId GetSolidColorPicture(Color c);
void FreePicture(XPictureId p);

// Composites pictures (op Over) to dest: source part (sx, sy, cx, cy) at (x, y).
void CompositePicture(XPictureId src, XPictureId mask, XPictureId dest, int sx, int sy, int x, int y, int cx, int cy);

} // namespace Qor
