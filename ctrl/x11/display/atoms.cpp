// The atom cache.
#include "ctrl/x11/display/x11_atoms.h"

#include "ctrl/x11/display/x11_display_internal.h"
#include "foundation/key_map.h"

namespace Qor {

namespace {

KeyMap<String, dword>& AtomCache()
{
    static KeyMap<String, dword> cache;
    return cache;
}

} // namespace

Atom AtomOf(const char* name)
{
    KeyMap<String, dword>& cache = AtomCache();
    String key(name);
    int i = cache.Find(key);
    if(i >= 0)
        return cache[i];
    Atom a = XInternAtom(display, name, false);
    cache.Add(key, (dword)a);
    return a;
}

String AtomName(Atom atom)
{
    char* name = XGetAtomName(display, atom);
    if(!name)
        return String();
    String s(name);
    XFree(name);
    return s;
}

void ForgetAtoms() { AtomCache().Clear(); }

} // namespace Qor
