// The base behaviour of the virtual operations of Ctrl: values and modified flags walk the
// tree, child notifications bubble to the root, double and triple clicks fall back to
// plain ones, and Close takes a top-level window off the screen.

#include "ctrl/defaults/ctrl_defaults.h"
#include "ctrl/focus/focus_routing.h"
#include "ctrl/input/mouse_routing.h"
#include "ctrl/platform/platform.h"
#include "ctrl/tree/child_walk_internal.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/tree/ctrl_class.h"
#include "ctrl/tree/global_refs.h"
#include "draw/image/image.h"
#include "foundation/ini.h"
#include "foundation/stream.h"
#include "foundation/values/jsonize.h"
#include "foundation/values/xmlize.h"

namespace Qor {

namespace {

Image ArrowCursor() { return GetPlatform().GetArrowCursor(); }

} // namespace

void Ctrl::HandleWindowEvent(WindowMapEntry* entry, _XEvent* event) { GetPlatform().WindowEvent(*this, entry, event); }

bool Ctrl::FilterWindowEvent(_XEvent*) { return false; }

bool Ctrl::Validate()
{
    if(!IsEnabled() || !IsVisible())
        return true;
    if(!GetValueErrorHook()(GetValue())) {
        bool ok = true;
        WalkSiblings(first_child, [&](Ctrl* q) {
            ok = q->Validate();
            return !ok;
        });
        return ok;
    }
    // The error has been reported: the control takes the focus so the user can mend it.
    const Ctrl* root = GetRootCtrl();
    if(WantsFocus() && IsEnabled() && IsVisibleUpward() && root->host && root->IsOpen())
        SetFocus();
    return false;
}

void Ctrl::CancelInput()
{
    WalkSiblings(first_child, [](Ctrl* q) {
        q->CancelInput();
        return false;
    });
}

void Ctrl::SetValue(const Value&) {}
Value Ctrl::GetValue() const { return Value(); }

void Ctrl::ArchiveBinary(Stream& s)
{
    Value v;
    if(s.IsStoring())
        v = GetValue();
    v.Serialize(s);
    if(s.IsLoading())
        SetValue(v);
    WalkSiblings(first_child, [&](Ctrl* q) {
        q->ArchiveBinary(s);
        return false;
    });
}

void Ctrl::ArchiveJson(JsonizeIo& io)
{
    Value v;
    if(io.IsStoring())
        v = GetValue();
    v.Jsonize(io);
    if(io.IsLoading())
        SetValue(v);
}

void Ctrl::ArchiveXml(XmlizeIo& io)
{
    Value v;
    if(io.IsStoring())
        v = GetValue();
    v.Xmlize(io);
    if(io.IsLoading())
        SetValue(v);
}

void Ctrl::SetModified() { SetFlagB(B_MODIFIED, true); }

void Ctrl::ClearModified()
{
    SetFlagB(B_MODIFIED, false);
    for(Ctrl* q = first_child; q; q = q->next)
        q->ClearModified();
}

bool Ctrl::HasModifications() const
{
    if(IsModifiedFlag())
        return true;
    for(const Ctrl* q = first_child; q; q = q->next)
        if(q->HasModifications())
            return true;
    return false;
}

void Ctrl::Paint(Draw&) {}
int Ctrl::OverpaintMargin() const { return 0; }
void Ctrl::CancelInteraction() {}
void Ctrl::WindowActivated() {}
void Ctrl::WindowDeactivated() {}
Image Ctrl::FrameAreaMouse(int, Point, int, dword) { return ArrowCursor(); }

Image Ctrl::DispatchMouse(int event, Point p, int zdelta, dword keyflags)
{
    switch(event) {
    case 0x81:
        LeftButtonDown(p, keyflags);
        break;
    case 0xA1:
        LeftDoubleClick(p, keyflags);
        break;
    case 0xE1:
        LeftTripleClick(p, keyflags);
        break;
    case 0xB1:
        LeftButtonRepeat(p, keyflags);
        break;
    case 0xC1:
        LeftDragStart(p, keyflags);
        break;
    case 0xD1:
        LeftButtonHold(p, keyflags);
        break;
    case 0x91:
        LeftButtonUp(p, keyflags);
        break;
    case 0x82:
        RightButtonDown(p, keyflags);
        break;
    case 0xA2:
        RightDoubleClick(p, keyflags);
        break;
    case 0xE2:
        RightTripleClick(p, keyflags);
        break;
    case 0xB2:
        RightButtonRepeat(p, keyflags);
        break;
    case 0xC2:
        RightDragStart(p, keyflags);
        break;
    case 0xD2:
        RightButtonHold(p, keyflags);
        break;
    case 0x92:
        RightButtonUp(p, keyflags);
        break;
    case 0x80:
        MiddleButtonDown(p, keyflags);
        break;
    case 0xA0:
        MiddleDoubleClick(p, keyflags);
        break;
    case 0xE0:
        MiddleTripleClick(p, keyflags);
        break;
    case 0xB0:
        MiddleButtonRepeat(p, keyflags);
        break;
    case 0xC0:
        MiddleDragStart(p, keyflags);
        break;
    case 0xD0:
        MiddleButtonHold(p, keyflags);
        break;
    case 0x90:
        MiddleButtonUp(p, keyflags);
        break;
    case 0x10:
        PointerEntered(p, keyflags);
        break;
    case 0x20:
        PointerMoved(p, keyflags);
        break;
    case 0x30:
        PointerLeft();
        break;
    case 0x50:
        WheelRotated(p, zdelta, keyflags);
        break;
    case 0x40:
        return CursorFor(p, keyflags);
    default:
        break;
    }
    return ArrowCursor();
}

void Ctrl::PointerEntered(Point, dword) {}
void Ctrl::PointerMoved(Point, dword) {}
void Ctrl::LeftButtonDown(Point, dword) {}
void Ctrl::LeftDoubleClick(Point p, dword keyflags) { LeftButtonDown(p, keyflags); }
void Ctrl::LeftTripleClick(Point p, dword keyflags) { LeftButtonDown(p, keyflags); }
void Ctrl::LeftButtonRepeat(Point, dword) {}
void Ctrl::LeftDragStart(Point, dword) {}
void Ctrl::LeftButtonHold(Point, dword) {}
void Ctrl::LeftButtonUp(Point, dword) {}
void Ctrl::RightButtonDown(Point, dword) {}
void Ctrl::RightDoubleClick(Point p, dword keyflags) { RightButtonDown(p, keyflags); }
void Ctrl::RightTripleClick(Point p, dword keyflags) { RightButtonDown(p, keyflags); }
void Ctrl::RightButtonRepeat(Point, dword) {}
void Ctrl::RightDragStart(Point, dword) {}
void Ctrl::RightButtonHold(Point, dword) {}
void Ctrl::RightButtonUp(Point, dword) {}
void Ctrl::MiddleButtonDown(Point, dword) {}
void Ctrl::MiddleDoubleClick(Point, dword) {}
void Ctrl::MiddleTripleClick(Point, dword) {}
void Ctrl::MiddleButtonRepeat(Point, dword) {}
void Ctrl::MiddleDragStart(Point, dword) {}
void Ctrl::MiddleButtonHold(Point, dword) {}
void Ctrl::MiddleButtonUp(Point, dword) {}

void Ctrl::WheelRotated(Point p, int zdelta, dword keyflags)
{
    if(!parent)
        return;
    Point v = GetViewRectOnScreen().TopLeft();
    Point sp(p.x + v.x, p.y + v.y);
    Rect pview = parent->GetViewRectOnScreen();
    if(!pview.Contains(sp))
        return;
    InvokeDispatchMouse(parent, 0x50, Point(sp.x - pview.left, sp.y - pview.top), zdelta, keyflags);
    GetCtrlGlobalRefs().wheel_passed_up = true;
}

void Ctrl::PointerLeft() {}
void Ctrl::DropAtPoint(Point, TransferOffer&) {}
void Ctrl::DropInFrame(Point, TransferOffer&) {}
void Ctrl::DragHoverTick(Point) {}
void Ctrl::DragEntered() {}
void Ctrl::DragLeft() {}
String Ctrl::RenderDropData(const String& format) const { return RenderSelectionData(format); }
String Ctrl::RenderSelectionData(const String&) const { return String(); }
Image Ctrl::CursorFor(Point, dword) { return ArrowCursor(); }
bool Ctrl::ProcessKey(dword, int) { return false; }
void Ctrl::FocusGained() {}
void Ctrl::FocusLost() {}

bool Ctrl::AccessKeyPressed(dword key)
{
    if(!IsEnabled() || !IsVisibleUpward())
        return false;
    return WalkSiblings(first_child, [&](Ctrl* q) {
        if(!q->IsInOpenWindow() || !q->IsVisibleUpward() || !q->IsEnabled() || !q->AccessKeyPressed(key))
            return false;
        if(user_log_flag.Get() && KeyPassedUp()) {
            LogUserAction("  HOT-> " + DescribeCtrlDetailed(q));
            KeyPassedUp() = false;
        }
        return true;
    });
}

dword Ctrl::OwnAccessKeys() const { return 0; }

void Ctrl::AssignFreeAccessKeys(dword used)
{
    // The keys a child's whole subtree took count as used, not only the child's own:
    // otherwise a letter assigned inside a group would be handed out again after it.
    WalkSiblings(first_child, [&](Ctrl* q) {
        q->AssignFreeAccessKeys(used);
        used |= q->CollectAccessKeys();
        return false;
    });
}

void Ctrl::AfterInputEvent()
{
    if(parent)
        parent->AfterInputEvent();
}

void Ctrl::ChildFrameAreaMouse(Ctrl* child, int event, Point p, int zdelta, dword keyflags)
{
    if(parent)
        parent->ChildFrameAreaMouse(child, event, p, zdelta, keyflags);
}

void Ctrl::ChildMouse(Ctrl* child, int event, Point p, int zdelta, dword keyflags)
{
    if(parent)
        parent->ChildMouse(child, event, p, zdelta, keyflags);
}

void Ctrl::ChildFocusGained()
{
    if(parent)
        parent->ChildFocusGained();
}

void Ctrl::ChildFocusLost()
{
    if(parent)
        parent->ChildFocusLost();
}

void Ctrl::ChildInserted(Ctrl* child)
{
    if(parent)
        parent->ChildInserted(child);
}

void Ctrl::ChildRemoving(Ctrl* child)
{
    if(parent)
        parent->ChildRemoving(child);
}

void Ctrl::ParentChanged() {}
void Ctrl::StateChanged(int) {}
void Ctrl::Layout() {}

bool Ctrl::IsEnabledUpward() const
{
    if(!IsEnabled())
        return false;
    return parent ? parent->IsEnabledUpward() : true;
}

Rect Ctrl::OpaqueArea() const { return IsTransparent() ? Rect() : Rect(GetViewSize()); }

Rect Ctrl::UnpaintedArea() const { return Rect(); }
void Ctrl::AfterUpdate() {}

void Ctrl::CloseBase()
{
    if(!GetRootCtrl()->host)
        return;
    DropGlobalReferences();
    if(parent)
        return;
    NotifyStateChange(STATE_CLOSE);
    bool visible = IsVisible();
    if(user_log_flag.Get())
        LogUserAction("   CLOSE " + DescribeCtrl(this));
    DestroyWindowCall();
    SetPopupFlag(false);
    SetFlagA(A_VISIBLE, visible);
}

void Ctrl::Close() { CloseBase(); }
int Ctrl::ReservedQuery() const { return 0; }
String Ctrl::Describe() const { return String(); }

} // namespace Qor
