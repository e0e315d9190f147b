// Heap churn against the C library's malloc: batches of 1,000 blocks of random
// sizes, released in a mixed order. The malloc side runs in bench_heap_peer, under
// other allocators too through LD_PRELOAD (bench/compare.py).
#include "foundation/heap.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

constexpr int kBatch = 1000;

struct Churn {
    std::vector<size_t> sizes;
    std::vector<int> order;
    // Spread evenly over [lo, hi], or over its logarithm so that every size range counts.
    Churn(size_t lo, size_t hi, bool logarithmic = false)
    {
        std::mt19937 rng(12345);
        std::uniform_int_distribution<size_t> size(lo, hi);
        std::uniform_real_distribution<double> power(std::log(double(lo)), std::log(double(hi) + 1));
        for (int i = 0; i < kBatch; i++) {
            sizes.push_back(logarithmic ? std::min(hi, size_t(std::exp(power(rng)))) : size(rng));
            order.push_back(i);
        }
        std::shuffle(order.begin(), order.end(), rng);
    }
};

struct QorHeap {
    static void* Allocate(size_t n) { return Qor::HeapAllocate(n); }
    static void Release(void* p) { Qor::HeapRelease(p); }
};

struct LibC {
    static void* Allocate(size_t n) { return ::malloc(n); }
    static void Release(void* p) { ::free(p); }
};

template <class Heap>
void RunChurn(benchmark::State& state, const Churn& churn)
{
    void* blocks[kBatch];
    for (auto _ : state) {
        for (int i = 0; i < kBatch; i++) {
            blocks[i] = Heap::Allocate(churn.sizes[i]);
            *static_cast<char*>(blocks[i]) = char(i);
        }
        benchmark::DoNotOptimize(blocks);
        for (int i : churn.order)
            Heap::Release(blocks[i]);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kBatch);
}

const Churn& SmallChurn()
{
    static Churn churn(16, 576);
    return churn;
}

const Churn& MediumChurn()
{
    static Churn churn(600, 60000);
    return churn;
}

// Up to a full 64 KiB block, which is just past the largest medium block.
const Churn& MixedChurn()
{
    static Churn churn(16, 65536, true);
    return churn;
}

void BM_SmallChurn_Qor(benchmark::State& state) { RunChurn<QorHeap>(state, SmallChurn()); }
void BM_SmallChurn_Malloc(benchmark::State& state) { RunChurn<LibC>(state, SmallChurn()); }
void BM_MediumChurn_Qor(benchmark::State& state) { RunChurn<QorHeap>(state, MediumChurn()); }
void BM_MediumChurn_Malloc(benchmark::State& state) { RunChurn<LibC>(state, MediumChurn()); }

void BM_MixedChurn_Qor(benchmark::State& state) { RunChurn<QorHeap>(state, MixedChurn()); }
void BM_MixedChurn_Malloc(benchmark::State& state) { RunChurn<LibC>(state, MixedChurn()); }

BENCHMARK(BM_SmallChurn_Qor);
BENCHMARK(BM_SmallChurn_Malloc);
BENCHMARK(BM_MediumChurn_Qor);
BENCHMARK(BM_MediumChurn_Malloc);
BENCHMARK(BM_MixedChurn_Qor);
BENCHMARK(BM_MixedChurn_Malloc);

} // namespace
