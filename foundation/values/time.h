// Time: a Date followed by hour, minute and second (seven bytes of data), with
// its Null value, validity, ordering and binary form. No zone, no fractions.
#pragma once

#include "foundation/values/date.h"

#include <ctime>

namespace Qor {

struct Time : Date {
    byte hour;
    byte minute;
    byte second;

    // Null: the Null date with hour, minute and second 0.
    constexpr Time() : Date(), hour(0), minute(0), second(0) {}
    constexpr Time(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
        : Date(year, month, day), hour((byte)hour), minute((byte)minute), second((byte)second) {}
    constexpr Time(Date date, int hour = 0, int minute = 0, int second = 0)
        : Date(date), hour((byte)hour), minute((byte)minute), second((byte)second) {}
    // The value in local time; the Null time when the conversion fails.
    explicit Time(std::time_t t);

    Date GetDate() const { return Date(*this); }

    // A Null time is valid; otherwise a valid date and hour <= 23, minute and second <= 59.
    bool IsValid() const;
    // Year (signed), month, day, hour, minute, second.
    static bool Less(const Time& a, const Time& b);
    // All six fields equal.
    static bool Equals(const Time& a, const Time& b);

    // 64-bit form: the Date's 32 bits, hour bits 32-39, minute 40-47, second
    // 48-55; bits 56-63 are 0 whatever the padding byte holds.
    uint64 Packed() const
    {
        uint64 x = 0;
        std::memcpy(&x, this, 7);
        return x;
    }

    // The Date's 4 bytes, then hour, minute and second: 7 bytes, both directions.
    Stream& Serialize(Stream& s);
};

static_assert(sizeof(Time) == 8, "a Time is seven bytes of data and one of padding");

inline bool operator==(const Time& a, const Time& b) { return Time::Equals(a, b); }
inline bool operator!=(const Time& a, const Time& b) { return !Time::Equals(a, b); }
inline bool operator<(const Time& a, const Time& b) { return Time::Less(a, b); }
inline bool operator>(const Time& a, const Time& b) { return Time::Less(b, a); }
inline bool operator<=(const Time& a, const Time& b) { return !Time::Less(b, a); }
inline bool operator>=(const Time& a, const Time& b) { return !Time::Less(a, b); }

} // namespace Qor
