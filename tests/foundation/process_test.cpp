// The wrapping millisecond clock, the sleep and permanent text copies.
#include "foundation/process.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Qor;

namespace {

TEST(ProcessTest, ClockReadingsWrapModulo32Bits)
{
    struct Case {
        int64 sec;
        long nsec;
        uint32 ms;
    } cases[] = {
        { 0, 0, 0 },
        { 1, 999999999, 1999 },
        { 4294967, 295999999, 0xffffffffu },
        { 4294967, 296000000, 0 },
        { 4294967, 305000000, 9 },
        { (int64(1) << 32) + 5, 7000000, 5007 }, // seconds cut to 32 bits first
    };
    for(const Case& t : cases) {
        timespec ts;
        ts.tv_sec = (time_t)t.sec;
        ts.tv_nsec = t.nsec;
        EXPECT_EQ(TimespecToMs(ts), t.ms) << t.sec << " s " << t.nsec << " ns";
    }
    // An interval across the wrap still comes out right as a uint32 difference.
    timespec before = { 4294967, 290000000 }, after = { 4294967, 310000000 };
    EXPECT_EQ(TimespecToMs(after) - TimespecToMs(before), 20u);
}

TEST(ProcessTest, SleepSplitsMilliseconds)
{
    struct Case {
        int ms;
        long sec, nsec;
    } cases[] = {
        { 1500, 1, 500000000 },
        { 0, 0, 0 },
        { 999, 0, 999000000 },
        { 1000, 1, 0 },
        { 2147483647, 2147483, 647000000 },
        { -1500, -1, -500000000 }, // truncation toward zero; the sleep then fails at once
    };
    for(const Case& t : cases) {
        timespec ts = MsToTimespec(t.ms);
        EXPECT_EQ(ts.tv_sec, t.sec) << t.ms;
        EXPECT_EQ(ts.tv_nsec, t.nsec) << t.ms;
    }
}

TEST(ProcessTest, SleepWaitsOnTheMonotonicClock)
{
    uint32 start = MonotonicMs();
    SleepMs(30);
    uint32 slept = MonotonicMs() - start;
    EXPECT_GE(slept, 30u);
    EXPECT_LT(slept, 2000u);

    start = MonotonicMs();
    SleepMs(0);
    SleepMs(-5);
    EXPECT_LT(MonotonicMs() - start, 20u);
}

TEST(ProcessTest, PermanentCopyIsSeparateAndComplete)
{
    char text[] = "translation text";
    char* copy = PermanentStrDup(text);
    ASSERT_NE(copy, text);
    text[0] = 'X';
    EXPECT_STREQ(copy, "translation text");

    char* empty = PermanentStrDup("");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty[0], '\0');
}

} // namespace
