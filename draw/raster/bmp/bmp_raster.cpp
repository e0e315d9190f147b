// BMPRaster: pixel formats and palettes from the headers, where the pixel data lies,
// and rows read from the stream or from the image decoded from RLE data.

#include "draw/raster/bmp/bmp_raster.h"

#include "draw/raster/bmp/bmp_header.h"
#include "draw/raster/bmp/bmp_rle_internal.h"
#include "foundation/heap.h"
#include "foundation/numeric.h"
#include "foundation/stream.h"

#include <algorithm>
#include <cstring>

namespace Qor {

namespace {

// Dots (1/600 inch) in a metre.
constexpr double DOTS_PER_METER = 23622.047244094487;
constexpr int FILE_HEADER_SIZE = 14;

// A run codes at most 255 pixels in two bytes; only skips (deltas, an early end) reach
// further. So RLE data claiming several times more pixels than runs could code is
// refused before the image is allocated, beyond an allowance for images left mostly blank.
constexpr int64 RLE_PIXELS_PER_BYTE = 512;
constexpr int64 RLE_PIXELS_FREE = 1 << 20;

void SetFormat(PixelFormat& f, const BmpHeader& h)
{
    bool fields = h.compression == BMP_BITFIELDS;
    switch(h.bit_count) {
    case 1:
        f.code = PixelFormat::PAL1 | PixelFormat::HIGH_FIRST;
        break;
    case 4:
        f.code = PixelFormat::PAL4 | PixelFormat::HIGH_FIRST;
        break;
    case 8:
        f.code = PixelFormat::PAL8;
        break;
    case 16:
        if(fields)
            f.Set16(h.masks[0], h.masks[1], h.masks[2]);
        else
            f.Set16(0x7C00, 0x03E0, 0x001F);
        break;
    case 24:
        f.Set24(0xFF0000, 0xFF00, 0xFF);
        break;
    default:
        if(fields)
            f.Set32(h.masks[0], h.masks[1], h.masks[2], 0);
        else
            f.Set32(0xFF0000, 0xFF00, 0xFF, 0);
        break;
    }
}

int Dots(int pixels, int32 pels_per_meter) { return RoundToInt(pixels * DOTS_PER_METER / pels_per_meter); }

} // namespace

BMPRaster::BMPRaster(bool file_header) : file_header(file_header)
{
    info.bpp = 24;
    info.kind = IMAGE_OPAQUE;
}

BMPRaster::~BMPRaster() = default;

bool BMPRaster::Open()
{
    bool ok = ReadFile();
    error = !ok;
    return ok;
}

bool BMPRaster::ReadFile()
{
    width = height = 0;
    decoded.reset();
    BmpHeader h;
    int64 start = stream ? stream->GetPos() : 0;
    if(!stream || !ReadBmpHeader(*stream, h, file_header))
        return false;
    Stream& s = *stream;
    SetFormat(format, h);
    palette.reset();
    if(h.bit_count <= 8) {
        int n = 1 << h.bit_count;
        palette.reset(new RGBA[n]);
        for(int i = 0; i < n; i++)
            palette[i] = RGBA{ h.palette[i][0], h.palette[i][1], h.palette[i][2], 255 };
    }

    width = h.width;
    top_down = h.height < 0;
    height = top_down ? -h.height : h.height;
    info = RasterInfo();
    info.bpp = h.bit_count;
    info.colors = format.GetColorCount();
    info.kind = IMAGE_OPAQUE;
    if(h.x_pels_per_meter && h.y_pels_per_meter)
        info.dots = Size(Dots(width, h.x_pels_per_meter), Dots(height, h.y_pels_per_meter));
    row_bytes = (int)(((int64)format.GetByteCount(width) + 3) & ~(int64)3);

    // The file header says where the pixels are: after an ICC profile, a gap or a
    // palette shorter than its colour count they do not follow the headers.
    data_pos = s.GetPos();
    if(file_header && h.data_offset >= FILE_HEADER_SIZE + (int64)h.size)
        data_pos = start + h.data_offset;
    // Any other compression leaves the rows as they are.
    bool rle = (h.bit_count == 8 && h.compression == BMP_RLE8) || (h.bit_count == 4 && h.compression == BMP_RLE4);
    if(s.IsSeekable()) {
        int64 size = s.GetSize();
        if(data_pos > size)
            return false;
        s.Seek(data_pos);
        int64 pixels = (int64)width * height;
        if(rle ? pixels > std::max(RLE_PIXELS_FREE, (size - data_pos) * RLE_PIXELS_PER_BYTE)
               : (int64)row_bytes * height > size - data_pos)
            return false;
    }
    else if(!SkipBmpBytes(s, data_pos - s.GetPos()))
        return false;

    if(rle) {
        PixelBuffer buffer(width, height);
        if(!DecodeBmpRle(s, h.bit_count, palette.get(), top_down, buffer))
            return false;
        decoded.reset(new ImageRaster(Image(buffer)));
    }
    return true;
}

RasterLine BMPRaster::GetLine(int i)
{
    if(i < 0 || i >= height) {
        // No such row: a transparent line rather than a read outside the pixel data.
        RGBA* blank = (RGBA*)HeapAllocate(std::max(width, 1) * sizeof(RGBA));
        memset(blank, 0, std::max(width, 1) * sizeof(RGBA));
        return RasterLine(this, blank, nullptr, true, false);
    }
    if(decoded)
        return decoded->GetLine(i);
    byte* row = (byte*)HeapAllocate(std::max(row_bytes, 1));
    bool read = false;
    if(!IsError()) {
        stream->Seek(data_pos + (int64)(top_down ? i : height - 1 - i) * row_bytes);
        read = stream->Get(row, row_bytes) == (uint32)row_bytes;
        if(!read)
            error = true;
    }
    if(!read)
        memset(row, 0, row_bytes);
    return RasterLine(this, nullptr, row, false, true);
}

void RegisterBmpRasterFormat()
{
    RegisterRasterFormat([]() -> StreamRaster* {
        BMPRaster* raster = new BMPRaster;
        raster->SetError();
        return raster;
    });
}

} // namespace Qor
