// The control record's construction and destruction, the child-list operations with their
// notifications in fixed order, and the searches up the tree.

#include "ctrl/tree/ctrl_class.h"

#include "ctrl/platform/platform.h"
#include "ctrl/frame/ctrl_frame.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/tree/host_window_record.h"
#include "foundation/assert.h"

namespace Qor {

void FrameEntry::SetRect(const Rect& r)
{
    left = int16(r.left);
    top = int16(r.top);
    right = int16(r.right);
    bottom = int16(r.bottom);
}

Ctrl::Ctrl()
    : parent(nullptr), host(nullptr), exit_code(0), prev(nullptr), next(nullptr), first_child(nullptr),
      last_child(nullptr), rect_left(0), rect_top(0), rect_right(0), rect_bottom(0),
      frame_word(1), frame0{ &GetNullFrameInstance(), 0, 0, 0, 0 }, caret_x(0), caret_y(0), caret_cx(0), caret_cy(0),
      overpaint(0), flags_a(A_VISIBLE | A_ENABLED | A_WANTS_FOCUS | A_INITIAL_FOCUS), flags_b(B_EDITABLE), flags_c(0)
{
    Platform& platform = GetPlatform();
    // Under a compositing manager the whole window goes through one back buffer.
    SetPaintMode(platform.IsCompositorRunning() ? PAINT_BACKBUFFER : PAINT_TRANSPARENT_BACKBUFFER);
    platform.CtrlConstructed();
}

Ctrl::~Ctrl()
{
    SetFlagC(C_DESTROYING, true);
    while(first_child)
        RemoveChild(*first_child);
    if(parent)
        parent->RemoveChild(*this);
    CloseBase();
    // Timers are keyed by owner address: a control schedules with its own address plus a
    // small number, so every id inside the record is one of its own.
    if(void (*kill)(const void*, const void*) = GetCtrlCoreSeams().kill_timers_in)
        kill(static_cast<const void*>(this),
             static_cast<const void*>(reinterpret_cast<const char*>(this) + sizeof(Ctrl)));
    action.Clear();
    info.Clear();
    FreeFrames();
}

void Ctrl::LinkAfter(Ctrl& child, Ctrl* after)
{
    child.parent = this;
    if(after) {
        child.prev = after;
        child.next = after->next;
        if(after->next)
            after->next->prev = &child;
        else
            last_child = &child;
        after->next = &child;
    }
    else {
        child.prev = nullptr;
        child.next = first_child;
        if(first_child)
            first_child->prev = &child;
        else
            last_child = &child;
        first_child = &child;
    }
}

void Ctrl::InsertChildAfter(Ctrl& child, Ctrl* after)
{
    if(&child == after)
        return;
    QOR_ASSERT(!after || after->parent == this);
    // A control cannot hold itself or an ancestor of itself: the tree would become a ring.
    QOR_ASSERT(&child != this && !child.IsAncestorOf(this));
    Ctrl* old = child.parent;
    bool arriving = true;
    if(old == this) {
        UnlinkChild(child);
        arriving = false;
    }
    else if(old) {
        child.RefreshFrame();
        old->UnlinkChild(child);
        child.ParentChanged();
        if(old->IsInOpenWindow())
            child.NotifyStateChange(STATE_CLOSE);
    }
    LinkAfter(child, after);
    child.CancelInteractionInSubtree();
    if(arriving) {
        child.UpdateRect(true);
        child.RefreshFrame();
    }
    ChildInserted(&child);
    child.ParentChanged();
    if(arriving && IsInOpenWindow())
        child.NotifyStateChange(STATE_OPEN);
}

void Ctrl::AppendChild(Ctrl& child) { InsertChildAfter(child, last_child); }

void Ctrl::InsertChildBefore(Ctrl& child, Ctrl* before)
{
    QOR_ASSERT(!before || before->parent == this);
    InsertChildAfter(child, before ? before->prev : last_child);
}

void Ctrl::UnlinkChild(Ctrl& child)
{
    ChildRemoving(&child);
    child.DropGlobalReferences();
    child.parent = nullptr;
    if(child.prev)
        child.prev->next = child.next;
    else
        first_child = child.next;
    if(child.next)
        child.next->prev = child.prev;
    else
        last_child = child.prev;
    child.prev = child.next = nullptr;
}

void Ctrl::RemoveChild(Ctrl& child)
{
    if(child.parent != this)
        return;
    child.RefreshFrame();
    UnlinkChild(child);
    child.ParentChanged();
    if(IsInOpenWindow())
        child.NotifyStateChange(STATE_CLOSE);
}

void Ctrl::Detach()
{
    if(parent)
        parent->RemoveChild(*this);
}

int Ctrl::CountChildren() const
{
    int n = 0;
    for(const Ctrl* q = first_child; q; q = q->next)
        n++;
    return n;
}

bool Ctrl::IsAncestorOf(const Ctrl* c) const
{
    for(const Ctrl* q = c ? c->parent : nullptr; q; q = q->parent)
        if(q == this)
            return true;
    return false;
}

Ctrl* Ctrl::GetRootCtrl()
{
    Ctrl* q = this;
    while(q->parent)
        q = q->parent;
    return q;
}

const Ctrl* Ctrl::GetRootCtrl() const { return const_cast<Ctrl*>(this)->GetRootCtrl(); }

static TopWindow* AsTopWindow(Ctrl* c)
{
    TopWindow* (*test)(Ctrl*) = GetCtrlCoreSeams().as_top_window;
    return test ? test(c) : nullptr;
}

Ctrl* Ctrl::FindTopWindowCtrl() const
{
    // An owner chain is never longer than the open windows, but a damaged window map must
    // not hang the caller.
    int guard = 0;
    for(Ctrl* c = const_cast<Ctrl*>(this); c && guard < 10000; guard++) {
        Ctrl* root = c->GetRootCtrl();
        if(AsTopWindow(root))
            return root;
        c = root->GetOwner();
    }
    return nullptr;
}

TopWindow* Ctrl::FindTopWindow()
{
    Ctrl* c = FindTopWindowCtrl();
    return c ? AsTopWindow(c) : nullptr;
}

const TopWindow* Ctrl::FindTopWindow() const { return const_cast<Ctrl*>(this)->FindTopWindow(); }

TopWindow* Ctrl::GetMainWindow()
{
    // An owner may be a control inside its window (a pop-up opened by a field): the chain
    // goes on from that control's root, or it would end at the field with no window.
    Ctrl* c = GetRootCtrl();
    for(int guard = 0; guard < 10000; guard++) {
        Ctrl* owner = c->GetOwner();
        if(!owner)
            break;
        c = owner->GetRootCtrl();
    }
    return AsTopWindow(c);
}

Ctrl* Ctrl::GetOwnerCtrl() const { return !parent && host ? host->owner.Get() : nullptr; }

Ctrl* Ctrl::GetOwner() const
{
    if(!host || !IsOpen())
        return nullptr;
    return GetPlatform().GetOwner(*this);
}

void Ctrl::SetCaretRect(int x, int y, int cx, int cy)
{
    caret_x = int16(x);
    caret_y = int16(y);
    caret_cx = int16(cx);
    caret_cy = int16(cy);
}

} // namespace Qor
