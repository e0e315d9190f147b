// The registry of resettable statics: every skinnable static (a colour, look or style
// built on first use) enters it once, so that a skin change can send them all back to
// their defaults and rebuild them.
#pragma once

#include "foundation/types.h"
#include "foundation/vector.h"

namespace Qor {

// A skinnable static's state byte: 0 not initialised (the next read fills the default),
// 1 holds its default, 2 set by a skin.
enum : byte { STATIC_UNSET = 0, STATIC_DEFAULT = 1, STATIC_SKINNED = 2 };

struct ResettableStatic {
    byte* state;
    // Fills the default when the state is 0; does nothing otherwise.
    void (*init)();
};

// Appends (state, init) unless *registered is already set; then sets *registered to 1.
void RegisterResettableStatic(byte* state, byte* registered, void (*init)());

// Every registered static in the order of registration; entries are never removed.
const Vector<ResettableStatic>& GetResettableStatics();

// Set by every setter of a colour, look or look setting; cleared by the rebuild of the
// statics after a skin change. Starts true.
void MarkLookModified();
void ClearLookModified();
bool IsLookModified();

} // namespace Qor
