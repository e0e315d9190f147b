// PNG files decoded through gdk-pixbuf, so that images other programs put on the
// clipboard as "image/png" can be pasted.
#pragma once

#include "draw/raster/stream_raster.h"

#include <memory>

namespace Qor {

// The most pixels a PNG may declare; larger ones are refused before decoding.
inline constexpr int64 MAX_PNG_PIXELS = 8192 * 8192;

// Whether data starts as a PNG file whose declared size is acceptable: within
// MAX_PNG_PIXELS and no larger than its compressed data can hold. cx and cy receive it.
bool CheckPngHeader(const String& data, int& cx, int& cy);

class PngRaster : public StreamRaster {
public:
    // Reads the rest of the stream and decodes it; false for data that is no PNG, declares
    // an unacceptable size or does not decode to that size.
    bool Open() override;
    Size GetSize() override;
    RasterInfo GetInfo() override;
    RasterLine GetLine(int line) override;

private:
    std::unique_ptr<ImageRaster> decoded;
};

// Adds PNG files to the formats StreamRaster tries.
void RegisterPngRasterFormat();

} // namespace Qor
