// Clock, sleep and permanent text copies.
#include "foundation/process.h"

#include "foundation/heap.h"

#include <cstring>

namespace Qor {

uint32 TimespecToMs(const timespec& ts)
{
    // Seconds are cut to 32 bits first; everything then wraps modulo 2^32.
    return (uint32)ts.tv_sec * 1000u + (uint32)(ts.tv_nsec / 1000000);
}

timespec MsToTimespec(int ms)
{
    timespec ts;
    ts.tv_sec = ms / 1000;
    ts.tv_nsec = (long)(ms % 1000) * 1000000;
    return ts;
}

uint32 MonotonicMs()
{
    timespec ts;
    if(clock_gettime(CLOCK_MONOTONIC, &ts) != 0)
        return 0;
    return TimespecToMs(ts);
}

void SleepMs(int ms)
{
    timespec ts = MsToTimespec(ms);
    nanosleep(&ts, nullptr);
}

char* PermanentStrDup(const char* text)
{
    size_t n = std::strlen(text) + 1;
    char* copy = (char*)PermanentBlock(n);
    std::memcpy(copy, text, n);
    return copy;
}

} // namespace Qor
