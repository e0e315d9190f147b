// The weak window operations on a control pointer, for the control tree's seams and for
// checking that an operation on a control that is gone does nothing.
#pragma once

#include "ctrl/window_ops/window_ops.h"
#include "ctrl/platform/platform.h"

namespace Qor {

// A callback running op on c while c exists; a null c gives a callback that does nothing.
Callback MakeWeakWindowOp(Ctrl* c, void (WindowPlatform::*op)(Ctrl& c));

// Each answers its starting value when c is null or gone: enable unchanged, false for focus.
bool EnableWindowOf(Ctrl* c, bool enable);
bool FocusWindowOf(Ctrl* c);

} // namespace Qor
