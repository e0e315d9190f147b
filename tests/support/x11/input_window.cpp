// The private X server and the recording controls of the input tests.
#include "tests/support/x11/input_window.h"

#include "tests/support/x11/xvfb_server.h"

#include "foundation/process.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace QorTest {

using namespace Qor;

bool RequirePrivateDisplay()
{
    if(display)
        return true;
    static std::unique_ptr<XvfbServer> server;
    if(!server) {
        server = std::make_unique<XvfbServer>(1024, 768, 24);
        if(server->GetName().empty()) {
            ADD_FAILURE() << "the private Xvfb server for the input tests did not start";
            return false;
        }
        setenv("DISPLAY", server->GetName().c_str(), 1);
    }
    return RequireDisplay();
}

void PrivateDisplayTest::TearDown()
{
    // Nothing of one test's clicks may count for the next.
    GetClickState() = ClickState();
    StopButtonTracking();
    GetButtonTracking() = ButtonTrackingState();
    GetHostState().keyboard_state = 0;
}

bool InputRecorder::ProcessKey(dword key, int count)
{
    keys.push_back({ key, count });
    return take_keys;
}

Image InputRecorder::DispatchMouse(int event, Point p, int zdelta, dword keyflags)
{
    if(event != MOUSE_CURSOR && (log_moves || (event != MOUSE_MOVE && event != MOUSE_ENTER && event != MOUSE_LEAVE))) {
        char text[64];
        std::snprintf(text, sizeof(text), "%x %d,%d", unsigned(event), p.x, p.y);
        std::string line = text;
        if(event == MOUSE_WHEEL)
            line += " " + std::to_string(zdelta);
        mouse.push_back(line);
    }
    return Ctrl::DispatchMouse(event, p, zdelta, keyflags);
}

std::vector<dword> InputRecorder::Keys() const
{
    std::vector<dword> out;
    for(const KeyRecord& k : keys)
        out.push_back(k.key);
    return out;
}

bool PumpUntil(const std::function<bool()>& done, int limit_ms)
{
    return WaitFor(
        [&] {
            XSync(display, false);
            ProcessPendingEvents();
            return done();
        },
        limit_ms);
}

void PumpFor(int ms)
{
    uint32 start = MonotonicMs();
    while(MonotonicMs() - start < uint32(ms)) {
        XSync(display, false);
        ProcessPendingEvents();
        SleepMs(2);
    }
}

bool OpenInputWindow(Ctrl& c, const Rect& r, int limit_ms)
{
    c.SetRect(r);
    CreateWindowCall(c, nullptr, false, false);
    if(!c.HasHostWindow())
        return false;
    c.ShowWindowCall(true);
    bool exposed = PumpUntil(
        [&] {
            WindowMapEntry* e = GetWindowMapEntry(c);
            return e && e->exposed;
        },
        limit_ms);
    if(!exposed)
        return false;
    XRaiseWindow(display, GetHostWindow(c));
    c.SetFocus();
    return PumpUntil([&] { return c.HasFocusInTree() && GetHostState().focus_window == GetHostWindow(c); }, limit_ms);
}

void CloseInputWindow(Ctrl& c)
{
    c.DestroyWindowCall();
    PumpFor(5);
}

} // namespace QorTest
