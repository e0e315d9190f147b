// The GUI test harness: display, waits, pixels and properties.
#include "tests/support/x11/gui_test.h"

#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/display/x11_errors_internal.h"
#include "foundation/process.h"

#include <cstdlib>

namespace QorTest {

using namespace Qor;

bool RequireDisplay()
{
    if(display)
        return true;
    const char* name = std::getenv("DISPLAY");
    ::Display* probe = name && *name ? XOpenDisplay(name) : nullptr;
    if(!probe) {
        ADD_FAILURE() << "No X display (DISPLAY is " << (name ? "\"" + std::string(name) + "\"" : "unset")
                      << "): GUI tests need an X server; ./test starts Xvfb, or run under tools/xvfb.sh.";
        return false;
    }
    XCloseDisplay(probe);
    // A panic in a test must not leave its box waiting for a user who is not there.
    SetPanicBoxTimeLimit(2000);
    SetupDisplay();
    return display != nullptr;
}

bool WaitFor(const std::function<bool()>& done, int limit_ms)
{
    int start = (int)MonotonicMs();
    for(;;) {
        if(done())
            return true;
        if((int)MonotonicMs() - start >= limit_ms)
            return false;
        if(display)
            XFlush(display);
        SleepMs(5);
    }
}

int Pixels::Count(Color c) const
{
    int n = 0;
    for(Color x : colors)
        n += x == c;
    return n;
}

std::vector<std::string> Pixels::Picture(std::initializer_list<std::pair<Color, char>> legend) const
{
    std::vector<std::string> rows;
    for(int y = 0; y < cy; y++) {
        std::string row;
        for(int x = 0; x < cx; x++) {
            char ch = '?';
            for(const auto& l : legend)
                if(l.first == At(x, y))
                    ch = l.second;
            row += ch;
        }
        rows.push_back(row);
    }
    return rows;
}

namespace {

int Component(unsigned long pixel, unsigned long mask)
{
    if(!mask)
        return 0;
    unsigned long v = (pixel & mask) >> __builtin_ctzl(mask);
    unsigned long max = mask >> __builtin_ctzl(mask);
    return (int)(v * 255 / max);
}

} // namespace

Pixels GrabPixels(::Display* d, Drawable dw, const Rect& r)
{
    Pixels p;
    XSync(d, false);
    XImage* img = XGetImage(d, dw, r.left, r.top, r.Width(), r.Height(), AllPlanes, ZPixmap);
    if(!img) {
        ADD_FAILURE() << "XGetImage failed";
        return p;
    }
    p.cx = r.Width();
    p.cy = r.Height();
    Visual* v = DefaultVisual(d, DefaultScreen(d));
    for(int y = 0; y < p.cy; y++)
        for(int x = 0; x < p.cx; x++) {
            unsigned long pixel = XGetPixel(img, x, y);
            if(v->c_class == TrueColor)
                p.colors.push_back(Color(Component(pixel, v->red_mask), Component(pixel, v->green_mask),
                                         Component(pixel, v->blue_mask)));
            else {
                XColor c = {};
                c.pixel = pixel;
                XQueryColor(d, DefaultColormap(d, DefaultScreen(d)), &c);
                p.colors.push_back(Color(c.red >> 8, c.green >> 8, c.blue >> 8));
            }
        }
    XDestroyImage(img);
    return p;
}

Pixels GrabPixels(Drawable d, const Rect& r) { return GrabPixels(display, d, r); }

String ReadProperty(Window w, const char* name, Atom* type)
{
    String out;
    Atom actual = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if(XGetWindowProperty(display, w, XInternAtom(display, name, false), 0, 0x7fffffff / 4, false, AnyPropertyType,
                          &actual, &format, &items, &after, &data) == Success &&
       data) {
        out.Append((const char*)data, (int)(items * (format == 32 ? sizeof(long) : format / 8)));
    }
    if(data)
        XFree(data);
    if(type)
        *type = actual;
    return out;
}

} // namespace QorTest
