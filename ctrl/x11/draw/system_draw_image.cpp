// SystemDraw's image operation.
#include "ctrl/x11/draw/system_draw.h"

namespace Qor {

// Temporary: images are drawn through Xrender with the image back end, which replaces this
// body.
void SystemDraw::DrawImagePart(int, int, const Image&, const Rect&, Color) {}

} // namespace Qor
