// Switch painting: the layout of the cases, their round images, captions and focus frame,
// and the cells a change repaints.

#include "widgets/switch/switch.h"

#include "ctrl/defaults/ctrl_defaults.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "draw/text/text.h"
#include "widgets/images/ctrls_img.h"
#include "widgets/label/label_look.h"
#include "widgets/label/label_text.h"

#include <algorithm>
#include <cstdint>

namespace Qor {

namespace {

enum : int { VISUAL_NORMAL = 0, VISUAL_HOT = 1, VISUAL_PRESSED = 2, VISUAL_DISABLED = 3 };

Size RadioSize() { return CtrlsImg::S0().GetSize(); }

} // namespace

void Switch::Paint(Draw& w)
{
    if(cases.IsEmpty())
        return;
    Size sz = GetViewSize();
    if(!IsTransparent())
        w.DrawRect(0, 0, sz.cx, sz.cy, SysColorFace());
    int th = GetTextSize("W", font).cy;
    line_height = th + 2 <= 15 ? 16 : th + 2;
    int ty = (line_height - th) / 2;
    bool horizontal = line_height * cases.GetCount() > sz.cy;
    if(horizontal)
        line_ends.SetCount(cases.GetCount());
    else
        line_ends.Clear();
    hot = -1;
    Size isz = RadioSize();
    int selected = GetSelectedCase();
    bool enabled = IsEnabledUpward();
    bool focused = HasFocus();
    int key_marks = IsAccessKeyMarkShown(this);
    int x = 0;
    int y = 0;
    for(int i = 0; i < cases.GetCount(); i++) {
        const Case& c = cases[i];
        bool dimmed = !enabled || !c.enabled;
        Size ts = GetLabelTextSize(c.caption, font, INT32_MAX);
        int iy = (line_height - isz.cy) / 2;
        int cx = horizontal ? isz.cx + ts.cx + 4 : sz.cx;
        if(IsMouseInRect(Rect(x, y, x + cx, y + line_height)))
            hot = i;
        int state = dimmed ? VISUAL_DISABLED : i == pressed ? VISUAL_PRESSED : i == hot ? VISUAL_HOT : VISUAL_NORMAL;
        w.DrawImage(x, y + iy, CtrlsImg::Get((i == selected ? CtrlsImg::I_S1 : CtrlsImg::I_S0) + state));
        Color ink = !dimmed && IsEditable() ? GetLabelTextColor(this) : SysColorDisabled();
        DrawLabelText(w, x + isz.cx + 4, y + ty, sz.cx, c.caption, font, ink, key_marks ? c.access_key : 0);
        if(focused && (i == pressed || (pressed < 0 && i == selected))) {
            int left = std::max(x + isz.cx + 2, 0);
            int top = std::max(y + ty - 1, 0);
            int right = std::min(std::max(x + isz.cx + ts.cx + 5, left), sz.cx);
            int bottom = std::max(std::min(y + ty + ts.cy + 1, sz.cy), top);
            DrawFocusFrame(w, Rect(left, top, right, bottom), SysColorText());
        }
        if(horizontal) {
            x += cx + sz.cy / 2;
            line_ends[i] = x;
        }
        else
            y += line_height;
    }
    if(horizontal)
        line_ends.Top() = sz.cx;
}

Rect Switch::GetCell(int i) const
{
    Size sz = GetViewSize();
    if(line_ends.IsEmpty())
        return Rect(0, i * line_height, sz.cx, (i + 1) * line_height);
    if(i >= line_ends.GetCount()) // laid out before this case was added
        return Rect(sz);
    return Rect(i ? line_ends[i - 1] : 0, 0, line_ends[i], sz.cy);
}

void Switch::RefreshCell(int i, bool whole)
{
    if(i < 0 || i >= cases.GetCount())
        return;
    Rect r = GetCell(i);
    if(!whole)
        r.right = r.left + RadioSize().cx;
    Refresh(r);
}

void Switch::RefreshCase(int i) { RefreshCell(i, HasFocus()); }

} // namespace Qor
