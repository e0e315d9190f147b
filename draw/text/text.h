// Text measuring and the text layouts built on Draw::DrawText: a line cut with an
// ellipsis, and multi-line text with tab stops and an underlined access key.
#pragma once

#include "draw/font/font.h"
#include "foundation/values/color.h"
#include "foundation/values/size.h"
#include "foundation/wstring.h"

namespace Qor {

class Draw;

// Width: the sum of the characters' advances; height: the font's height. Never allocates.
Size GetTextSize(const wchar16* text, Font font, int n = -1);
// 8-bit text in the default character set.
Size GetTextSize(const char* text, Font font, int n = -1);
Size GetTextSize(const String& text, Font font);
inline Size GetTextSize(const WString& text, Font font) { return GetTextSize(text.Begin(), font, text.GetLength()); }

// Draws as many characters as fit in cx followed by the ellipsis text (at least one
// character is kept); a text that fits is drawn whole.
void DrawTextEllipsis(Draw& w, int x, int y, int cx, const wchar16* text, const char* ellipsis, Font font,
                      Color ink, int n = -1);

// Lines end at '\n'; a tab moves to the next multiple of twice the font's height.
Size GetMultilineTextSize(const wchar16* text, Font font);
int GetMultilineTextHeight(const wchar16* text, Font font);
// access_key: low 16 bits the key character (0 none), high 16 bits its 1-based position
// in a run (0 any); the first matching character is underlined. cx is not used.
void DrawMultilineText(Draw& w, int x, int y, int cx, const wchar16* text, Font font, Color ink,
                       dword access_key = 0);

} // namespace Qor
