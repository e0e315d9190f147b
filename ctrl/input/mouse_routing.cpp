// Mouse routing down the control tree, enter and leave bookkeeping and the send steps.

#include "ctrl/input/mouse_routing.h"

#include "ctrl/input/input_host.h"
#include "ctrl/platform/platform.h"
#include "ctrl/state/ctrl_hooks.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/tree/ctrl_class.h"
#include "ctrl/tree/global_refs.h"

namespace Qor {

Point& LastEventPos()
{
    static Point p(INT_NULL, INT_NULL);
    return p;
}

Image GetArrowCursor() { return GetPlatform().GetArrowCursor(); }
Image GetTextCursor() { return GetPlatform().GetTextCursor(); }
Image GetHandCursor() { return GetPlatform().GetHandCursor(); }

dword GetMouseKeyFlags(int event)
{
    dword flags = 0;
    if(IsCtrlKeyDown())
        flags |= K_CTRL;
    if(IsShiftKeyDown())
        flags |= K_SHIFT;
    if(IsAltKeyDown())
        flags |= K_ALT;
    if(IsMiddleMouseDown())
        flags |= K_MOUSEMIDDLE;
    if(IsRightMouseDown())
        flags |= K_MOUSERIGHT;
    if(IsLeftMouseDown())
        flags |= K_MOUSELEFT;
    if((event & MOUSE_ACTION) == MOUSE_DOUBLE)
        flags |= K_MOUSEDOUBLE;
    if((event & MOUSE_ACTION) == MOUSE_TRIPLE)
        flags |= K_MOUSETRIPLE;
    return flags;
}

bool IsActiveForMouse(const Ctrl& c) { return c.AcceptsMouse(); }

namespace {

bool RootHoldsGrab(const Ctrl& c) { return GetPlatform().HoldsPointerGrab(*c.GetRootCtrl()); }

bool IsCapturingWithGrab(const Ctrl* c)
{
    return c && GetCtrlGlobalRefs().capturing_ctrl.Get() == c && RootHoldsGrab(*c);
}

} // namespace

Ctrl* Ctrl::MouseChildAt(Point& p)
{
    Rect view = GetViewRect();
    bool in_view = view.Contains(p);
    Point q = in_view ? Point(p.x - view.left, p.y - view.top) : p;
    // The last child is painted on top, so it is asked first.
    for(Ctrl* c = GetLastChild(); c; c = c->GetPrev()) {
        if(c->IsInFrameArea() == in_view || !c->AcceptsMouse())
            continue;
        Rect r = c->GetRectInParent();
        if(r.Contains(q)) {
            p = Point(q.x - r.left, q.y - r.top);
            return c;
        }
    }
    return nullptr;
}

Image RouteMouseEvent(Ctrl* ctrl, int event, Point p, int zdelta)
{
    CtrlGlobalRefs& refs = GetCtrlGlobalRefs();
    bool redirected = false;
    while(ctrl) {
        if(!ctrl->IsEnabled())
            return GetArrowCursor();
        Ctrl* capture = refs.capturing_ctrl;
        if(capture && capture != ctrl && capture->AcceptsMouse()) {
            Point from = ctrl->GetRectOnScreen().TopLeft();
            Point to = capture->GetRectOnScreen().TopLeft();
            return DeliverMouseEvent(capture, event, Point(p.x + from.x - to.x, p.y + from.y - to.y), zdelta);
        }
        // A wheel turned over a window without the focus scrolls the focused one.
        Ctrl* focus = refs.focus_ctrl;
        if(event == MOUSE_WHEEL && !ctrl->GetParent() && focus && !redirected) {
            Point mouse = GetPointerPosition();
            if(mouse.x != INT_NULL) {
                redirected = true;
                ctrl = focus->GetRootCtrl();
                Point origin = ctrl->GetRectOnScreen().TopLeft();
                p = Point(mouse.x - origin.x, mouse.y - origin.y);
                continue;
            }
        }
        Ctrl* child = ctrl->MouseChildAt(p);
        if(!child)
            return DeliverMouseEvent(ctrl, event, p, zdelta);
        ctrl = child;
    }
    return GetArrowCursor();
}

Image DeliverMouseEvent(Ctrl* ctrl, int event, Point p, int zdelta)
{
    CtrlGlobalRefs& refs = GetCtrlGlobalRefs();
    WeakPointer<Ctrl> alive(ctrl);
    LastEventPos() = p;
    dword keyflags = GetMouseKeyFlags(event);
    Ctrl* old = refs.pointer_ctrl;
    if(old != ctrl) {
        if(old) {
            WeakPointer<Ctrl> old_alive(old);
            SendViewMouseEvent(old, MOUSE_LEAVE, Point(0, 0), zdelta, keyflags);
            if(old_alive)
                SendFrameMouseEvent(old, MOUSE_LEAVE, Point(0, 0), zdelta, keyflags);
        }
        refs.pointer_in_view = false;
        refs.pointer_in_frame = false;
        if(!alive)
            return GetArrowCursor();
        refs.pointer_ctrl = ctrl;
        refs.pointer_in_frame = true;
        SendFrameMouseEvent(ctrl, MOUSE_ENTER, p, zdelta, keyflags);
        if(!alive)
            return GetArrowCursor();
    }
    Rect view = ctrl->GetViewRect();
    bool in_view = view.Contains(p);
    if(in_view != refs.pointer_in_view) {
        refs.pointer_in_view = in_view;
        SendViewMouseEvent(ctrl, in_view ? MOUSE_ENTER : MOUSE_LEAVE, p, zdelta, keyflags);
        if(!alive)
            return GetArrowCursor();
    }
    // A captured control gets every event as a view event, also outside its view.
    if(in_view || IsCapturingWithGrab(ctrl))
        return SendViewMouseEvent(ctrl, event, Point(p.x - view.left, p.y - view.top), zdelta, keyflags);
    return SendFrameMouseEvent(ctrl, event, p, zdelta, keyflags);
}

Image SendFrameMouseEvent(Ctrl* ctrl, int event, Point p, int zdelta, dword keyflags)
{
    WeakPointer<Ctrl> alive(ctrl);
    const Vector<MouseHook>& hooks = GetMouseHooks();
    for(int i = 0; i < hooks.GetCount() && alive; i++)
        if(hooks[i](ctrl, true, event, p, zdelta, keyflags))
            return GetArrowCursor();
    if(!alive)
        return Image();
    WriteMouseLogLine("FRAME ", ctrl, event, p, keyflags);
    if(Ctrl* parent = ctrl->GetParent()) {
        parent->ChildFrameAreaMouse(ctrl, event, p, zdelta, keyflags);
        if(!alive)
            return Image();
    }
    return ctrl->FrameAreaMouse(event, p, zdelta, keyflags);
}

Image SendViewMouseEvent(Ctrl* ctrl, int event, Point p, int zdelta, dword keyflags)
{
    WeakPointer<Ctrl> alive(ctrl);
    const Vector<MouseHook>& hooks = GetMouseHooks();
    for(int i = 0; i < hooks.GetCount() && alive; i++)
        if(hooks[i](ctrl, false, event, p, zdelta, keyflags))
            return GetArrowCursor();
    if(!alive)
        return Image();
    WriteMouseLogLine("", ctrl, event, p, keyflags);
    if(event != MOUSE_WHEEL)
        if(Ctrl* parent = ctrl->GetParent())
            parent->ChildMouse(ctrl, event, p, zdelta, keyflags);
    return InvokeDispatchMouse(ctrl, event, p, zdelta, keyflags);
}

Image InvokeDispatchMouse(Ctrl* ctrl, int event, Point p, int zdelta, dword keyflags)
{
    CtrlGlobalRefs& refs = GetCtrlGlobalRefs();
    bool saved = refs.wheel_passed_up;
    refs.wheel_passed_up = false;
    WeakPointer<Ctrl> alive(ctrl);
    Image result = alive ? ctrl->DispatchMouse(event, p, zdelta, keyflags) : Image();
    // A parent hears of a wheel turn only when the child handled it itself.
    if(event == MOUSE_WHEEL && !refs.wheel_passed_up && alive && ctrl->GetParent())
        ctrl->GetParent()->ChildMouse(ctrl, MOUSE_WHEEL, p, zdelta, keyflags);
    refs.wheel_passed_up = saved;
    return result;
}

} // namespace Qor
