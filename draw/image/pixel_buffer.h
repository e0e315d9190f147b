// PixelBuffer: the writable, never shared pixel array from which an Image is made.
#pragma once

#include "draw/image/rgba.h"
#include "draw/registrations.h"
#include "foundation/values/point.h"
#include "foundation/values/rect.h"
#include "foundation/values/size.h"

namespace Qor {

class Image;

// The most pixels one image may hold: every byte count of a pixel block fits an int.
inline constexpr int64 MAX_IMAGE_PIXELS = 0x7FFFFFFF / 4;

// True when cx × cy pixels form an allowed, non-empty block.
bool IsValidImageSize(int64 cx, int64 cy);

class PixelBuffer {
public:
    PixelBuffer() = default;
    PixelBuffer(int cx, int cy) { Create(cx, cy); }
    // Takes the Image apart (see AssignFromImage).
    explicit PixelBuffer(Image& img) { AssignFromImage(img); }
    PixelBuffer(PixelBuffer&& b) noexcept;
    PixelBuffer& operator=(PixelBuffer&& b) noexcept;
    PixelBuffer(const PixelBuffer&) = delete;
    PixelBuffer& operator=(const PixelBuffer&) = delete;
    ~PixelBuffer() { Clear(); }

    // cx × cy uninitialised pixels; kind, spots and dots 0. A size that is negative or too
    // large for memory gives an empty buffer instead.
    void Create(int cx, int cy);
    void Create(Size sz) { Create(sz.cx, sz.cy); }
    // Frees the pixels; the size becomes 0, 0.
    void Clear();
    // Moves the pixels out of an Image nobody else holds, copies them otherwise; the Image
    // is left empty either way.
    void AssignFromImage(Image& img);
    // Copies the Image's hotspot and second spot.
    void CopySpots(const Image& img);

    // Draws the source part of the image over the buffer at p, clipped to both.
    void BlendImage(Point p, const Image& img, const Rect& source);

    // Premultiplies (or undoes it) unless the kind says there is nothing to do.
    void Premultiply();
    void Unmultiply();

    int GetWidth() const { return size.cx; }
    int GetHeight() const { return size.cy; }
    Size GetSize() const { return size; }
    int64 GetLength() const { return (int64)size.cx * size.cy; }
    bool IsEmpty() const { return pixels == nullptr; }

    RGBA* Begin() { return pixels; }
    const RGBA* Begin() const { return pixels; }
    RGBA* End() { return pixels + GetLength(); }
    const RGBA* End() const { return pixels + GetLength(); }
    RGBA* operator[](int y) { return pixels + (int64)y * size.cx; }
    const RGBA* operator[](int y) const { return pixels + (int64)y * size.cx; }

    int GetKind() const { return kind; }
    void SetKind(int k) { kind = k; }
    Point GetHotSpot() const { return hotspot; }
    void SetHotSpot(Point p) { hotspot = p; }
    Point GetSecondSpot() const { return spot2; }
    void SetSecondSpot(Point p) { spot2 = p; }
    Size GetDots() const { return dots; }
    void SetDots(Size sz) { dots = sz; }

private:
    int kind = IMAGE_UNKNOWN;
    Size size;
    RGBA* pixels = nullptr;
    Point hotspot;
    Point spot2;
    Size dots;

    friend class Image;
};

} // namespace Qor
