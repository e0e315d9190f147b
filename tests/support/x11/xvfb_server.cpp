// Private Xvfb servers for tests of unusual screens.
#include "tests/support/x11/xvfb_server.h"

#include "foundation/process.h"

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
    std::string fd = std::to_string(fds[1]);
    pid = fork();
    if(pid == 0) {
        close(fds[0]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp", "-noreset",
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
    if(connection)
        XCloseDisplay(connection);
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
