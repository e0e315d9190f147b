// Premultiplication, its inverse, source-over blending and filling of pixel runs.
// The colour loops work on whole 32-bit pixels, two channels per multiplication, without
// branches, so the compiler can process many pixels per step.

#include "draw/image/rgba.h"

#include <cstring>

namespace Qor {

namespace {

inline uint32 Load(const RGBA* p) { uint32 w; std::memcpy(&w, p, 4); return w; }
inline void Store(RGBA* p, uint32 w) { std::memcpy(p, &w, 4); }

// Each colour channel times m / 256 (m at most 256); alpha as it was.
inline uint32 ScaleColours(uint32 w, uint32 m)
{
    uint32 rb = ((w & 0x00FF00FF) * m >> 8) & 0x00FF00FF;
    uint32 g = ((w & 0x0000FF00) * m >> 8) & 0x0000FF00;
    return rb | g | (w & 0xFF000000);
}

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

inline byte Unmultiplied(int c, int t)
{
    int v = (c * t) >> 8;
    return (byte)(v > 255 ? 255 : v);
}

} // namespace

namespace {

// Premultiplies n ≤ 16 pixels through a local block, so that source and destination may
// be the same array and a full block has a fixed trip count the compiler vectorises.
template <int N>
inline void PremultiplyBlock(RGBA* dst, const RGBA* src, uint32& zero, uint32& partial)
{
    uint32 w[N], out[N];
    std::memcpy(w, src, sizeof w);
    for(int i = 0; i < N; i++) {
        uint32 a = w[i] >> 24;
        zero |= a == 0;
        partial |= a - 1 < 254;
        out[i] = ScaleColours(w[i], a + (a >> 7));
    }
    std::memcpy((void*)dst, out, sizeof out);
}

} // namespace

int PremultiplyPixels(RGBA* dst, const RGBA* src, int n)
{
    // m = a + (a >> 7) makes alpha 255 keep its colours and alpha 0 clear them, so one
    // formula serves every pixel.
    uint32 zero = 0, partial = 0;
    int i = 0;
    for(; i + 16 <= n; i += 16)
        PremultiplyBlock<16>(dst + i, src + i, zero, partial);
    for(; i < n; i++)
        PremultiplyBlock<1>(dst + i, src + i, zero, partial);
    return KindOf(partial, zero);
}

int UnmultiplyPixels(RGBA* dst, const RGBA* src, int n)
{
    const int* table = UnmultiplyTable();
    int zero = 0, partial = 0;
    for(int i = 0; i < n; i++) {
        RGBA s = src[i];
        zero |= s.a == 0;
        partial |= (unsigned)s.a - 1 < 254;
        if(s.a == 255) {
            dst[i] = s;
            continue;
        }
        int t = table[s.a];
        dst[i] = RGBA{Unmultiplied(s.b, t), Unmultiplied(s.g, t), Unmultiplied(s.r, t), s.a};
    }
    return KindOf(partial, zero);
}

namespace {

template <int N>
inline void BlendBlock(RGBA* dst, const RGBA* src)
{
    uint32 s[N], d[N];
    std::memcpy(s, src, sizeof s);
    std::memcpy(d, dst, sizeof d);
    for(int i = 0; i < N; i++) {
        uint32 sa = s[i] >> 24;
        uint32 k = 256 - (sa + (sa >> 7));
        uint32 rb = ((((d[i] & 0x00FF00FF) * k >> 8) & 0x00FF00FF) + (s[i] & 0x00FF00FF)) & 0x00FF00FF;
        uint32 ag = (((((d[i] >> 8) & 0x00FF00FF) * k >> 8) & 0x00FF00FF) + ((s[i] >> 8) & 0x00FF00FF)) & 0x00FF00FF;
        d[i] = rb | ag << 8;
    }
    std::memcpy((void*)dst, d, sizeof d);
}

} // namespace

void AlphaBlendPixels(RGBA* dst, const RGBA* src, int n)
{
    // Alpha follows the colour formula too: sa + ((da × k) >> 8). Each channel sum is
    // kept to its own byte.
    int i = 0;
    for(; i + 16 <= n; i += 16)
        BlendBlock<16>(dst + i, src + i);
    for(; i < n; i++)
        BlendBlock<1>(dst + i, src + i);
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
