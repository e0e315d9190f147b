// Measuring a 10,000-character mixed Latin text: GetTextSize against Pango on the
// FreeType font map, same text, same face, same pixel size, warm and cold.

#include "draw/draw.h"
#include "draw/text/text.h"
#include "foundation/charset.h"

#include <benchmark/benchmark.h>
#include <pango/pangoft2.h>

namespace {

using namespace Qor;

constexpr int CHARACTERS = 10000;
// Sizes cycled through by the cold runs: more than any cache of either side keeps.
constexpr int COLD_SIZES = 600;

const String& MixedLatinText()
{
    static String text = [] {
        const char* phrase = "Příliš žluťoučký kůň úpěl ďábelské ódy; Größe, façade, naïve café, "
                             "smørrebrød, Łódź, Ærø! The quick brown fox jumps over the lazy dog. ";
        WString w;
        WString p = DecodeUtf8(phrase);
        while(w.GetLength() < CHARACTERS)
            w.Append(p.Begin(), std::min(p.GetLength(), CHARACTERS - w.GetLength()));
        return EncodeUtf8(w);
    }();
    return text;
}

Font BenchFont(int pixels) { return Font(FindFontFace("DejaVu Sans"), pixels); }

struct PangoSide {
    PangoFontMap* map = pango_ft2_font_map_new();
    PangoContext* context = pango_font_map_create_context(map);
    PangoLayout* layout = pango_layout_new(context);

    ~PangoSide()
    {
        g_object_unref(layout);
        g_object_unref(context);
        g_object_unref(map);
    }
    void SetPixels(int pixels)
    {
        PangoFontDescription* d = pango_font_description_from_string("DejaVu Sans");
        pango_font_description_set_absolute_size(d, pixels * PANGO_SCALE);
        pango_layout_set_font_description(layout, d);
        pango_font_description_free(d);
    }
    int Measure(const String& text)
    {
        pango_layout_set_text(layout, text.Begin(), text.GetLength());
        int cx = 0, cy = 0;
        pango_layout_get_pixel_size(layout, &cx, &cy);
        return cx;
    }
};

void BM_GetTextSizeWarm(benchmark::State& state)
{
    const String& text = MixedLatinText();
    Font f = BenchFont(13);
    GetTextSize(text, f);
    for(auto _ : state)
        benchmark::DoNotOptimize(GetTextSize(text, f));
    state.counters["cx"] = GetTextSize(text, f).cx;
    state.SetItemsProcessed(state.iterations() * CHARACTERS);
}
BENCHMARK(BM_GetTextSizeWarm);

void BM_PangoWarm(benchmark::State& state)
{
    const String& text = MixedLatinText();
    PangoSide pango;
    pango.SetPixels(13);
    pango.Measure(text);
    for(auto _ : state)
        benchmark::DoNotOptimize(pango.Measure(text));
    state.counters["cx"] = pango.Measure(text);
    state.SetItemsProcessed(state.iterations() * CHARACTERS);
}
BENCHMARK(BM_PangoWarm);

// Each run at a size not measured for hundreds of runs: every glyph and metric comes
// from the font library again.
void BM_GetTextSizeCold(benchmark::State& state)
{
    const String& text = MixedLatinText();
    int i = 0;
    for(auto _ : state)
        benchmark::DoNotOptimize(GetTextSize(text, BenchFont(10 + i++ % COLD_SIZES)));
    state.SetItemsProcessed(state.iterations() * CHARACTERS);
}
BENCHMARK(BM_GetTextSizeCold)->Iterations(COLD_SIZES);

void BM_PangoCold(benchmark::State& state)
{
    const String& text = MixedLatinText();
    PangoSide pango;
    int i = 0;
    for(auto _ : state) {
        pango.SetPixels(10 + i++ % COLD_SIZES);
        benchmark::DoNotOptimize(pango.Measure(text));
    }
    state.SetItemsProcessed(state.iterations() * CHARACTERS);
}
BENCHMARK(BM_PangoCold)->Iterations(COLD_SIZES);

} // namespace
