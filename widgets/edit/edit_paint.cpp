// EditField painting: paper by state, the hint of an empty field, runs of characters of one
// colour, the selection and the drop marker.

#include "widgets/edit/edit_field.h"

#include "draw/font/font_metrics.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "draw/text/text.h"
#include "widgets/images/ctrl_img.h"

#include <algorithm>

namespace Qor {

namespace {

constexpr int CONTROL_GLYPH = 0x25AF;

} // namespace

void EditField::PaintRun(Draw& w, int& x, int fcy, const wchar16*& t, Color ink, Color paper, int n, bool password,
                         Font f, Color underline, bool mark_spaces)
{
    if(n < 0)
        return;
    int width = GetTextWidth(t, n, password, f);
    w.DrawRect(x, 0, width, fcy, paper);
    WString shown;
    for(int i = 0; i < n; i++)
        shown += wchar16(password ? '*' : t[i] < 32 ? CONTROL_GLYPH : t[i]);
    if(!password && !IsNull(underline))
        w.DrawRect(x, f.GetAscent() + 1, width, 1, underline);
    w.DrawText(x, 0, shown, f, ink);
    if(!password && mark_spaces) {
        Size space = GetTextSize(" ", f);
        Color dot = MixColors(SysColorHighlight(), SysColorPaper(), 128);
        for(int i = 0, sx = x; i < n; sx += f.GetCharWidth(shown[i]), i++)
            if(t[i] == ' ')
                w.DrawRect(sx + space.cx / 2, space.cy / 2, 2, 2, dot);
    }
    x += width;
    t += n;
}

void EditField::PaintText(Draw& w, int& x, int fcy, Color ink, Color paper, bool enabled)
{
    int n = text.GetLength();
    Vector<CharColors> colors;
    colors.SetCount(n);
    for(CharColors& c : colors) {
        c.ink = ink;
        c.paper = paper;
        c.underline = Color();
    }
    AdjustCharColors(colors);
    int l, h;
    if(GetSelection(l, h)) {
        h = std::min(h, colors.GetCount());
        for(int i = l; i < h; i++) {
            colors[i].ink = enabled ? style->selection_text : paper;
            colors[i].paper = enabled ? style->selection_paper : ink;
        }
    }
    const wchar16* t = text.Begin();
    int count = std::min(n, colors.GetCount());
    for(int i = 0; i < count;) {
        const CharColors& c = colors[i];
        int j = i + 1;
        while(j < count && colors[j].ink == c.ink && colors[j].paper == c.paper && colors[j].underline == c.underline)
            j++;
        PaintRun(w, x, fcy, t, c.ink, c.paper, j - i, IsPassword(), font, c.underline, IsMarkSpaces());
        i = j;
    }
}

void EditField::Paint(Draw& w)
{
    Size sz = GetViewSize();
    int cx = sz.cx, cy = sz.cy;
    int fcy = font.GetMetrics().height;
    int top = GetTextTop();
    bool enabled = IsEnabledUpward();
    Color paper = enabled && IsEditable() ? (HasFocus() ? style->focused_paper : style->paper) : style->read_only_paper;
    if(HasOption(OPT_NO_PAPER))
        paper = Color();
    Color ink;
    if(enabled) {
        ink = style->text;
        if(HasOption(OPT_INVALID) || IsError(convert->Scan(Value(text))))
            paper = style->invalid_paper;
    }
    else
        ink = style->disabled_text;
    w.DrawRect(0, 0, 2, cy, paper);
    w.DrawRect(0, 0, cx, top, paper);
    w.DrawRect(0, top + fcy, cx, cy - top - fcy, paper);
    w.DrawRect(cx - 2, 0, 2, cy, paper);
    w.ClipOffset(Rect(2, top, cx - 2, top + fcy));
    int x = -scroll_offset;
    bool right_now = HasOption(OPT_RIGHT_ALIGN_IDLE) && !HasFocus();
    if(text.IsEmpty() && (!null_text.IsEmpty() || !null_icon.IsEmpty())) {
        if(!null_icon.IsEmpty()) {
            Size isz = null_icon.GetSize();
            w.DrawRect(x, 0, isz.cx + 4, fcy, paper);
            w.DrawImage(x, (fcy - isz.cy) / 2, null_icon);
            x += isz.cx + 4;
        }
        const wchar16* t = null_text.Begin();
        PaintRun(w, x, fcy, t, null_ink, paper, null_text.GetLength(), false, null_font, Color(), false);
    }
    else {
        if(right_now) {
            x = (cx - 4) - GetTextWidth(text.GetLength());
            w.DrawRect(0, 0, x, fcy, paper);
        }
        PaintText(w, x, fcy, ink, paper, enabled);
    }
    if(!right_now)
        w.DrawRect(x, 0, 9999, fcy, paper);
    w.End();
    if(drop_marker.Width() > 0 || drop_marker.Height() > 0)
        w.DrawTiles(drop_marker, CtrlImg::checkers());
}

} // namespace Qor
