// Xft fonts for Font values: the fontconfig request, the desktop settings applied to the
// match, and the fonts opened from it.
#pragma once

#include "ctrl/x11/registrations.h"
#include "ctrl/x11/font/xft_settings.h"
#include "draw/font/font.h"

// Kept free of the X headers, whose macros (Complex, Bool, None) clash with Qor's names.
typedef struct _XftFont XftFont;
typedef struct _FcPattern FcPattern;

namespace Qor {

// The pixel size a font is opened at: its absolute height, or for height 0 the standard
// font size's height but at least 10.
int GetXftPixelSize(Font font);
// The request: family, slant, pixel size, weight, minspace and, for a non-zero angle (tenths
// of a degree, counter-clockwise), the rotation matrix. The caller destroys it.
FcPattern* CreateXftFontRequest(Font font, int angle);
// Overrides in a matched pattern what the settings (and a no-anti-aliasing font) decide.
void ApplyXftRenderSettings(FcPattern* match, Font font, const XftRenderSettings& settings);
// Opens the font on the display; null when nothing matches or the match cannot be opened.
// The match of a request is kept for the next opening of the same request.
XftFont* CreateXftFont(Font font, int angle);
// Drops the kept matches: a display set up anew may match otherwise.
void ForgetXftMatches();
// Closes a font of CreateXftFont while the display is open.
void CloseXftFont(XftFont* font);

} // namespace Qor
