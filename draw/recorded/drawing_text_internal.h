// The TEXT operation of the drawing player, kept apart for its scaling of fonts and advances.
#pragma once

#include "draw/recorded/drawing_player.h"

namespace Qor {

// Reads one TEXT operation's operands and draws it; false when they are damaged.
bool PlayDrawingText(Draw& w, Draw::DrawingPos& pos);

} // namespace Qor
