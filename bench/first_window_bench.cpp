// Time from process start to the first painted top-level window with a label: the Qor
// program beside a plain Xlib + Xft program and a GTK 2 window, each started as a child
// process. Reports wall time (the iteration time), the child's CPU time and peak RSS.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
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

} // namespace
