// The walk that hands the focus to the next or previous control: Tab, disabling a focused
// control and opening a window use it.

#include "ctrl/tree/child_walk_internal.h"
#include "ctrl/tree/ctrl_class.h"

namespace Qor {

namespace {

// Enabled up the chain, not only by its own flag: when a group holding the focus is
// disabled, the search must not hand the focus back to a control inside the group.
bool IsCandidate(Ctrl* q) { return q->IsInOpenWindow() && q->IsVisibleUpward() && q->IsEnabledUpward(); }

bool SearchForward(Ctrl* start, bool skip_frame, bool need_initial, bool any_enabled)
{
    return WalkSiblings(start, [&](Ctrl* q) {
        if(!IsCandidate(q))
            return false;
        bool framed = skip_frame && q->IsInFrameArea();
        if(any_enabled) {
            if(framed)
                return SearchForward(q->GetFirstChild(), skip_frame, need_initial, any_enabled);
            q->SetFocus();
            return true;
        }
        if(!framed && !(need_initial && !q->HasInitialFocus()) && q->FocusIfFocusable())
            return true;
        return SearchForward(q->GetFirstChild(), skip_frame, need_initial, any_enabled);
    });
}

bool SearchBackward(Ctrl* start, bool skip_frame, bool any_enabled)
{
    return WalkSiblingsBack(start, [&](Ctrl* q) {
        if(!IsCandidate(q))
            return false;
        bool framed = skip_frame && q->IsInFrameArea();
        if(SearchBackward(q->GetLastChild(), skip_frame, any_enabled))
            return true;
        if(any_enabled) {
            if(framed)
                return false;
            q->SetFocus();
            return true;
        }
        return !framed && q->FocusIfFocusable();
    });
}

} // namespace

bool Ctrl::FocusNextCtrl(Ctrl* from, const Ctrl* stop, bool skip_frame_area, bool need_initial, bool any_enabled)
{
    if(!from)
        return false;
    if(SearchForward(from->GetFirstChild(), skip_frame_area, need_initial, any_enabled))
        return true;
    if(from->GetParent() && SearchForward(from->GetNext(), skip_frame_area, need_initial, any_enabled))
        return true;
    for(Ctrl* a = from->GetParent(); a && a != stop; a = a->GetParent())
        if(a->GetParent() && SearchForward(a->GetNext(), skip_frame_area, need_initial, any_enabled))
            return true;
    return false;
}

bool Ctrl::FocusPrevCtrl(Ctrl* from, const Ctrl* stop, bool skip_frame_area, bool any_enabled)
{
    if(!from || from == stop)
        return false;
    for(;;) {
        if(from->GetParent() && SearchBackward(from->GetPrev(), skip_frame_area, any_enabled))
            return true;
        from = from->GetParent();
        // A stop that is not an ancestor ends the walk at the root.
        if(!from || from == stop)
            return false;
        if(from->FocusIfFocusable())
            return true;
    }
}

} // namespace Qor
