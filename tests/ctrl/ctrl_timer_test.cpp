// A control's timers: keyed by its record, gone with it, and never run once it is gone.

#include "ctrl/ctrl.h"

#include "foundation/callback_action.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Qor;

namespace {

uint32 fake_clock;
uint32 FakeClock() { return fake_clock; }

int fired;
void Fire() { fired++; }

class CtrlTimerTest : public testing::Test {
protected:
    TimerClock old_clock = nullptr;
    static inline uint32 next_start = 7;

    void SetUp() override
    {
        old_clock = SetTimerClock(&FakeClock);
        next_start += 100000;
        fake_clock = next_start;
        fired = 0;
    }
    void TearDown() override { SetTimerClock(old_clock); }

    void Step(int ms)
    {
        fake_clock += ms;
        RunDueTimers((int)fake_clock);
    }
};

TEST_F(CtrlTimerTest, DestroyingAControlCancelsEveryTimerInsideItsRecordAndNothingElse)
{
    // Two controls side by side in one block, so the neighbour's ids border the record.
    struct Pair {
        Ctrl first, second;
    };
    auto pair = std::make_unique<Pair>();
    const int last = (int)sizeof(Ctrl) - 1;
    for(int n : { 0, 1, last })
        pair->first.ScheduleTimer(-10, MakeCallback(&Fire), n);
    pair->second.ScheduleTimer(-10, MakeCallback(&Fire), 0);
    pair->first.~Ctrl();
    const char* first = reinterpret_cast<const char*>(&pair->first);
    for(int n : { 0, 1, last })
        EXPECT_FALSE(HasTimers(first + n)) << n;
    EXPECT_TRUE(pair->second.HasTimer(0));
    Step(10);
    EXPECT_EQ(fired, 1); // the neighbour's only
    new(&pair->first) Ctrl;
    pair->second.CancelTimer(0);
}

TEST_F(CtrlTimerTest, ATimerOfADestroyedControlNeverRuns)
{
    auto c = std::make_unique<Ctrl>();
    c->ScheduleTimer(5, MakeCallback(&Fire), 2);
    c.reset();
    Step(5);
    EXPECT_EQ(fired, 0);
}

TEST_F(CtrlTimerTest, HasTimerHoldsUntilAOneShotFiresAndStaysForARepeatingOne)
{
    Ctrl c;
    c.ScheduleTimer(3, MakeCallback(&Fire), 1);
    c.ScheduleTimer(-3, MakeCallback(&Fire), 2);
    EXPECT_TRUE(c.HasTimer(1));
    EXPECT_FALSE(c.HasTimer(0));
    Step(3);
    EXPECT_EQ(fired, 2);
    EXPECT_FALSE(c.HasTimer(1));
    EXPECT_TRUE(c.HasTimer(2));
    c.CancelTimer(2);
    EXPECT_FALSE(c.HasTimer(2));
}

} // namespace
