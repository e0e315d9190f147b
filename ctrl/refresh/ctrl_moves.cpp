// Moved children, immediate repaint and the end of a full refresh.

#include "ctrl/loop/caret.h"
#include "ctrl/platform/platform.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/tree/ctrl_class.h"
#include "ctrl/tree/host_window_record.h"

namespace Qor {

void Ctrl::RefreshMovedChildren()
{
    if(!host)
        return;
    for(Vector<ChildMove>* list : { &host->moves, &host->scroll_moves })
        for(int i = 0; host && i < list->GetCount(); i++) {
            const ChildMove& m = (*list)[i];
            if(!m.ctrl)
                continue;
            Rect from = m.from;
            Rect to = m.to;
            RefreshFrameArea(from);
            RefreshFrameArea(to);
        }
    if(host) {
        host->moves.Clear();
        host->scroll_moves.Clear();
    }
}

void Ctrl::RepaintNow()
{
    if(host && IsInOpenWindow()) {
        ApplyPendingScrolls();
        UpdateWindowCall();
    }
    else if(parent) {
        Rect r = GetRectInParent();
        Ctrl* root = parent->MapRectToRoot(r, IsInFrameArea());
        root->ApplyPendingScrolls();
        root->UpdateWindowRectCall(r);
    }
    SyncCaret();
}

void Ctrl::ClearRefreshPending()
{
    SetFullRefreshPending(false);
    for(Ctrl* q = first_child; q; q = q->next)
        q->ClearRefreshPending();
}

void Ctrl::InvalidateHostArea(const Rect& r) { GetPlatform().InvalidateHostArea(*this, r); }

} // namespace Qor
