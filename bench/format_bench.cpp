// Format against snprintf giving the same text: a sequential and a positional
// format with an int, a text and a two-decimal double. The snprintf side is
// measured bare and with the String our side returns; fmt::format gives the same text
// as a std::string (its side runs on the C library's allocator in bench_format_peer).
#include "foundation/values/format.h"

#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace Qor;

namespace {

struct Row {
    int count;
    const char* place;
    double share;
};

std::vector<Row> Rows()
{
    static const char* places[] = {"box", "the second drawer", "bin", "crate 17"};
    std::vector<Row> rows;
    unsigned s = 12345;
    for(int i = 0; i < 256; i++) {
        s = s * 1103515245 + 12345;
        rows.push_back({int(s >> 8) % 100000, places[i & 3], (s >> 4) % 10000 / 97.0});
    }
    return rows;
}

const std::vector<Row>& Data()
{
    static std::vector<Row> rows = Rows();
    return rows;
}

void BM_Format(benchmark::State& state)
{
    const std::vector<Row>& rows = Data();
    size_t i = 0;
    for(auto _ : state) {
        const Row& r = rows[i++ & 255];
        String s = Format("%d items in %s (%.2f%%)", r.count, r.place, r.share);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_Format);

void BM_Snprintf(benchmark::State& state)
{
    const std::vector<Row>& rows = Data();
    size_t i = 0;
    char buffer[128];
    for(auto _ : state) {
        const Row& r = rows[i++ & 255];
        int n = std::snprintf(buffer, sizeof buffer, "%d items in %s (%.2f%%)", r.count, r.place, r.share);
        benchmark::DoNotOptimize(n);
        benchmark::DoNotOptimize(buffer);
    }
}
BENCHMARK(BM_Snprintf);

void BM_SnprintfString(benchmark::State& state)
{
    const std::vector<Row>& rows = Data();
    size_t i = 0;
    char buffer[128];
    for(auto _ : state) {
        const Row& r = rows[i++ & 255];
        int n = std::snprintf(buffer, sizeof buffer, "%d items in %s (%.2f%%)", r.count, r.place, r.share);
        String s(buffer, n);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_SnprintfString);

void BM_FmtFormat(benchmark::State& state)
{
    const std::vector<Row>& rows = Data();
    size_t i = 0;
    for(auto _ : state) {
        const Row& r = rows[i++ & 255];
        std::string s = fmt::format("{} items in {} ({:.2f}%)", r.count, r.place, r.share);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_FmtFormat);

void BM_FormatPositional(benchmark::State& state)
{
    const std::vector<Row>& rows = Data();
    size_t i = 0;
    for(auto _ : state) {
        const Row& r = rows[i++ & 255];
        String s = Format("%2:s holds %1:d items (%3:.2f%%)", r.count, r.place, r.share);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_FormatPositional);

void BM_SnprintfPositional(benchmark::State& state)
{
    const std::vector<Row>& rows = Data();
    size_t i = 0;
    char buffer[128];
    for(auto _ : state) {
        const Row& r = rows[i++ & 255];
        int n = std::snprintf(buffer, sizeof buffer, "%2$s holds %1$d items (%3$.2f%%)", r.count, r.place, r.share);
        String s(buffer, n);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_SnprintfPositional);

// Same output check, once, so the two sides are known to do the same work.
struct Check {
    Check()
    {
        char buffer[128];
        for(const Row& r : Data()) {
            std::snprintf(buffer, sizeof buffer, "%d items in %s (%.2f%%)", r.count, r.place, r.share);
            String a = Format("%d items in %s (%.2f%%)", r.count, r.place, r.share);
            std::snprintf(buffer + 64, 64, "%2$s holds %1$d items (%3$.2f%%)", r.count, r.place, r.share);
            String b = Format("%2:s holds %1:d items (%3:.2f%%)", r.count, r.place, r.share);
            std::string c = fmt::format("{} items in {} ({:.2f}%)", r.count, r.place, r.share);
            if(std::strcmp(a.Begin(), buffer) || std::strcmp(b.Begin(), buffer + 64) || c != buffer) {
                std::fprintf(stderr, "format_bench: outputs differ\n");
                std::abort();
            }
        }
    }
} check;

} // namespace
