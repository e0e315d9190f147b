// The tool-tip window: its size, painting and placing.

#include "widgets/tooltip/tool_tip.h"

#include "ctrl/frame/ctrl_frame.h"
#include "ctrl/settings/gui_settings.h"
#include "ctrl/window_ops/window_ops.h"
#include "draw/font/font.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "widgets/label/label_text.h"
#include "widgets/skin/popup_animation.h"

#include <algorithm>
#include <cstdint>

namespace Qor {

ToolTip::ToolTip() { SetFrame(0, GetBlackLineFrame()); }

Size ToolTip::MinimumSize() const
{
    Size sz = GetLabelTextSize(text, GetStandardFontReference(), INT32_MAX);
    return GrowByFrames(Size(sz.cx + 4, sz.cy + 4));
}

void ToolTip::Paint(Draw& w)
{
    Size sz = GetViewSize();
    w.DrawRect(0, 0, sz.cx, sz.cy, SysColorInfo());
    DrawLabelText(w, 2, 2, sz.cx - 4, text, GetStandardFontReference(), SysColorInfoText(), 0);
}

void ToolTip::ShowAt(Ctrl* owner, Point& p, bool animate)
{
    Rect work = GetWorkAreaAtCall(p);
    Size sz = MinimumSize();
    if(p.x + sz.cx > work.right)
        p.x = work.right - sz.cx;
    p.x = std::max(p.x, work.left);
    if(p.y + sz.cy > work.bottom)
        p.y = work.bottom - sz.cy;
    p.y = std::max(p.y, work.top);
    Rect target(p, sz);
    if(GetPopupAnimation() == POPUP_ANIMATION_SLIDE && animate) {
        SetRect(p.x, p.y, sz.cx, 1);
        OpenPopupCall(*this, owner, true, false);
        AnimatePopup(*this, target);
        return;
    }
    SetRect(target);
    OpenPopupCall(*this, owner, true, false);
    if(animate)
        AnimatePopup(*this, target);
}

} // namespace Qor
