// The pointer capture and what is asked about the control under the pointer.

#include "ctrl/input/input_host.h"
#include "ctrl/input/mouse_routing.h"
#include "ctrl/platform/platform.h"
#include "ctrl/tree/ctrl_class.h"
#include "ctrl/tree/global_refs.h"

namespace Qor {

bool Ctrl::SetCapture()
{
    ReleaseCapture();
    if(!GetPlatform().GrabPointer(*GetRootCtrl()))
        return false;
    CtrlGlobalRefs& refs = GetCtrlGlobalRefs();
    refs.pointer_ctrl = this;
    refs.capturing_ctrl = this;
    return true;
}

bool Ctrl::ReleaseCapture()
{
    CtrlGlobalRefs& refs = GetCtrlGlobalRefs();
    Ctrl* capture = refs.capturing_ctrl;
    if(!capture)
        return false;
    // The root is kept apart: CancelInteraction may destroy the capturing control, and its
    // window's grab must still go.
    WeakPointer<Ctrl> root(capture->GetRootCtrl());
    capture->CancelInteraction();
    refs.capturing_ctrl.Clear();
    Platform& platform = GetPlatform();
    return root && platform.HoldsPointerGrab(*root) && platform.ReleasePointerGrab(*root);
}

bool Ctrl::ReleaseOwnCapture() { return GetCtrlGlobalRefs().capturing_ctrl.Get() == this && ReleaseCapture(); }

bool Ctrl::HasCapture() const
{
    return GetCtrlGlobalRefs().capturing_ctrl.Get() == this && GetPlatform().HoldsPointerGrab(*GetRootCtrl());
}

bool Ctrl::IsUnderMouse() const { return GetCtrlGlobalRefs().pointer_ctrl.Get() == this; }

bool Ctrl::IsUnderMouseInTree() const
{
    Ctrl* c = GetCtrlGlobalRefs().pointer_ctrl;
    return c && (c == this || IsAncestorOf(c));
}

Ctrl* Ctrl::GetCtrlUnderMouse() { return GetCtrlGlobalRefs().pointer_ctrl; }

bool Ctrl::IsMouseInRect(const Rect& r) const
{
    if(!IsUnderMouse())
        return false;
    Rect view = GetVisibleScreenView();
    Rect screen = r.Offseted(view.left, view.top) & view;
    return screen.Contains(GetPointerPosition());
}

Point Ctrl::GetMousePosInView() const
{
    Point p = GetPointerPosition();
    Point origin = GetVisibleScreenView().TopLeft();
    return Point(p.x - origin.x, p.y - origin.y);
}

bool Ctrl::AcceptsMouse() const { return IsVisibleUpward() && IsEnabled() && IsInOpenWindow() && !IgnoresMouse(); }

Ctrl* Ctrl::FindChildAt(Point p, bool frame_coords)
{
    Rect view = GetViewRect();
    if(!frame_coords)
        p = Point(p.x + view.left, p.y + view.top);
    bool in_view = view.Contains(p);
    Point q = in_view ? Point(p.x - view.left, p.y - view.top) : p;
    for(Ctrl* c = GetLastChild(); c; c = c->GetPrev()) {
        if(c->IsInFrameArea() == in_view || !c->IsVisibleUpward())
            continue;
        Rect r = c->GetRectInParent();
        if(r.Contains(q))
            return c->FindChildAt(Point(q.x - r.left, q.y - r.top), true);
    }
    return this;
}

} // namespace Qor
