// Line conversion of a 4000 x 3000 image between RGBA and 24-bit BGR, 8-bit palette and
// 1-bit mask lines, each against a plain memcpy of the same output bytes in the same run
// (counter "x_memcpy": conversion time over copy time).
#include "draw/image/pixel_format.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

using namespace Qor;

namespace {

constexpr int WIDTH = 4000;
constexpr int HEIGHT = 3000;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double>(b - a).count();
}

// The best of a few copies of `bytes` bytes, line by line like the conversion.
double MemcpySeconds(std::vector<byte>& to, const std::vector<byte>& from, int line_bytes)
{
    double best = 1e9;
    for(int run = 0; run < 5; run++) {
        auto start = Clock::now();
        for(int y = 0; y < HEIGHT; y++)
            memcpy(to.data() + (size_t)y * line_bytes, from.data() + (size_t)y * line_bytes, line_bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
        best = std::min(best, Seconds(start, Clock::now()));
    }
    return best;
}

std::vector<RGBA> SourcePixels()
{
    std::vector<RGBA> pixels((size_t)WIDTH * HEIGHT);
    for(size_t i = 0; i < pixels.size(); i++)
        pixels[i] = RGBA{(byte)(i * 7), (byte)(i >> 3), (byte)(i * 13 >> 5), 255};
    return pixels;
}

std::vector<RGBA> GreyPalette(int n)
{
    std::vector<RGBA> palette(256);
    for(int i = 0; i < n; i++) {
        byte v = (byte)(i * 255 / (n - 1));
        palette[i] = RGBA{v, v, v, 255};
    }
    return palette;
}

PixelFormat Format(int code)
{
    PixelFormat f;
    if(code == PixelFormat::RGB24)
        f.Set24(0xFF0000, 0xFF00, 0xFF);
    else
        f.code = (byte)code;
    return f;
}

void Report(benchmark::State& state, double convert_seconds, double copy_seconds, size_t output_bytes)
{
    state.SetBytesProcessed((int64_t)(state.iterations() * output_bytes));
    state.counters["x_memcpy"] = convert_seconds / state.iterations() / copy_seconds;
}

// Lines of the format into RGBA.
void ReadLines(benchmark::State& state)
{
    PixelFormat f = Format((int)state.range(0));
    std::vector<RGBA> palette = GreyPalette(f.GetPaletteCount() ? f.GetPaletteCount() : 2);
    std::vector<RGBA> source = SourcePixels();
    int in_bytes = f.GetByteCount(WIDTH);
    std::vector<byte> in((size_t)in_bytes * HEIGHT);
    for(int y = 0; y < HEIGHT; y++)
        f.WriteLine(in.data() + (size_t)y * in_bytes, source.data() + (size_t)y * WIDTH, WIDTH);
    std::vector<RGBA> out((size_t)WIDTH * HEIGHT);

    double total = 0;
    for(auto _ : state) {
        auto start = Clock::now();
        for(int y = 0; y < HEIGHT; y++)
            f.ReadLine(out.data() + (size_t)y * WIDTH, in.data() + (size_t)y * in_bytes, WIDTH, palette.data());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
        total += Seconds(start, Clock::now());
    }
    int line_bytes = WIDTH * (int)sizeof(RGBA);
    std::vector<byte> copy_from((size_t)line_bytes * HEIGHT, 1), copy_to(copy_from.size());
    Report(state, total, MemcpySeconds(copy_to, copy_from, line_bytes), copy_from.size());
}

// RGBA lines into the format; palette lines go through an inverse colour map.
void WriteLines(benchmark::State& state)
{
    PixelFormat f = Format((int)state.range(0));
    std::vector<byte> cells(32768);
    for(size_t i = 0; i < cells.size(); i++)
        cells[i] = (byte)(i * 31 >> 7);
    PaletteMap map{cells.data()};
    const PaletteMap* use_map = f.GetPaletteCount() ? &map : nullptr;
    std::vector<RGBA> source = SourcePixels();
    int out_bytes = f.GetByteCount(WIDTH);
    std::vector<byte> out((size_t)out_bytes * HEIGHT);

    double total = 0;
    for(auto _ : state) {
        auto start = Clock::now();
        for(int y = 0; y < HEIGHT; y++)
            f.WriteLine(out.data() + (size_t)y * out_bytes, source.data() + (size_t)y * WIDTH, WIDTH, use_map);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
        total += Seconds(start, Clock::now());
    }
    std::vector<byte> copy_from(out.size(), 1), copy_to(out.size());
    Report(state, total, MemcpySeconds(copy_to, copy_from, out_bytes), out.size());
}

} // namespace

BENCHMARK(ReadLines)->ArgName("code")->Arg(PixelFormat::RGB24)->Arg(PixelFormat::PAL8)
    ->Arg(PixelFormat::PAL1 | PixelFormat::HIGH_FIRST)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteLines)->ArgName("code")->Arg(PixelFormat::RGB24)->Arg(PixelFormat::PAL8)
    ->Arg(PixelFormat::PAL1 | PixelFormat::HIGH_FIRST)->Unit(benchmark::kMillisecond);
