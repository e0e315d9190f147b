// The check box: its press cycle, value conversion and painting.

#include "widgets/option/option.h"

#include "ctrl/defaults/ctrl_defaults.h"
#include "draw/font/font_metrics.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "foundation/types.h"
#include "widgets/images/ctrls_img.h"
#include "widgets/label/label_look.h"
#include "widgets/label/label_text.h"

#include <algorithm>

namespace Qor {

namespace {

enum : int { VISUAL_NORMAL = 0, VISUAL_HOT = 1, VISUAL_PRESSED = 2, VISUAL_DISABLED = 3 };

Size BoxSize() { return CtrlsImg::O0().GetSize(); }

} // namespace

Option::Option()
{
    SetTransparent();
    SetFont(GetStandardFontReference());
}

Option& Option::Set(int v)
{
    SetValue(Value(v));
    return *this;
}

Option& Option::SetRadioLook(bool b)
{
    radio_look = b;
    Refresh();
    return *this;
}

Option& Option::SetThreeState(bool b)
{
    three_state = b;
    Refresh();
    return *this;
}

Option& Option::SetNullIsUnchecked(bool b)
{
    null_is_unchecked = b;
    Refresh();
    return *this;
}

Option& Option::ShowCaption(bool b)
{
    caption_shown = b;
    Refresh();
    return *this;
}

void Option::SetValue(const Value& v)
{
    int n;
    int type = v.GetTypeNumber();
    if(type == STRING_V || type == WSTRING_V) {
        String s = v.GetString();
        n = s == "1" ? 1 : s.IsEmpty() && !null_is_unchecked ? INT_NULL : 0;
    }
    else {
        n = v.ToInt();
        if(n == INT_NULL && null_is_unchecked)
            n = 0;
    }
    if(n != value) {
        value = n;
        MarkUpdated();
        RefreshPush();
    }
}

Value Option::GetValue() const { return Value((int)value); }

void Option::PerformAction()
{
    if(value == 0)
        value = three_state ? INT_NULL : 1;
    else if(value == 1)
        value = 0;
    else
        value = 1;
    MarkUpdatedAction();
    RefreshPush();
}

void Option::RefreshPush()
{
    if(caption_shown)
        Refresh(0, 0, BoxSize().cx, GetViewSize().cy);
    else
        Refresh();
}

void Option::RefreshFocus() { Refresh(); }

void Option::PointerEntered(Point, dword) { RefreshPush(); }

void Option::PointerLeft()
{
    RefreshPush();
    Pusher::PointerLeft();
}

int Option::VisualState() const
{
    if(!IsEnabledUpward())
        return VISUAL_DISABLED;
    if(IsPushed())
        return VISUAL_PRESSED;
    return IsUnderMouse() ? VISUAL_HOT : VISUAL_NORMAL;
}

int Option::ImageIndex(int visual) const
{
    int base;
    if(radio_look)
        base = value == 0 ? CtrlsImg::I_S0 : CtrlsImg::I_S1;
    else if(value == 1)
        base = CtrlsImg::I_O1;
    else if(value == INT_NULL && (three_state || !null_is_unchecked))
        base = CtrlsImg::I_O2;
    else
        base = CtrlsImg::I_O0;
    return base + visual;
}

void Option::Paint(Draw& w)
{
    Size sz = GetViewSize();
    if(!IsTransparent())
        w.DrawRect(0, 0, sz.cx, sz.cy, SysColorFace());
    Size isz = BoxSize();
    const String& caption = GetLabel();
    Size ts;
    int ty = 0;
    Point box((sz.cx - isz.cx) / 2, (sz.cy - isz.cy) / 2);
    if(caption_shown) {
        ts = GetLabelTextSize(caption, GetFont(), INT32_MAX);
        ty = (sz.cy - ts.cy) / 2;
        box = Point(0, ty + (ts.cy - isz.cy) / 2);
    }
    w.DrawImage(box.x, box.y, CtrlsImg::Get(ImageIndex(VisualState())));
    if(!caption_shown)
        return;
    Color ink = IsEnabledUpward() && IsEditable() ? GetLabelTextColor(this) : SysColorDisabled();
    int key = IsAccessKeyMarkShown(this) ? GetAccessKey() : 0;
    DrawLabelText(w, isz.cx + 4, ty, ts.cx, caption, GetFont(), ink, key);
    if(HasFocus()) {
        int left = std::max(isz.cx + 2, 0);
        int top = std::max(ty - 1, 0);
        int right = std::min(std::max(isz.cx + ts.cx + 5, left), sz.cx);
        int bottom = std::max(std::min(ty + ts.cy + 1, sz.cy), top);
        DrawFocusFrame(w, Rect(left, top, right, bottom), SysColorText());
    }
}

Size Option::MinimumSize() const
{
    Size isz = BoxSize();
    Font standard = GetStandardFontReference();
    Size sz(isz.cx, std::max(isz.cy, standard.GetMetrics().height) + 2);
    if(caption_shown)
        sz.cx += GetLabelTextSize(GetLabel(), standard, INT32_MAX).cx + 4;
    return GrowByFrames(sz);
}

} // namespace Qor
