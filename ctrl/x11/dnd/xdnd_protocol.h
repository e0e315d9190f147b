// XDND on the wire: the protocol's client messages, the actions and the search for the
// drag-aware window under the pointer.
#pragma once

#include "ctrl/dnd/drag_source.h"
#include "ctrl/x11/display/x11_display.h"
#include "foundation/string.h"
#include "foundation/vector.h"

namespace Qor {

// The oldest protocol version this program talks to, and its own.
constexpr int XDND_MIN_VERSION = 3;
constexpr int XDND_VERSION = 5;

// Sends an XDND client message (format 32) to window to, which also names the target.
void SendXdndMessage(Window to, const char* type, long l0, long l1, long l2, long l3, long l4);
// XdndActionMove for DROP_MOVE, else XdndActionCopy.
Atom XdndActionAtom(int action);
// DROP_MOVE for XdndActionMove, else DROP_COPY.
int XdndActionOf(Atom atom);
// A root position as XdndPosition packs it, and back.
long PackXdndPosition(Point p);
Point UnpackXdndPosition(long l);

// The version in a window's "XdndAware"; 0 when it has none.
int GetXdndAwareVersion(Window w);
// The drag-aware window under the pointer, searched from the root down through the
// children the pointer is in; 0 when none (the pointer's root position goes to root_pos).
// The search stops at the first aware window, whatever its version.
Window FindXdndWindowUnderPointer(int& version, Point& root_pos);

// The format names an XdndEnter offers: l[2..4], or the source's "XdndTypeList" when l[1]
// bit 0 says there are more than three. None atoms are skipped.
Vector<String> ReadXdndEnterTypes(const XClientMessageEvent& enter);

} // namespace Qor
