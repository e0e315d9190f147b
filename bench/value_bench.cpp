// Value against std::variant<int, double, std::string>: construction, copy, equality
// and hash over arrays of 1024 ints, doubles, short texts and 40-character texts.

#include "foundation/values/value.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <string>
#include <variant>
#include <vector>

using namespace Qor;

namespace {

using Variant = std::variant<int, double, std::string>;

constexpr int N = 1024;

enum Kind { INT, DOUBLE, SHORT_TEXT, LONG_TEXT };
const char* const kind_names[] = {"int", "double", "text8", "text40"};

std::string TextOf(int i, int kind)
{
    std::string s = "t" + std::to_string(i * 7919);
    if(kind == LONG_TEXT)
        s.resize(40, 'x');
    else
        s.resize(8, 'x');
    return s;
}

std::vector<Value> MakeValues(int kind)
{
    std::vector<Value> v;
    for(int i = 0; i < N; i++) {
        if(kind == INT)
            v.emplace_back(i);
        else if(kind == DOUBLE)
            v.emplace_back(i + 0.5);
        else
            v.emplace_back(String(TextOf(i, kind).c_str()));
    }
    return v;
}

std::vector<Variant> MakeVariants(int kind)
{
    std::vector<Variant> v;
    for(int i = 0; i < N; i++) {
        if(kind == INT)
            v.emplace_back(i);
        else if(kind == DOUBLE)
            v.emplace_back(i + 0.5);
        else
            v.emplace_back(TextOf(i, kind));
    }
    return v;
}

void ValueConstruct(benchmark::State& state)
{
    int kind = (int)state.range(0);
    std::vector<std::string> texts;
    for(int i = 0; i < N; i++)
        texts.push_back(TextOf(i, kind));
    alignas(Value) unsigned char space[sizeof(Value) * N];
    Value* out = (Value*)space;
    for(auto _ : state) {
        for(int i = 0; i < N; i++) {
            if(kind == INT)
                new(out + i) Value(i);
            else if(kind == DOUBLE)
                new(out + i) Value(i + 0.5);
            else
                new(out + i) Value(String(texts[i].data(), (int)texts[i].size()));
        }
        benchmark::DoNotOptimize(out);
        for(int i = 0; i < N; i++)
            out[i].~Value();
    }
    state.SetLabel(kind_names[kind]);
    state.SetItemsProcessed(state.iterations() * N);
}

void VariantConstruct(benchmark::State& state)
{
    int kind = (int)state.range(0);
    std::vector<std::string> texts;
    for(int i = 0; i < N; i++)
        texts.push_back(TextOf(i, kind));
    alignas(Variant) unsigned char space[sizeof(Variant) * N];
    Variant* out = (Variant*)space;
    for(auto _ : state) {
        for(int i = 0; i < N; i++) {
            if(kind == INT)
                new(out + i) Variant(i);
            else if(kind == DOUBLE)
                new(out + i) Variant(i + 0.5);
            else
                new(out + i) Variant(std::string(texts[i].data(), texts[i].size()));
        }
        benchmark::DoNotOptimize(out);
        for(int i = 0; i < N; i++)
            out[i].~Variant();
    }
    state.SetLabel(kind_names[kind]);
    state.SetItemsProcessed(state.iterations() * N);
}

template <class T, class Make>
void Copy(benchmark::State& state, Make make)
{
    int kind = (int)state.range(0);
    std::vector<T> src = make(kind);
    std::vector<T> dst = make(kind);
    for(auto _ : state) {
        for(int i = 0; i < N; i++)
            dst[i] = src[(i + 1) & (N - 1)];
        benchmark::DoNotOptimize(dst.data());
    }
    state.SetLabel(kind_names[kind]);
    state.SetItemsProcessed(state.iterations() * N);
}

void ValueCopy(benchmark::State& state) { Copy<Value>(state, MakeValues); }
void VariantCopy(benchmark::State& state) { Copy<Variant>(state, MakeVariants); }

// Half the pairs equal, half not.
template <class T, class Make>
void Equal(benchmark::State& state, Make make)
{
    int kind = (int)state.range(0);
    std::vector<T> a = make(kind);
    std::vector<T> b = make(kind);
    for(int i = 0; i < N; i += 2)
        b[i] = a[i + 1];
    for(auto _ : state) {
        int n = 0;
        for(int i = 0; i < N; i++)
            n += a[i] == b[i];
        benchmark::DoNotOptimize(n);
    }
    state.SetLabel(kind_names[kind]);
    state.SetItemsProcessed(state.iterations() * N);
}

void ValueEqual(benchmark::State& state) { Equal<Value>(state, MakeValues); }
void VariantEqual(benchmark::State& state) { Equal<Variant>(state, MakeVariants); }

void ValueHash(benchmark::State& state)
{
    int kind = (int)state.range(0);
    std::vector<Value> a = MakeValues(kind);
    for(auto _ : state) {
        uint32 h = 0;
        for(int i = 0; i < N; i++)
            h += a[i].GetHashValue();
        benchmark::DoNotOptimize(h);
    }
    state.SetLabel(kind_names[kind]);
    state.SetItemsProcessed(state.iterations() * N);
}

void VariantHash(benchmark::State& state)
{
    int kind = (int)state.range(0);
    std::vector<Variant> a = MakeVariants(kind);
    std::hash<Variant> hash;
    for(auto _ : state) {
        size_t h = 0;
        for(int i = 0; i < N; i++)
            h += hash(a[i]);
        benchmark::DoNotOptimize(h);
    }
    state.SetLabel(kind_names[kind]);
    state.SetItemsProcessed(state.iterations() * N);
}

} // namespace

BENCHMARK(ValueConstruct)->DenseRange(0, 3);
BENCHMARK(VariantConstruct)->DenseRange(0, 3);
BENCHMARK(ValueCopy)->DenseRange(0, 3);
BENCHMARK(VariantCopy)->DenseRange(0, 3);
BENCHMARK(ValueEqual)->DenseRange(0, 3);
BENCHMARK(VariantEqual)->DenseRange(0, 3);
BENCHMARK(ValueHash)->DenseRange(0, 3);
BENCHMARK(VariantHash)->DenseRange(0, 3);
