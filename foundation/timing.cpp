// Timing counters: the interval bookkeeping, the overhead calibration and the
// report line.
#include "foundation/timing.h"

#include "foundation/log.h"
#include "foundation/process.h"
#include "foundation/text_utils.h"
#include "foundation/values/format.h"

namespace Qor {

namespace {

// Nothing turns it off; Start and End still honour it.
bool timing_switch = true;

TimingClock timing_clock = MonotonicMs;
TimingWriter timing_writer = nullptr;

// Set once the overhead counter is built, so that its destructor can tell
// itself apart without asking TimingOverheadCounter again during exit.
const TimingCounter* overhead_counter = nullptr;

void WriteToLog(const String& line)
{
    Stream& log = CurrentLog();
    log.Put(line);
    log.Put("\r\n");
}

} // namespace

void SetTimingClock(TimingClock clock) { timing_clock = clock ? clock : MonotonicMs; }
void SetTimingWriter(TimingWriter writer) { timing_writer = writer; }

TimingCounter::TimingCounter(OverheadTag)
    : name(""), hits(0), total(0), min(0), max(0), nesting(0), max_nesting(0), calls(0), start(0)
{
}

TimingCounter::TimingCounter(const char* name_)
{
    TimingOverheadCounter();
    name = name_ ? name_ : "";
    hits = 0;
    total = min = max = 0;
    nesting = max_nesting = calls = 0;
    start = 0;
}

TimingCounter::~TimingCounter()
{
    if(this == overhead_counter)
        return;
    String line = TimingLine(*this);
    if(timing_writer)
        timing_writer(line);
    else
        WriteToLog(line);
}

void TimingCounter::Start()
{
    if(!timing_switch)
        return;
    if(nesting++ == 0)
        start = timing_clock();
    if(nesting > max_nesting)
        max_nesting = nesting;
}

void TimingCounter::End()
{
    if(!timing_switch)
        return;
    calls++;
    if(--nesting != 0)
        return;
    uint32 elapsed = timing_clock() - start;
    total += elapsed;
    if(hits++ == 0)
        min = max = elapsed;
    else {
        if(elapsed < min)
            min = elapsed;
        if(elapsed > max)
            max = elapsed;
    }
}

int64 CalibrateTimingOverhead(TimingCounter& counter, uint32 duration_ms, int64 max_pairs)
{
    int64 pairs = 0;
    uint32 t0 = timing_clock();
    while(pairs < max_pairs && timing_clock() - t0 < duration_ms) {
        counter.Start();
        counter.End();
        pairs++;
    }
    return pairs;
}

TimingCounter& TimingOverheadCounter()
{
    // A function-local static registers its destruction at exit when built;
    // every other counter is built after it, so it is destroyed last.
    static TimingCounter& counter = []() -> TimingCounter& {
        static TimingCounter overhead{TimingCounter::OverheadTag()};
        overhead_counter = &overhead;
        CalibrateTimingOverhead(overhead, 200, TIMING_CALIBRATION_MAX_PAIRS);
        return overhead;
    }();
    return counter;
}

String TimingLine(const TimingCounter& counter) { return TimingLine(counter, TimingOverheadCounter()); }

String TimingLine(const TimingCounter& counter, const TimingCounter& overhead)
{
    String line = PrintfToString("TIMING %-15s: ", counter.GetName());
    int32 hits = counter.GetHits();
    if(hits == 0)
        return line + "No active hit";
    double avg = (double)counter.GetTotal() / hits / 1000;
    // An overhead counter without hits has measured nothing: no cost to take off.
    double cost = overhead.GetHits() > 0 ? (double)overhead.GetTotal() / overhead.GetHits() / 1000 : 0;
    double net = avg - cost > 0 ? avg - cost : 0;
    line += DurationText(hits * net);
    line += " - ";
    line += DurationText(net);
    line += " (";
    line += DurationText(counter.GetTotal() / 1000.0);
    line += " / ";
    line += PrintfToString("%d )", (int)hits);
    line += ", min: ";
    line += DurationText(counter.GetMin() / 1000.0);
    line += ", max: ";
    line += DurationText(counter.GetMax() / 1000.0);
    line += PrintfToString(", nesting: %d - %d", (int)counter.GetMaxNesting(), (int)counter.GetCalls());
    return line;
}

} // namespace Qor
