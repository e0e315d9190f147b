// The colour-to-pixel conversion of visuals that are not TrueColor: a set of standard
// colours is allocated in the colormap and every colour maps to the nearest cell.
#include "ctrl/x11/display/x11_display_internal.h"

#include <climits>

namespace Qor {

namespace {

enum { GRID_R = 12, GRID_G = 24, GRID_B = 12 };

unsigned long PalettePixel(int r, int g, int b)
{
    return nearest_pixel[(r & 255) * (GRID_R - 1) / 255 * (GRID_G * GRID_B) + (g & 255) * (GRID_G - 1) / 255 * GRID_B +
                         (b & 255) * (GRID_B - 1) / 255];
}

// Allocates the standard colours in order; false once the colormap is full or enough are
// allocated, which ends the sequence.
struct ColorAllocator {
    ::Display* d;
    Colormap cm;
    int count = 0;
    bool stopped = false;

    void Add(int r, int g, int b)
    {
        if(stopped)
            return;
        XColor c = {};
        c.red = (unsigned short)r;
        c.green = (unsigned short)g;
        c.blue = (unsigned short)b;
        c.flags = DoRed | DoGreen | DoBlue;
        if(!XAllocColor(d, cm, &c) || ++count > 256)
            stopped = true;
    }
};

void AllocateStandardColors(::Display* d, Colormap cm)
{
    ColorAllocator a{ d, cm };
    static const int corner[] = { 0, 0xFFFF };
    for(int r : corner)
        for(int g : corner)
            for(int b : corner)
                a.Add(r, g, b);
    static const int half[] = { 0, 0x7FFF, 0xFFFF };
    for(int r : half)
        for(int g : half)
            for(int b : half)
                if(r == 0x7FFF || g == 0x7FFF || b == 0x7FFF)
                    a.Add(r, g, b);
    static const int level[] = { 0xFFFF, 0xCCCC, 0x9999, 0x6666, 0x3333, 0 };
    auto is_edge = [](int v) { return v == 0 || v == 0xFFFF; };
    for(int r : level)
        for(int g : level)
            for(int b : level)
                if(!(is_edge(r) && is_edge(g) && is_edge(b)))
                    a.Add(r, g, b);
    for(int v : { 0x1745, 0x45D1, 0x745C, 0xA2E8, 0xD173, 0xFFFF })
        a.Add(v, v, v);
    for(int n = 255; n >= 0; n--)
        a.Add(n * 256, n * 256, n * 256);
}

} // namespace

void InitPaletteMode(::Display* d, Colormap cm, Visual* v)
{
    AllocateStandardColors(d, cm);
    // The colormap's own size: pixels past it do not exist (and a deep palette visual
    // would otherwise ask for millions of cells).
    int n = v->map_entries > 0 ? v->map_entries : 256;
    Vector<XColor> cells;
    cells.SetCount(n);
    for(int i = 0; i < n; i++) {
        cells[i] = XColor{};
        cells[i].pixel = (unsigned long)i;
    }
    XQueryColors(d, cm, cells.begin(), n);
    palette.SetCount(3 * n);
    for(int i = 0; i < n; i++) {
        palette[3 * i] = (byte)cells[i].blue;
        palette[3 * i + 1] = (byte)cells[i].green;
        palette[3 * i + 2] = (byte)cells[i].red;
    }
    nearest_pixel.SetCount(GRID_R * GRID_G * GRID_B);
    for(int ri = 0; ri < GRID_R; ri++)
        for(int gi = 0; gi < GRID_G; gi++)
            for(int bi = 0; bi < GRID_B; bi++) {
                int r = ri * 255 / (GRID_R - 1), g = gi * 255 / (GRID_G - 1), b = bi * 255 / (GRID_B - 1);
                int best = INT_MAX;
                unsigned long pixel = 0;
                for(int i = 0; i < n; i++) {
                    int dr = (cells[i].red >> 8) - r, dg = (cells[i].green >> 8) - g, db = (cells[i].blue >> 8) - b;
                    int dist = dr * dr + dg * dg + db * db;
                    if(dist < best) {
                        best = dist;
                        pixel = cells[i].pixel;
                    }
                }
                nearest_pixel[ri * GRID_G * GRID_B + gi * GRID_B + bi] = pixel;
            }
    pixel_function = PalettePixel;
}

} // namespace Qor
