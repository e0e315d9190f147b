// FileStream against stdio: sequential write and read of 64 MB in calls of
// 1 byte, 4 kB and 1 MB, in a file under /tmp (open and close included).
#include "foundation/file_stream.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

using namespace Qor;

namespace {

constexpr size_t kTotal = 64 << 20;

std::string TempPath(const char* what)
{
    return "/tmp/qor_file_stream_bench_" + std::to_string(getpid()) + "_" + what;
}

std::vector<char> Data(size_t n)
{
    std::vector<char> data(n);
    for(size_t i = 0; i < n; i++)
        data[i] = char(i * 31 + 7);
    return data;
}

// The file the read benchmarks read, written once.
const std::string& SourceFile()
{
    static const std::string path = [] {
        std::string p = TempPath("source");
        std::vector<char> data = Data(1 << 20);
        FILE* f = std::fopen(p.c_str(), "wb");
        for(size_t done = 0; done < kTotal; done += data.size())
            std::fwrite(data.data(), 1, data.size(), f);
        std::fclose(f);
        std::atexit([] { unlink(TempPath("source").c_str()); });
        return p;
    }();
    return path;
}

void QorWrite(benchmark::State& state)
{
    size_t chunk = (size_t)state.range(0);
    std::vector<char> data = Data(chunk);
    std::string path = TempPath("qor_write");
    for(auto _ : state) {
        FileOut out(path.c_str());
        if(chunk == 1)
            for(size_t i = 0; i < kTotal; i++)
                out.Put((byte)i);
        else
            for(size_t done = 0; done < kTotal; done += chunk)
                out.Put(data.data(), (uint32)chunk);
        out.Close();
        if(out.IsError())
            state.SkipWithError("write failed");
    }
    unlink(path.c_str());
    state.SetBytesProcessed(int64(state.iterations() * kTotal));
}

void StdioWrite(benchmark::State& state)
{
    size_t chunk = (size_t)state.range(0);
    std::vector<char> data = Data(chunk);
    std::string path = TempPath("stdio_write");
    for(auto _ : state) {
        FILE* f = std::fopen(path.c_str(), "wb");
        if(chunk == 1)
            for(size_t i = 0; i < kTotal; i++) {
                char c = (char)i;
                std::fwrite(&c, 1, 1, f);
            }
        else
            for(size_t done = 0; done < kTotal; done += chunk)
                std::fwrite(data.data(), 1, chunk, f);
        if(std::fclose(f) != 0)
            state.SkipWithError("write failed");
    }
    unlink(path.c_str());
    state.SetBytesProcessed(int64(state.iterations() * kTotal));
}

void QorRead(benchmark::State& state)
{
    size_t chunk = (size_t)state.range(0);
    std::vector<char> data(chunk);
    const std::string& path = SourceFile();
    for(auto _ : state) {
        FileIn in(path.c_str());
        size_t total = 0;
        unsigned sum = 0;
        if(chunk == 1)
            for(int c; (c = in.Get()) >= 0; total++)
                sum += (unsigned)c;
        else
            for(uint32 n; (n = in.Get(data.data(), (uint32)chunk)) > 0; total += n)
                sum += (byte)data[0];
        benchmark::DoNotOptimize(sum);
        if(total != kTotal)
            state.SkipWithError("short read");
    }
    state.SetBytesProcessed(int64(state.iterations() * kTotal));
}

void StdioRead(benchmark::State& state)
{
    size_t chunk = (size_t)state.range(0);
    std::vector<char> data(chunk);
    const std::string& path = SourceFile();
    for(auto _ : state) {
        FILE* f = std::fopen(path.c_str(), "rb");
        size_t total = 0;
        unsigned sum = 0;
        for(size_t n; (n = std::fread(data.data(), 1, chunk, f)) > 0; total += n)
            sum += (byte)data[0];
        std::fclose(f);
        benchmark::DoNotOptimize(sum);
        if(total != kTotal)
            state.SkipWithError("short read");
    }
    state.SetBytesProcessed(int64(state.iterations() * kTotal));
}

void Chunks(benchmark::internal::Benchmark* b)
{
    b->Arg(1)->Arg(4096)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->UseRealTime();
}

} // namespace

BENCHMARK(QorWrite)->Apply(Chunks);
BENCHMARK(StdioWrite)->Apply(Chunks);
BENCHMARK(QorRead)->Apply(Chunks);
BENCHMARK(StdioRead)->Apply(Chunks);
