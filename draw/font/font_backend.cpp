// The fontconfig and FreeType back end: family list, matches, opened faces and measures.

#include "draw/font/font_backend.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_FONT_FORMATS_H

#include <cstdlib>
#include <cstring>

namespace Qor {

void (*FontMetricsHook)(FontMetrics& m, Font font) = nullptr;
GlyphMetrics (*GlyphMetricsHook)(Font font, int ch) = nullptr;

namespace {

constexpr int FACE_CACHE_SIZE = 37;
// A height no resolved font has: marks an empty cache entry.
constexpr int EMPTY_ENTRY_HEIGHT = -30000;

FT_Library library = nullptr;
bool library_tried = false;

struct FaceEntry {
    Font font;
    FT_Face face;
    String path;
};

FaceEntry face_cache[FACE_CACHE_SIZE];
bool face_cache_ready = false;

void ReleaseFontBackend()
{
    for(FaceEntry& e : face_cache) {
        if(e.face)
            FT_Done_Face(e.face);
        e.face = nullptr;
        e.path.Clear();
    }
    if(library)
        FT_Done_FreeType(library);
    library = nullptr;
}

bool InitLibrary()
{
    if(!library_tried) {
        library_tried = true;
        if(FT_Init_FreeType(&library) != 0)
            library = nullptr;
        std::atexit(ReleaseFontBackend);
    }
    return library != nullptr;
}

void InitFaceCache()
{
    if(face_cache_ready)
        return;
    face_cache_ready = true;
    for(FaceEntry& e : face_cache)
        e.font = Font().Height(EMPTY_ENTRY_HEIGHT);
}

// 26.6 fixed point to whole pixels, rounding toward minus infinity.
int FloorPixels(FT_Pos v) { return (int)(v >> 6); }

} // namespace

Vector<FontFaceInfo> BuildFontFaceList()
{
    Vector<FontFaceInfo> list;
    auto fixed = [&](const char* name, dword flags) {
        FontFaceInfo& f = list.Add();
        f.name = name;
        f.flags = flags;
    };
    fixed("STDFONT", FontFaceInfo::SCALABLE);
    fixed("serif", FontFaceInfo::SCALABLE);
    fixed("sansserif", FontFaceInfo::SCALABLE);
    fixed("monospace", FontFaceInfo::FIXED_PITCH | FontFaceInfo::SCALABLE);

    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_SPACING, FC_SCALABLE, nullptr);
    FcFontSet* set = pattern && objects ? FcFontList(nullptr, pattern, objects) : nullptr;
    if(set) {
        for(int i = 0; i < set->nfont; i++) {
            FcChar8* family = nullptr;
            if(FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch || !family)
                continue;
            FontFaceInfo& f = list.Add();
            f.name = (const char*)family;
            int spacing = 0;
            if(FcPatternGetInteger(set->fonts[i], FC_SPACING, 0, &spacing) == FcResultMatch && spacing == FC_MONO)
                f.flags |= FontFaceInfo::FIXED_PITCH;
            FcBool scalable = FcFalse;
            if(FcPatternGetBool(set->fonts[i], FC_SCALABLE, 0, &scalable) == FcResultMatch && scalable)
                f.flags |= FontFaceInfo::SCALABLE;
        }
        FcFontSetDestroy(set);
    }
    if(objects)
        FcObjectSetDestroy(objects);
    if(pattern)
        FcPatternDestroy(pattern);
    return list;
}

FcPattern* CreateFontPattern(Font font)
{
    FcPattern* p = FcPatternCreate();
    if(!p)
        return nullptr;
    String face = font.GetFaceName();
    FcPatternAddString(p, FC_FAMILY, (const FcChar8*)face.Begin());
    FcPatternAddInteger(p, FC_SLANT, font.IsItalic() ? FC_SLANT_OBLIQUE : FC_SLANT_ROMAN);
    int h = std::abs(font.GetHeight());
    FcPatternAddInteger(p, FC_PIXEL_SIZE, h ? h : 10);
    FcPatternAddInteger(p, FC_WEIGHT, font.IsBold() ? FC_WEIGHT_BOLD : FC_WEIGHT_MEDIUM);
    FcPatternAddBool(p, FC_MINSPACE, FcTrue);
    FcConfigSubstitute(nullptr, p, FcMatchPattern);
    FcDefaultSubstitute(p);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, p, &result);
    FcPatternDestroy(p);
    return match;
}

