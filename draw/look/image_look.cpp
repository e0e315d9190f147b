// The frame of an image look, its painting in the four cases of a large or too small
// rectangle, and the per-image caches of its inside.

#include "draw/look/image_look.h"

#include "draw/look/look.h"
#include "draw/rescale/rescaler.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <utility>

namespace Qor {

namespace {

// Answers about an image by serial. Emptied whole when full, which keeps it small without
// bookkeeping: most programs have far fewer skin images than the limit.
template <class V>
class SerialCache {
public:
    const V* Find(int64 serial) const
    {
        auto it = map.find(serial);
        return it == map.end() ? nullptr : &it->second;
    }
    void Put(int64 serial, V v)
    {
        if(map.size() > 100)
            map.clear();
        map[serial] = v;
    }

private:
    std::unordered_map<int64, V> map;
};

SerialCache<int>& AreaClasses()
{
    static SerialCache<int> cache;
    return cache;
}

SerialCache<bool>& InsideOpaque()
{
    static SerialCache<bool> cache;
    return cache;
}

// The inside is (h1, h2), the margins lie around it; a flag tiles the inside that way.
struct ImageFrame {
    Point h1, h2;
    int lm, tm, rm, bm;
    bool tile_x = false;
    bool tile_y = false;
};

// One axis of the frame: from the spots' coordinates on it and the image's extent.
void NormaliseAxis(int& h1, int& h2, bool& tile, int extent, bool symmetric)
{
    if(symmetric) {
        h2 = extent - h1;
        if(h1 > extent / 2) {
            tile = true;
            h2 = h1;
            h1 = extent - h1 - 1;
        }
    }
    else {
        if(h2 < h1) {
            std::swap(h1, h2);
            tile = true;
        }
        h2++; // the second spot names the last pixel of the inside
    }
    // Spots of a loaded image may point anywhere: the frame stays inside the image.
    h1 = std::clamp(h1, 0, extent);
    h2 = std::clamp(h2, h1, extent);
}

ImageFrame GetImageFrame(const Image& img)
{
    ImageFrame f;
    Size sz = img.GetSize();
    f.h1 = img.GetHotSpot();
    f.h2 = img.GetSecondSpot();
    bool symmetric = f.h2 == Point(0, 0);
    NormaliseAxis(f.h1.x, f.h2.x, f.tile_x, sz.cx, symmetric);
    NormaliseAxis(f.h1.y, f.h2.y, f.tile_y, sz.cy, symmetric);
    f.lm = f.h1.x;
    f.tm = f.h1.y;
    f.rm = sz.cx - f.h2.x;
    f.bm = sz.cy - f.h2.y;
    return f;
}

bool ComputeInsideOpaque(const Image& img)
{
    Rect m = GetLookMargins(img);
    int l = std::max(m.left, 0), t = std::max(m.top, 0), r = std::max(m.right, 0), b = std::max(m.bottom, 0);
    for(int y = t; y < img.GetHeight() - b; y++)
        for(int x = l; x < img.GetWidth() - r; x++)
            if(img[y][x].a != 255)
                return false;
    return true;
}

bool IsInsideOpaque(const Image& img)
{
    if(const bool* known = InsideOpaque().Find(img.GetSerialId()))
        return *known;
    bool opaque = ComputeInsideOpaque(img);
    InsideOpaque().Put(img.GetSerialId(), opaque);
    return opaque;
}

int GetAreaClass(const Image& img, const Rect& inside)
{
    if(const int* known = AreaClasses().Find(img.GetSerialId()))
        return *known;
    int c = ClassifyImageArea(img, inside);
    AreaClasses().Put(img.GetSerialId(), c);
    return c;
}

Rect Box(int x, int y, int cx, int cy) { return Rect(x, y, x + cx, y + cy); }

void PaintInside(Draw& w, const Image& img, const ImageFrame& f, const Rect& dest)
{
    Rect src(f.h1, f.h2);
    if(f.tile_x || f.tile_y) {
        // Tiles are rescaled on every paint: a tile depends on the destination's size.
        Size tile(f.tile_x ? src.Width() : dest.Width(), f.tile_y ? src.Height() : dest.Height());
        w.DrawTiles(dest, RescaleImage(img, tile, src));
        return;
    }
    if(GetAreaClass(img, src) == 3 && Rect(img.GetSize()).Contains(f.h1)) {
        RGBA p = img[f.h1.y][f.h1.x];
        if(p.a == 255) {
            w.DrawRect(dest, Color(p));
            return;
        }
    }
    DrawScaledImagePart(w, dest, img, src);
}

void PaintFrame(Draw& w, const Rect& r, const Image& img, const ImageFrame& f, bool inside)
{
    int W = r.Width(), H = r.Height();
    int cx = img.GetWidth(), cy = img.GetHeight();
    int lm = f.lm, tm = f.tm, rm = f.rm, bm = f.bm;
    int x2 = f.h2.x, y2 = f.h2.y;
    int mw = W - rm - lm, mh = H - bm - tm;
    // A rectangle too small for both margins is split at its middle instead.
    int th = std::clamp(H / 2, 0, cy), bh = std::clamp(H - H / 2, 0, cy);
    int lw = std::clamp(W / 2, 0, cx), rw = std::clamp(W - W / 2, 0, cx);
    bool narrow = W - rm <= lm, low = H - bm <= tm;
    auto corner = [&](int x, int y, const Rect& src) { w.DrawImage(x, y, img, src); };
    auto edge = [&](const Rect& dest, const Rect& src) {
        if(dest.Width() > 0 && dest.Height() > 0)
            DrawScaledImagePart(w, dest, img, src);
    };
    // The widths of the left and right column of pieces and the source x of the right one;
    // the heights of the top and bottom row and the source y of the bottom one.
    const int left = narrow ? lw : lm, right = narrow ? rw : rm, right_x = narrow ? cx - rw : x2;
    const int top = low ? th : tm, bottom = low ? bh : bm, bottom_y = low ? cy - bh : y2;
    corner(0, 0, Rect(0, 0, left, top));
    corner(0, H - bottom, Rect(0, bottom_y, left, bottom_y + bottom));
    corner(W - right, 0, Rect(right_x, 0, right_x + right, top));
    corner(W - right, H - bottom, Rect(right_x, bottom_y, right_x + right, bottom_y + bottom));
    if(!narrow) {
        edge(Box(lm, 0, mw, top), Rect(lm, 0, x2, top));
        edge(Box(lm, H - bottom, mw, bottom), Rect(lm, bottom_y, x2, bottom_y + bottom));
    }
    if(!low) {
        edge(Box(0, tm, left, mh), Rect(0, tm, left, y2));
        edge(Box(W - right, tm, right, mh), Rect(right_x, tm, right_x + right, y2));
    }
    if(!narrow && !low && inside)
        PaintInside(w, img, f, Rect(lm, tm, W - rm, H - bm));
}

} // namespace

String ChImageMaker::GetKey() const
{
    int64 serial = image.GetSerialId();
    int32 v[6] = { size.cx, size.cy, source.left, source.right, source.top, source.bottom };
    String key;
    key.Append((const char*)&serial, sizeof serial);
    key.Append((const char*)v, sizeof v);
    return key;
}

Image ChImageMaker::Make() const
{
    if(size == image.GetSize() && source == Rect(image.GetSize()))
        return image;
    return RescaleImage(image, size, source);
}

void DrawScaledImagePart(Draw& w, const Rect& dest, const Image& image, const Rect& source)
{
    if(dest.Width() <= 0 || dest.Height() <= 0)
        return;
    w.DrawImage(dest.left, dest.top, GetMadeImage(ChImageMaker(dest.GetSize(), source, image)));
}

int ClassifyImageArea(const Image& image, const Rect& area)
{
    if(IsNullInt(area.left))
        return 0;
    Rect a = area & Rect(image.GetSize());
    int result = 3;
    int width = std::max(a.Width(), 0);
    for(int y = a.top + 1; y < a.bottom; y++)
        if(std::memcmp(image[y] + a.left, image[a.top] + a.left, width * sizeof(RGBA))) {
            result = 2;
            break;
        }
    if(a.Width() <= 1)
        return result;
    for(int x = a.left + 1; x < a.right; x++)
        for(int y = a.top; y < a.bottom; y++)
            if(image[y][x] != image[y][a.left])
                return result & ~2;
    return result;
}

Value PaintImageLook(Draw& w, const Rect& r, const Image& image, int operation)
{
    switch(operation) {
    case LOOK_MARGINS: {
        ImageFrame f = GetImageFrame(image);
        return Rect(f.lm, f.tm, f.rm, f.bm);
    }
    case LOOK_OPAQUE:
        return image.GetKind() == IMAGE_OPAQUE;
    case LOOK_INSIDE_OPAQUE:
        if(image.IsEmpty())
            return 1;
        return IsInsideOpaque(image);
    case LOOK_PAINT:
    case LOOK_EDGE:
        if(!image.IsEmpty()) {
            w.ClipOffset(r);
            PaintFrame(w, r, image, GetImageFrame(image), operation == LOOK_PAINT);
            w.End();
        }
        return 1;
    default:
        return Value();
    }
}

} // namespace Qor
