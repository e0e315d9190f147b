// Heap churn against the C library's malloc: batches of 1,000 blocks of random
// sizes, released in a mixed order.
#include "foundation/heap.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

constexpr int kBatch = 1000;

struct Churn {
    std::vector<size_t> sizes;
    std::vector<int> order;
    Churn(size_t lo, size_t hi)
    {
        std::mt19937 rng(12345);
        std::uniform_int_distribution<size_t> size(lo, hi);
        for (int i = 0; i < kBatch; i++) {
            sizes.push_back(size(rng));
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

void BM_SmallChurn_Qor(benchmark::State& state) { RunChurn<QorHeap>(state, SmallChurn()); }
void BM_SmallChurn_Malloc(benchmark::State& state) { RunChurn<LibC>(state, SmallChurn()); }
void BM_MediumChurn_Qor(benchmark::State& state) { RunChurn<QorHeap>(state, MediumChurn()); }
void BM_MediumChurn_Malloc(benchmark::State& state) { RunChurn<LibC>(state, MediumChurn()); }

BENCHMARK(BM_SmallChurn_Qor);
BENCHMARK(BM_SmallChurn_Malloc);
BENCHMARK(BM_MediumChurn_Qor);
BENCHMARK(BM_MediumChurn_Malloc);

} // namespace
