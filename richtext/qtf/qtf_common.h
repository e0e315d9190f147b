// What the Qtf reader and writer share: the plain-character table, the colour letters
// and digits, and the ten heights of the height digits.
#pragma once

#include "foundation/types.h"
#include "foundation/values/color.h"

namespace Qor {

// True for the ASCII characters that stand for themselves and are never commands: the
// reader stays in its character loop while it meets them, the writer copies them.
extern bool QtfPlainChars[128];
// Fills QtfPlainChars; cheap after the first call.
void InitQtfPlainChars();

// The colour of a colour character: a digit of the palette, a small (dark) or capital
// (light) letter; (128, 0, 0) for any other character.
Color QtfColorOfChar(int c);
// The digit whose palette colour is c, or -1.
int QtfColorDigit(Color c);

// Heights in dots of the height digits 0 to 9.
extern const int QtfDigitHeights[10];
// The digit of a height, or -1.
int QtfHeightDigit(int height);

// The language that "%%" stands for.
inline constexpr int QTF_LANGUAGE_EN_US = 0x2BAB3;

} // namespace Qor
