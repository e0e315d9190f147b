// Keeping other top-level windows disabled while a modal job runs, and the lists of
// top-level controls with open windows.
#pragma once

#include "foundation/pte.h"
#include "foundation/vector.h"

namespace Qor {

class Ctrl;

// The top-level controls with open windows, without pop-ups, in window-map order.
Vector<Ctrl*> ListNonPopupTopCtrls();
// Close on every top-level control with an open window; run at shutdown.
void CloseAllTopCtrls();

// Disables every enabled control of tops that is neither except nor owned by it (directly
// or through owners); the result names the controls it disabled.
Vector<WeakPointer<Ctrl>> DisableOtherWindows(const Vector<Ctrl*>& tops, const Ctrl* except);
// Re-enables the listed controls, last first, skipping gone ones and ones enabled meanwhile.
void ReEnableDisabledWindows(Vector<WeakPointer<Ctrl>>& list);

class OtherWindowsDisabler {
public:
    void Begin(const Ctrl* except, bool refocus_only_if_active);
    void Restore();

private:
    WeakPointer<Ctrl> focus;
    bool refocus_only_if_active = false;
    Vector<WeakPointer<Ctrl>> disabled;
};

} // namespace Qor
