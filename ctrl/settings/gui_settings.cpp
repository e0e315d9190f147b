// The skinnable GUI settings, each built with its default on first use and registered
// with the look-reset registry, and the application title.

#include "ctrl/settings/gui_settings.h"

#include "draw/look/resettable_statics.h"
#include "foundation/process_environment.h"

namespace Qor {

namespace {

struct GuiSetting {
    byte state;
    byte registered;
    int value;
    const int default_value;
};

// Fills the default when a skin change (or nothing yet) left the setting unset.
template <GuiSetting& s>
void InitSetting()
{
    if(s.state == STATIC_UNSET) {
        s.value = s.default_value;
        s.state = STATIC_DEFAULT;
    }
}

template <GuiSetting& s>
int Get()
{
    RegisterResettableStatic(&s.state, &s.registered, &InitSetting<s>);
    InitSetting<s>();
    return s.value;
}

template <GuiSetting& s>
void Set(int value)
{
    RegisterResettableStatic(&s.state, &s.registered, &InitSetting<s>);
    MarkLookModified();
    s.value = value;
    s.state = STATIC_SKINNED;
}

GuiSetting look_style_level = { 0, 0, 0, 1 };
GuiSetting popup_animation = { 0, 0, 0, 1 };
GuiSetting tip_hover_delay = { 0, 0, 0, 1000 };
GuiSetting access_keys_on_alt_only = { 0, 0, 0, 1 };
GuiSetting auto_access_keys_when_none = { 0, 0, 0, 0 };
GuiSetting mouse_slop = { 0, 0, 0, 4 };
GuiSetting multi_click_time = { 0, 0, 0, 500 };
GuiSetting unused_gui_flag = { 0, 0, 0, 1 };
GuiSetting popup_open_flag = { 0, 0, 0, 1 };

} // namespace

int GetLookStyleLevel() { return Get<look_style_level>(); }
void SetLookStyleLevel(int level) { Set<look_style_level>(level); }
int GetPopupAnimation() { return Get<popup_animation>(); }
void SetPopupAnimation(int animation) { Set<popup_animation>(animation); }
int GetTipHoverDelay() { return Get<tip_hover_delay>(); }
int GetAccessKeysOnAltOnly() { return Get<access_keys_on_alt_only>(); }
void SetAccessKeysOnAltOnly(int on_alt_only) { Set<access_keys_on_alt_only>(on_alt_only); }
int GetAutoAccessKeysWhenNone() { return Get<auto_access_keys_when_none>(); }
void SetAutoAccessKeysWhenNone(int when_none) { Set<auto_access_keys_when_none>(when_none); }
int GetMouseSlop() { return Get<mouse_slop>(); }
int GetMultiClickTime() { return Get<multi_click_time>(); }
bool IsGlobalClickFocus() { return false; }
void SetUnusedGuiFlag(int flag) { Set<unused_gui_flag>(flag); }
int GetPopupOpenFlag() { return Get<popup_open_flag>(); }
void SetPopupOpenFlag(int flag) { Set<popup_open_flag>(flag); }

String GetAppTitle()
{
    static String title;
    if(title.IsEmpty())
        title = ExecutableTitle();
    return title;
}

} // namespace Qor
