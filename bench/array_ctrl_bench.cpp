// ArrayCtrl on a live X server (run under Xvfb, e.g. after `. tools/xvfb.sh`): 2,000 and
// 100,000 rows of three columns (a number, a short term, a longer meaning) filled through
// ArrayCtrl::Set, the visible page painted, the view scrolled to the end and painted again;
// beside the same values kept in a plain Vector<Vector<Value>> and painted cell by cell
// through the standard display. Counters: the heap that each side's table takes (KB), the
// list's own bytes per cell beyond the plain table's, and the process's peak resident size.
// Then 10,000 rows edited one after another through the public calls (cursor, start, a new
// value in each editor, accept) beside the same values stored with SetRow; "per_row" is the
// time one row takes.
#include "ctrl/x11/display/x11_display.h"

#include "ctrl/x11/image/image_draw.h"
#include "draw/display/display.h"
#include "draw/font/font_metrics.h"
#include "draw/look/sys_colors.h"
#include "foundation/heap.h"
#include "foundation/values/number_text.h"
#include "lists/array/array_ctrl.h"
#include "widgets/edit/edit_field.h"

#include "bench/bench_display.h"
#include "bench/bench_heap.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using namespace Qor;
using QorBench::HeapUsedBytes;

const Size PAGE(600, 400);
const int COLUMNS = 3;

bool OpenDisplayOnce() { return QorBench::OpenBenchDisplay("array_ctrl_bench"); }

Value Cell(int row, int column)
{
    switch(column) {
    case 0:
        return row;
    case 1:
        return String("Term ") + IntToText(row);
    default:
        return String("the meaning of term number ") + IntToText(row) + " in a few words";
    }
}

double PeakRssKB()
{
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss);
}

// The plain table's page: the same cells, grid and display as the list paints.
void PaintPlain(Draw& w, const Vector<Vector<Value>>& rows, int first, int row_cy)
{
    int cx = PAGE.cx / COLUMNS;
    const Qor::Display& d = GetStandardDisplay();
    for(int i = first, y = 0; i < rows.GetCount() && y < PAGE.cy; i++, y += row_cy + 1) {
        for(int c = 0; c < COLUMNS; c++) {
            Rect r(c * cx, y, c * cx + cx - 1, y + row_cy);
            d.PaintBackground(w, Rect(r.left, r.top, r.left + 4, r.bottom), rows[i][c], SysColorText(), SysColorPaper(),
                              0);
            d.PaintBackground(w, Rect(r.right - 4, r.top, r.right, r.bottom), rows[i][c], SysColorText(),
                              SysColorPaper(), 0);
            r.Deflate(4, 0);
            w.Clip(r);
            d.Paint(w, r, rows[i][c], SysColorText(), SysColorPaper(), 0);
            w.End();
            w.DrawRect(r.right + 4, y, 1, row_cy, SysColorShadow());
        }
        w.DrawRect(0, y + row_cy, PAGE.cx, 1, SysColorShadow());
    }
}

// The list filled with n rows, one value after the other as an owner would.
void FillList(ArrayCtrl& list, int n)
{
    list.SetRect(Rect(PAGE));
    list.AddColumn("Number");
    list.AddColumn("Term");
    list.AddColumn("Meaning");
    for(int i = 0; i < n; i++)
        for(int c = 0; c < COLUMNS; c++)
            list.Set(i, c, Cell(i, c));
}

void FillPlain(Vector<Vector<Value>>& plain, int n)
{
    for(int i = 0; i < n; i++)
        for(int c = 0; c < COLUMNS; c++) {
            if(plain.GetCount() <= i)
                plain.SetCount(i + 1);
            if(plain[i].GetCount() <= c)
                plain[i].SetCount(c + 1);
            plain[i][c] = Cell(i, c);
        }
}

// The heap (KB) that one table of n rows takes, measured over several tables held at once.
template <class T, class Fill>
double TableKB(int n, Fill fill)
{
    int copies = std::max(1, 200000 / n);
    double before = HeapUsedBytes();
    double used;
    {
        Vector<std::unique_ptr<T>> tables;
        for(int i = 0; i < copies; i++) {
            tables.Add(std::make_unique<T>());
            fill(*tables.Top(), n);
        }
        used = HeapUsedBytes() - before;
    }
    return used / 1024 / copies;
}

