// The displayed characters of a paragraph, the first step of its layout.
#pragma once

#include "richtext/layout/paragraph_lines.h"

namespace Qor {

class UnpackedParagraph;

// Fills the five per-character arrays, the format copies and the object copies of lines.
void AddParagraphCharacters(const UnpackedParagraph& p, ParagraphLines& lines);

} // namespace Qor
