// The pixel routines of painting on a 1024 x 1024 block of mixed alphas, against memcpy of
// the same bytes (the floor).
#include "draw/image/rgba.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

using namespace Qor;

namespace {

constexpr int N = 1024 * 1024;

std::vector<RGBA> Source()
{
    std::vector<RGBA> v(N);
    for(int i = 0; i < N; i++) {
        int a = i % 7 == 0 ? 0 : i % 5 == 0 ? 128 + i % 100 : 255;
        v[i] = MakeRGBA(i & 255, (i >> 8) & 255, a, a);
    }
    return v;
}

template <class F>
void Run(benchmark::State& state, F f)
{
    std::vector<RGBA> src = Source(), dst(N);
    for(auto _ : state) {
        f(dst.data(), src.data());
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)N * 4);
}

void BM_Memcpy(benchmark::State& s) { Run(s, [](RGBA* d, const RGBA* p) { std::memcpy((void*)d, p, N * 4); }); }
void BM_Premultiply(benchmark::State& s) { Run(s, [](RGBA* d, const RGBA* p) { PremultiplyPixels(d, p, N); }); }
void BM_Unmultiply(benchmark::State& s) { Run(s, [](RGBA* d, const RGBA* p) { UnmultiplyPixels(d, p, N); }); }
void BM_AlphaBlend(benchmark::State& s) { Run(s, [](RGBA* d, const RGBA* p) { AlphaBlendPixels(d, p, N); }); }
void BM_Fill(benchmark::State& s) { Run(s, [](RGBA* d, const RGBA*) { FillPixels(d, MakeRGBA(1, 2, 3, 4), N); }); }

} // namespace

BENCHMARK(BM_Memcpy);
BENCHMARK(BM_Premultiply);
BENCHMARK(BM_Unmultiply);
BENCHMARK(BM_AlphaBlend);
BENCHMARK(BM_Fill);
