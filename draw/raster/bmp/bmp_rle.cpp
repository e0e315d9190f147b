// The RLE8 and RLE4 decoders of BMP files: runs, absolute runs, line ends and deltas.

#include "draw/raster/bmp/bmp_rle_internal.h"

#include "foundation/stream.h"

#include <algorithm>

namespace Qor {

namespace {

class RleDecoder {
public:
    RleDecoder(Stream& s, int bits, const RGBA* palette, bool top_down, PixelBuffer& buffer)
        : s(s), bits(bits), palette(palette), top_down(top_down), buffer(buffer), cx(buffer.GetWidth()),
          cy(buffer.GetHeight())
    {}

    bool Run();

private:
    Stream& s;
    int bits;
    const RGBA* palette;
    bool top_down;
    PixelBuffer& buffer;
    int cx, cy;
    int x = 0, y = 0;

    RGBA* Line() { return buffer[top_down ? y : cy - 1 - y]; }
    void Repeat(int n, int value);
    bool Absolute(int n);
};

void RleDecoder::Repeat(int n, int value)
{
    n = std::min(n, cx - x);
    RGBA* t = Line() + x;
    if(bits == 8)
        std::fill(t, t + n, palette[value]);
    else
        for(int i = 0; i < n; i++)
            t[i] = palette[i & 1 ? value & 15 : value >> 4];
    x += n;
}

bool RleDecoder::Absolute(int n)
{
    RGBA* t = Line();
    if(bits == 8) {
        for(int i = 0; i < n; i++) {
            int c = s.Get();
            if(c < 0 || x >= cx)
                return false;
            t[x++] = palette[c];
        }
        if(n & 1)
            s.Get();
        return true;
    }
    if(x + n > cx)
        return false;
    int bytes = (n + 1) / 2;
    for(int i = 0; i < bytes; i++) {
        int c = s.Get();
        if(c < 0)
            return false;
        t[x++] = palette[c >> 4];
        if(2 * i + 1 < n)
            t[x++] = palette[c & 15];
    }
    if(bytes & 1)
        s.Get();
    return true;
}

bool RleDecoder::Run()
{
    for(;;) {
        int first = s.Get();
        if(first < 0)
            return true;
        int second = s.Get();
        if(second < 0)
            return false;
        if(first > 0) {
            Repeat(first, second);
            continue;
        }
        switch(second) {
        case 0: // end of line
            x = 0;
            if(++y >= cy)
                return true;
            break;
        case 1: // end of bitmap
            return true;
        case 2: { // delta
            int dx = s.Get();
            int dy = s.Get();
            if(dx < 0 || dy < 0)
                return false;
            x += dx;
            y += dy;
            if(x >= cx || y >= cy)
                return false;
            break;
        }
        default:
            if(!Absolute(second))
                return false;
        }
    }
}

} // namespace

bool DecodeBmpRle(Stream& s, int bits, const RGBA* palette, bool top_down, PixelBuffer& buffer)
{
    if(buffer.IsEmpty())
        return false;
    // Codes may end the data early or skip pixels: what they leave is cleared.
    FillPixels(buffer.Begin(), RGBA{ 0, 0, 0, 0 }, (int)buffer.GetLength());
    return RleDecoder(s, bits, palette, top_down, buffer).Run();
}

} // namespace Qor
