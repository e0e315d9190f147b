// What the menu's files share: key codes and the focus test along the menu chain.
#pragma once

#include "ctrl/tree/ctrl_class.h"
#include "ctrl/tree/global_refs.h"

namespace Qor::MenuKeys {

inline constexpr dword ENTER = 13;
inline constexpr dword ESCAPE = 0x1B; // the window core delivers Escape as its character
inline constexpr dword LEFT = 0x1FF51;
inline constexpr dword UP = 0x1FF52;
inline constexpr dword RIGHT = 0x1FF53;
inline constexpr dword DOWN = 0x1FF54;
inline constexpr dword F10 = 0x1FFC7;
inline constexpr dword ALT = 0x1FFE7;
inline constexpr dword ALT_UP = 0x11FFE7;

inline Ctrl* FocusCtrl() { return GetCtrlGlobalRefs().focus_ctrl; }

// The focus is on c or inside it.
inline bool OwnsFocus(const Ctrl& c)
{
    Ctrl* f = FocusCtrl();
    return f && (f == &c || c.IsAncestorOf(f));
}

} // namespace Qor::MenuKeys
