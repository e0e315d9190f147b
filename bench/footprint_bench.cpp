// Memory footprint: 516 MB asked in small blocks, medium blocks and buffers that grow by
// doubling, all written, then everything released in a shuffled order. Reports the peak
// resident size and what stays resident after the release; run each side in a process
// of its own (bench/compare.py does), since the peak is the process's.
#include "foundation/heap.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr size_t kMB = size_t(1) << 20;
constexpr size_t kShare = 172 * kMB;     // each of the three kinds
constexpr int kBuffers = 43;             // 43 x 4 MB = 172 MB
constexpr int kSteps = 11;               // 4 KB doubled 10 times is 4 MB

struct Plan {
    std::vector<size_t> small, medium;
    Plan()
    {
        std::mt19937 rng(7);
        std::uniform_int_distribution<size_t> s(16, 576), m(600, 65000);
        for(size_t sum = 0; sum < kShare; sum += small.back())
            small.push_back(s(rng));
        for(size_t sum = 0; sum < kShare; sum += medium.back())
            medium.push_back(m(rng));
    }
};

double ResidentMB()
{
    long pages = 0, resident = 0;
    if(FILE* f = std::fopen("/proc/self/statm", "r")) {
        if(std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / double(kMB);
}

double PeakMB()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0;
}

template <class Heap>
void* Written(size_t n)
{
    void* p = Heap::Allocate(n);
    std::memset(p, 1, n);
    return p;
}

template <class Heap>
void GrowThenFree(benchmark::State& state)
{
    static const Plan plan;
    std::vector<void*> blocks;
    blocks.reserve(plan.small.size() + plan.medium.size() + kBuffers);
    for(auto _ : state) {
        blocks.clear();
        void* buffer[kBuffers] = {};
        size_t next_small = 0, next_medium = 0;
        for(int step = 0; step < kSteps; step++) {
            for(size_t end = plan.small.size() * (step + 1) / kSteps; next_small < end; next_small++)
                blocks.push_back(Written<Heap>(plan.small[next_small]));
            for(size_t end = plan.medium.size() * (step + 1) / kSteps; next_medium < end; next_medium++)
                blocks.push_back(Written<Heap>(plan.medium[next_medium]));
            size_t size = size_t(4096) << step;
            for(void*& b : buffer) {
                void* grown = Heap::Allocate(size);
                if(b)
                    std::memcpy(grown, b, size / 2);
                std::memset(static_cast<char*>(grown) + (b ? size / 2 : 0), 2, b ? size / 2 : size);
                Heap::Release(b);
                b = grown;
            }
        }
        blocks.insert(blocks.end(), buffer, buffer + kBuffers);
        std::shuffle(blocks.begin(), blocks.end(), std::mt19937(9));
        for(void* b : blocks)
            Heap::Release(b);
    }
    state.counters["peak_MB"] = PeakMB();
    state.counters["after_free_MB"] = ResidentMB();
}

struct QorHeap {
    static void* Allocate(size_t n) { return Qor::HeapAllocate(n); }
    static void Release(void* p) { Qor::HeapRelease(p); }
};

struct LibC {
    static void* Allocate(size_t n) { return std::malloc(n); }
    static void Release(void* p) { std::free(p); }
};

BENCHMARK(GrowThenFree<QorHeap>)->Name("GrowThenFree/Qor")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(GrowThenFree<LibC>)->Name("GrowThenFree/malloc")->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
