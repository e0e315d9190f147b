// The native GTK 2 peer (tests/hostlook/peers/gtk_peer.c) as a child of the test: its output
// read through a pipe with a time limit; it dies with the test and is stopped with the object.
#pragma once

#include <map>
#include <string>
#include <sys/types.h>

namespace QorTest {

class GtkPeerRun {
public:
    // Starts the peer in the mode ("print" or "show") on the current DISPLAY.
    explicit GtkPeerRun(const char* mode);
    ~GtkPeerRun();
    GtkPeerRun(const GtkPeerRun&) = delete;
    GtkPeerRun& operator=(const GtkPeerRun&) = delete;

    // The next line of its output; false when it ended or limit_ms passed first.
    bool ReadLine(std::string& line, int limit_ms = 20000);

private:
    pid_t pid = -1;
    int output = -1;
    int input = -1;
    std::string pending;
};

// Everything "print" reports, by name; empty when the peer failed.
std::map<std::string, std::string> ReadGtkPeerTheme();

} // namespace QorTest
