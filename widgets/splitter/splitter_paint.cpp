// Splitter: the default style and the painting of the bars.

#include "widgets/splitter/splitter.h"

#include "ctrl/settings/gui_settings.h"
#include "draw/look/look.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "widgets/button/style_record.h"

namespace Qor {

enum : int { SPLITTER_BAR_WIDTH = 4, DOT_STEPS = 16, DOT_STEP = 4 };

namespace {

void FillDefaultStyle(SplitterStyle& s)
{
    Color dragged = GetLookStyleLevel() < 2 ? SysColorShadow() : MixColors(SysColorHighlight(), SysColorFace(), 128);
    s.look[SPLITTER_LOOK_VERTICAL] = s.look[SPLITTER_LOOK_HORIZONTAL] = Value(SysColorFace());
    s.look[SPLITTER_LOOK_VERTICAL_DRAGGED] = s.look[SPLITTER_LOOK_HORIZONTAL_DRAGGED] = Value(dragged);
    s.width = SPLITTER_BAR_WIDTH;
    s.dots = true;
}

} // namespace

const SplitterStyle& Splitter::GetDefaultStyle()
{
    static SplitterStyle s;
    static SplitterStyle standard;
    return BuildStyleRecord(
        s, standard, [] { Splitter::GetDefaultStyle(); }, FillDefaultStyle);
}

void Splitter::Paint(Draw& w)
{
    Size sz = GetViewSize();
    if(!IsTransparent())
        w.DrawRect(0, 0, sz.cx, sz.cy, SysColorFace());
    if(shown_pane >= 0 && shown_pane < CountChildren())
        return;
    int width = style->width;
    int normal = vertical ? SPLITTER_LOOK_VERTICAL : SPLITTER_LOOK_HORIZONTAL;
    for(int i = 0; i < GetBarCount(); i++) {
        int from = GetBarPixel(i) - width / 2;
        Rect bar = vertical ? Rect(0, from, sz.cx, from + width) : Rect(from, 0, from + width, sz.cy);
        if(HasCapture() && i == dragged_bar)
            PaintLook(w, bar, style->look[normal + 1]);
        else if(!IsTransparent())
            PaintLook(w, bar, style->look[normal]);
        if(!style->dots)
            continue;
        // The grip: a short row of raised dots across the bar's middle.
        Point centre = bar.CenterPoint();
        Color shadow = SysColorShadow();
        for(int k = 0; k < DOT_STEPS; k++) {
            int along = k * DOT_STEP - DOT_STEPS * DOT_STEP / 2;
            Point p = vertical ? Point(centre.x + along, centre.y) : Point(centre.x, centre.y + along);
            w.DrawRect(p.x, p.y, 1, 1, shadow);
            w.DrawRect(p.x - 1, p.y - 1, 1, 1, shadow);
        }
    }
}

} // namespace Qor
