// The input method of the locale.

#include "ctrl/x11/events/x_events.h"

#include <X11/Xlocale.h>

namespace Qor {

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
    if(input_method)
        XCloseIM(input_method);
    input_method = nullptr;
}

} // namespace Qor
