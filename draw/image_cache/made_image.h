// The made-image cache: derived images described by an ImageMaker, kept in one
// process-wide least-recently-used cache whose limit follows the use per event-loop turn.
#pragma once

#include "draw/image/image.h"
#include "foundation/string.h"
#include "foundation/values/rect.h"
#include "foundation/values/size.h"

namespace Qor {

class ImageMaker {
public:
    // Identifies the image to be made: equal keys must mean equal images.
    virtual String GetKey() const = 0;
    virtual Image Make() const = 0;
    virtual ~ImageMaker() = default;
};

// Appends the low bytes of v, least significant first: the pieces of a maker's key.
void AppendLittleEndian(String& s, int64 v, int bytes);

// A function applied to an Image, once per image serial and function.
class SimpleImageMaker : public ImageMaker {
public:
    using Function = Image (*)(const Image&);
    SimpleImageMaker(Function make, const Image& img) : make(make), image(img) {}
    String GetKey() const override;
    Image Make() const override;

private:
    Function make;
    Image image;
};

// A rescale of part of an image; a Null (int minimum) filter is the box rescaler.
class sCachedRescale : public ImageMaker {
public:
    sCachedRescale(const Rect& source, Size target, const Image& img, int filter)
        : source(source), target(target), image(img), filter(filter)
    {}
    String GetKey() const override;
    Image Make() const override;

private:
    Rect source;
    Size target;
    Image image;
    int32 filter;
};

Image GetMadeImage(const ImageMaker& maker);
// As GetMadeImage; a new image only the cache holds is flagged so the uploader may drop its pixels.
Image GetMadeImageForPainting(const ImageMaker& maker);
Image GetMadeImage(const Image& img, SimpleImageMaker::Function make);
// The image itself at its own size; without a filter (Null), the box rescale.
Image CachedRescale(const Image& img, Size size, int filter = INT_NULL);

// Every event-loop turn starts a phase; the limit follows the cost made or reused in one.
void StartImageCachePhase();
// Frees the pixels of an image only the cache holds; size, kind and serial stay.
void ReleaseImagePixels(const Image& img);
// Drops the cache entry of an image whose pixels were released.
void ForgetMadeImage(const Image& img);

// What the cache holds, for tests and diagnostics.
struct MadeImageCacheStats {
    int count;
    int64 total_cost;
    int limit;
    int made_cost;
    int reused_cost;
};
MadeImageCacheStats GetMadeImageCacheStats();
// Empties the cache and sets its limit back to 0 (tests start from a known state).
void ResetMadeImageCache();

} // namespace Qor
