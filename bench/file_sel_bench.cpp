// The file selector on a live X server (run under Xvfb, e.g. after `. tools/xvfb.sh`), over
// folders of 10,000 and 100,000 empty files (a few folders among them) made once per
// process under /tmp. Run each benchmark in its own process (--benchmark_filter), so one
// run's caches and heap do not flatter the next.
//   BM_SetFolderToPaint/n: from FileSel::SetFolder to the list's visible page painted,
//     beside a plain opendir + readdir + stat loop over the same folder in the same run
//     (counters plain_ms and ratio = selector / plain loop).
//   BM_FolderMemory/n: the heap the listing holds, in bytes per entry.
//   BM_SearchKeystroke/n: one search text change (the search field's action) to the
//     painted page.
//   BM_SortByName/n, BM_SortByExtension/n: FileList::Sort of the listed entries, each
//     iteration starting from the other order.
#include "ctrl/x11/display/x11_display.h"

#include "ctrl/x11/image/image_draw.h"
#include "filesel/dialog/file_sel.h"
#include "filesel/folder/sort_orders.h"
#include "foundation/heap.h"

#include "bench/bench_display.h"
#include "bench/bench_heap.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace Qor;
using QorBench::HeapUsedBytes;

const Size PAGE(900, 600);

bool OpenDisplayOnce() { return QorBench::OpenBenchDisplay("file_sel_bench"); }

// A folder of n entries, made on first use and removed at process exit.
class Fixture {
public:
    explicit Fixture(int n)
    {
        char pattern[] = "/tmp/qor_file_sel_bench_XXXXXX";
        if(!mkdtemp(pattern))
            return;
        path = pattern;
        static const char* const extensions[] = { ".txt", ".png", ".cpp", ".h", ".pdf", ".tar.gz", "", ".JPG" };
        for(int i = 0; i < n; i++) {
            char name[64];
            std::snprintf(name, sizeof(name), "/%s%06d%s", i % 3 ? "file" : "Report ", (i * 7919) % n,
                          extensions[i % 8]);
            std::string p = path + name;
            if(i % 100 == 0)
                mkdir((p + "_dir").c_str(), 0755);
            else
                close(open(p.c_str(), O_CREAT | O_WRONLY, 0644));
        }
    }
    ~Fixture()
    {
        std::error_code ignored;
        if(!path.empty())
            std::filesystem::remove_all(path, ignored);
    }
    String Path() const { return path.c_str(); }

private:
    std::string path;
};

const Fixture& FolderOf(int n)
{
    if(n <= 10000) {
        static Fixture small(10000);
        return small;
    }
    static Fixture large(100000);
    return large;
}

// What any listing must do at least: read the names and the status of each entry. The best
// of three, like a warm listing.
int PlainLoop(const char* folder)
{
    int count = 0;
    DIR* d = opendir(folder);
    if(!d)
        return 0;
    std::string base = std::string(folder) + "/";
    while(dirent* e = readdir(d)) {
        struct stat s;
        if(stat((base + e->d_name).c_str(), &s) == 0)
            count++;
    }
    closedir(d);
    return count;
}

double PlainLoopMs(const char* folder)
{
    double best = 1e9;
    for(int i = 0; i < 3; i++) {
        auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(PlainLoop(folder));
        std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

void PlaceSelector(FileSel& fs)
{
    fs.SetRect(Rect(PAGE));
    fs.ResolveLayout(1);
}

void BM_SetFolderToPaint(benchmark::State& state)
{
    if(!OpenDisplayOnce()) {
        state.SkipWithError("no X display");
        return;
    }
    int n = int(state.range(0));
    String folder = FolderOf(n).Path();
    FileSel fs;
    PlaceSelector(fs);
    ImageDraw w(fs.list.GetSize());
    double total_ms = 0;
    double plain_ms = 0;
    int entries = 0;
    for(auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        fs.SetFolder(folder);
        fs.list.Paint(w);
        std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        total_ms += took.count();
        state.PauseTiming();
        entries = fs.list.GetCount();
        fs.SetFolder(String());
        // Beside each run, under the same load of the machine.
        plain_ms += PlainLoopMs(folder.Begin());
        state.ResumeTiming();
    }
    double runs = double(state.iterations());
    state.counters["entries"] = entries;
    state.counters["selector_ms"] = total_ms / runs;
    state.counters["plain_ms"] = plain_ms / runs;
    state.counters["ratio"] = total_ms / plain_ms;
}
BENCHMARK(BM_SetFolderToPaint)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_FolderMemory(benchmark::State& state)
{
    if(!OpenDisplayOnce()) {
        state.SkipWithError("no X display");
        return;
    }
    int n = int(state.range(0));
    String folder = FolderOf(n).Path();
    FileSel fs;
    PlaceSelector(fs);
    double per_entry = 0;
    for(auto _ : state) {
        fs.SetFolder(String());
        double before = HeapUsedBytes();
        fs.SetFolder(folder);
        per_entry = (HeapUsedBytes() - before) / fs.list.GetCount();
    }
    state.counters["bytes_per_entry"] = per_entry;
}
BENCHMARK(BM_FolderMemory)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_SearchKeystroke(benchmark::State& state)
{
    if(!OpenDisplayOnce()) {
        state.SkipWithError("no X display");
        return;
    }
    int n = int(state.range(0));
    FileSel fs;
    PlaceSelector(fs);
    fs.SetFolder(FolderOf(n).Path());
    ImageDraw w(fs.list.GetSize());
    const char* const texts[] = { "FILE00", "REPORT 00", "TXT" };
    int i = 0;
    for(auto _ : state) {
        fs.search.SetValue(String(texts[i++ % 3]));
        fs.Reload();
        fs.list.Paint(w);
        benchmark::DoNotOptimize(fs.list.GetCount());
    }
}
BENCHMARK(BM_SearchKeystroke)->Arg(10000)->Unit(benchmark::kMillisecond);

template <class Order, class Other>
void Sort(benchmark::State& state)
{
    if(!OpenDisplayOnce()) {
        state.SkipWithError("no X display");
        return;
    }
    int n = int(state.range(0));
    FileSel fs;
    PlaceSelector(fs);
    fs.SetFolder(FolderOf(n).Path());
    for(auto _ : state) {
        state.PauseTiming();
        fs.list.Sort(Other());
        state.ResumeTiming();
        fs.list.Sort(Order());
    }
    state.counters["entries"] = fs.list.GetCount();
}

void BM_SortByName(benchmark::State& state) { Sort<FileListSortName, FileListSortExt>(state); }
void BM_SortByExtension(benchmark::State& state) { Sort<FileListSortExt, FileListSortName>(state); }
BENCHMARK(BM_SortByName)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByExtension)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
