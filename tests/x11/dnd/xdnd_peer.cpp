// Running the XDND peer script beside the event loop.
#include "tests/x11/dnd/xdnd_peer.h"

#include "ctrl/x11/loop/x_event_loop.h"
#include "foundation/process.h"
#include "foundation/text_split.h"
#include "tests/support/test_child.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace QorTest {

using namespace Qor;

XdndPeer::XdndPeer(const std::vector<std::string>& args)
{
    // ctest names the source tree; run by hand the script lies beside this file.
    const char* source = std::getenv("QOR_TEST_SOURCE");
    std::string here = __FILE__;
    std::string script = source ? std::string(source) + "/tests/x11/dnd/xdnd_peer.py"
                                : here.substr(0, here.rfind('/') + 1) + "xdnd_peer.py";
    std::vector<std::string> argv = { "/usr/bin/python3", script };
    argv.insert(argv.end(), args.begin(), args.end());
    argv.push_back("--display");
    argv.push_back(DisplayString(display));
    int p[2];
    if(pipe(p) != 0) {
        ADD_FAILURE() << "no pipe for the XDND peer";
        return;
    }
    XFlush(display);
    pid_t parent = getpid();
    pid = fork();
    if(pid == 0) {
        PrepareTestChild(parent, -1, p[1], p[1]);
        std::vector<char*> c;
        for(std::string& a : argv)
            c.push_back(a.data());
        c.push_back(nullptr);
        execv(c[0], c.data());
        _exit(127);
    }
    close(p[1]);
    fd = p[0];
    fcntl(fd, F_SETFL, O_NONBLOCK);
}

XdndPeer::~XdndPeer()
{
    if(pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if(fd >= 0)
        close(fd);
}

void XdndPeer::Read()
{
    char buffer[512];
    for(;;) {
        ssize_t n = fd >= 0 ? read(fd, buffer, sizeof(buffer)) : 0;
        if(n <= 0)
            break;
        pending.append(buffer, (size_t)n);
    }
    for(size_t at; (at = pending.find('\n')) != std::string::npos;) {
        lines.push_back(pending.substr(0, at));
        pending.erase(0, at + 1);
    }
}

bool XdndPeer::Has(const std::string& prefix) const
{
    for(const std::string& l : lines)
        if(l.rfind(prefix, 0) == 0)
            return true;
    return false;
}

std::string XdndPeer::WaitLine(const std::string& prefix, int limit_ms)
{
    size_t seen = 0;
    std::string found;
    WaitFor(
        [&] {
            ProcessPendingEvents();
            Read();
            for(; seen < lines.size(); seen++)
                if(lines[seen].rfind(prefix, 0) == 0) {
                    found = lines[seen];
                    return true;
                }
            return false;
        },
        limit_ms);
    if(found.empty())
        ADD_FAILURE() << "the XDND peer did not report \"" << prefix
                      << "\"; it said: " << testing::PrintToString(lines);
    return found;
}

const std::vector<std::string>& XdndPeer::Finish(int limit_ms)
{
    WaitFor(
        [&] {
            ProcessPendingEvents();
            Read();
            int status;
            if(pid > 0 && waitpid(pid, &status, WNOHANG) == pid)
                pid = -1;
            return pid < 0;
        },
        limit_ms);
    Read();
    return lines;
}

TransferFormatMap TextDragData(const char* formats, const char* text)
{
    TransferFormatMap data;
    for(const String& f : SplitText(formats, ';', true))
        data.Add(f, TransferItem(String(text)));
    return data;
}

std::string Hex(const char* text)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for(; *text; text++) {
        out += digits[(unsigned char)*text >> 4];
        out += digits[*text & 15];
    }
    return out;
}

} // namespace QorTest
