// A full search per match type against bare bzip2 decompression of the same block.
#include "app/word_list.h"
#include "app/word_match.h"

#include "foundation/compression.h"
#include "foundation/mem_stream.h"

#include <benchmark/benchmark.h>
#include <bzlib.h>

#include <vector>

using namespace Qor;

static void BM_DecompressOnlyLibbz2(benchmark::State& state)
{
    const WordListResource& list = CompiledWordList();
    std::vector<char> out(1 << 20);
    for(auto _ : state) {
        unsigned size = out.size();
        int rc = BZ2_bzBuffToBuffDecompress(out.data(), &size, (char*)list.blocks[0],
                                            list.lengths[0], 0, 0);
        benchmark::DoNotOptimize(rc);
        benchmark::DoNotOptimize(size);
    }
}
BENCHMARK(BM_DecompressOnlyLibbz2)->Unit(benchmark::kMillisecond);

static void BM_Search(benchmark::State& state, int type, const char* criterion_text)
{
    const WordListResource& list = CompiledWordList();
    for(auto _ : state) {
        String criterion = MatchCriterion(criterion_text);
        int hits = 0;
        for(const WordEntry& e : ReadWordList(list))
            hits += IsMatch(type, MatchKey(e.term, type), criterion);
        benchmark::DoNotOptimize(hits);
    }
}
BENCHMARK_CAPTURE(BM_Search, Contains, MATCH_CONTAINS, "rob")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, StartsWith, MATCH_STARTS_WITH, "rob")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, Exact, MATCH_EXACT, "robert")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, Soundex, MATCH_SOUNDEX, "rupert")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, ListAll, MATCH_CONTAINS, "*")->Unit(benchmark::kMillisecond);

static void BM_DecompressBzip2(benchmark::State& state)
{
    const WordListResource& list = CompiledWordList();
    for(auto _ : state) {
        MemReadStream in(list.blocks[0], list.lengths[0]);
        benchmark::DoNotOptimize(DecompressBzip2(in));
    }
}
BENCHMARK(BM_DecompressBzip2)->Unit(benchmark::kMillisecond);
