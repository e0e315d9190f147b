// The standard font from the desktop's font name.
#pragma once

#include "draw/font/font.h"
#include "foundation/string.h"
#include "hostlook/registrations.h"

namespace Qor {

// A font name is a face, optional style words and a size in points ("Sans Bold Italic 10");
// dpi is in 1/1024 dots per inch. The face is the longest leading run of words that is a
// known face, the dropped words Bold or Heavy and Italic or Oblique setting the style; with
// none known, the first letter picks monospace (M), serif (Se) or sans-serif. A name without
// a size gives 13 points, and the size is kept within 1..1000 points.
Font GtkFontFromName(const String& name, int dpi);

} // namespace Qor
