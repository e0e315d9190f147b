// Numbers to text against snprintf and std::to_chars: int, int64, hex, the standard double
// text and two decimals. Ours return a String; the others write into a stack buffer, so
// the String costs are counted only on our side (and shown apart in *SnprintfString).
#include "foundation/values/number_text.h"

#include "foundation/numeric.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <vector>

using namespace Qor;

namespace {

constexpr int kCount = 1024;

// Mixed magnitudes and signs, as numbers come in practice.
template <class T>
std::vector<T> Integers()
{
    std::vector<T> v;
    uint64 s = 0x9E3779B97F4A7C15ULL;
    for(int i = 0; i < kCount; i++) {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        int bits = 1 + int(s % (sizeof(T) * 8 - 1));
        T x = T(s >> (64 - bits));
        v.push_back(i & 1 ? T(-x) : x);
    }
    return v;
}

std::vector<double> Doubles()
{
    std::vector<double> v;
    uint64 s = 0x2545F4914F6CDD1DULL;
    for(int i = 0; i < kCount; i++) {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        double m = double(s >> 11) / double(1ULL << 53);
        v.push_back((m * 2000 - 1000) * PowerOfTen(int(s % 13) - 6));
    }
    return v;
}

template <class T, class F>
void Run(benchmark::State& state, const std::vector<T>& values, F f)
{
    size_t i = 0;
    for(auto _ : state) {
        f(values[i]);
        i = (i + 1) & (kCount - 1);
    }
    state.SetItemsProcessed(state.iterations());
}

void Int_Qor(benchmark::State& st)
{
    auto v = Integers<int>();
    Run(st, v, [](int x) { String s = IntToText(x); benchmark::DoNotOptimize(s); });
}
void Int_Snprintf(benchmark::State& st)
{
    auto v = Integers<int>();
    Run(st, v, [](int x) { char b[16]; benchmark::DoNotOptimize(std::snprintf(b, sizeof(b), "%d", x)); benchmark::DoNotOptimize(b); });
}
void Int_SnprintfString(benchmark::State& st)
{
    auto v = Integers<int>();
    Run(st, v, [](int x) { char b[16]; int n = std::snprintf(b, sizeof(b), "%d", x); String s(b, n); benchmark::DoNotOptimize(s); });
}
void Int_ToChars(benchmark::State& st)
{
    auto v = Integers<int>();
    Run(st, v, [](int x) { char b[16]; auto r = std::to_chars(b, b + sizeof(b), x); benchmark::DoNotOptimize(r); benchmark::DoNotOptimize(b); });
}

void Int64_Qor(benchmark::State& st)
{
    auto v = Integers<int64>();
    Run(st, v, [](int64 x) { String s = Int64ToText(x); benchmark::DoNotOptimize(s); });
}
void Int64_Snprintf(benchmark::State& st)
{
    auto v = Integers<int64>();
    Run(st, v, [](int64 x) { char b[24]; benchmark::DoNotOptimize(std::snprintf(b, sizeof(b), "%lld", (long long)x)); benchmark::DoNotOptimize(b); });
}
void Int64_ToChars(benchmark::State& st)
{
    auto v = Integers<int64>();
    Run(st, v, [](int64 x) { char b[24]; auto r = std::to_chars(b, b + sizeof(b), x); benchmark::DoNotOptimize(r); benchmark::DoNotOptimize(b); });
}

void Hex_Qor(benchmark::State& st)
{
    auto v = Integers<int>();
    Run(st, v, [](int x) { String s = IntToHexText(x, 8, '0'); benchmark::DoNotOptimize(s); });
}
void Hex_Snprintf(benchmark::State& st)
{
    auto v = Integers<int>();
    Run(st, v, [](int x) { char b[16]; benchmark::DoNotOptimize(std::snprintf(b, sizeof(b), "%08x", (unsigned)x)); benchmark::DoNotOptimize(b); });
}

void Double_Qor(benchmark::State& st)
{
    auto v = Doubles();
    Run(st, v, [](double x) { String s = DoubleToText(x); benchmark::DoNotOptimize(s); });
}
void Double_Snprintf(benchmark::State& st)
{
    auto v = Doubles();
    Run(st, v, [](double x) { char b[32]; benchmark::DoNotOptimize(std::snprintf(b, sizeof(b), "%.15g", x)); benchmark::DoNotOptimize(b); });
}
void Double_ToChars15(benchmark::State& st)
{
    auto v = Doubles();
    Run(st, v, [](double x) { char b[32]; auto r = std::to_chars(b, b + sizeof(b), x, std::chars_format::general, 15); benchmark::DoNotOptimize(r); benchmark::DoNotOptimize(b); });
}
void Double_ToCharsShortest(benchmark::State& st)
{
    auto v = Doubles();
    Run(st, v, [](double x) { char b[32]; auto r = std::to_chars(b, b + sizeof(b), x); benchmark::DoNotOptimize(r); benchmark::DoNotOptimize(b); });
}

void Fixed2_Qor(benchmark::State& st)
{
    auto v = Doubles();
    Run(st, v, [](double x) { String s = DoubleToFixedText(2, DTF_KEEP_ZEROS, x); benchmark::DoNotOptimize(s); });
}
void Fixed2_Snprintf(benchmark::State& st)
{
    auto v = Doubles();
    Run(st, v, [](double x) { char b[64]; benchmark::DoNotOptimize(std::snprintf(b, sizeof(b), "%.2f", x)); benchmark::DoNotOptimize(b); });
}
void Fixed2_ToChars(benchmark::State& st)
{
    auto v = Doubles();
    Run(st, v, [](double x) { char b[64]; auto r = std::to_chars(b, b + sizeof(b), x, std::chars_format::fixed, 2); benchmark::DoNotOptimize(r); benchmark::DoNotOptimize(b); });
}

} // namespace

BENCHMARK(Int_Qor);
BENCHMARK(Int_Snprintf);
BENCHMARK(Int_SnprintfString);
BENCHMARK(Int_ToChars);
BENCHMARK(Int64_Qor);
BENCHMARK(Int64_Snprintf);
BENCHMARK(Int64_ToChars);
BENCHMARK(Hex_Qor);
BENCHMARK(Hex_Snprintf);
BENCHMARK(Double_Qor);
BENCHMARK(Double_Snprintf);
BENCHMARK(Double_ToChars15);
BENCHMARK(Double_ToCharsShortest);
BENCHMARK(Fixed2_Qor);
BENCHMARK(Fixed2_Snprintf);
BENCHMARK(Fixed2_ToChars);
