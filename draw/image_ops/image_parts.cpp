// Copies, cut-outs, blending a part into a buffer, background measurements and frames.

#include "draw/image_ops/image_parts.h"

#include "draw/look/sys_colors.h"
#include "draw/raster/raster.h"
#include "draw/raster/raster_encoder.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace Qor {

namespace {

PixelBuffer CopyOf(const Image& img)
{
    PixelBuffer b(img.GetWidth(), img.GetHeight());
    if(!b.IsEmpty()) {
        memcpy((void*)b.Begin(), img.GetPixels(), (size_t)img.GetLength() * sizeof(RGBA));
        b.CopySpots(img);
        b.SetDots(img.GetDots());
    }
    return b;
}

} // namespace

Image CopyWithHotSpots(const Image& img, int x1, int y1, int x2, int y2)
{
    PixelBuffer b = CopyOf(img);
    b.SetHotSpot(Point(x1, y1));
    b.SetSecondSpot(Point(x2, y2));
    return Image(b);
}

Image CopyWithHotSpot(const Image& img, int x, int y)
{
    PixelBuffer b = CopyOf(img);
    b.SetHotSpot(Point(x, y));
    return Image(b);
}

Image CopyImagePart(const Image& img, const Rect& r)
{
    Size sz = img.GetSize();
    if(r == Rect(sz))
        return img;
    int l = std::max(r.left, 0), t = std::max(r.top, 0);
    int rr = std::min(r.right, sz.cx), b = std::min(r.bottom, sz.cy);
    if(l >= rr || t >= b)
        return Image();
    ImageRaster raster(img);
    ImageEncoder encoder;
    encoder.Start(Size(rr - l, b - t));
    for(int y = t; y < b && encoder.GetCurrentLine(); y++) {
        RasterLine line = raster.GetLine(y);
        encoder.WriteLine(line.GetRGBA() + l);
    }
    return encoder.GetImage();
}

Image CropImage(const Image& img, int x, int y, int cx, int cy)
{
    return CopyImagePart(img, Rect(x, y, (int)std::clamp<int64>((int64)x + cx, INT_MIN, INT_MAX),
                                   (int)std::clamp<int64>((int64)y + cy, INT_MIN, INT_MAX)));
}

void PixelBuffer::BlendImage(Point p, const Image& img, const Rect& source)
{
    Rect src = source;
    if(p.x < 0) {
        src.left -= p.x;
        p.x = 0;
    }
    if(p.y < 0) {
        src.top -= p.y;
        p.y = 0;
    }
    Size isz = img.GetSize();
    int l = std::max(src.left, 0), t = std::max(src.top, 0);
    int cx = std::min({std::min(src.right, isz.cx) - l, GetWidth() - p.x});
    int cy = std::min({std::min(src.bottom, isz.cy) - t, GetHeight() - p.y});
    if(cx < 1 || cy < 1)
        return;
    for(int i = 0; i < cy; i++)
        AlphaBlendPixels((*this)[p.y + i] + p.x, img[t + i] + l, cx);
}

int GetMaxChannelDifference(RGBA a, RGBA b)
{
    return std::max({abs(a.r - b.r), abs(a.g - b.g), abs(a.b - b.b), abs(a.a - b.a)});
}

Image ImageFromTwoBackgrounds(const Image& on_white, const Image& on_black)
{
    Size sz = on_white.GetSize();
    if(sz != on_black.GetSize())
        return Image();
    PixelBuffer b(sz.cx, sz.cy);
    if(b.IsEmpty())
        return Image();
    const RGBA* w = on_white.GetPixels();
    const RGBA* k = on_black.GetPixels();
    RGBA* t = b.Begin();
    for(int64 i = 0, n = b.GetLength(); i < n; i++) {
        int a = (k[i].r - w[i].r - 1) & 255;
        if(a == 0)
            t[i] = MakeRGBA(0, 0, 0, 0);
        else
            t[i] = MakeRGBA((byte)(k[i].r * 255 / a), (byte)(k[i].g * 255 / a), (byte)(k[i].b * 255 / a), a);
    }
    return Premultiply(Image(b));
}

int GetImageBorderWidth(const Image& src, int s, int tolerance)
{
    Image img = Premultiply(src);
    Size sz = img.GetSize();
    // Outside data: a start that is not inside both sides measures nothing.
    if(s < 0 || s >= std::min(sz.cx, sz.cy))
        return 0;
    RGBA ref = Color(img[s][s]).ToRGBA();
    for(int k = 0; k <= s; k++) {
        if(GetMaxChannelDifference(img[s - k][s - k], ref) > tolerance)
            return s - k + 1;
        if(GetMaxChannelDifference(img[sz.cy - 1 - s + k][sz.cx - 1 - s + k], ref) > tolerance)
            return s - k + 1;
    }
    return 0;
}

ImageFrameSpec::ImageFrameSpec(const Image& img) : image(img), ink(SysColorShadow())
{
    ResetEdges();
}

void ImageFrameSpec::ResetEdges()
{
    top = bottom = left = right = true;
    top_left = top_right = bottom_left = bottom_right = 0;
}

Image ImageFrameSpec::MakeImage() const
{
    PixelBuffer b = CopyOf(image);
    int w = b.GetWidth(), h = b.GetHeight();
    if(b.IsEmpty())
        return Image();
    RGBA i = ink.ToRGBA(), c = corner_color.ToRGBA();
    for(int x = 0; x < w; x++) {
        if(top)
            b[0][x] = x < top_left || x >= w - top_right ? c : i;
        if(bottom)
            b[h - 1][x] = x < bottom_left || x >= w - bottom_right ? c : i;
    }
    for(int y = 0; y < h; y++) {
        if(left)
            b[y][0] = y < top_left || y >= h - bottom_left ? c : i;
        if(right)
            b[y][w - 1] = y < top_right || y >= h - bottom_right ? c : i;
    }
    // The inner diagonal pixels exist only from 3 × 3 up.
    if(w >= 3 && h >= 3) {
        if(top_left == 2)
            b[1][1] = i;
        if(top_right == 2)
            b[1][w - 2] = i;
        if(bottom_left == 2)
            b[h - 2][1] = i;
        if(bottom_right == 2)
            b[h - 2][w - 2] = i;
    }
    int m = std::max({top_left, top_right, bottom_left, bottom_right});
    b.SetHotSpot(Point(m, m));
    b.SetSecondSpot(Point(w - m - 1, h - m - 1));
    return Image(b);
}

} // namespace Qor
