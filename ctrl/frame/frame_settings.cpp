// The skinnable frame settings: each a resettable static, so a skin change puts its
// default back before the skins run again.

#include "ctrl/frame/frame_settings.h"

#include "draw/look/resettable_statics.h"
#include "draw/look/sys_colors.h"

namespace Qor {

namespace {

template <class T>
struct SkinnableSetting {
    byte state = STATIC_UNSET;
    byte registered = 0;
    T value;
};

// One setting per (type, index), each with its own plain initialiser for the registry.
template <class T, int I>
SkinnableSetting<T>& Slot()
{
    static SkinnableSetting<T> s;
    return s;
}

template <class T, int I, T (*DEFAULT)()>
void Init()
{
    SkinnableSetting<T>& s = Slot<T, I>();
    if(s.state != STATIC_UNSET)
        return;
    RegisterResettableStatic(&s.state, &s.registered, Init<T, I, DEFAULT>);
    s.value = DEFAULT();
    s.state = STATIC_DEFAULT;
}

template <class T, int I, T (*DEFAULT)()>
T Get()
{
    Init<T, I, DEFAULT>();
    return Slot<T, I>().value;
}

template <class T, int I, T (*DEFAULT)()>
void Set(const T& v)
{
    Init<T, I, DEFAULT>();
    SkinnableSetting<T>& s = Slot<T, I>();
    s.state = STATIC_SKINNED;
    MarkLookModified();
    s.value = v;
}

int DefaultMinHeightMargin() { return 0; }
int DefaultScrollBarWidth() { return 17; }
int DefaultScrollArrowSize() { return GetStdScrollBarWidth(); }
Color DefaultFieldFrameEdge() { return MixColors(SysColorHighlight(), SysColorShadow(), 128); }
Value DefaultMenuBarFrameLook() { return Value(SysColorShadow()); }
Value DefaultToolBarFrameLook() { return Value(SysColorLight()); }

enum { MIN_HEIGHT_MARGIN, SCROLL_BAR_WIDTH, SCROLL_ARROW_SIZE, FIELD_FRAME_EDGE, MENU_BAR_LOOK, TOOL_BAR_LOOK };

} // namespace

int GetCtrlMinHeightMargin() { return Get<int, MIN_HEIGHT_MARGIN, DefaultMinHeightMargin>(); }
void SetCtrlMinHeightMargin(int m) { Set<int, MIN_HEIGHT_MARGIN, DefaultMinHeightMargin>(m); }
int GetStdScrollBarWidth() { return Get<int, SCROLL_BAR_WIDTH, DefaultScrollBarWidth>(); }
void SetStdScrollBarWidth(int cx) { Set<int, SCROLL_BAR_WIDTH, DefaultScrollBarWidth>(cx); }
int GetStdScrollArrowSize() { return Get<int, SCROLL_ARROW_SIZE, DefaultScrollArrowSize>(); }
void SetStdScrollArrowSize(int cx) { Set<int, SCROLL_ARROW_SIZE, DefaultScrollArrowSize>(cx); }
Color GetFieldFrameEdgeColor() { return Get<Color, FIELD_FRAME_EDGE, DefaultFieldFrameEdge>(); }
void SetFieldFrameEdgeColor(Color c) { Set<Color, FIELD_FRAME_EDGE, DefaultFieldFrameEdge>(c); }
Value GetMenuBarFrameLook() { return Get<Value, MENU_BAR_LOOK, DefaultMenuBarFrameLook>(); }
void SetMenuBarFrameLook(const Value& v) { Set<Value, MENU_BAR_LOOK, DefaultMenuBarFrameLook>(v); }
Value GetToolBarFrameLook() { return Get<Value, TOOL_BAR_LOOK, DefaultToolBarFrameLook>(); }
void SetToolBarFrameLook(const Value& v) { Set<Value, TOOL_BAR_LOOK, DefaultToolBarFrameLook>(v); }

} // namespace Qor
