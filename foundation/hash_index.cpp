// HashIndex: bucket map, ordered bucket lists, the unlinked ring and rehashing.
#include "foundation/hash_index.h"

#include <climits>

namespace Qor {

HashIndex::HashIndex(const HashIndex& h)
    : hashes(h.hashes)
{
    Rehash(hashes.GetCount());
}

HashIndex& HashIndex::operator=(const HashIndex& h)
{
    if(this != &h)
        Assign(HashIndex(h));
    return *this;
}

void HashIndex::Assign(HashIndex&& h)
{
    if(this == &h)
        return;
    Free();
    hashes.Clear();
    links.Clear();
    TakeOver(h);
}

void HashIndex::TakeOver(HashIndex& h)
{
    hashes = std::move(h.hashes);
    links = std::move(h.links);
    map = h.map;
    map_size = h.map_size;
    unlinked = h.unlinked;
    h.map = nullptr;
    h.map_size = 0;
    h.unlinked = -1;
}

void HashIndex::Free()
{
    if(map)
        HeapRelease(map);
    map = nullptr;
}

void HashIndex::ClearLinks()
{
    links.Clear();
    Free();
    map_size = 0;
    unlinked = -1;
}

void HashIndex::Clear()
{
    ClearLinks();
    hashes.Clear();
}

void HashIndex::Add(uint32 h)
{
    hashes.Add(h & 0x7fffffff);
    if(hashes.GetCount() < map_size)
        LinkFrom();
    else
        Rehash(hashes.GetCount());
}

void HashIndex::Rehash(int n)
{
    links.Clear();
    Free();
    unlinked = -1;
    int size = 1;
    while(size < n && size < (1 << 30)) // a larger map could not be indexed by int32
        size <<= 1;
    map_size = size;
    map = (int32*)HeapAllocate((size_t)size * sizeof(int32));
    for(int i = 0; i < size; i++)
        map[i] = -1;
    LinkFrom();
}

void HashIndex::LinkTail(int32& head, int i)
{
    Link& l = links[i];
    if(head < 0) {
        l.next = l.prev = i;
        head = i;
        return;
    }
    int tail = links[head].prev;
    l.next = head;
    l.prev = tail;
    links[tail].next = i;
    links[head].prev = i;
}

void HashIndex::Take(int32& head, int i)
{
    Link& l = links[i];
    if(l.next == i) {
        head = -1;
        return;
    }
    links[l.prev].next = l.next;
    links[l.next].prev = l.prev;
    if(head == i)
        head = l.next;
}

int32& HashIndex::ListOf(int i)
{
    uint32 h = hashes[i];
    return h & UNLINKED ? unlinked : map[Bucket(h)];
}

void HashIndex::LinkFrom()
{
    if(links.GetAlloc() < hashes.GetAlloc())
        links.Reserve(hashes.GetAlloc());
    for(int i = links.GetCount(); i < hashes.GetCount(); i++) {
        links.Add();
        LinkTail(ListOf(i), i);
    }
}

void HashIndex::Unlink(int i)
{
    if(hashes[i] & UNLINKED)
        return; // unlinking twice would take it out of the wrong list
    if(map && i < links.GetCount()) {
        Take(map[Bucket(hashes[i])], i);
        LinkTail(unlinked, i);
    }
    hashes[i] |= UNLINKED;
}

int HashIndex::ReuseUnlinked(uint32 h)
{
    if(unlinked < 0)
        return -1;
    int i = unlinked;
    Take(unlinked, i);
    h &= 0x7fffffff;
    hashes[i] = h;
    LinkTail(map[Bucket(h)], i);
    return i;
}

void HashIndex::SetHash(int i, uint32 h)
{
    h &= 0x7fffffff;
    if(!map || i >= links.GetCount()) {
        hashes[i] = h; // linked by the next LinkFrom
        return;
    }
    Take(ListOf(i), i);
    hashes[i] = h;
    int32& head = map[Bucket(h)];
    if(head < 0 || i < head) {
        LinkTail(head, i); // before the old head, at the tail of the ring
        head = i;
        return;
    }
    // Keep the list ascending, walking in from the nearer end.
    int tail = links[head].prev;
    int at; // i goes before this element
    if(tail - i < i - head) {
        int e = tail;
        while(i < e)
            e = links[e].prev;
        at = links[e].next;
    }
    else {
        int e = links[head].next;
        while(e != head && i > e)
            e = links[e].next;
        at = e;
    }
    Link& l = links[i];
    l.next = at;
    l.prev = links[at].prev;
    links[l.prev].next = i;
    links[at].prev = i;
}

void HashIndex::Trim(int n)
{
    if(n >= hashes.GetCount())
        return;
    if(map)
        for(int i = links.GetCount() - 1; i >= n; i--)
            Take(ListOf(i), i);
    if(links.GetCount() > n)
        links.Trim(n);
    hashes.Trim(n);
}

void HashIndex::Remove(int i, int count)
{
    hashes.Remove(i, count);
    if(map)
        Rehash(hashes.GetCount());
}

void HashIndex::Remove(const int* sorted, int n)
{
    hashes.Remove(sorted, n);
    if(map)
        Rehash(hashes.GetCount());
}

} // namespace Qor
