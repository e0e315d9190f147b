// The event loop: nested loops entered and left in order with their exit codes, the end
// tests, ProcessPendingEvents stopping inside a batch, and the idle work.
#include "tests/x11/host/host_fixture.h"

#include "ctrl/loop/caret.h"
#include "ctrl/loop/event_loop.h"
#include "ctrl/timer/timer.h"
#include "foundation/callback_action.h"
#include "foundation/process.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace Qor;
using namespace QorTest;

using EventLoopTest = GuiTest;

struct NestedLoops {
    FillCtrl outer;
    FillCtrl inner{ Color(0, 255, 0) };
    std::vector<std::string> log;
};

NestedLoops* nested = nullptr;

std::string LoopName()
{
    Ctrl* c = LoopCtrl();
    return c == &nested->outer ? "outer" : c == &nested->inner ? "inner" : c ? "other" : "none";
}

void EndInner()
{
    nested->log.push_back("end inner in " + LoopName());
    nested->inner.EndLoop(5);
}

void RunInner()
{
    nested->log.push_back("enter inner from " + LoopName());
    nested->inner.ScheduleTimer(30, MakeCallback(&EndInner));
    EventLoopCall(&nested->inner);
    nested->log.push_back("left inner (" + std::to_string(nested->inner.GetExitCode()) + ") to " + LoopName());
    nested->outer.EndLoop(7);
}

TEST_F(EventLoopTest, NestedLoopsAreEnteredAndLeftInOrder)
{
    NestedLoops n;
    nested = &n;
    ASSERT_TRUE(OpenHostWindow(n.outer, Rect(20, 20, 60, 60)));
    ASSERT_TRUE(OpenHostWindow(n.inner, Rect(80, 20, 120, 60)));
    n.outer.ScheduleTimer(20, MakeCallback(&RunInner));
    uint32 start = MonotonicMs();
    EventLoopCall(&n.outer);
    n.log.push_back("left outer (" + std::to_string(n.outer.GetExitCode()) + ") to " + LoopName());
    EXPECT_LT(MonotonicMs() - start, 5000u);
    std::vector<std::string> expected = { "enter inner from outer", "end inner in inner", "left inner (5) to outer",
                                          "left outer (7) to none" };
    EXPECT_EQ(n.log, expected);
    EXPECT_FALSE(n.outer.IsInLoop());
    nested = nullptr;
}

void EndOuterWithoutCode() { nested->outer.EndLoop(); }

TEST_F(EventLoopTest, EndWithoutCodeKeepsTheExitCodeAndClosedWindowEndsTheLoop)
{
    NestedLoops n;
    nested = &n;
    ASSERT_TRUE(OpenHostWindow(n.outer, Rect(20, 20, 60, 60)));
    n.outer.SetExitCode(3);
    n.outer.ScheduleTimer(5, MakeCallback(&EndOuterWithoutCode));
    EventLoopCall(&n.outer);
    EXPECT_EQ(n.outer.GetExitCode(), 3);
    // A loop for a control whose window is not open returns at once, leaving its flag set.
    FillCtrl closed;
    EventLoopCall(&closed);
    EXPECT_TRUE(closed.IsInLoop());
    EXPECT_EQ(LoopCtrl(), nullptr);
    nested = nullptr;
}

// Counts client messages; the first one ends the loop that is running.
class CountingCtrl : public FillCtrl {
public:
    void HandleWindowEvent(WindowMapEntry*, _XEvent* event) override
    {
        if(event->type != ClientMessage)
            return;
        if(++messages == 1)
            LoopCtrl()->EndLoop();
    }
    int messages = 0;
};

void SendClientMessage(Window w, long n)
{
    XEvent e = {};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XA_PRIMARY;
    e.xclient.format = 32;
    e.xclient.data.l[0] = n;
    XSendEvent(display, w, false, 0, &e);
}

TEST_F(EventLoopTest, ProcessPendingEventsStopsAfterTheEventFollowingTheEnd)
{
    CountingCtrl c;
    ASSERT_TRUE(OpenHostWindow(c, Rect(20, 20, 60, 60)));
    ASSERT_TRUE(WaitFor([] { return !ProcessPendingEvents(); }));
    Ctrl* previous = LoopCtrl();
    LoopCtrl() = &c;
    c.SetInLoop(true);
    for(long i = 0; i < 3; i++)
        SendClientMessage(GetHostWindow(c), i);
    XSync(display, false);
    EXPECT_TRUE(ProcessPendingEvents());
    EXPECT_EQ(c.messages, 2);
    EXPECT_EQ(XPending(display), 1);
    XEvent rest;
    XNextEvent(display, &rest);
    EXPECT_EQ(rest.type, ClientMessage);
    LoopCtrl() = previous;
}

