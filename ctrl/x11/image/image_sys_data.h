// The server-side copies of drawn images: one record per image in a process-wide
// least-recently-used cache bounded by pixel count and entry count.
#pragma once

#include "ctrl/x11/image/x_picture_internal.h"
#include "draw/image/image.h"
#include "foundation/values/color.h"
#include "foundation/values/point.h"
#include "foundation/values/rect.h"

#include <list>
#include <unordered_map>

namespace Qor {

class SystemDraw;

struct ImageSysData {
    Image image;
    // 0 until made.
    XPictureId picture = 0;
    // The alpha bytes, for painting the image in one colour; 0 until made.
    XPictureId mask = 0;
    // First whole paints of an opaque image go to the server directly, uncached.
    int paint_count = 0;

    explicit ImageSysData(const Image& img) : image(img) {}
    ImageSysData(const ImageSysData&) = delete;
    ImageSysData& operator=(const ImageSysData&) = delete;
    // Frees the pictures while the display is open.
    ~ImageSysData();

    // Draws the src part of the image at (x, y) of w: in its own colours, or its shape in
    // colour when that is not Null.
    void Paint(SystemDraw& w, int x, int y, const Rect& src, Color colour);
};

class ImageSysDataCache {
public:
    // The record of the image's pixel data, made when missing; now the most recent.
    ImageSysData& Get(const Image& img);
    // Drops the least recently used records while there are more than max_count or their
    // pixels exceed max_cost.
    void Shrink(int64 max_cost, int max_count);
    // Shrinks to the limits for the default screen: 4 screens of pixels, 1000 records.
    void ShrinkToLimits();
    void Clear() { Shrink(-1, 0); }

    int GetCount() const { return (int)records.size(); }
    int64 GetCost() const { return cost; }
    bool Contains(const Image& img) const { return index.count(img.GetSerialId()) != 0; }
    // The serial of the least recently used record; 0 when empty.
    int64 GetOldestSerial() const { return records.empty() ? 0 : records.back().image.GetSerialId(); }

    ~ImageSysDataCache() { Clear(); }

private:
    std::list<ImageSysData> records;
    std::unordered_map<int64, std::list<ImageSysData>::iterator> index;
    int64 cost = 0;
};

ImageSysDataCache& GetImageSysDataCache();

} // namespace Qor
