// The native GTK 2 peer as a child of the test.

#include "tests/hostlook/gui/gtk_peer_run.h"

#include "foundation/process.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace QorTest {

GtkPeerRun::GtkPeerRun(const char* mode)
{
    int out[2], in[2];
    if(pipe2(out, O_CLOEXEC) != 0)
        return;
    if(pipe2(in, O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        return;
    }
    pid_t parent = getpid();
    pid = fork();
    if(pid == 0) {
        // Dies with the test, and holds none of the test's output open.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if(getppid() != parent)
            _exit(1);
        dup2(in[0], 0);
        dup2(out[1], 1);
        int null = open("/dev/null", O_WRONLY);
        dup2(null, 2);
        execl(QOR_GTK_PEER, QOR_GTK_PEER, mode, (char*)nullptr);
        _exit(127);
    }
    close(out[1]);
    close(in[0]);
    output = out[0];
    input = in[1];
}

GtkPeerRun::~GtkPeerRun()
{
    if(input >= 0)
        close(input);
    if(output >= 0)
        close(output);
    if(pid > 0) {
        kill(pid, SIGKILL);
        int status;
        waitpid(pid, &status, 0);
    }
}

bool GtkPeerRun::ReadLine(std::string& line, int limit_ms)
{
    int start = (int)Qor::MonotonicMs();
    for(;;) {
        size_t end = pending.find('\n');
        if(end != std::string::npos) {
            line = pending.substr(0, end);
            pending.erase(0, end + 1);
            return true;
        }
        int left = limit_ms - ((int)Qor::MonotonicMs() - start);
        pollfd p = { output, POLLIN, 0 };
        if(output < 0 || left <= 0 || poll(&p, 1, left) <= 0)
            return false;
        char buffer[512];
        ssize_t n = read(output, buffer, sizeof(buffer));
        if(n <= 0)
            return false;
        pending.append(buffer, (size_t)n);
    }
}

std::map<std::string, std::string> ReadGtkPeerTheme()
{
    std::map<std::string, std::string> values;
    GtkPeerRun peer("print");
    std::string line;
    while(peer.ReadLine(line)) {
        size_t space = line.find(' ');
        if(space != std::string::npos)
            values[line.substr(0, space)] = line.substr(space + 1);
    }
    return values;
}

} // namespace QorTest
