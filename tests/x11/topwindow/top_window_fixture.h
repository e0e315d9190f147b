// Top-level windows for the TopWindow tests: a dialog that counts its checks and
// cancellations, the events a window manager sends, and a bounded pump of the event loop.
#pragma once

#include "tests/support/x11/gui_test.h"

#include "ctrl/registrations.h"
#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/host/window_host.h"
#include "ctrl/x11/loop/x_event_loop.h"
#include "ctrl/x11/registrations.h"
#include "ctrl/x11/topwindow/x_top_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace QorTest {

using TopWindowTest = GuiTest;

class ProbeDialog : public Qor::TopWindow {
public:
    bool Validate() override
    {
        validates++;
        return valid;
    }
    void CancelInput() override { cancels++; }

    bool valid = true;
    int validates = 0;
    int cancels = 0;
};

// Runs the loop's work until done answers true or limit_ms pass.
inline bool Pump(const std::function<bool()>& done, int limit_ms = 5000)
{
    return WaitFor(
        [&] {
            Qor::ProcessPendingEvents();
            return done();
        },
        limit_ms);
}

// What a window manager sends when the user closes w.
inline void SendDeleteWindow(Qor::Ctrl* c)
{
    using namespace Qor;
    XEvent e = {};
    e.xclient.type = ClientMessage;
    e.xclient.window = GetHostWindow(*c);
    e.xclient.message_type = AtomOf("WM_PROTOCOLS");
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(AtomOf("WM_DELETE_WINDOW"));
    e.xclient.data.l[1] = 0; // CurrentTime
    XSendEvent(display, e.xclient.window, false, 0, &e);
    XFlush(display);
}

// The format-32 items of a property as longs.
inline std::vector<long> PropertyItems(Window w, const char* name)
{
    Qor::String raw = ReadProperty(w, name);
    const long* p = reinterpret_cast<const long*>(raw.Begin());
    return std::vector<long>(p, p + raw.GetLength() / int(sizeof(long)));
}

} // namespace QorTest
