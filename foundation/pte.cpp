// Weak pointer links: made on the first watcher, freed with the last one.
#include "foundation/pte.h"
#include "foundation/heap.h"

namespace Qor {

static int s_link_count;

int WeakPointerLinkCount() { return s_link_count; }

PteBase::~PteBase()
{
    // The link stays with its watchers; they now read null.
    if(link)
        link->target = nullptr;
}

void WeakPointerBase::Attach(PteBase* target)
{
    if(!target) {
        link = nullptr;
        return;
    }
    if(target->link)
        target->link->count++;
    else {
        WeakPointerLink* l = static_cast<WeakPointerLink*>(HeapAllocate(sizeof(WeakPointerLink)));
        l->target = target;
        l->count = 1;
        target->link = l;
        s_link_count++;
    }
    link = target->link;
}

void WeakPointerBase::Release()
{
    WeakPointerLink* l = link;
    link = nullptr;
    if(!l || --l->count > 0)
        return;
    // Last watcher of a living target: the target must not keep a freed link.
    if(l->target)
        l->target->link = nullptr;
    HeapRelease(l);
    s_link_count--;
}

} // namespace Qor
