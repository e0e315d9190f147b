// The caret: one process-wide caret, drawn in the focused control at the rectangle that
// control set, blinking in 500 ms phases from the moment it was placed.
#pragma once

#include "foundation/pte.h"
#include "foundation/types.h"

namespace Qor {

class Ctrl;

struct CaretState {
    WeakPointer<Ctrl> ctrl; // whose caret is shown; kept equal to the focus control
    uint32 blink_start = 0; // monotonic ms when the caret was last placed
    bool phase = false;     // the caret is drawn
};

CaretState& GetCaretState();

// Marks the caret rectangle of the caret's control for repaint.
void RefreshCaret();
// Makes the caret follow the focus control.
void SyncCaret();
// Whether the caret is drawn at now: the first 500 ms after placing it, then every other
// 500 ms.
bool CaretPhaseAt(uint32 now);
// Recomputes the phase for now and refreshes the caret when it changed.
void UpdateCaretBlink(uint32 now);

// Milliseconds until the caret's phase next changes at now; -1 when no caret is shown.
int GetCaretWaitMs(uint32 now);

// Start-up: the tree's focus and enable changes synchronise the caret through here.
void RegisterCaret();

} // namespace Qor
