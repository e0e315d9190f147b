// PixelFormat: the byte layout of one image line (palette indexes, 16-bit masks, 24- and
// 32-bit channel orders) and the conversion of whole lines to and from RGBA.
#pragma once

#include "draw/image/rgba.h"
#include "foundation/types.h"

namespace Qor {

// An inverse colour map: 32768 palette indexes, the cell of a pixel being
// (red >> 3) * 1024 + (blue >> 4) * 64 + (green >> 2).
struct PaletteMap {
    byte* map = nullptr;
};

// 3 for 0xFF000000, 2 for 0x00FF0000, 1 for 0x0000FF00, 0 for any other mask.
int MaskToBytePosition(uint32 mask);

// A small plain value describing a line layout; it owns nothing. The low four bits of
// `code` select the layout (0-3 palette indexes of 1, 2, 4 and 8 bits; 4 index and alpha;
// 5 16-bit masks; 6 24-bit; 7 32-bit without alpha; 8 straight alpha; 9 premultiplied
// alpha); bit 7 puts the first pixel in the high bits of a byte (1, 2 and 4 bits) or
// makes the 16-bit word big-endian.
struct PixelFormat {
    enum : byte {
        PAL1 = 0, PAL2 = 1, PAL4 = 2, PAL8 = 3, PAL8_ALPHA = 4, MASK16 = 5,
        RGB24 = 6, RGB32 = 7, STRAIGHT32 = 8, PREMULTIPLIED32 = 9,
        HIGH_FIRST = 0x80,
    };

    byte code = 0;
    // Channel masks of code 5.
    uint32 rmask = 0, gmask = 0, bmask = 0;
    // Code 5: the left shift of each mask; codes 6-9: each channel's byte within a pixel.
    byte rpos = 0, gpos = 0, bpos = 0, apos = 0;

    void Set16(uint32 red, uint32 green, uint32 blue);
    void Set16BigEndian(uint32 red, uint32 green, uint32 blue);
    void Set24(uint32 red, uint32 green, uint32 blue);
    void Set24BigEndian(uint32 red, uint32 green, uint32 blue);
    // Without an alpha mask the fourth byte carries nothing (code 7), else it is
    // premultiplied alpha (code 9).
    void Set32(uint32 red, uint32 green, uint32 blue, uint32 alpha);
    void Set32BigEndian(uint32 red, uint32 green, uint32 blue, uint32 alpha);
    void SetNativeRGBA();
    bool IsNativeRGBA() const;

    // Bytes of n pixels, rounded up to whole bytes; 0 for layouts outside the table.
    int GetByteCount(int n) const;
    int GetColorCount() const;
    int GetPaletteCount() const;

    // n pixels into premultiplied RGBA; the palette is read by codes 0 to 4 only.
    void ReadLine(RGBA* out, const byte* in, int n, const RGBA* palette) const;
    // n premultiplied pixels into GetByteCount(n) bytes; the map, when given, picks the
    // palette index for codes 0 to 3, else they take green bits or grey levels.
    void WriteLine(byte* out, const RGBA* in, int n, const PaletteMap* map = nullptr) const;

    // The layout of the code's low four bits; -1 for codes outside the table.
    int GetLayout() const;
    bool IsHighFirst() const { return code & HIGH_FIRST; }
};

} // namespace Qor
