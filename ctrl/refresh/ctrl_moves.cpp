// Moved children, immediate repaint and the end of a full refresh.

#include "ctrl/loop/caret.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/tree/ctrl_class.h"
#include "ctrl/tree/host_window_record.h"

namespace Qor {

MoveRecord* MoveMap::Find(const Ctrl* c)
{
    for(MoveRecord& m : records)
        if(m.key == c)
            return &m;
    return nullptr;
}

void MoveMap::Put(Ctrl* c, const Rect& from, const Rect& to)
{
    if(MoveRecord* m = Find(c)) {
        m->ctrl = c;
        m->to = to;
        return;
    }
    MoveRecord& m = records.Add();
    m.key = c;
    m.ctrl = c;
    m.from = from;
    m.to = to;
}

bool Ctrl::GetMoveRectInRoot(Rect& r)
{
    if(!parent || !IsInOpenWindow() || !IsVisibleUpward())
        return false;
    int m = GetOverpaintByte();
    r = Rect(GetSize()).Inflated(m, m) + Size(rect_left, rect_top);
    return parent->MapRectToRoot(r, IsInFrameArea())->host != nullptr;
}

void Ctrl::RecordChildMove(const Rect& from, const Rect& to)
{
    HostWindowRecord* top = GetRootCtrl()->host;
    if(!top)
        return;
    MoveRecord* carried = top->refresh.scroll_moves.Find(this);
    if(carried && carried->from == from && carried->to == to)
        return; // the scroll already put it there on screen
    top->refresh.moves.Put(this, from, to);
}

void Ctrl::RefreshMovedChildren()
{
    if(!host)
        return;
    for(MoveMap* map : { &host->refresh.moves, &host->refresh.scroll_moves })
        for(int i = 0; host && i < map->GetCount(); i++) {
            const MoveRecord& m = (*map)[i];
            if(!m.ctrl)
                continue;
            Rect from = m.from;
            Rect to = m.to;
            RefreshFrameArea(from);
            RefreshFrameArea(to);
        }
    if(host) {
        host->refresh.moves.Clear();
        host->refresh.scroll_moves.Clear();
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

void Ctrl::InvalidateHostArea(const Rect& r)
{
    if(auto invalidate = GetCtrlCoreSeams().invalidate_host_area)
        invalidate(*this, r);
}

} // namespace Qor
