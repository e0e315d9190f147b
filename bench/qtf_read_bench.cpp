// Reading a 100-paragraph Qtf document with styles, bold and italic runs and one table,
// against Pango parsing the same text as its markup (which has no tables: the cells
// become lines of their own).
#include "richtext/qtf/qtf_reader.h"

#include <benchmark/benchmark.h>
#include <pango/pango.h>

#include <string>

namespace {

const char* const words = "The quick brown fox jumps over the lazy dog while ";

std::string QtfDocument()
{
    std::string q = "[*+150 $$1,0#11111111111111111111111111111111:Heading]"
                    "[l200 $$2,2#22222222222222222222222222222222:Body]";
    for(int i = 0; i < 100; i++) {
        if(i == 50) {
            q += "{{1:1:1 ";
            for(int c = 0; c < 9; c++)
                q += std::string(c ? "||" : "") + "cell " + std::to_string(c);
            q += "}}&";
        }
        q += i % 10 == 0 ? "[s1 Heading " + std::to_string(i) + "&]"
                         : "[s2 " + std::string(words) + "[* bold words] and [/ italic words] " + words + "&]";
    }
    return q;
}

std::string PangoMarkup()
{
    std::string m;
    for(int i = 0; i < 100; i++) {
        if(i == 50)
            for(int c = 0; c < 9; c++)
                m += "cell " + std::to_string(c) + "\n";
        m += i % 10 == 0 ? "<span weight=\"bold\" size=\"large\">Heading " + std::to_string(i) + "</span>\n"
                         : std::string(words) + "<b>bold words</b> and <i>italic words</i> " + words + "\n";
    }
    return m;
}

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
