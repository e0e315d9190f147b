// Walking a run of siblings while calling out: the next sibling is read only after the
// call, and the walk stops when the control just called left the run (the callee may have
// detached or destroyed it).
#pragma once

#include "ctrl/tree/ctrl_class.h"

namespace Qor {

// f(Ctrl*) returns true to end the walk; the result tells whether f ended it. step reads
// the sibling to go on to.
template <class F>
bool WalkSiblingsBy(Ctrl* start, Ctrl* (Ctrl::*step)() const, F f)
{
    for(Ctrl* q = start; q;) {
        Ctrl* parent = q->GetParent();
        WeakPointer<Ctrl> alive(q);
        if(f(q))
            return true;
        if(!alive || q->GetParent() != parent || !parent)
            return false;
        q = (q->*step)();
    }
    return false;
}

// Forward, along the next-sibling links.
template <class F>
bool WalkSiblings(Ctrl* start, F f)
{
    return WalkSiblingsBy(start, &Ctrl::GetNext, f);
}

// Backward, along the previous-sibling links.
template <class F>
bool WalkSiblingsBack(Ctrl* start, F f)
{
    return WalkSiblingsBy(start, &Ctrl::GetPrev, f);
}

} // namespace Qor
