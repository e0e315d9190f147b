// State shared by the font files: the standard font as stored.
#pragma once

#include "draw/font/font.h"

namespace Qor {

// Builds the face list and sets face 2, height 12 on first use.
void InitStandardFont();
// The standard font exactly as last set (not resolved).
Font& StandardFontSlot();

} // namespace Qor
