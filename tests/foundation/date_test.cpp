// Date and Time records: layout and packed forms, Null, validity, ordering,
// day numbers and weekdays, binary form and the clock readings.

#include "foundation/values/clock.h"
#include "foundation/values/date.h"
#include "foundation/values/time.h"

#include "foundation/string_stream.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

using namespace Qor;

namespace {

std::vector<int> BytesOf(const String& s)
{
    std::vector<int> v;
    for(int i = 0; i < s.GetLength(); i++)
        v.push_back(s[i]);
    return v;
}

String TextOf(const std::vector<int>& bytes)
{
    std::string s;
    for(int b : bytes)
        s += (char)b;
    return String(s.data(), (int)s.size());
}

} // namespace

TEST(DateTest, LayoutAndPackedForms)
{
    Date d(2020, 12, 25);
    byte raw[4];
    std::memcpy(raw, &d, 4);
    EXPECT_EQ(raw[0], 25);
    EXPECT_EQ(raw[1], 12);
    EXPECT_EQ(raw[2] | raw[3] << 8, 2020);
    EXPECT_EQ(d.Packed(), 25u | 12u << 8 | 2020u << 16);
    EXPECT_EQ(Date::FromPacked(d.Packed()), d);
    EXPECT_EQ(Date(-1, 1, 1).Packed() >> 16, 0xFFFFu);

    Time t(2020, 12, 25, 7, 5, 9);
    uint64 expected = d.Packed() | uint64(7) << 32 | uint64(5) << 40 | uint64(9) << 48;
    EXPECT_EQ(t.Packed(), expected);
    // The padding byte never reaches the packed form or the equality.
    Time dirty = t;
    byte junk = 0xAA;
    std::memcpy(reinterpret_cast<byte*>(&dirty) + 7, &junk, 1);
    EXPECT_EQ(dirty.Packed(), expected);
    EXPECT_TRUE(Time::Equals(dirty, t));
    EXPECT_EQ(t.GetDate(), d);
}

TEST(DateTest, NullLooksAtTheYearOnly)
{
    Date null;
    EXPECT_TRUE(null.IsNull());
    EXPECT_EQ(null.day, 0);
    EXPECT_EQ(null.month, 0);
    EXPECT_EQ(null.year, -32768);
    EXPECT_TRUE(Date(-32768, 5, 7).IsNull());
    EXPECT_FALSE(Date(-32767, 0, 0).IsNull());

    Time tnull;
    EXPECT_TRUE(tnull.IsNull());
    EXPECT_EQ(tnull.hour + tnull.minute + tnull.second, 0);
    EXPECT_TRUE(Time(-32768, 1, 1, 12, 0, 0).IsNull());
}

TEST(DateTest, Validity)
{
    struct Case { Date d; bool valid; } cases[] = {
        {Date(2000, 2, 29), true},  {Date(2024, 2, 29), true},   {Date(1900, 2, 29), false},
        {Date(2023, 2, 29), false}, {Date(2023, 2, 28), true},   {Date(2023, 13, 1), false},
        {Date(2023, 0, 1), false},  {Date(2023, 1, 0), false},   {Date(2023, 1, 31), true},
        {Date(2023, 1, 32), false}, {Date(2023, 4, 30), true},   {Date(2023, 4, 31), false},
        {Date(2023, 6, 31), false}, {Date(2023, 9, 31), false},  {Date(2023, 11, 31), false},
        {Date(2023, 12, 31), true}, {Date(2023, 7, 31), true},   {Date(2023, 8, 31), true},
        {Date(1600, 2, 29), true},  {Date(-4, 2, 29), true},     {Date(-100, 2, 29), false},
        {Date(-400, 2, 29), true},  {Date(0, 2, 29), true},      {Date(), true},
        {Date(-32768, 13, 40), true},
    };
    for(const Case& c : cases)
        EXPECT_EQ(c.d.IsValid(), c.valid) << c.d.year << "-" << int(c.d.month) << "-" << int(c.d.day);
}

TEST(DateTest, MonthTables)
{
    const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int before = 0;
    for(int m = 1; m <= 12; m++) {
        EXPECT_EQ(DaysBeforeMonth(m), before) << m;
        EXPECT_EQ(DaysInMonth(m, 2023), lengths[m - 1]) << m;
        before += lengths[m - 1];
    }
    EXPECT_EQ(DaysInMonth(2, 2024), 29);
    EXPECT_EQ(DaysInMonth(0, 2024), 0);
    EXPECT_EQ(DaysInMonth(13, 2024), 0);
    EXPECT_EQ(DaysBeforeMonth(13), 0);
}

