// The controls of the drag-and-drop tests: one that drags its text away when dragged with
// the left button, and one that takes drops and notes what the drag does to it.
#pragma once

#include "tests/support/x11/input_window.h"
#include "tests/x11/dnd/xdnd_peer.h"

#include "ctrl/dnd/drag_source.h"
#include "ctrl/x11/dnd/dnd_loop.h"
#include "ctrl/x11/dnd/xdnd_protocol.h"
#include "draw/target/draw.h"
#include "foundation/callback_action.h"
#include "foundation/process.h"

#include <X11/extensions/XTest.h>
#include <functional>

namespace QorTest {

using namespace Qor;

// Starts a drag of its text when the left button drags it. While the drag runs, its timers
// move the pointer onto the peer and release the button there: the drag's loop holds the
// pointer by then, so no event goes past it.
class DragSourceCtrl : public Ctrl {
public:
    const char* formats = "UTF8_STRING;STRING";
    const char* text = "dragged text";
    dword actions = DND_ALLOW_COPY | DND_ALLOW_MOVE;
    Point drop_at = Point(250, 250);
    int result = -1;
    int drags = 0;

    void LeftDragStart(Point, dword) override
    {
        drags++;
        ScheduleTimer(30, MakeCallback(this, &DragSourceCtrl::MoveToDrop), 1);
        ScheduleTimer(release_ms, MakeCallback(this, &DragSourceCtrl::ReleaseWhenAnswered), 2);
        result = StartDrag(this, TextDragData(formats, text), sample, actions);
    }
    // The release comes no sooner than this, and only once the drag has taken the window
    // under the drop point for its target and that window has answered (however long a busy
    // machine makes that take).
    int release_ms = 500;
    std::vector<KeySym> held; // modifiers held over the drop point
    Image sample;
    std::function<void()> before_move, before_release;

    void MoveToDrop()
    {
        if(before_move)
            before_move();
        for(KeySym k : held)
            XTestFakeKeyEvent(display, XKeysymToKeycode(display, k), true, 0);
        MovePointer(root, drop_at);
    }
    void ReleaseWhenAnswered()
    {
        DnDLoop* loop = GetRunningDnDLoop();
        int version = 0;
        Point p;
        Window under = FindXdndWindowUnderPointer(version, p);
        if(version < XDND_MIN_VERSION)
            under = 0;
        bool answered = loop && loop->target == under && !GetDragSourceState().waiting_status;
        if(loop && !answered) {
            ScheduleTimer(10, MakeCallback(this, &DragSourceCtrl::ReleaseWhenAnswered), 2);
            return;
        }
        // Not at once: the answer may have come inside the wait of the position, and the
        // drag updates its cursor only after that wait.
        ScheduleTimer(1, MakeCallback(this, &DragSourceCtrl::Release), 2);
    }
    void Release()
    {
        if(before_release)
            before_release();
        XTestFakeButtonEvent(display, 1, false, 0);
        for(KeySym k : held)
            XTestFakeKeyEvent(display, XKeysymToKeycode(display, k), false, 0);
        XSync(display, false);
    }
    void Paint(Draw& w) override { w.DrawRect(Rect(GetSize()), Color(200, 220, 255)); }
};

// Takes drops of one format (none when accept is null) and notes what the drag does to it.
class DropCtrl : public Ctrl {
public:
    const char* accept = "UTF8_STRING";
    byte choose_action = DROP_NONE; // an action the control sets on the offers, when any
    std::vector<std::string> drops;
    int passing_offers = 0; // offers that only ask, from positions and hover ticks
    int hover_ticks = 0;
    int entered = 0;
    int left = 0;

    void DropAtPoint(Point, TransferOffer& offer) override
    {
        if(!offer.fetch_on_accept)
            passing_offers++;
        if(accept && offer.Accept(accept))
            drops.push_back(std::string(offer.GetFormat().Begin()) + " " + offer.GetData().Begin());
        if(choose_action)
            offer.SetAction(choose_action);
    }
    std::vector<uint32> tick_times; // MonotonicMs of each tick
    void DragHoverTick(Point) override
    {
        hover_ticks++;
        tick_times.push_back(MonotonicMs());
    }
    void DragEntered() override { entered++; }
    void DragLeft() override { left++; }
};

// Presses in the source control and moves far enough for a drag to start; the control does
// the rest.
inline void StartDragging(Window source)
{
    MovePointer(source, Point(50, 50));
    XTestFakeButtonEvent(display, 1, true, 0);
    // The press is taken before the move: the event procedure folds queued moves into one,
    // even across a press.
    PumpFor(100);
    MovePointer(source, Point(60, 60));
}

} // namespace QorTest
