// The server-side copies of drawn images: one record per image in a process-wide
// least-recently-used cache bounded by pixel count and entry count.
#pragma once

#include "draw/image/image.h"
#include "draw/image_cache/lru_cache.h"
#include "foundation/values/color.h"
#include "foundation/values/point.h"
#include "foundation/values/rect.h"

namespace Qor {

// Xrender's Picture, an X id (unsigned long on the client), without the X headers.
using XPictureId = unsigned long;

class SystemDraw;

struct ImageSysData {
    Image image;
    // 0 until made.
    XPictureId picture = 0;
    // The alpha bytes, for painting the image in one colour; 0 until made.
    XPictureId mask = 0;
    // First whole paints of an opaque image go to the server directly, uncached.
    int paint_count = 0;

    ImageSysData() = default;
    ImageSysData(const ImageSysData&) = delete;
    ImageSysData& operator=(const ImageSysData&) = delete;
    // Frees the pictures while the display is open and lets the made-image cache forget an
    // image whose only copy was on the server.
    ~ImageSysData();

    // Draws the src part of the image at (x, y) of w: in its own colours, or its shape in
    // colour when that is not Null.
    void Paint(SystemDraw& w, int x, int y, const Rect& src, Color colour);
};

// Describes the record of one image: keyed by its serial (0 for an empty image), costing
// its pixel count.
class ImageSysDataMaker : public LRUCache<ImageSysData, long long>::Maker {
public:
    explicit ImageSysDataMaker(const Image& img) : img(img) {}
    long long Key() const override { return img.GetSerialId(); }
    int Make(ImageSysData& object) const override;

private:
    const Image& img;
};

class ImageSysDataCache {
public:
    // The record of the image's pixel data, made when missing; now the most recent.
    ImageSysData& Get(const Image& img) { return cache.Get(ImageSysDataMaker(img)); }
    // Drops the records whose image the cache alone still holds: nothing can paint those
    // again (after a skin change, the looks of the earlier skin).
    void DropUnheld();
    // Drops the least recently used records while there are more than max_count or their
    // pixels exceed max_cost.
    void Shrink(int64 max_cost, int max_count) { cache.Shrink(max_cost, max_count); }
    // Shrinks to the limits for the default screen: 4 screens of pixels, 1000 records.
    void ShrinkToLimits();
    void Clear() { cache.Clear(); }

    int GetCount() const { return cache.GetCount(); }
    int64 GetCost() const { return cache.GetTotalCost(); }
    bool Contains(const Image& img) const { return cache.Contains(ImageSysDataMaker(img)); }
    // The serial of the least recently used record; 0 when empty.
    int64 GetOldestSerial() const
    {
        const ImageSysData* r = cache.GetLeastRecent();
        return r ? r->image.GetSerialId() : 0;
    }

private:
    LRUCache<ImageSysData, long long> cache;
};

ImageSysDataCache& GetImageSysDataCache();

} // namespace Qor
