// BMPRaster: the decoder of BMP files (1 to 32 bits per pixel, RLE8, RLE4, bit fields),
// the one raster format registered at start-up.
#pragma once

#include "draw/raster/stream_raster.h"

#include <memory>

namespace Qor {

class BMPRaster : public StreamRaster {
public:
    // Without a file header the stream starts at the info header.
    explicit BMPRaster(bool file_header = true);
    ~BMPRaster() override;

    // Reads the headers; RLE data is decoded here, uncompressed rows are read on demand.
    // Sets the error flag when it fails.
    bool Open() override;
    Size GetSize() override { return Size(width, height); }
    RasterInfo GetInfo() override { return info; }
    // Line 0 is the top of the image; a row that cannot be read comes out zero and sets
    // the error flag.
    RasterLine GetLine(int line) override;
    int GetPaletteCount() override { return format.GetPaletteCount(); }
    const RGBA* GetPalette() override { return palette.get(); }
    const PixelFormat* GetFormat() override { return &format; }

private:
    int width = 0;
    int height = 0;
    int row_bytes = 0;
    std::unique_ptr<RGBA[]> palette;
    bool top_down = false;
    int64 data_pos = 0;
    PixelFormat format;
    RasterInfo info;
    std::unique_ptr<Raster> decoded; // the image decoded from RLE data
    bool file_header;

    bool ReadFile();
};

// Adds BMP files to the formats StreamRaster tries.
void RegisterBmpRasterFormat();

} // namespace Qor
