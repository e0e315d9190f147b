// Answering other programs' requests for the selections this program owns.
#include "ctrl/x11/clip/selection.h"

#include "ctrl/clip/clipboard.h"
#include "ctrl/x11/clip/selection_internal.h"
#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/display/x11_errors.h"

#include <X11/Xatom.h>

namespace Qor {

namespace {

// Old clients name no property: the target's atom is then the property (ICCCM).
Atom ReplyProperty(const XSelectionRequestEvent& r) { return r.property != X_NONE ? r.property : r.target; }

void SendNotify(const XSelectionRequestEvent& r, Atom property)
{
    XEvent e = {};
    XSelectionEvent& n = e.xselection;
    n.type = SelectionNotify;
    n.display = display;
    n.requestor = r.requestor;
    n.selection = r.selection;
    n.target = r.target;
    n.property = property;
    n.time = r.time;
    // The requestor may be gone already; its error must arrive while the trap is set.
    bool trap = BeginErrorTrap();
    XSendEvent(display, r.requestor, false, 0, &e);
    XSync(display, false);
    EndErrorTrap(trap);
}

} // namespace

bool WriteRequestorProperty(Window requestor, Atom property, Atom type, int format, const void* data, int items)
{
    bool trap = BeginErrorTrap();
    unsigned long serial = NextRequest(display);
    XChangeProperty(display, requestor, property, type, format, PropModeReplace, (const unsigned char*)data, items);
    XSync(display, false);
    bool failed = LastTrappedErrorSerial() >= serial;
    EndErrorTrap(trap);
    return !failed;
}

void RefuseSelectionRequest(const XSelectionRequestEvent& r) { SendNotify(r, X_NONE); }

void AnswerTargetsRequest(const XSelectionRequestEvent& r, const Vector<Atom>& targets)
{
    Vector<long> items;
    for(Atom a : targets)
        items.Add((long)a);
    Atom property = ReplyProperty(r);
    bool written = WriteRequestorProperty(r.requestor, property, AtomOf("ATOM"), 32, items.begin(), items.GetCount());
    SendNotify(r, written ? property : X_NONE);
}

void AnswerSelectionRequest(const XSelectionRequestEvent& r, Atom type, const String& data)
{
    Atom property = ReplyProperty(r);
    if(data.GetLength() > IncrThreshold()) {
        SendNotify(r, StartOutgoingTransfer(r.requestor, property, type, data) ? property : X_NONE);
        return;
    }
    bool written = WriteRequestorProperty(r.requestor, property, type, 8, data.Begin(), data.GetLength());
    SendNotify(r, written ? property : X_NONE);
}

void ClipboardOwner::ServeRequest(const XSelectionRequestEvent& r)
{
    int kind = -1;
    if(r.selection == XA_PRIMARY)
        kind = TRANSFER_PRIMARY;
    else if(r.selection == AtomOf("CLIPBOARD"))
        kind = TRANSFER_CLIPBOARD;
    if(kind < 0) {
        RefuseSelectionRequest(r);
        return;
    }
    if(r.target == AtomOf("TARGETS")) {
        Vector<Atom> targets;
        if(kind == TRANSFER_PRIMARY) {
            if(GetPrimaryOwner())
                for(const String& name : GetPrimaryFormats().GetKeys())
                    targets.Add(AtomOf(name.Begin()));
        }
        else
            for(const String& name : GetClipboardItems().GetKeys())
                targets.Add(AtomOf(name.Begin()));
        AnswerTargetsRequest(r, targets);
        return;
    }
    String data;
    if(!RenderOwnSelection(kind, AtomName(r.target), data)) {
        RefuseSelectionRequest(r);
        return;
    }
    AnswerSelectionRequest(r, r.target, data);
}

} // namespace Qor
