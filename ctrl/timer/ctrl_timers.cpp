// A control's timers: owned by its own address plus a small number, so that its
// destructor can cancel every one of them by the range of its record.

#include "ctrl/timer/timer.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/tree/ctrl_class.h"

#include "foundation/assert.h"

namespace Qor {

namespace {

const void* TimerId(const Ctrl* c, int n)
{
    // An id outside the record would survive the control.
    QOR_ASSERT(n >= 0 && (size_t)n < sizeof(Ctrl));
    return reinterpret_cast<const char*>(c) + n;
}

} // namespace

void Ctrl::ScheduleTimer(int delay, Callback action, int n)
{
    Qor::ScheduleTimer(delay, std::move(action), TimerId(this, n));
}

void Ctrl::CancelTimer(int n) { CancelTimers(TimerId(this, n)); }

bool Ctrl::HasTimer(int n) const { return HasTimers(TimerId(this, n)); }

void RegisterControlTimers() { GetCtrlCoreSeams().kill_timers_in = &CancelTimersInRange; }

} // namespace Qor
