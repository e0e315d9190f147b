// Private Xvfb servers for tests of unusual screens.
#include "tests/support/x11/xvfb_server.h"

#include "foundation/process.h"
#include "tests/support/test_child.h"

#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace QorTest {

XvfbServer::XvfbServer(int cx, int cy, int depth, int limit_ms)
{
    // The server picks a free display number itself and writes it to the pipe once it
    // accepts connections, so parallel tests never race for a number.
    int fds[2];
    if(pipe(fds) != 0)
        return;
    std::string screen = std::to_string(cx) + "x" + std::to_string(cy) + "x" + std::to_string(depth);
    pid_t parent = getpid();
    pid = fork();
    if(pid == 0) {
        PrepareTestChild(parent, -1, -1, -1, fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", screen.c_str(), "-nolisten", "tcp", "-noreset",
               (char*)nullptr);
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    int start = (int)Qor::MonotonicMs();
    while(pid > 0) {
        int left = limit_ms - ((int)Qor::MonotonicMs() - start);
        pollfd p = { fds[0], POLLIN, 0 };
        if(left <= 0 || poll(&p, 1, left) <= 0)
            break;
        char c;
        if(read(fds[0], &c, 1) != 1)
            break;
        if(c == '\n') {
            name = ":" + number;
            break;
        }
        number += c;
    }
    close(fds[0]);
}

XvfbServer::~XvfbServer()
{
    if(connection) {
        if(Qor::display == connection)
            Qor::display = nullptr;
        XCloseDisplay(connection);
    }
    // The window system's display on this server (a test process's private one, stopped at
    // exit) is closed before the server goes: closing it later would talk to a dead server.
    if(Qor::display && !name.empty() && name == DisplayString(Qor::display)) {
        XCloseDisplay(Qor::display);
        Qor::display = nullptr;
    }
    if(pid > 0) {
        kill(pid, SIGTERM);
        int status;
        waitpid(pid, &status, 0);
    }
}

::Display* XvfbServer::Open()
{
    if(!connection && !name.empty())
        connection = XOpenDisplay(name.c_str());
    EXPECT_TRUE(connection) << "the private Xvfb server did not start";
    return connection;
}

} // namespace QorTest
