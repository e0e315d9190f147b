// The platform-independent side of loops: their end, the innermost loop control and the
// nested loop of a control.

#include "ctrl/loop/event_loop.h"

#include "ctrl/platform/platform.h"
#include "ctrl/tree/global_refs.h"
#include "foundation/assert.h"

namespace Qor {

Ctrl*& LoopCtrl()
{
    static Ctrl* ctrl = nullptr;
    return ctrl;
}

bool ProcessPendingEventsCall() { return GetPlatform().ProcessPendingEvents(); }

bool IsPaintingWindowCall() { return GetPlatform().IsPaintingWindow(); }

void WakeEventLoop() {}

void Ctrl::EndLoop()
{
    SetInLoop(false);
    WakeEventLoop();
}

void Ctrl::EndLoop(int code)
{
    SetInLoop(false);
    SetExitCode(code);
    WakeEventLoop();
}

bool Ctrl::IsCurrentLoopCtrl() const { return LoopCtrl() == this; }

void LocalLoop::CancelInteraction() { EndLoop(); }

void LocalLoop::Run()
{
    QOR_ASSERT(master);
    master->AppendChild(*this);
    WeakPointer<Ctrl> focus = GetCtrlGlobalRefs().focus_ctrl;
    SetCapture();
    SetFocus();
    EventLoopCall(this);
    Detach();
    if(focus)
        focus->SetFocus();
}

} // namespace Qor
