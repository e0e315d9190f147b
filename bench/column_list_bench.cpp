// ColumnList on a live X server (run under Xvfb, e.g. after `. tools/xvfb.sh`): 100,000 short
// texts added one by one, laid out in three columns, the first page painted, the flow
// scrolled to the end and painted again; beside the same texts kept in a plain Vector<String>
// and painted slot by slot through the standard display. Counters: the heap each side takes
// (KB) and the list's own bytes per item beyond the plain vector's.
#include "ctrl/x11/display/x11_display.h"

#include "ctrl/x11/image/image_draw.h"
#include "draw/display/display.h"
#include "draw/font/font_metrics.h"
#include "draw/look/sys_colors.h"
#include "foundation/heap.h"
#include "foundation/values/number_text.h"
#include "lists/columnlist/column_list.h"

#include "bench/bench_display.h"
#include "bench/bench_heap.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using namespace Qor;
using QorBench::HeapUsedBytes;

const Size PAGE(600, 400);
const int COLUMNS = 3;

bool OpenDisplayOnce() { return QorBench::OpenBenchDisplay("column_list_bench"); }

String Text(int i) { return String("file_") + IntToText(i) + ".txt"; }

void FillList(ColumnList& list, int n)
{
    list.SetRect(Rect(PAGE));
    list.SetColumnCount(COLUMNS);
    for(int i = 0; i < n; i++)
        list.Add(Text(i));
}

void FillPlain(Vector<String>& plain, int n)
{
    for(int i = 0; i < n; i++)
        plain.Add(Text(i));
}

// The plain vector's page: the same slots, separators and display as the list paints.
void PaintPlain(Draw& w, const Vector<String>& texts, int first, int cy)
{
    int rows = PAGE.cy / cy;
    int cx = PAGE.cx / COLUMNS;
    const Qor::Display& d = GetStandardDisplay();
    int i = first;
    for(int c = 0; c < COLUMNS; c++)
        for(int r = 0; r < rows; r++, i++) {
            Rect slot(c * cx, r * cy, c * cx + cx, r * cy + cy);
            if(i >= texts.GetCount()) {
                w.DrawRect(slot, SysColorPaper());
                continue;
            }
            Rect item(slot.left, slot.top, slot.right - 1, slot.bottom);
            w.Clip(item);
            d.Paint(w, item, texts[i], SysColorText(), SysColorPaper(), 0);
            w.End();
            w.DrawRect(slot.right - 1, slot.top, 1, cy, SysColorDisabled());
        }
}

template <class T, class Fill>
double HeldKB(int n, Fill fill)
{
    double before = HeapUsedBytes();
    auto t = std::make_unique<T>();
    fill(*t, n);
    return (HeapUsedBytes() - before) / 1024;
}

void BM_ColumnList(benchmark::State& state)
{
    if(!OpenDisplayOnce()) {
        state.SkipWithError("no X display");
        return;
    }
    int n = int(state.range(0));
    ImageDraw w(PAGE);
    for(auto _ : state) {
        auto list = std::make_unique<ColumnList>();
        FillList(*list, n);
        list->Paint(w);
        list->GetScrollBar().ScrollToEnd();
        list->Paint(w);
        benchmark::DoNotOptimize(w);
        if(list->GetFirstVisible() == 0)
            state.SkipWithError("the list did not scroll");
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
    double list_kb = HeldKB<ColumnList>(n, FillList);
    double plain_kb = HeldKB<Vector<String>>(n, FillPlain);
    state.counters["held_kb"] = list_kb;
    state.counters["plain_kb"] = plain_kb;
    state.counters["own_bytes_per_item"] = (list_kb - plain_kb) * 1024 / n;
}
BENCHMARK(BM_ColumnList)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PlainVector(benchmark::State& state)
{
    if(!OpenDisplayOnce()) {
        state.SkipWithError("no X display");
        return;
    }
    int n = int(state.range(0));
    ImageDraw w(PAGE);
    int cy = GetStandardFontSize().cy;
    int page = COLUMNS * (PAGE.cy / cy);
    for(auto _ : state) {
        auto plain = std::make_unique<Vector<String>>();
        FillPlain(*plain, n);
        PaintPlain(w, *plain, 0, cy);
        PaintPlain(w, *plain, std::max(0, n - page), cy);
        benchmark::DoNotOptimize(w);
        state.PauseTiming();
        plain.reset();
        state.ResumeTiming();
    }
    state.counters["held_kb"] = HeldKB<Vector<String>>(n, FillPlain);
}
BENCHMARK(BM_PlainVector)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
