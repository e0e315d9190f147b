// The input method of the locale.

#include "ctrl/x11/events/x_events.h"

#include "ctrl/x11/host/window_host.h"

#include <X11/Xlocale.h>

namespace Qor {

namespace {

// Opening the method parses the locale's compose table, a large share of the start-up:
// start-up only asks for it, and the first key press opens it.
bool input_method_requested = false;

} // namespace

void RequestInputMethod() { input_method_requested = true; }

void EnsureInputContext(Window w, bool focused)
{
    if(!input_method_requested || !w)
        return;
    WindowMapEntry* e = GetWindowMap().Get(w);
    if(!e || e->xic || !e->ctrl)
        return;
    if(!input_method && !OpenInputMethod()) {
        input_method_requested = false; // no method for this locale: never try again
        return;
    }
    e->xic = XCreateIC(input_method, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, w, nullptr);
    long filter = 0;
    XWindowAttributes a;
    if(e->xic && !XGetICValues(e->xic, XNFilterEvents, &filter, nullptr) &&
       (filter & ~KeyPressMask & ~KeyReleaseMask) && XGetWindowAttributes(display, w, &a))
        XSelectInput(display, w, a.your_event_mask | filter);
    if(e->xic && focused)
        XSetICFocus(e->xic);
}

bool OpenInputMethod()
{
    if(input_method)
        return true;
    if(!display || !XSupportsLocale())
        return false;
    // An empty modifier list takes XMODIFIERS from the environment; without it Xlib's own
    // method composes with the locale's table.
    XSetLocaleModifiers("");
    input_method = XOpenIM(display, nullptr, nullptr, nullptr);
    if(!input_method) {
        XSetLocaleModifiers("@im=none");
        input_method = XOpenIM(display, nullptr, nullptr, nullptr);
    }
    return input_method != nullptr;
}

void CloseInputMethod()
{
    input_method_requested = false;
    if(input_method)
        XCloseIM(input_method);
    input_method = nullptr;
}

} // namespace Qor