TEST(TimeTest, Validity)
{
    struct Case { Time t; bool valid; } cases[] = {
        {Time(2020, 1, 1, 24, 0, 0), false}, {Time(2020, 1, 1, 23, 60, 0), false},
        {Time(2020, 1, 1, 23, 59, 60), false}, {Time(2020, 1, 1, 23, 59, 59), true},
        {Time(2020, 1, 1, 0, 0, 0), true},   {Time(2023, 2, 29, 12, 0, 0), false},
        {Time(), true},                      {Time(-32768, 0, 0, 99, 99, 99), true},
    };
    for(const Case& c : cases)
        EXPECT_EQ(c.t.IsValid(), c.valid) << int(c.t.hour) << ":" << int(c.t.minute) << ":" << int(c.t.second);
}

TEST(DateTest, Ordering)
{
    struct Case { Date a, b; bool less; } cases[] = {
        {Date(2020, 1, 1), Date(2020, 1, 2), true},   {Date(2020, 1, 31), Date(2020, 2, 1), true},
        {Date(2019, 12, 31), Date(2020, 1, 1), true}, {Date(2020, 1, 1), Date(2020, 1, 1), false},
        {Date(-1, 12, 31), Date(0, 1, 1), true},      {Date(-200, 1, 1), Date(-100, 1, 1), true},
        {Date(), Date(-32767, 1, 1), true},           {Date(), Date(2020, 1, 1), true},
        {Date(), Date(), false},                      {Date(2020, 12, 1), Date(2020, 2, 28), false},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a.year << "-" << int(c.a.month) << "-" << int(c.a.day) << " vs "
                                        << c.b.year << "-" << int(c.b.month) << "-" << int(c.b.day));
        EXPECT_EQ(Date::Less(c.a, c.b), c.less);
        EXPECT_EQ(c.a < c.b, c.less);
        if(c.less) {
            EXPECT_FALSE(Date::Less(c.b, c.a));
        }
    }
    EXPECT_EQ(Date(2020, 5, 6), Date(2020, 5, 6));
    EXPECT_NE(Date(2020, 5, 6), Date(2020, 6, 5));
}

TEST(TimeTest, OrderingAndEquality)
{
    Time base(2020, 6, 15, 12, 30, 30);
    struct Case { Time a; bool less; bool equal; } cases[] = {
        {Time(2020, 6, 15, 12, 30, 29), true, false},  {Time(2020, 6, 15, 12, 29, 59), true, false},
        {Time(2020, 6, 15, 11, 59, 59), true, false},  {Time(2020, 6, 14, 23, 59, 59), true, false},
        {Time(2020, 5, 31, 23, 59, 59), true, false},  {Time(2019, 12, 31, 23, 59, 59), true, false},
        {Time(2020, 6, 15, 12, 30, 30), false, true},  {Time(2020, 6, 15, 12, 30, 31), false, false},
        {Time(2020, 6, 16, 0, 0, 0), false, false},    {Time(-5, 1, 1, 0, 0, 0), true, false},
        {Time(), true, false},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(Time::Less(c.a, base), c.less) << int(c.a.day) << " " << int(c.a.hour);
        EXPECT_EQ(Time::Less(base, c.a), !c.less && !c.equal) << int(c.a.day) << " " << int(c.a.hour);
        EXPECT_EQ(Time::Equals(c.a, base), c.equal);
        EXPECT_EQ(c.a == base, c.equal);
    }
}

TEST(DateTest, WeekdaysOfKnownDates)
{
    struct Case { Date d; int weekday; } cases[] = {
        {Date(2000, 1, 1), 6},  {Date(2020, 12, 25), 5}, {Date(2000, 3, 1), 3}, {Date(2024, 2, 29), 4},
        {Date(1900, 1, 1), 1},  {Date(1970, 1, 1), 4},   {Date(1, 1, 1), 1},    {Date(2100, 3, 1), 1},
    };
    for(const Case& c : cases)
        EXPECT_EQ(DayOfWeek(c.d), c.weekday) << c.d.year << "-" << int(c.d.month) << "-" << int(c.d.day);
    EXPECT_GE(DayOfWeek(Date(-7, 3, 1)), 0);
    EXPECT_LE(DayOfWeek(Date(-7, 3, 1)), 6);
}

