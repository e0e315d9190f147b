// Laying out and painting a 100-paragraph Qtf document with styles, bold and italic runs
// and one table, at page widths of 600 and 6000 dots: the first layout of a fresh copy, a
// second layout of the unchanged document (from the paragraphs' layout caches), painting
// into NilDraw and into a rasterising Draw; against Pango laying out the same text as its
// markup at the same width in pixels of the same size.
#include "bench/rich_sample_document.h"
#include "draw/target/nil_draw.h"
#include "richtext/paint/page_draw.h"
#include "richtext/paint/paint_info.h"
#include "richtext/qtf/qtf_reader.h"
#include "tests/draw/support/raster_draw.h"

#include <benchmark/benchmark.h>
#include <pango/pangoft2.h>

#include <string>

namespace {

using namespace Qor;

const int PAGE_HEIGHT = 8000; // dots: pages of 13 inches

using bench_rich::PangoMarkup;
using bench_rich::QtfDocument;

const RichText& Document()
{
    static RichText doc = ReadQtfDocument(QtfDocument().c_str());
    return doc;
}

Rect Page(const benchmark::State& state) { return Rect(0, 0, (int)state.range(0), PAGE_HEIGHT); }

void Report(benchmark::State& state, PagePosition end)
{
    state.counters["pages"] = end.page + 1;
    state.counters["end_y"] = end.y;
}

// A fresh copy has new serials and no layout: every paragraph is unpacked and laid out.
void RichLayoutFirst(benchmark::State& state)
{
    PagePosition end;
    for(auto _ : state) {
        state.PauseTiming();
        RichText doc = Document();
        state.ResumeTiming();
        end = doc.GetEndPosition(Page(state));
        benchmark::DoNotOptimize(end);
        state.PauseTiming();
        doc.Clear();
        state.ResumeTiming();
    }
    Report(state, end);
}
BENCHMARK(RichLayoutFirst)->Arg(600)->Arg(6000);

void RichLayoutAgain(benchmark::State& state)
{
    RichText doc = Document();
    PagePosition end = doc.GetEndPosition(Page(state));
    for(auto _ : state) {
        end = doc.GetEndPosition(Page(state));
        benchmark::DoNotOptimize(end);
    }
    Report(state, end);
}
BENCHMARK(RichLayoutAgain)->Arg(600)->Arg(6000);

void Paint(benchmark::State& state, Draw& w, ZoomRatio zoom)
{
    RichText doc = Document();
    doc.GetEndPosition(Page(state));
    SimplePageDraw pw(w);
    RichPaintInfo pi;
    pi.zoom = zoom;
    for(auto _ : state)
        doc.PaintPages(pw, Page(state), pi);
}

void RichPaintNilDraw(benchmark::State& state)
{
    NilDraw w;
    Paint(state, w, ZoomRatio(96, 600));
}
BENCHMARK(RichPaintNilDraw)->Arg(600)->Arg(6000);

// Every page painted over the one canvas of a page at screen size.
void RichPaintRaster(benchmark::State& state)
{
    QorTest::RasterDraw w((int)state.range(0) * 96 / 600, PAGE_HEIGHT * 96 / 600);
    Paint(state, w, ZoomRatio(96, 600));
}
BENCHMARK(RichPaintRaster)->Arg(600)->Arg(6000);

struct PangoSide {
    PangoFontMap* map = pango_ft2_font_map_new();
    PangoContext* context = pango_font_map_create_context(map);
    PangoLayout* layout = pango_layout_new(context);

    // The document's 100-dot text as 100-pixel text, wrapped at the width in pixels.
    explicit PangoSide(int width)
    {
        PangoFontDescription* d = pango_font_description_from_string("Sans");
        pango_font_description_set_absolute_size(d, 100 * PANGO_SCALE);
        pango_layout_set_font_description(layout, d);
        pango_font_description_free(d);
        pango_layout_set_width(layout, width * PANGO_SCALE);
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    }
    ~PangoSide()
    {
        g_object_unref(layout);
        g_object_unref(context);
        g_object_unref(map);
    }
    int Height()
    {
        int cx = 0, cy = 0;
        pango_layout_get_pixel_size(layout, &cx, &cy);
        return cy;
    }
};

void PangoMarkupLayout(benchmark::State& state)
{
    std::string m = PangoMarkup();
    PangoSide pango((int)state.range(0));
    int cy = 0;
    for(auto _ : state) {
        pango_layout_set_markup(pango.layout, m.c_str(), -1);
        cy = pango.Height();
        benchmark::DoNotOptimize(cy);
    }
    state.counters["end_y"] = cy;
}
BENCHMARK(PangoMarkupLayout)->Arg(600)->Arg(6000);

// Laid out again without parsing: the markup stays, the layout is invalidated.
void PangoRelayout(benchmark::State& state)
{
    std::string m = PangoMarkup();
    PangoSide pango((int)state.range(0));
    pango_layout_set_markup(pango.layout, m.c_str(), -1);
    int cy = 0;
    for(auto _ : state) {
        pango_layout_context_changed(pango.layout);
        cy = pango.Height();
        benchmark::DoNotOptimize(cy);
    }
    state.counters["end_y"] = cy;
}
BENCHMARK(PangoRelayout)->Arg(600)->Arg(6000);

} // namespace
