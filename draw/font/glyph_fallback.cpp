// What stands in for a glyph a font lacks: a letter composed of a base letter and an
// accent, or the same character from a replacement face shrunk to fit the font.

#include "draw/font/compose_table_internal.h"
#include "draw/font/font_metrics.h"

#include <algorithm>

namespace Qor {

namespace {

constexpr int MAX_REPLACEMENT_FACES = 20;
constexpr int HEIGHT_CACHE = 256;

// Tried in this order; names the system lacks find no face.
const char* const replacement_names[] = {
    "sans-serif", "Arial", "新宋体", "SimSun", "宋体", "微软雅黑", "Microsoft YaHei", "Arial Unicode MS",
    "MS UI Gothic", "MS Mincho", "VL Gothic", "VL PGothic", "UnDotum", "UnBatang", "DejaVu Sans Mono",
    "DejaVu Sans", "AlArabiyaFreeSerif", "Kochi Mincho", "Kochi Gothic", "Sazanami Mincho",
    "Sazanami Gothic", "Gulim", "PMingLiU", "FreeSans", "FreeSerif", "Symbol",
};

int replacement_faces[MAX_REPLACEMENT_FACES];
int replacement_count = -1;

struct HeightEntry {
    Font requested;
    Font before;
    Font after;
};

HeightEntry height_cache[HEIGHT_CACHE];

void BuildReplacementList()
{
    replacement_count = 0;
    for(const char* name : replacement_names) {
        if(replacement_count >= MAX_REPLACEMENT_FACES)
            break;
        int face = FindFontFace(name);
        if(face > 0)
            replacement_faces[replacement_count++] = face;
    }
}

bool FitsIn(const FontMetrics& r, const FontMetrics& f)
{
    return r.ascent <= f.ascent && r.descent <= f.descent;
}

// Lowers the height until the replacement's ascent and descent fit the font's.
Font ShrinkToFit(Font r, const FontMetrics& fm)
{
    while(!FitsIn(LookupFontMetrics(r), fm)) {
        int h = r.GetHeight();
        if(h < 2)
            break;
        r.Height(std::max(1, std::min(h - 1, h * 9 / 10)));
    }
    return r;
}

} // namespace

bool FindReplacementFont(Font font, int ch, Font& out)
{
    if(replacement_count < 0)
        BuildReplacementList();
    for(int i = 0; i < replacement_count; i++) {
        Font r = Font(font).Face(replacement_faces[i]);
        if(!IsGlyphPresent(r, ch))
            continue;
        FontMetrics fm = LookupFontMetrics(font);
        if(FitsIn(LookupFontMetrics(r), fm)) {
            out = r;
            return true;
        }
        HeightEntry& e = height_cache[((FontHash(font) ^ 0xE2F62FF2u) * 17 ^ FontHash(r)) & (HEIGHT_CACHE - 1)];
        if(e.requested != font || e.before != r) {
            e.requested = font;
            e.before = r;
            e.after = ShrinkToFit(r, fm);
        }
        out = e.after;
        return true;
    }
    return false;
}

bool ComposeGlyph(Font font, int ch, ComposedGlyph& out)
{
    if(ch < 0x100 || ch > 0x17F)
        return false;
    const ComposeEntry& c = compose_table[ch - 0x100];
    if(c.kind == ComposeEntry::NONE)
        return false;
    GlyphMetrics base = GetGlyphMetrics(font, c.base);
    if(!base.IsPresent())
        return false;
    int accent = c.accent;
    if(accent == ComposeEntry::RAISED_COMMA)
        accent = LookupFontMetrics(font).fixed_pitch ? 0x02C7 : ',';
    else if(accent == ComposeEntry::RAISED_COMMA_NARROW)
        accent = ',';
    GlyphMetrics am = GetGlyphMetrics(font, accent);
    if(!am.IsPresent())
        return false;
    int wb = base.advance;
    int wa = am.advance;
    int h = font.GetHeight();
    bool italic = font.IsItalic();
    out.base = (uint16)c.base;
    out.accent = (uint16)accent;
    out.accent_font = font;
    out.accent_dx = out.accent_dy = 0;
    if(accent == ',' && c.accent == ComposeEntry::RAISED_COMMA) {
        out.accent_dx = wb - wa / 4 + (italic ? wa / 3 : 0);
        out.accent_dy = -(2 * h / 3);
    }
    else if(accent == ',' && c.accent == ComposeEntry::RAISED_COMMA_NARROW) {
        out.accent_dx = wb - wa / 2 + (italic ? wa / 3 : 0);
        out.accent_dy = -(2 * h / 3);
    }
    else if(accent == ',') {
        out.accent_dx = 4 * wb / 10 + (italic ? wa / 2 : 0);
        out.accent_dy = -(3 * h / 4);
    }
    else if(accent == '-') {
    }
    else if(accent == 0x02DB || accent == 0x00B8 || c.kind == ComposeEntry::SMALL)
        out.accent_dx = (wb - wa) / 2 + (italic ? wa / 5 : 0);
    else {
        // Capitals leave little room above: a smaller accent, raised a little.
        out.accent_font = Font(font).Height(h * 9 / 10);
        GlyphMetrics small = GetGlyphMetrics(out.accent_font, accent);
        if(!small.IsPresent())
            return false;
        int wa2 = small.advance;
        out.accent_dx = (wb - wa2) / 2 + (italic ? wa2 / 5 : 0);
        out.accent_dy = accent == 0x02DA ? -(h / 19) : -(h / 10);
    }
    return true;
}

} // namespace Qor
