// The made-image cache: made images in a least-recently-used cache, its phases and limit,
// the pixel release for uploaded images, and the two makers of this library.

#include "draw/image_cache/made_image.h"

#include "draw/image_cache/lru_cache.h"
#include "draw/rescale/kernel_rescale.h"
#include "draw/rescale/rescaler.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace Qor {

namespace {

enum { MAX_ENTRIES = 2000, MAX_LIMIT = 1000000, ENTRY_COST = 100 };

int ImageCost(const Image& img)
{
    const Image::Data* d = img.GetData();
    if(!d || !d->pixels)
        return ENTRY_COST;
    return (int)(ENTRY_COST + img.GetLength());
}

// A made image and the phase in which it was last made or reused.
struct MadeEntry {
    Image image;
    byte phase = 0;
};

// Adapts an ImageMaker to the cache: every image maker is of this one kind, so the key
// String alone tells the entries apart.
class scImageMaker : public LRUCache<MadeEntry, String>::Maker {
public:
    scImageMaker(const ImageMaker& maker, bool paint_only, byte phase)
        : maker(maker), paint_only(paint_only), phase(phase)
    {}
    String Key() const override { return maker.GetKey(); }
    int Make(MadeEntry& e) const override
    {
        e.image = maker.Make();
        e.phase = phase;
        Image::Data* d = e.image.GetData();
        if(paint_only && d)
            d->held_only_by_cache = d->refcount == 1;
        return ImageCost(e.image);
    }

private:
    const ImageMaker& maker;
    bool paint_only;
    byte phase;
};

class MadeImageCache {
public:
    MadeImageCache() { phase ^= 1; }
    ~MadeImageCache() { torn_down = true; }

    Image Lookup(const ImageMaker& maker, bool paint_only);
    void StartPhase()
    {
        phase ^= 1;
        reused = made = 0;
    }
    void Recount()
    {
        cache.Recount([](const MadeEntry& e) { return ImageCost(e.image); });
    }
    void Forget(const Image& img)
    {
        int64 serial = img.GetSerialId();
        cache.RemoveFirst([&](const MadeEntry& e) { return e.image.GetSerialId() == serial; });
    }
    void Reset()
    {
        cache.Clear();
        limit = 0;
        reused = made = 0;
    }
    MadeImageCacheStats Stats() const { return { cache.GetCount(), cache.GetTotalCost(), limit, made, reused }; }
    bool IsTornDown() const { return torn_down; }

private:
    LRUCache<MadeEntry, String> cache;
    int reused = 0, made = 0;
    byte phase = 0;
    int limit = 0;
    bool torn_down = false;
};

Image MadeImageCache::Lookup(const ImageMaker& maker, bool paint_only)
{
    cache.Shrink(limit, MAX_ENTRIES);
    bool is_new = false;
    MadeEntry& e = cache.Get(scImageMaker(maker, paint_only, phase), &is_new);
    int cost = ImageCost(e.image);
    if(is_new)
        made += cost;
    else if(e.phase != phase) {
        e.phase = phase;
        reused += cost;
    }
    Image result = e.image;
    limit = std::max(limit, (int)std::min<int64>(MAX_LIMIT, 3 * ((int64)made + reused)));
    return result;
}

MadeImageCache& TheCache()
{
    static MadeImageCache cache;
    return cache;
}

} // namespace

void AppendLittleEndian(String& s, int64 v, int bytes)
{
    for(int i = 0; i < bytes; i++)
        s.AppendChar((byte)(v >> (8 * i)));
}

String SimpleImageMaker::GetKey() const
{
    String key;
    AppendLittleEndian(key, image.GetSerialId(), 8);
    AppendLittleEndian(key, (int64)(std::uintptr_t)make, 8);
    return key;
}

Image SimpleImageMaker::Make() const { return make(image); }

String sCachedRescale::GetKey() const
{
    String key;
    for(int v : { source.left, source.top, source.right, source.bottom, target.cx, target.cy })
        AppendLittleEndian(key, v, 4);
    AppendLittleEndian(key, image.GetSerialId(), 8);
    AppendLittleEndian(key, filter, 4);
    return key;
}

Image sCachedRescale::Make() const
{
    if(filter == INT_MIN)
        return RescaleImage(image, target, source);
    Image out;
    RescaleFiltered(out, image, target, source, filter);
    return out;
}

Image GetMadeImage(const ImageMaker& maker) { return TheCache().Lookup(maker, false); }

Image GetMadeImageForPainting(const ImageMaker& maker) { return TheCache().Lookup(maker, true); }

Image GetMadeImage(const Image& img, SimpleImageMaker::Function make)
{
    return GetMadeImage(SimpleImageMaker(make, img));
}

Image CachedRescale(const Image& img, Size size, int filter)
{
    if(size == img.GetSize())
        return img;
    return GetMadeImage(sCachedRescale(Rect(img.GetSize()), size, img, filter));
}

void StartImageCachePhase() { TheCache().StartPhase(); }

void ReleaseImagePixels(const Image& img)
{
    MadeImageCache& cache = TheCache();
    Image::Data* d = img.GetData();
    if(cache.IsTornDown() || !d || !d->held_only_by_cache || !d->pixels)
        return;
    img.GetKind(); // the kind is kept, so it is known before the pixels go
    delete[] d->pixels;
    d->pixels = nullptr;
    cache.Recount();
}

void ForgetMadeImage(const Image& img)
{
    MadeImageCache& cache = TheCache();
    if(cache.IsTornDown() || img.GetPixels())
        return;
    cache.Forget(img);
}

MadeImageCacheStats GetMadeImageCacheStats() { return TheCache().Stats(); }

void ResetMadeImageCache() { TheCache().Reset(); }

} // namespace Qor
