// PixelFormat::ReadLine: lines of every layout into premultiplied RGBA.

#include "draw/image/pixel_format.h"

#include <cstring>

namespace Qor {

namespace {

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "RGBA as a 32-bit word is 0xAARRGGBB");

constexpr uint32 OPAQUE = 0xFF000000;

uint32 Load32(const byte* s)
{
    uint32 w;
    memcpy(&w, s, 4);
    return w;
}

void Store32(RGBA* t, uint32 w)
{
    memcpy(t, &w, 4);
}

// Palette indexes of `bits` bits, `per` = 8 / bits pixels a byte: whole bytes first, then
// the pixels left over from the next byte in the same order.
template <int bits, bool high_first>
void ReadPacked(RGBA* t, const byte* s, int n, const RGBA* palette)
{
    constexpr int per = 8 / bits;
    constexpr int mask = (1 << bits) - 1;
    auto index = [](int b, int j) {
        return high_first ? (b >> (8 - bits - bits * j)) & mask : (b >> (bits * j)) & mask;
    };
    const RGBA* whole = t + n / per * per;
    while(t < whole) {
        int b = *s++;
        for(int j = 0; j < per; j++)
            t[j] = palette[index(b, j)];
        t += per;
    }
    int rest = n % per;
    if(rest) {
        int b = *s;
        for(int j = 0; j < rest; j++)
            t[j] = palette[index(b, j)];
    }
}

void ReadMask16(const PixelFormat& f, RGBA* t, const byte* s, int n, bool big_endian)
{
    for(int i = 0; i < n; i++, s += 2) {
        uint32 v = big_endian ? (uint32)s[0] << 8 | s[1] : (uint32)s[1] << 8 | s[0];
        t[i].r = (byte)(((v & f.rmask) << f.rpos) >> 8);
        t[i].g = (byte)(((v & f.gmask) << f.gpos) >> 8);
        t[i].b = (byte)(((v & f.bmask) << f.bpos) >> 8);
        t[i].a = 255;
    }
}

void Read24(const PixelFormat& f, RGBA* t, const byte* s, int n)
{
    int i = 0;
    if(f.rpos == 2 && f.gpos == 1 && f.bpos == 0) {
        // The common blue-green-red order: four pixels from three 32-bit words.
        for(; i + 4 <= n; i += 4, s += 12) {
            uint32 w0 = Load32(s), w1 = Load32(s + 4), w2 = Load32(s + 8);
            Store32(t + i, w0 | OPAQUE);
            Store32(t + i + 1, w0 >> 24 | w1 << 8 | OPAQUE);
            Store32(t + i + 2, w1 >> 16 | w2 << 16 | OPAQUE);
            Store32(t + i + 3, w2 >> 8 | OPAQUE);
        }
    }
    int r = f.rpos, g = f.gpos, b = f.bpos;
    for(; i < n; i++, s += 3)
        t[i] = RGBA{s[b], s[g], s[r], 255};
}

void Read32(const PixelFormat& f, RGBA* t, const byte* s, int n)
{
    if(f.rpos == 2 && f.gpos == 1 && f.bpos == 0) {
        // Whole 4-byte pixels with the alpha byte set.
        for(int i = 0; i < n; i++, s += 4)
            t[i] = RGBA{s[0], s[1], s[2], 255};
        return;
    }
    int r = f.rpos, g = f.gpos, b = f.bpos;
    for(int i = 0; i < n; i++, s += 4)
        t[i] = RGBA{s[b], s[g], s[r], 255};
}

void ReadStraight32(const PixelFormat& f, RGBA* t, const byte* s, int n)
{
    int r = f.rpos, g = f.gpos, b = f.bpos, a = f.apos;
    for(int i = 0; i < n; i++, s += 4) {
        int alpha = s[a];
        int e = alpha + (alpha >> 7);
        t[i] = RGBA{(byte)(e * s[b] >> 8), (byte)(e * s[g] >> 8), (byte)(e * s[r] >> 8), (byte)alpha};
    }
}

void ReadPremultiplied32(const PixelFormat& f, RGBA* t, const byte* s, int n)
{
    if(f.IsNativeRGBA()) {
        memcpy(t, s, (size_t)n * sizeof(RGBA));
        return;
    }
    int r = f.rpos, g = f.gpos, b = f.bpos, a = f.apos;
    for(int i = 0; i < n; i++, s += 4)
        t[i] = RGBA{s[b], s[g], s[r], s[a]};
}

} // namespace

void PixelFormat::ReadLine(RGBA* t, const byte* s, int n, const RGBA* palette) const
{
    if(n <= 0)
        return;
    bool high = IsHighFirst();
    switch(GetLayout()) {
    case PAL1:
        high ? ReadPacked<1, true>(t, s, n, palette) : ReadPacked<1, false>(t, s, n, palette);
        break;
    case PAL2:
        high ? ReadPacked<2, true>(t, s, n, palette) : ReadPacked<2, false>(t, s, n, palette);
        break;
    case PAL4:
        high ? ReadPacked<4, true>(t, s, n, palette) : ReadPacked<4, false>(t, s, n, palette);
        break;
    case PAL8:
        for(int i = 0; i < n; i++)
            t[i] = palette[s[i]];
        break;
    case PAL8_ALPHA:
        for(int i = 0; i < n; i++, s += 2) {
            const RGBA& p = palette[s[0]];
            t[i] = RGBA{p.b, p.g, p.r, s[1]};
        }
        PremultiplyPixels(t, t, n);
        break;
    case MASK16: ReadMask16(*this, t, s, n, high); break;
    case RGB24: Read24(*this, t, s, n); break;
    case RGB32: Read32(*this, t, s, n); break;
    case STRAIGHT32: ReadStraight32(*this, t, s, n); break;
    case PREMULTIPLIED32: ReadPremultiplied32(*this, t, s, n); break;
    default: break;
    }
}

} // namespace Qor
