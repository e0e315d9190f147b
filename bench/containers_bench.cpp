// KeyIndex and HashIndex against std::unordered_map: adding and finding 10^6 ints
// and 10^6 texts (a mix of inline and heap-held lengths), looked up in random order,
// and building small indexes of 10^4 texts. The std side runs on the C library's
// allocator in bench_containers_peer (bench/compare.py).
#include "foundation/key_index.h"
#include "foundation/string.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

using namespace Qor;

namespace {

constexpr int kCount = 1000000;

const std::vector<int>& IntKeys()
{
    static std::vector<int> keys = [] {
        std::vector<int> k(kCount);
        std::mt19937 rng(1);
        for(int& x : k)
            x = (int)rng();
        return k;
    }();
    return keys;
}

// Every third text is long enough to live in a heap block.
const std::vector<std::string>& TextKeys()
{
    static std::vector<std::string> keys = [] {
        std::vector<std::string> k;
        k.reserve(kCount);
        for(int i = 0; i < kCount; i++)
            k.push_back((i % 3 ? "word" : "a rather longer entry number ") + std::to_string((int64)i * 7919 % kCount));
        return k;
    }();
    return keys;
}

const std::vector<String>& QorTextKeys()
{
    static std::vector<String> keys = [] {
        std::vector<String> k;
        k.reserve(kCount);
        for(const std::string& s : TextKeys())
            k.push_back(String(s.data(), (int)s.size()));
        return k;
    }();
    return keys;
}

// The lookup order: every key once, shuffled.
const std::vector<int>& Order()
{
    static std::vector<int> order = [] {
        std::vector<int> o(kCount);
        for(int i = 0; i < kCount; i++)
            o[i] = i;
        std::shuffle(o.begin(), o.end(), std::mt19937(2));
        return o;
    }();
    return order;
}

// FindAdd, like emplace, looks each key up before adding it.
template <class K>
KeyIndex<K> BuildIndex(const std::vector<K>& keys)
{
    KeyIndex<K> x;
    for(const K& k : keys)
        x.FindAdd(k);
    return x;
}

template <class K>
std::unordered_map<K, int> BuildMap(const std::vector<K>& keys)
{
    std::unordered_map<K, int> m;
    int i = 0;
    for(const K& k : keys)
        m.emplace(k, i++);
    return m;
}

void KeyIndexAddInt(benchmark::State& state)
{
    for(auto _ : state) {
        KeyIndex<int> x = BuildIndex(IntKeys());
        benchmark::DoNotOptimize(x.GetCount());
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}

void StdMapAddInt(benchmark::State& state)
{
    for(auto _ : state) {
        auto m = BuildMap(IntKeys());
        benchmark::DoNotOptimize(m.size());
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}

void HashIndexAdd(benchmark::State& state)
{
    for(auto _ : state) {
        HashIndex x;
        for(int k : IntKeys())
            x.Add((uint32)k);
        benchmark::DoNotOptimize(x.GetCount());
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}

void KeyIndexFindInt(benchmark::State& state)
{
    static KeyIndex<int> x = BuildIndex(IntKeys());
    const std::vector<int>& keys = IntKeys();
    for(auto _ : state)
        for(int i : Order())
            benchmark::DoNotOptimize(x.Find(keys[i]));
    state.SetItemsProcessed(state.iterations() * kCount);
}

void StdMapFindInt(benchmark::State& state)
{
    static auto m = BuildMap(IntKeys());
    const std::vector<int>& keys = IntKeys();
    for(auto _ : state)
        for(int i : Order())
            benchmark::DoNotOptimize(m.find(keys[i]));
    state.SetItemsProcessed(state.iterations() * kCount);
}

void KeyIndexAddString(benchmark::State& state)
{
    for(auto _ : state) {
        KeyIndex<String> x = BuildIndex(QorTextKeys());
        benchmark::DoNotOptimize(x.GetCount());
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}

void StdMapAddString(benchmark::State& state)
{
    for(auto _ : state) {
        auto m = BuildMap(TextKeys());
        benchmark::DoNotOptimize(m.size());
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}

// Small indexes are built often: the first 10^4 texts, a fresh index each time.
void KeyIndexAddFewStrings(benchmark::State& state)
{
    static const std::vector<String> keys(QorTextKeys().begin(), QorTextKeys().begin() + 10000);
    for(auto _ : state) {
        KeyIndex<String> x = BuildIndex(keys);
        benchmark::DoNotOptimize(x.GetCount());
    }
    state.SetItemsProcessed(state.iterations() * keys.size());
}

void StdMapAddFewStrings(benchmark::State& state)
{
    static const std::vector<std::string> keys(TextKeys().begin(), TextKeys().begin() + 10000);
    for(auto _ : state) {
        auto m = BuildMap(keys);
        benchmark::DoNotOptimize(m.size());
    }
    state.SetItemsProcessed(state.iterations() * keys.size());
}

void KeyIndexFindString(benchmark::State& state)
{
    static KeyIndex<String> x = BuildIndex(QorTextKeys());
    const std::vector<String>& keys = QorTextKeys();
    for(auto _ : state)
        for(int i : Order())
            benchmark::DoNotOptimize(x.Find(keys[i]));
    state.SetItemsProcessed(state.iterations() * kCount);
}

void StdMapFindString(benchmark::State& state)
{
    static auto m = BuildMap(TextKeys());
    const std::vector<std::string>& keys = TextKeys();
    for(auto _ : state)
        for(int i : Order())
            benchmark::DoNotOptimize(m.find(keys[i]));
    state.SetItemsProcessed(state.iterations() * kCount);
}

} // namespace

BENCHMARK(KeyIndexAddInt)->Unit(benchmark::kMillisecond);
BENCHMARK(StdMapAddInt)->Unit(benchmark::kMillisecond);
BENCHMARK(HashIndexAdd)->Unit(benchmark::kMillisecond);
BENCHMARK(KeyIndexFindInt)->Unit(benchmark::kMillisecond);
BENCHMARK(StdMapFindInt)->Unit(benchmark::kMillisecond);
BENCHMARK(KeyIndexAddString)->Unit(benchmark::kMillisecond);
BENCHMARK(StdMapAddString)->Unit(benchmark::kMillisecond);
BENCHMARK(KeyIndexAddFewStrings);
BENCHMARK(StdMapAddFewStrings);
BENCHMARK(KeyIndexFindString)->Unit(benchmark::kMillisecond);
BENCHMARK(StdMapFindString)->Unit(benchmark::kMillisecond);
