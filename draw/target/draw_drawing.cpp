// Draw::DrawDrawing: the base operation plays a recorded drawing on this target.

#include "draw/recorded/drawing.h"
#include "draw/target/draw.h"

namespace Qor {

// Nothing is played until the drawing player exists.
void Draw::DrawDrawing(const Rect&, const Drawing&) {}

} // namespace Qor
