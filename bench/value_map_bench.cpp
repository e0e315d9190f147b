// ValueMap lookup against std::unordered_map<std::string, int>: 10^4 text keys, short
// (kept inside the 16 bytes) and long (heap texts), each looked up once per iteration
// in a shuffled order. The keys to look for are built beforehand in both forms.

#include "foundation/values/value_map.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

using namespace Qor;

namespace {

constexpr int N = 10000;

std::string KeyText(int i, bool long_keys)
{
    std::string s = "key" + std::to_string(i * 7919 % 100003);
    if(long_keys)
        s += "_with_a_longer_tail";
    return s;
}

struct Keys {
    std::vector<std::string> texts;  // insertion order
    std::vector<int> order;          // lookup order
    std::vector<std::string> probes; // texts in lookup order
    std::vector<Value> value_probes; // the same as Values

    explicit Keys(bool long_keys)
    {
        for(int i = 0; i < N; i++)
            texts.push_back(KeyText(i, long_keys));
        for(int i = 0; i < N; i++)
            order.push_back(i);
        std::shuffle(order.begin(), order.end(), std::mt19937(12345));
        for(int i : order) {
            probes.push_back(texts[i]);
            value_probes.emplace_back(String(texts[i].data(), (int)texts[i].size()));
        }
    }
};

void BM_ValueMapLookup(benchmark::State& state)
{
    Keys keys(state.range(0) != 0);
    ValueMap m;
    for(int i = 0; i < N; i++)
        m.Add(Value(String(keys.texts[i].data(), (int)keys.texts[i].size())), i);
    for(auto _ : state) {
        int64 sum = 0;
        for(const Value& k : keys.value_probes)
            sum += m.Get(k).ToInt();
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * N);
}

void BM_StdUnorderedMapLookup(benchmark::State& state)
{
    Keys keys(state.range(0) != 0);
    std::unordered_map<std::string, int> m;
    for(int i = 0; i < N; i++)
        m.emplace(keys.texts[i], i);
    for(auto _ : state) {
        int64 sum = 0;
        for(const std::string& k : keys.probes)
            sum += m.find(k)->second;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * N);
}

} // namespace

// Argument: 0 for short keys (up to 14 characters), 1 for long keys.
BENCHMARK(BM_ValueMapLookup)->Arg(0)->Arg(1);
BENCHMARK(BM_StdUnorderedMapLookup)->Arg(0)->Arg(1);
