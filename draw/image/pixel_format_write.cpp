// PixelFormat::WriteLine: premultiplied RGBA lines into every layout but index-and-alpha.

#include "draw/image/pixel_format.h"

#include <cstring>

namespace Qor {

namespace {

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "RGBA as a 32-bit word is 0xAARRGGBB");

uint32 Word(const RGBA* p)
{
    uint32 w;
    memcpy(&w, p, 4);
    return w;
}

void Store64(byte* t, uint64 w)
{
    memcpy(t, &w, 8);
}

// Two pixels as 48 bits: blue, green, red of the first, then of the second.
uint64 Pair24(const RGBA* p)
{
    uint64 q;
    memcpy(&q, p, 8);
    return (q & 0xFFFFFF) | (q >> 8 & 0xFFFFFF000000);
}

// (red >> 3) * 1024 + (blue >> 4) * 64 + (green >> 2), from the pixel as one word.
int Cell(const RGBA& p)
{
    uint32 w = Word(&p);
    return (int)((w >> 9 & 0x7C00) | (w << 2 & 0x3C0) | (w >> 10 & 0x3F));
}

int Grey(const RGBA& p)
{
    return 77 * p.r + 151 * p.g + 28 * p.b;
}

// The map index of each of n pixels. The cells of sixteen pixels are computed in one
// simple pass the compiler runs in vector registers, then looked up.
void LookUp(byte* t, const RGBA* s, int n, const byte* map)
{
    int i = 0;
    for(; i + 16 <= n; i += 16) {
        uint32 cell[16];
        for(int j = 0; j < 16; j++) {
            uint32 w = Word(s + i + j);
            cell[j] = (w >> 9 & 0x7C00) | (w << 2 & 0x3C0) | (w >> 10 & 0x3F);
        }
        for(int j = 0; j < 16; j++)
            t[i + j] = map[cell[j]];
    }
    for(; i < n; i++)
        t[i] = map[Cell(s[i])];
}

// The value each pixel takes in a palette layout of `bits` bits: its map index, else the
// top bits of green (1 and 2 bits) or of the grey level (4 and 8 bits).
template <int bits>
void PaletteValues(byte* t, const RGBA* s, int n, const byte* map)
{
    if(map)
        LookUp(t, s, n, map);
    else if constexpr(bits <= 2)
        for(int i = 0; i < n; i++)
            t[i] = (byte)(s[i].g >> (8 - bits));
    else
        for(int i = 0; i < n; i++)
            t[i] = (byte)(Grey(s[i]) >> (16 - bits));
}

// Values a chunk at a time, then packed: whole bytes first, the pixels left over into
// the last byte with its other bits 0.
template <int bits, bool high_first>
void WritePacked(byte* t, const RGBA* s, int n, const byte* map)
{
    constexpr int per = 8 / bits;
    constexpr int mask = (1 << bits) - 1;
    auto place = [](int v, int j) { return high_first ? (v & mask) << (8 - bits - bits * j) : (v & mask) << (bits * j); };
    byte value[256]; // a whole number of bytes' worth of pixels
    while(n > 0) {
        int m = n < 256 ? n : 256;
        PaletteValues<bits>(value, s, m, map);
        int i = 0;
        for(; i + per <= m; i += per) {
            int b = 0;
            for(int j = 0; j < per; j++)
                b |= place(value[i + j], j);
            *t++ = (byte)b;
        }
        if(i < m) {
            int b = 0;
            for(int j = 0; i + j < m; j++)
                b |= place(value[i + j], j);
            *t++ = (byte)b;
        }
        s += m;
        n -= m;
    }
}

void WritePal8(byte* t, const RGBA* s, int n, const byte* map)
{
    PaletteValues<8>(t, s, n, map);
}

void WriteMask16(const PixelFormat& f, byte* t, const RGBA* s, int n, bool big_endian)
{
    for(int i = 0; i < n; i++, t += 2) {
        uint32 v = (((uint32)s[i].g << 8 >> f.gpos) & f.gmask) | (((uint32)s[i].r << 8 >> f.rpos) & f.rmask) |
                   (((uint32)s[i].b << 8 >> f.bpos) & f.bmask);
        t[big_endian ? 1 : 0] = (byte)v;
        t[big_endian ? 0 : 1] = (byte)(v >> 8);
    }
}

void Write24(const PixelFormat& f, byte* t, const RGBA* s, int n)
{
    int i = 0;
    if(f.rpos == 2 && f.gpos == 1 && f.bpos == 0) {
        // Eight pixels into three 64-bit words: each pair of pixels packs to 48 bits.
        for(; i + 8 <= n; i += 8, t += 24) {
            uint64 c0 = Pair24(s + i), c1 = Pair24(s + i + 2), c2 = Pair24(s + i + 4), c3 = Pair24(s + i + 6);
            Store64(t, c0 | c1 << 48);
            Store64(t + 8, c1 >> 16 | c2 << 32);
            Store64(t + 16, c2 >> 32 | c3 << 16);
        }
    }
    int r = f.rpos, g = f.gpos, b = f.bpos;
    for(; i < n; i++, t += 3) {
        t[r] = s[i].r;
        t[g] = s[i].g;
        t[b] = s[i].b;
    }
}

// The fourth byte keeps what the output held.
void Write32(const PixelFormat& f, byte* t, const RGBA* s, int n)
{
    int r = f.rpos, g = f.gpos, b = f.bpos;
    for(int i = 0; i < n; i++, t += 4) {
        t[r] = s[i].r;
        t[g] = s[i].g;
        t[b] = s[i].b;
    }
}

// Colours divided by alpha exactly as UnmultiplyPixels does, a chunk at a time.
void WriteStraight32(const PixelFormat& f, byte* t, const RGBA* s, int n)
{
    int r = f.rpos, g = f.gpos, b = f.bpos, a = f.apos;
    RGBA chunk[256];
    while(n > 0) {
        int m = n < 256 ? n : 256;
        UnmultiplyPixels(chunk, s, m);
        for(int i = 0; i < m; i++, t += 4) {
            t[r] = chunk[i].r;
            t[g] = chunk[i].g;
            t[b] = chunk[i].b;
            t[a] = chunk[i].a;
        }
        s += m;
        n -= m;
    }
}

void WritePremultiplied32(const PixelFormat& f, byte* t, const RGBA* s, int n)
{
    if(f.IsNativeRGBA()) {
        memcpy(t, s, (size_t)n * sizeof(RGBA));
        return;
    }
    int r = f.rpos, g = f.gpos, b = f.bpos, a = f.apos;
    for(int i = 0; i < n; i++, t += 4) {
        t[r] = s[i].r;
        t[g] = s[i].g;
        t[b] = s[i].b;
        t[a] = s[i].a;
    }
}

} // namespace

void PixelFormat::WriteLine(byte* t, const RGBA* s, int n, const PaletteMap* palette_map) const
{
    if(n <= 0)
        return;
    const byte* map = palette_map ? palette_map->map : nullptr;
    bool high = IsHighFirst();
    switch(GetLayout()) {
    case PAL1: high ? WritePacked<1, true>(t, s, n, map) : WritePacked<1, false>(t, s, n, map); break;
    case PAL2: high ? WritePacked<2, true>(t, s, n, map) : WritePacked<2, false>(t, s, n, map); break;
    case PAL4: high ? WritePacked<4, true>(t, s, n, map) : WritePacked<4, false>(t, s, n, map); break;
    case PAL8: WritePal8(t, s, n, map); break;
    case MASK16: WriteMask16(*this, t, s, n, high); break;
    case RGB24: Write24(*this, t, s, n); break;
    case RGB32: Write32(*this, t, s, n); break;
    case STRAIGHT32: WriteStraight32(*this, t, s, n); break;
    case PREMULTIPLIED32: WritePremultiplied32(*this, t, s, n); break;
    default: break; // index-and-alpha lines are only ever read
    }
}

} // namespace Qor
