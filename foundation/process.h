// Small process services: a wrapping millisecond clock, a millisecond sleep
// and copies of texts that live until the process ends.
#pragma once

#include "foundation/types.h"

#include <ctime>

namespace Qor {

// Milliseconds of the monotonic clock, wrapping modulo 2^32: compare only
// differences of two readings taken as uint32. 0 when the clock fails.
uint32 MonotonicMs();
// Sleeps once; a signal ends the sleep early and it is not resumed.
void SleepMs(int ms);
// A copy of text (with its NUL) that is never freed.
char* PermanentStrDup(const char* text);

// The conversions behind MonotonicMs and SleepMs, kept apart so that the
// wrap and the split can be checked without waiting for the clock.
uint32 TimespecToMs(const timespec& ts);
timespec MsToTimespec(int ms);

} // namespace Qor
