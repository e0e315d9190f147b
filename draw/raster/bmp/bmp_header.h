// The headers of a BMP file as read: the info header, the palette and the bit-field masks.
#pragma once

#include "foundation/types.h"

namespace Qor {

class Stream;

enum : uint32 { BMP_RGB = 0, BMP_RLE8 = 1, BMP_RLE4 = 2, BMP_BITFIELDS = 3 };

// The 40-byte info header with room for a whole palette. Multi-byte fields are
// little-endian in the file and plain integers here.
struct BmpHeader {
    uint32 size;
    int32 width;
    int32 height; // negative: rows stored top to bottom
    uint16 planes;
    uint16 bit_count;
    uint32 compression;
    uint32 image_size;
    int32 x_pels_per_meter;
    int32 y_pels_per_meter;
    uint32 colors_used;
    uint32 colors_important;
    // Blue, green, red, reserved; entries the file does not give stay 0.
    byte palette[256][4];
    // Red, green, blue; only meaningful with BMP_BITFIELDS.
    uint32 masks[3];
    // The file header's offset of the pixel data; 0 without a file header.
    uint32 data_offset;
};

// Reads the file header (when expected), the info header and the palette or masks that
// follow it, leaving the stream after them. False for anything this reader cannot take:
// a wrong magic, a short read, an unknown bit count or compression, a non-positive width,
// a height of 0, more pixels than an image may hold, or more than 256 colours used.
bool ReadBmpHeader(Stream& s, BmpHeader& h, bool file_header);

// Passes over n bytes by reading them (so unseekable streams work too); false when the
// data ends first.
bool SkipBmpBytes(Stream& s, int64 n);

} // namespace Qor
