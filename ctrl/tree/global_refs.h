// The process-wide references into the control tree that a control leaving an open window
// must drop: all weak, so a destroyed control drops out by itself.
#pragma once

#include "foundation/pte.h"
#include "foundation/vector.h"

namespace Qor {

class Ctrl;

struct CtrlGlobalRefs {
    WeakPointer<Ctrl> pointer_ctrl;                // under the pointer
    WeakPointer<Ctrl> capturing_ctrl;              // holds the pointer capture
    WeakPointer<Ctrl> focus_ctrl;                  // has the keyboard focus
    WeakPointer<Ctrl> active_window;               // the focus was last moved into it
    WeakPointer<Ctrl> deferred_focus_target;       // takes the focus after the current event
    Vector<WeakPointer<Ctrl>> deferred_focus_lost; // owe a ChildFocusLost after the event
    bool pointer_in_view = false;
    bool pointer_in_frame = false;
    bool wheel_passed_up = false; // a default wheel handler passed the wheel to its parent
};

CtrlGlobalRefs& GetCtrlGlobalRefs();

} // namespace Qor
