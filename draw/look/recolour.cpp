// RecolourToSystem and the recoloured copy of an image list.

#include "draw/look/recolour.h"

#include "draw/image_list/image_list.h"
#include "draw/look/sys_colors.h"

#include <algorithm>

namespace Qor {

namespace {

// The colour blend, extrapolating for weights outside 0..255; each channel is kept to
// 0..255 rather than wrapped, so a weight below 0 cannot turn dark into light.
int BlendChannel(int a, int b, int weight) { return std::clamp(a + ((b - a) * (weight + (weight >> 7)) >> 8), 0, 255); }

RGBA Blend(Color a, Color b, int weight, byte alpha)
{
    a = IsNull(a) ? Black() : a;
    b = IsNull(b) ? Black() : b;
    return MakeRGBA(BlendChannel(a.GetR(), b.GetR(), weight), BlendChannel(a.GetG(), b.GetG(), weight),
                    BlendChannel(a.GetB(), b.GetB(), weight), alpha);
}

RGBA Recolour(RGBA p, const RecolourColours& c)
{
    int r = p.r, g = p.g, b = p.b;
    if(r == g && g == b) {
        if(r <= 127)
            return Blend(c.text, c.shadow, 2 * r, p.a);
        if(r <= 191)
            return Blend(c.shadow, c.face, 4 * r - 512, p.a);
        return Blend(c.face, c.light, 4 * r - 768, p.a);
    }
    if(r == 0 && g == 0)
        return Blend(c.text, c.highlight, 2 * b - 256, p.a);
    if(g == 0 && b == 0)
        return Blend(c.text, c.highlight, 2 * r - 256, p.a);
    if(r == g && b == 0)
        return Blend(c.text, c.paper, r, p.a);
    return p;
}

} // namespace

RecolourColours GetSystemRecolourColours()
{
    return { SysColorText(), SysColorShadow(), SysColorFace(), SysColorLight(), SysColorHighlight(), SysColorPaper() };
}

Image RecolourToSystem(const Image& image) { return RecolourImage(image, GetSystemRecolourColours()); }

Image RecolourImage(const Image& image, const RecolourColours& c)
{
    if(image.IsEmpty())
        return Image();
    PixelBuffer b(image.GetWidth(), image.GetHeight());
    if(b.IsEmpty())
        return Image();
    const RGBA* s = image.GetPixels();
    RGBA* t = b.Begin();
    int n = (int)image.GetLength();
    UnmultiplyPixels(t, s, n);
    for(int i = 0; i < n; i++)
        t[i] = Recolour(t[i], c);
    PremultiplyPixels(t, t, n);
    b.CopySpots(image);
    return Image(b);
}

void ImageList::SetRecolouredFrom(const ImageList& other)
{
    // A skin run recolours every control image, but a window shows few of them: each is
    // recoloured (and, from this list's own compiled-in data, decoded) on its first request,
    // with the colours of now.
    RecolourColours colours = GetSystemRecolourColours();
    // All sources first: with other being this list, an image must not be recoloured twice
    // when a later name repeats an earlier one.
    Vector<int> from;
    for(int i = 0; i < GetCount(); i++)
        from.Add(other.Find(GetName(i)));
    Vector<Entry> pending;
    pending.SetCount(GetCount());
    for(int i = 0; i < GetCount(); i++) {
        int j = from[i];
        if(j < 0)
            continue;
        Entry& e = pending[i];
        e.present = true;
        e.recolour = true;
        e.colours = colours;
        if(&other == this && !entries[j].present)
            e.decode_from = j;
        else
            e.image = other.Get(j);
    }
    for(int i = 0; i < GetCount(); i++)
        if(from[i] >= 0)
            entries[i] = std::move(pending[i]);
}

} // namespace Qor
