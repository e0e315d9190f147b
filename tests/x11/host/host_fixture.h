// Controls in real host windows for the window-host, painting and loop tests: windows are
// opened through the host, keep their contents off screen (parallel tests may cover them)
// and are painted by the event loop's idle step.
#pragma once

#include "tests/support/x11/gui_test.h"

#include "ctrl/registrations.h"
#include "ctrl/tree/host_window_record.h"
#include "ctrl/x11/host/window_host.h"
#include "ctrl/x11/loop/x_event_loop.h"
#include "ctrl/x11/registrations.h"
#include "draw/draw.h"

#include <X11/extensions/Xcomposite.h>

namespace QorTest {

// Fills its view with one colour (or, transparent, only a square at its top-left) and
// counts its paints.
class FillCtrl : public Qor::Ctrl {
public:
    explicit FillCtrl(Qor::Color c = Qor::Color(255, 0, 0), int square = 0) : color(c), square(square)
    {
        if(square)
            SetTransparent();
    }
    void Paint(Qor::Draw& w) override
    {
        paints++;
        Qor::Size sz = GetViewSize();
        w.DrawRect(0, 0, square ? square : sz.cx, square ? square : sz.cy, color);
    }

    Qor::Color color;
    int square;
    int paints = 0;
};

// Opens c as a top-level window with the rectangle r (screen coordinates, moved away
// from the top-left corner on a large screen) and waits until the window was exposed and
// painted.
inline bool OpenHostWindow(Qor::Ctrl& c, const Qor::Rect& r, int limit_ms = 5000)
{
    using namespace Qor;
    // Away from the corner where the harness's input tests click: a window of a parallel
    // test must not take their clicks.
    Size away(screen_size.cx >= 1200 ? 700 : 0, screen_size.cy >= 900 ? 500 : 0);
    c.SetRect(r + away);
    CreateWindowCall(c, nullptr, false, false);
    Window w = GetHostWindow(c);
    if(!w)
        return false;
    int event_base, error_base;
    if(XCompositeQueryExtension(display, &event_base, &error_base))
        XCompositeRedirectWindow(display, w, CompositeRedirectAutomatic);
    c.ShowWindowCall(true);
    return WaitFor(
        [&] {
            ProcessPendingEvents();
            WindowMapEntry* e = GetWindowMapEntry(c);
            return e && e->exposed && e->invalid.IsEmpty();
        },
        limit_ms);
}

// Runs the idle step until nothing is left to paint in c's window.
inline bool PaintPending(Qor::Ctrl& c, int limit_ms = 5000)
{
    using namespace Qor;
    return WaitFor(
        [&] {
            ProcessPendingEvents();
            WindowMapEntry* e = GetWindowMapEntry(c);
            return e && e->invalid.IsEmpty();
        },
        limit_ms);
}

inline Pixels GrabWindow(Qor::Ctrl& c) { return GrabPixels(Qor::GetHostWindow(c), Qor::Rect(c.GetSize())); }

} // namespace QorTest
