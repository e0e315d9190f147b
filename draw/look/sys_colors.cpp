// The fifteen system colours as skinnable statics.

#include "draw/look/sys_colors.h"

#include "draw/look/resettable_statics.h"

namespace Qor {

namespace {

enum SysColorId {
    PAPER, FACE, TEXT, HIGHLIGHT, HIGHLIGHT_TEXT, MENU, MENU_TEXT, INFO, INFO_TEXT,
    DISABLED, LIGHT, SHADOW, MARK, MENU_MARK, LABEL, SYS_COLOR_COUNT
};

struct SkinnableColor {
    byte state;
    byte registered;
    Color value;
};

// Constant-initialised: state 0, not registered, value Null, before any code runs.
constinit SkinnableColor slot[SYS_COLOR_COUNT] = {};

constexpr dword plain_default[SYS_COLOR_COUNT] = {
    0xFFFFFF, 0xC0C0C0, 0x000000, 0x800000, 0xFFFFFF, 0xC0C0C0, 0x000000, 0xC0FFFF, 0x000000,
    0x808080, 0xFFFFFF, 0x808080, 0, 0, 0,
};

Color Get(int id);

Color MarkOn(int background)
{
    return Color::FromBits(IsDarkColor(Get(background)) ? 0xC0FFFF : 0xFF0000);
}

Color DefaultOf(int id)
{
    switch(id) {
    case MARK: return MarkOn(PAPER);
    case MENU_MARK: return MarkOn(MENU);
    case LABEL: return Get(TEXT);
    default: return Color::FromBits(plain_default[id]);
    }
}

// The registered initialiser of colour I; one function per colour, as the registry
// keeps plain functions without arguments.
template <int I>
void Init()
{
    SkinnableColor& s = slot[I];
    if(s.state != STATIC_UNSET)
        return;
    RegisterResettableStatic(&s.state, &s.registered, Init<I>);
    s.value = DefaultOf(I);
    s.state = STATIC_DEFAULT;
}

template <int I>
Color GetColor()
{
    Init<I>();
    return slot[I].value;
}

template <int I>
void SetColor(Color c)
{
    Init<I>();
    slot[I].state = STATIC_SKINNED;
    MarkLookModified();
    slot[I].value = c;
}

Color Get(int id)
{
    switch(id) {
    case PAPER: return GetColor<PAPER>();
    case MENU: return GetColor<MENU>();
    default: return GetColor<TEXT>();
    }
}

} // namespace

Color SysColorPaper() { return GetColor<PAPER>(); }
Color SysColorFace() { return GetColor<FACE>(); }
Color SysColorText() { return GetColor<TEXT>(); }
Color SysColorHighlight() { return GetColor<HIGHLIGHT>(); }
Color SysColorHighlightText() { return GetColor<HIGHLIGHT_TEXT>(); }
Color SysColorMenu() { return GetColor<MENU>(); }
Color SysColorMenuText() { return GetColor<MENU_TEXT>(); }
Color SysColorInfo() { return GetColor<INFO>(); }
Color SysColorInfoText() { return GetColor<INFO_TEXT>(); }
Color SysColorDisabled() { return GetColor<DISABLED>(); }
Color SysColorLight() { return GetColor<LIGHT>(); }
Color SysColorShadow() { return GetColor<SHADOW>(); }
Color SysColorMark() { return GetColor<MARK>(); }
Color SysColorMenuMark() { return GetColor<MENU_MARK>(); }
Color SysColorLabel() { return GetColor<LABEL>(); }

void SetSysColorPaper(Color c) { SetColor<PAPER>(c); }
void SetSysColorFace(Color c) { SetColor<FACE>(c); }
void SetSysColorText(Color c) { SetColor<TEXT>(c); }
void SetSysColorHighlight(Color c) { SetColor<HIGHLIGHT>(c); }
void SetSysColorHighlightText(Color c) { SetColor<HIGHLIGHT_TEXT>(c); }
void SetSysColorMenu(Color c) { SetColor<MENU>(c); }
void SetSysColorMenuText(Color c) { SetColor<MENU_TEXT>(c); }
void SetSysColorDisabled(Color c) { SetColor<DISABLED>(c); }
void SetSysColorLight(Color c) { SetColor<LIGHT>(c); }
void SetSysColorShadow(Color c) { SetColor<SHADOW>(c); }
void SetSysColorLabel(Color c) { SetColor<LABEL>(c); }

} // namespace Qor
