// BMP file bytes for tests, and their header fields.

#include "tests/draw/support/bmp_files.h"

namespace QorTest {

namespace {

void Put16(std::string& s, uint32_t v)
{
    s += (char)(v & 255);
    s += (char)(v >> 8 & 255);
}

void Put32(std::string& s, uint32_t v)
{
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

uint32_t Get32(const std::string& s, size_t at)
{
    uint32_t v = 0;
    for(int i = 3; i >= 0; i--)
        v = v << 8 | (uint8_t)s.at(at + i);
    return v;
}

} // namespace

uint32_t BmpEntry(int r, int g, int b) { return (uint32_t)b | (uint32_t)g << 8 | (uint32_t)r << 16; }

std::string BmpFile::Bytes() const
{
    std::string info;
    Put32(info, header_size);
    Put32(info, (uint32_t)width);
    Put32(info, (uint32_t)height);
    Put16(info, 1);
    Put16(info, bit_count);
    Put32(info, compression);
    Put32(info, image_size >= 0 ? (uint32_t)image_size : (uint32_t)pixels.size());
    Put32(info, (uint32_t)x_ppm);
    Put32(info, (uint32_t)y_ppm);
    Put32(info, colors_used);
    Put32(info, 0);
    bool inside = header_size >= 52;
    if(inside)
        for(uint32_t m : masks)
            Put32(info, m);
    while(info.size() < header_size)
        info += '\0';
    if(!inside)
        for(uint32_t m : masks)
            Put32(info, m);
    for(uint32_t e : palette)
        Put32(info, e);
    info += gap;

    std::string file = "BM";
    uint32_t offset = data_offset >= 0 ? (uint32_t)data_offset : (uint32_t)(14 + info.size());
    Put32(file, (uint32_t)(14 + info.size() + pixels.size()));
    Put32(file, 0);
    Put32(file, offset);
    return file + info + pixels;
}

Qor::String BmpFile::Text() const
{
    std::string b = Bytes();
    return Qor::String(b.data(), (int)b.size());
}

BmpFields ReadBmpFields(const std::string& s)
{
    BmpFields f;
    f.file_size = Get32(s, 2);
    f.data_offset = Get32(s, 10);
    f.header_size = Get32(s, 14);
    f.width = (int32_t)Get32(s, 18);
    f.height = (int32_t)Get32(s, 22);
    f.planes = (int)(Get32(s, 26) & 0xFFFF);
    f.bit_count = (int)(Get32(s, 26) >> 16);
    f.compression = Get32(s, 30);
    f.image_size = Get32(s, 34);
    f.x_ppm = (int32_t)Get32(s, 38);
    f.y_ppm = (int32_t)Get32(s, 42);
    f.colors_used = Get32(s, 46);
    return f;
}

} // namespace QorTest
