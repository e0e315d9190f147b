// X event dispatch and translation: the input method, global hot keys and the filters of the
// open windows see every event first; then the window's control gets it through its event
// procedure, which turns keys (through the input method, with auto-repeat folded into a
// count) and pointer events (with double clicks and compressed motion) into the key and
// mouse codes of the routing.
#pragma once

#include "ctrl/x11/display/x11_display.h"
#include "ctrl/tree/ctrl_class.h"
#include "foundation/callback.h"

namespace Qor {

// The double-click state of the X event procedure.
struct ClickState {
    uint32 last_click_time = 0x80000000u; // bit 31 flipped: the next press is no double click
    Point last_click_pos = Point(INT_NULL, INT_NULL);
    Window last_click_window = 0;
    unsigned last_click_button = 0;
};

ClickState& GetClickState();

// The longest interval between two presses of a double click, and how far the pointer may
// move in between.
constexpr uint32 DOUBLE_CLICK_MS = 799;
constexpr int DOUBLE_CLICK_SLOP = 4;

// Global hot keys: X keycode, modifier mask (Shift 0x01, Control 0x04, Mod1 0x08), callback.
struct HotKey {
    unsigned keycode = 0;
    unsigned modifiers = 0;
    Callback action;
};

Vector<HotKey>& GetHotKeys();
void ClearHotKeys();

bool HasPendingEvents();

// An exposed area joins the window's invalid areas; an Expose (not a GraphicsExpose) also
// marks the window as shown, so that it is painted from then on.
void NoteExposure(WindowMapEntry& entry, const XExposeEvent& x, bool first_paint);
// The event procedure of a control's window (the base of HandleWindowEvent).
void HandleWindowEventBase(Ctrl& c, WindowMapEntry* entry, XEvent* event);
// Its key part: the key codes (or characters) of a key event go to DispatchKey.
void TranslateKeyEvent(Ctrl& c, WindowMapEntry* entry, XEvent& event);

// The key code of a keysym in the translation table (keypad, Tab, Return...), 0 for none.
dword LookupKeyTable(KeySym key);
// The key code for a key event after the lookup, with the key flags of the modifiers held;
// 0 when it is delivered as characters.
dword MakeKeyCode(KeySym key, int ch, int keyboard_state, bool release);

// Reads the text an input context committed, the whole of it: a buffer too small is grown
// and the lookup asked again. status receives the lookup status.
using Utf8Lookup = int (*)(XIC xic, XKeyPressedEvent* event, char* buffer, int size, KeySym* key, Status* status);
String LookupInputText(XIC xic, XKeyPressedEvent& event, KeySym& key, int& status,
                       Utf8Lookup lookup = Xutf8LookupString);

// Opens the input method of the locale (Xlib's own, with the locale's compose table, unless
// the environment names another); the locale must be set before. False without one.
bool OpenInputMethod();
void CloseInputMethod();
// Start-up asks for the input method without opening it: the first key press opens it and
// gives its window an input context (focused when the window has the focus); once open,
// a window without a context gets one at its next focus.
void RequestInputMethod();
void EnsureInputContext(Window w, bool focused);

} // namespace Qor
