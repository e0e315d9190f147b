// Openbox on a private X server.

#include "tests/support/x11/openbox_run.h"

#include "foundation/process.h"
#include "tests/support/test_child.h"

#include <X11/Xlib.h>

#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace QorTest {

namespace {

bool HasWindowManager(::Display* d)
{
    Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", false);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    bool found = XGetWindowProperty(d, DefaultRootWindow(d), check, 0, 1, false, AnyPropertyType, &type, &format,
                                    &count, &after, &data) == Success &&
                 count == 1;
    if(data)
        XFree(data);
    return found;
}

} // namespace

OpenboxRun::OpenboxRun(XvfbServer& server)
{
    ::Display* d = server.Open();
    if(!d)
        return;
    pid_t parent = getpid();
    pid = fork();
    if(pid == 0) {
        PrepareTestChild(parent);
        setenv("DISPLAY", server.GetName().c_str(), 1);
        execlp("openbox", "openbox", "--sm-disable", (char*)nullptr);
        _exit(127);
    }
    for(Qor::uint32 start = Qor::MonotonicMs(); Qor::MonotonicMs() - start < 10000 && !ready; usleep(20000))
        ready = HasWindowManager(d);
}

OpenboxRun::~OpenboxRun()
{
    if(pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
}

} // namespace QorTest
