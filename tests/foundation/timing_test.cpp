// Timing counters: interval bookkeeping on a driven clock, the report line,
// the overhead calibration (also on clocks that stall or wrap) and the lines
// written at process exit.
#include "foundation/timing.h"

#include "foundation/log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace Qor;

namespace {

uint32 fake_now;
uint32 fake_step; // added after every reading
uint32 FakeClock()
{
    uint32 now = fake_now;
    fake_now += fake_step;
    return now;
}

std::vector<std::string> written;
void CaptureLine(const String& line) { written.emplace_back(line.Begin(), line.GetLength()); }

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class TimingTest : public testing::Test {
protected:
    void SetUp() override
    {
        TimingOverheadCounter(); // calibrated on the real clock before the fake one takes over
        fake_now = 1000;
        fake_step = 0;
        SetTimingClock(FakeClock);
        written.clear();
        SetTimingWriter(CaptureLine);
    }
    void TearDown() override
    {
        SetTimingClock(nullptr);
        SetTimingWriter(nullptr);
    }

    // One outermost interval of ms on the fake clock.
    static void Interval(TimingCounter& counter, uint32 ms)
    {
        counter.Start();
        fake_now += ms;
        counter.End();
    }
};

struct LineCase {
    const char* name;
    std::vector<uint32> intervals;
    std::vector<uint32> overhead_intervals; // none: no cost to subtract
    const char* expected;
};

TEST_F(TimingTest, LineLayout)
{
    const LineCase cases[] = {
        {"GenKernel", {4, 6, 5}, {},
         "TIMING GenKernel      : 15.00 ms -  5.00 ms (15.00 ms / 3 ), min:  4.00 ms, max:  6.00 ms, nesting: 1 - 3"},
        {"later", {9, 3, 6}, {},
         "TIMING later          : 18.00 ms -  6.00 ms (18.00 ms / 3 ), min:  3.00 ms, max:  9.00 ms, nesting: 1 - 3"},
        {"overhead", {10, 10}, {4},
         "TIMING overhead       : 12.00 ms -  6.00 ms (20.00 ms / 2 ), min: 10.00 ms, max: 10.00 ms, nesting: 1 - 2"},
        {"cheap", {1}, {3},
         "TIMING cheap          :  0.00 ns -  0.00 ns ( 1.00 ms / 1 ), min:  1.00 ms, max:  1.00 ms, nesting: 1 - 1"},
        {"AVeryLongCounterName", {2000}, {},
         "TIMING AVeryLongCounterName:  2.00 s  -  2.00 s  ( 2.00 s  / 1 ), min:  2.00 s , max:  2.00 s , nesting: 1 - 1"},
        {"idle", {}, {}, "TIMING idle           : No active hit"},
        {nullptr, {}, {}, "TIMING                : No active hit"},
    };
    for(const LineCase& c : cases) {
        SCOPED_TRACE(c.expected);
        TimingCounter counter(c.name);
        TimingCounter overhead("");
        for(uint32 ms : c.intervals)
            Interval(counter, ms);
        for(uint32 ms : c.overhead_intervals)
            Interval(overhead, ms);
        EXPECT_EQ(std::string(TimingLine(counter, overhead).Begin()), c.expected);
    }
}

TEST_F(TimingTest, RealOverheadIsNegligibleForMilliseconds)
{
    TimingCounter counter("GenKernel");
    Interval(counter, 4);
    Interval(counter, 6);
    Interval(counter, 5);
    EXPECT_EQ(std::string(TimingLine(counter).Begin()),
              "TIMING GenKernel      : 15.00 ms -  5.00 ms (15.00 ms / 3 ), min:  4.00 ms, max:  6.00 ms, nesting: 1 - 3");
}

TEST_F(TimingTest, NestedIntervalsCountOnlyInCalls)
{
    TimingCounter counter("nested");
    counter.Start();
    fake_now += 2;
    counter.Start();
    fake_now += 3;
    EXPECT_EQ(counter.GetNesting(), 2);
    counter.End();
    fake_now += 4;
    counter.End();
    EXPECT_EQ(counter.GetMaxNesting(), 2);
    EXPECT_EQ(counter.GetCalls(), 2);
    EXPECT_EQ(counter.GetHits(), 1);
    EXPECT_EQ(counter.GetTotal(), 9u);
    EXPECT_EQ(counter.GetMin(), 9u);
    EXPECT_EQ(counter.GetMax(), 9u);
    EXPECT_EQ(counter.GetNesting(), 0);
}

TEST_F(TimingTest, UnmatchedEndLeavesLaterIntervalsUncounted)
{
    TimingCounter counter("unmatched");
    counter.End();
    EXPECT_EQ(counter.GetNesting(), -1);
    Interval(counter, 5);
    EXPECT_EQ(counter.GetHits(), 0);
    EXPECT_EQ(counter.GetTotal(), 0u);
    EXPECT_EQ(counter.GetCalls(), 2);
    EXPECT_EQ(std::string(TimingLine(counter).Begin()), "TIMING unmatched      : No active hit");
}

TEST_F(TimingTest, IntervalAcrossClockWrap)
{
    TimingCounter counter("wrap");
    fake_now = 0xFFFFFFFEu;
    Interval(counter, 5);
    EXPECT_EQ(counter.GetTotal(), 5u);
    EXPECT_EQ(counter.GetMax(), 5u);
}

TEST_F(TimingTest, CalibrationEndsOnStalledClock)
{
    TimingCounter counter("");
    fake_step = 0; // the clock never advances
    EXPECT_EQ(CalibrateTimingOverhead(counter, 200, 5000), 5000);
    EXPECT_EQ(counter.GetHits(), 5000);
    EXPECT_EQ(counter.GetTotal(), 0u);
    EXPECT_EQ(counter.GetNesting(), 0);
}

TEST_F(TimingTest, CalibrationRunsForTheDuration)
{
    const uint32 starts[] = {1000, 0xFFFFFF80u}; // the second wraps during the run
    for(uint32 begin : starts) {
        SCOPED_TRACE(begin);
        TimingCounter counter("");
        fake_now = begin;
        fake_step = 1;
        int64 pairs = CalibrateTimingOverhead(counter, 200, 1000000);
        EXPECT_GT(pairs, 0);
        EXPECT_LT(pairs, 200); // every pair reads the advancing clock
        EXPECT_GE(fake_now - begin, 200u);
        EXPECT_EQ(counter.GetHits(), pairs);
        EXPECT_EQ(counter.GetTotal(), (uint32)pairs); // one step between Start and End
    }
}

TEST_F(TimingTest, OverheadCounterIsCalibratedOnce)
{
    TimingCounter& overhead = TimingOverheadCounter();
    EXPECT_EQ(&overhead, &TimingOverheadCounter());
    EXPECT_STREQ(overhead.GetName(), "");
    EXPECT_GT(overhead.GetHits(), 0);
    EXPECT_EQ(overhead.GetNesting(), 0);
    EXPECT_EQ(overhead.GetCalls(), overhead.GetHits());
    // A cost of a millisecond or more per empty pair means the loop measured nothing sensible.
    EXPECT_LT((double)overhead.GetTotal() / overhead.GetHits(), 1.0);
}

TEST_F(TimingTest, DestructionWritesTheLine)
{
    {
        TimingCounter counter("gone");
        Interval(counter, 3);
    }
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].substr(0, 30), "TIMING gone           :  3.00 ");
}

