// Box and kernel rescaling of a 2560 × 1600 RGBA image against stb_image_resize in the
// same run (single thread, premultiplied alpha), and made-image cache hits against misses.

#include "draw/image_cache/made_image.h"
#include "draw/rescale/kernel_rescale.h"
#include "draw/rescale/rescaler.h"

#include <benchmark/benchmark.h>

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb/stb_image_resize.h>

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
                b[y][x] = MakeRGBA((x * 7 + y) % 256 * a / 255, (x + y * 3) % 256 * a / 255, (x * y) % 256 * a / 255, a);
            }
        return Image(b);
    }();
    return img;
}

// Destination size for a scale given as numerator / denominator.
Size Scaled(int num, int den)
{
    return Size(SOURCE_CX * num / den, SOURCE_CY * num / den);
}

void Rate(benchmark::State& state, Size d)
{
    state.counters["MP/s"] =
        benchmark::Counter((double)d.cx * d.cy * state.iterations() / 1e6, benchmark::Counter::kIsRate);
}

void BoxRescale(benchmark::State& state)
{
    Size d = Scaled((int)state.range(0), (int)state.range(1));
    for(auto _ : state)
        benchmark::DoNotOptimize(RescaleImage(Source(), d));
    Rate(state, d);
}

void KernelRescale(benchmark::State& state)
{
    Size d = Scaled((int)state.range(0), (int)state.range(1));
    int filter = (int)state.range(2);
    // The kernel table (and the first timing counter's calibration) are built outside the timing.
    Image warm;
    RescaleFiltered(warm, Source(), Size(8, 8), Rect(Source().GetSize()), filter);
    for(auto _ : state) {
        Image out;
        RescaleFiltered(out, Source(), d, Rect(Source().GetSize()), filter);
        benchmark::DoNotOptimize(out);
    }
    Rate(state, d);
}

void StbRescale(benchmark::State& state)
{
    Size d = Scaled((int)state.range(0), (int)state.range(1));
    stbir_filter filter = (stbir_filter)state.range(2);
    std::vector<unsigned char> out((size_t)d.cx * d.cy * 4);
    for(auto _ : state) {
        stbir_resize_uint8_generic((const unsigned char*)Source().GetPixels(), SOURCE_CX, SOURCE_CY, 0, out.data(),
                                   d.cx, d.cy, 0, 4, 3, STBIR_FLAG_ALPHA_PREMULTIPLIED, STBIR_EDGE_CLAMP, filter,
                                   STBIR_COLORSPACE_LINEAR, nullptr);
        benchmark::DoNotOptimize(out.data());
    }
    Rate(state, d);
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
BENCHMARK(BoxRescale)->Args({1, 2})->Args({1, 4})->Args({1, 10})->Args({3, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(StbRescale)
    ->Args({1, 2, STBIR_FILTER_BOX})->Args({1, 4, STBIR_FILTER_BOX})->Args({1, 10, STBIR_FILTER_BOX})
    ->Args({3, 1, STBIR_FILTER_BOX})->Unit(benchmark::kMillisecond);
// Kernel: Lanczos 3 and Mitchell, down 2.5× and up 2×; the peer has Mitchell but no Lanczos.
BENCHMARK(KernelRescale)
    ->Args({2, 5, LANCZOS3})->Args({2, 1, LANCZOS3})->Args({2, 5, MITCHELL})->Args({2, 1, MITCHELL})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(StbRescale)->Args({2, 5, STBIR_FILTER_MITCHELL})->Args({2, 1, STBIR_FILTER_MITCHELL})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CacheMiss);
BENCHMARK(CacheHit);
