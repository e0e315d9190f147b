// RasterEncoder line conversion and palettes, StreamRasterEncoder and ImageEncoder.

#include "draw/raster/raster_encoder.h"

#include "draw/raster/palette.h"
#include "draw/raster/raster.h"
#include "foundation/string_stream.h"

#include <algorithm>
#include <cstring>

namespace Qor {

RasterEncoder::RasterEncoder()
{
    format.SetNativeRGBA();
}

RasterEncoder::~RasterEncoder() = default;

int RasterEncoder::GetPaletteCount()
{
    return 0;
}

void RasterEncoder::FreeLineBuffer()
{
    line_buffer.reset();
}

void RasterEncoder::Start(Size sz)
{
    // A line must fit an allocation an image could hold at all.
    if(sz.cx < 0 || sz.cy < 0 || sz.cx > MAX_IMAGE_PIXELS)
        sz = Size(0, 0);
    size = sz;
    line_buffer.reset(sz.cx ? new RGBA[sz.cx] : nullptr);
    current = line_buffer.get();
    StartOutput(sz);
    conversion.reset();
    line_bytes = format.GetByteCount(size.cx);
}

void RasterEncoder::Start(Size sz, Raster& raster)
{
    SetPalette(raster);
    Start(sz);
}

void RasterEncoder::WriteLine(const RGBA* line)
{
    if(format.IsNativeRGBA()) {
        WriteLineRaw((const byte*)line);
        return;
    }
    if(!conversion)
        conversion.reset(new byte[line_bytes > 0 ? line_bytes : 1]);
    PaletteMap map{palette_map.get()};
    format.WriteLine(conversion.get(), line, size.cx, palette_map ? &map : nullptr);
    WriteLineRaw(conversion.get());
}

RGBA* RasterEncoder::AllocPalette()
{
    if(!palette)
        palette.reset(new RGBA[256]());
    return palette.get();
}

const RGBA* RasterEncoder::GetPalette()
{
    if(!palette) {
        RGBA* p = AllocPalette();
        int n = std::min(GetPaletteCount(), 256);
        for(int i = 0; i < n && n >= 2; i++) {
            int l = i * 255 / (n - 1);
            p[i] = MakeRGBA(l, l, l, 255);
        }
    }
    return palette.get();
}

void RasterEncoder::SetPalette(Raster& raster)
{
    int n = std::min(GetPaletteCount(), 256);
    if(n <= 0)
        return;
    RGBA* p = AllocPalette();
    const RGBA* source = raster.GetPaletteCount() == n ? raster.GetPalette() : nullptr;
    if(source)
        memcpy(p, source, n * sizeof(RGBA));
    else
        CreatePalette(raster, p, n);
    std::unique_ptr<byte[]> map(new byte[PALETTE_GRID_CELLS]);
    CreateColourMap(p, n, map.get());
    palette_map = std::move(map);
}

void StreamRasterEncoder::Save(Stream& s, Raster& raster)
{
    Size sz = raster.GetSize();
    if(sz.cx <= 0 || sz.cy <= 0)
        return;
    stream = &s;
    RasterInfo info = raster.GetInfo();
    dots = info.dots;
    hotspot = info.hotspot;
    SetPalette(raster);
    Start(sz);
    for(int i = 0; i < sz.cy; i++) {
        RasterLine line = raster.GetLine(i);
        WriteLine(line.GetRGBA());
    }
}

String StreamRasterEncoder::SaveString(Raster& raster)
{
    StringStream ss;
    Save(ss, raster);
    return ss.GetText();
}

String EncodeImage(StreamRasterEncoder& encoder, const Image& img)
{
    ImageRaster raster(img);
    return encoder.SaveString(raster);
}

void ImageEncoder::StartOutput(Size sz)
{
    lines = 0;
    buffer.Create(sz.cx, sz.cy);
    if(buffer.IsEmpty()) {
        // Nothing can hold the image: it comes out empty and no line is kept.
        size = Size(0, 0);
        FreeLineBuffer();
        current = nullptr;
        return;
    }
    current = buffer[0];
    FreeLineBuffer();
}

void ImageEncoder::WriteLineRaw(const byte* line)
{
    if(buffer.IsEmpty())
        return;
    if((const RGBA*)line != current && lines < size.cy)
        memcpy(current, line, size.cx * sizeof(RGBA));
    lines++;
    if(lines < size.cy)
        current = buffer[lines];
}

} // namespace Qor
