// Loops: one loop function serves the outermost loop and every nested one. A loop runs for
// a control until its in-loop flag is cleared (Ctrl::EndLoop) or its window closes; the
// caller reads the control's exit code afterwards. The window system installs the loop.
#pragma once

#include "ctrl/tree/ctrl_class.h"
#include "ctrl/window_ops/window_ops.h"

namespace Qor {

// The control of the innermost running loop; null while no loop with a control runs.
Ctrl*& LoopCtrl();

// Keeps the interface alive during long work; false without a window system.
bool ProcessPendingEventsCall();
// Whether a window is being painted; false without a window system. Work that would open
// windows or run events waits until the paint is done.
bool IsPaintingWindowCall();
// Would wake a waiting loop; a loop never waits longer than one turn, so nothing to do.
void WakeEventLoop();

// A nested loop on behalf of master: it takes the capture and the focus, and ends when the
// capture is cancelled.
class LocalLoop : public Ctrl {
public:
    LocalLoop() = default;
    ~LocalLoop() override = default;

    void CancelInteraction() override;
    LocalLoop& SetMaster(Ctrl& m)
    {
        master = &m;
        return *this;
    }
    Ctrl* GetMaster() const { return master; }
    void Run();

private:
    Ctrl* master = nullptr;
};

} // namespace Qor
