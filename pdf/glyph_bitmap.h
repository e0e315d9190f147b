// GlyphBitmap: one character rendered as a 1-bit image, the glyph of a Type 3 font.
#pragma once

#include "draw/font/font.h"
#include "foundation/string.h"

namespace Qor {

// cx × cy pixels in rows of whole bytes, most significant bit first, black 0 and white 1; the glyph is drawn x0
// dots right of the bitmap's left edge.
struct GlyphBitmap {
    String data;
    int cx = 0;
    int cy = 0;
    int x0 = 0;
};

// The character's advance widened by negative side bearings, one line of the font high. Rows that no renderer
// can draw are left white, so the bitmap always holds every row it claims.
GlyphBitmap RenderGlyphBitmap(Font font, int ch);

} // namespace Qor
