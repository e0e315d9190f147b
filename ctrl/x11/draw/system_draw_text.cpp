// SystemDraw's text operation.
#include "ctrl/x11/draw/system_draw.h"

namespace Qor {

// Temporary: text is drawn through Xft with the font back end, which replaces this body.
void SystemDraw::DrawTextRun(int, int, int, const wchar16*, Font, Color, int, const int*) {}

} // namespace Qor
