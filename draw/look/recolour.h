// Recolouring of images drawn in a fixed reference palette into the current system
// colours, so built-in control images follow the skin.
#pragma once

#include "draw/image/image.h"
#include "foundation/values/color.h"

namespace Qor {

// The system colours a recolouring maps onto, taken when it is asked for.
struct RecolourColours {
    Color text, shadow, face, light, highlight, paper;
};

RecolourColours GetSystemRecolourColours();

// Greys map onto text, shadow, face and light; pure blue and pure red onto text and
// highlight; yellow onto text and paper; any other colour and every alpha stay. The
// hotspots are kept, the physical size is not.
Image RecolourToSystem(const Image& image);
// The same onto the colours given.
Image RecolourImage(const Image& image, const RecolourColours& colours);

} // namespace Qor
