// The window core on a live X server (run under Xvfb, e.g. after `. tools/xvfb.sh`):
// - the idle cost of the event loop: wake-ups and CPU seconds per second with one open
//   window and nothing to do, beside a plain Xlib loop blocking on the connection;
// - a full repaint of an 800x600 window of 200 children (each a filled rectangle with a
//   text), beside plain Xlib doing the same XFillRectangle and XftDrawString calls.
#include "ctrl/x11/display/x11_display.h"

#include "ctrl/loop/event_loop.h"
#include "ctrl/registrations.h"
#include "ctrl/timer/timer.h"
#include "ctrl/x11/host/window_host.h"
#include "ctrl/x11/loop/x_event_loop.h"
#include "ctrl/x11/registrations.h"
#include "draw/draw.h"
#include "foundation/callback_action.h"
#include "foundation/process.h"

#include "bench/bench_display.h"

#include <benchmark/benchmark.h>

#include <X11/Xft/Xft.h>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sys/select.h>
#include <time.h>

namespace {

using namespace Qor;

bool OpenDisplayOnce() { return QorBench::OpenBenchDisplay("window_core_bench"); }

double CpuSeconds()
{
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

class Cell : public Ctrl {
public:
    Cell(Color c, int n) : color(c), n(n) {}
    void Paint(Draw& w) override
    {
        Size sz = GetViewSize();
        w.DrawRect(0, 0, sz.cx, sz.cy, color);
        char text[16];
        std::snprintf(text, sizeof(text), "Item %d", n);
        w.DrawText(2, 2, text, Qor::Font(), Color(0, 0, 0));
    }
    Color color;
    int n;
};

class Plain : public Ctrl {
public:
    void Paint(Draw& w) override { w.DrawRect(0, 0, GetSize().cx, GetSize().cy, Color(255, 255, 255)); }
};

Color CellColor(int i) { return Color(60 + i % 7 * 25, 90 + i % 5 * 30, 120 + i % 3 * 40); }
Rect CellRect(int i) { return Rect(i % 20 * 40, i / 20 * 60, i % 20 * 40 + 40, i / 20 * 60 + 60); }

// Opens c at r and paints it once.
bool Open(Ctrl& c, const Rect& r)
{
    c.SetRect(r);
    CreateWindowCall(c, nullptr, false, false);
    c.ShowWindowCall(true);
    uint32 start = MonotonicMs();
    while(MonotonicMs() - start < 5000) {
        ProcessPendingEvents();
        WindowMapEntry* e = GetWindowMapEntry(c);
        if(e && e->exposed && e->invalid.IsEmpty())
            return true;
        SleepMs(2);
    }
    return false;
}

Ctrl* idle_window = nullptr;
void EndIdle() { idle_window->EndLoop(); }

void BM_IdleLoop_Qor(benchmark::State& state)
{
    if(!OpenDisplayOnce())
        return state.SkipWithError("no display");
    Plain w;
    if(!Open(w, Rect(0, 0, 200, 100)))
        return state.SkipWithError("window not shown");
    idle_window = &w;
    double cpu = 0, seconds = 0;
    int64 turns = 0, wakeups = 0;
    for(auto _ : state) {
        EventLoopStats before = GetEventLoopStats();
        double c0 = CpuSeconds();
        uint32 t0 = MonotonicMs();
        w.ScheduleTimer(1000, MakeCallback(&EndIdle));
        EventLoopCall(&w);
        seconds += (MonotonicMs() - t0) / 1000.0;
        cpu += CpuSeconds() - c0;
        turns += GetEventLoopStats().turns - before.turns;
        wakeups += GetEventLoopStats().wakeups - before.wakeups;
    }
    state.counters["cpu_s_per_s"] = cpu / seconds;
    state.counters["wakeups_per_s"] = double(turns) / seconds;
    state.counters["event_wakeups_per_s"] = double(wakeups) / seconds;
}
BENCHMARK(BM_IdleLoop_Qor)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_IdleLoop_Xlib(benchmark::State& state)
{
    if(!OpenDisplayOnce())
        return state.SkipWithError("no display");
    ::Display* d = XOpenDisplay(nullptr);
    Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 200, 100, 0, 0, 0xffffff);
    XSelectInput(d, w, ExposureMask | KeyPressMask | ButtonPressMask | PointerMotionMask | StructureNotifyMask);
    XMapWindow(d, w);
    XSync(d, false);
    double cpu = 0, seconds = 0;
    int64 wakeups = 0;
    for(auto _ : state) {
        double c0 = CpuSeconds();
        uint32 t0 = MonotonicMs();
        // Block on the connection until something arrives, as a plain client does.
        for(;;) {
            while(XPending(d)) {
                XEvent e;
                XNextEvent(d, &e);
            }
            int left = 1000 - int(MonotonicMs() - t0);
            if(left <= 0)
                break;
            fd_set set;
            FD_ZERO(&set);
            FD_SET(ConnectionNumber(d), &set);
            timeval tv{ left / 1000, left % 1000 * 1000 };
            if(select(ConnectionNumber(d) + 1, &set, nullptr, nullptr, &tv) > 0)
                wakeups++;
        }
        seconds += (MonotonicMs() - t0) / 1000.0;
        cpu += CpuSeconds() - c0;
    }
    state.counters["cpu_s_per_s"] = cpu / seconds;
    state.counters["wakeups_per_s"] = double(wakeups) / seconds;
    XDestroyWindow(d, w);
    XCloseDisplay(d);
}
BENCHMARK(BM_IdleLoop_Xlib)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Repaint800x600_Qor(benchmark::State& state)
{
    if(!OpenDisplayOnce())
        return state.SkipWithError("no display");
    Plain top;
    std::vector<std::unique_ptr<Cell>> cells;
    for(int i = 0; i < 200; i++) {
        cells.push_back(std::make_unique<Cell>(CellColor(i), i));
        cells.back()->SetRect(CellRect(i));
        top.AppendChild(*cells.back());
    }
    top.SetPaintMode(int(state.range(0)));
    if(!Open(top, Rect(0, 0, 800, 600)))
        return state.SkipWithError("window not shown");
    for(auto _ : state) {
        top.Refresh();
        top.UpdateWindowCall();
        XSync(display, false);
    }
    state.SetLabel(state.range(0) == PAINT_BACKBUFFER ? "one back buffer" : "opaque children direct");
    for(auto& c : cells)
        top.RemoveChild(*c);
}
BENCHMARK(BM_Repaint800x600_Qor)
    ->Arg(PAINT_TRANSPARENT_BACKBUFFER)
    ->Arg(PAINT_BACKBUFFER)
    ->Unit(benchmark::kMicrosecond);

void BM_Repaint800x600_Xlib(benchmark::State& state)
{
    if(!OpenDisplayOnce())
        return state.SkipWithError("no display");
    Window w = XCreateSimpleWindow(display, root, 0, 0, 800, 600, 0, 0, 0xffffff);
    XSelectInput(display, w, ExposureMask);
    XMapWindow(display, w);
    XEvent e;
    XWindowEvent(display, w, ExposureMask, &e);
    GC gc = XCreateGC(display, w, 0, nullptr);
    XftDraw* xd = XftDrawCreate(display, w, visual, colormap);
    XftFont* font = XftFontOpenName(display, screen_number, "sans-serif-9");
    XftColor ink;
    XRenderColor black = { 0, 0, 0, 0xffff };
    XftColorAllocValue(display, visual, colormap, &black, &ink);
    for(auto _ : state) {
        XSetForeground(display, gc, 0xffffff);
        XFillRectangle(display, w, gc, 0, 0, 800, 600);
        for(int i = 0; i < 200; i++) {
            Rect r = CellRect(i);
            XSetForeground(display, gc, ColorToPixel(CellColor(i)));
            XFillRectangle(display, w, gc, r.left, r.top, unsigned(r.Width()), unsigned(r.Height()));
            char text[16];
            int n = std::snprintf(text, sizeof(text), "Item %d", i);
            XftDrawString8(xd, &ink, font, r.left + 2, r.top + 2 + font->ascent, (const FcChar8*)text, n);
        }
        XSync(display, false);
    }
    XftColorFree(display, visual, colormap, &ink);
    XftFontClose(display, font);
    XftDrawDestroy(xd);
    XFreeGC(display, gc);
    XDestroyWindow(display, w);
}
BENCHMARK(BM_Repaint800x600_Xlib)->Unit(benchmark::kMicrosecond);

} // namespace
