// Each match type's search in Lorvane's window, end to end: the word list unpacked and
// matched, the rows filled under the progress dialog, and the list's first repaint.
#include "app/lorvane.h"
#include "app/word_match.h"
#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/loop/x_event_loop.h"
#include "ctrl/x11/startup/window_system.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace Qor;

namespace {

bool StartWindowSystem()
{
    static bool started = (InitWindowSystem(), true);
    return started;
}

void Search(benchmark::State& state, int type, const char* criterion)
{
    if(!std::getenv("DISPLAY")) {
        state.SkipWithError("no DISPLAY: run under Xvfb (. tools/xvfb.sh)");
        return;
    }
    StartWindowSystem();
    lorvane w;
    w.OpenWithOwner(nullptr);
    for(int i = 0; i < 50; i++)
        if(!ProcessPendingEvents())
            WaitForEvents(10);
    w.criteria.SetText(WString(criterion));
    w.match.SetValue(type);
    int rows = 0;
    for(auto _ : state) {
        w.DoSearch();
        ProcessPendingEvents();
        XSync(display, false);
        rows = w.array.GetCount();
    }
    state.counters["rows"] = rows;
    w.Close();
}

BENCHMARK_CAPTURE(Search, Contains, MATCH_CONTAINS, "ab")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, StartsWith, MATCH_STARTS_WITH, "a")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, ExactMatch, MATCH_EXACT, "abandon")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, Soundex, MATCH_SOUNDEX, "robert")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, ContainsStarListsAll, MATCH_CONTAINS, "*")->Unit(benchmark::kMillisecond);

} // namespace
