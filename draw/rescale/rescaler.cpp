// Rescaler: horizontally sampled rows in a ring combined by the vertical map; the Image
// and encoder entry points.

#include "draw/rescale/rescaler.h"

#include "draw/raster/raster_encoder.h"

#include <cstring>

namespace Qor {

bool Rescaler::Create(Size destination, Raster& src, const Rect& r)
{
    source = &src;
    size = destination;
    state = -1;
    line_y = 0;
    if(size.cx <= 0 || size.cy <= 0 || !IsValidImageSize(size.cx, size.cy))
        return false;
    source_size = src.GetSize();
    x0 = 0;
    x1 = size.cx;
    BuildSampleMap(hmap, x0, x1, 0, size.cx, r.left, r.right, 0, source_size.cx, 1, 256);
    if(hmap.IsEmpty())
        return false;
    y0 = 0;
    y1 = size.cy;
    BuildSampleMap(vmap, y0, y1, 0, size.cy, r.top, r.bottom, 0, source_size.cy, 1, 256);
    if(vmap.IsEmpty())
        return false;
    static const RowSampler samplers[] = {SampleRowOneTap, SampleRowTwoTaps, SampleRowThreeTaps,
                                          SampleRowFourSpaced};
    int htaps = hmap[1];
    if(htaps < 1 || htaps > 4)
        return false;
    sampler = samplers[htaps - 1];
    vtaps = vmap[1];
    vstep = vmap[3];
    vfour = vtaps == 4;
    row_ints = size.cx * 4;
    acc.reset(new int32[(size_t)vtaps * row_ints]);
    cursor = vmap.begin() + SAMPLE_MAP_HEADER;
    entries_left = vmap[0];
    first_row = cursor[0];
    rows_held = 0;
    row = 0;
    for(Slot& s : slot) {
        s.line = RasterLine();
        s.y = -1;
    }
    next_slot = 0;
    state = 0;
    return true;
}

const RGBA* Rescaler::GetSourceLine(int y)
{
    for(Slot& s : slot)
        if(s.y == y)
            return s.line.GetRGBA();
    Slot& s = slot[next_slot];
    next_slot = (next_slot + 1) & 3;
    s.line = source->GetLine(y);
    s.y = y;
    return s.line.GetRGBA();
}

void Rescaler::Sample(int y, int32* into)
{
    // Entries clipped away on the left stay transparent.
    sampler(into + x0 * 4, GetSourceLine(y), hmap);
}

void Rescaler::GetLine(RGBA* out)
{
    int y = line_y++;
    if(state < 0 || entries_left <= 0 || y < y0 || y >= y1) {
        memset(out, 0, size.cx > 0 ? size.cx * sizeof(RGBA) : 0);
        return;
    }
    row += cursor[0];
    int n = row_ints;
    if(vfour) {
        for(int k = 0; k < 4; k++) {
            memset(acc.get() + k * n, 0, n * sizeof(int32));
            Sample(row + k * vstep, acc.get() + k * n);
        }
        const int32 *a = acc.get(), *b = a + n, *c = b + n, *d = c + n;
        byte* o = (byte*)out;
        for(int i = 0; i < n; i++)
            o[i] = (byte)((a[i] + b[i] + c[i] + d[i]) >> 10);
        cursor += 1;
    }
    else {
        int C = vtaps;
        while(first_row + rows_held < row + C) {
            int r = first_row + rows_held;
            int32* into = acc.get() + (r % C) * n;
            memset(into, 0, n * sizeof(int32));
            Sample(r, into);
            if(rows_held == C)
                first_row++;
            else
                rows_held++;
        }
        while(row < first_row) {
            first_row--;
            int32* into = acc.get() + (first_row % C) * n;
            memset(into, 0, n * sizeof(int32));
            Sample(first_row, into);
            rows_held = std::min(rows_held + 1, C);
        }
        const int* w = cursor + 1;
        byte* o = (byte*)out;
        if(C == 1) {
            const int32* a = acc.get() + (row % C) * n;
            for(int i = 0; i < n; i++)
                o[i] = (byte)((256 * a[i]) >> 16);
        }
        else if(C == 2) {
            // The enlargement case: two rows, kept apart so the loop vectorises.
            const int32* a = acc.get() + (row % 2) * n;
            const int32* b = acc.get() + ((row + 1) % 2) * n;
            int w0 = w[0], w1 = w[1];
            for(int i = 0; i < n; i++)
                o[i] = (byte)((w0 * a[i] + w1 * b[i]) >> 16);
        }
        else {
            const int32* rows[3];
            for(int k = 0; k < C; k++)
                rows[k] = acc.get() + ((row + k) % C) * n;
            for(int i = 0; i < n; i++) {
                int sum = 0;
                for(int k = 0; k < C; k++)
                    sum += w[k] * rows[k][i];
                o[i] = (byte)(sum >> 16);
            }
        }
        cursor += C + 1;
    }
    entries_left--;
}

bool RescaleThroughEncoder(RasterEncoder& encoder, Size destination, Raster& source, const Rect& source_rect,
                           BoolCallback2<int, int> progress)
{
    encoder.Start(destination, source);
    if(encoder.GetSize() != destination || !encoder.GetCurrentLine())
        return destination.cx == 0 || destination.cy == 0;
    Rescaler rescaler;
    rescaler.Create(destination, source, source_rect);
    for(int y = 0; y < destination.cy; y++) {
        if(progress.IsTrue() || (progress && progress(y, destination.cy)))
            return false;
        rescaler.GetLine(encoder.GetCurrentLine());
        encoder.WriteLine();
    }
    return true;
}

Image RescaleImage(const Image& img, Size destination, const Rect& source_rect)
{
    Size isz = img.GetSize();
    if(destination == isz && source_rect == Rect(isz))
        return img;
    ImageRaster raster(img);
    ImageEncoder encoder;
    RescaleThroughEncoder(encoder, destination, raster, source_rect);
    return encoder.GetImage();
}

Image RescaleImage(const Image& img, Size destination)
{
    if(destination == img.GetSize())
        return img;
    return RescaleImage(img, destination, Rect(img.GetSize()));
}

Image RescaleImage(const Image& img, int cx, int cy)
{
    return RescaleImage(img, Size(cx, cy));
}

} // namespace Qor
