// The PNG raster: the header is checked here, the decoding is gdk-pixbuf's.
#include "ctrl/x11/clip/png_raster.h"

#include "draw/image/pixel_buffer.h"
#include "foundation/stream.h"

#include <cstring>
#include <gdk-pixbuf/gdk-pixbuf.h>

namespace Qor {

namespace {

// Deflate gives at most about 1032 bytes for one compressed byte.
constexpr int64 MAX_INFLATE_RATIO = 1032;

uint32 BigEndian32(const byte* p) { return (uint32)p[0] << 24 | (uint32)p[1] << 16 | (uint32)p[2] << 8 | p[3]; }

StreamRaster* MakePngRaster() { return new PngRaster; }

Image FromPixbuf(GdkPixbuf* pixbuf)
{
    int cx = gdk_pixbuf_get_width(pixbuf), cy = gdk_pixbuf_get_height(pixbuf);
    int channels = gdk_pixbuf_get_n_channels(pixbuf);
    int stride = gdk_pixbuf_get_rowstride(pixbuf);
    bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
    const guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
    PixelBuffer b(cx, cy);
    for(int y = 0; y < cy; y++) {
        const guchar* s = pixels + (int64)y * stride;
        RGBA* t = b[y];
        for(int x = 0; x < cx; x++, s += channels)
            t[x] = MakeRGBA(s[0], s[1], s[2], alpha ? s[3] : 255);
        PremultiplyPixels(t, t, cx);
    }
    return Image(std::move(b));
}

} // namespace

bool CheckPngHeader(const String& data, int& cx, int& cy)
{
    static const char signature[] = "\x89PNG\r\n\x1a\n";
    const byte* p = (const byte*)data.Begin();
    if(data.GetLength() < 33 || std::memcmp(p, signature, 8) != 0 || std::memcmp(p + 12, "IHDR", 4) != 0)
        return false;
    int64 w = BigEndian32(p + 16), h = BigEndian32(p + 20);
    if(w <= 0 || h <= 0 || w * h > MAX_PNG_PIXELS)
        return false;
    // Even a one-bit image needs a filter byte and a byte per 8 pixels of each row.
    int64 least_raw = h * (1 + (w + 7) / 8);
    if(least_raw > (int64)data.GetLength() * MAX_INFLATE_RATIO)
        return false;
    cx = (int)w;
    cy = (int)h;
    return true;
}

bool PngRaster::Open()
{
    Stream* s = GetStream();
    if(!s)
        return false;
    byte head[8];
    if(s->Get(head, 8) != 8 || std::memcmp(head, "\x89PNG\r\n\x1a\n", 8) != 0)
        return false;
    int64 rest = s->GetSize() - s->GetPos();
    if(rest <= 0 || rest > 256 * 1024 * 1024)
        return false;
    String data((const char*)head, 8);
    String body;
    body.Reserve((int)rest);
    char chunk[65536];
    while(uint32 n = s->Get(chunk, sizeof chunk))
        body.Append(chunk, (int)n);
    data.Append(body);
    int cx, cy;
    if(!CheckPngHeader(data, cx, cy))
        return false;
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type("png", nullptr);
    if(!loader)
        return false;
    bool written = gdk_pixbuf_loader_write(loader, (const guchar*)data.Begin(), data.GetLength(), nullptr);
    bool closed = gdk_pixbuf_loader_close(loader, nullptr);
    GdkPixbuf* pixbuf = written && closed ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
    bool ok = pixbuf && gdk_pixbuf_get_width(pixbuf) == cx && gdk_pixbuf_get_height(pixbuf) == cy &&
              gdk_pixbuf_get_colorspace(pixbuf) == GDK_COLORSPACE_RGB && gdk_pixbuf_get_bits_per_sample(pixbuf) == 8 &&
              gdk_pixbuf_get_n_channels(pixbuf) >= 3;
    if(ok)
        decoded = std::make_unique<ImageRaster>(FromPixbuf(pixbuf));
    g_object_unref(loader);
    return ok;
}

Size PngRaster::GetSize() { return decoded ? decoded->GetSize() : Size(0, 0); }

RasterInfo PngRaster::GetInfo() { return decoded ? decoded->GetInfo() : RasterInfo(); }

RasterLine PngRaster::GetLine(int line) { return decoded->GetLine(line); }

void RegisterPngRasterFormat() { RegisterRasterFormat(MakePngRaster); }

} // namespace Qor
