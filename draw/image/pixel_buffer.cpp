// PixelBuffer: creation with bounded sizes, taking Images apart, premultiplication in place.

#include "draw/image/pixel_buffer.h"

#include "draw/image/image.h"

#include <algorithm>
#include <cstring>

namespace Qor {

bool IsValidImageSize(int64 cx, int64 cy)
{
    // Each factor is bounded first, so the product cannot overflow.
    return cx > 0 && cy > 0 && cx <= MAX_IMAGE_PIXELS && cy <= MAX_IMAGE_PIXELS && cx * cy <= MAX_IMAGE_PIXELS;
}

PixelBuffer::PixelBuffer(PixelBuffer&& b) noexcept
    : kind(b.kind), size(b.size), pixels(b.pixels), hotspot(b.hotspot), spot2(b.spot2), dots(b.dots)
{
    b.pixels = nullptr;
    b.size = Size(0, 0);
}

PixelBuffer& PixelBuffer::operator=(PixelBuffer&& b) noexcept
{
    if(this != &b) {
        delete[] pixels;
        kind = b.kind;
        size = b.size;
        pixels = b.pixels;
        hotspot = b.hotspot;
        spot2 = b.spot2;
        dots = b.dots;
        b.pixels = nullptr;
        b.size = Size(0, 0);
    }
    return *this;
}

void PixelBuffer::Create(int cx, int cy)
{
    delete[] pixels;
    pixels = nullptr;
    kind = IMAGE_UNKNOWN;
    hotspot = spot2 = Point(0, 0);
    dots = Size(0, 0);
    if(IsValidImageSize(cx, cy)) {
        size = Size(cx, cy);
        pixels = new RGBA[(size_t)cx * cy];
    }
    else if((cx == 0 || cy == 0) && cx >= 0 && cy >= 0 && std::max(cx, cy) <= MAX_IMAGE_PIXELS)
        size = Size(cx, cy); // no rows or no columns: the size is kept, there are no pixels
    else                     // a negative or unaffordable size: nothing to write into
        size = Size(0, 0);
}

void PixelBuffer::Clear()
{
    delete[] pixels;
    pixels = nullptr;
    size = Size(0, 0);
}

void PixelBuffer::AssignFromImage(Image& img)
{
    delete[] pixels;
    pixels = nullptr;
    kind = IMAGE_UNKNOWN;
    Image::Data* d = img.data;
    if(!d) {
        size = Size(0, 0);
        hotspot = spot2 = Point(0, 0);
        dots = Size(0, 0);
        return;
    }
    size = d->size;
    hotspot = d->hotspot;
    spot2 = d->spot2;
    dots = d->dots;
    if(d->refcount == 1) {
        pixels = d->pixels;
        d->pixels = nullptr;
    }
    else {
        size_t n = (size_t)size.cx * size.cy;
        pixels = new RGBA[n];
        std::memcpy((void*)pixels, d->pixels, n * sizeof(RGBA));
    }
    img.Release();
}

void PixelBuffer::CopySpots(const Image& img)
{
    hotspot = img.GetHotSpot();
    spot2 = img.GetSecondSpot();
}

void PixelBuffer::Premultiply()
{
    if(kind != IMAGE_EMPTY && kind != IMAGE_OPAQUE && pixels)
        PremultiplyPixels(pixels, pixels, (int)GetLength());
}

void PixelBuffer::Unmultiply()
{
    if(kind != IMAGE_EMPTY && kind != IMAGE_OPAQUE && pixels)
        UnmultiplyPixels(pixels, pixels, (int)GetLength());
}

} // namespace Qor
