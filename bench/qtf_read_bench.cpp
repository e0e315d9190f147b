// Reading a 100-paragraph Qtf document with styles, bold and italic runs and one table,
// against Pango parsing the same text as its markup (which has no tables: the cells
// become lines of their own).
#include "bench/rich_sample_document.h"
#include "richtext/qtf/qtf_reader.h"

#include <benchmark/benchmark.h>
#include <pango/pango.h>

#include <string>

namespace {

using bench_rich::PangoMarkup;
using bench_rich::QtfDocument;

void QtfRead(benchmark::State& state)
{
    std::string q = QtfDocument();
    for(auto _ : state) {
        Qor::RichText doc = Qor::ReadQtfDocument(q.c_str());
        benchmark::DoNotOptimize(doc.GetPartCount());
    }
}
BENCHMARK(QtfRead);

void PangoParseMarkup(benchmark::State& state)
{
    std::string m = PangoMarkup();
    for(auto _ : state) {
        PangoAttrList* attrs = nullptr;
        char* text = nullptr;
        if(!pango_parse_markup(m.c_str(), -1, 0, &attrs, &text, nullptr, nullptr))
            state.SkipWithError("markup not parsed");
        benchmark::DoNotOptimize(text);
        pango_attr_list_unref(attrs);
        g_free(text);
    }
}
BENCHMARK(PangoParseMarkup);

} // namespace
