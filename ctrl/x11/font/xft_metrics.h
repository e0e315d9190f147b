// Font and glyph metrics measured through Xft: the drawing layer's metric hooks.
#pragma once

#include "ctrl/x11/registrations.h"
#include "draw/font/font_metrics.h"

namespace Qor {

// Asked only for characters the font's face holds. Without a display or an Xft font the
// FreeType measure answers.
GlyphMetrics GetGlyphMetricsXft(Font font, int ch);
// Fills every measure Xft knows; without a display or an Xft font the FreeType measures.
void GetFontMetricsXft(FontMetrics& m, Font font);
// Installs both as the drawing layer's hooks.
void RegisterXftMetricHooks();

} // namespace Qor
