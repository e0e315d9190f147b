// The metric caches: font metrics with the last-font record, the direct and hashed glyph
// caches, measuring with the whole fallback, and changes of the standard font.

#include "draw/font/font_metrics.h"

#include "draw/font/font_backend.h"
#include "draw/font/font_internal.h"
#include "foundation/file_io.h"

namespace Qor {

void (*StandardFontChangeHook)() = nullptr;

namespace {

constexpr int METRICS_CACHE = 64;
constexpr int DIRECT_GLYPHS = 512;
constexpr int HASHED_GLYPHS = 4093;

struct MetricsEntry {
    FontMetrics metrics;
    Font font;
    bool filled = false;
};

// Keys start as a height no resolved font has, so empty entries never match.
constexpr Font EMPTY_KEY = Font::FromData((uint64)0x8AD0 << 32);

struct GlyphEntry {
    Font font = EMPTY_KEY;
    GlyphMetrics metrics;
    uint32 ch = 0;
};

MetricsEntry metrics_cache[METRICS_CACHE];
GlyphEntry direct_glyphs[DIRECT_GLYPHS];
GlyphEntry hashed_glyphs[HASHED_GLYPHS];

struct LastFont {
    Font requested;
    FontMetrics metrics;
    Font standard;
    bool valid = false;
} last_font;

Size standard_font_size;
bool standard_font_size_ready = false;
int font_change = 0;
int font_change_hook_again = 0;

// The metrics of an entry, filled from the back end when the key differs.
const FontMetrics& CachedMetrics(Font resolved)
{
    MetricsEntry& e = metrics_cache[FontHash(resolved) & (METRICS_CACHE - 1)];
    if(!e.filled || e.font != resolved) {
        e.font = resolved;
        e.filled = true;
        GetFontMetricsSys(e.metrics, resolved);
    }
    return e.metrics;
}

// The back end's answer with the fallback recorded in the bearing fields when missing.
GlyphMetrics MeasureWithFallback(Font font, int ch)
{
    GlyphMetrics m = GetGlyphMetricsSys(font, ch);
    if(m.IsPresent())
        return m;
    ComposedGlyph cg;
    Font r;
    if(ComposeGlyph(font, ch, cg)) {
        m.left_bearing = GlyphMetrics::COMPOSED;
        m.right_bearing = (int16)cg.base;
    }
    else if(FindReplacementFont(font, ch, r)) {
        m.left_bearing = (int16)r.GetFace();
        m.right_bearing = (int16)r.GetHeight();
    }
    else
        m.left_bearing = GlyphMetrics::NO_FALLBACK;
    return m;
}

void SyncStandardFontSize()
{
    Font standard = GetStandardFont();
    standard_font_size.cx = LookupFontMetrics(standard).average_width;
    standard_font_size.cy = LookupFontMetrics(standard.Bold()).height;
    standard_font_size_ready = true;
}

} // namespace

FontMetrics LookupFontMetrics(Font font)
{
    return CachedMetrics(font.Resolve());
}

const FontMetrics& Font::GetMetrics() const
{
    Font standard = GetStandardFont();
    if(last_font.standard != standard) {
        last_font.standard = standard;
        last_font.valid = false;
    }
    if(last_font.valid && last_font.requested == *this)
        return last_font.metrics;
    last_font.metrics = CachedMetrics(Resolved());
    last_font.requested = *this;
    last_font.valid = true;
    return last_font.metrics;
}

int Font::GetAscent() const { return GetMetrics().ascent; }
int Font::GetDescent() const { return GetMetrics().descent; }

GlyphMetrics GetGlyphMetrics(Font font, int ch)
{
    uint32 g = GlyphHash(font, ch);
    GlyphEntry& direct = direct_glyphs[g & (DIRECT_GLYPHS - 1)];
    if(direct.font == font && direct.ch == (uint32)ch)
        return direct.metrics;
    GlyphEntry& hashed = hashed_glyphs[g % HASHED_GLYPHS];
    if(hashed.font != font || hashed.ch != (uint32)ch) {
        // Worked out before storing: the fallback search measures other glyphs, which may
        // land in this very entry.
        GlyphMetrics m = MeasureWithFallback(font, ch);
        hashed.font = font;
        hashed.ch = (uint32)ch;
        hashed.metrics = m;
    }
    direct = hashed;
    return direct.metrics;
}

bool IsGlyphPresent(Font font, int ch)
{
    const GlyphEntry& hashed = hashed_glyphs[GlyphHash(font, ch) % HASHED_GLYPHS];
    if(hashed.font == font && hashed.ch == (uint32)ch)
        return hashed.metrics.IsPresent();
    return GetGlyphMetricsSys(font, ch).IsPresent();
}

namespace {

// What is drawn for ch in the font, after every fallback.
GlyphMetrics FinalGlyphMetrics(Font font, int ch)
{
    font.Resolve();
    GlyphMetrics m = GetGlyphMetrics(font, ch);
    if(m.IsPresent())
        return m;
    if(m.left_bearing == GlyphMetrics::NO_FALLBACK) {
        Font square = Font(Font::SANSSERIF, font.GetHeight());
        GlyphMetrics r = GetGlyphMetrics(square, 0x25A1);
        return r.IsPresent() ? r : GetGlyphMetrics(square, ' ');
    }
    if(m.left_bearing >= 0) {
        GlyphMetrics r = GetGlyphMetrics(Font(font).Face(m.left_bearing).Height(m.right_bearing), ch);
        if(r.IsPresent())
            return r;
        m = r;
    }
    if(m.left_bearing == GlyphMetrics::COMPOSED)
        return GetGlyphMetrics(font, m.right_bearing);
    return m;
}

} // namespace

int Font::GetCharWidth(int ch) const
{
    GlyphMetrics m = FinalGlyphMetrics(*this, ch);
    // Nothing at all could show the character: it takes no room rather than a negative one.
    return m.IsPresent() ? m.advance : 0;
}

int Font::GetLeftBearing(int ch) const { return FinalGlyphMetrics(*this, ch).left_bearing; }
int Font::GetRightBearing(int ch) const { return FinalGlyphMetrics(*this, ch).right_bearing; }

String Font::GetFilePath() const
{
    const FontMetrics& m = GetMetrics();
    return m.path[0] ? ReadWholeFile(m.path) : String::GetVoid();
}

void ResolveGlyphReplacement(GlyphMetrics& m, Font font, int ch)
{
    if(m.IsPresent())
        return;
    if(m.left_bearing >= 0) {
        m = GetGlyphMetrics(Font(font).Face(m.left_bearing).Height(m.right_bearing), ch);
        if(m.IsPresent())
            return;
    }
    if(m.left_bearing == GlyphMetrics::COMPOSED)
        m = GetGlyphMetrics(font, m.right_bearing);
}

void SetStandardFont(Font font)
{
    if(font_change)
        return;
    font_change = 1;
    InitStandardFont();
    StandardFontSlot() = font;
    SyncStandardFontSize();
    if(StandardFontChangeHook)
        StandardFontChangeHook();
    font_change--;
    if(!font_change_hook_again) {
        font_change_hook_again = 1;
        if(StandardFontChangeHook)
            StandardFontChangeHook();
        font_change_hook_again--;
    }
}

Size GetStandardFontSize()
{
    if(!standard_font_size_ready)
        SyncStandardFontSize();
    return standard_font_size;
}

} // namespace Qor
