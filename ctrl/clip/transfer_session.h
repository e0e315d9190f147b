// One user action that reads other programs' data (a paste, a drop, the test whether the
// paste item is enabled) as one bounded operation.
#pragma once

namespace Qor {

// While one is alive, the reads of other programs' selections share one bound: an owner
// that failed to answer once is not asked again, the waits for answers add up to one
// read's bound, and INCR transfers share one overall time limit. What an owner lists
// (TARGETS) is asked once per selection. Sessions nest; the outermost one counts.
class TransferSession {
public:
    TransferSession();
    ~TransferSession();
    TransferSession(const TransferSession&) = delete;
    TransferSession& operator=(const TransferSession&) = delete;
};

// The serial number of the outermost open session, 0 when none is open; each session
// gets a new one, so that state kept for one is never taken for the next.
int GetTransferSession();

} // namespace Qor
