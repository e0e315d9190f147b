// The look painter every skin relies on: colours, images, looks with an image over them
// and looks inside a border.
#pragma once

#include "draw/look/look.h"

namespace Qor {

// Handles sChLookWith, sChBorder, Color and Image looks; Null (not handled) for any other
// look or operation.
Value StandardLookPainter(Draw& w, const Rect& r, const Value& look, int operation);

} // namespace Qor
