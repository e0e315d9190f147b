// Other X clients for the clipboard tests: xclip and the misbehaving selection owner, run
// as child processes on the test's display, with their input and output in files.
#pragma once

#include "tests/support/x11/gui_test.h"

#include <string>
#include <sys/types.h>
#include <vector>

namespace QorTest {

class PeerProcess {
public:
    PeerProcess() = default;
    ~PeerProcess() { Stop(); }
    PeerProcess(const PeerProcess&) = delete;
    PeerProcess& operator=(const PeerProcess&) = delete;

    // Starts argv with input as its standard input; its standard output is kept.
    bool Start(const std::vector<std::string>& argv, const std::string& input = std::string());
    // Whether it still runs; once it ended, its exit status is known.
    bool IsRunning();
    // Runs the window system's event loop (so this program can answer the peer) until the
    // peer ends; false at the limit.
    bool PumpUntilExit(int limit_ms = 10000);
    int ExitStatus() const { return status; }
    // What it wrote to its standard output so far.
    std::string Output() const;
    void Stop();

private:
    pid_t pid = -1;
    int status = -1;
    std::string in_path;
    std::string out_path;
};

// The path of a file of the test sources.
std::string TestSourcePath(const char* relative);

// Waits until another client owns the selection.
bool WaitForForeignOwner(const char* selection, int limit_ms = 5000);

} // namespace QorTest
