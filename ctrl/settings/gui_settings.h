// The process-wide GUI settings that controls consult. Each is skinnable: a setter marks
// it set by a skin, and a skin change puts its default back before the skins run.
#pragma once

#include "foundation/string.h"

namespace Qor {

// 1 classic; 2 and more select the newer look variants of the controls.
int GetLookStyleLevel();
void SetLookStyleLevel(int level);
// How pop-ups open: 0 at once, 1 sliding, 2 fading.
int GetPopupAnimation();
void SetPopupAnimation(int animation);
// Milliseconds the pointer rests before a tool tip opens.
int GetTipHoverDelay();
// Non-zero: access keys are underlined only while Alt is held.
int GetAccessKeysOnAltOnly();
void SetAccessKeysOnAltOnly(int on_alt_only);
// Non-zero: a window assigns free access keys only when none of its controls has one.
int GetAutoAccessKeysWhenNone();
void SetAutoAccessKeysWhenNone(int when_none);
// Pixels the pointer may move before a press becomes a drag.
int GetMouseSlop();
// Milliseconds within which a third click makes a triple click.
int GetMultiClickTime();
// Whether a click on a push button or switch takes the focus; nothing sets it.
bool IsGlobalClickFocus();
// A skinnable setting kept for skins that store it; nothing reads it.
void SetUnusedGuiFlag(int flag);
// Passed by menus and pop-up tables when they open a pop-up; the opening ignores it.
int GetPopupOpenFlag();
void SetPopupOpenFlag(int flag);

// The title of message boxes: the executable's title until one is known.
String GetAppTitle();

} // namespace Qor
