// XDND client messages, actions and the search for aware windows.

#include "ctrl/x11/dnd/xdnd_protocol.h"

#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/display/x11_errors.h"

#include <X11/Xatom.h>

namespace Qor {

void SendXdndMessage(Window to, const char* type, long l0, long l1, long l2, long l3, long l4)
{
    XEvent e = {};
    e.xclient.type = ClientMessage;
    e.xclient.display = display;
    e.xclient.window = to;
    e.xclient.message_type = AtomOf(type);
    e.xclient.format = 32;
    e.xclient.data.l[0] = l0;
    e.xclient.data.l[1] = l1;
    e.xclient.data.l[2] = l2;
    e.xclient.data.l[3] = l3;
    e.xclient.data.l[4] = l4;
    XSendEvent(display, to, false, 0, &e);
}

Atom XdndActionAtom(int action) { return AtomOf(action == DROP_MOVE ? "XdndActionMove" : "XdndActionCopy"); }

int XdndActionOf(Atom atom) { return atom == AtomOf("XdndActionMove") ? DROP_MOVE : DROP_COPY; }

long PackXdndPosition(Point p) { return (long)(((p.x & 0xffff) << 16) | (p.y & 0xffff)); }

Point UnpackXdndPosition(long l) { return Point((int)((l >> 16) & 0xffff), (int)(l & 0xffff)); }

int GetXdndAwareVersion(Window w)
{
    Vector<int> v = ReadWindowPropertyInts(w, AtomOf("XdndAware"), AnyPropertyType);
    return v.IsEmpty() ? 0 : v[0];
}

Window FindXdndWindowUnderPointer(int& version, Point& root_pos)
{
    version = 0;
    Window w = root;
    // Windows nest a few levels deep; the bound only stops a server that answers in circles.
    for(int depth = 0; depth < 64; depth++) {
        Window root_return = 0, child = 0;
        int rx, ry, wx, wy;
        unsigned mask;
        if(!XQueryPointer(display, w, &root_return, &child, &rx, &ry, &wx, &wy, &mask) || !child)
            return 0;
        root_pos = Point(rx, ry);
        if(int v = GetXdndAwareVersion(child)) {
            version = v;
            return child;
        }
        w = child;
    }
    return 0;
}

Vector<String> ReadXdndEnterTypes(const XClientMessageEvent& enter)
{
    Vector<Atom> atoms;
    if(enter.data.l[1] & 1) {
        bool trap = BeginErrorTrap();
        for(int a : ReadWindowPropertyInts(Window(enter.data.l[0]), AtomOf("XdndTypeList"), XA_ATOM))
            atoms.Add(Atom(unsigned(a)));
        XSync(display, false);
        EndErrorTrap(trap);
    }
    else
        for(int i = 2; i <= 4; i++)
            atoms.Add(Atom(enter.data.l[i]));
    Vector<String> names;
    bool trap = BeginErrorTrap();
    // Asking for the name of None is an error: such slots mean fewer types.
    for(Atom a : atoms)
        if(a != (Atom)X_NONE) {
            String name = AtomName(a);
            if(!name.IsEmpty())
                names.Add(name);
        }
    XSync(display, false);
    EndErrorTrap(trap);
    return names;
}

} // namespace Qor
