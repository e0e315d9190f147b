// The source side of XDND: the modal loop that follows the pointer over other windows,
// talks the protocol with the window under it and serves its data on "XdndSelection".
#pragma once

#include "ctrl/dnd/drag_source.h"
#include "ctrl/loop/event_loop.h"
#include "ctrl/x11/display/x11_display.h"

namespace Qor {

class DnDLoop : public LocalLoop {
public:
    DnDLoop() = default;
    ~DnDLoop() override;

    void PointerMoved(Point p, dword keyflags) override;
    bool ProcessKey(dword key, int count) override;
    void LeftButtonUp(Point p, dword keyflags) override;
    Image CursorFor(Point p, dword keyflags) override;

    // Finds the aware window under the pointer, changes targets and sends a position,
    // waiting a bounded time for its status.
    void Sync();
    // Drops on the target (waiting a bounded time for the finish) and ends the loop.
    void Drop();

    Image move_cursor;
    Image copy_cursor;
    Image none_cursor;
    Vector<Atom> types;
    const TransferFormatMap* data = nullptr;
    WeakPointer<Ctrl> source;
    Window source_window = 0;
    Window target = 0;
    dword allowed = 0;
    // Set by the drop: events still queued behind the release (a modifier let go) must not
    // start talking to the target again and overwrite what it answered.
    bool dropped = false;
};

// Process-wide state of the drag this program runs.
struct DragSourceState {
    WeakPointer<Ctrl> loop; // the running DnDLoop
    int action = DROP_NONE;
    int target_version = 0;
    bool waiting_status = false;
    bool waiting_finished = false;
};

DragSourceState& GetDragSourceState();

// How long the source waits for the target's answer to a position and to the drop (200 ms);
// adjustable so that tests on a busy machine need not race the real limit. Returns the
// earlier value.
int SetXdndReplyWait(int ms);

// The loop of the running drag, or null.
DnDLoop* GetRunningDnDLoop();

// Runs a drag out of source; the action that ended it (what the target took).
int RunXdndDrag(Ctrl* source, const Vector<String>& formats, const Image& sample, dword actions,
                const TransferFormatMap& data);

// Every event passes here: the target's XdndStatus and XdndFinished for the running drag.
void CheckXdndReply(const XEvent& event);
// Answers a request for "XdndSelection" while a drag runs; without a drag it is refused.
void ServeDragRequest(const XSelectionRequestEvent& request);

// While this process runs a drag: the data of a format, without the X server.
bool RenderRunningDrag(const String& format, String& out);

// Start-up: this process serves the drag's data to the target.
void RegisterXdndSource();

} // namespace Qor
