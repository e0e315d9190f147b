// String against std::string: construct, copy, append, compare and hash of 8-, 14-, 30- and
// 200-byte texts.
#include "foundation/string.h"

#include <benchmark/benchmark.h>

#include <functional>
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
};

struct StdOps {
    using Type = std::string;
    static Type Make(const char* s, int n) { return std::string(s, n); }
    static void Append(Type& a, const char* s, int n) { a.append(s, n); }
    static void AppendChar(Type& a, char c) { a.push_back(c); }
    static int Compare(const Type& a, const Type& b) { return a.compare(b); }
    static bool Equal(const Type& a, const Type& b) { return a == b; }
    static size_t Hash(const Type& a) { return std::hash<std::string>()(a); }
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

} // namespace
