// String against std::string: construct, copy, append, compare and hash of 8-, 14-, 30- and
// 200-byte texts; a search in 200 and 4,000 bytes; sorting 10^5 words. The std side runs
// on the C library's allocator in bench_string_peer (bench/compare.py).
#include "foundation/string.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>

using namespace Qor;

namespace {

const char kText[] =
    "The quick brown fox jumps over the lazy dog; pack my box with five dozen liquor jugs. "
    "Sphinx of black quartz, judge my vow. How vexingly quick daft zebras jump! Waltz, bad "
    "nymph, for quick jigs vex. Glib jocks quiz nymph to vex dwarf.....";
static_assert(sizeof(kText) > 200);

struct QorOps {
    using Type = String;
    static Type Make(const char* s, int n) { return String(s, n); }
    static void Append(Type& a, const char* s, int n) { a.Append(s, n); }
    static void AppendChar(Type& a, char c) { a.AppendChar(c); }
    static int Compare(const Type& a, const Type& b) { return String::Compare(a, b); }
    static bool Equal(const Type& a, const Type& b) { return a == b; }
    static uint32 Hash(const Type& a) { return a.GetHashValue(); }
    static int Find(const Type& a, const char* s) { return a.Find(s); }
};

struct StdOps {
    using Type = std::string;
    static Type Make(const char* s, int n) { return std::string(s, n); }
    static void Append(Type& a, const char* s, int n) { a.append(s, n); }
    static void AppendChar(Type& a, char c) { a.push_back(c); }
    static int Compare(const Type& a, const Type& b) { return a.compare(b); }
    static bool Equal(const Type& a, const Type& b) { return a == b; }
    static size_t Hash(const Type& a) { return std::hash<std::string>()(a); }
    static int Find(const Type& a, const char* s) { return int(a.find(s)); }
};

template <class Ops>
void Construct(benchmark::State& state)
{
    int n = (int)state.range(0);
    for(auto _ : state) {
        typename Ops::Type s = Ops::Make(kText, n);
        benchmark::DoNotOptimize(s);
    }
}

template <class Ops>
void Copy(benchmark::State& state)
{
    typename Ops::Type s = Ops::Make(kText, (int)state.range(0));
    for(auto _ : state) {
        benchmark::DoNotOptimize(s);
        typename Ops::Type c = s;
        benchmark::DoNotOptimize(c);
    }
}

// Builds the text from four pieces.
template <class Ops>
void Append(benchmark::State& state)
{
    int n = (int)state.range(0);
    int q = n / 4;
    for(auto _ : state) {
        typename Ops::Type s;
        Ops::Append(s, kText, q);
        Ops::Append(s, kText + q, q);
        Ops::Append(s, kText + 2 * q, q);
        Ops::Append(s, kText + 3 * q, n - 3 * q);
        benchmark::DoNotOptimize(s);
    }
}

template <class Ops>
void AppendChar(benchmark::State& state)
{
    int n = (int)state.range(0);
    for(auto _ : state) {
        typename Ops::Type s;
        for(int i = 0; i < n; i++)
            Ops::AppendChar(s, kText[i]);
        benchmark::DoNotOptimize(s);
    }
}

// Equal texts: the whole length is read.
template <class Ops>
void Compare(benchmark::State& state)
{
    int n = (int)state.range(0);
    typename Ops::Type a = Ops::Make(kText, n), b = Ops::Make(kText, n);
    for(auto _ : state) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
        benchmark::DoNotOptimize(Ops::Compare(a, b));
    }
}

template <class Ops>
void Equal(benchmark::State& state)
{
    int n = (int)state.range(0);
    typename Ops::Type a = Ops::Make(kText, n), b = Ops::Make(kText, n);
    for(auto _ : state) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
        benchmark::DoNotOptimize(Ops::Equal(a, b));
    }
}

template <class Ops>
void Hash(benchmark::State& state)
{
    typename Ops::Type s = Ops::Make(kText, (int)state.range(0));
    for(auto _ : state) {
        benchmark::DoNotOptimize(s);
        benchmark::DoNotOptimize(Ops::Hash(s));
    }
}

// The needle closes the text; its first letter and its first two letters occur before.
template <class Ops>
void Find(benchmark::State& state)
{
    int n = (int)state.range(0);
    std::string text;
    while((int)text.size() < n - 6)
        text.append(kText, std::min(sizeof(kText) - 1, size_t(n - 6) - text.size()));
    text += "zebrax";
    typename Ops::Type s = Ops::Make(text.data(), (int)text.size());
    for(auto _ : state) {
        benchmark::DoNotOptimize(s);
        benchmark::DoNotOptimize(Ops::Find(s, "zebrax"));
    }
}

// 10^5 words of 3 to 24 letters, about a third held in heap blocks.
template <class Ops>
void Sort(benchmark::State& state)
{
    std::vector<typename Ops::Type> words;
    std::mt19937 rng(3);
    char w[24];
    for(int i = 0; i < 100000; i++) {
        int n = 3 + int(rng() % 22);
        for(int k = 0; k < n; k++)
            w[k] = char('a' + rng() % 26);
        words.push_back(Ops::Make(w, n));
    }
    for(auto _ : state) {
        state.PauseTiming();
        std::vector<typename Ops::Type> v = words;
        state.ResumeTiming();
        std::sort(v.begin(), v.end());
        benchmark::DoNotOptimize(v.data());
    }
}

#define QOR_STRING_BENCH(name)                                                  \
    BENCHMARK(name<QorOps>)->Name(#name "/String")->Arg(8)->Arg(14)->Arg(30)->Arg(200); \
    BENCHMARK(name<StdOps>)->Name(#name "/std")->Arg(8)->Arg(14)->Arg(30)->Arg(200);

QOR_STRING_BENCH(Construct)
QOR_STRING_BENCH(Copy)
QOR_STRING_BENCH(Append)
QOR_STRING_BENCH(AppendChar)
QOR_STRING_BENCH(Compare)
QOR_STRING_BENCH(Equal)
QOR_STRING_BENCH(Hash)

BENCHMARK(Find<QorOps>)->Name("Find/String")->Arg(200)->Arg(4000);
BENCHMARK(Find<StdOps>)->Name("Find/std")->Arg(200)->Arg(4000);
BENCHMARK(Sort<QorOps>)->Name("Sort/String")->Unit(benchmark::kMillisecond);
BENCHMARK(Sort<StdOps>)->Name("Sort/std")->Unit(benchmark::kMillisecond);

} // namespace
