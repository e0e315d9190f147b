// Start-up registrations of the X11 back end hold in a program that links only it: the
// panic box is the fatal-message hook before any code of the program runs, so a fatal
// message opens a box on the display; clipboard offers reach the X server and PNG data decodes. Needs an X server;
// exits non-zero when a check fails.

#include "ctrl/x11/x11.h"
#include "draw/raster/stream_raster.h"
#include "foundation/panic.h"
#include "tests/registration/registration_check.h"
#include "tests/support/test_child.h"

#include <X11/Xatom.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

using QorRegistration::Check;

namespace {

bool HasWindowNamed(::Display* d, const std::string& caption)
{
    Window root_return, parent, *children = nullptr;
    unsigned n = 0;
    bool found = false;
    if(XQueryTree(d, DefaultRootWindow(d), &root_return, &parent, &children, &n)) {
        for(unsigned i = 0; i < n && !found; i++) {
            char* name = nullptr;
            if(XFetchName(d, children[i], &name) && name) {
                found = caption == name;
                XFree(name);
            }
        }
        XFree(children);
    }
    return found;
}

// A child connects as the window system's display, leaves a property change in its buffer
// and exits: only a display closed at exit sends it.
bool BufferedRequestSurvivesExit(::Display* d)
{
    std::string name = "QOR_EXIT_FLUSH_" + std::to_string(getpid());
    Atom property = XInternAtom(d, name.c_str(), false);
    XDeleteProperty(d, DefaultRootWindow(d), property);
    XSync(d, false);
    pid_t parent = getpid();
    pid_t child = fork();
    if(child == 0) {
        QorTest::PrepareTestChild(parent);
        Qor::display = XOpenDisplay(nullptr);
        if(Qor::display) {
            Atom a = XInternAtom(Qor::display, name.c_str(), false); // a round trip: nothing is left before it
            long value = 1;
            XChangeProperty(Qor::display, DefaultRootWindow(Qor::display), a, XA_CARDINAL, 32, PropModeReplace,
                            reinterpret_cast<unsigned char*>(&value), 1);
        }
        std::exit(0);
    }
    if(child < 0)
        return false;
    waitpid(child, nullptr, 0);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool set = XGetWindowProperty(d, DefaultRootWindow(d), property, 0, 1, true, AnyPropertyType, &type, &format,
                                  &count, &after, &data) == Success &&
               count == 1;
    if(data)
        XFree(data);
    return set;
}

} // namespace

int main()
{
    ::Display* d = XOpenDisplay(nullptr);
    Check(d != nullptr, "an X display is reachable (the check needs one)");
    if(!d)
        return QorRegistration::Finish("ctrl_x11_registration");
    std::string caption = "Qor registration box " + std::to_string(getpid());
    pid_t parent = getpid();
    pid_t child = fork();
    if(child == 0) {
        QorTest::PrepareTestChild(parent);
        Qor::ShowFatalMessage(caption.c_str(), "a fatal message");
        _exit(0);
    }
    bool shown = false;
    for(int i = 0; i < 500 && !shown; i++) { // at most 5 seconds
        shown = HasWindowNamed(d, caption);
        timespec t = { 0, 10000000 };
        nanosleep(&t, nullptr);
    }
    Check(shown, "a fatal message opens the panic box");
    Check(&Qor::GetPlatform() == &Qor::GetX11Platform(), "offers read and claim selections through the X server");
    // A 1 x 1 PNG of the colour (16, 32, 48).
    static const char png[] = "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x01"
                              "\x00\x00\x00\x01\x08\x02\x00\x00\x00\x90\x77\x53\xde\x00\x00\x00\x0c\x49"
                              "\x44\x41\x54\x78\x9c\x63\x10\x50\x30\x00\x00\x00\xa4\x00\x61\x34\x66\x7d"
                              "\x72\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82";
    Qor::Image decoded = Qor::StreamRaster::LoadFromString(Qor::String(png, sizeof(png) - 1));
    Check(decoded.GetWidth() == 1 && decoded[0][0] == Qor::MakeRGBA(16, 32, 48, 255),
          "images pasted as PNG are decoded");
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    Check(BufferedRequestSurvivesExit(d),
          "the display is closed at process exit, so what it still held reaches the server");
    XCloseDisplay(d);
    return QorRegistration::Finish("ctrl_x11_registration");
}
