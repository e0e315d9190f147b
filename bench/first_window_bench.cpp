// Time from process start to the first painted top-level window with a label: the Qor
// program beside a plain Xlib + Xft program and a GTK 2 window, each started as a child
// process. Reports wall time (the iteration time), the child's CPU time and peak RSS, and
// after the runs the ratios that the start-up goals are stated in.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs path with its output discarded; false when it failed.
bool RunOnce(const char* path, rusage& usage)
{
    pid_t pid = fork();
    if(pid == 0) {
        if(!freopen("/dev/null", "w", stdout))
            _exit(126);
        execl(path, path, nullptr);
        _exit(127);
    }
    int status = 0;
    if(wait4(pid, &status, 0, &usage) != pid)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void FirstWindow(benchmark::State& state, const char* program)
{
    if(!std::getenv("DISPLAY")) {
        state.SkipWithError("no DISPLAY: run under Xvfb (. tools/xvfb.sh)");
        return;
    }
    std::string path = std::string(QOR_BENCH_BIN) + "/" + program;
    double cpu = 0;
    long rss = 0;
    for(auto _ : state) {
        rusage usage{};
        auto start = std::chrono::steady_clock::now();
        if(!RunOnce(path.c_str(), usage)) {
            state.SkipWithError("the program failed");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        cpu += double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
               double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        rss = std::max(rss, usage.ru_maxrss);
    }
    state.counters["cpu_ms"] = 1000 * cpu / double(state.iterations());
    state.counters["peak_rss_kb"] = double(rss);
}

BENCHMARK_CAPTURE(FirstWindow, Qor, "first_window_qor")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FirstWindow, XlibXft, "first_window_xlib")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FirstWindow, Gtk2, "first_window_gtk")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FirstWindow, Lorvane, "first_window_lorvane")->UseManualTime()->Unit(benchmark::kMillisecond);
// Through the window system's whole start-up: the standard skin, then the GTK host look (the
// host skin runs once; the program fails otherwise), and Lorvane as it ships, in the host look.
BENCHMARK_CAPTURE(FirstWindow, QorStandardSkin, "first_window_qor_standard")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FirstWindow, QorHostLook, "first_window_qor_host")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FirstWindow, LorvaneHostLook, "first_window_lorvane_host")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

struct Figures {
    double wall_ms = 0;
    double cpu_ms = 0;
    double rss_kb = 0;
};

// Keeps each program's figures (the medians when repeated) while the console shows the runs.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    SummaryReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Color : OO_None) {}
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for(const Run& run : runs) {
            if(run.error_occurred || (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median"))
                continue;
            // "FirstWindow/Gtk2/manual_time_median" -> "Gtk2"
            size_t slash = run.benchmark_name().find('/');
            size_t end = run.benchmark_name().find('/', slash + 1);
            std::string name = run.benchmark_name().substr(slash + 1, end - slash - 1);
            Figures& f = figures[name];
            f.wall_ms = run.GetAdjustedRealTime();
            f.cpu_ms = Counter(run, "cpu_ms");
            f.rss_kb = Counter(run, "peak_rss_kb");
        }
    }
    void PrintSummary() const
    {
        std::printf("\nStart-up goals (medians when repeated):\n");
        for(const char* label : { "Qor", "QorStandardSkin", "QorHostLook" })
            if(Has(label) && Has("Gtk2")) {
                const Figures& q = figures.at(label);
                const Figures& g = figures.at("Gtk2");
                std::printf("  %-16s / Gtk2: wall %.2f, cpu %.2f, peak RSS %.2f (goal: each at most 1)\n", label,
                            q.wall_ms / g.wall_ms, q.cpu_ms / g.cpu_ms, q.rss_kb / g.rss_kb);
            }
        // Lorvane's own share: Lorvane less the label window in the same skin.
        const char* pairs[][2] = { { "Lorvane", "QorStandardSkin" }, { "LorvaneHostLook", "QorHostLook" } };
        for(const auto& pair : pairs)
            if(Has(pair[0]) && Has(pair[1])) {
                const Figures& l = figures.at(pair[0]);
                const Figures& q = figures.at(pair[1]);
                std::printf("  %-16s - %s: wall %+.2f ms, cpu %+.2f ms (goal: wall at most 5 ms)\n", pair[0], pair[1],
                            l.wall_ms - q.wall_ms, l.cpu_ms - q.cpu_ms);
            }
        std::fflush(stdout);
    }

private:
    std::map<std::string, Figures> figures;

    bool Has(const char* name) const { return figures.count(name) > 0; }
    static double Counter(const Run& run, const char* name)
    {
        auto i = run.counters.find(name);
        return i == run.counters.end() ? 0 : double(i->second);
    }
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if(benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintSummary();
    benchmark::Shutdown();
    return 0;
}