// Runs body in a child whose HOME is a fresh folder; returns that folder.
std::string InChild(const std::function<void(const std::string& home)>& body)
{
    char pattern[] = "/tmp/qor_timing_XXXXXX";
    EXPECT_NE(mkdtemp(pattern), nullptr);
    std::string home = pattern;
    std::fflush(nullptr);
    pid_t pid = fork();
    if(pid == 0) {
        setenv("HOME", home.c_str(), 1);
        body(home);
        std::exit(0); // runs the at-exit destruction of the statics
    }
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return home;
}

void RemoveFolder(const std::string& folder)
{
    std::string command = "rm -rf '" + folder + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
}

FILE* exit_lines;
void WriteExitLine(const String& line) { std::fprintf(exit_lines, "%s\n", line.Begin()); std::fflush(exit_lines); }

void UseExitCounters()
{
    static TimingCounter first("ExitFirst");
    first.Start();
    first.End();
    static TimingCounter second("ExitSecond");
}

TEST(TimingExitTest, LinesAtExitInReverseOrderOfConstruction)
{
    std::string home = InChild([](const std::string& home) {
        exit_lines = std::fopen((home + "/lines").c_str(), "w");
        SetTimingWriter(WriteExitLine);
        UseExitCounters();
    });
    std::string lines = ReadFile(home + "/lines");
    std::size_t first = lines.find("TIMING ExitFirst      : ");
    std::size_t second = lines.find("TIMING ExitSecond     : No active hit\n");
    EXPECT_NE(first, std::string::npos) << lines;
    EXPECT_NE(second, std::string::npos) << lines;
    EXPECT_LT(second, first) << lines;
    EXPECT_EQ(lines.find("TIMING                :"), std::string::npos) << "the overhead counter wrote a line";
    RemoveFolder(home);
}

void UseLogCounter() { static TimingCounter counter("LogLineCheck"); }

TEST(TimingExitTest, LineGoesToTheLogEndingTheLine)
{
    std::string home = InChild([](const std::string& home) {
        SetTimingWriter(nullptr);
        UseLogCounter();
        CurrentLog(); // the log may already be open from the parent: tell where it is
        std::ofstream(home + "/where") << LogFilePathText();
    });
    std::string log = ReadFile(ReadFile(home + "/where"));
    EXPECT_NE(log.find("TIMING LogLineCheck   : No active hit\r\n"), std::string::npos) << log;
    RemoveFolder(home);
}

} // namespace
