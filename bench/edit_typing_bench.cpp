// Typing into an edit field: 10,000 characters sent by XTest on a real X server, timed from
// the first key to the repaint that shows the last one. Each character goes through the
// event loop, the key translation, the field's key table, its view update and a repaint.
// Needs an X server (run under tools/xvfb.sh).

#include "ctrl/x11/x11.h"
#include "foundation/process.h"
#include "widgets/edit/edit_field.h"

#include <benchmark/benchmark.h>

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdlib>

using namespace Qor;

namespace {

constexpr int CHARACTERS = 10000;

// Notes the length of the text it last painted.
class PaintedField : public EditField {
public:
    int painted_length = -1;
    void Paint(Draw& w) override
    {
        EditField::Paint(w);
        painted_length = GetLength();
    }
};

class Form : public Ctrl {
public:
    PaintedField field;
    Form()
    {
        AppendChild(field);
        field.SetRect(10, 10, 380, 24);
        field.SetEditable();
        field.SetWantsFocus();
    }
};

void Turn()
{
    WaitForEvents(10);
    while(XPending(display)) {
        XEvent e;
        XNextEvent(display, &e);
        DispatchXEvent(&e);
    }
    RunIdleWork();
}

bool TurnUntil(bool (*done)(Form&), Form& f, int limit_ms)
{
    uint32 limit = MonotonicMs() + uint32(limit_ms);
    while(!done(f) && MonotonicMs() < limit)
        Turn();
    return done(f);
}

bool OpenForm(Form& f)
{
    if(!display) {
        const char* name = std::getenv("DISPLAY");
        if(!name || !*name)
            return false;
        SetupDisplay();
        if(!display)
            return false;
    }
    f.SetRect(Rect(Point(10, 10), Size(400, 44)));
    CreateWindowCall(f, nullptr, false, false);
    f.ShowWindowCall(true);
    if(!TurnUntil([](Form& f) { WindowMapEntry* e = GetWindowMapEntry(f); return e && e->exposed; }, f, 5000))
        return false;
    Window w = GetHostWindow(f);
    XRaiseWindow(display, w);
    XSetInputFocus(display, w, RevertToParent, 0L); // CurrentTime
    XSync(display, false);
    return TurnUntil([](Form& f) { return f.field.SetFocus() && f.field.HasFocus(); }, f, 5000);
}

void TypeTenThousandCharacters(benchmark::State& state)
{
    Form f;
    if(!OpenForm(f)) {
        state.SkipWithError("needs an X display: run under tools/xvfb.sh");
        return;
    }
    KeyCode keys[26];
    for(int i = 0; i < 26; i++)
        keys[i] = XKeysymToKeycode(display, XK_a + i);
    for(auto _ : state) {
        f.field.ClearText();
        Turn();
        auto start = std::chrono::steady_clock::now();
        for(int i = 0; i < CHARACTERS; i++) {
            XTestFakeKeyEvent(display, keys[i % 26], true, 0);
            XTestFakeKeyEvent(display, keys[i % 26], false, 0);
            // Keeps the request buffer from growing without bound.
            if(i % 256 == 255)
                XFlush(display);
        }
        XFlush(display);
        if(!TurnUntil([](Form& f) { return f.field.painted_length == CHARACTERS; }, f, 120000)) {
            state.SkipWithError("the last character was not painted within 120 s");
            break;
        }
        auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    state.counters["characters"] = CHARACTERS;
    f.DestroyWindowCall();
}

} // namespace

BENCHMARK(TypeTenThousandCharacters)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
