// The fatal-message box. It runs while the rest of the system may be broken, so it uses a
// private connection of its own and plain Xlib, and nothing of it can wait forever.
#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/display/x11_errors.h"
#include "ctrl/x11/display/x11_errors_internal.h"
#include "foundation/panic.h"
#include "foundation/process.h"

#include <csignal>
#include <cstring>
#include <poll.h>
#include <unistd.h>

#include <X11/Xatom.h>

namespace Qor {

namespace {

int time_limit_ms = 10 * 60 * 1000;

enum { BOX_CX = 600, BOX_CY = 120, TEXT_X = 20, TEXT_Y = 20 };

void DrawPanicText(::Display* d, Window w, GC gc, XFontStruct* font, const char* text)
{
    int line_height = font ? font->max_bounds.ascent + font->max_bounds.descent : 13;
    int y = TEXT_Y;
    for(const char* s = text;;) {
        const char* e = std::strchr(s, '\n');
        int n = e ? (int)(e - s) : (int)std::strlen(s);
        XDrawString(d, w, gc, TEXT_X, y, s, n);
        if(!e)
            break;
        s = e + 1;
        y += line_height;
    }
}

// Runs the box's events until a click, a key, a close or the time limit.
void RunPanicBox(::Display* d, Window w, GC gc, XFontStruct* font, const char* text, Atom delete_window)
{
    int start = (int)MonotonicMs();
    for(;;) {
        while(XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            switch(e.type) {
            case Expose:
                DrawPanicText(d, w, gc, font, text);
                break;
            case ButtonPress:
            case KeyPress:
            case DestroyNotify:
                return;
            case ClientMessage:
                if((Atom)e.xclient.data.l[0] == delete_window)
                    return;
                break;
            default:
                break;
            }
        }
        int left = time_limit_ms - ((int)MonotonicMs() - start);
        if(left <= 0)
            return;
        pollfd p = { ConnectionNumber(d), POLLIN, 0 };
        if(poll(&p, 1, left) > 0 && (p.revents & (POLLERR | POLLHUP)))
            return;
    }
}

} // namespace

int SetPanicBoxTimeLimit(int ms)
{
    int old = time_limit_ms;
    time_limit_ms = ms;
    return old;
}

bool InFatalSignalHandler()
{
    // While a handler runs, its signal is blocked (the panicking handlers do not unblock).
    sigset_t set;
    if(sigprocmask(SIG_BLOCK, nullptr, &set) != 0)
        return false;
    for(int s : { SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT })
        if(sigismember(&set, s) == 1)
            return true;
    return false;
}

void ShowPanicBox(const char* caption, const char* text)
{
    if(write(2, text, std::strlen(text)) < 0 || write(2, "\n", 1) < 0) {}
    // A stuck Xlib (the box blocked inside a lock or an allocator a signal interrupted)
    // still ends: the alarm's default action ends the process.
    signal(SIGALRM, SIG_DFL);
    alarm((unsigned)(time_limit_ms / 1000 + 5));
    // A capture grab would keep the box from getting the click. Inside the X error
    // handler or a fatal signal the main connection may be mid-request: leave it alone.
    if(display && !InXErrorHandler() && !InFatalSignalHandler()) {
        XUngrabPointer(display, X_CURRENT_TIME);
        XFlush(display);
    }
    ::Display* d = XOpenDisplay(nullptr);
    if(!d) {
        alarm(0);
        return;
    }
    int s = DefaultScreen(d);
    int x = (DisplayWidth(d, s) - BOX_CX) / 2, y = (DisplayHeight(d, s) - BOX_CY) / 2;
    Window w = XCreateSimpleWindow(d, RootWindow(d, s), x, y, BOX_CX, BOX_CY, 4, BlackPixel(d, s), WhitePixel(d, s));
    XSizeHints hints = {};
    hints.flags = PPosition | PSize | PMinSize;
    hints.x = x;
    hints.y = y;
    hints.width = hints.min_width = BOX_CX;
    hints.height = hints.min_height = BOX_CY;
    char* no_argv[] = { nullptr };
    XSetStandardProperties(d, w, caption, caption, None, no_argv, 0, &hints);
    XSelectInput(d, w, KeyPressMask | ButtonPressMask | ExposureMask | StructureNotifyMask);
    Atom delete_window = XInternAtom(d, "WM_DELETE_WINDOW", false);
    XSetWMProtocols(d, w, &delete_window, 1);
    GC gc = XCreateGC(d, w, 0, nullptr);
    Atom above = XInternAtom(d, "_NET_WM_STATE_ABOVE", false);
    XChangeProperty(d, w, XInternAtom(d, "_NET_WM_STATE", false), XA_ATOM, 32, PropModeReplace, (unsigned char*)&above,
                    1);
    XMapRaised(d, w);
    XFontStruct* font = XQueryFont(d, XGContextFromGC(gc));
    RunPanicBox(d, w, gc, font, text, delete_window);
    if(font)
        XFreeFontInfo(nullptr, font, 1);
    XFreeGC(d, gc);
    XCloseDisplay(d);
    alarm(0);
}

void InstallPanicBox() { SetFatalMessageHook(ShowPanicBox); }

} // namespace Qor
