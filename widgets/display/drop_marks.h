// What the lists draw and ask while a drag hovers over them: the insertion marks between
// rows or columns, and the auto-scroll step near the edges.
#pragma once

#include "foundation/values/point.h"

namespace Qor {

class Ctrl;
class Draw;

// A two-pixel bar from (x, y) cx wide with ticks at both ends, in the highlight colour.
void DrawHorzDropMark(Draw& w, int x, int y, int cx);
// The same bar turned upright, cy high.
void DrawVertDropMark(Draw& w, int x, int y, int cy);
// How far to scroll, per axis within [-max, max], with p in c's view: non-zero only in a
// zone of min(view / 6, 16) pixels along each edge, growing towards it. (0, 0) when c is
// not editable, as a read-only list takes no drop.
Point GetDragScrollStep(Ctrl& c, Point p, int max);

} // namespace Qor
