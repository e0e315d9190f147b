// Reading the file and info headers of a BMP file with its palette or bit-field masks.

#include "draw/raster/bmp/bmp_header.h"

#include "draw/image/pixel_buffer.h"
#include "foundation/stream.h"

#include <cstdlib>
#include <cstring>

namespace Qor {

namespace {

constexpr int FILE_HEADER_SIZE = 14;
constexpr int INFO_HEADER_SIZE = 40;
// Later info headers carry the masks themselves, red, green and blue from byte 40 on.
constexpr uint32 HEADER_WITH_MASKS = 52;

uint16 Le16(const byte* p) { return (uint16)(p[0] | p[1] << 8); }

uint32 Le32(const byte* p) { return (uint32)p[0] | (uint32)p[1] << 8 | (uint32)p[2] << 16 | (uint32)p[3] << 24; }

bool ReadAll(Stream& s, void* data, int64 n) { return n >= 0 && s.Get(data, (uint32)n) == (uint32)n; }

void ReadMasks(const byte* p, uint32* masks)
{
    for(int i = 0; i < 3; i++)
        masks[i] = Le32(p + 4 * i);
}

bool IsKnownBitCount(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

} // namespace

bool SkipBmpBytes(Stream& s, int64 n)
{
    byte scratch[256];
    while(n > 0) {
        int64 m = n < (int64)sizeof(scratch) ? n : (int64)sizeof(scratch);
        if(!ReadAll(s, scratch, m))
            return false;
        n -= m;
    }
    return true;
}

bool ReadBmpHeader(Stream& s, BmpHeader& h, bool file_header)
{
    if(!s.IsOpen())
        return false;
    memset(&h, 0, sizeof(h));
    if(file_header) {
        byte fh[FILE_HEADER_SIZE];
        if(!ReadAll(s, fh, FILE_HEADER_SIZE) || fh[0] != 'B' || fh[1] != 'M')
            return false;
        h.data_offset = Le32(fh + 10);
    }

    byte ih[INFO_HEADER_SIZE];
    if(!ReadAll(s, ih, INFO_HEADER_SIZE))
        return false;
    h.size = Le32(ih);
    h.width = (int32)Le32(ih + 4);
    h.height = (int32)Le32(ih + 8);
    h.planes = Le16(ih + 12);
    h.bit_count = Le16(ih + 14);
    h.compression = Le32(ih + 16);
    h.image_size = Le32(ih + 20);
    h.x_pels_per_meter = (int32)Le32(ih + 24);
    h.y_pels_per_meter = (int32)Le32(ih + 28);
    h.colors_used = Le32(ih + 32);
    h.colors_important = Le32(ih + 36);
    if(h.size < INFO_HEADER_SIZE || !IsKnownBitCount(h.bit_count))
        return false;
    // The header record holds 256 palette entries, and every later allocation is sized
    // from these, so they are bounded before anything else is read.
    int64 cy = h.height < 0 ? -(int64)h.height : h.height;
    if(h.width <= 0 || cy == 0 || !IsValidImageSize(h.width, cy) || h.colors_used > 256)
        return false;
    if(h.image_size == 0) {
        if(h.compression != BMP_RGB)
            return false;
        int64 size = ((int64)h.bit_count * h.width + 31) / 32 * 4 * cy;
        h.image_size = size > UINT32_MAX ? UINT32_MAX : (uint32)size;
    }

    int64 rest = (int64)h.size - INFO_HEADER_SIZE;
    bool masks_in_header = h.size >= HEADER_WITH_MASKS;
    if(masks_in_header) {
        byte m[12];
        if(!ReadAll(s, m, sizeof(m)))
            return false;
        ReadMasks(m, h.masks);
        rest -= sizeof(m);
    }
    if(!SkipBmpBytes(s, rest))
        return false;

    if(h.bit_count <= 8) {
        int n = h.colors_used ? (int)h.colors_used : 1 << h.bit_count;
        if(!ReadAll(s, h.palette, 4 * n))
            return false;
    }
    else if(h.bit_count == 16 || h.bit_count == 32) {
        if(h.compression != BMP_RGB && h.compression != BMP_BITFIELDS)
            return false;
        if(h.compression == BMP_BITFIELDS && !masks_in_header) {
            byte m[12];
            if(!ReadAll(s, m, sizeof(m)))
                return false;
            ReadMasks(m, h.masks);
        }
    }
    if(h.bit_count > 8 && h.colors_used && !SkipBmpBytes(s, 4 * (int64)h.colors_used))
        return false;
    return true;
}

} // namespace Qor
