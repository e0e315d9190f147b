// Decoding the run-length encoded pixel data of 4- and 8-bit BMP files.
#pragma once

#include "draw/image/pixel_buffer.h"

namespace Qor {

class Stream;

// Decodes RLE data of 4 or 8 bits per pixel from the stream's position into the buffer,
// whose size is the image's; pixels the data never reaches are left 0. The data may
// end between two codes; false when it ends inside one or moves out of the image.
bool DecodeBmpRle(Stream& s, int bits, const RGBA* palette, bool top_down, PixelBuffer& buffer);

} // namespace Qor
