// Tool tips: part 0 of a control's information text, shown in one small window near the
// pointer after the pointer rested over the control, and hidden when it leaves, a button is
// pressed or the control's window changes. Two global hooks drive it; controls take no part.
#pragma once

#include "ctrl/tree/ctrl_class.h"

namespace Qor {

class ToolTip : public Ctrl {
public:
    ToolTip();

    void Paint(Draw& w) override;
    // The label size of the text (rich text when it starts with byte 1), plus 2 pixels on
    // every side and the frame.
    Size MinimumSize() const override;

    void SetText(const String& t) { text = t; }
    const String& GetText() const { return text; }
    // Opens at p (screen), moved into the work area, as a pop-up owned by owner that takes
    // neither the focus nor the pointer; p receives the point used.
    void ShowAt(Ctrl* owner, Point& p, bool animate);

private:
    String text;
};

// The one tool-tip window of the process, built on first use.
ToolTip& GetToolTipWindow();
// The control whose tip is shown or pending; null when none or gone.
Ctrl* GetToolTipOwner();
// A tip was shown recently: the next one shows at once and without animation.
bool IsQuickTips();

// Chooses the control whose tip is shown next: a new owner (or a new tip text of the same
// owner) restarts the hover delay, or shows at once while tips are quick.
void SetTipOwner(Ctrl* c);
// Shows the owner's tip when it has one and its window is active (or a pop-up).
void ShowToolTip();
void CloseToolTip();
void ResetQuickTips();

// The hooks, installed at start-up by RegisterToolTipHooks; neither consumes the event.
bool ToolTipMouseHook(Ctrl* c, bool in_frame_area, int event, Point p, int zdelta, dword keyflags);
bool ToolTipStateHook(Ctrl* c, int reason);
void RegisterToolTipHooks();

} // namespace Qor
