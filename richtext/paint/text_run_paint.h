// PaintTextRun: one run of characters of one format on one line, with its paper, index-entry
// mark, dashes, link underline, tab leaders and code marks.
#pragma once

#include "draw/target/draw.h"
#include "richtext/model/formats.h"
#include "richtext/paint/paint_info.h"

namespace Qor {

// text, shown and dx are the codes, the characters drawn (a tab as a space) and the device
// advances of the whole line; the run is count
// characters from first. x_start and x_end (dots) bound the run; baseline, top, height and
// ascent (dots) are the line's. A highlighted paragraph paints no character paper.
void PaintTextRun(Draw& w, const RichPaintInfo& pi, const wchar16* text, const wchar16* shown, const CharacterFormat& f,
                  const int* dx, int first, int count, int x_start, int x_end, int baseline, int top, int height,
                  int ascent, ZoomRatio z, bool highlighted);

} // namespace Qor
