// The font back end on fontconfig and FreeType: the system's families for the face list,
// a Font turned into a match and an opened face (kept in a small most-recently-used cache),
// and the font and glyph measures the metric caches ask for.
#pragma once

#include "draw/font/font.h"
#include "draw/font/font_metrics.h"

typedef struct _FcPattern FcPattern;
typedef struct FT_FaceRec_* FT_Face;

namespace Qor {

// The four fixed faces followed by one entry per listed pattern, in the system's order.
Vector<FontFaceInfo> BuildFontFaceList();
// A match for the font; the caller destroys it with FcPatternDestroy.
FcPattern* CreateFontPattern(Font font);
// Opens the face the match names at its pixel size; null on any failure.
FT_Face OpenFreeTypeFace(FcPattern* match, String* path = nullptr);
// Through the cache of the most recently used faces; a font that could not be opened
// stays cached as null.
FT_Face GetFreeTypeFace(Font font, String* path = nullptr);
// Every cached face is opened again on next use.
void FlushFontFaceCache();

// Through FontMetricsHook when installed, else FreeType. A font that cannot be opened
// still gets usable measures: height 1, advances 0.
void GetFontMetricsSys(FontMetrics& m, Font font);
GlyphMetrics GetGlyphMetricsSys(Font font, int ch);

} // namespace Qor
