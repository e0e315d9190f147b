// Test windows: creation, mapping with a time limit and painting.
#include "tests/support/x11/test_window.h"

#include <X11/extensions/Xcomposite.h>

namespace QorTest {

using namespace Qor;

TestWindow::TestWindow(int cx, int cy, Color background, int x, int y) : size(cx, cy)
{
    QOR_ASSERT(display);
    XSetWindowAttributes a = {};
    a.background_pixel = ColorToPixel(background);
    a.override_redirect = true; // placed as asked, whatever window manager runs
    a.event_mask = ExposureMask | StructureNotifyMask | PropertyChangeMask | ButtonPressMask | ButtonReleaseMask |
                   PointerMotionMask | KeyPressMask | KeyReleaseMask;
    window = XCreateWindow(display, root, x, y, cx, cy, 0, depth, InputOutput, visual,
                           CWBackPixel | CWOverrideRedirect | CWEventMask, &a);
    gc = XCreateGC(display, window, 0, nullptr);
    // Tests run in parallel on one server and their windows may overlap: each window keeps
    // its contents off screen, so what it shows is read back whatever covers it.
    int event_base, error_base;
    if(XCompositeQueryExtension(display, &event_base, &error_base))
        XCompositeRedirectWindow(display, window, CompositeRedirectAutomatic);
}

TestWindow::~TestWindow()
{
    XFreeGC(display, gc);
    XDestroyWindow(display, window);
    XSync(display, false);
    // Nothing of this window may reach a later test through the queue.
    XEvent e;
    while(XCheckWindowEvent(display, window, ~0L, &e)) {}
}

bool TestWindow::WaitEvent(int type, XEvent& e, int limit_ms)
{
    return WaitFor([&] { return XCheckTypedWindowEvent(display, window, type, &e) != 0; }, limit_ms);
}

bool TestWindow::MapAndWait(int limit_ms)
{
    XMapRaised(display, window);
    XEvent e;
    bool mapped = WaitEvent(MapNotify, e, limit_ms);
    bool exposed = mapped && WaitEvent(Expose, e, limit_ms);
    XWindowAttributes wa = {};
    bool viewable = exposed && XGetWindowAttributes(display, window, &wa) && wa.map_state == IsViewable;
    EXPECT_TRUE(viewable) << "the test window was not mapped and exposed within " << limit_ms << " ms";
    return viewable;
}

void TestWindow::Paint(const std::function<void(SystemDraw&)>& paint)
{
    SystemDraw w(window, gc, nullptr, Vector<Rect>{ Rect(size) });
    paint(w);
    XSync(display, false);
}

} // namespace QorTest
