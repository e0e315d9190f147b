// Child processes that act as other X clients for the clipboard tests.
#include "tests/x11/clip/peer_process.h"

#include "ctrl/x11/clip/selection.h"
#include "ctrl/x11/display/x11_atoms.h"
#include "tests/support/test_child.h"
#include "tests/support/x11/input_window.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace QorTest {

namespace {

std::string TempPath(const char* what)
{
    static int n = 0;
    return "/tmp/qor_clip_" + std::to_string(getpid()) + "_" + std::to_string(++n) + "_" + what;
}

} // namespace

bool PeerProcess::Start(const std::vector<std::string>& argv, const std::string& input)
{
    in_path = TempPath("in");
    out_path = TempPath("out");
    std::ofstream(in_path, std::ios::binary) << input;
    pid_t parent = getpid();
    pid = fork();
    if(pid == 0) {
        // A test that dies takes its peers with it.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if(getppid() != parent)
            _exit(127);
        int in = open(in_path.c_str(), O_RDONLY);
        int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        PrepareTestChild(parent, in, out);
        std::vector<char*> args;
        for(const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    return pid > 0;
}

bool PeerProcess::IsRunning()
{
    if(pid <= 0)
        return false;
    int s = 0;
    if(waitpid(pid, &s, WNOHANG) == pid) {
        status = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
        pid = -1;
        return false;
    }
    return true;
}

bool PeerProcess::PumpUntilExit(int limit_ms)
{
    return PumpUntil([&] { return !IsRunning(); }, limit_ms);
}

std::string PeerProcess::Output() const
{
    std::ifstream f(out_path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void PeerProcess::Stop()
{
    if(pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }
    if(!in_path.empty()) {
        std::remove(in_path.c_str());
        std::remove(out_path.c_str());
    }
}

std::string TestSourcePath(const char* relative)
{
    const char* root = std::getenv("QOR_TEST_SOURCE");
    return std::string(root ? root : ".") + "/" + relative;
}

bool WaitForForeignOwner(const char* selection, int limit_ms)
{
    return WaitFor(
        [&] {
            Window owner = XGetSelectionOwner(Qor::display, Qor::AtomOf(selection));
            return owner != Qor::X_NONE && owner != Qor::GetClipboardOwnerWindow();
        },
        limit_ms);
}

} // namespace QorTest
