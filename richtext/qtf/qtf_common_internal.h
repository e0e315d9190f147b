// What the Qtf reader and writer share: the plain-character table, the start font, the
// numbering letters, the colour letters and digits, and the ten heights of the height digits.
#pragma once

#include "draw/font/font.h"
#include "foundation/types.h"
#include "foundation/values/color.h"

#include <array>

namespace Qor {

constexpr bool IsAsciiAlnum(int c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Indexed by any byte value: true for the ASCII characters that stand for themselves and
// are never commands. The reader stays in its character loop while it meets them, the
// writer copies them; bytes from 0x80 up are never plain. Built at compile time, so that
// no start-up code fills it and the reader's loop needs no range check.
inline constexpr std::array<bool, 256> QtfPlainChars = [] {
    std::array<bool, 256> plain = {};
    for(int c = 0; c < 128; c++)
        plain[c] = IsAsciiAlnum(c);
    for(const char* s = ".,;!?%()/<># "; *s; s++)
        plain[(byte)*s] = true;
    return plain;
}();

// The font a document starts with when read, and so the base the writer writes against.
constexpr Font QtfStartFont() { return Font(Font::SANSSERIF, 100); }

// The letters of the numbering kinds, indexed by the kind stored in a paragraph format.
inline constexpr char QTF_NUMBER_LETTERS[] = "-10aAiI";
inline constexpr int QTF_NUMBER_KINDS = sizeof(QTF_NUMBER_LETTERS) - 1;

// The colour of a colour character: a digit of the palette, a small (dark) or capital
// (light) letter; (128, 0, 0) for any other character.
Color QtfColorOfChar(int c);
// The digit whose palette colour is c, or -1.
int QtfColorDigit(Color c);

// Heights in dots of the height digits 0 to 9.
extern const int QtfDigitHeights[10];
// The digit of a height, or -1.
int QtfHeightDigit(int height);

} // namespace Qor
