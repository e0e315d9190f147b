// The other program of the drag-and-drop tests: xdnd_peer.py, a small XDND source or target
// on the window system's display, whose report lines the test reads while it runs the loop.
#pragma once

#include "tests/support/x11/gui_test.h"

#include "ctrl/clip/transfer.h"

#include <string>
#include <sys/types.h>
#include <vector>

namespace QorTest {

class XdndPeer {
public:
    // Starts the script with the arguments after its mode; the display is the window
    // system's.
    explicit XdndPeer(const std::vector<std::string>& args);
    ~XdndPeer();
    XdndPeer(const XdndPeer&) = delete;
    XdndPeer& operator=(const XdndPeer&) = delete;

    // Runs the event loop until a line starting with prefix arrives; the line, or empty
    // (with the lines so far in the failure) when none came within limit_ms.
    std::string WaitLine(const std::string& prefix, int limit_ms = 5000);
    // Runs the event loop until the script ends (at most limit_ms); its lines.
    const std::vector<std::string>& Finish(int limit_ms = 5000);
    bool Has(const std::string& prefix) const;
    const std::vector<std::string>& Lines() const { return lines; }

private:
    pid_t pid = -1;
    int fd = -1;
    std::string pending;
    std::vector<std::string> lines;

    void Read();
};

// A drag's data: the text under every format named (";"-separated).
Qor::TransferFormatMap TextDragData(const char* formats, const char* text);

// The text as lower-case hexadecimal digits, as the peer reports data.
std::string Hex(const char* text);

} // namespace QorTest
