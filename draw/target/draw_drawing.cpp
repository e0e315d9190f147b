// Draw::DrawDrawing: the base operation plays a recorded drawing on this target.

#include "draw/recorded/drawing.h"
#include "draw/recorded/drawing_player.h"
#include "draw/target/draw.h"

namespace Qor {

void Draw::DrawDrawing(const Rect& target, const Drawing& drawing)
{
    PlayDrawing(*this, target, drawing);
}

} // namespace Qor
