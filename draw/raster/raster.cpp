// Raster defaults, RasterLine ownership and conversion, GetImageRect and ImageRaster.

#include "draw/raster/raster.h"

#include "foundation/heap.h"

#include <algorithm>
#include <cstring>

namespace Qor {

RasterLine::RasterLine(Raster* raster, const RGBA* data, const byte* format_data, bool data_owned,
                       bool format_data_owned)
    : data(data), format_data(format_data), raster(raster), data_owned(data_owned),
      format_data_owned(format_data_owned)
{
}

RasterLine::RasterLine(RasterLine&& line) noexcept
    : data(line.data), format_data(line.format_data), raster(line.raster), data_owned(line.data_owned),
      format_data_owned(line.format_data_owned)
{
    line.data_owned = line.format_data_owned = false;
}

RasterLine& RasterLine::operator=(RasterLine&& line) noexcept
{
    if(this != &line) {
        Free();
        data = line.data;
        format_data = line.format_data;
        raster = line.raster;
        data_owned = line.data_owned;
        format_data_owned = line.format_data_owned;
        line.data_owned = line.format_data_owned = false;
    }
    return *this;
}

RasterLine::~RasterLine()
{
    Free();
}

void RasterLine::Free()
{
    if(data_owned)
        HeapRelease(const_cast<RGBA*>(data));
    if(format_data_owned)
        HeapRelease(const_cast<byte*>(format_data));
    data_owned = format_data_owned = false;
}

void RasterLine::MakeRGBA()
{
    const PixelFormat* format = raster ? raster->GetFormat() : nullptr;
    if(!format) {
        data = (const RGBA*)format_data;
        return;
    }
    int width = std::max(raster->GetSize().cx, 0);
    RGBA* converted = (RGBA*)HeapAllocate((size_t)width * sizeof(RGBA));
    format->ReadLine(converted, format_data, width, raster->GetPalette());
    if(data_owned)
        HeapRelease(const_cast<RGBA*>(data));
    data = converted;
    data_owned = true;
}

void Raster::SeekPage(int) {}
int Raster::GetActivePage() { return 0; }
int Raster::GetPageCount() { return 1; }
int Raster::PageQueryA() { return 0; }
int Raster::PageQueryB() { return 0; }
int Raster::PageQueryC() { return 0; }
bool Raster::Open() { return true; }
RasterInfo Raster::GetInfo() { return RasterInfo(); }
bool Raster::IsError() { return false; }
int Raster::GetPaletteCount() { return 0; }
const RGBA* Raster::GetPalette() { return nullptr; }
const PixelFormat* Raster::GetFormat() { return nullptr; }

Rect Raster::GetPageRect()
{
    Size size = GetSize();
    return Rect(0, 0, size.cx, size.cy);
}

Image Raster::GetImageRect(int x, int y, int cx, int cy, BoolCallback2<int, int> progress)
{
    Size size = GetSize();
    // In 64 bits: an origin near the int limit plus a large extent must not wrap.
    int x0 = std::clamp(x, 0, std::max(size.cx, 0));
    int y0 = std::clamp(y, 0, std::max(size.cy, 0));
    int x1 = (int)std::min<int64>(size.cx, std::max<int64>(x0, (int64)x0 + cx));
    int y1 = (int)std::min<int64>(size.cy, std::max<int64>(y0, (int64)y0 + cy));
    int w = x1 - x0, h = y1 - y0;
    if(progress.IsTrue())
        return Image();
    PixelBuffer buffer(w, h);
    // Nothing to copy, or a size beyond what memory can hold (a damaged file header).
    if(buffer.IsEmpty())
        return Image();
    for(int i = 0; i < h; i++) {
        if(progress && progress(i, h))
            return Image();
        RasterLine line = GetLine(y0 + i);
        const RGBA* data = line.GetRGBA();
        if(data)
            memcpy(buffer[i], data + x0, (size_t)w * sizeof(RGBA));
        else
            memset(buffer[i], 0, (size_t)w * sizeof(RGBA));
    }
    RasterInfo info = GetInfo();
    buffer.SetHotSpot(Point(info.hotspot.x - x0, info.hotspot.y - y0));
    if(size.cx && size.cy)
        buffer.SetDots(Size((int)((int64)w * info.dots.cx / size.cx), (int)((int64)h * info.dots.cy / size.cy)));
    if(IsError())
        return Image();
    return Image(buffer);
}

Image Raster::GetImage(BoolCallback2<int, int> progress)
{
    Size size = GetSize();
    return GetImageRect(0, 0, size.cx, size.cy, progress);
}

Size ImageRaster::GetSize()
{
    return image.GetSize();
}

RasterInfo ImageRaster::GetInfo()
{
    RasterInfo info;
    info.dots = image.GetDots();
    info.hotspot = image.GetHotSpot();
    info.kind = image.GetKind();
    return info;
}

RasterLine ImageRaster::GetLine(int line)
{
    const RGBA* row = image.GetPixels() + (size_t)line * image.GetWidth();
    return RasterLine(this, row, (const byte*)row, false, false);
}

} // namespace Qor
