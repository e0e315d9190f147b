// The registry of resettable statics and the look-modified flag.

#include "draw/look/resettable_statics.h"

namespace Qor {

namespace {

// Built on first use, so statics that initialise from any static initialiser find it.
Vector<ResettableStatic>& Registry()
{
    static Vector<ResettableStatic> registry;
    return registry;
}

bool look_modified = true;

} // namespace

void RegisterResettableStatic(byte* state, byte* registered, void (*init)())
{
    if(*registered)
        return;
    Registry().Add(ResettableStatic{state, init});
    *registered = 1;
}

const Vector<ResettableStatic>& GetResettableStatics()
{
    return Registry();
}

void MarkLookModified()
{
    look_modified = true;
}

void ClearLookModified()
{
    look_modified = false;
}

bool IsLookModified()
{
    return look_modified;
}

} // namespace Qor
