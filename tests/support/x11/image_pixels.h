// Pixel checks on images read back from the X server: ink boxes and grey levels.
#pragma once

#include "draw/image/image.h"
#include "foundation/values/rect.h"

#include <algorithm>
#include <cstdlib>

namespace Qor::test {

// Darkness of a pixel against white paper: 0 white, 255 black (premultiplied, opaque).
inline int Ink(const RGBA& p) { return 255 - (p.r + p.g + p.b) / 3; }

// The bounding box of the pixels of r (whole image when empty) darker than threshold;
// empty when there are none.
inline Rect InkBox(const Image& img, Rect r = Rect(), int threshold = 64)
{
    if(r.IsEmpty())
        r = Rect(img.GetSize());
    Rect box(0, 0, 0, 0);
    bool any = false;
    for(int y = r.top; y < r.bottom; y++)
        for(int x = r.left; x < r.right; x++)
            if(Ink(img[y][x]) > threshold) {
                if(!any)
                    box = Rect(x, y, x + 1, y + 1);
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
                any = true;
            }
    return box;
}

// Pixels of r whose ink lies strictly between the two levels.
inline int CountGreys(const Image& img, const Rect& r, int low = 24, int high = 232)
{
    int n = 0;
    for(int y = r.top; y < r.bottom; y++)
        for(int x = r.left; x < r.right; x++) {
            int ink = Ink(img[y][x]);
            n += ink > low && ink < high;
        }
    return n;
}

// Every channel within tolerance.
inline bool Near(const RGBA& p, const RGBA& want, int tolerance = 2)
{
    return std::abs(p.r - want.r) <= tolerance && std::abs(p.g - want.g) <= tolerance &&
           std::abs(p.b - want.b) <= tolerance && std::abs(p.a - want.a) <= tolerance;
}

} // namespace Qor::test
