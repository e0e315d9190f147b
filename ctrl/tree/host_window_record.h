// The window system's record of a top-level control's own window; the control points to
// it while the window exists.
#pragma once

#include "ctrl/refresh/refresh_bookkeeping.h"
#include "foundation/pte.h"

namespace Qor {

class Ctrl;

struct HostWindowRecord {
    unsigned long window = 0; // the X window id
    RefreshBookkeeping refresh; // queued scrolls and moved children
    WeakPointer<Ctrl> owner;  // the owner the opener passed
};

} // namespace Qor
