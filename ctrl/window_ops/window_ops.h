// Window operations of top-level controls: the control tree asks for them only through
// callbacks on a weak target, run at once from one dispatch point, so that an operation on
// a control that is gone does nothing.
#pragma once

#include "foundation/callback.h"
#include "foundation/values/rect.h"

namespace Qor {

class Ctrl;

// The one dispatch point of window operations and the event loop: runs cb at once (there is
// one GUI thread); an empty callback does nothing. The operations go to GetPlatform().
void RunOnGuiThread(Callback& cb);
void WaitForEventsCall(int ms);
void EventLoopCall(Ctrl* owner);
void OpenPopupCall(Ctrl& c, Ctrl* owner, bool save_under, bool activate);
// The work area containing p; an empty rectangle without a window system.
Rect GetWorkAreaAtCall(Point p);

// Start-up: the control tree's window operations go through the weak callbacks.
void RegisterWindowOperations();

} // namespace Qor
