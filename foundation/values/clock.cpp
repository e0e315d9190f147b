// Clock readings through the C library's broken-down time.
#include "foundation/values/clock.h"

namespace Qor {

static Time TimeOfTm(const std::tm* t)
{
    if(!t)
        return Time();
    return Time(t->tm_year + 1900, t->tm_mon + 1, t->tm_mday, t->tm_hour, t->tm_min, t->tm_sec);
}

Time::Time(std::time_t t)
{
    std::tm parts;
    *this = TimeOfTm(localtime_r(&t, &parts));
}

Time CurrentTime()
{
    return Time(std::time(nullptr));
}

Time CurrentUtcTime()
{
    std::time_t t = std::time(nullptr);
    std::tm parts;
    return TimeOfTm(gmtime_r(&t, &parts));
}

Date CurrentDate()
{
    return CurrentTime().GetDate();
}

} // namespace Qor
