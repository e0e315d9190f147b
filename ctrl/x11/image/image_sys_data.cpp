// Cached server-side copies of images and their painting through Xrender.

#include "ctrl/x11/image/image_sys_data.h"

#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/draw/system_draw.h"
#include "ctrl/x11/image/x_picture_internal.h"
#include "draw/image_cache/made_image.h"

#include <X11/Xft/Xft.h>

#include <algorithm>

namespace Qor {

namespace {

constexpr int MAX_RECORDS = 1000;

// The picture painted once, straight from the pixels, and dropped again.
void PaintDirect(const Image& img, XPictureId dest, int x, int y)
{
    XPictureId p = CreateColorPicture(img, true);
    CompositePicture(p, 0, dest, 0, 0, x, y, img.GetWidth(), img.GetHeight());
    FreePicture(p);
}

} // namespace

ImageSysData::~ImageSysData()
{
    ForgetMadeImage(image);
    FreePicture(picture);
    FreePicture(mask);
}

int ImageSysDataMaker::Make(ImageSysData& object) const
{
    object.image = img;
    return (int)img.GetLength();
}

void ImageSysData::Paint(SystemDraw& w, int x, int y, const Rect& src, Color colour)
{
    XPictureId dest = w.GetXftDraw() ? XftDrawPicture(w.GetXftDraw()) : 0;
    if(!dest)
        return;
    Point offset = w.GetOffset();
    Rect sr;
    sr.left = std::max(src.left, 0);
    sr.top = std::max(src.top, 0);
    sr.right = std::max(std::min(src.right, image.GetWidth()), sr.left);
    sr.bottom = std::max(std::min(src.bottom, image.GetHeight()), sr.top);
    if(sr.IsEmpty())
        return;
    int kind = image.GetKind();
    if(kind == IMAGE_EMPTY)
        return;
    if(kind == IMAGE_OPAQUE && !colour.IsNullInstance()) {
        w.DrawRect(x, y, image.GetWidth(), image.GetHeight(), colour);
        return;
    }
    int dx = x + offset.x;
    int dy = y + offset.y;
    bool whole = sr == Rect(image.GetSize());
    // Pixels may have gone once the server held a copy; without one nothing can be sent.
    bool has_pixels = image.GetPixels() != nullptr;
    if(kind == IMAGE_OPAQUE && whole && paint_count == 0 && has_pixels) {
        PaintDirect(image, dest, dx, dy);
        paint_count = 1;
        return;
    }
    if(!colour.IsNullInstance()) {
        if(!mask && has_pixels)
            mask = CreateMaskPicture(image);
        if(mask)
            CompositePicture(GetSolidColorPicture(colour), mask, dest, sr.left, sr.top, dx, dy, sr.Width(),
                             sr.Height());
        return;
    }
    if(!picture && has_pixels) {
        picture = CreateColorPicture(image, kind == IMAGE_OPAQUE);
        ReleaseImagePixels(image);
    }
    if(picture)
        CompositePicture(picture, 0, dest, sr.left, sr.top, dx, dy, sr.Width(), sr.Height());
}

void ImageSysDataCache::DropUnheld()
{
    cache.RemoveIf([](const ImageSysData& r) { return r.image.GetRefCount() == 1; });
}

void ImageSysDataCache::ShrinkToLimits() { Shrink(4 * (int64)screen_size.cx * screen_size.cy, MAX_RECORDS); }

ImageSysDataCache& GetImageSysDataCache()
{
    static ImageSysDataCache cache;
    return cache;
}

} // namespace Qor
