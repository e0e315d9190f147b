// Tests that take over a whole X server (a pointer grab, a window manager) run on a private
// one: the test starts the server in its own process, then runs itself once more in a child
// process of the test program whose display is that server. The parent's result is the
// child's: it fails when the child fails, hangs past its limit or ran no test.
//
//     TEST_F(Suite, Name)
//     {
//         if(!IsPrivateServerChild()) {
//             XvfbServer server(320, 240, 24);
//             RunTestOnPrivateServer(server, 30000);
//             return;
//         }
//         ... the checks, on the private server ...
//     }
#pragma once

#include "tests/support/x11/xvfb_server.h"

namespace QorTest {

// True in the child that runs the current test on a private server.
bool IsPrivateServerChild();

// Runs the current test again in a child process with DISPLAY set to the server; records a
// failure with the child's output unless the child ran the test and passed within limit_ms.
void RunTestOnPrivateServer(const XvfbServer& server, int limit_ms);

} // namespace QorTest
