// The stream form of an Image: version, six ints, the raw pixels.

#include "draw/image/image.h"

#include "foundation/stream.h"
#include "foundation/string.h"

#include <cstring>

namespace Qor {

namespace {

// Pixel bytes move in pieces that each fit the stream's 32-bit block operations.
constexpr int64 PIECE = 0x7FFFFFFF;

void PutPieces(Stream& s, const byte* p, int64 n)
{
    while(n > 0) {
        uint32 k = (uint32)(n < PIECE ? n : PIECE);
        s.Put(p, k);
        p += k;
        n -= k;
    }
}

bool GetPieces(Stream& s, byte* p, int64 n)
{
    while(n > 0) {
        int k = (int)(n < PIECE ? n : PIECE);
        if(!s.ReadExact(p, k))
            return false;
        p += k;
        n -= k;
    }
    return true;
}

// Whether n more bytes can be in the stream. A stream that cannot tell its size is read
// without this check, but then only ever into memory its bytes have filled.
bool BytesPresent(Stream& s, int64 n)
{
    return !s.IsSeekable() || n <= s.GetSize() - s.GetPos();
}

void LoadImage(Image& img, Stream& s)
{
    int version = 0;
    s.SerializeCount(version);
    int32 v[6] = {};
    for(int32& x : v)
        s.Serialize(x);
    if(s.IsError())
        return;
    int cx = v[0], cy = v[1];
    if(cx == 0 || cy == 0) {
        img.Clear();
        return;
    }
    // A negative, unaffordable or truncated size is damage: nothing is allocated for it.
    if(!IsValidImageSize(cx, cy) || !BytesPresent(s, (int64)cx * cy * 4)) {
        s.SetLoadError(); // throws first when the stream asks: the Image stays as it was
        img.Clear();
        return;
    }
    int64 bytes = (int64)cx * cy * 4;
    PixelBuffer b;
    if(s.IsSeekable()) {
        b.Create(cx, cy);
        if(!GetPieces(s, (byte*)b.Begin(), bytes)) {
            img.Clear();
            return;
        }
    }
    else {
        // Collected piece by piece, so a claimed size costs only the bytes that came.
        TextBuffer collected;
        char chunk[65536];
        for(int64 left = bytes; left > 0;) {
            int k = (int)(left < (int64)sizeof chunk ? left : (int64)sizeof chunk);
            if(!s.ReadExact(chunk, k)) {
                img.Clear();
                return;
            }
            collected.Append(chunk, k);
            left -= k;
        }
        b.Create(cx, cy);
        std::memcpy((void*)b.Begin(), collected.Begin(), (size_t)bytes);
    }
    b.SetHotSpot(Point(v[2], v[3]));
    b.SetDots(Size(v[4], v[5]));
    img = b;
}

void StoreImage(const Image& img, Stream& s)
{
    int version = 0;
    s.SerializeCount(version);
    Point hot = img.GetHotSpot();
    Size dots = img.GetDots();
    int32 v[6] = {img.GetWidth(), img.GetHeight(), hot.x, hot.y, dots.cx, dots.cy};
    for(int32& x : v)
        s.Serialize(x);
    PutPieces(s, (const byte*)img.GetPixels(), img.GetLength() * 4);
}

} // namespace

void Image::Serialize(Stream& s)
{
    if(s.IsLoading())
        LoadImage(*this, s);
    else
        StoreImage(*this, s);
}

} // namespace Qor
