// BMPEncoder: the headers, palette or masks of each bit count, and rows written in place.

#include "draw/raster/bmp/bmp_encoder.h"

#include "draw/raster/bmp/bmp_header.h"
#include "foundation/numeric.h"
#include "foundation/stream.h"

#include <cstring>

namespace Qor {

namespace {

// Pixels per metre from dots (1/600 inch).
constexpr double DOTS_PER_METER = 23622.04724409449;
constexpr int HEADERS_SIZE = 14 + 40;

void Put16(byte*& p, int v)
{
    p[0] = (byte)v;
    p[1] = (byte)(v >> 8);
    p += 2;
}

void Put32(byte*& p, uint32 v)
{
    for(int i = 0; i < 4; i++)
        p[i] = (byte)(v >> 8 * i);
    p += 4;
}

int PelsPerMeter(int pixels, int dots) { return RoundToInt(pixels * DOTS_PER_METER / dots); }

// The line conversion leaves the fourth byte of each pixel as its buffer held it; the
// file's reserved byte is written 0 instead.
void CopyReserved32(byte* t, const byte* s, int n)
{
    for(int i = 0; i < n; i++, t += 4, s += 4) {
        uint32 w;
        memcpy(&w, s, 4);
        w &= 0x00FFFFFF;
        memcpy(t, &w, 4);
    }
}

} // namespace

int BMPEncoder::GetPaletteCount()
{
    if(grey || bpp > 8)
        return 0;
    return bpp == 8 ? 256 : bpp == 4 ? 16 : 2;
}

void BMPEncoder::StartOutput(Size sz)
{
    int entries = 0;
    uint32 compression = BMP_RGB;
    int bits = bpp;
    switch(bpp) {
    case 1:
        entries = 2;
        format.code = PixelFormat::PAL1 | PixelFormat::HIGH_FIRST;
        break;
    case 4:
        entries = 16;
        format.code = PixelFormat::PAL4 | PixelFormat::HIGH_FIRST;
        break;
    case 8:
        entries = 256;
        format.code = PixelFormat::PAL8;
        break;
    case 16:
        entries = 3;
        compression = BMP_BITFIELDS;
        format.Set16(0xF800, 0x07E0, 0x001F);
        break;
    case 32:
        format.Set32(0xFF0000, 0xFF00, 0xFF, 0);
        break;
    default:
        bits = 24;
        format.Set24(0xFF0000, 0xFF00, 0xFF);
        break;
    }
    line_bytes = format.GetByteCount(sz.cx);
    row_bytes = (int)(((int64)line_bytes + 3) & ~(int64)3);
    row.reset(new byte[row_bytes]());
    next_row = 0;
    int64 image_size = (int64)sz.cy * row_bytes;
    int64 data_offset = HEADERS_SIZE + 4 * entries;
    int64 file_size = data_offset + image_size;
    if(!stream || sz.cx <= 0 || sz.cy <= 0)
        return;
    if(file_size > UINT32_MAX) {
        // The headers cannot state the size: nothing is written, and the stream says so.
        stream->SetError();
        return;
    }

    int ppm_x = 0, ppm_y = 0;
    if(dots.cx && dots.cy) {
        ppm_x = PelsPerMeter(sz.cx, dots.cx);
        ppm_y = PelsPerMeter(sz.cy, dots.cy);
    }
    byte headers[HEADERS_SIZE + 4 * 256];
    byte* p = headers;
    *p++ = 'B';
    *p++ = 'M';
    Put32(p, (uint32)file_size);
    Put32(p, 0);
    Put32(p, (uint32)data_offset);
    Put32(p, 40);
    Put32(p, sz.cx);
    Put32(p, sz.cy);
    Put16(p, 1);
    Put16(p, bits);
    Put32(p, compression);
    Put32(p, (uint32)image_size);
    Put32(p, ppm_x);
    Put32(p, ppm_y);
    Put32(p, 0);
    Put32(p, 0);
    if(compression == BMP_BITFIELDS) {
        Put32(p, 0xF800);
        Put32(p, 0x07E0);
        Put32(p, 0x001F);
    }
    else if(entries) {
        const RGBA* palette = grey ? nullptr : GetPalette();
        for(int i = 0; i < entries; i++) {
            int l = i * 255 / (entries - 1);
            RGBA c = palette ? palette[i] : RGBA{ (byte)l, (byte)l, (byte)l, 0 };
            *p++ = c.b;
            *p++ = c.g;
            *p++ = c.r;
            *p++ = 0;
        }
    }
    stream->Put(headers, (uint32)(p - headers));
    data_pos = stream->GetPos();
    stream->SetSize(file_size);
    next_row = sz.cy;
}

void BMPEncoder::WriteLineRaw(const byte* line)
{
    if(next_row <= 0)
        return;
    next_row--;
    stream->Seek(data_pos + (int64)next_row * row_bytes);
    if(bpp == 32)
        CopyReserved32(row.get(), line, size.cx);
    else
        memcpy(row.get(), line, line_bytes);
    stream->Put(row.get(), row_bytes);
}

} // namespace Qor
