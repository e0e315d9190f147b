// What the layout zoom measures, replaceable so that the zoom can be checked for any font
// size without fonts installed.
#pragma once

#include "foundation/values/size.h"

namespace Qor {

// The size of the sample text in the standard GUI font; null restores that measure.
// Returns the measure it replaces.
using LayoutSampleMeasure = Size (*)();
LayoutSampleMeasure SetLayoutSampleMeasure(LayoutSampleMeasure measure);
// Forgets the measured width, so that the next use measures again (the skin change does so
// once its skins ran).
void InvalidateLayoutZoom();

} // namespace Qor
