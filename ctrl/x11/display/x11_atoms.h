// The atom cache and the readers of window properties, including the INCR transfer of
// large selections.
#pragma once

#include "foundation/string.h"
#include "foundation/vector.h"

#include "ctrl/x11/display/xlib.h"

namespace Qor {

// The atom of a name, interned on its first use and cached.
Atom AtomOf(const char* name);
// Interns those of the names not cached yet, all in one exchange with the server, and
// caches them for AtomOf.
void InternAtoms(const char* const* names, int count);
// The name of an atom; empty for one the server does not know.
String AtomName(Atom atom);

// The raw bytes of a property (items of format 32 as the client's long each); empty when
// it is missing or of another type than type (AnyPropertyType takes any). At most
// MAX_PROPERTY_BYTES are read, so another client cannot make the reader take all memory.
String ReadWindowProperty(Window w, Atom property, Atom type);
// The property's items as ints (format-32 items truncated to 32 bits).
Vector<int> ReadWindowPropertyInts(Window w, Atom property, Atom type);
// What a selection owner delivered into the property of w, following INCR; the property is
// deleted. w must have selected PropertyChangeMask for INCR. Bounded in time and size: a
// transfer that stalls or runs too long returns what came so far.
String ReadSelectionProperty(Window w, Atom property);
// The same, false when the property is missing or an INCR transfer was cut short (stalled,
// too long or too large); out then holds what came.
bool ReadSelectionProperty(Window w, Atom property, String& out);

enum : int { MAX_PROPERTY_BYTES = 64 * 1024 * 1024 };

} // namespace Qor
