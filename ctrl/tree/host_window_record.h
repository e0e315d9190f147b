// The window system's record of a top-level control's own window; the control points to
// it while the window exists.
#pragma once

#include "ctrl/refresh/refresh_bookkeeping.h"
#include "foundation/pte.h"
#include "foundation/values/rect.h"
#include "foundation/vector.h"

namespace Qor {

class Ctrl;

// A child that moved inside an open window since the last paint: both rectangles in the
// window's coordinates, repainted (or scrolled) together at the next paint.
struct ChildMove {
    WeakPointer<Ctrl> ctrl; // emptied when the move needs no repaint of its own any more
    Rect from;
    Rect to;
};

struct HostWindowRecord {
    unsigned long window = 0;       // the X window id
    Vector<ChildMove> moves;        // one per control, in the order they first moved
    Vector<ChildMove> scroll_moves; // children a scroll of the window carried along
    Vector<ScrollRecord> scrolls;   // queued window copies, merged until the next paint
    WeakPointer<Ctrl> owner;        // the owner the opener passed
};

} // namespace Qor
