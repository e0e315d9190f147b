// Keys from the window host: the key hooks, the focus control and its parents, then the
// access keys of the focused window.

#include "ctrl/defaults/ctrl_defaults.h"
#include "ctrl/focus/focus_routing.h"
#include "ctrl/input/input_host.h"
#include "ctrl/input/mouse_routing.h"
#include "ctrl/settings/gui_settings.h"
#include "ctrl/state/ctrl_hooks.h"
#include "ctrl/tree/ctrl_class.h"
#include "ctrl/tree/global_refs.h"
#include "foundation/charset.h"
#include "foundation/ini.h"

#include <cstdio>

namespace Qor {

namespace {

// Holding Alt shows the access-key underlines of the focused window, releasing it hides them.
void FollowAltKey()
{
    if(!GetAccessKeysOnAltOnly())
        return;
    Ctrl* focus = GetCtrlGlobalRefs().focus_ctrl;
    if(!focus)
        return;
    Ctrl* root = focus->GetRootCtrl();
    bool alt = IsAltKeyDown();
    if(root->IsAccessKeyMarksShown() != alt) {
        root->SetAccessKeyMarksShown(alt);
        root->RefreshAccessKeyMarks();
    }
}

} // namespace

bool& KeyPassedUp()
{
    static bool passed = false;
    return passed;
}

dword ConvertKeyToCharset(dword key)
{
    dword ch = key & 0xFFFF;
    if((key & 0x10000) || ch <= 31 || ch == 127 || DefaultCharset() == CHARSET_UTF8)
        return key;
    return (key & 0xFFFF0000) | dword(EncodeChar(int(ch), DefaultCharset(), 31));
}

String FormatKeyLogLine(dword key)
{
    if(key < 0x10000) {
        char code[32];
        std::snprintf(code, sizeof(code), "' (%u)", unsigned(key));
        return "  CHAR '" + EncodeUtf8(int(key)) + code;
    }
    String line = key & K_KEYUP ? "  KEYUP" : "KEY";
    return line + " " + FormatKeyName(key & ~K_KEYUP);
}

bool DispatchKey(dword key, int count)
{
    FollowAltKey();
    CtrlGlobalRefs& refs = GetCtrlGlobalRefs();
    if(RunKeyHooks(refs.focus_ctrl, key, count))
        return true;
    dword converted = ConvertKeyToCharset(key);
    Ctrl* c = refs.focus_ctrl;
    if(!c)
        return false;
    if(user_log_flag.Get())
        LogUserAction(FormatKeyLogLine(key));
    WeakPointer<Ctrl> alive(c);
    while(alive) {
        if(c->IsEnabled() && c->ProcessKey(c->IsUnicodeKeys() ? key : converted, count)) {
            if(user_log_flag.Get() && alive)
                LogUserAction("  -> " + DescribeCtrl(c));
            return true;
        }
        if(!alive)
            return false;
        KeyPassedUp() = true;
        Ctrl* parent = c->GetParent();
        if(!parent)
            return c->AccessKeyPressed(key);
        c = parent;
        alive = c;
    }
    return false;
}

} // namespace Qor
