// KeyIndex: a Vector of keys with a HashIndex of the same numbering.
//
// Keys are found through their hash bucket but compared by the key type's
// equality only. An unlinked key keeps its place (and its slot number) but is
// never found; Put hands such a slot out again, Sweep drops them all.
#pragma once

#include "foundation/hash_index.h"
#include "foundation/vector.h"

#include <algorithm>

namespace Qor {

template <class K>
class KeyIndex {
public:
    KeyIndex() = default;
    KeyIndex(std::initializer_list<K> list) { for(const K& k : list) Add(k); }

    const K& Add(const K& k, uint32 h);
    const K& Add(const K& k) { return Add(k, GetHashValue(k)); }
    const K& Add(K&& k);

    int Find(const K& k, uint32 h) const;
    int Find(const K& k) const { return Find(k, GetHashValue(k)); }
    // The next element after i with the same key, -1 when none.
    int FindNext(int i) const;
    int FindAdd(const K& k, uint32 h);
    int FindAdd(const K& k) { return FindAdd(k, GetHashValue(k)); }

    void Unlink(int i) { hash.Unlink(i); }
    // Unlinks every element with key k; returns how many there were.
    int UnlinkKey(const K& k);
    bool IsUnlinked(int i) const { return hash.IsUnlinked(i); }
    bool HasUnlinked() const { return hash.HasUnlinked(); }
    // Stores k in the earliest unlinked slot, else appends it; returns its index.
    int Put(const K& k);
    int FindPut(const K& k);
    // Replaces key i (relinking it when it was unlinked).
    void Set(int i, const K& k);

    void Remove(int i, int count = 1) { key.Remove(i, count); hash.Remove(i, count); }
    void Remove(const int* sorted, int n) { if(n > 0) { key.Remove(sorted, n); hash.Remove(sorted, n); } }
    int RemoveKey(const K& k);
    // Removes every unlinked element (numbers of the others change).
    void Sweep();
    void Trim(int n) { hash.Trim(n); key.Trim(n); }
    void Drop(int n = 1) { Trim(GetCount() - n); }
    void Clear() { hash.Clear(); key.Clear(); }
    void Reserve(int n) { key.Reserve(n); hash.Reserve(n); }
    void Shrink() { key.Shrink(); hash.Shrink(); }

    const K& operator[](int i) const { return key[i]; }
    const K& GetKey(int i) const { return key[i]; }
    const K& Top() const { return key.Top(); }
    int GetCount() const { return key.GetCount(); }
    bool IsEmpty() const { return key.IsEmpty(); }
    const Vector<K>& GetKeys() const { return key; }
    // Hands the keys over and leaves the index empty.
    Vector<K> PickKeys();
    // The unlinked slots in ascending order.
    Vector<int> GetUnlinked() const;

    const K* begin() const { return key.begin(); }
    const K* end() const { return key.end(); }

private:
    Vector<K> key;
    HashIndex hash;
};

template <class K>
const K& KeyIndex<K>::Add(const K& k, uint32 h)
{
    key.Add(k);
    hash.Add(h);
    return key.Top();
}

template <class K>
const K& KeyIndex<K>::Add(K&& k)
{
    uint32 h = GetHashValue(k);
    key.Add(std::move(k));
    hash.Add(h);
    return key.Top();
}

template <class K>
int KeyIndex<K>::Find(const K& k, uint32 h) const
{
    int head = hash.Head(h);
    if(head < 0)
        return -1;
    int i = head;
    do {
        int next = hash.Next(i); // loaded before the compare, so both misses overlap
        if(key[i] == k)
            return i;
        i = next;
    }
    while(i != head);
    return -1;
}

template <class K>
int KeyIndex<K>::FindNext(int i) const
{
    if(hash.IsUnlinked(i))
        return -1;
    int head = hash.HeadOf(i);
    const K& k = key[i];
    for(i = hash.Next(i); i != head; i = hash.Next(i))
        if(key[i] == k)
            return i;
    return -1;
}

template <class K>
int KeyIndex<K>::FindAdd(const K& k, uint32 h)
{
    int i = Find(k, h);
    if(i >= 0)
        return i;
    Add(k, h);
    return GetCount() - 1;
}

template <class K>
int KeyIndex<K>::UnlinkKey(const K& k)
{
    int n = 0;
    for(int i = Find(k); i >= 0; ) {
        int next = FindNext(i);
        Unlink(i);
        n++;
        i = next;
    }
    return n;
}

template <class K>
int KeyIndex<K>::Put(const K& k)
{
    uint32 h = GetHashValue(k);
    int i = hash.ReuseUnlinked(h);
    if(i < 0) {
        Add(k, h);
        return GetCount() - 1;
    }
    if(&key[i] != &k)
        key[i] = k;
    return i;
}

template <class K>
int KeyIndex<K>::FindPut(const K& k)
{
    int i = Find(k);
    return i >= 0 ? i : Put(k);
}

template <class K>
void KeyIndex<K>::Set(int i, const K& k)
{
    uint32 h = GetHashValue(k);
    if(&key[i] != &k)
        key[i] = k;
    hash.SetHash(i, h);
}

template <class K>
int KeyIndex<K>::RemoveKey(const K& k)
{
    Vector<int> found;
    for(int i = Find(k); i >= 0; i = FindNext(i))
        found.Add(i);
    std::sort(found.begin(), found.end()); // reused slots sit out of order in their bucket
    Remove(found.begin(), found.GetCount());
    return found.GetCount();
}

template <class K>
Vector<int> KeyIndex<K>::GetUnlinked() const
{
    Vector<int> list;
    if(hash.HasUnlinked())
        for(int i = 0; i < GetCount(); i++)
            if(hash.IsUnlinked(i))
                list.Add(i);
    return list;
}

template <class K>
void KeyIndex<K>::Sweep()
{
    Vector<int> list = GetUnlinked();
    Remove(list.begin(), list.GetCount());
}

template <class K>
Vector<K> KeyIndex<K>::PickKeys()
{
    Vector<K> keys = std::move(key);
    key.Clear();
    hash.Clear();
    return keys;
}

} // namespace Qor
