// The walk that offers a drag to the controls under the pointer, and the hover ticks.

#include "ctrl/dnd/drop_target.h"

#include "ctrl/timer/timer.h"
#include "foundation/callback_action.h"

namespace Qor {

namespace {

struct DropTargetState {
    WeakPointer<Ctrl> target;
    TransferOffer saved; // the last offer as it was dispatched, before any control took it
    Point point;         // in the target's coordinates: frame ones when in_frame, else view ones
    bool in_frame = false;
};

DropTargetState& State()
{
    static DropTargetState state;
    return state;
}

const void* HoverTimerId() { return &State().point; }

void Offer(Ctrl& c, TransferOffer& offer)
{
    DropTargetState& s = State();
    if(s.in_frame)
        c.DropInFrame(s.point, offer);
    else
        c.DropAtPoint(s.point, offer);
}

void HoverTick()
{
    DropTargetState& s = State();
    WeakPointer<Ctrl> target = s.target;
    if(!target) {
        CancelTimers(HoverTimerId());
        return;
    }
    target->DragHoverTick(s.point);
    if(target) {
        // A copy, so that what the control does with it stays out of the next tick.
        TransferOffer fresh = s.saved;
        Offer(*target, fresh);
    }
}

// The child of c under p (screen coordinates): a frame child outside the view, else a view
// child; null when there is none.
Ctrl* ChildUnder(Ctrl& c, Point p)
{
    bool in_view = c.GetViewRectOnScreen().Contains(p);
    for(Ctrl* q = c.GetLastChild(); q; q = q->GetPrev())
        if(q->IsInFrameArea() != in_view && q->IsVisibleUpward() && q->GetRectOnScreen().Contains(p))
            return q;
    return nullptr;
}

} // namespace

void DispatchDragAndDrop(Ctrl* top, Point p, TransferOffer& offer)
{
    DropTargetState& s = State();
    CancelTimers(HoverTimerId());
    s.saved = offer;
    Ctrl* found = nullptr;
    for(Ctrl* c = top; c;) {
        if(!c->IsEnabled()) {
            found = c;
            break;
        }
        if(c->AcceptsMouse()) {
            Rect view = c->GetViewRectOnScreen();
            s.in_frame = !view.Contains(p);
            Point origin = s.in_frame ? c->GetRectOnScreen().TopLeft() : view.TopLeft();
            s.point = Point(p.x - origin.x, p.y - origin.y);
            WeakPointer<Ctrl> alive(c);
            Offer(*c, offer);
            if(!alive)
                break;
            if(offer.accepted) {
                found = c;
                break;
            }
        }
        c = ChildUnder(*c, p);
    }
    if(found != s.target.Get()) {
        if(Ctrl* old = s.target)
            old->DragLeft();
        s.target = WeakPointer<Ctrl>(found);
        if(found)
            found->DragEntered();
    }
    if(s.target)
        ScheduleTimer(-DRAG_HOVER_MS, MakeCallback(HoverTick), HoverTimerId());
}

void EndDropTarget()
{
    DropTargetState& s = State();
    CancelTimers(HoverTimerId());
    WeakPointer<Ctrl> target = s.target;
    s.target = WeakPointer<Ctrl>();
    if(target)
        target->DragLeft();
}

Ctrl* GetDropTarget() { return State().target; }

} // namespace Qor
