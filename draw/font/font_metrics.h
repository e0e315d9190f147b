// Font and glyph metrics: the measures of a font and of one character, kept in fixed
// process-wide caches, with the fallback decided for characters a font lacks (a composed
// letter, a replacement face, a white square) and the standard font's changes.
#pragma once

#include "draw/font/font.h"
#include "foundation/values/size.h"

namespace Qor {

struct FontMetrics {
    int32 ascent = 0;
    int32 descent = 0;
    int32 external_leading = 0;
    int32 internal_leading = 0;
    int32 height = 0;
    int32 line_height = 0;
    int32 overhang = 0;
    int32 average_width = 0;
    int32 max_width = 0;
    int32 default_char = 0;
    byte fixed_pitch = 0;
    byte truetype = 0;
    char path[256] = {};
};

// One character of a font in 64 bits. For a missing glyph (advance MISSING) the bearing
// fields carry the fallback: left -1 and right the base letter for a composed letter;
// left a face index and right a height for a replacement face; left -2 for none.
struct GlyphMetrics {
    static constexpr int16 MISSING = -32768;
    enum : int16 { COMPOSED = -1, NO_FALLBACK = -2 };

    int16 advance = MISSING;
    int16 left_bearing = 0;
    int16 right_bearing = 0;
    uint16 glyph = 0;

    bool IsPresent() const { return advance != MISSING; }
    bool IsReplaced() const { return !IsPresent() && left_bearing >= 0; }
    bool IsComposed() const { return !IsPresent() && left_bearing == COMPOSED; }
};

static_assert(sizeof(GlyphMetrics) == 8, "glyph metrics are one 64-bit value");

// A letter drawn as its base letter with a spacing accent over it.
struct ComposedGlyph {
    uint16 base = 0;
    int32 accent_dx = 0;
    int32 accent_dy = 0;
    uint16 accent = 0;
    Font accent_font;
};

// Hooks the window core installs to measure through its own font library.
extern void (*FontMetricsHook)(FontMetrics& m, Font font);
extern GlyphMetrics (*GlyphMetricsHook)(Font font, int ch);
// Called when the standard font changes.
extern void (*StandardFontChangeHook)();

// Through the 64-entry cache only (no last-font record).
FontMetrics LookupFontMetrics(Font font);
// The font must be resolved. Cached, with the fallback recorded for a missing glyph.
GlyphMetrics GetGlyphMetrics(Font font, int ch);
// Whether the font has its own glyph; stores nothing.
bool IsGlyphPresent(Font font, int ch);
// Turns the record of a missing glyph into the record of what is drawn instead.
void ResolveGlyphReplacement(GlyphMetrics& m, Font font, int ch);
bool ComposeGlyph(Font font, int ch, ComposedGlyph& out);
bool FindReplacementFont(Font font, int ch, Font& out);

void SetStandardFont(Font font);
// Average character width of the standard font, height of its bold variant.
Size GetStandardFontSize();

} // namespace Qor
