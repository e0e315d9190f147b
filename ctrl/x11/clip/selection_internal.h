// The limits of selection transfers, adjustable so that tests need not wait for the real ones.
#pragma once

#include "foundation/string.h"

#include "ctrl/x11/display/xlib.h"

namespace Qor {

struct SelectionLimits {
    int read_rounds = 20; // waits for the answer to a conversion
    int round_ms = 10;
    int incr_chunk_wait_ms = 5000; // a requestor that takes no chunk for this long is dropped
    int incr_total_ms = 120000;    // and so is a transfer that runs longer than this
    int max_transfers = 16;        // outgoing INCR transfers at once; the oldest goes first
    int incr_threshold = 0;        // bytes sent in one piece at most; 0: what the server allows
};

// Replaces the limits; returns the earlier ones.
SelectionLimits SetSelectionLimits(const SelectionLimits& limits);
const SelectionLimits& GetSelectionLimits();
// Outgoing INCR transfers still running.
int GetOutgoingTransferCount();
// Sends the next chunk when the notice is a requestor's deletion of a running transfer's
// property; true when it was. Transfers past their limits are dropped on the way.
bool ContinueOutgoingTransfer(const XPropertyEvent& e);
// Writes a property of another program's window; false when the server refused it.
bool WriteRequestorProperty(Window requestor, Atom property, Atom type, int format, const void* data, int items);
// The most bytes sent in one property; more go by INCR.
int IncrThreshold();
// Announces an INCR transfer of data into property of requestor; false when the
// announcement could not be written.
bool StartOutgoingTransfer(Window requestor, Atom property, Atom type, const String& data);
// A requestor's window was destroyed: its transfers end; true when it had any.
bool DropTransfersTo(Window requestor);
// Another program took a selection from the owner window.
void ApplySelectionClear(const XSelectionClearEvent& e);

} // namespace Qor
