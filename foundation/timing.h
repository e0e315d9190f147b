// Timing counters: a function-local static TimingCounter accumulates how often
// and how long the outermost Start/End interval ran (milliseconds of the
// monotonic clock) and writes one "TIMING" line to the log when the process
// ends. The cost of an empty Start/End pair, measured once, is subtracted from
// every reported average.
//
//   static TimingCounter counter("GenKernel");
//   counter.Start(); ... counter.End();   // End on every way out
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"

namespace Qor {

class TimingCounter {
public:
    // Makes sure the overhead counter exists (the first call calibrates it for
    // 200 ms), then takes the name (null reads as "") with all numbers zero.
    explicit TimingCounter(const char* name);
    // Writes the counter's line and CR LF to the log; the overhead counter writes nothing.
    ~TimingCounter();

    TimingCounter(const TimingCounter&) = delete;
    TimingCounter& operator=(const TimingCounter&) = delete;

    void Start();
    void End();

    const char* GetName() const { return name; }
    int32 GetHits() const { return hits; }
    uint32 GetTotal() const { return total; }
    uint32 GetMin() const { return min; }
    uint32 GetMax() const { return max; }
    int32 GetNesting() const { return nesting; }
    int32 GetMaxNesting() const { return max_nesting; }
    int32 GetCalls() const { return calls; }

private:
    struct OverheadTag {};
    // The overhead counter's own constructor: it must not ask for itself.
    explicit TimingCounter(OverheadTag);
    friend TimingCounter& TimingOverheadCounter();

    const char* name;
    int32 hits;
    uint32 total;
    uint32 min;
    uint32 max;
    int32 nesting;
    int32 max_nesting;
    int32 calls;
    uint32 start;
};

// The process-wide counter of empty Start/End pairs; built and calibrated on first use.
TimingCounter& TimingOverheadCounter();

// The report line, without line end. The one-argument form subtracts the
// overhead counter's average; the other takes the overhead from the given counter.
String TimingLine(const TimingCounter& counter);
String TimingLine(const TimingCounter& counter, const TimingCounter& overhead);

// Repeats empty Start/End pairs on counter until duration_ms have passed on the
// timing clock, but at most max_pairs times, so a clock that does not advance
// cannot hold the loop forever. Returns the number of pairs run.
int64 CalibrateTimingOverhead(TimingCounter& counter, uint32 duration_ms, int64 max_pairs);

// The bound on the calibration's pairs: far more than 200 ms of pairs on a real
// clock, so it only ends the loop when the clock is stuck.
enum : int64 { TIMING_CALIBRATION_MAX_PAIRS = 1 << 26 };

// Seams for tests: the clock the counters read (null restores the monotonic
// clock) and where the lines go at exit (null restores the log, which gets
// the line followed by CR LF).
using TimingClock = uint32 (*)();
void SetTimingClock(TimingClock clock);
using TimingWriter = void (*)(const String& line);
void SetTimingWriter(TimingWriter writer);

} // namespace Qor
