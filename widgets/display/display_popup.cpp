// DisplayPopup: the pop-up over a clipped item, kept in step with the pointer and the focus
// by global hooks.

#include "widgets/display/display_popup.h"

#include "ctrl/dnd/drop_target.h"
#include "ctrl/frame/ctrl_frame.h"
#include "ctrl/input/input_host.h"
#include "ctrl/state/ctrl_hooks.h"
#include "ctrl/window_ops/window_ops.h"
#include "draw/display/display.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"

#include <algorithm>

namespace Qor {

namespace {

bool SyncOnMouse(Ctrl*, bool, int, Point, int, dword)
{
    DisplayPopup::SyncAll();
    return false;
}

bool SyncOnFocus(Ctrl*, int reason)
{
    if(reason == STATE_FOCUS)
        DisplayPopup::SyncAll();
    return false;
}

} // namespace

DisplayPopup::Link& DisplayPopup::Ring()
{
    static Link head = { &head, &head, nullptr };
    return head;
}

DisplayPopup::DisplayPopup()
    : item(INT_NULL, INT_NULL, INT_NULL, INT_NULL), screen_item(item), style(0), display(nullptr), margin(0)
{
    SetFrame(GetBlackLineFrame());
    Link& head = Ring();
    link.popup = this;
    link.prev = &head;
    link.next = head.next;
    head.next->prev = &link;
    head.next = &link;
    // The hooks are only needed once a pop-up exists, and hooks are never removed.
    static bool hooked = false;
    if(!hooked) {
        hooked = true;
        AddStateHook(SyncOnFocus);
        AddMouseHook(SyncOnMouse);
    }
}

DisplayPopup::~DisplayPopup()
{
    link.prev->next = link.next;
    link.next->prev = link.prev;
}

void DisplayPopup::Set(Ctrl* new_owner, const Rect& new_item, const Value& v, const Display* d, Color new_ink,
                       Color new_paper, dword new_style, int new_margin)
{
    if(owner.Get() == new_owner && item == new_item && value == v && display == d && ink == new_ink &&
       paper == new_paper && style == new_style) {
        Refresh();
        return;
    }
    owner = new_owner;
    item = new_item;
    value = v;
    display = d;
    ink = new_ink;
    paper = new_paper;
    style = new_style;
    margin = new_margin;
    if(new_owner)
        SetTipText(new_owner->GetTipText().Begin());
    Sync();
}

void DisplayPopup::Sync()
{
    Ctrl* o = owner.Get();
    // A pop-up left over a drop target would hide where the drop goes; one over a window
    // without the focus would stay when the user works elsewhere.
    Ctrl* drop = GetDropTarget();
    if(display && o && drop != o && drop != this && o->GetRootCtrl()->HasFocusInTree()) {
        Size sz = display->GetStandardSize(value);
        if(sz.cx + 2 * margin > item.Width() || sz.cy > item.Height()) {
            Point origin = o->GetViewRectOnScreen().TopLeft();
            screen_item = item.Offseted(origin.x, origin.y);
            if(screen_item.Contains(GetPointerPosition())) {
                Rect r(item.left - 1, item.top - 1, std::max(item.right, item.left + sz.cx + 2 * margin) + 1,
                       std::max(item.bottom, item.top + sz.cy) + 1);
                SetRect(r.Offseted(origin.x, origin.y));
                if(!IsOpen())
                    OpenPopupCall(*this, o, true, false);
                Refresh();
                return;
            }
        }
    }
    CloseIfOpen();
}

void DisplayPopup::CloseIfOpen()
{
    if(IsOpen())
        Close();
}

void DisplayPopup::Dismiss()
{
    display = nullptr;
    CloseIfOpen();
}

bool DisplayPopup::IsOpen() const { return IsInOpenWindow(); }

bool DisplayPopup::HasMouse() const
{
    Ctrl* o = owner.Get();
    return IsUnderMouse() || (o && o->IsUnderMouse());
}

void DisplayPopup::SyncAll()
{
    Link& head = Ring();
    // Sync may open or close windows, whose notices can build or destroy pop-ups: walk a
    // snapshot of weak pointers.
    Vector<WeakPointer<Ctrl>> popups;
    for(Link* l = head.next; l != &head; l = l->next)
        popups.Add(WeakPointer<Ctrl>(l->popup));
    for(WeakPointer<Ctrl>& w : popups) {
        DisplayPopup* p = static_cast<DisplayPopup*>(w.Get());
        if(!p)
            continue;
        Ctrl* o = p->owner.Get();
        if(o && o->IsInOpenWindow())
            p->Sync();
        else
            p->CloseIfOpen(); // nothing left to cover
    }
}

void DisplayPopup::Paint(Draw& w)
{
    Rect r(GetViewSize());
    w.DrawRect(r, SysColorPaper());
    if(display) {
        display->PaintBackground(w, r, value, ink, paper, style);
        r.left += margin;
        display->Paint(w, r, value, ink, paper, style);
    }
}

Point DisplayPopup::ToOwner(Point p) const
{
    Ctrl* o = owner.Get();
    Point from = GetViewRectOnScreen().TopLeft();
    Point to = o->GetViewRectOnScreen().TopLeft();
    return Point(p.x + from.x - to.x, p.y + from.y - to.y);
}

void DisplayPopup::PointerMoved(Point p, dword)
{
    if(!screen_item.Contains(p + GetViewRectOnScreen().TopLeft()))
        PointerLeft();
}

void DisplayPopup::PointerLeft()
{
    display = nullptr;
    CloseIfOpen();
}

void DisplayPopup::LeftButtonDown(Point p, dword keyflags)
{
    if(Ctrl* o = owner.Get())
        o->LeftButtonDown(ToOwner(p), keyflags);
}

void DisplayPopup::LeftDoubleClick(Point p, dword keyflags)
{
    if(Ctrl* o = owner.Get())
        o->LeftDoubleClick(ToOwner(p), keyflags);
}

void DisplayPopup::LeftButtonUp(Point p, dword keyflags)
{
    if(Ctrl* o = owner.Get())
        o->LeftButtonUp(ToOwner(p), keyflags);
}

void DisplayPopup::RightButtonDown(Point p, dword keyflags)
{
    if(Ctrl* o = owner.Get())
        o->RightButtonDown(ToOwner(p), keyflags);
}

void DisplayPopup::WheelRotated(Point p, int zdelta, dword keyflags)
{
    if(Ctrl* o = owner.Get())
        o->WheelRotated(ToOwner(p), zdelta, keyflags);
}

void DisplayPopup::LeftDragStart(Point p, dword keyflags)
{
    // Taken before the pop-up closes and its window is gone.
    Point q = owner.Get() ? ToOwner(p) : p;
    display = nullptr;
    Sync();
    if(Ctrl* o = owner.Get())
        o->LeftDragStart(q, keyflags);
}

} // namespace Qor
