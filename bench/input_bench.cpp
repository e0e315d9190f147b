// Latency of a click: from XTest sending press and release to the control's LeftButtonDown
// running, through the event loop's wait, the dispatcher, the X event procedure, button
// tracking and mouse routing. Needs an X server (run under tools/xvfb.sh).

#include "ctrl/x11/x11.h"
#include "foundation/process.h"

#include <benchmark/benchmark.h>

#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdlib>

using namespace Qor;

namespace {

class ClickTarget : public Ctrl {
public:
    int presses = 0;
    void LeftButtonDown(Point, dword) override { presses++; }
};

// The loop's own turn: wait for the connection, then dispatch everything queued.
void Turn()
{
    WaitForEvents(10);
    while(XPending(display)) {
        XEvent e;
        XNextEvent(display, &e);
        DispatchXEvent(&e);
    }
}

bool OpenTarget(ClickTarget& t)
{
    if(!display) {
        const char* name = std::getenv("DISPLAY");
        if(!name || !*name)
            return false;
        SetupDisplay();
        if(!display)
            return false;
    }
    t.SetRect(Rect(Point(10, 10), Size(100, 60)));
    CreateWindowCall(t, nullptr, false, false);
    t.ShowWindowCall(true);
    uint32 start = MonotonicMs();
    while(MonotonicMs() - start < 5000) {
        Turn();
        WindowMapEntry* e = GetWindowMapEntry(t);
        if(e && e->exposed)
            break;
    }
    Window w = GetHostWindow(t);
    XRaiseWindow(display, w);
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(display, w, root, 50, 30, &x, &y, &child);
    XTestFakeMotionEvent(display, screen_number, x, y, 0);
    XSync(display, false);
    Turn();
    return true;
}

void ClickToHandler(benchmark::State& state)
{
    ClickTarget t;
    if(!OpenTarget(t)) {
        state.SkipWithError("needs an X display: run under tools/xvfb.sh");
        return;
    }
    for(auto _ : state) {
        int before = t.presses;
        auto start = std::chrono::steady_clock::now();
        XTestFakeButtonEvent(display, 1, true, 0);
        XTestFakeButtonEvent(display, 1, false, 0);
        XFlush(display);
        uint32 limit = MonotonicMs() + 2000;
        while(t.presses == before && MonotonicMs() < limit)
            Turn();
        auto end = std::chrono::steady_clock::now();
        if(t.presses == before) {
            state.SkipWithError("the click did not arrive within 2 s");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        // The release is taken before the next click.
        XSync(display, false);
        Turn();
    }
    t.DestroyWindowCall();
}

} // namespace

BENCHMARK(ClickToHandler)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(500);
