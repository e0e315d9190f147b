// Time validity, ordering and binary form.
#include "foundation/values/time.h"

#include "foundation/stream.h"

namespace Qor {

bool Time::IsValid() const
{
    if(IsNull())
        return true;
    return Date::IsValid() && hour <= 23 && minute <= 59 && second <= 59;
}

bool Time::Less(const Time& a, const Time& b)
{
    if(a.year != b.year)
        return a.year < b.year;
    if(a.month != b.month)
        return a.month < b.month;
    if(a.day != b.day)
        return a.day < b.day;
    if(a.hour != b.hour)
        return a.hour < b.hour;
    if(a.minute != b.minute)
        return a.minute < b.minute;
    return a.second < b.second;
}

bool Time::Equals(const Time& a, const Time& b)
{
    return a.Packed() == b.Packed();
}

Stream& Time::Serialize(Stream& s)
{
    Date::Serialize(s);
    s.Serialize(hour);
    s.Serialize(minute);
    return s.Serialize(second);
}

} // namespace Qor
