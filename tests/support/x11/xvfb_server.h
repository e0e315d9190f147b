// A private X server of a chosen depth for the tests that need a screen unlike the usual
// one (16-bit, 8-bit palette), started by the test and stopped with it.
#pragma once

#include "tests/support/x11/gui_test.h"

#include <string>
#include <sys/types.h>

namespace QorTest {

class XvfbServer {
public:
    // Starts Xvfb with one cx x cy screen of the depth; waits at most limit_ms for it.
    XvfbServer(int cx, int cy, int depth, int limit_ms = 10000);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // The display name (":N"); empty when the server did not start.
    const std::string& GetName() const { return name; }
    // A connection to it, closed with the server; null (with a test failure) when it did
    // not start.
    ::Display* Open();

private:
    pid_t pid = -1;
    std::string name;
    ::Display* connection = nullptr;
};

} // namespace QorTest

namespace QorTest {

// Makes another connection the window system's display for a scope, and the earlier one
// again at its end (the display state then describes that one again).
class DisplaySwitch {
public:
    explicit DisplaySwitch(::Display* d) : saved(Qor::display) { Qor::InitDisplayState(d); }
    ~DisplaySwitch()
    {
        if(saved)
            Qor::InitDisplayState(saved);
    }
    DisplaySwitch(const DisplaySwitch&) = delete;
    DisplaySwitch& operator=(const DisplaySwitch&) = delete;

private:
    ::Display* saved;
};

} // namespace QorTest
