// A real window manager (openbox) on a private X server, for tests that need one: started
// with the object, stopped with it.
#pragma once

#include "tests/support/x11/xvfb_server.h"

#include <sys/types.h>

namespace QorTest {

// Starts openbox on the server and waits up to 10 s until it manages the screen.
class OpenboxRun {
public:
    explicit OpenboxRun(XvfbServer& server);
    ~OpenboxRun();
    OpenboxRun(const OpenboxRun&) = delete;
    OpenboxRun& operator=(const OpenboxRun&) = delete;

    bool ready = false;

private:
    pid_t pid = -1;
};

} // namespace QorTest
