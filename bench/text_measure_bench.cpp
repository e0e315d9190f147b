// Measuring a 10,000-character mixed Latin text: GetTextSize against Pango on the
// FreeType font map, same text, same face, same pixel size, warm and cold; and, warm,
// against the plain way of measuring with FreeType: one hash map per font from code
// point to advance, filled on first use.

#include "draw/draw.h"
#include "draw/font/font_metrics.h"
#include "draw/text/text.h"
#include "foundation/charset.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <pango/pangoft2.h>

#include <unordered_map>

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

struct FreeTypeSide {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::unordered_map<uint32_t, int> advance; // 26.6 pixels

    FreeTypeSide(const char* path, int pixels)
    {
        if(FT_Init_FreeType(&library) || FT_New_Face(library, path, 0, &face) || FT_Set_Pixel_Sizes(face, 0, pixels))
            std::abort();
    }
    ~FreeTypeSide()
    {
        FT_Done_Face(face);
        FT_Done_FreeType(library);
    }
    int Advance(uint32_t ch)
    {
        auto q = advance.find(ch);
        if(q != advance.end())
            return q->second;
        int a = FT_Load_Char(face, ch, FT_LOAD_DEFAULT) ? 0 : (int)face->glyph->advance.x;
        advance.emplace(ch, a);
        return a;
    }
    // UTF-8 decoded on the way; the text is known to be well formed.
    int Measure(const String& text)
    {
        const unsigned char* s = (const unsigned char*)text.Begin();
        const unsigned char* e = s + text.GetLength();
        int cx = 0;
        while(s < e) {
            uint32_t ch = *s++;
            if(ch >= 0xC0) {
                int more = ch >= 0xF0 ? 3 : ch >= 0xE0 ? 2 : 1;
                ch &= 0x3F >> more;
                while(more-- && s < e)
                    ch = ch << 6 | (*s++ & 0x3F);
            }
            cx += Advance(ch);
        }
        return (cx + 32) >> 6;
    }
};

void BM_FreeTypeAdvanceWarm(benchmark::State& state)
{
    const String& text = MixedLatinText();
    FreeTypeSide ft(BenchFont(13).GetMetrics().path, 13);
    ft.Measure(text);
    for(auto _ : state)
        benchmark::DoNotOptimize(ft.Measure(text));
    state.counters["cx"] = ft.Measure(text);
    state.SetItemsProcessed(state.iterations() * CHARACTERS);
}
BENCHMARK(BM_FreeTypeAdvanceWarm);

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
