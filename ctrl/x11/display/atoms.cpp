// The atom cache.
#include "ctrl/x11/display/x11_atoms.h"

#include "ctrl/x11/display/x11_display_internal.h"
#include "foundation/key_index.h"
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

void InternAtoms(const char* const* names, int count)
{
    KeyMap<String, dword>& cache = AtomCache();
    KeyIndex<String> asked;
    Vector<char*> missing;
    for(int i = 0; i < count; i++) {
        String name(names[i]);
        if(cache.Find(name) < 0 && asked.Find(name) < 0) {
            asked.Add(name);
            missing.Add(const_cast<char*>(names[i]));
        }
    }
    if(missing.IsEmpty())
        return;
    Vector<Atom> atoms;
    atoms.SetCount(missing.GetCount());
    // XInternAtoms sends all requests before it waits for the first reply. An atom that
    // failed stays out of the cache: AtomOf asks for it again.
    XInternAtoms(display, missing.begin(), missing.GetCount(), false, atoms.begin());
    for(int i = 0; i < missing.GetCount(); i++)
        if(atoms[i])
            cache.Add(asked[i], (dword)atoms[i]);
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
