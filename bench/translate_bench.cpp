// Translate in its steady state (one cached lookup) against the C library's
// message catalogue lookup of a present message.

#include "foundation/values/translate.h"

#include <benchmark/benchmark.h>

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <libintl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace Qor;

namespace {

const char domain[] = "qorbench";

void Put32(std::string& out, uint32_t v)
{
    for(int i = 0; i < 4; i++)
        out += char(v >> (8 * i));
}

// A compiled catalogue of sorted (original, translation) pairs, without a hash table.
std::string MakeCatalogue(const std::vector<std::pair<std::string, std::string>>& pairs)
{
    uint32_t n = (uint32_t)pairs.size();
    uint32_t originals = 28, translations = originals + 8 * n;
    uint32_t data = translations + 8 * n;
    std::string head, tables_o, tables_t, strings;
    for(const auto& p : pairs) {
        Put32(tables_o, (uint32_t)p.first.size());
        Put32(tables_o, data + (uint32_t)strings.size());
        strings += p.first + '\0';
    }
    for(const auto& p : pairs) {
        Put32(tables_t, (uint32_t)p.second.size());
        Put32(tables_t, data + (uint32_t)strings.size());
        strings += p.second + '\0';
    }
    Put32(head, 0x950412de);
    Put32(head, 0);             // revision
    Put32(head, n);
    Put32(head, originals);
    Put32(head, translations);
    Put32(head, 0);             // no hash table
    Put32(head, data);
    return head + tables_o + tables_t + strings;
}

// Writes the catalogue under a temporary folder and selects it; false when
// the C library does not answer with the translation.
bool SetUpCatalogue()
{
    static int state = 0;
    if(state)
        return state > 0;
    state = -1;
    char root[] = "/tmp/qor_translate_bench_XXXXXX";
    if(!mkdtemp(root))
        return false;
    std::string dir = std::string(root) + "/de";
    mkdir(dir.c_str(), 0700);
    dir += "/LC_MESSAGES";
    mkdir(dir.c_str(), 0700);
    std::string mo = MakeCatalogue({
        {"", "Content-Type: text/plain; charset=UTF-8\n"},
        {"Cancel", "Abbrechen"},
        {"Close", "Schließen"},
        {"OK", "OK"},
    });
    std::string path = dir + "/" + domain + ".mo";
    FILE* f = std::fopen(path.c_str(), "wb");
    if(!f)
        return false;
    std::fwrite(mo.data(), 1, mo.size(), f);
    std::fclose(f);
    setenv("LANGUAGE", "de", 1);
    std::setlocale(LC_ALL, "C.UTF-8");
    bindtextdomain(domain, root);
    bind_textdomain_codeset(domain, "UTF-8");
    if(std::strcmp(dgettext(domain, "Cancel"), "Abbrechen") != 0)
        return false;
    state = 1;
    return true;
}

void BM_Translate(benchmark::State& state)
{
    SetLanguage(MakeLanguageCode('D', 'E', 'D', 'E', 255));
    const char* id = "Cancel";
    if(std::strcmp(Translate(id), "Abbrechen") != 0) {
        state.SkipWithError("no translation");
        return;
    }
    for(auto _ : state)
        benchmark::DoNotOptimize(Translate(id));
}
BENCHMARK(BM_Translate);

void BM_Gettext(benchmark::State& state)
{
    if(!SetUpCatalogue()) {
        state.SkipWithError("catalogue not found by the C library");
        return;
    }
    const char* id = "Cancel";
    for(auto _ : state)
        benchmark::DoNotOptimize(dgettext(domain, id));
}
BENCHMARK(BM_Gettext);

// The uncached forms, for scale.
void BM_TranslateByText(benchmark::State& state)
{
    SetLanguage(MakeLanguageCode('D', 'E', 'D', 'E', 255));
    for(auto _ : state)
        benchmark::DoNotOptimize(TranslateByText("Cancel"));
}
BENCHMARK(BM_TranslateByText);

void BM_TranslateTo(benchmark::State& state)
{
    LanguageCode german = MakeLanguageCode('D', 'E', 'D', 'E', 255);
    for(auto _ : state)
        benchmark::DoNotOptimize(TranslateTo(german, "Cancel"));
}
BENCHMARK(BM_TranslateTo);

} // namespace
