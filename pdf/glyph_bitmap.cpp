// RenderGlyphBitmap: a character drawn in bands by the drawing layer and packed one bit per pixel.
#include "pdf/glyph_bitmap.h"

#include "draw/font/font_metrics.h"
#include "draw/image/pixel_format.h"
#include "draw/target/draw_hooks.h"

#include <algorithm>

namespace Qor {

namespace {

// Bands keep each rendered image small whatever the font's height.
constexpr int BAND = 16;

} // namespace

GlyphBitmap RenderGlyphBitmap(Font font, int ch)
{
    GlyphBitmap g;
    g.cx = std::max(font.GetCharWidth(ch), 0);
    g.cy = std::max(font.GetMetrics().height, 0);
    int left = font.GetLeftBearing(ch);
    if(left < 0) {
        g.cx -= left;
        g.x0 = -left;
    }
    int right = font.GetRightBearing(ch);
    if(right < 0)
        g.cx -= right;
    PixelFormat format;
    format.code = PixelFormat::PAL1 | PixelFormat::HIGH_FIRST;
    int row_bytes = format.GetByteCount(g.cx);
    Vector<byte> row, white_row;
    row.SetCount(row_bytes);
    white_row.SetCount(row_bytes, 0xFF);
    // A glyph of no width has rows of no bytes.
    if(row_bytes == 0)
        return g;
    for(int y0 = 0; y0 < g.cy; y0 += BAND) {
        int rows = std::min(BAND, g.cy - y0);
        Image band = RenderGlyphImage(g.cx, g.x0, font, ch, y0, rows);
        bool drawn = band.GetWidth() == g.cx && band.GetHeight() == rows;
        for(int y = 0; y < rows; y++) {
            if(!drawn) {
                g.data.Append((const char*)white_row.begin(), row_bytes);
                continue;
            }
            format.WriteLine(row.begin(), band[y], g.cx);
            g.data.Append((const char*)row.begin(), row_bytes);
        }
    }
    return g;
}

} // namespace Qor
