// Data too large for one request goes to the requestor by INCR: an announcement, then a
// chunk each time the requestor deletes the property, and an empty chunk at the end. The
// transfers run beside the event loop; each is bounded in time, and so is their number.
#include "ctrl/x11/clip/selection_internal.h"

#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/display/x11_errors.h"
#include "foundation/process.h"

#include <algorithm>

namespace Qor {

namespace {

struct OutgoingTransfer {
    Window requestor = 0;
    Atom property = 0;
    Atom type = 0;
    String data;
    int sent = 0;
    bool finished = false; // the empty chunk is out
    int start_ms = 0;
    int last_ms = 0;
};

Vector<OutgoingTransfer>& Transfers()
{
    static Vector<OutgoingTransfer> transfers;
    return transfers;
}

int ChunkBytes() { return IncrThreshold(); }

bool WatchesRequestor(Window w)
{
    for(const OutgoingTransfer& t : Transfers())
        if(t.requestor == w)
            return true;
    return false;
}

// The requestor may be gone: errors must arrive while the trap is set.
void SelectRequestorInput(Window w, long mask)
{
    bool trap = BeginErrorTrap();
    XSelectInput(display, w, mask);
    XSync(display, false);
    EndErrorTrap(trap);
}

void Forget(int i)
{
    Vector<OutgoingTransfer>& ts = Transfers();
    Window w = ts[i].requestor;
    ts.Remove(i);
    if(!WatchesRequestor(w))
        SelectRequestorInput(w, NoEventMask);
}

void DropExpired()
{
    const SelectionLimits& l = GetSelectionLimits();
    int now = (int)MonotonicMs();
    Vector<OutgoingTransfer>& ts = Transfers();
    for(int i = ts.GetCount() - 1; i >= 0; i--)
        if(now - ts[i].last_ms > l.incr_chunk_wait_ms || now - ts[i].start_ms > l.incr_total_ms)
            Forget(i);
}

} // namespace

int IncrThreshold()
{
    if(int t = GetSelectionLimits().incr_threshold; t > 0)
        return t;
    // A quarter of what one request may carry leaves room for the request itself and is
    // what other clients take in one piece.
    long units = XMaxRequestSize(display);
    return (int)std::clamp(units, 4096l, 65536l);
}

int GetOutgoingTransferCount()
{
    DropExpired();
    return Transfers().GetCount();
}

bool StartOutgoingTransfer(Window requestor, Atom property, Atom type, const String& data)
{
    DropExpired();
    Vector<OutgoingTransfer>& ts = Transfers();
    if(ts.GetCount() >= std::max(GetSelectionLimits().max_transfers, 1))
        Forget(0);
    // The requestor's deletions of the property pace the chunks.
    // A requestor's window that goes away ends its transfers at once.
    SelectRequestorInput(requestor, PropertyChangeMask | StructureNotifyMask);
    long size = data.GetLength();
    if(!WriteRequestorProperty(requestor, property, AtomOf("INCR"), 32, &size, 1)) {
        if(!WatchesRequestor(requestor))
            SelectRequestorInput(requestor, NoEventMask);
        return false;
    }
    OutgoingTransfer& t = ts.Add();
    t.requestor = requestor;
    t.property = property;
    t.type = type;
    t.data = data;
    t.start_ms = t.last_ms = (int)MonotonicMs();
    return true;
}

bool DropTransfersTo(Window requestor)
{
    Vector<OutgoingTransfer>& ts = Transfers();
    bool any = false;
    for(int i = ts.GetCount() - 1; i >= 0; i--)
        if(ts[i].requestor == requestor) {
            ts.Remove(i);
            any = true;
        }
    return any;
}

bool ContinueOutgoingTransfer(const XPropertyEvent& e)
{
    if(e.state != PropertyDelete)
        return false;
    DropExpired();
    Vector<OutgoingTransfer>& ts = Transfers();
    for(int i = 0; i < ts.GetCount(); i++) {
        OutgoingTransfer& t = ts[i];
        if(t.requestor != e.window || t.property != e.atom)
            continue;
        if(t.finished) {
            Forget(i);
            return true;
        }
        int n = std::min(ChunkBytes(), t.data.GetLength() - t.sent);
        // The empty chunk after the last one ends the transfer.
        if(!WriteRequestorProperty(t.requestor, t.property, t.type, 8, t.data.Begin() + t.sent, n)) {
            Forget(i);
            return true;
        }
        t.sent += n;
        t.finished = n == 0;
        t.last_ms = (int)MonotonicMs();
        if(t.finished)
            Forget(i);
        return true;
    }
    return false;
}

} // namespace Qor
