// PixelFormat: the setters of the mask-based layouts and the per-layout counts.

#include "draw/image/pixel_format.h"

namespace Qor {

namespace {

struct LayoutInfo {
    int bits;
    int colors;
    int palette;
};

constexpr LayoutInfo layout_info[10] = {
    {1, 2, 2}, {2, 4, 4}, {4, 16, 16}, {8, 256, 256}, {16, 256, 0},
    {16, 65536, 0}, {24, 16777216, 0}, {32, 16777216, 0}, {32, 16777216, 0}, {32, 0, 0},
};

// 15 minus the index of the highest set bit: the shift that brings the mask's top bit to
// bit 15. A zero mask has no top bit and takes no shift.
byte MaskShift16(uint32 mask)
{
    if(mask > 0xFFFF || mask == 0)
        return 0;
    int top = 31 - __builtin_clz(mask);
    return (byte)(15 - top);
}

// A 3-byte pixel has no byte 3: the top-byte mask falls back to byte 0 like any other
// mask that is not a whole byte, so no read or write leaves the pixel.
byte Position24(int position)
{
    return position >= 0 && position <= 2 ? (byte)position : 0;
}

} // namespace

int MaskToBytePosition(uint32 mask)
{
    switch(mask) {
    case 0xFF000000: return 3;
    case 0x00FF0000: return 2;
    case 0x0000FF00: return 1;
    default: return 0;
    }
}

int PixelFormat::GetLayout() const
{
    if(code & 0x70)
        return -1;
    int layout = code & 15;
    return layout <= PREMULTIPLIED32 ? layout : -1;
}

void PixelFormat::Set16(uint32 red, uint32 green, uint32 blue)
{
    code = MASK16;
    rmask = red;
    gmask = green;
    bmask = blue;
    rpos = MaskShift16(red);
    gpos = MaskShift16(green);
    bpos = MaskShift16(blue);
}

void PixelFormat::Set16BigEndian(uint32 red, uint32 green, uint32 blue)
{
    Set16(red, green, blue);
    code = MASK16 | HIGH_FIRST;
}

void PixelFormat::Set24(uint32 red, uint32 green, uint32 blue)
{
    code = RGB24;
    rpos = Position24(MaskToBytePosition(red));
    gpos = Position24(MaskToBytePosition(green));
    bpos = Position24(MaskToBytePosition(blue));
    apos = 0;
}

void PixelFormat::Set24BigEndian(uint32 red, uint32 green, uint32 blue)
{
    code = RGB24;
    rpos = Position24(2 - MaskToBytePosition(red));
    gpos = Position24(2 - MaskToBytePosition(green));
    bpos = Position24(2 - MaskToBytePosition(blue));
    apos = 0;
}

void PixelFormat::Set32(uint32 red, uint32 green, uint32 blue, uint32 alpha)
{
    code = alpha ? PREMULTIPLIED32 : RGB32;
    rpos = (byte)MaskToBytePosition(red);
    gpos = (byte)MaskToBytePosition(green);
    bpos = (byte)MaskToBytePosition(blue);
    apos = alpha ? (byte)MaskToBytePosition(alpha) : 0;
}

void PixelFormat::Set32BigEndian(uint32 red, uint32 green, uint32 blue, uint32 alpha)
{
    code = alpha ? PREMULTIPLIED32 : RGB32;
    rpos = (byte)(3 - MaskToBytePosition(red));
    gpos = (byte)(3 - MaskToBytePosition(green));
    bpos = (byte)(3 - MaskToBytePosition(blue));
    apos = alpha ? (byte)(3 - MaskToBytePosition(alpha)) : 0;
}

void PixelFormat::SetNativeRGBA()
{
    code = PREMULTIPLIED32;
    rpos = 2;
    gpos = 1;
    bpos = 0;
    apos = 3;
}

bool PixelFormat::IsNativeRGBA() const
{
    return GetLayout() == PREMULTIPLIED32 && rpos == 2 && gpos == 1 && bpos == 0 && apos == 3;
}

int PixelFormat::GetByteCount(int n) const
{
    int layout = GetLayout();
    if(layout < 0)
        return 0;
    // In 64 bits: a line of hundreds of millions of pixels must not wrap to a small count.
    int64 bytes = ((int64)n * layout_info[layout].bits + 7) >> 3;
    return bytes > INT32_MAX ? INT32_MAX : (int)bytes;
}

int PixelFormat::GetColorCount() const
{
    int layout = GetLayout();
    return layout < 0 ? 0 : layout_info[layout].colors;
}

int PixelFormat::GetPaletteCount() const
{
    int layout = GetLayout();
    return layout < 0 ? 0 : layout_info[layout].palette;
}

} // namespace Qor
