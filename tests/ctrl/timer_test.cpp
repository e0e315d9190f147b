// Timers on a fake clock: the order of due timers, repetition, the once-per-millisecond
// step, cancelling by owner range, clock wrap, and actions that change the list.

#include "ctrl/timer/timer.h"

#include "foundation/callback_action.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

using namespace Qor;

namespace {

uint32 fake_clock;
uint32 FakeClock() { return fake_clock; }

int step_hook_calls;
void CountStepHook() { step_hook_calls++; }

// An action running any code; on release it runs an optional farewell.
class FnAction : public CallbackAction {
public:
    std::function<void()> run, release;
    explicit FnAction(std::function<void()> run, std::function<void()> release = nullptr)
        : run(std::move(run)), release(std::move(release))
    {}
    void Run() override { run(); }
    ~FnAction() override
    {
        if(release)
            release();
    }
};

Callback Fn(std::function<void()> run, std::function<void()> release = nullptr)
{
    return Callback(new FnAction(std::move(run), std::move(release)));
}

class TimerTest : public testing::Test {
protected:
    // Owner ids of this test: addresses inside a record of its own.
    char owner[64];
    std::string log;
    TimerClock old_clock = nullptr;
    static inline uint32 next_start = 1000;

    void SetUp() override
    {
        static bool hooked = (AddTimerStepHook(&CountStepHook), true);
        (void)hooked;
        old_clock = SetTimerClock(&FakeClock);
        // Every test starts at a clock value no earlier test has stepped at.
        next_start += 100000;
        fake_clock = next_start;
    }
    void TearDown() override
    {
        CancelTimersInRecord(owner, sizeof(owner));
        SetTimerClock(old_clock);
    }

