// The frame interface's defaults, the border and field frames, their singletons and the
// docking of frame controls.

#include "ctrl/frame/ctrl_frame.h"

#include "ctrl/frame/frame_settings.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/tree/ctrl_class.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"

namespace Qor {

void CtrlFrame::PaintFrame(Draw&, const Rect&) {}
void CtrlFrame::AddedTo(Ctrl&) {}
void CtrlFrame::RemovedFrom() {}
int CtrlFrame::OverpaintMargin() const { return 0; }

namespace {

bool FitsRings(const Rect& r, int64 n) { return r.Width() >= 2 * n && r.Height() >= 2 * n; }

} // namespace

void BorderFrame::LayOut(Rect& r)
{
    int n = int(table->ring_count);
    if(FitsRings(r, n))
        r.Deflate(n);
}

void BorderFrame::AddSize(Size& sz)
{
    int n = int(table->ring_count);
    sz.cx += 2 * n;
    sz.cy += 2 * n;
}

void BorderFrame::PaintFrame(Draw& w, const Rect& r)
{
    if(FitsRings(r, table->ring_count))
        w.DrawBorder(r, table);
}

void XPFieldFrameCls::LayOut(Rect& r) { r.Deflate(2); }

void XPFieldFrameCls::AddSize(Size& sz)
{
    sz.cx += 4;
    sz.cy += 4;
}

void XPFieldFrameCls::PaintFrame(Draw& w, const Rect& r)
{
    w.DrawFrame(r, GetFieldFrameEdgeColor());
    w.DrawFrame(r.Inflated(-1, -1), SysColorPaper());
}

CtrlFrame& GetNullFrameInstance()
{
    static NullFrameClass frame;
    return frame;
}

CtrlFrame& GetSunkenLineFrame()
{
    static BorderFrame frame(GetThinInsetBorder());
    return frame;
}

CtrlFrame& GetBlackLineFrame()
{
    static BorderFrame frame(GetBlackBorder());
    return frame;
}

CtrlFrame& GetRaisedFrame()
{
    static BorderFrame frame(GetRaisedBorder());
    return frame;
}

CtrlFrame& GetEditFrame()
{
    static XPFieldFrameCls field;
    static BorderFrame sunken(GetSunkenBorder());
    int (*level)() = GetCtrlCoreSeams().look_style_level;
    // The look style level starts at 1 (classic) until the settings say otherwise.
    if((level ? level() : 1) >= 2)
        return field;
    return sunken;
}

namespace {

int BandWidth(Ctrl* c, int n) { return c->IsVisible() ? n : 0; }

} // namespace

void DockCtrlLeft(Rect& r, Ctrl* c, int n)
{
    if(!c)
        return;
    n = BandWidth(c, n);
    c->SetFrameRect(r.left, r.top, n, r.Height());
    r.left += n;
}

void DockCtrlRight(Rect& r, Ctrl* c, int n)
{
    if(!c)
        return;
    n = BandWidth(c, n);
    c->SetFrameRect(r.right - n, r.top, n, r.Height());
    r.right -= n;
}

void DockCtrlTop(Rect& r, Ctrl* c, int n)
{
    if(!c)
        return;
    n = BandWidth(c, n);
    c->SetFrameRect(r.left, r.top, r.Width(), n);
    r.top += n;
}

void DockCtrlBottom(Rect& r, Ctrl* c, int n)
{
    if(!c)
        return;
    n = BandWidth(c, n);
    c->SetFrameRect(r.left, r.bottom - n, r.Width(), n);
    r.bottom -= n;
}

} // namespace Qor
