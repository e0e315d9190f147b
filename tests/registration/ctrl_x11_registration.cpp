// Start-up registrations of the X11 back end hold in a program that links only it: the
// panic box is the fatal-message hook before any code of the program runs, so a fatal
// message opens a box on the display; clipboard offers reach the X server. Needs an X server; exits non-zero when a
// check fails.

#include "ctrl/x11/x11.h"
#include "foundation/panic.h"
#include "tests/registration/registration_check.h"

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

} // namespace

int main()
{
    ::Display* d = XOpenDisplay(nullptr);
    Check(d != nullptr, "an X display is reachable (the check needs one)");
    if(!d)
        return QorRegistration::Finish("ctrl_x11_registration");
    std::string caption = "Qor registration box " + std::to_string(getpid());
    pid_t child = fork();
    if(child == 0) {
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
    const Qor::TransferHost& host = Qor::GetTransferHost();
    Check(host.has_format && host.read && host.claim, "offers read and claim selections through the X server");
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    XCloseDisplay(d);
    return QorRegistration::Finish("ctrl_x11_registration");
}
