// Premultiplication, its inverse, source-over blending and filling of pixel runs.

#include "draw/image/rgba.h"

namespace Qor {

namespace {

// Colour c times alpha a, with a + (a >> 7) so that 255 keeps the colour.
inline byte Mul8(int c, int m) { return (byte)((c * m) >> 8); }

int KindOf(bool seen_partial, bool seen_zero)
{
    return seen_partial ? IMAGE_ALPHA : seen_zero ? IMAGE_MASK : IMAGE_OPAQUE;
}

const int* UnmultiplyTable()
{
    static int table[256];
    static bool built = false;
    if(!built) {
        table[0] = 0;
        for(int a = 1; a < 256; a++)
            table[a] = 65536 / a;
        built = true;
    }
    return table;
}

} // namespace

int PremultiplyPixels(RGBA* dst, const RGBA* src, int n)
{
    int i = 0;
    // Opaque lead, then a mask run that needs no multiplication, then the general loop.
    while(i < n && src[i].a == 255) {
        dst[i] = src[i];
        i++;
    }
    bool seen_zero = false;
    while(i < n && (src[i].a == 0 || src[i].a == 255)) {
        if(src[i].a == 0) {
            dst[i] = RGBA{0, 0, 0, 0};
            seen_zero = true;
        }
        else
            dst[i] = src[i];
        i++;
    }
    if(i == n)
        return KindOf(false, seen_zero);
    for(; i < n; i++) {
        RGBA s = src[i];
        int m = s.a + (s.a >> 7);
        dst[i] = RGBA{Mul8(s.b, m), Mul8(s.g, m), Mul8(s.r, m), s.a};
    }
    return IMAGE_ALPHA;
}

int UnmultiplyPixels(RGBA* dst, const RGBA* src, int n)
{
    const int* table = UnmultiplyTable();
    bool seen_zero = false;
    bool seen_partial = false;
    for(int i = 0; i < n; i++) {
        RGBA s = src[i];
        if(s.a == 255) {
            dst[i] = s;
            continue;
        }
        if(s.a == 0)
            seen_zero = true;
        else
            seen_partial = true;
        int t = table[s.a];
        auto div = [t](int c) { int v = (c * t) >> 8; return (byte)(v > 255 ? 255 : v); };
        dst[i] = RGBA{div(s.b), div(s.g), div(s.r), s.a};
    }
    return KindOf(seen_partial, seen_zero);
}

void AlphaBlendPixels(RGBA* dst, const RGBA* src, int n)
{
    for(int i = 0; i < n; i++) {
        RGBA s = src[i];
        RGBA& d = dst[i];
        int k = 256 - (s.a + (s.a >> 7));
        d.b = (byte)(((d.b * k) >> 8) + s.b);
        d.g = (byte)(((d.g * k) >> 8) + s.g);
        d.r = (byte)(((d.r * k) >> 8) + s.r);
        d.a = (byte)(s.a + ((d.a * k) >> 8));
    }
}

void FillPixels(RGBA* dst, RGBA value, int n)
{
    while(n >= 16) {
        for(int i = 0; i < 16; i++)
            dst[i] = value;
        dst += 16;
        n -= 16;
    }
    while(n-- > 0)
        *dst++ = value;
}

} // namespace Qor
