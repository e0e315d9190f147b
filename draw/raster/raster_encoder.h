// Line-by-line image sinks: RasterEncoder converts RGBA lines to its output format,
// StreamRasterEncoder writes them to a Stream, ImageEncoder collects them into an Image.
#pragma once

#include "draw/image/image.h"
#include "draw/image/pixel_buffer.h"
#include "draw/image/pixel_format.h"
#include "foundation/string.h"
#include "foundation/values/point.h"
#include "foundation/values/size.h"

#include <memory>

namespace Qor {

class Raster;
class Stream;

// Used once per image: (palette) → Start → exactly height WriteLine calls, top to bottom.
class RasterEncoder {
public:
    RasterEncoder();
    RasterEncoder(const RasterEncoder&) = delete;
    RasterEncoder& operator=(const RasterEncoder&) = delete;
    virtual ~RasterEncoder();

    // Palette entries the output needs; 0 for formats without a palette.
    virtual int GetPaletteCount();

    // Prepares for an image of that size; a negative size or a line too long to hold
    // is taken as 0, 0.
    void Start(Size sz);
    // The palette from the raster first, then as above.
    void Start(Size sz, Raster& raster);
    void WriteLine(const RGBA* line);
    // Writes the current line.
    void WriteLine() { WriteLine(current); }

    // Where a caller may write the next line before WriteLine().
    RGBA* GetCurrentLine() const { return current; }
    Size GetSize() const { return size; }
    Size GetDots() const { return dots; }
    Point GetHotSpot() const { return hotspot; }
    const PixelFormat& GetFormat() const { return format; }

    // The palette; made a grey ramp of GetPaletteCount entries when none was set.
    const RGBA* GetPalette();
    // The raster's own palette when it has the size the output needs, else one built from
    // its colours; the inverse colour map follows it.
    void SetPalette(Raster& raster);

protected:
    Size size;
    Size dots;
    Point hotspot;
    RGBA* current = nullptr;
    PixelFormat format;

    // What the encoder does at Start, after the line buffer is made.
    virtual void StartOutput(Size sz) = 0;
    // One line in the output format.
    virtual void WriteLineRaw(const byte* line) = 0;
    void FreeLineBuffer();

private:
    std::unique_ptr<byte[]> conversion;
    int line_bytes = 0;
    std::unique_ptr<RGBA[]> line_buffer;
    std::unique_ptr<RGBA[]> palette;
    std::unique_ptr<byte[]> palette_map;

    RGBA* AllocPalette();
};

// A file writer's base: the output stream, which it does not own.
class StreamRasterEncoder : public RasterEncoder {
public:
    // Writes the whole raster; an empty raster writes nothing.
    void Save(Stream& s, Raster& raster);
    String SaveString(Raster& raster);

protected:
    Stream* stream = nullptr;
};

// The encoder's output of the Image; what the clipboard export uses.
String EncodeImage(StreamRasterEncoder& encoder, const Image& img);

// Collects the lines into a PixelBuffer; writing into the current line saves a copy.
class ImageEncoder : public RasterEncoder {
public:
    // The Image of the lines written (no hotspot, no dots); the buffer is handed over.
    Image GetImage() { return Image(buffer); }
    int GetLinesWritten() const { return lines; }

protected:
    void StartOutput(Size sz) override;
    void WriteLineRaw(const byte* line) override;

private:
    int lines = 0;
    PixelBuffer buffer;
};

} // namespace Qor
