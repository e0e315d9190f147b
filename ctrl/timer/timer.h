// Timers: callbacks run from the event loop's idle step, once after a delay or repeatedly,
// each keyed by an owner address so that all timers of one owner go together.
#pragma once

#include "foundation/callback.h"
#include "foundation/types.h"

#include <cstddef>

namespace Qor {

// Appends a timer due |delay| ms from now (the timer clock); a negative delay repeats it
// every |delay| ms, counted from the end of the step in which it fired.
void ScheduleTimer(int delay, Callback action, const void* id);
// Removes every timer whose id lies in [from, to), releasing its action. Nothing to
// remove is not an error.
void CancelTimersInRange(const void* from, const void* to);
// The timers whose id equals id.
void CancelTimers(const void* id);
// Whether a timer with exactly this id is scheduled (a repeating one stays scheduled).
bool HasTimers(const void* id);
// Every timer whose id lies inside the size bytes of the record at record: a control's
// destructor passes its own record, so that none of its timers outlives it.
void CancelTimersInRecord(const void* record, size_t size);

// Builds the timer list; every operation above builds it too when needed.
void InitTimers();
// The timer step for the clock value now: runs the due timers, most overdue first (in
// scheduling order among equals), and does nothing when called again for the same now or
// while a fatal message is shown.
void RunDueTimers(int now);

// How long the loop may sleep before a timer is due: 0 when one is due now, -1 when none is
// scheduled. A replaced clock may jump at any moment, so then it is never more than 10 ms.
int GetTimerWaitMs();

// The millisecond clock that scheduling and rescheduling read; MonotonicMs unless replaced.
// Returns the clock it replaces; null restores MonotonicMs.
using TimerClock = uint32 (*)();
TimerClock SetTimerClock(TimerClock clock);
// Work done once per timer step before the timers run (the pointer-left check, the caret):
// hooks are only ever appended.
void AddTimerStepHook(void (*hook)());

// Start-up: the control tree's destructor cancels the timers of its record through here.
void RegisterControlTimers();

} // namespace Qor
