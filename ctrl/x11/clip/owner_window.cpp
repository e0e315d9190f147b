// The hidden window that owns the selections, the seam through which offers reach it, and
// the dispatch of its selection events.
#include "ctrl/x11/clip/selection.h"

#include "ctrl/x11/platform/x11_platform.h"
#include "ctrl/clip/clipboard.h"
#include "ctrl/x11/clip/selection_internal.h"
#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/display/x11_display.h"

#include <X11/Xatom.h>
#include <cstring>

namespace Qor {

namespace {

struct OwnerWindow {
    ::Display* on = nullptr;
    Window w = 0;

    ~OwnerWindow()
    {
        if(display && on == display && w)
            XDestroyWindow(display, w);
    }
};

OwnerWindow& Owner()
{
    static OwnerWindow owner;
    return owner;
}

DragRequestServer drag_request_server;

const char* SelectionName(int kind)
{
    return kind == TRANSFER_PRIMARY ? "PRIMARY" : kind == TRANSFER_DRAG ? "XdndSelection" : "CLIPBOARD";
}

// Without a connection there is nobody to ask: nothing is offered.
bool HostHasFormat(int kind, const String& format)
{
    if(!display)
        return false;
    return ClipboardOwner::HasFormat(AtomOf(format.Begin()), SelectionName(kind));
}

bool HostRead(int kind, const String& format, String& data)
{
    data.Clear();
    if(!display)
        return false;
    Atom property = kind == TRANSFER_DRAG ? XA_SECONDARY : AtomOf("CLIPDATA");
    return ReadSelection(AtomOf(format.Begin()), AtomOf(SelectionName(kind)), property, data);
}

void HostClaim(int kind)
{
    if(!display)
        return;
    // Sent at once: another program asking right after the copy must find this owner.
    XSetSelectionOwner(display, AtomOf(SelectionName(kind)), GetClipboardOwnerWindow(), X_CURRENT_TIME);
    XFlush(display);
}

} // namespace

// A clear that arrives after this program claimed the selection again is stale and must
// not drop the new data.
void ApplySelectionClear(const XSelectionClearEvent& e)
{
    if(XGetSelectionOwner(display, e.selection) == GetClipboardOwnerWindow())
        return;
    if(e.selection == XA_PRIMARY)
        DropPrimarySelection();
    else if(e.selection == AtomOf("CLIPBOARD"))
        DropClipboardItems();
}

Window GetClipboardOwnerWindow()
{
    OwnerWindow& o = Owner();
    // A new connection (tests switch displays) needs a window of its own.
    if(o.on != display || !o.w) {
        XSetWindowAttributes a = {};
        a.event_mask = PropertyChangeMask;
        o.w = XCreateWindow(display, root, 0, 0, 10, 10, 0, CopyFromParent, InputOnly, CopyFromParent, CWEventMask, &a);
        o.on = display;
    }
    return o.w;
}

void ClipboardOwner::Put(Atom format, const TransferItem& item) { PutClipboardItem(AtomName(format), item); }

bool ClipboardOwner::HasFormat(Atom format, const char* selection)
{
    if(!display)
        return false;
    String targets;
    if(!ReadSelectionTargets(AtomOf(selection), targets))
        return false;
    // Format-32 items arrive as the client's long.
    const char* p = targets.Begin();
    for(int i = 0; i + (int)sizeof(long) <= targets.GetLength(); i += (int)sizeof(long)) {
        long a;
        std::memcpy(&a, p + i, sizeof(long));
        if((Atom)a == format)
            return true;
    }
    return false;
}

void SetDragRequestServer(DragRequestServer server) { drag_request_server = server; }

bool HandleSelectionEvent(XEvent& event)
{
    if(!display)
        return false;
    Window owner = Owner().on == display ? Owner().w : 0;
    switch(event.type) {
    case SelectionRequest:
        if(!owner || event.xselectionrequest.owner != owner)
            return false;
        if(event.xselectionrequest.selection == AtomOf("XdndSelection")) {
            if(drag_request_server)
                drag_request_server(event.xselectionrequest);
            else
                RefuseSelectionRequest(event.xselectionrequest);
        }
        else
            ClipboardOwner::ServeRequest(event.xselectionrequest);
        return true;
    case SelectionClear:
        if(!owner || event.xselectionclear.window != owner)
            return false;
        ApplySelectionClear(event.xselectionclear);
        return true;
    case SelectionNotify:
        // An answer that came after its read gave up: nobody waits for it any more.
        return owner && event.xselection.requestor == owner;
    case PropertyNotify:
        return ContinueOutgoingTransfer(event.xproperty);
    case DestroyNotify:
        return DropTransfersTo(event.xdestroywindow.window);
    }
    return false;
}

bool X11Platform::HasFormat(int kind, const String& format) { return HostHasFormat(kind, format); }
bool X11Platform::Read(int kind, const String& format, String& data) { return HostRead(kind, format, data); }
void X11Platform::Claim(int kind) { HostClaim(kind); }

} // namespace Qor