    const void* Id(int n) const { return owner + n; }
    Callback Log(const char* name)
    {
        return Fn([this, name] { log += name; });
    }
    void Step(int ms_later)
    {
        fake_clock += ms_later;
        RunDueTimers((int)fake_clock);
    }
};

TEST_F(TimerTest, DueTimersRunMostOverdueFirstThenInSchedulingOrder)
{
    ScheduleTimer(10, Log("a"), Id(0));
    ScheduleTimer(5, Log("b"), Id(1));
    ScheduleTimer(5, Log("c"), Id(2));
    ScheduleTimer(30, Log("late"), Id(3));
    Step(4);
    EXPECT_EQ(log, "");
    Step(16);
    EXPECT_EQ(log, "bca");
    EXPECT_TRUE(HasTimers(Id(3)));
    EXPECT_FALSE(HasTimers(Id(0)));
}

TEST_F(TimerTest, TheLoopMaySleepUntilTheEarliestTimerIsDue)
{
    // A replaced clock may jump, so the loop never sleeps past 10 ms on it.
    EXPECT_EQ(GetTimerWaitMs(), 10);
    ScheduleTimer(30, Log("late"), Id(0));
    EXPECT_EQ(GetTimerWaitMs(), 10);
    ScheduleTimer(7, Log("x"), Id(1));
    EXPECT_EQ(GetTimerWaitMs(), 7);
    Step(40);
    EXPECT_EQ(log, "xlate");
    ScheduleTimer(-3, Log("r"), Id(2));
    Step(5);
    EXPECT_EQ(GetTimerWaitMs(), 3) << "a repeating timer counts from the end of its step";
    CancelTimers(Id(2));

    // On the real clock the wait is exactly what is left, and -1 with nothing scheduled.
    SetTimerClock(nullptr);
    EXPECT_EQ(GetTimerWaitMs(), -1);
    ScheduleTimer(400, Log("y"), Id(3));
    int wait = GetTimerWaitMs();
    EXPECT_GT(wait, 300);
    EXPECT_LE(wait, 400);
    ScheduleTimer(-50, Log("z"), Id(4));
    EXPECT_LE(GetTimerWaitMs(), 50);
}

TEST_F(TimerTest, ATimerIsDueExactlyAtItsDelay)
{
    ScheduleTimer(7, Log("x"), Id(0));
    Step(6);
    EXPECT_EQ(log, "");
    Step(1);
    EXPECT_EQ(log, "x");
}

TEST_F(TimerTest, ALateRepeatingTimerFiresOnceAndCountsItsIntervalFromTheStep)
{
    ScheduleTimer(-25, Log("r"), Id(0));
    Step(60);
    EXPECT_EQ(log, "r");
    Step(24);
    EXPECT_EQ(log, "r");
    Step(1);
    EXPECT_EQ(log, "rr");
    EXPECT_TRUE(HasTimers(Id(0)));
}

TEST_F(TimerTest, TheRepeatIntervalStartsWhenTheStepEnds)
{
    // The action takes 5 ms: the next firing is 25 ms after the step's end, not its start.
    ScheduleTimer(-25, Fn([this] {
        log += "r";
        fake_clock += 5;
    }),
                  Id(0));
    Step(25);
    EXPECT_EQ(log, "r");
    Step(24); // 24 ms after the step's end
    EXPECT_EQ(log, "r");
    Step(1);
    EXPECT_EQ(log, "rr");
}

TEST_F(TimerTest, ASecondStepAtTheSameClockValueDoesNothing)
{
    ScheduleTimer(0, Log("x"), Id(0));
    Step(1);
    EXPECT_EQ(log, "x");
    int hooks = step_hook_calls;
    ScheduleTimer(0, Log("y"), Id(1));
    Step(0);
    EXPECT_EQ(log, "x");
    EXPECT_EQ(step_hook_calls, hooks);
    Step(1);
    EXPECT_EQ(log, "xy");
    EXPECT_EQ(step_hook_calls, hooks + 1);
}

TEST_F(TimerTest, ARepeatingTimerThatCancelsItselfIsGone)
{
    ScheduleTimer(-10, Fn([this] {
        log += "r";
        CancelTimers(Id(0));
    }),
                  Id(0));
    Step(10);
    EXPECT_EQ(log, "r");
    EXPECT_FALSE(HasTimers(Id(0)));
    Step(100);
    EXPECT_EQ(log, "r");
}

TEST_F(TimerTest, AZeroDelayTimerFromAnActionRunsInTheSameStepOnlyWhileTheClockStands)
{
    ScheduleTimer(5, Fn([this] {
                      log += "a";
                      ScheduleTimer(0, Log("b"), Id(1));
                  }),
                  Id(0));
    Step(5);
    EXPECT_EQ(log, "ab");

    log.clear();
    ScheduleTimer(5, Fn([this] {
                      log += "a";
                      fake_clock += 1; // the clock moved on while the action ran
                      ScheduleTimer(0, Log("b"), Id(1));
                  }),
                  Id(0));
    Step(5);
    EXPECT_EQ(log, "a");
    Step(1);
    EXPECT_EQ(log, "ab");
}

TEST_F(TimerTest, ATimerCancelledByAnEarlierActionOfTheStepDoesNotRun)
{
    ScheduleTimer(1, Fn([this] {
                      log += "a";
                      CancelTimers(Id(1));
                  }),
                  Id(0));
    ScheduleTimer(2, Log("b"), Id(1));
    Step(10);
    EXPECT_EQ(log, "a");
}

TEST_F(TimerTest, CancellingARecordTakesExactlyTheIdsInsideIt)
{
    char* record = owner + 16;
    const size_t size = 8;
    struct {
        const void* id;
        bool cancelled;
    } cases[] = { { owner + 15, false },
                  { record, true },
                  { record + 3, true },
                  { record + size - 1, true },
                  { record + size, false } };
    for(auto& c : cases)
        ScheduleTimer(-10, Log("."), c.id);
    CancelTimersInRecord(record, size);
    for(auto& c : cases)
        EXPECT_EQ(HasTimers(c.id), !c.cancelled) << (const char*)c.id - owner;
}

TEST_F(TimerTest, CancellingAnIdWithoutTimersDoesNothing)
{
    ScheduleTimer(5, Log("x"), Id(0));
    CancelTimers(Id(1));
    CancelTimersInRange(Id(2), Id(2)); // an empty range
    Step(5);
    EXPECT_EQ(log, "x");
}

TEST_F(TimerTest, HasTimersHoldsUntilAOneShotTimerFires)
{
    bool seen_inside = true;
    ScheduleTimer(3, Fn([&] { seen_inside = HasTimers(Id(0)); }), Id(0));
    EXPECT_TRUE(HasTimers(Id(0)));
    Step(2);
    EXPECT_TRUE(HasTimers(Id(0)));
    Step(1);
    EXPECT_FALSE(seen_inside);
    EXPECT_FALSE(HasTimers(Id(0)));
}

TEST_F(TimerTest, DueTimesSurviveTheWrapOfTheClock)
{
    fake_clock = 0xFFFFFFF0u;
    ScheduleTimer(10, Log("a"), Id(0));  // due before the wrap
    ScheduleTimer(30, Log("b"), Id(1));  // due after it
    ScheduleTimer(-20, Log("r"), Id(2)); // first due just after it
    Step(10);
    EXPECT_EQ(log, "a");
    Step(9);
    EXPECT_EQ(log, "a");
    Step(1); // the clock reads 4: "r" is overdue by 0, "b" not yet due
    EXPECT_EQ(log, "ar");
    Step(10);
    EXPECT_EQ(log, "arb");
}

TEST_F(TimerTest, ReleasingAnActionMayCancelAndScheduleTimers)
{
    // The actions of the cancelled timers cancel further timers and schedule new ones
    // while they are released; the list stays whole and the new timer runs.
    ScheduleTimer(50, Fn([] {}, [this] { CancelTimers(Id(1)); }), Id(0));
    ScheduleTimer(50, Fn([] {}, [this] { ScheduleTimer(1, Log("n"), Id(3)); }), Id(1));
    ScheduleTimer(50, Log("kept"), Id(2));
    CancelTimers(Id(0));
    EXPECT_FALSE(HasTimers(Id(0)));
    EXPECT_FALSE(HasTimers(Id(1)));
    EXPECT_TRUE(HasTimers(Id(3)));
    Step(50);
    EXPECT_EQ(log, "nkept");
}

TEST_F(TimerTest, AOneShotActionIsReleasedAfterItRan)
{
    bool released = false;
    bool released_while_running = true;
    ScheduleTimer(1, Fn([&] { released_while_running = released; }, [&] { released = true; }), Id(0));
    Step(1);
    EXPECT_FALSE(released_while_running);
    EXPECT_TRUE(released);
}

} // namespace
