// Date validity, ordering, day numbers and binary form.
#include "foundation/values/date.h"

#include "foundation/stream.h"

namespace Qor {

static const byte days_in_month[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
static const int16 days_before_month[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

bool IsLeapYear(int year)
{
    int16 y = (int16)year;
    return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
}

int DaysInMonth(int month, int year)
{
    if(month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days_in_month[month - 1];
}

int DaysBeforeMonth(int month)
{
    return month < 1 || month > 12 ? 0 : days_before_month[month - 1];
}

bool Date::IsValid() const
{
    if(IsNull())
        return true;
    return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(month, year);
}

bool Date::Less(Date a, Date b)
{
    if(a.year != b.year)
        return a.year < b.year;
    if(a.month != b.month)
        return a.month < b.month;
    return a.day < b.day;
}

int DayNumber(Date d)
{
    int y = d.year;
    int n = 365 * y + (y - 1) / 4 - (y - 1) / 100 + (y - 1) / 400 + DaysBeforeMonth(d.month) + d.day;
    if(d.month > 2 && IsLeapYear(y))
        n++;
    return n;
}

int DayOfWeek(Date d)
{
    // Years before 1 give negative numbers; the weekday stays within 0..6.
    int w = (DayNumber(d) + 6) % 7;
    return w < 0 ? w + 7 : w;
}

Stream& Date::Serialize(Stream& s)
{
    s.Serialize(day);
    s.Serialize(month);
    return s.Serialize(year);
}

} // namespace Qor
