// Lists of rectangles: cutting, clipping and adding areas, as clip regions and invalid
// areas are kept.
#pragma once

#include "foundation/values/rect.h"
#include "foundation/vector.h"

namespace Qor {

// Each rectangle minus cut, as up to 8 pieces (corners stay separate); changed tells
// whether any rectangle was touched.
Vector<Rect> SubtractFromRects(const Vector<Rect>& rects, const Rect& cut, bool& changed);
// Each rectangle clipped, empty ones dropped; changed tells whether any was dropped or cut.
Vector<Rect> IntersectRects(const Vector<Rect>& rects, const Rect& clip, bool& changed);
// Adds r, swallowing listed rectangles whose bounding box with it wastes little; a list of
// non-overlapping rectangles stays one.
void AddRectMerging(Vector<Rect>& rects, const Rect& r);

} // namespace Qor
