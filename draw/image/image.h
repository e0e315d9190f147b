// Image: a handle to shared, read-only RGBA pixels with a hotspot, a second spot and a
// physical size in dots; copies share the data, so passing Images by value is cheap.
#pragma once

#include "draw/image/pixel_buffer.h"
#include "draw/image/rgba.h"
#include "draw/registrations.h"
#include "foundation/string.h"
#include "foundation/values/point.h"
#include "foundation/values/size.h"
#include "foundation/values/value.h"
#include "foundation/values/value_rep.h"

namespace Qor {

class Stream;

class Image {
public:
    // The shared block; immutable after creation except the kind cache, the auxiliary
    // value, the cache flag and the pixels an uploaded image may give up.
    struct Data {
        int32 refcount;
        int64 serial;
        int64 aux;
        int32 kind;
        Size size;
        RGBA* pixels;
        Point hotspot;
        Point spot2;
        Size dots;
        byte held_only_by_cache;
    };

    Image() = default;
    Image(const Image& img) : data(img.data) { if(data) data->refcount++; }
    Image(Image&& img) noexcept : data(img.data) { img.data = nullptr; }
    // Takes the buffer's pixels over; a buffer of width or height 0 gives the empty Image.
    Image(PixelBuffer& b) { Set(b); }
    Image(PixelBuffer&& b) { Set(b); }
    // A Null Value gives the empty Image; otherwise the Value holds an Image.
    Image(const Value& v);
    ~Image() { Release(); }

    Image& operator=(const Image& img);
    Image& operator=(Image&& img) noexcept;
    Image& operator=(PixelBuffer& b) { Release(); Set(b); return *this; }
    Image& operator=(PixelBuffer&& b) { Release(); Set(b); return *this; }
    void Assign(const Image& img) { *this = img; }
    void Assign(PixelBuffer& b) { *this = b; }
    void Clear() { Release(); }

    operator Value() const;

    Size GetSize() const { return data ? data->size : Size(0, 0); }
    int GetWidth() const { return data ? data->size.cx : 0; }
    int GetHeight() const { return data ? data->size.cy : 0; }
    int64 GetLength() const { return data ? (int64)data->size.cx * data->size.cy : 0; }
    bool IsEmpty() const { return data == nullptr; }
    const RGBA* GetPixels() const { return data ? data->pixels : nullptr; }
    const RGBA* operator[](int y) const { return data->pixels + (int64)y * data->size.cx; }
    Point GetHotSpot() const { return data ? data->hotspot : Point(0, 0); }
    Point GetSecondSpot() const { return data ? data->spot2 : Point(0, 0); }
    Size GetDots() const { return data ? data->dots : Size(0, 0); }
    // Scans the alphas once per data block; IMAGE_EMPTY for the empty Image.
    int GetKind() const;
    // Unique per data block: equal serials mean shared data. 0 for the empty Image.
    int64 GetSerialId() const { return data ? data->serial : 0; }
    int GetRefCount() const { return data ? data->refcount : 0; }

    // A slot for a back end; ignored by the empty Image, which reads 0.
    void SetAuxData(int64 v) { if(data) data->aux = v; }
    int64 GetAuxData() const { return data ? data->aux : 0; }

    // Same pixel count and the same pixel bytes; sizes and spots are not compared.
    bool operator==(const Image& img) const;
    bool operator!=(const Image& img) const { return !(*this == img); }
    // HashBytes over the pixel bytes.
    uint32 GetHashValue() const;
    // "Image (cx, cy)".
    String ToText() const;

    // The stream form in the stream's direction.
    void Serialize(Stream& s);

    // The shared block, for the back end and the image cache.
    Data* GetData() const { return data; }

private:
    Data* data = nullptr;

    void Set(PixelBuffer& b);
    void Release();

    friend class PixelBuffer;
};

Value ImageToValue(const Image& img);

// The same Image for kinds 1 and 4; otherwise premultiplied pixels with the source's spots.
Image Premultiply(const Image& img);

inline uint32 GetHashValue(const Image& img) { return img.GetHashValue(); }

// Value slots of RichValueRep<Image>.
bool IsNullValue(const Image& img);
inline uint32 ValueHash(const Image& img) { return img.GetHashValue(); }
inline bool ValueEquals(const Image& a, const Image& b) { return a == b; }
inline void ValueSerialize(Stream& s, Image& img) { img.Serialize(s); }
inline String ValueText(const Image& img) { return img.ToText(); }

template <>
struct ValueTypeNumberOf<Image> {
    static int Get() { return IMAGE_V; }
};

// Registers type 150 "Image" with its factory; called from the library's registration unit.
void RegisterImageValueType();

} // namespace Qor
