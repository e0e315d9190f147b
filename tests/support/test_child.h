// The set-up of every process a test starts (a private X server, a window manager, a peer
// program, the program under test, the test itself on another server). Such a child must
// never outlive its test, and never hold the test's output open: ctest waits for the end of
// that output, so a child that keeps it would hang the run long after a test that died
// without running its destructors (a sanitizer stop, a crash, an _exit).
#pragma once

#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/types.h>
#include <unistd.h>

namespace QorTest {

// Called in the child right after fork(), with the parent's pid taken before the fork. The
// child gets a signal that kills it as soon as the test process ends, however it ends. Its
// standard input, output and error become in, out and err (/dev/null where -1); fd3, when
// given, becomes descriptor 3; every other descriptor the test had open is closed.
inline void PrepareTestChild(pid_t parent, int in = -1, int out = -1, int err = -1, int fd3 = -1)
{
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    // The test may have ended between the fork and the line above.
    if(getppid() != parent)
        _exit(127);
    int null = open("/dev/null", O_RDWR);
    dup2(in >= 0 ? in : null, 0);
    dup2(out >= 0 ? out : null, 1);
    dup2(err >= 0 ? err : null, 2);
    int first_closed = 3;
    if(fd3 >= 0) {
        if(fd3 != 3)
            dup2(fd3, 3);
        fcntl(3, F_SETFD, 0);
        first_closed = 4;
    }
    close_range((unsigned)first_closed, ~0u, 0);
}

} // namespace QorTest
