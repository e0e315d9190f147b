// Placing a control by its logical position: the setters, resolving the rectangle in the
// parent, and the rectangle and view queries in parent and screen coordinates.

#include "ctrl/platform/platform.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/tree/ctrl_class.h"
#include "ctrl/tree/host_window_record.h"

#include <algorithm>

namespace Qor {

namespace {

// Stored coordinates wrap at the int16 range, as the record holds them.
int16 Wrap16(int64 v) { return int16(uint16(uint64(v))); }

Rect ScreenRectOrNull() { return GetPlatform().GetScreenRect(); }

// The desktop work area, read once from the window system that tells it and kept from then
// on (asked again when another window system is installed, or while it told none).
Rect GetKeptWorkArea()
{
    static int source = -1;
    static Rect area;
    if(GetPlatformSerial() != source || area.IsEmpty()) {
        source = GetPlatformSerial();
        area = GetPlatform().GetWorkArea();
    }
    return area;
}

int Zoom(int (*zoom)(int), int v) { return zoom ? zoom(v) : v; }
int ZoomX(int v) { return Zoom(GetCtrlCoreSeams().zoom_x, v); }
int ZoomY(int v) { return Zoom(GetCtrlCoreSeams().zoom_y, v); }

} // namespace

void Ctrl::SetRectFields(const Rect& r)
{
    rect_left = Wrap16(r.left);
    rect_top = Wrap16(r.top);
    rect_right = Wrap16(r.right);
    rect_bottom = Wrap16(r.bottom);
}

Rect Ctrl::ResolveInParent(LogicalPos p, bool in_frame, const Rect& whole, const Rect& view) const
{
    Size extent = in_frame ? whole.GetSize() : view.GetSize();
    LogicalPosSizes hsizes{ 0, 0, 0 };
    LogicalPosSizes vsizes{ 0, 0, 0 };
    // The size operations are virtual and may be costly: asked only when a word needs them.
    if(HasSpecialSize(p.x) || HasSpecialSize(p.y)) {
        Size mn = MinimumSize();
        Size st = StandardSize();
        Size mx = MaximumSize();
        hsizes = { mn.cx, st.cx, mx.cx };
        vsizes = { mn.cy, st.cy, mx.cy };
    }
    AxisPlacement h = ResolveLogicalPosWord(p.x, extent.cx, hsizes);
    AxisPlacement v = ResolveLogicalPosWord(p.y, extent.cy, vsizes);
    return Rect(Wrap16(h.near), Wrap16(v.near), Wrap16(h.far), Wrap16(v.far));
}

void Ctrl::UpdateRect(bool sync)
{
    Rect whole, view;
    if(parent) {
        whole = parent->GetRectInParent();
        view = parent->GetViewRect();
    }
    else
        whole = view = GetKeptWorkArea();
    SetRectFields(ResolveInParent(pos, IsInFrameArea(), whole, view));
    if(sync)
        SyncLayout();
}

Ctrl* Ctrl::MapRectToRoot(Rect& r, bool in_frame)
{
    for(Ctrl* c = this;; c = c->parent) {
        if(!in_frame) {
            Point v = c->GetViewRect().TopLeft();
            r.Offset(v.x, v.y);
        }
        if(!c->parent)
            return c;
        Point o = c->GetRectInParent().TopLeft();
        r.Offset(o.x, o.y);
        in_frame = c->IsInFrameArea();
    }
}

// A rectangle of the given size at this control's place, in its root's coordinates.
Rect Ctrl::MapSizeToRoot(Size sz)
{
    Point o = GetRectInParent().TopLeft();
    Rect r = Rect(sz) + Size(o.x, o.y);
    parent->MapRectToRoot(r, IsInFrameArea());
    return r;
}

void Ctrl::RecordMove(HostWindowRecord& h, const Rect& from, const Rect& to)
{
    // A scroll that carried this control the same way has put it on screen already.
    for(ChildMove& m : h.scroll_moves)
        if(m.ctrl.Get() == this && m.from == from && m.to == to) {
            m.ctrl.Clear();
            return;
        }
    // One record per control: the place it left before the paint and where it is now.
    for(ChildMove& m : h.moves)
        if(m.ctrl.Get() == this) {
            m.to = to;
            return;
        }
    ChildMove& m = h.moves.Add();
    m.ctrl = this;
    m.from = from;
    m.to = to;
}

void Ctrl::SetPos(LogicalPos p, bool in_frame)
{
    if(p == pos && in_frame == IsInFrameArea())
        return;
    if(parent) {
        Ctrl* top = GetRootCtrl();
        if(top->host) {
            // Inside a window the move is only recorded: several moves between two paints
            // cost one repaint (or one scroll) of the area.
            Size old = GetSize();
            Rect from = MapSizeToRoot(old);
            pos = p;
            SetFlagB(B_IN_FRAME, in_frame);
            UpdateRect(true);
            RecordMove(*top->host, from, MapSizeToRoot(old));
            NotifyStateChange(STATE_POSITION);
            return;
        }
        RefreshFrame();
    }
    pos = p;
    SetFlagB(B_IN_FRAME, in_frame);
    UpdateRect(true);
    if(parent)
        RefreshFrame();
    NotifyStateChange(STATE_POSITION);
}

Ctrl& Ctrl::SetPlacement(LogicalPos p, bool in_frame)
{
    if(p == pos && in_frame == IsInFrameArea())
        return *this;
    if(!parent && IsInOpenWindow()) {
        // The window system moves the window and reports the real rectangle back through
        // AdoptRect; the words change only then.
        Rect area = GetKeptWorkArea();
        SetWindowRectCall(ResolveInParent(p, false, area, area));
        NotifyStateChange(STATE_POSITION);
        return *this;
    }
    SetPos(p, in_frame);
    return *this;
}

Ctrl& Ctrl::SetHorizontal(int align, int a, int b)
{
    return SetPlacement(LogicalPos{ MakeLogicalPosWord(align, a, b), pos.y }, false);
}

Ctrl& Ctrl::SetVertical(int align, int a, int b)
{
    return SetPlacement(LogicalPos{ pos.x, MakeLogicalPosWord(align, a, b) }, false);
}

Ctrl& Ctrl::PlaceLeft(int x, int cx) { return SetHorizontal(ALIGN_NEAR, x, cx); }
Ctrl& Ctrl::PlaceRight(int margin, int cx) { return SetHorizontal(ALIGN_FAR, margin, cx); }
Ctrl& Ctrl::PlaceTop(int y, int cy) { return SetVertical(ALIGN_NEAR, y, cy); }
Ctrl& Ctrl::PlaceBottom(int margin, int cy) { return SetVertical(ALIGN_FAR, margin, cy); }
Ctrl& Ctrl::StretchHorizontal(int left, int right) { return SetHorizontal(ALIGN_BOTH, left, right); }
Ctrl& Ctrl::StretchVertical(int top, int bottom) { return SetVertical(ALIGN_BOTH, top, bottom); }
Ctrl& Ctrl::CentreHorizontal(int cx, int offset) { return SetHorizontal(ALIGN_CENTER, offset, cx); }
Ctrl& Ctrl::CentreVertical(int cy, int offset) { return SetVertical(ALIGN_CENTER, offset, cy); }

Ctrl& Ctrl::FillParent() { return SetPlacement(LogicalPos{ LOGPOS_FILL, LOGPOS_FILL }, false); }

Ctrl& Ctrl::PlaceLeftZoomed(int x, int cx) { return PlaceLeft(ZoomX(x), ZoomX(cx)); }

Ctrl& Ctrl::PlaceRightZoomed(int margin, int cx) { return PlaceRight(ZoomX(margin), ZoomX(cx)); }

Ctrl& Ctrl::StretchHorizontalZoomed(int left, int right) { return StretchHorizontal(ZoomX(left), ZoomX(right)); }

Ctrl& Ctrl::CentreHorizontalZoomed(int cx, int offset) { return CentreHorizontal(ZoomX(cx), ZoomX(offset)); }

Ctrl& Ctrl::PlaceTopZoomed(int y, int cy) { return PlaceTop(ZoomY(y), ZoomY(cy)); }

Ctrl& Ctrl::PlaceBottomZoomed(int margin, int cy) { return PlaceBottom(ZoomY(margin), ZoomY(cy)); }

Ctrl& Ctrl::StretchVerticalZoomed(int top, int bottom) { return StretchVertical(ZoomY(top), ZoomY(bottom)); }

Ctrl& Ctrl::SetRect(int x, int y, int cx, int cy)
{
    return SetPlacement(LogicalPos{ MakeLogicalPosWord(ALIGN_NEAR, x, cx), MakeLogicalPosWord(ALIGN_NEAR, y, cy) },
                        false);
}

Ctrl& Ctrl::SetRect(const Rect& r) { return SetRect(r.left, r.top, r.Width(), r.Height()); }

Ctrl& Ctrl::SetLogicalPos(LogicalPos p) { return SetPlacement(p, false); }

Ctrl& Ctrl::SetFrameRect(int x, int y, int cx, int cy)
{
    return SetPlacement(LogicalPos{ MakeLogicalPosWord(ALIGN_NEAR, x, cx), MakeLogicalPosWord(ALIGN_NEAR, y, cy) },
                        true);
}

void Ctrl::AdoptRect(const Rect& r)
{
    SetPos(LogicalPos{ MakeLogicalPosWord(ALIGN_NEAR, r.left, r.Width()),
                       MakeLogicalPosWord(ALIGN_NEAR, r.top, r.Height()) },
           false);
}

Rect Ctrl::GetViewRect() const
{
    int n = GetFrameCount();
    return n ? GetFrameEntry(n - 1).GetRect() : Rect(GetSize());
}

Rect Ctrl::GetRectOnScreen() const
{
    Rect r = GetRectInParent();
    if(!parent)
        return r;
    Point o = IsInFrameArea() ? parent->GetRectOnScreen().TopLeft() : parent->GetViewRectOnScreen().TopLeft();
    return r + Size(o.x, o.y);
}

Rect Ctrl::GetViewRectOnScreen() const
{
    Point o = GetRectOnScreen().TopLeft();
    return GetViewRect() + Size(o.x, o.y);
}

Rect Ctrl::GetVisibleScreenRect() const
{
    Rect r = GetRectOnScreen();
    if(parent)
        r &= IsInFrameArea() ? parent->GetVisibleScreenRect() : parent->GetVisibleScreenView();
    if(GetPlatform().HasScreen())
        r &= ScreenRectOrNull();
    return r;
}

Rect Ctrl::GetVisibleScreenView() const
{
    // The view on screen clipped to what the ancestors leave visible. (Adding the view's
    // offsets to the corner of the clipped rectangle would shift the view by the clipped
    // amount whenever an ancestor cuts the control's left or top edge.)
    Rect visible = GetVisibleScreenRect();
    Rect view = GetViewRectOnScreen();
    Rect r;
    r.left = std::max(view.left, visible.left);
    r.top = std::max(view.top, visible.top);
    r.right = std::min(std::max(view.right, r.left), visible.right);
    r.bottom = std::max(std::min(view.bottom, visible.bottom), r.top);
    r.right = std::max(r.right, r.left);
    return r;
}

} // namespace Qor