bool fired = false;
void Fire() { fired = true; }

TEST_F(EventLoopTest, ProcessPendingEventsWithNothingQueuedStillDoesTheIdleWork)
{
    FillCtrl c;
    ASSERT_TRUE(OpenHostWindow(c, Rect(20, 20, 60, 60)));
    // Windows of parallel tests may cover this one and so queue events for it: a round
    // counts only when nothing was queued before the call.
    bool checked = WaitFor([&] {
        fired = false;
        c.ScheduleTimer(1, MakeCallback(&Fire));
        c.Refresh();
        SleepMs(3);
        XSync(display, false);
        if(XPending(display)) {
            ProcessPendingEvents();
            return false;
        }
        bool dispatched = ProcessPendingEvents();
        EXPECT_TRUE(fired);
        EXPECT_TRUE(GetWindowMapEntry(c)->invalid.IsEmpty());
        return !dispatched;
    });
    EXPECT_TRUE(checked);
}

std::vector<uint32> fire_times;
FillCtrl* resting = nullptr;
void NoteFire() { fire_times.push_back(MonotonicMs()); }
void EndResting() { resting->EndLoop(); }

TEST_F(EventLoopTest, ARestingLoopSleepsUntilItsTimersAreDue)
{
    FillCtrl c;
    resting = &c;
    fire_times.clear();
    ASSERT_TRUE(OpenHostWindow(c, Rect(20, 20, 60, 60)));
    ASSERT_TRUE(WaitFor([] { return !ProcessPendingEvents(); }));
    uint32 start = MonotonicMs();
    int delays[] = { 150, 420, 700 };
    for(int i = 0; i < 3; i++)
        c.ScheduleTimer(delays[i], MakeCallback(&NoteFire), i);
    c.ScheduleTimer(1000, MakeCallback(&EndResting), 3);
    int64 turns = GetEventLoopStats().turns;
    EventLoopCall(&c);
    turns = GetEventLoopStats().turns - turns;
    ASSERT_EQ(fire_times.size(), 3u);
    for(int i = 0; i < 3; i++)
        EXPECT_GE(int(fire_times[i] - start), delays[i]) << "a timer never fires early";
    // A loop that turned every 10 ms would take about 100 turns; parallel tests' windows
    // may add a few events, but nothing near that.
    EXPECT_LT(turns, 40) << "the loop woke without cause";
    resting = nullptr;
}

// Notes when it was painted: a caret phase change repaints the caret's rectangle.
class CaretCtrl : public FillCtrl {
public:
    std::vector<uint32> paint_times;
    void Paint(Draw& w) override
    {
        FillCtrl::Paint(w);
        paint_times.push_back(MonotonicMs());
    }
};

CaretCtrl* blinking = nullptr;
void EndBlinking() { blinking->EndLoop(); }

TEST_F(EventLoopTest, ARestingLoopWakesForEveryCaretPhase)
{
    CaretCtrl c;
    blinking = &c;
    c.SetWantsFocus();
    ASSERT_TRUE(OpenHostWindow(c, Rect(20, 20, 60, 60)));
    XSetInputFocus(display, GetHostWindow(c), RevertToParent, X_CURRENT_TIME);
    ASSERT_TRUE(WaitFor([&] {
        ProcessPendingEvents();
        return c.SetFocus() && c.HasFocus();
    }));
    c.SetCaret(4, 4, 2, 30);
    ASSERT_TRUE(WaitFor([] { return !ProcessPendingEvents(); }));
    c.paint_times.clear();
    uint32 start = MonotonicMs();
    c.ScheduleTimer(1800, MakeCallback(&EndBlinking), 0);
    EventLoopCall(&c);
    uint32 end = MonotonicMs();
    // Each phase change is painted no sooner than it is due and, a busy machine allowed for,
    // long before the next one: a loop sleeping past the caret would miss whole phases.
    uint32 blink_start = GetCaretState().blink_start;
    int phases = 0;
    for(uint32 due = blink_start + 500 * ((start - blink_start) / 500 + 1); int(end - due) > 100; due += 500) {
        phases++;
        bool seen = std::any_of(c.paint_times.begin(), c.paint_times.end(),
                                [&](uint32 t) { return int(t - due) >= 0 && int(t - due) < 400; });
        EXPECT_TRUE(seen) << "the phase due " << due - start << " ms after the start was not painted in time";
    }
    EXPECT_GE(phases, 3);
    blinking = nullptr;
}

TEST_F(EventLoopTest, LoopWithoutControlEndsWhenNoWindowIsOpen)
{
    ASSERT_TRUE(GetTopCtrls().IsEmpty());
    uint32 start = MonotonicMs();
    EventLoopCall(nullptr);
    EXPECT_LT(MonotonicMs() - start, 100u);
}

} // namespace
