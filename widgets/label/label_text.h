// Caption text: plain lines or, after a first byte 1, Qtf rich text; measured and drawn with
// its access key underlined.
#pragma once

#include "draw/font/font.h"
#include "foundation/string.h"
#include "foundation/values/color.h"
#include "foundation/values/size.h"

namespace Qor {

class Draw;

// True when text starts with the byte that makes the rest Qtf markup.
inline bool IsRichCaption(const char* text) { return text && *text == 1; }

// Rich text: its natural width, at most max_width, and its height at that width (screen
// zoom). Plain text: the size of its lines in font; max_width plays no part.
Size GetLabelTextSize(const char* text, Font font, int max_width);
// Rich text laid out cx wide (its markup carries font and ink); plain text in font and ink
// with the access key (see access_key.h) underlined.
void DrawLabelText(Draw& w, int x, int y, int cx, const char* text, Font font, Color ink, int access_key);
inline Size GetLabelTextSize(const String& text, Font font, int max_width)
{
    return GetLabelTextSize(text.Begin(), font, max_width);
}
inline void DrawLabelText(Draw& w, int x, int y, int cx, const String& text, Font font, Color ink, int access_key)
{
    DrawLabelText(w, x, y, cx, text.Begin(), font, ink, access_key);
}

} // namespace Qor
