// MultiButton painting: its own edge, the side buttons with their looks and content, and
// the text area with the value.

#include "widgets/multibutton/multi_button.h"

#include "draw/display/display.h"
#include "draw/font/font_metrics.h"
#include "draw/look/look.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "draw/text/text.h"
#include "foundation/values/convert.h"
#include "widgets/images/ctrls_img.h"
#include "widgets/label/label_look.h"

#include <algorithm>

namespace Qor {

void MultiButton::PaintButtonContent(Draw& w, const SideButton& b, int s, int x, int cx, bool first) const
{
    Size sz = GetViewSize();
    Font font = GetStandardFontReference();
    Image m = b.img;
    if(b.label.IsEmpty() && m.IsEmpty())
        m = CtrlsImg::DA();
    int tw = b.label.IsEmpty() ? 0 : GetTextSize(b.label, font).cx;
    Size isz = m.GetSize();
    int gap = tw > 0 && isz.cx > 0 ? 5 : 0;
    int x0 = x + (cx - isz.cx - tw - gap) / 2;
    int y0 = (sz.cy - isz.cy) / 2;
    if(s == VISUAL_PRESSED) {
        x0 += style->pressoffset.x;
        y0 += style->pressoffset.y;
    }
    if(first)
        x0 += b.left ? style->loff : style->roff;
    if(!b.img.IsEmpty() && !b.monoimg)
        w.DrawImage(x0, y0, m);
    else if(!m.IsEmpty())
        w.DrawImage(x0, y0, m, HasOwnEdge() ? style->fmonocolor[s] : style->monocolor[s]);
    if(!b.label.IsEmpty())
        w.DrawText(x0 + (isz.cx > 0 ? isz.cx + 5 : 0), (sz.cy - font.GetMetrics().height) / 2, b.label, font,
                   Color(0, 0, 0));
}

void MultiButton::PaintButton(Draw& w, int i, int x, int cx, bool first) const
{
    const SideButton& b = buttons[i];
    Size sz = GetViewSize();
    int s = GetVisualState(i);
    if(HasOwnEdge()) {
        int border = GetBorderWidth();
        if(IsTrivial() && style->usetrivial) {
            // The trivial look carries its arrow.
            PaintLook(w, x, border, cx, sz.cy - 2 * border, style->trivial[s]);
            return;
        }
        const Value* looks = b.left ? (first ? style->left : style->lmiddle) : (first ? style->right : style->rmiddle);
        PaintLook(w, x, border, cx, sz.cy - 2 * border, looks[s]);
    }
    else {
        w.Clip(x, 0, cx, sz.cy);
        PaintLook(w, 0, 0, sz.cx, sz.cy, style->look[s]);
        if((!IsTrivial() || style->sep) && IsEnabledUpward()) {
            int h = sz.cy - 2 * style->sepm;
            if(b.left) {
                if(!first)
                    PaintLook(w, x, style->sepm, 1, h, style->sep1);
                PaintLook(w, x + cx - 1, style->sepm, 1, h, style->sep2);
            }
            else {
                PaintLook(w, x, style->sepm, 1, h, style->sep1);
                if(!first)
                    PaintLook(w, x + cx - 1, style->sepm, 1, h, style->sep2);
            }
        }
        w.End();
    }
    PaintButtonContent(w, b, s, x, cx, first);
}

void MultiButton::PaintTextArea(Draw& w, int l, int r, bool has_left, bool has_right) const
{
    Size sz = GetViewSize();
    int s = GetVisualState(-1);
    Color ink = SysColorLabel();
    Rect tr;
    if(!HasOwnEdge()) {
        w.Clip(l, 0, r - l, sz.cy);
        PaintLook(w, 0, 0, sz.cx, sz.cy, style->look[s]);
        const Rect& m = style->margin;
        tr = Rect(std::max(l, m.left), m.top, std::min(r, sz.cx - m.right), sz.cy - m.bottom);
        if(!IsTrivial() || style->sep) {
            bool enabled = IsEnabledUpward();
            if(has_left) {
                tr.left++;
                if(enabled)
                    PaintLook(w, l, style->sepm, 1, sz.cy - 2 * style->sepm, style->sep1);
            }
            if(has_right) {
                if(enabled)
                    PaintLook(w, r - 1, style->sepm, 1, sz.cy - 2 * style->sepm, style->sep2);
                tr.right--;
            }
        }
        w.End();
    }
    else {
        Rect m = style->margin;
        int fh = GetStandardFontReference().GetMetrics().height;
        if(sz.cy < fh + m.top + m.bottom)
            m.top = m.bottom = std::max(0, (sz.cy - fh) / 2);
        tr = Rect(l + m.left, m.top, r - m.right, sz.cy - m.bottom);
        Color paper;
        if(s == VISUAL_HOT)
            paper = MixColors(SysColorHighlight(), SysColorPaper(), 235);
        else if(s == VISUAL_PRESSED)
            paper = MixColors(SysColorHighlight(), SysColorFace(), 235);
        else if(HasFocus()) {
            paper = SysColorHighlight();
            ink = SysColorHighlightText();
        }
        else
            paper = SysColorPaper();
        if(!tr.IsEmpty())
            w.DrawRect(tr, paper);
    }
    Rect vr = tr;
    vr.left++;
    if(valuecy != INT_NULL) {
        vr.top += (vr.Height() - valuecy + 1) / 2;
        vr.bottom = vr.top + valuecy;
    }
    if(!vr.IsEmpty() && display) {
        if(!IsEnabledUpward())
            ink = SysColorDisabled();
        w.Clip(vr);
        dword dstyle = HasFocus() && !pressed && HasOwnEdge() ? 1 : 3;
        display->Paint(w, vr, convert->Format(value), ink, Color(), dstyle);
        w.End();
    }
    if(!HasOwnEdge() && HasFocus())
        DrawFocusFrame(w, tr, SysColorText());
}

void MultiButton::Paint(Draw& w)
{
    Size sz = GetViewSize();
    if(HasOwnEdge())
        PaintLook(w, 0, 0, sz.cx, sz.cy, style->edge[style->activeedge ? GetVisualState(-1) : 0]);
    Vector<Span> spans;
    int l, r;
    LayOutButtons(spans, l, r);
    bool seen_left = false;
    bool seen_right = false;
    for(int i = 0; i < spans.GetCount(); i++) {
        bool& seen = buttons[i].left ? seen_left : seen_right;
        PaintButton(w, i, spans[i].x, spans[i].cx, !seen);
        seen = true;
    }
    PaintTextArea(w, l, r, seen_left, seen_right);
}

} // namespace Qor