void BM_ArrayCtrl(benchmark::State& state)
{
    if(!OpenDisplayOnce()) {
        state.SkipWithError("no X display");
        return;
    }
    int n = int(state.range(0));
    ImageDraw w(PAGE);
    for(auto _ : state) {
        auto list = std::make_unique<ArrayCtrl>();
        FillList(*list, n);
        list->Paint(w);
        list->ScrollInto(n);
        list->Paint(w);
        benchmark::DoNotOptimize(w);
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
    double list_kb = TableKB<ArrayCtrl>(n, FillList);
    double plain_kb = TableKB<Vector<Vector<Value>>>(n, FillPlain);
    state.counters["table_kb"] = list_kb;
    state.counters["plain_kb"] = plain_kb;
    state.counters["own_bytes_per_cell"] = (list_kb - plain_kb) * 1024 / (double(n) * COLUMNS);
    state.counters["peak_rss_kb"] = PeakRssKB();
}
BENCHMARK(BM_ArrayCtrl)->Arg(2000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PlainTable(benchmark::State& state)
{
    if(!OpenDisplayOnce()) {
        state.SkipWithError("no X display");
        return;
    }
    int n = int(state.range(0));
    ImageDraw w(PAGE);
    int row_cy = GetStandardFontSize().cy;
    for(auto _ : state) {
        auto plain = std::make_unique<Vector<Vector<Value>>>();
        FillPlain(*plain, n);
        PaintPlain(w, *plain, 0, row_cy);
        PaintPlain(w, *plain, std::max(0, n - PAGE.cy / (row_cy + 1)), row_cy);
        benchmark::DoNotOptimize(w);
        state.PauseTiming();
        plain.reset();
        state.ResumeTiming();
    }
    state.counters["table_kb"] = TableKB<Vector<Vector<Value>>>(n, FillPlain);
    state.counters["peak_rss_kb"] = PeakRssKB();
}
BENCHMARK(BM_PlainTable)->Arg(2000)->Arg(100000)->Unit(benchmark::kMillisecond);

const int EDITED_ROWS = 10000;

// The value a row gets in the edit, unlike the one it was filled with.
Value Edited(int row, int column) { return String("edited ") + Cell(row, column).ToString(); }

void BM_EditRows(benchmark::State& state)
{
    if(!OpenDisplayOnce()) {
        state.SkipWithError("no X display");
        return;
    }
    ArrayCtrl list;
    FillList(list, EDITED_ROWS);
    EditField editors[COLUMNS];
    for(int c = 0; c < COLUMNS; c++)
        list.GetColumn(c).SetEditor(editors[c]);
    bool ok = true;
    for(auto _ : state) {
        for(int row = 0; row < EDITED_ROWS; row++) {
            ok = ok && list.SetCursor(row) && list.StartEdit(0);
            for(int c = 0; c < COLUMNS; c++) {
                editors[c].SetValue(Edited(row, c));
                editors[c].SetModified(); // as the user's typing leaves it
            }
            ok = ok && list.AcceptRow();
        }
    }
    if(!ok || list.GetStoredValue(EDITED_ROWS - 1, 2) != Edited(EDITED_ROWS - 1, 2))
        state.SkipWithError("an edit was not accepted");
    state.counters["per_row"] =
        benchmark::Counter(EDITED_ROWS, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_EditRows)->Unit(benchmark::kMillisecond);

void BM_SetRows(benchmark::State& state)
{
    if(!OpenDisplayOnce()) {
        state.SkipWithError("no X display");
        return;
    }
    ArrayCtrl list;
    FillList(list, EDITED_ROWS);
    for(auto _ : state)
        for(int row = 0; row < EDITED_ROWS; row++) {
            Vector<Value> values;
            for(int c = 0; c < COLUMNS; c++)
                values.Add(Edited(row, c));
            list.SetRow(row, values);
        }
    state.counters["per_row"] =
        benchmark::Counter(EDITED_ROWS, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SetRows)->Unit(benchmark::kMillisecond);

} // namespace
