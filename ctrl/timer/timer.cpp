// The process-wide timer list and the timer step of the event loop.

#include "ctrl/timer/timer.h"

#include "foundation/assert.h"
#include "foundation/panic.h"
#include "foundation/process.h"
#include "foundation/vector.h"

#include <algorithm>

namespace Qor {

namespace {

struct TimerEntry {
    int due;   // clock value at which the timer is due
    int delay; // as given; negative repeats
    Callback action;
    const void* id;
    bool pending_repeat; // fired in this step, rescheduled at its end
};

// Entries in scheduling order. Releasing an action may run any destructor, which may come
// back here to cancel timers, so every operation takes the actions out of the list first
// and releases them only once the list is consistent again.
struct TimerState {
    Vector<TimerEntry>* entries;
    TimerClock clock;
    int last_now;
    bool ran;
    bool torn_down;
    Vector<void (*)()>* step_hooks;
};

// Constant-initialised and never destroyed, so that controls destroyed after the list was
// emptied at exit still find it (and find it empty).
constinit TimerState state = { nullptr, nullptr, 0, false, false, nullptr };

// Empties the list at process exit, releasing every action.
struct TimerListOwner {
    Vector<TimerEntry> entries;
    ~TimerListOwner()
    {
        Vector<TimerEntry> dropped = std::move(entries);
        state.entries = nullptr;
        state.torn_down = true;
    }
};

Vector<TimerEntry>* Entries()
{
    if(!state.entries && !state.torn_down) {
        static TimerListOwner owner;
        state.entries = &owner.entries;
    }
    return state.entries;
}

int ReadClock() { return (int)(state.clock ? state.clock() : MonotonicMs()); }

// now - due in 32-bit arithmetic, so the order survives the wrap of the clock.
int Overdue(int now, int due) { return (int)((uint32)now - (uint32)due); }

int DueAfter(int now, int delay)
{
    uint32 magnitude = delay < 0 ? 0u - (uint32)delay : (uint32)delay;
    return (int)((uint32)now + magnitude);
}

bool InRange(const void* id, const void* from, const void* to)
{
    auto p = (uintptr_t)id;
    return p >= (uintptr_t)from && p < (uintptr_t)to;
}

// The entry to run next: not waiting for its repeat, due by now, the most overdue, the
// earliest scheduled among equals; -1 when none is.
int FindMostOverdue(const Vector<TimerEntry>& list, int now)
{
    int best = -1;
    int best_overdue = 0;
    for(int i = 0; i < list.GetCount(); i++) {
        const TimerEntry& e = list[i];
        if(e.pending_repeat)
            continue;
        int overdue = Overdue(now, e.due);
        if(overdue >= 0 && (best < 0 || overdue > best_overdue)) {
            best = i;
            best_overdue = overdue;
        }
    }
    return best;
}

// Every repeating entry that fired goes to the end of the list, due |delay| after now.
void Reschedule(Vector<TimerEntry>& list, int now)
{
    bool any = false;
    for(const TimerEntry& e : list)
        any = any || e.pending_repeat;
    if(!any)
        return;
    Vector<TimerEntry> kept;
    Vector<TimerEntry> repeated;
    for(TimerEntry& e : list) {
        if(e.pending_repeat) {
            e.pending_repeat = false;
            e.due = DueAfter(now, e.delay);
            repeated.Add(std::move(e));
        }
        else
            kept.Add(std::move(e));
    }
    kept.Append(repeated);
    list = std::move(kept);
}

} // namespace

void InitTimers() { Entries(); }

TimerClock SetTimerClock(TimerClock clock)
{
    TimerClock old = state.clock ? state.clock : &MonotonicMs;
    state.clock = clock;
    return old;
}

void AddTimerStepHook(void (*hook)())
{
    QOR_ASSERT(hook);
    if(!state.step_hooks) {
        static Vector<void (*)()> hooks;
        state.step_hooks = &hooks;
    }
    state.step_hooks->Add(hook);
}

void ScheduleTimer(int delay, Callback action, const void* id)
{
    Vector<TimerEntry>* list = Entries();
    if(!list)
        return; // after exit's clean-up: the action is released here and never runs
    TimerEntry& e = list->Add();
    e.due = DueAfter(ReadClock(), delay);
    e.delay = delay;
    e.action = std::move(action);
    e.id = id;
    e.pending_repeat = false;
}

void CancelTimersInRange(const void* from, const void* to)
{
    Vector<TimerEntry>* list = state.entries;
    if(!list)
        return;
    Vector<Callback> released;
    Vector<int> removed;
    for(int i = 0; i < list->GetCount(); i++)
        if(InRange((*list)[i].id, from, to)) {
            released.Add(std::move((*list)[i].action));
            removed.Add(i);
        }
    list->Remove(removed);
}

void CancelTimers(const void* id) { CancelTimersInRange(id, (const char*)id + 1); }

void CancelTimersInRecord(const void* record, size_t size) { CancelTimersInRange(record, (const char*)record + size); }

bool HasTimers(const void* id)
{
    if(state.entries)
        for(const TimerEntry& e : *state.entries)
            if(e.id == id)
                return true;
    return false;
}

int GetTimerWaitMs()
{
    const Vector<TimerEntry>* list = state.entries;
    int wait = -1;
    if(list && !list->IsEmpty()) {
        int now = ReadClock();
        for(const TimerEntry& e : *list) {
            int left = std::max(-Overdue(now, e.due), 0);
            if(wait < 0 || left < wait)
                wait = left;
        }
    }
    if(state.clock && (wait < 0 || wait > 10))
        wait = 10;
    return wait;
}

void RunDueTimers(int now)
{
    if(IsPanicking())
        return;
    if(state.ran && now == state.last_now)
        return;
    state.ran = true;
    state.last_now = now;
    if(state.step_hooks)
        for(int i = 0; i < state.step_hooks->GetCount(); i++)
            (*state.step_hooks)[i]();
    for(;;) {
        // Searched afresh after every action: actions schedule and cancel timers.
        Vector<TimerEntry>* list = state.entries;
        if(!list)
            return;
        int i = FindMostOverdue(*list, now);
        if(i < 0)
            break;
        TimerEntry& e = (*list)[i];
        Callback action;
        if(e.delay < 0) {
            action = e.action;
            e.pending_repeat = true;
        }
        else {
            action = std::move(e.action);
            list->Remove(i);
        }
        action.Run();
    }
    if(state.entries)
        Reschedule(*state.entries, ReadClock());
}

} // namespace Qor
