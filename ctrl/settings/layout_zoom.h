// Layout zoom: dialog layouts are written for one font and scaled to the standard GUI font
// in use, measured on a fixed sample text against its size in that design font.
#pragma once

#include "foundation/values/size.h"

namespace Qor {

// Measures the zoom when it is not known yet (and then runs a skin change).
void EnsureLayoutZoom();
// x scaled by the measured width over the design width, truncated toward zero; the result
// saturates at the int range.
int ZoomX(int x);
// y scaled by the measured height over the design height, as ZoomX.
int ZoomY(int y);
Size ZoomSize(int cx, int cy);

} // namespace Qor
