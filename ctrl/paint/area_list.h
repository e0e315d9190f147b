// The list of areas that a paint gathers for back buffers.
#pragma once

#include "foundation/values/rect.h"
#include "foundation/vector.h"

namespace Qor {

// Adds r to the list: into the first listed rectangle whose union with r wastes less than
// the two areas together or is under 16000 pixels, else as a new rectangle.
void MergeIntoAreaList(Vector<Rect>& area, const Rect& r);

} // namespace Qor
