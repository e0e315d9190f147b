// The compact (zlib) and framed String forms of an Image.

#include "draw/image/image_forms.h"

#include "draw/values/framed_text_form.h"
#include "foundation/compression.h"
#include "foundation/framed_store.h"
#include "foundation/mem_stream.h"
#include "foundation/string_stream.h"

#include <cstring>

namespace Qor {

namespace {

constexpr int COMPACT_HEADER = 13;
// Deflate never packs more than about 1032 output bytes into one input byte: a claimed
// size beyond that cannot come from the bytes present.
constexpr int64 MAX_DEFLATE_RATIO = 1032;

// Written as signed 16 bits and read back unsigned, so both readings of 16 bits fit.
bool FitsCompactField(int v) { return v >= -32768 && v <= 65535; }

int CompactField(const String& data, int offset)
{
    return (byte)data[offset] | (byte)data[offset + 1] << 8;
}

// Output into a fixed block; whatever goes past its end is counted as overflow, not kept.
class FixedOutStream : public Stream {
public:
    FixedOutStream(byte* block, int64 size)
    {
        style = STRM_WRITE;
        buffer = current = block;
        write_limit = block + size;
        read_limit = block;
    }
    void PutOverflow(int) override { overflow = true; }
    void PutBlock(const void* data, uint32 size) override
    {
        uint32 room = (uint32)(write_limit - current);
        uint32 k = size < room ? size : room;
        std::memcpy(current, data, k);
        current += k;
        if(k < size)
            overflow = true;
    }
    bool IsOpen() const override { return true; }

    int64 GetWritten() const { return current - buffer; }
    bool overflow = false;
};

} // namespace

String WriteCompactImage(const Image& img)
{
    if(img.IsEmpty() || img.GetKind() == IMAGE_EMPTY)
        return String();
    Size sz = img.GetSize();
    Point hot = img.GetHotSpot();
    Size dots = img.GetDots();
    int16 fields[6] = {(int16)sz.cx, (int16)sz.cy, (int16)hot.x, (int16)hot.y, (int16)dots.cx, (int16)dots.cy};
    // A field that 16 bits cannot hold is refused rather than wrapped into another image.
    if(sz.cx > 65535 || sz.cy > 65535 || !FitsCompactField(hot.x) || !FitsCompactField(hot.y) ||
       !FitsCompactField(dots.cx) || !FitsCompactField(dots.cy))
        return String();
    int bpp = img.GetKind() == IMAGE_OPAQUE ? 3 : 4;
    StringStream out;
    out.Put(bpp);
    for(int16& f : fields)
        out.Serialize(f);
    int64 n = img.GetLength();
    byte* block = new byte[(size_t)(n * bpp)];
    byte* t = block;
    for(const RGBA *s = img.GetPixels(), *e = s + n; s < e; s++) {
        *t++ = s->r;
        *t++ = s->g;
        *t++ = s->b;
        if(bpp == 4)
            *t++ = s->a;
    }
    MemReadStream in(block, (int)(n * bpp));
    CompressZlib(out, in);
    delete[] block;
    return out.GetText();
}

Image ReadCompactImage(const String& data)
{
    if(data.GetLength() <= 12)
        return Image();
    int bpp = (byte)data[0];
    int cx = CompactField(data, 1);
    int cy = CompactField(data, 3);
    if((bpp != 3 && bpp != 4) || !IsValidImageSize(cx, cy))
        return Image();
    int64 expected = (int64)cx * cy * bpp;
    int64 packed = data.GetLength() - COMPACT_HEADER;
    if(expected > packed * MAX_DEFLATE_RATIO + 64)
        return Image();
    byte* raw = new byte[(size_t)expected];
    FixedOutStream out(raw, expected);
    MemReadStream in(data.Begin() + COMPACT_HEADER, (int)packed);
    DecompressZlib(out, in);
    Image img;
    if(!out.overflow && out.GetWritten() == expected) {
        PixelBuffer b(cx, cy);
        const byte* s = raw;
        for(RGBA *t = b.Begin(), *e = b.End(); t < e; t++, s += bpp)
            *t = MakeRGBA(s[0], s[1], s[2], bpp == 4 ? s[3] : 255);
        b.SetHotSpot(Point(CompactField(data, 5), CompactField(data, 7)));
        b.SetDots(Size(CompactField(data, 9), CompactField(data, 11)));
        img = b;
    }
    delete[] raw;
    return img;
}

Size GetCompactImageSize(const String& data)
{
    if(data.GetLength() <= 12)
        return Size(0, 0);
    return Size(CompactField(data, 1), CompactField(data, 3));
}

Size GetCompactImageDots(const String& data)
{
    if(data.GetLength() <= 12)
        return Size(0, 0);
    return Size(CompactField(data, 9), CompactField(data, 11));
}

String StoreImageToString(const Image& img)
{
    Image copy(img); // shares the data; the callback wants a mutable Image
    StringStream s;
    StoreFramed(SerializeCallbackOf(&copy), s);
    return s.GetText();
}

bool LoadImageFromString(Image& img, const String& data)
{
    StringStream s(data);
    return LoadFramed(SerializeCallbackOf(&img), s);
}

} // namespace Qor
