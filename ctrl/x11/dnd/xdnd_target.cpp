// XDND messages to a top-level window: entering, positions answered with a status, leaving
// and the drop answered with a finish.

#include "ctrl/x11/dnd/xdnd_target.h"

#include "ctrl/dnd/drop_target.h"
#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/display/x11_errors.h"
#include "ctrl/x11/dnd/xdnd_protocol.h"
#include "ctrl/x11/host/window_host.h"

namespace Qor {

namespace {

struct XdndTargetState {
    Point position = Point(0, 0); // root coordinates of the last position
    byte action = DROP_COPY;      // the last action proposed (or chosen by the target)
};

XdndTargetState& State()
{
    static XdndTargetState state;
    return state;
}

TransferOffer MakeDragOffer(byte action, bool fetch)
{
    TransferOffer offer;
    offer.kind = TRANSFER_DRAG;
    offer.action = action;
    offer.allowed_actions = DROP_COPY | DROP_MOVE;
    offer.fetch_on_accept = fetch;
    return offer;
}

// The source may be gone by the time the answer leaves.
void Answer(Window source, const char* type, long l1, long l2, long l4, Window self)
{
    bool trap = BeginErrorTrap();
    SendXdndMessage(source, type, (long)self, l1, l2, 0, l4);
    XSync(display, false);
    EndErrorTrap(trap);
}

} // namespace

bool HandleXdndMessage(Ctrl* top, WindowMapEntry*, const XEvent& event)
{
    if(event.type != ClientMessage || event.xclient.format != 32 || !top)
        return false;
    const XClientMessageEvent& m = event.xclient;
    Window source = Window(m.data.l[0]);
    Window self = GetHostWindow(*top);
    XdndTargetState& s = State();
    if(m.message_type == AtomOf("XdndEnter")) {
        KeyIndex<String>& types = GetDropTypes();
        types.Clear();
        for(const String& name : ReadXdndEnterTypes(m))
            types.Add(name);
        return true;
    }
    if(m.message_type == AtomOf("XdndPosition")) {
        s.position = UnpackXdndPosition(m.data.l[2]);
        TransferOffer offer = MakeDragOffer((byte)XdndActionOf(Atom(m.data.l[4])), false);
        WeakPointer<Ctrl> alive(top);
        DispatchDragAndDrop(top, s.position, offer);
        s.action = offer.action;
        Answer(source, "XdndStatus", offer.accepted ? 1 : 0, 0, (long)XdndActionAtom(offer.action), self);
        return true;
    }
    if(m.message_type == AtomOf("XdndLeave")) {
        EndDropTarget();
        return true;
    }
    if(m.message_type == AtomOf("XdndDrop")) {
        bool taken = false;
        byte action = s.action;
        if(GetDropTarget()) {
            TransferOffer offer = MakeDragOffer(s.action, true);
            DispatchDragAndDrop(top, s.position, offer);
            // Accepted means the control fetched the data: only then may a moving source
            // remove it.
            taken = offer.accepted;
            action = offer.action;
        }
        // A source waits for the finish, taken or not.
        Answer(source, "XdndFinished", taken ? 1 : 0, (long)XdndActionAtom(action), 0, self);
        EndDropTarget();
        return true;
    }
    return false;
}

} // namespace Qor