// Walks every day from 1599 to 2401 and checks that the day number grows by
// one from each day to the next, across month, year and leap boundaries.
TEST(DateTest, DayNumbersAreConsecutive)
{
    Date d(1599, 1, 1);
    int n = DayNumber(d);
    int weekday = DayOfWeek(d);
    int days = 0;
    while(d.year < 2401) {
        Date next = d;
        if(next.day < DaysInMonth(next.month, next.year))
            next.day++;
        else if(next.month < 12) {
            next.month++;
            next.day = 1;
        }
        else {
            next = Date(d.year + 1, 1, 1);
        }
        ASSERT_TRUE(next.IsValid());
        ASSERT_EQ(DayNumber(next), n + 1) << next.year << "-" << int(next.month) << "-" << int(next.day);
        ASSERT_EQ(DayOfWeek(next), (weekday + 1) % 7);
        d = next;
        n++;
        weekday = (weekday + 1) % 7;
        days++;
    }
    EXPECT_EQ(days, 802 * 365 + 195); // 195 leap years in 1599..2400
    EXPECT_EQ(DayNumber(Date(2021, 1, 1)) - DayNumber(Date(2020, 1, 1)), 366);
    EXPECT_EQ(DayNumber(Date(1901, 1, 1)) - DayNumber(Date(1900, 1, 1)), 365);
}

TEST(DateTest, BinaryForm)
{
    struct Case { Date d; std::vector<int> bytes; } cases[] = {
        {Date(2020, 12, 25), {25, 12, 0xE4, 0x07}},
        {Date(-5, 1, 2), {2, 1, 0xFB, 0xFF}},
        {Date(), {0, 0, 0x00, 0x80}},
    };
    for(const Case& c : cases) {
        StringStream out;
        Date d = c.d;
        Stream& result = d.Serialize(out);
        EXPECT_EQ(&result, &out);
        String text = out.GetText();
        EXPECT_EQ(BytesOf(text), c.bytes);

        StringStream in(text);
        Date loaded(1, 1, 1);
        loaded.Serialize(in);
        EXPECT_FALSE(in.IsError());
        EXPECT_EQ(loaded, c.d);
    }
}

TEST(TimeTest, BinaryForm)
{
    Time t(2020, 12, 25, 7, 5, 9);
    StringStream out;
    t.Serialize(out);
    String text = out.GetText();
    EXPECT_EQ(BytesOf(text), (std::vector<int>{25, 12, 0xE4, 0x07, 7, 5, 9}));

    StringStream in(text);
    Time loaded;
    loaded.Serialize(in);
    EXPECT_FALSE(in.IsError());
    EXPECT_EQ(loaded, t);

    // Six bytes are one short: the load reports an error.
    StringStream short_in(TextOf({25, 12, 0xE4, 0x07, 7, 5}));
    Time partial;
    partial.Serialize(short_in);
    EXPECT_TRUE(short_in.IsError());
}

// The clock tests pin the local zone to UTC for Time(time_t).
class ClockTest : public testing::Test {
protected:
    void SetUp() override
    {
        const char* tz = std::getenv("TZ");
        had_tz = tz != nullptr;
        if(tz)
            saved_tz = tz;
        setenv("TZ", "UTC", 1);
        tzset();
    }
    void TearDown() override
    {
        if(had_tz)
            setenv("TZ", saved_tz.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

    bool had_tz = false;
    std::string saved_tz;
};

TEST_F(ClockTest, TimeFromSeconds)
{
    struct Case { std::time_t t; Time expected; } cases[] = {
        {0, Time(1970, 1, 1, 0, 0, 0)},
        {951782400 + 3661, Time(2000, 2, 29, 1, 1, 1)},
        {1608879909, Time(2020, 12, 25, 7, 5, 9)},
    };
    for(const Case& c : cases)
        EXPECT_EQ(Time(c.t), c.expected) << (long long)c.t;
    // Beyond the broken-down year range the conversion fails.
    EXPECT_TRUE(Time(std::time_t(LLONG_MAX)).IsNull());
}

TEST_F(ClockTest, CurrentReadingsFollowTheSystemClock)
{
    auto seconds = [](const Time& t) {
        return int64(DayNumber(t) - DayNumber(Date(1970, 1, 1))) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
    };
    std::time_t before = std::time(nullptr);
    Time local = CurrentTime();
    Time utc = CurrentUtcTime();
    Date today = CurrentDate();
    std::time_t after = std::time(nullptr);
    ASSERT_FALSE(utc.IsNull());
    ASSERT_FALSE(local.IsNull());
    EXPECT_TRUE(utc.IsValid());
    EXPECT_TRUE(local.IsValid());
    // The zone is UTC, so both readings match the seconds of the system clock.
    for(const Time& t : {local, utc}) {
        EXPECT_GE(seconds(t), (int64)before);
        EXPECT_LE(seconds(t), (int64)after);
    }
    EXPECT_TRUE(today == local.GetDate() || DayNumber(today) == DayNumber(local) + 1);
}
