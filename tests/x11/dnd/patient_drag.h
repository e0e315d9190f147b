// The other program of a drag-and-drop test is a script, and the machine may be busy: a drag
// the test runs waits for the script's answers far longer than the 200 ms another program
// gets. A wait ends as soon as the answer comes, so the long limit costs time only where no
// answer ever comes.
#pragma once

#include "ctrl/x11/dnd/dnd_loop.h"

namespace QorTest {

// How long a test's drag waits for an answer, and how long a test waits for a drag.
constexpr int PEER_REPLY_WAIT_MS = 30000;
constexpr int PEER_DRAG_LIMIT_MS = 60000;

// The drag's answer wait for a scope.
class PatientDrag {
public:
    explicit PatientDrag(int ms = PEER_REPLY_WAIT_MS) : saved(Qor::SetXdndReplyWait(ms)) {}
    ~PatientDrag() { Qor::SetXdndReplyWait(saved); }
    PatientDrag(const PatientDrag&) = delete;
    PatientDrag& operator=(const PatientDrag&) = delete;

private:
    int saved;
};

} // namespace QorTest
