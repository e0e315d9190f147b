// The process-wide hook lists: state, mouse and key hooks. Hooks are only ever appended and
// run in that order; the first that returns true consumes the event.
#pragma once

#include "foundation/types.h"
#include "foundation/values/point.h"
#include "foundation/vector.h"

namespace Qor {

class Ctrl;

using StateHook = bool (*)(Ctrl* ctrl, int reason);
using MouseHook = bool (*)(Ctrl* ctrl, bool in_frame_area, int event, Point p, int zdelta, dword keyflags);
using KeyHook = bool (*)(Ctrl* ctrl, dword key, int count);

void AddStateHook(StateHook hook);
void AddMouseHook(MouseHook hook);
void AddKeyHook(KeyHook hook);

const Vector<StateHook>& GetStateHooks();
const Vector<MouseHook>& GetMouseHooks();
const Vector<KeyHook>& GetKeyHooks();

// Runs the mouse and key hooks in order; true when one consumed the event.
bool RunMouseHooks(Ctrl* ctrl, bool in_frame_area, int event, Point p, int zdelta, dword keyflags);
bool RunKeyHooks(Ctrl* ctrl, dword key, int count);

} // namespace Qor
