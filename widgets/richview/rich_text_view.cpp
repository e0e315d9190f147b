// RichTextView: the text, its zoom and page width, scrolling, layout and painting.

#include "widgets/richview/rich_text_view.h"

#include "ctrl/frame/ctrl_frame.h"
#include "draw/look/sys_colors.h"
#include "foundation/callback_action.h"
#include "foundation/desktop.h"
#include "foundation/numeric.h"
#include "richtext/paint/page_draw.h"
#include "richtext/paint/paint_info.h"
#include "richtext/qtf/qtf_reader.h"
#include "richtext/qtf/qtf_writer.h"
#include "widgets/frame/view_edge.h"

#include <algorithm>

namespace Qor {

namespace {

// Resizing paints the quick way until the size has rested this long.
constexpr int SIZING_REST_MS = 250;
constexpr int SIZING_TIMER = 1;
// The scroll line at 1:1, in text units.
constexpr int SCROLL_LINE = 100;

// a * m / d, 0 when d is 0 (a zoom with nothing to divide by shows nothing).
int Zoomed(int a, int m, int d) { return d ? ScaleInt(a, m, d) : 0; }

} // namespace

RichTextView::RichTextView()
{
    background = SysColorPaper();
    zoom = ZoomRatio(0, 0);
    WhenLink = MakeCallback(&OpenUrlInBrowser);
    SetFrame(0, GetViewEdgeFrame());
    AddFrame(sb);
    sb.SetLine(SCROLL_LINE);
    sb.ScrollAction() = MakeCallback(this, &RichTextView::Scrolled);
    SetWantsFocus(false);
}

RichTextView::~RichTextView() = default;

RichTextCtrl::RichTextCtrl()
{
    SetZoom(ZoomRatio(1, 1));
    SetScrollPosition(0);
    UpdateScroll();
    SetTransparent();
    SetBackground(Color());
    SetFrame(0, GetNullFrameInstance());
    GetScrollBar().SetAutoHide();
}

void RichTextView::SetQtf(const char* qtf, ZoomRatio z)
{
    RichText t = ReadQtfDocument(qtf);
    if(z.m != z.d && z.d)
        t.ApplyZoom(z);
    Pick(std::move(t));
    sb.SetLine(Zoomed(SCROLL_LINE, z.m, z.d));
}

void RichTextView::Pick(RichText&& t)
{
    sb.SetPosition(0);
    sell = selh = cursor = anchor = 0;
    text = std::move(t);
    UpdateScroll();
    SetModified();
    AfterUpdate();
    Refresh();
}

void RichTextView::SetValue(const Value& v) { SetQtf(v.GetString().Begin()); }

void RichTextCtrl::SetValue(const Value& v) { SetQtf(v.GetString().Begin(), RichScreenZoom()); }

Value RichTextView::GetValue() const
{
    if(text.IsEmpty())
        return Value();
    return Value(WriteQtfDocument(text));
}

RichTextView& RichTextView::SetZoom(ZoomRatio z)
{
    zoom = z;
    UpdateScroll();
    Refresh();
    return *this;
}

RichTextView& RichTextView::SetPageWidth(int text_cx)
{
    cx = text_cx;
    UpdateScroll();
    Refresh();
    return *this;
}

RichTextView& RichTextView::SetMargin(const Rect& m)
{
    margin = m;
    UpdateScroll();
    Refresh();
    return *this;
}

RichTextView& RichTextView::SetBackground(Color c)
{
    background = c;
    Refresh();
    return *this;
}

void RichTextView::SetSelection(int anchor_pos, int cursor_pos)
{
    anchor = anchor_pos;
    cursor = cursor_pos;
    RefreshSel();
}

int RichTextView::EffectiveWidth() const
{
    // A bar that auto-hide took away would give its width back to the text, which would then
    // be laid out again at another zoom each time the bar comes and goes.
    int w = GetViewSize().cx;
    if(sb.IsAutoHide() && !sb.IsVisible())
        w -= sb.GetStyle().bar_width;
    return w;
}

ZoomRatio RichTextView::GetZoomInUse() const
{
    if(zoom.m || zoom.d)
        return zoom;
    return ZoomRatio(std::max(0, EffectiveWidth() - margin.left - margin.right), cx);
}

int RichTextView::PageCx(int view_cx) const
{
    if(!zoom.m && !zoom.d)
        return cx;
    if(!zoom.m)
        return 0;
    return std::max(0, ScaleInt(view_cx - margin.left - margin.right, zoom.d, zoom.m));
}

Rect RichTextView::InnerRect() const
{
    Size sz = GetViewSize();
    return Rect(margin.left, margin.top, sz.cx - margin.right, sz.cy - margin.bottom);
}

int RichTextView::ScrollOffset() const
{
    ZoomRatio z = GetZoomInUse();
    return Zoomed(sb.GetPosition(), z.m, z.d);
}

Point RichTextView::TextPoint(Point p) const
{
    ZoomRatio z = GetZoomInUse();
    if(!z.m)
        return Point(0, 0);
    return Point(ScaleInt(p.x - margin.left, z.d, z.m), ScaleInt(p.y - margin.top + ScrollOffset(), z.d, z.m));
}

int RichTextView::GetPositionAt(Point p) const
{
    Point t = TextPoint(p);
    return text.PositionAt(t.x, PagePosition(0, t.y), PageRect(GetViewSize().cx));
}

void RichTextView::UpdateScroll()
{
    ZoomRatio z = GetZoomInUse();
    int total = text.GetEndPosition(PageRect(EffectiveWidth())).y;
    int page = z.m ? ScaleInt(GetViewSize().cy - margin.top - margin.bottom, z.d, z.m) : 0;
    sb.Set(sb.GetPosition(), page, total);
}

void RichTextView::Scrolled()
{
    Rect inner = InnerRect();
    if(inner.IsEmpty())
        return;
    tracker.ScrollVertically(*this, inner, ScrollOffset(), 1);
}

void RichTextView::Layout()
{
    sizing = false;
    if(IsOpen()) {
        sizing = true;
        CancelTimer(SIZING_TIMER);
        ScheduleTimer(SIZING_REST_MS, MakeCallback(this, &RichTextView::SizingDone), SIZING_TIMER);
    }
    UpdateScroll();
    Refresh();
}

void RichTextView::SizingDone()
{
    sizing = false;
    Refresh();
}

void RichTextView::Paint(Draw& w)
{
    Size sz = GetViewSize();
    w.DrawRect(Rect(sz), background);
    Rect inner = InnerRect();
    ZoomRatio z = GetZoomInUse();
    int pos = sb.GetPosition();
    RichPaintInfo pi;
    pi.zoom = z;
    if(sell < selh) {
        pi.selection_start = sell;
        pi.selection_end = selh;
    }
    pi.top = PagePosition(0, pos);
    pi.bottom = PagePosition(0, pos + (z.m ? ScaleInt(inner.Height(), z.d, z.m) : 0));
    // On dark paper the text takes the system's text and paper colours, so that it stays
    // readable under a dark theme.
    pi.system_colors = GrayLevel(SysColorPaper()) <= 99;
    // While the view is being resized objects are only outlined, which keeps resizing quick.
    pi.objects_as_placeholders = sizing;
    pi.objects_through_image_cache = true;
    pi.clip_objects = true;
    w.ClipOffset(inner);
    int offset = ScrollOffset();
    w.Offset(0, -offset);
    tracker.x = 0;
    tracker.y = offset;
    SimplePageDraw pw(w);
    text.PaintPages(pw, PageRect(sz.cx), pi);
    w.End();
    w.End();
}

void RichTextView::WheelRotated(Point, int zdelta, dword) { sb.Wheel(zdelta, 3); }

} // namespace Qor
