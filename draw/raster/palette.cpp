// Median-cut style palette builder over a 5-6-4 bit histogram, and the bucketed
// nearest-colour search that fills the inverse colour map.

#include "draw/raster/palette.h"

#include "draw/raster/raster.h"
#include "foundation/numeric.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace Qor {

namespace {

enum { RED_CELLS = 32, GREEN_CELLS = 64, BLUE_CELLS = 16, MAX_BOXES = 256 };

inline int HistogramCell(int r, int g, int b) { return r << 10 | g << 4 | b; }

struct ColourBox {
    int32 volume = 0;
    int32 cells = 0;
    int32 pixels = 0;
    int32 glo = 0, ghi = 0;
    int32 rlo = 0, rhi = 0;
    int32 blo = 0, bhi = 0;
    int32 rsum = 0, gsum = 0, bsum = 0;
};

// Raises lo and lowers hi past the empty slices of one axis.
void Shrink(const int64* total, int32& lo, int32& hi)
{
    while(lo < hi && total[lo] == 0)
        lo++;
    while(hi > lo && total[hi - 1] == 0)
        hi--;
}

void Measure(ColourBox& box, const int32* histogram)
{
    int64 rtotal[RED_CELLS] = {}, gtotal[GREEN_CELLS] = {}, btotal[BLUE_CELLS] = {};
    int64 cells = 0, pixels = 0, rsum = 0, gsum = 0, bsum = 0;
    for(int r = box.rlo; r < box.rhi; r++)
        for(int g = box.glo; g < box.ghi; g++)
            for(int b = box.blo; b < box.bhi; b++) {
                int64 c = histogram[HistogramCell(r, g, b)];
                if(!c)
                    continue;
                cells++;
                pixels += c;
                rsum += r * c;
                gsum += g * c;
                bsum += b * c;
                rtotal[r] += c;
                gtotal[g] += c;
                btotal[b] += c;
            }
    box.cells = (int32)cells;
    box.pixels = (int32)pixels;
    box.rsum = (int32)rsum;
    box.gsum = (int32)gsum;
    box.bsum = (int32)bsum;
    Shrink(rtotal, box.rlo, box.rhi);
    Shrink(gtotal, box.glo, box.ghi);
    Shrink(btotal, box.blo, box.bhi);
    box.volume = (box.rhi - box.rlo) * (box.ghi - box.glo) * (box.bhi - box.blo);
}

int Channel(int sum, int p, int cells)
{
    return std::clamp(ScaleInt((p >> 1) + sum, 255, p * cells), 0, 255);
}

} // namespace

void CreatePalette(Raster& raster, RGBA* palette, int n)
{
    if(n <= 0)
        return;
    n = std::min(n, (int)MAX_BOXES);
    std::unique_ptr<int32[]> histogram(new int32[PALETTE_GRID_CELLS]());
    Size size = raster.GetSize();
    for(int y = 0; y < size.cy; y++) {
        RasterLine line = raster.GetLine(y);
        const RGBA* s = line.GetRGBA();
        if(!s)
            continue;
        for(int x = 0; x < size.cx; x++)
            histogram[HistogramCell(s[x].r >> 3, s[x].g >> 2, s[x].b >> 4)]++;
    }
    ColourBox box[MAX_BOXES];
    box[0].ghi = GREEN_CELLS;
    box[0].rhi = RED_CELLS;
    box[0].bhi = BLUE_CELLS;
    Measure(box[0], histogram.get());
    if(box[0].pixels == 0)
        return;
    int count = 1;
    bool by_volume = false;
    while(count < n) {
        if(n < 2 * count)
            by_volume = true;
        int best = -1;
        for(int i = 0; i < count; i++)
            if(box[i].cells > 1 &&
               (best < 0 || (by_volume ? box[i].volume > box[best].volume : box[i].cells > box[best].cells)))
                best = i;
        if(best < 0)
            break;
        ColourBox& b = box[best];
        int rext = b.rhi - b.rlo, gext = b.ghi - b.glo, bext = b.bhi - b.blo;
        int32 ColourBox::*lo;
        int32 ColourBox::*hi;
        int extent;
        if(rext > gext) {
            if(bext > rext) { lo = &ColourBox::blo; hi = &ColourBox::bhi; extent = bext; }
            else { lo = &ColourBox::rlo; hi = &ColourBox::rhi; extent = rext; }
        }
        else {
            if(bext > gext) { lo = &ColourBox::blo; hi = &ColourBox::bhi; extent = bext; }
            else { lo = &ColourBox::glo; hi = &ColourBox::ghi; extent = gext; }
        }
        if(extent == 1) {
            if(by_volume)
                break;
            by_volume = true;
            continue;
        }
        int mid = (b.*lo + b.*hi) >> 1;
        box[count] = b;
        b.*hi = mid;
        box[count].*lo = mid;
        Measure(b, histogram.get());
        Measure(box[count], histogram.get());
        count++;
    }
    for(int i = 0; i < count; i++) {
        int p = box[i].pixels;
        if(p == 0)
            continue;
        palette[i] = MakeRGBA(Channel(box[i].rsum, p, RED_CELLS - 1), Channel(box[i].gsum, p, GREEN_CELLS - 1),
                              Channel(box[i].bsum, p, BLUE_CELLS - 1), 255);
    }
}

void CreateColourMap(const RGBA* palette, int n, byte* map)
{
    if(n <= 0) {
        memset(map, 0, PALETTE_GRID_CELLS);
        return;
    }
    n = std::min(n, (int)MAX_BOXES);
    struct Candidate {
        int index;
        int d;
        int green;
    };
    constexpr int BUCKETS = 16;
    // One work area per map: sixteen buckets with room for every entry.
    std::unique_ptr<Candidate[]> area(new Candidate[BUCKETS * MAX_BOXES]);
    int fill[BUCKETS];
    for(int b = 0; b < BLUE_CELLS; b++)
        for(int r = 0; r < RED_CELLS; r++) {
            std::fill(fill, fill + BUCKETS, 0);
            int red = r * 255 / 31, blue = b * 17;
            for(int k = 0; k < n; k++) {
                int dr = palette[k].r - red, db = palette[k].b - blue;
                int d = dr * dr + db * db;
                int bucket = std::min(BUCKETS - 1, d >> 11);
                area[bucket * MAX_BOXES + fill[bucket]++] = {k, d, palette[k].g};
            }
            byte* out = map + r * 1024 + b * 64;
            for(int g = 0; g < GREEN_CELLS; g++) {
                int green = g * 255 / 63;
                int best = -1, best_d = 0;
                for(int j = 0; j < BUCKETS; j++) {
                    const Candidate* c = &area[j * MAX_BOXES];
                    for(int i = 0; i < fill[j]; i++) {
                        int dg = c[i].green - green;
                        int d = c[i].d + dg * dg;
                        if(best < 0 || d < best_d) {
                            best = c[i].index;
                            best_d = d;
                        }
                    }
                    if(best >= 0 && best_d < (j + 1) * 2048)
                        break;
                }
                out[g] = (byte)best;
            }
        }
}

} // namespace Qor
