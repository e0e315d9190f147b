// Raster: a line-by-line image source (a file being decoded or an Image in memory), its
// lines in the source's own pixel format with RGBA made on demand, and ImageRaster.
#pragma once

#include "draw/image/image.h"
#include "draw/image/pixel_format.h"
#include "foundation/callback.h"
#include "foundation/values/point.h"
#include "foundation/values/rect.h"
#include "foundation/values/size.h"

namespace Qor {

class Raster;

struct RasterInfo {
    int bpp = 32;
    int colors = 16777216;
    // Physical size in 1/600 inch; 0, 0 when unknown.
    Size dots;
    Point hotspot;
    // As the kind of an Image.
    int kind = IMAGE_ALPHA;
};

// One line of a raster. The line frees the blocks it owns (both are HeapAllocate blocks);
// moving a line hands them over and leaves the source owning nothing.
class RasterLine {
public:
    RasterLine() = default;
    // Without data, RGBA is made from the format data on the first GetRGBA.
    RasterLine(Raster* raster, const RGBA* data, const byte* format_data, bool data_owned,
               bool format_data_owned);
    RasterLine(RasterLine&& line) noexcept;
    RasterLine& operator=(RasterLine&& line) noexcept;
    RasterLine(const RasterLine&) = delete;
    RasterLine& operator=(const RasterLine&) = delete;
    ~RasterLine();

    // Points the RGBA data at the format data when the raster's lines are RGBA already,
    // else converts the format data into an owned block of the raster's width.
    void MakeRGBA();
    const RGBA* GetRGBA() { if(!data) MakeRGBA(); return data; }
    const RGBA* GetData() const { return data; }
    const byte* GetFormatData() const { return format_data; }
    Raster* GetRaster() const { return raster; }
    bool IsDataOwned() const { return data_owned; }

private:
    const RGBA* data = nullptr;
    const byte* format_data = nullptr;
    Raster* raster = nullptr;
    bool data_owned = false;
    bool format_data_owned = false;

    void Free();
};

class Raster {
public:
    // Pages: every raster of this system has one and keeps these.
    virtual void SeekPage(int page);
    virtual int GetActivePage();
    virtual int GetPageCount();
    virtual int PageQueryA();
    virtual int PageQueryB();
    virtual Rect GetPageRect();
    virtual int PageQueryC();

    virtual bool Open();
    virtual Size GetSize() = 0;
    virtual RasterInfo GetInfo();
    virtual RasterLine GetLine(int line) = 0;
    virtual bool IsError();
    virtual int GetPaletteCount();
    virtual const RGBA* GetPalette();
    // Null when lines are RGBA already.
    virtual const PixelFormat* GetFormat();
    virtual ~Raster() = default;

    // The rectangle clipped to the raster; a progress test (line, count) that answers
    // true cancels with the empty Image, as does a raster in error at the end.
    Image GetImageRect(int x, int y, int cx, int cy, BoolCallback2<int, int> progress = {});
    Image GetImage(BoolCallback2<int, int> progress = {});
};

// The rows of an Image handed out without copying or conversion.
class ImageRaster : public Raster {
public:
    explicit ImageRaster(const Image& image) : image(image) {}

    Size GetSize() override;
    RasterInfo GetInfo() override;
    RasterLine GetLine(int line) override;

private:
    Image image;
};

} // namespace Qor
