// The first-use steps of every skinnable style record: register for resets, fill the
// defaults, mark built and keep a standard copy.
#pragma once

#include "draw/look/resettable_statics.h"

namespace Qor {

// Style begins with `byte status; byte registered; const Style* standard;`. When s is not
// built (status 0): registers it for resets with rebuild (a thunk that calls the record's
// getter, so a skin change builds it again), runs fill(s), sets status 1, copies s into
// standard and points both records at that copy. A built record is returned untouched.
// fill may copy a whole base record into s: registration comes first, so the copied
// registered byte cannot keep s out of the registry.
template <class Style, class Fill>
Style& BuildStyleRecord(Style& s, Style& standard, void (*rebuild)(), Fill fill)
{
    if(s.status != STATIC_UNSET)
        return s;
    RegisterResettableStatic(&s.status, &s.registered, rebuild);
    fill(s);
    s.status = STATIC_DEFAULT;
    s.registered = 1;
    standard = s;
    s.standard = &standard;
    standard.standard = &standard;
    return s;
}

// What a skin does before it writes fields of a style record.
template <class Style>
Style& BeginSkinningStyle(Style& s)
{
    s.status = STATIC_SKINNED;
    MarkLookModified();
    return s;
}

} // namespace Qor
