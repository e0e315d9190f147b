// Stream forms of the 32-bit Vector and of HashIndex.
#include "foundation/container_serialize.h"

namespace Qor {

namespace {

template <class T>
void Serialize32(Stream& s, Vector<T>& v)
{
    if(s.IsError())
        return;
    int n = v.GetCount();
    s.SerializeCount(n);
    if(s.IsStoring()) {
        for(T& x : v)
            s.Serialize(x);
        return;
    }
    if(s.IsError())
        return;
    if(n < 0) {
        s.SetLoadError();
        return;
    }
    v.Clear();
    // The count is not trusted to reserve: values are appended as they arrive.
    for(int i = 0; i < n; i++) {
        T x;
        s.Serialize(x);
        if(s.IsError())
            break;
        v.Add(x);
    }
}

} // namespace

void Serialize(Stream& s, Vector<int32>& v)
{
    Serialize32(s, v);
}

void Serialize(Stream& s, Vector<uint32>& v)
{
    Serialize32(s, v);
}

void Serialize(Stream& s, HashIndex& index)
{
    int version = 0;
    s.SerializeCount(version);
    if(s.IsStoring()) {
        Vector<uint32> hashes;
        int n = index.GetCount();
        for(int i = 0; i < n; i++)
            hashes.Add(index.GetHash(i) | (index.IsUnlinked(i) ? HashIndex::UNLINKED : 0));
        Serialize(s, hashes);
        index.Rehash();
        return;
    }
    index.ClearLinks();
    Vector<uint32> hashes;
    Serialize(s, hashes);
    if(s.IsError()) {
        index.Rehash(); // a failed load keeps the hashes the index had
        return;
    }
    index.Clear();
    index.Reserve(hashes.GetCount());
    for(int i = 0; i < hashes.GetCount(); i++) {
        index.Add(hashes[i]);
        if(hashes[i] & HashIndex::UNLINKED)
            index.Unlink(i);
    }
    index.Rehash();
}

} // namespace Qor
