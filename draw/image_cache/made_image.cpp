// The made-image cache: a hashed key list with a ring of entries in use order, its phases
// and limit, the pixel release for uploaded images, and the two makers of this library.

#include "draw/image_cache/made_image.h"

#include "draw/rescale/kernel_rescale.h"
#include "draw/rescale/rescaler.h"
#include "foundation/key_index.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <vector>

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
    void Recount();
    void Forget(const Image& img);
    void Reset();
    MadeImageCacheStats Stats() const { return { count, total, limit, made, reused }; }
    bool IsTornDown() const { return torn_down; }

private:
    struct Entry {
        int prev = -1, next = -1;
        int cost = 0;
        std::unique_ptr<Image> image;
        byte phase = 0;
    };
    KeyIndex<String> keys;
    std::vector<Entry> entries;
    int head = -1;
    int64 total = 0;
    int count = 0;
    int reused = 0, made = 0;
    byte phase = 0;
    int limit = 0;
    bool torn_down = false;

    void Unlink(int i);
    void LinkAsHead(int i);
    void Remove(int i);
    void Shrink();
};

void MadeImageCache::Unlink(int i)
{
    Entry& e = entries[i];
    if(e.next == i)
        head = -1;
    else {
        entries[e.prev].next = e.next;
        entries[e.next].prev = e.prev;
        if(head == i)
            head = e.next;
    }
    count--;
}

void MadeImageCache::LinkAsHead(int i)
{
    Entry& e = entries[i];
    if(head < 0)
        e.prev = e.next = i;
    else {
        Entry& h = entries[head];
        e.next = head;
        e.prev = h.prev;
        entries[h.prev].next = i;
        h.prev = i;
    }
    head = i;
    count++;
}

void MadeImageCache::Remove(int i)
{
    total -= entries[i].cost;
    entries[i].image.reset();
    Unlink(i);
    keys.Unlink(i);
}

void MadeImageCache::Shrink()
{
    if(limit < 0)
        return;
    while((count > MAX_ENTRIES || total > limit) && head >= 0)
        Remove(entries[head].prev);
}

Image MadeImageCache::Lookup(const ImageMaker& maker, bool paint_only)
{
    Shrink();
    String key = maker.GetKey();
    int i = keys.Find(key);
    if(i < 0) {
        i = keys.Put(key);
        if(i >= (int)entries.size())
            entries.resize(i + 1);
        Entry& e = entries[i];
        e.image.reset(new Image(maker.Make()));
        e.cost = ImageCost(*e.image);
        Image::Data* d = e.image->GetData();
        if(paint_only && d)
            d->held_only_by_cache = d->refcount == 1;
        total += e.cost;
        made += e.cost;
        e.phase = phase;
    }
    else {
        Unlink(i);
        Entry& e = entries[i];
        if(e.phase != phase) {
            e.phase = phase;
            reused += e.cost;
        }
    }
    LinkAsHead(i);
    Image result = *entries[i].image;
    limit = std::max(limit, (int)std::min<int64>(MAX_LIMIT, 3 * ((int64)made + reused)));
    return result;
}

void MadeImageCache::Recount()
{
    count = total = 0;
    if(head < 0)
        return;
    int i = head;
    do {
        Entry& e = entries[i];
        e.cost = ImageCost(*e.image);
        total += e.cost;
        count++;
        i = e.next;
    } while(i != head);
}

void MadeImageCache::Forget(const Image& img)
{
    if(head < 0)
        return;
    int64 serial = img.GetSerialId();
    int i = head;
    do {
        if(entries[i].image->GetSerialId() == serial) {
            Remove(i);
            return;
        }
        i = entries[i].next;
    } while(i != head);
}

void MadeImageCache::Reset()
{
    while(head >= 0)
        Remove(head);
    limit = 0;
    reused = made = 0;
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
