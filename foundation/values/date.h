// Date: a calendar day in four bytes (day, month, signed 16-bit year) with its
// Null value, validity, ordering, day numbers and weekdays, and binary form.
#pragma once

#include "foundation/types.h"

#include <cstring>

namespace Qor {

class Stream;

struct Date {
    byte day;
    byte month;
    int16 year;

    // A year of -32768 marks Null; the Null made here has day and month 0.
    static constexpr int16 NULL_YEAR = -32768;

    constexpr Date() : day(0), month(0), year(NULL_YEAR) {}
    constexpr Date(int year, int month, int day) : day((byte)day), month((byte)month), year((int16)year) {}

    // Null tests look at the year only.
    bool IsNull() const { return year == NULL_YEAR; }
    // A Null date is valid; otherwise month 1..12 and day 1..days of the month.
    bool IsValid() const;
    // Year (signed), then month, then day.
    static bool Less(Date a, Date b);

    // Little-endian 32-bit form: day bits 0-7, month 8-15, year 16-31.
    dword Packed() const { dword x; std::memcpy(&x, this, 4); return x; }
    static Date FromPacked(dword x) { Date d; std::memcpy((void*)&d, &x, 4); return d; }

    // Day byte, month byte, year as 16-bit little endian: 4 bytes, both directions.
    Stream& Serialize(Stream& s);
};

static_assert(sizeof(Date) == 4, "a Date is four bytes");

inline bool operator==(Date a, Date b) { return a.Packed() == b.Packed(); }
inline bool operator!=(Date a, Date b) { return !(a == b); }
inline bool operator<(Date a, Date b) { return Date::Less(a, b); }
inline bool operator>(Date a, Date b) { return Date::Less(b, a); }
inline bool operator<=(Date a, Date b) { return !Date::Less(b, a); }
inline bool operator>=(Date a, Date b) { return !Date::Less(a, b); }

// Divisible by 4 and either not by 100 or by 400 (signed remainders).
bool IsLeapYear(int year);
// Days of the month in that year; 0 for a month outside 1..12.
int DaysInMonth(int month, int year);
// Days before the month in a common year; 0 for a month outside 1..12.
int DaysBeforeMonth(int month);

// n = 365 y + (y - 1) / 4 - (y - 1) / 100 + (y - 1) / 400 + days before the
// month + d, plus 1 after February of a leap year (divisions truncating); for
// years from 1 on, consecutive days get consecutive numbers.
int DayNumber(Date d);
// (n + 6) mod 7, 0 being Sunday.
int DayOfWeek(Date d);

} // namespace Qor
