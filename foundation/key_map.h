// KeyMap: a KeyIndex of keys with a Vector of values in the same order;
// OwnedKeyMap: the same with heap-held values in an OwnedArray.
#pragma once

#include "foundation/key_index.h"
#include "foundation/owned_array.h"
#include "foundation/panic.h"

namespace Qor {

// Values is Vector<V> for KeyMap and OwnedArray<V> for OwnedKeyMap.
template <class K, class V, class Values>
class KeyMapBase {
public:
    int Find(const K& k) const { return key.Find(k); }
    int Find(const K& k, uint32 h) const { return key.Find(k, h); }
    int FindNext(int i) const { return key.FindNext(i); }
    V* FindPtr(const K& k) { int i = Find(k); return i >= 0 ? &value[i] : nullptr; }
    const V* FindPtr(const K& k) const { int i = Find(k); return i >= 0 ? &value[i] : nullptr; }

    // The value of k, which must be present.
    V& Get(const K& k) { return value[Must(Find(k))]; }
    const V& Get(const K& k) const { return value[Must(Find(k))]; }
    const V& Get(const K& k, const V& otherwise) const { int i = Find(k); return i >= 0 ? value[i] : otherwise; }

    // The value of k, added (value-initialised) when missing.
    V& GetAdd(const K& k);

    void Unlink(int i) { key.Unlink(i); }
    int UnlinkKey(const K& k) { return key.UnlinkKey(k); }
    bool IsUnlinked(int i) const { return key.IsUnlinked(i); }
    bool HasUnlinked() const { return key.HasUnlinked(); }
    void SetKey(int i, const K& k) { key.Set(i, k); }

    void Remove(int i, int count = 1) { key.Remove(i, count); value.Remove(i, count); }
    int RemoveKey(const K& k);
    void Sweep();
    void Trim(int n) { key.Trim(n); value.Trim(n); }
    void Drop(int n = 1) { Trim(GetCount() - n); }
    void Clear() { key.Clear(); value.Clear(); }
    void Reserve(int n) { key.Reserve(n); value.Reserve(n); }
    void Shrink() { key.Shrink(); value.Shrink(); }

    V& operator[](int i) { return value[i]; }
    const V& operator[](int i) const { return value[i]; }
    const K& GetKey(int i) const { return key[i]; }
    V& Top() { return value.Top(); }
    int GetCount() const { return key.GetCount(); }
    bool IsEmpty() const { return key.IsEmpty(); }
    const KeyIndex<K>& GetIndex() const { return key; }
    const Vector<K>& GetKeys() const { return key.GetKeys(); }
    const Values& GetValues() const { return value; }
    Values& GetValues() { return value; }

protected:
    KeyIndex<K> key;
    Values value;

    static int Must(int i)
    {
        if(i < 0)
            RaisePanic("KeyMap::Get: key not present");
        return i;
    }
};

template <class K, class V, class Values>
V& KeyMapBase<K, V, Values>::GetAdd(const K& k)
{
    uint32 h = GetHashValue(k);
    int i = key.Find(k, h);
    if(i >= 0)
        return value[i];
    key.Add(k, h);
    return value.Add();
}

template <class K, class V, class Values>
int KeyMapBase<K, V, Values>::RemoveKey(const K& k)
{
    Vector<int> found;
    for(int i = Find(k); i >= 0; i = FindNext(i))
        found.Add(i);
    std::sort(found.begin(), found.end());
    if(found.GetCount()) {
        key.Remove(found.begin(), found.GetCount());
        value.Remove(found.begin(), found.GetCount());
    }
    return found.GetCount();
}

template <class K, class V, class Values>
void KeyMapBase<K, V, Values>::Sweep()
{
    Vector<int> list = key.GetUnlinked();
    if(list.GetCount()) {
        key.Remove(list.begin(), list.GetCount());
        value.Remove(list.begin(), list.GetCount());
    }
}

template <class K, class V>
class KeyMap : public KeyMapBase<K, V, Vector<V>> {
    using B = KeyMapBase<K, V, Vector<V>>;
    using B::key;
    using B::value;

public:
    V& Add(const K& k, const V& v) { key.Add(k); return value.Add(v); }
    V& Add(const K& k, V&& v) { key.Add(k); return value.Add(std::move(v)); }
    V& Add(const K& k) { key.Add(k); return value.Add(); }
    // Stores k and v in the earliest unlinked slot, else appends them.
    V& Put(const K& k, const V& v);
    int FindAdd(const K& k, const V& init);
    V& GetAdd(const K& k) { return B::GetAdd(k); }
    V& GetAdd(const K& k, const V& init) { return value[FindAdd(k, init)]; }
    // Hands the values over and leaves the map empty.
    Vector<V> PickValues();
};

template <class K, class V>
V& KeyMap<K, V>::Put(const K& k, const V& v)
{
    int i = key.Put(k);
    if(i < value.GetCount()) {
        value[i] = v;
        return value[i];
    }
    return value.Add(v);
}

template <class K, class V>
int KeyMap<K, V>::FindAdd(const K& k, const V& init)
{
    uint32 h = GetHashValue(k);
    int i = key.Find(k, h);
    if(i >= 0)
        return i;
    key.Add(k, h);
    value.Add(init);
    return value.GetCount() - 1;
}

template <class K, class V>
Vector<V> KeyMap<K, V>::PickValues()
{
    Vector<V> v = std::move(value);
    value.Clear();
    key.Clear();
    return v;
}

template <class K, class V>
class OwnedKeyMap : public KeyMapBase<K, V, OwnedArray<V>> {
    using B = KeyMapBase<K, V, OwnedArray<V>>;
    using B::key;
    using B::value;

public:
    // Takes ownership of p.
    V& Add(const K& k, V* p) { key.Add(k); return value.Add(p); }
    V& Add(const K& k, const V& v) { key.Add(k); return value.Add(v); }
    V& Add(const K& k) { key.Add(k); return value.Add(); }
    template <class TT, class... Args>
    TT& Create(const K& k, Args&&... args)
    {
        key.Add(k);
        return value.template Create<TT>(std::forward<Args>(args)...);
    }
    V& Put(const K& k, V* p);
    // Gives up value i without deleting it; the key goes too.
    V* Detach(int i);
    // Becomes src's keys with a copy of each of its values, made one by one, so that
    // the two maps share no value.
    void CopyValues(const OwnedKeyMap& src);
};

template <class K, class V>
V& OwnedKeyMap<K, V>::Put(const K& k, V* p)
{
    int i = key.Put(k);
    if(i < value.GetCount())
        return value.Set(i, p);
    return value.Add(p);
}

template <class K, class V>
V* OwnedKeyMap<K, V>::Detach(int i)
{
    key.Remove(i);
    return value.Detach(i);
}

template <class K, class V>
void OwnedKeyMap<K, V>::CopyValues(const OwnedKeyMap& src)
{
    if(this == &src)
        return;
    this->Clear();
    for(int i = 0; i < src.GetCount(); i++)
        Add(src.GetKey(i), src[i]);
}

} // namespace Qor
