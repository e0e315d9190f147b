// The caret and its blinking.

#include "ctrl/loop/caret.h"

#include "ctrl/tree/core_seams.h"
#include "ctrl/tree/ctrl_class.h"
#include "ctrl/tree/global_refs.h"
#include "draw/draw.h"
#include "foundation/process.h"

namespace Qor {

CaretState& GetCaretState()
{
    static CaretState state;
    return state;
}

void RefreshCaret()
{
    if(Ctrl* c = GetCaretState().ctrl)
        c->Refresh(c->GetCaretRect());
}

void SyncCaret()
{
    CaretState& caret = GetCaretState();
    Ctrl* focus = GetCtrlGlobalRefs().focus_ctrl;
    if(caret.ctrl.Get() == focus)
        return;
    RefreshCaret();
    caret.ctrl = focus;
    RefreshCaret();
}

bool CaretPhaseAt(uint32 now) { return (uint32(now - GetCaretState().blink_start) / 500) % 2 == 0; }

void UpdateCaretBlink(uint32 now)
{
    CaretState& caret = GetCaretState();
    bool phase = CaretPhaseAt(now);
    if(phase != caret.phase) {
        RefreshCaret();
        caret.phase = phase;
    }
}

int GetCaretWaitMs(uint32 now)
{
    CaretState& caret = GetCaretState();
    Ctrl* c = caret.ctrl;
    if(!c || c->GetCaretRect().IsEmpty())
        return -1;
    return int(500 - uint32(now - caret.blink_start) % 500);
}

void Ctrl::SetCaret(int x, int y, int cx, int cy)
{
    CaretState& caret = GetCaretState();
    if(caret.ctrl.Get() == this)
        RefreshCaret();
    SetCaretRect(x, y, cx, cy);
    caret.blink_start = MonotonicMs();
    if(caret.ctrl.Get() == this)
        RefreshCaret();
}

void Ctrl::PaintCaret(Draw& w)
{
    CaretState& caret = GetCaretState();
    if(caret.ctrl.Get() != this || !caret.phase)
        return;
    Rect r = GetCaretRect();
    // The drawing layer's inverting colour: the caret shows on any background.
    w.DrawRect(r.left, r.top, r.Width(), r.Height(), Color::FromBits(0x800000ff));
}

void RegisterCaret() { GetCtrlCoreSeams().sync_caret = SyncCaret; }

} // namespace Qor
