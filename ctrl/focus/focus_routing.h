// Focus and keyboard routing: the focus moves with its notices in a fixed order (focus lost,
// window deactivated, window activated, focus gained, the parents' child notices), follows
// what the window system reports, and keys travel from the key hooks through the focus
// control and its parents to the access keys of the focused window.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"

namespace Qor {

class Ctrl;
class TopWindow;

void SendFocusLost(Ctrl* old, Ctrl* now);
void DeactivateOldRoot(Ctrl* old, Ctrl* now);
void SendFocusGained(Ctrl* old, Ctrl* now, bool activate);

// The window system gave its input focus to top (null: took it away).
void FocusTopControl(Ctrl* top);
void SyncFocusWindow(Ctrl* top);
void DropWindowFocus(Ctrl* top);
// A click into the active window brings the focus back from another root.
void RefocusWindow(Ctrl* top);
void ProcessDeferredFocus();
TopWindow* GetFocusTopWindow();

// Set when a key moved from a control to its parent; the access-key log line clears it.
bool& KeyPassedUp();

// True when a control took the key.
bool DispatchKey(dword key, int count);
// A character key in the default character set (31 for one it lacks); other keys unchanged.
dword ConvertKeyToCharset(dword key);
// The user-action log text of a key, empty for none.
String FormatKeyLogLine(dword key);

// The display text of a key, e.g. "Ctrl+Shift+F5".
String FormatKeyName(dword key);

// Start-up: the focus moves of the tree and the host go through here.
void RegisterFocusRouting();

} // namespace Qor
