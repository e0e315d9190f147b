// Font and glyph metrics through the measuring cache of Xft fonts.

#include "ctrl/x11/font/xft_metrics.h"

#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/font/xft_font_cache.h"
#include "draw/font/font_backend.h"

#include <X11/Xft/Xft.h>

#include <cstring>

namespace Qor {

namespace {

// The drawing layer's own measures, reached by stepping its hook aside for one call.
GlyphMetrics FreeTypeGlyphMetrics(Font font, int ch)
{
    GlyphMetrics (*saved)(Font, int) = GlyphMetricsHook;
    GlyphMetricsHook = nullptr;
    GlyphMetrics g = GetGlyphMetricsSys(font, ch);
    GlyphMetricsHook = saved;
    return g;
}

void FreeTypeFontMetrics(FontMetrics& m, Font font)
{
    void (*saved)(FontMetrics&, Font) = FontMetricsHook;
    FontMetricsHook = nullptr;
    GetFontMetricsSys(m, font);
    FontMetricsHook = saved;
}

XftFont* MetricsFont(Font resolved) { return display ? GetXftMetricsFontCache().Get(resolved, 0) : nullptr; }

} // namespace

GlyphMetrics GetGlyphMetricsXft(Font font, int ch)
{
    font.Resolve();
    XftFont* f = MetricsFont(font);
    if(!f)
        return FreeTypeGlyphMetrics(font, ch);
    FcChar32 c = (FcChar32)ch;
    XGlyphInfo info;
    XftTextExtents32(display, f, &c, 1, &info);
    GlyphMetrics g;
    g.advance = info.xOff;
    g.left_bearing = (int16)-info.x;
    g.right_bearing = (int16)(info.xOff + info.x - info.width);
    g.glyph = 0;
    return g;
}

void GetFontMetricsXft(FontMetrics& m, Font font)
{
    font.Resolve();
    XftFont* f = MetricsFont(font);
    if(!f) {
        FreeTypeFontMetrics(m, font);
        return;
    }
    m.ascent = f->ascent;
    m.descent = f->descent;
    m.external_leading = 0;
    m.internal_leading = 0;
    m.height = f->ascent + f->descent;
    m.line_height = f->height;
    m.overhang = 0;
    m.average_width = m.max_width = f->max_advance_width;
    m.default_char = '?';
    m.fixed_pitch = font.IsFaceFixedPitch() & 1;
    // The caller's record may hold another font's measures: every field is this font's.
    FcChar8* format = nullptr;
    m.truetype = FcPatternGetString(f->pattern, FC_FONTFORMAT, 0, &format) == FcResultMatch && format &&
                 std::strcmp((const char*)format, "TrueType") == 0;
    m.path[0] = 0;
    FcChar8* file = nullptr;
    if(FcPatternGetString(f->pattern, FC_FILE, 0, &file) == FcResultMatch && file) {
        size_t n = std::strlen((const char*)file);
        if(n < 250)
            std::memcpy(m.path, file, n + 1);
    }
}

void RegisterXftMetricHooks()
{
    FontMetricsHook = GetFontMetricsXft;
    GlyphMetricsHook = GetGlyphMetricsXft;
}

} // namespace Qor
