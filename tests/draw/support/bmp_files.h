// BMP files assembled field by field, for headers and codes no writer at hand makes, and
// the header fields of a file read back.
#pragma once

#include "foundation/string.h"

#include <cstdint>
#include <string>
#include <vector>

namespace QorTest {

struct BmpFile {
    uint32_t header_size = 40;
    int32_t width = 1;
    int32_t height = 1;
    int bit_count = 24;
    uint32_t compression = 0;
    int64_t image_size = -1; // -1: the size of the pixel data
    int32_t x_ppm = 0, y_ppm = 0;
    uint32_t colors_used = 0;
    // Red, green, blue: inside the info header when it is 52 bytes or longer, else after it.
    std::vector<uint32_t> masks;
    // Blue, green, red, reserved per entry.
    std::vector<uint32_t> palette;
    // Bytes between the headers and the pixel data.
    std::string gap;
    // The file header's pixel-data offset; -1: where the pixels really start.
    int64_t data_offset = -1;
    std::string pixels;

    std::string Bytes() const;
    Qor::String Text() const;
};

// A palette entry as the file holds it.
uint32_t BmpEntry(int r, int g, int b);

// Header fields of BMP bytes.
struct BmpFields {
    uint32_t file_size, data_offset, header_size;
    int32_t width, height;
    int planes, bit_count;
    uint32_t compression, image_size, colors_used;
    int32_t x_ppm, y_ppm;
};
BmpFields ReadBmpFields(const std::string& bytes);

} // namespace QorTest
