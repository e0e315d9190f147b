// BMPEncoder: writes an image as a BMP file of 1, 4, 8, 16 (5-6-5), 24 or 32 bits per pixel.
#pragma once

#include "draw/raster/raster_encoder.h"

#include <memory>

namespace Qor {

class BMPEncoder : public StreamRasterEncoder {
public:
    // Bit counts other than 1, 4, 8, 16 and 32 write 24 bits; grey gives the palette
    // formats a grey ramp instead of a palette built from the image.
    explicit BMPEncoder(int bpp = 24, bool grey = false) : bpp(bpp), grey(grey) {}

    // 0 when grey or above 8 bits, else the palette size of the bit count.
    int GetPaletteCount() override;

protected:
    // Writes the headers and sizes the stream to the whole file.
    void StartOutput(Size sz) override;
    // Rows are stored bottom up: each line goes to its final place in the file.
    void WriteLineRaw(const byte* line) override;

private:
    int row_bytes = 0;
    int next_row = 0;
    int64 data_pos = 0;
    std::unique_ptr<byte[]> row;
    int line_bytes = 0;
    int bpp;
    bool grey;
};

} // namespace Qor
