// HeaderCtrl painting: the tabs, the filler right of them and the picture of a moved tab.

#include "lists/header/header_ctrl.h"

#include "draw/image/pixel_buffer.h"
#include "draw/look/look.h"
#include "draw/look/sys_colors.h"
#include "draw/target/image_any_draw.h"
#include "widgets/display/drop_marks.h"

#include <algorithm>
#include <climits>

namespace Qor {

void HeaderCtrl::Column::Paint(bool& first, Draw& w, int x, int y, int cx, int cy, bool disabled, bool pushed,
                               bool hot) const
{
    const HeaderCtrlStyle& st = owner ? *owner->style : GetDefaultStyle();
    int a = st.first_tab_adjust;
    if(first) {
        if(cx >= -a) {
            first = false;
            cx = std::max(cx - a, 0);
        }
    }
    else
        x -= a;
    int look = disabled ? VISUAL_DISABLED : pushed ? VISUAL_PRESSED : hot ? VISUAL_HOT : VISUAL_NORMAL;
    if(IsNull(paper))
        PaintLook(w, x, y, cx, cy, st.look[look]);
    else
        w.DrawRect(x, y, cx, cy, paper);
    int lx = x + margin + 2;
    int lcx = cx - 2 * margin - 4;
    w.Clip(lx, y, lcx, cy);
    PaintLabel(w, lx, y + 1, lcx, cy - 4, disabled, st.pressed_shift && pushed, false, true);
    w.End();
}

// The right edge of visible tab i that starts at x, as the painting walks the tabs; c runs
// over the ratios. Without any ratio the visible tabs share evenly, as their rectangles do.
int HeaderCtrl::RightEdge(int i, int x, double& c, double sum, int visible) const
{
    const HeaderTabSizing& sz = tabs[i].sizing;
    if(mode == HEADER_ABSOLUTE)
        return x + (int)sz.ratio;
    int w = GetViewSize().cx;
    if(i == tabs.GetCount() - 1)
        return w;
    if(sum == 0) {
        c += 1;
        return (int)(w * c / visible);
    }
    c += sz.ratio;
    return (int)(w * c / sum);
}

void HeaderCtrl::Paint(Draw& w)
{
    UpdateLayout();
    Size view = GetViewSize();
    w.DrawRect(0, 0, view.cx, view.cy, SysColorFace());
    bool disabled = !IsEnabledUpward();
    HeaderTabList sizing = GetSizing();
    double sum = SumVisibleRatios(sizing);
    int n = tabs.GetCount();
    int visible = GetVisibleHeaderTabs(sizing, 0).GetCount();
    int x = -GetScroll();
    bool first = true;
    hot_tab = -1;
    int drop_x = INT_MIN;
    double c = 0;
    bool any_pushed = (flags & PUSHED) && pushed_tab >= 0;
    for(int i = 0; i < n && x < view.cx; i++) {
        const Column& tab = tabs[i];
        if(!tab.sizing.visible)
            continue;
        int right = RightEdge(i, x, c, sum, visible);
        bool hot = !any_pushed && !moving && CanRunCallback(tab.WhenAction) &&
                   IsMouseInRect(Rect(x + 1, 0, right - 1, view.cy));
        if(hot)
            hot_tab = i;
        bool pushed = (flags & PUSHED) && i == pushed_tab;
        tab.Paint(first, w, x, 0, right - x, view.cy, disabled, pushed, hot);
        if(moving && i == target)
            drop_x = x;
        x = right;
    }
    Column filler;
    filler.owner = this;
    filler.Paint(first, w, x, 0, 999, view.cy, false, false, false);
    if(moving) {
        w.DrawImage(pointer_x + grab_offset, 0, moved_picture);
        // Past the painted tabs the mark stands at the right edge.
        int mark = drop_x == INT_MIN ? view.cx - 2 : drop_x <= 0 ? drop_x : drop_x - 1;
        DrawVertDropMark(w, mark, 0, view.cy);
    }
}

Image HeaderCtrl::MakeMovedPicture(int i)
{
    UpdateLayout();
    Rect r = tab_rects[i];
    Size sz(r.Width(), r.Height());
    if(sz.cx <= 0 || sz.cy <= 0)
        return Image();
    ImageAnyDraw w(sz);
    bool first = true;
    tabs[i].Paint(first, w, 0, 0, sz.cx, sz.cy, false, false, false);
    w.DrawFrame(Rect(sz), SysColorText());
    Image m = w.GetImage();
    if(m.IsEmpty())
        return m;
    // Half transparent, so the tabs under the dragged one stay readable.
    PixelBuffer b(m);
    b.Unmultiply();
    for(RGBA* p = b.Begin(); p != b.End(); p++)
        p->a >>= 1;
    b.SetKind(IMAGE_UNKNOWN);
    b.Premultiply();
    return Image(b);
}

} // namespace Qor
