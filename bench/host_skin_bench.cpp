// The host look's costs: one host-skin run at a later skin change; what 100 skin changes with
// the event loop running leave behind (memory, windows in the probe window); and a repaint
// of Lorvane's window with every look cached, under the host skin and the standard skin.
#include "app/lorvane.h"
#include "ctrl/settings/skin_change.h"
#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/loop/x_event_loop.h"
#include "ctrl/x11/startup/window_system.h"
#include "draw/font/font_metrics.h"
#include "draw/image_cache/made_image.h"
#include "hostlook/hostlook.h"
#include "widgets/skin/standard_skin.h"

#include <benchmark/benchmark.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

using namespace Qor;

namespace {

bool Start(benchmark::State& state)
{
    if(!std::getenv("DISPLAY")) {
        state.SkipWithError("no DISPLAY: run under Xvfb (. tools/xvfb.sh)");
        return false;
    }
    static bool started = (InitWindowSystem(), true);
    return started;
}

void Pump()
{
    for(int i = 0; i < 20; i++)
        if(!ProcessPendingEvents())
            WaitForEvents(5);
}

// Resident set size in bytes.
long ResidentBytes()
{
    long pages = 0, resident = 0;
    FILE* f = std::fopen("/proc/self/statm", "r");
    if(f) {
        if(std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

int CountWindows(GdkWindow* w)
{
    int n = 1;
    GList* children = gdk_window_get_children(w);
    for(GList* c = children; c; c = c->next)
        n += CountWindows(GDK_WINDOW(c->data));
    g_list_free(children);
    return n;
}

// The two skins of one skin change, after the first run made the probe widgets. Called
// outside a skin change, the host skin's new standard font would start two nested skin
// changes through the font-change hook; inside one that hook returns at once, so it is held
// off here as well.
void HostSkinRun(benchmark::State& state)
{
    if(!Start(state))
        return;
    SetSkinCallbacks(StandardSkin, GtkHostSkin);
    ApplySkinChange();
    void (*hook)() = StandardFontChangeHook;
    StandardFontChangeHook = nullptr;
    int runs = GetGtkHostSkinRunCount();
    for(auto _ : state) {
        StandardSkin();
        GtkHostSkin();
    }
    StandardFontChangeHook = hook;
    state.counters["host_runs"] = double(GetGtkHostSkinRunCount() - runs) / double(state.iterations());
}
BENCHMARK(HostSkinRun)->Unit(benchmark::kMillisecond);

// A whole later skin change with no window open: both skins, the layout zoom and the
// theme statics.
void SkinChange(benchmark::State& state)
{
    if(!Start(state))
        return;
    SetSkinCallbacks(StandardSkin, GtkHostSkin);
    ApplySkinChange();
    for(auto _ : state)
        ApplySkinChange();
}
BENCHMARK(SkinChange)->Unit(benchmark::kMillisecond);

// 100 skin changes with Lorvane's window open and the event loop running between them.
void HundredSkinChanges(benchmark::State& state)
{
    if(!Start(state))
        return;
    SetSkinCallbacks(StandardSkin, GtkHostSkin);
    lorvane w;
    w.OpenWithOwner(nullptr);
    ApplySkinChange();
    Pump();
    GdkWindow* probe = GetGtkProbeWindow()->window;
    long before = ResidentBytes();
    int windows = CountWindows(probe);
    for(auto _ : state)
        for(int i = 0; i < 100; i++) {
            ApplySkinChange();
            Pump();
        }
    state.counters["growth_kb"] = double(ResidentBytes() - before) / 1024;
    state.counters["windows_left"] = CountWindows(probe) - windows;
    // What the made-image cache holds then: growth that it explains is bounded by its limit.
    MadeImageCacheStats cache = GetMadeImageCacheStats();
    state.counters["cache_images"] = cache.count;
    state.counters["cache_kb"] = double(cache.total_cost) / 1024;
    w.Close();
}
BENCHMARK(HundredSkinChanges)->Unit(benchmark::kMillisecond)->Iterations(1);

void Repaint(benchmark::State& state, bool host)
{
    if(!Start(state))
        return;
    SetSkinCallbacks(StandardSkin, host ? GtkHostSkin : nullptr);
    ApplySkinChange();
    lorvane w;
    w.OpenWithOwner(nullptr);
    Pump();
    // Once, so that every look is made and cached.
    w.Refresh();
    Pump();
    for(auto _ : state) {
        w.Refresh();
        ProcessPendingEvents();
        XSync(display, false);
    }
    w.Close();
    SetSkinCallbacks(StandardSkin, GtkHostSkin);
}
BENCHMARK_CAPTURE(Repaint, StandardSkin, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Repaint, HostSkin, true)->Unit(benchmark::kMillisecond);

} // namespace
