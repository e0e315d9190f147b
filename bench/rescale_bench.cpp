// Box and kernel rescaling of a 2560 × 1600 RGBA image against stb_image_resize in the
// same run (single thread, premultiplied alpha), and made-image cache hits against misses.
// Both sides run under the same conditions: one untimed run first, then each run makes a
// new destination buffer and turns it into an Image, as RescaleFiltered does.
// The box reduction by 10 reports each side's distance from the exact average of the
// 10 × 10 source pixels: our box rescaler averages four evenly spaced samples per axis
// beyond four taps, as its design asks, where stb averages all of them.

#include "draw/image_cache/made_image.h"
#include "draw/rescale/kernel_rescale.h"
#include "draw/rescale/rescaler.h"

#include <benchmark/benchmark.h>

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb/stb_image_resize.h>

#include <cmath>
#include <cstdlib>
#include <vector>

using namespace Qor;

namespace {

constexpr int SOURCE_CX = 2560, SOURCE_CY = 1600;

const Image& Source()
{
    static Image img = [] {
        PixelBuffer b(SOURCE_CX, SOURCE_CY);
        for(int y = 0; y < SOURCE_CY; y++)
            for(int x = 0; x < SOURCE_CX; x++) {
                int a = 128 + ((x ^ y) & 127);
                b[y][x] =
                    MakeRGBA((x * 7 + y) % 256 * a / 255, (x + y * 3) % 256 * a / 255, (x * y) % 256 * a / 255, a);
            }
        return Image(b);
    }();
    return img;
}

// Destination size for a scale given as numerator / denominator.
Size Scaled(int num, int den) { return Size(SOURCE_CX * num / den, SOURCE_CY * num / den); }

void Rate(benchmark::State& state, Size d)
{
    state.counters["MP/s"] =
        benchmark::Counter((double)d.cx * d.cy * state.iterations() / 1e6, benchmark::Counter::kIsRate);
}

// Mean and largest distance, in levels, of a 10× box reduction from the exact average.
void BoxAccuracy(benchmark::State& state, const Image& out)
{
    if(state.range(1) != 10 || state.range(0) != 1)
        return;
    Size d = out.GetSize();
    double total = 0;
    int largest = 0;
    for(int y = 0; y < d.cy; y++)
        for(int x = 0; x < d.cx; x++) {
            int sum[4] = {};
            for(int j = 0; j < 10; j++)
                for(int i = 0; i < 10; i++) {
                    RGBA p = Source()[y * 10 + j][x * 10 + i];
                    sum[0] += p.b, sum[1] += p.g, sum[2] += p.r, sum[3] += p.a;
                }
            RGBA o = out[y][x];
            int got[4] = { o.b, o.g, o.r, o.a };
            for(int c = 0; c < 4; c++) {
                int e = std::abs(got[c] - (sum[c] + 50) / 100);
                total += e;
                largest = std::max(largest, e);
            }
        }
    state.counters["mean_err"] = total / (4.0 * d.cx * d.cy);
    state.counters["max_err"] = largest;
}

void BoxRescale(benchmark::State& state)
{
    Size d = Scaled((int)state.range(0), (int)state.range(1));
    Image out = RescaleImage(Source(), d);
    for(auto _ : state) {
        out = RescaleImage(Source(), d);
        benchmark::DoNotOptimize(out);
    }
    Rate(state, d);
    BoxAccuracy(state, out);
}

void KernelRescale(benchmark::State& state)
{
    Size d = Scaled((int)state.range(0), (int)state.range(1));
    int filter = (int)state.range(2);
    // The kernel table (and the first timing counter's calibration) are built outside the timing.
    Image out;
    RescaleFiltered(out, Source(), d, Rect(Source().GetSize()), filter);
    for(auto _ : state) {
        RescaleFiltered(out, Source(), d, Rect(Source().GetSize()), filter);
        benchmark::DoNotOptimize(out);
    }
    Rate(state, d);
}

void StbRescale(benchmark::State& state)
{
    Size d = Scaled((int)state.range(0), (int)state.range(1));
    stbir_filter filter = (stbir_filter)state.range(2);
    auto Resize = [&] {
        PixelBuffer b(d.cx, d.cy);
        stbir_resize_uint8_generic((const unsigned char*)Source().GetPixels(), SOURCE_CX, SOURCE_CY, 0,
                                   (unsigned char*)b.Begin(), d.cx, d.cy, 0, 4, 3, STBIR_FLAG_ALPHA_PREMULTIPLIED,
                                   STBIR_EDGE_CLAMP, filter, STBIR_COLORSPACE_LINEAR, nullptr);
        return Image(b);
    };
    Image out = Resize();
    for(auto _ : state) {
        out = Resize();
        benchmark::DoNotOptimize(out);
    }
    Rate(state, d);
    if(filter == STBIR_FILTER_BOX)
        BoxAccuracy(state, out);
}

constexpr int LANCZOS3 = 7, MITCHELL = 4;

void CacheMiss(benchmark::State& state)
{
    Image img = CachedRescale(Source(), Size(64, 40), INT_MIN);
    for(auto _ : state) {
        ResetMadeImageCache();
        benchmark::DoNotOptimize(CachedRescale(img, Size(32, 20), INT_MIN));
    }
}

void CacheHit(benchmark::State& state)
{
    Image img = CachedRescale(Source(), Size(64, 40), INT_MIN);
    for(auto _ : state)
        benchmark::DoNotOptimize(CachedRescale(img, Size(32, 20), INT_MIN));
}

} // namespace

// Box: down 2×, 4×, 10×, up 3×.
BENCHMARK(BoxRescale)->Args({ 1, 2 })->Args({ 1, 4 })->Args({ 1, 10 })->Args({ 3, 1 })->Unit(benchmark::kMillisecond);
BENCHMARK(StbRescale)
    ->Args({ 1, 2, STBIR_FILTER_BOX })
    ->Args({ 1, 4, STBIR_FILTER_BOX })
    ->Args({ 1, 10, STBIR_FILTER_BOX })
    ->Args({ 3, 1, STBIR_FILTER_BOX })
    ->Unit(benchmark::kMillisecond);
// Kernel: Lanczos 3 and Mitchell, down 2.5× and up 2×. The peer has Mitchell but no Lanczos:
// Lanczos 3 (six taps per axis) is compared with its Mitchell (four).
BENCHMARK(KernelRescale)
    ->Args({ 2, 5, LANCZOS3 })
    ->Args({ 2, 1, LANCZOS3 })
    ->Args({ 2, 5, MITCHELL })
    ->Args({ 2, 1, MITCHELL })
    ->Unit(benchmark::kMillisecond);
BENCHMARK(StbRescale)
    ->Args({ 2, 5, STBIR_FILTER_MITCHELL })
    ->Args({ 2, 1, STBIR_FILTER_MITCHELL })
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CacheMiss);
BENCHMARK(CacheHit);
