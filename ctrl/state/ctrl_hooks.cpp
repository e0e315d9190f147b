// The hook lists, built empty on first use and kept to the end of the process.

#include "ctrl/state/ctrl_hooks.h"

namespace Qor {

namespace {

Vector<StateHook>& StateHooks()
{
    static Vector<StateHook> hooks;
    return hooks;
}

Vector<MouseHook>& MouseHooks()
{
    static Vector<MouseHook> hooks;
    return hooks;
}

Vector<KeyHook>& KeyHooks()
{
    static Vector<KeyHook> hooks;
    return hooks;
}

} // namespace

void AddStateHook(StateHook hook) { StateHooks().Add(hook); }
void AddMouseHook(MouseHook hook) { MouseHooks().Add(hook); }
void AddKeyHook(KeyHook hook) { KeyHooks().Add(hook); }
const Vector<StateHook>& GetStateHooks() { return StateHooks(); }
const Vector<MouseHook>& GetMouseHooks() { return MouseHooks(); }
const Vector<KeyHook>& GetKeyHooks() { return KeyHooks(); }

bool RunMouseHooks(Ctrl* ctrl, bool in_frame_area, int event, Point p, int zdelta, dword keyflags)
{
    // The count is read again each turn: a hook may add hooks.
    for(int i = 0; i < MouseHooks().GetCount(); i++)
        if(MouseHooks()[i](ctrl, in_frame_area, event, p, zdelta, keyflags))
            return true;
    return false;
}

bool RunKeyHooks(Ctrl* ctrl, dword key, int count)
{
    for(int i = 0; i < KeyHooks().GetCount(); i++)
        if(KeyHooks()[i](ctrl, key, count))
            return true;
    return false;
}

} // namespace Qor