FT_Face OpenFreeTypeFace(FcPattern* match, String* path)
{
    if(!InitLibrary() || !match)
        return nullptr;
    FcChar8* file = nullptr;
    if(FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch || !file)
        return nullptr;
    if(path)
        *path = (const char*)file;
    double pixel_size = 16;
    FcPatternGetDouble(match, FC_PIXEL_SIZE, 0, &pixel_size);
    double aspect = 1;
    FcPatternGetDouble(match, FC_ASPECT, 0, &aspect);
    // A collection holds several faces: open the one the match names.
    int index = 0;
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FT_Face face = nullptr;
    if(FT_New_Face(library, (const char*)file, index & 0xFFFF, &face) != 0)
        return nullptr;
    FT_Set_Char_Size(face, (FT_F26Dot6)(aspect * pixel_size * 64), (FT_F26Dot6)(pixel_size * 64), 0, 0);
    return face;
}

FT_Face GetFreeTypeFace(Font font, String* path)
{
    InitFaceCache();
    for(int i = 0; i < FACE_CACHE_SIZE; i++) {
        if(face_cache[i].font != font)
            continue;
        if(i > 0) {
            FaceEntry hit = face_cache[i];
            for(int j = i; j > 0; j--)
                face_cache[j] = face_cache[j - 1];
            face_cache[0] = hit;
        }
        if(path)
            *path = face_cache[0].path;
        return face_cache[0].face;
    }
    FaceEntry& last = face_cache[FACE_CACHE_SIZE - 1];
    if(last.face)
        FT_Done_Face(last.face);
    for(int j = FACE_CACHE_SIZE - 1; j > 0; j--)
        face_cache[j] = face_cache[j - 1];
    FaceEntry& e = face_cache[0];
    e.font = font;
    e.path.Clear();
    FcPattern* match = CreateFontPattern(font);
    e.face = OpenFreeTypeFace(match, &e.path);
    if(match)
        FcPatternDestroy(match);
    if(path)
        *path = e.path;
    return e.face;
}

void FlushFontFaceCache()
{
    InitFaceCache();
    for(FaceEntry& e : face_cache)
        e.font = Font().Height(EMPTY_ENTRY_HEIGHT);
}

void GetFontMetricsSys(FontMetrics& m, Font font)
{
    InitLibrary();
    if(FontMetricsHook) {
        FontMetricsHook(m, font);
        return;
    }
    String path;
    FT_Face face = GetFreeTypeFace(font, &path);
    m = FontMetrics();
    m.default_char = '?';
    m.fixed_pitch = font.IsFaceFixedPitch() & 1;
    if(!face) {
        // Nothing to measure: one pixel of height keeps tab grids and line steps from
        // dividing by zero or standing still.
        m.ascent = m.height = m.line_height = 1;
        return;
    }
    const FT_Size_Metrics& sm = face->size->metrics;
    m.ascent = FloorPixels(sm.ascender);
    m.descent = -FloorPixels(sm.descender);
    m.height = m.ascent + m.descent;
    m.line_height = FloorPixels(sm.height);
    m.average_width = m.max_width = FloorPixels(sm.max_advance);
    const char* format = FT_Get_Font_Format(face);
    m.truetype = format && std::strcmp(format, "TrueType") == 0;
    if(path.GetLength() < 250)
        std::memcpy(m.path, path.Begin(), path.GetLength() + 1);
}

GlyphMetrics GetGlyphMetricsSys(Font font, int ch)
{
    GlyphMetrics g;
    FT_Face face = GetFreeTypeFace(font);
    FT_UInt index = face ? FT_Get_Char_Index(face, (FT_ULong)ch) : 0;
    if(index == 0)
        return g;
    if(GlyphMetricsHook)
        return GlyphMetricsHook(font, ch);
    if(FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP) != 0 && FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0)
        return g;
    const FT_Glyph_Metrics& gm = face->glyph->metrics;
    FT_Pos bx = gm.horiBearingX;
    FT_Pos w = gm.width;
    FT_Pos ax = face->glyph->advance.x;
    int advance = FloorPixels(ax + 32);
    g.advance = (int16)advance;
    g.left_bearing = (int16)FloorPixels(bx);
    // The right edge rounded up: -floor(-v / 64).
    g.right_bearing = (int16)(advance + FloorPixels(-(bx + w)));
    g.glyph = (uint16)index;
    return g;
}

} // namespace Qor

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
// fontconfig loses a few blocks while parsing some system configurations, and cairo (under
// the GTK theme's painting) a few of its caches, once per process; the leak checker is told
// so, and only about those libraries' own allocations.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\nleak:libcairo.so\n";
}
#endif
#endif
