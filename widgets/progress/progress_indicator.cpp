// ProgressIndicator: the default style, the bar's length and the painting of the track.

#include "widgets/progress/progress_indicator.h"

#include "ctrl/settings/gui_settings.h"
#include "draw/look/look.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "foundation/process.h"
#include "widgets/button/style_record.h"
#include "widgets/edit/edit_style.h"
#include "widgets/images/ctrls_img.h"

#include <algorithm>

namespace Qor {

namespace {

void FillDefaultStyle(ProgressStyle& s)
{
    s.classic = GetLookStyleLevel() == 1;
    s.bound = false;
    s.hlook = CtrlsImg::PI();
    s.hchunk = CtrlsImg::PIC();
    s.vlook = CtrlsImg::VPI();
    s.vchunk = CtrlsImg::VPIC();
}

// A look that tells no margins (no painter takes it) has none.
Rect Margins(const Value& look)
{
    Rect m = GetLookMargins(look);
    return IsNullInt(m.left) ? Rect(0, 0, 0, 0) : m;
}

// The busy block's length: a quarter of the track, kept to a multiple of 2 pixels.
int BusyBlockLength(int len) { return (len & ~7) / 4; }

} // namespace

const ProgressStyle& ProgressIndicator::GetDefaultStyle()
{
    static ProgressStyle s;
    static ProgressStyle standard;
    return BuildStyleRecord(
        s, standard, [] { ProgressIndicator::GetDefaultStyle(); }, FillDefaultStyle);
}

ProgressIndicator::ProgressIndicator() : style(&GetDefaultStyle())
{
    SetTransparent();
    SetWantsFocus(false);
}

ProgressIndicator::~ProgressIndicator() = default;

ProgressIndicator& ProgressIndicator::SetStyle(const ProgressStyle& s)
{
    style = &s;
    Refresh();
    return *this;
}

Value ProgressIndicator::GetTrackLook() const
{
    if(style->classic)
        return GetEditFieldEdgeLook();
    Size sz = GetViewSize();
    return sz.cy < sz.cx ? style->hlook : style->vlook;
}

Size ProgressIndicator::GetInnerSize() const
{
    Rect m = Margins(GetTrackLook());
    Size sz = GetViewSize();
    return Size(sz.cx - m.left - m.right, sz.cy - m.top - m.bottom);
}

void ProgressIndicator::Recompute()
{
    Size inner = GetInnerSize();
    int len = std::max(inner.cx, inner.cy);
    int a;
    if(total > 0) {
        len = std::max(len, 1);
        // A negative position shows an empty bar, one past the total a full one.
        a = int(std::min<int64>(len, std::max<int64>(0, int64(pos) * len / total)));
    }
    else {
        int n = len & ~7;
        int cycle = n > 0 ? n + n / 4 : 1;
        a = int(MonotonicMs() / 15 % uint32(cycle));
    }
    if(a != actual) {
        actual = a;
        Refresh();
    }
}

void ProgressIndicator::Set(int p, int t)
{
    pos = p;
    total = t;
    Recompute();
}

void ProgressIndicator::Layout() { Recompute(); }

void ProgressIndicator::Paint(Draw& w)
{
    Size sz = GetViewSize();
    Size inner = GetInnerSize();
    int len = std::max(inner.cx, inner.cy);
    int start = 0;
    int length = actual;
    if(total <= 0) {
        int b = BusyBlockLength(len);
        start = actual - b;
        length = std::min(b, len - start);
        if(style->bound && start < 0) {
            length += start;
            start = 0;
        }
    }
    if(style->classic) {
        Value edge = GetEditFieldEdgeLook();
        PaintLookEdge(w, Rect(sz), edge);
        Rect m = Margins(edge);
        Rect in(m.left, m.top, sz.cx - m.right, sz.cy - m.bottom);
        w.Clip(in);
        w.DrawRect(in, SysColorPaper());
        Rect bar;
        if(inner.cx > inner.cy)
            bar = Rect(in.left + start, in.top, in.left + start + std::min(inner.cx, length), in.bottom);
        else // grows upward from the bottom, as the skinned bar does
            bar = Rect(in.left, in.bottom - start - std::min(inner.cy, length), in.right, in.bottom - start);
        if(bar.right > bar.left && bar.bottom > bar.top)
            w.DrawRect(bar, SysColorHighlight());
        w.End();
        return;
    }
    bool vertical = sz.cx < sz.cy;
    Value track = vertical ? style->vlook : style->hlook;
    PaintLook(w, Rect(sz), track);
    Rect m = Margins(track);
    w.Clip(Rect(m.left, m.top, sz.cx - m.right, sz.cy - m.bottom));
    if(length > 0) {
        if(vertical)
            PaintLook(w, Rect(Point(m.left, sz.cy - m.bottom - length - start), Size(inner.cx, length)), style->vchunk);
        else
            PaintLook(w, Rect(Point(m.left + start, m.top), Size(length, inner.cy)), style->hchunk);
    }
    w.End();
}

} // namespace Qor
