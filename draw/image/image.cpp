// Image: shared data blocks with serial numbers, the kind scan, comparison and hashing.

#include "draw/image/image.h"

#include "foundation/hash.h"
#include "foundation/values/geometry.h"

#include <cstring>

namespace Qor {

namespace {

int64 last_serial = 0;

} // namespace

void Image::Set(PixelBuffer& b)
{
    data = nullptr;
    if(b.size.cx <= 0 || b.size.cy <= 0 || !b.pixels)
        return;
    data = new Data;
    data->refcount = 1;
    data->serial = ++last_serial;
    data->aux = 0;
    data->kind = b.kind;
    data->size = b.size;
    data->pixels = b.pixels;
    data->hotspot = b.hotspot;
    data->spot2 = b.spot2;
    data->dots = b.dots;
    data->held_only_by_cache = 0;
    b.pixels = nullptr;
}

void Image::Release()
{
    if(data && --data->refcount == 0) {
        delete[] data->pixels;
        delete data;
    }
    data = nullptr;
}

Image& Image::operator=(const Image& img)
{
    // The new reference first: assigning an Image to itself keeps its data.
    Data* d = img.data;
    if(d)
        d->refcount++;
    Release();
    data = d;
    return *this;
}

Image& Image::operator=(Image&& img) noexcept
{
    if(this != &img) {
        Release();
        data = img.data;
        img.data = nullptr;
    }
    return *this;
}

int Image::GetKind() const
{
    if(!data)
        return IMAGE_EMPTY;
    if(data->kind != IMAGE_UNKNOWN)
        return data->kind;
    bool seen_zero = false;
    bool seen_opaque = false;
    int kind = IMAGE_UNKNOWN;
    const RGBA* p = data->pixels;
    for(int64 i = 0, n = GetLength(); p && i < n; i++) {
        byte a = p[i].a;
        if(a == 0)
            seen_zero = true;
        else if(a == 255)
            seen_opaque = true;
        else {
            kind = IMAGE_ALPHA;
            break;
        }
    }
    if(kind == IMAGE_UNKNOWN)
        kind = !seen_opaque ? IMAGE_EMPTY : seen_zero ? IMAGE_MASK : IMAGE_OPAQUE;
    data->kind = kind;
    return kind;
}

bool Image::operator==(const Image& img) const
{
    int64 n = GetLength();
    if(n != img.GetLength())
        return false;
    if(n == 0 || data == img.data)
        return true;
    return std::memcmp(data->pixels, img.data->pixels, (size_t)n * sizeof(RGBA)) == 0;
}

uint32 Image::GetHashValue() const
{
    return HashBytes(GetPixels(), (size_t)GetLength() * sizeof(RGBA));
}

String Image::ToText() const
{
    String s("Image ");
    s.Append(SizeToText(GetSize()));
    return s;
}

Image Premultiply(const Image& img)
{
    int kind = img.GetKind();
    if(kind == IMAGE_EMPTY || kind == IMAGE_OPAQUE)
        return img;
    PixelBuffer b(img.GetWidth(), img.GetHeight());
    b.SetKind(PremultiplyPixels(b.Begin(), img.GetPixels(), (int)img.GetLength()));
    b.CopySpots(img);
    return Image(b);
}

} // namespace Qor
