// The filter engine, the etch filter and the per-pixel transforms.

#include "draw/image_ops/image_filters.h"

#include "draw/raster/raster.h"
#include "draw/raster/raster_encoder.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace Qor {

namespace {

// A copy of the image with each pixel transformed, keeping the source's spots.
Image MapPixels(const Image& img, const std::function<RGBA(RGBA)>& f)
{
    if(img.IsEmpty())
        return Image();
    PixelBuffer b(img.GetWidth(), img.GetHeight());
    if(b.IsEmpty())
        return Image();
    const RGBA* s = img.GetPixels();
    RGBA* t = b.Begin();
    for(int64 i = 0, n = img.GetLength(); i < n; i++)
        t[i] = f(s[i]);
    b.CopySpots(img);
    return Image(b);
}

RGBA Straight(RGBA p)
{
    UnmultiplyPixels(&p, &p, 1);
    return p;
}

RGBA Premultiplied(RGBA p)
{
    PremultiplyPixels(&p, &p, 1);
    return p;
}

int Grey(RGBA p)
{
    return (77 * p.r + 151 * p.g + 28 * p.b) >> 8;
}

byte Clamp255(int v)
{
    return (byte)std::clamp(v, 0, 255);
}

bool IsDarkAndOpaque(RGBA p)
{
    return p.a > 128 && p.r + p.g + p.b <= 499;
}

} // namespace

RGBA sEtchFilter::Filter(const RGBA* above, const RGBA* row, const RGBA*)
{
    RGBA c = row[1], t = above[0];
    if(IsDarkAndOpaque(c))
        return MakeRGBA(0x80, 0x80, 0x80, c.a);
    if(IsDarkAndOpaque(t))
        return MakeRGBA(0xFF, 0xFF, 0xFF, t.a);
    return MakeRGBA(0, 0, 0, 0);
}

Image ApplyImageFilter9(const Image& img, ImageFilter9& filter)
{
    Size sz = img.GetSize();
    if(sz.cx <= 0 || sz.cy <= 0)
        return Image();
    ImageRaster raster(img);
    ImageEncoder encoder;
    encoder.Start(sz);
    if(!encoder.GetCurrentLine())
        return Image();
    int w = sz.cx;
    // Each line with its edge pixels repeated once on either side.
    std::vector<RGBA> lines[3];
    auto Load = [&](std::vector<RGBA>& into, int y) {
        RasterLine line = raster.GetLine(y);
        const RGBA* p = line.GetRGBA();
        into.resize(w + 2);
        std::copy(p, p + w, into.begin() + 1);
        into[0] = p[0];
        into[w + 1] = p[w - 1];
    };
    for(int y = 0; y < sz.cy; y++) {
        Load(lines[0], std::max(y - 1, 0));
        Load(lines[1], y);
        Load(lines[2], std::min(y + 1, sz.cy - 1));
        RGBA* out = encoder.GetCurrentLine();
        for(int x = 0; x < w; x++)
            out[x] = filter.Filter(&lines[0][x], &lines[1][x], &lines[2][x]);
        encoder.WriteLine();
    }
    return encoder.GetImage();
}

Image EtchImage(const Image& img)
{
    sEtchFilter etch;
    return Premultiply(ApplyImageFilter9(Premultiply(img), etch));
}

Image GrayscaleImage(const Image& img, int amount)
{
    return MapPixels(img, [&](RGBA p) {
        int g = Grey(p);
        auto Mix = [&](int c) { return Clamp255((c * (256 - amount) + amount * g) >> 8); };
        return RGBA{Mix(p.b), Mix(p.g), Mix(p.r), p.a};
    });
}

Image AdaptImageToDarkFace(const Image& img)
{
    return MapPixels(img, [](RGBA src) {
        RGBA p = Straight(src);
        int g = Grey(p);
        if(g < 40) {
            int m = 255 - std::max({p.r, p.g, p.b});
            p.r = Clamp255(p.r + m);
            p.g = Clamp255(p.g + m);
            p.b = Clamp255(p.b + m);
        }
        else if(g > 216) {
            int m = 2 * std::min({p.r, p.g, p.b});
            p.r = Clamp255(p.r - m + 255);
            p.g = Clamp255(p.g - m + 255);
            p.b = Clamp255(p.b - m + 255);
        }
        return Premultiplied(p);
    });
}

Image AdjustImageContrast(const Image& img, int amount)
{
    return MapPixels(img, [&](RGBA src) {
        RGBA p = Straight(src);
        auto Scale = [&](int c) { return Clamp255((((c - 128) * amount) >> 8) + 128); };
        return Premultiplied(RGBA{Scale(p.b), Scale(p.g), Scale(p.r), p.a});
    });
}

Image FillImageShape(const Image& img, Color color)
{
    RGBA c = color.ToRGBA();
    return MapPixels(img, [&](RGBA p) { return Premultiplied(RGBA{c.b, c.g, c.r, p.a}); });
}

} // namespace Qor
