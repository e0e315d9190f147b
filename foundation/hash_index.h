// HashIndex: hash buckets kept parallel to an array, and the key hash functions.
//
// Each element has a stored 31-bit hash (bit 31 marks an unlinked element) and
// a pair of links. The elements of one bucket form a circular doubly linked list
// kept in ascending element order; unlinked elements form a ring of their own,
// so removal is constant time and leaves every other element in place.
#pragma once

#include "foundation/hash.h"
#include "foundation/vector.h"

namespace Qor {

class HashIndex {
public:
    HashIndex() = default;
    HashIndex(const HashIndex& h);
    HashIndex(HashIndex&& h) noexcept { TakeOver(h); }
    ~HashIndex() { Free(); }
    HashIndex& operator=(const HashIndex& h);
    HashIndex& operator=(HashIndex&& h) noexcept { Assign(std::move(h)); return *this; }
    void Assign(HashIndex&& h);

    // Appends an element with hash h (bit 31 is dropped).
    void Add(uint32 h);
    // Rebuilds the map with the smallest power of two >= n (1 for n <= 1) buckets.
    void Rehash(int n);
    void Rehash() { Rehash(hashes.GetCount()); }
    // Drops links and map; the hashes stay.
    void ClearLinks();
    void Clear();
    void Reserve(int n) { hashes.Reserve(n); }
    void Shrink() { hashes.Shrink(); }

    void Unlink(int i);
    // Relinks the head of the unlinked ring under hash h; -1 when none is left.
    int ReuseUnlinked(uint32 h);
    void SetHash(int i, uint32 h);
    // Drops elements from n on; removes the listed ones (ascending indexes) and renumbers.
    void Trim(int n);
    void Remove(int i, int count = 1);
    void Remove(const int* sorted, int n);

    int GetCount() const { return hashes.GetCount(); }
    uint32 GetHash(int i) const { return hashes[i] & 0x7fffffff; }
    bool IsUnlinked(int i) const { return hashes[i] & UNLINKED; }
    bool HasUnlinked() const { return unlinked >= 0; }
    int GetMapSize() const { return map_size; }

    // The bucket list walk: Head gives the first element of h's bucket (-1 when
    // empty), Next the element after i, which is the head again at the end.
    int Head(uint32 h) const { return map ? map[Bucket(h & 0x7fffffff)] : -1; }
    int HeadOf(int i) const { return map[Bucket(hashes[i])]; }
    int Next(int i) const { return links[i].next; }
    int Prev(int i) const { return links[i].prev; }
    int FirstUnlinked() const { return unlinked; }

    int Bucket(uint32 h) const { return int(((h >> 23) - (h >> 15) - (h >> 7) - h) & (uint32)(map_size - 1)); }

    static constexpr uint32 UNLINKED = 0x80000000u;

private:
    struct Link {
        int32 next;
        int32 prev;
    };

    Vector<uint32> hashes;
    Vector<Link> links;
    int32* map = nullptr;
    int32 map_size = 0;
    int32 unlinked = -1;

    void LinkFrom();
    void LinkTail(int32& head, int i);
    void Take(int32& head, int i);
    int32& ListOf(int i);
    void Free();
    void TakeOver(HashIndex& h);
};

// Key hashes: an int hashes as itself, 64-bit values combine their two words,
// doubles through HashDouble, Strings by their own hash, pointers by address.
inline uint32 GetHashValue(char x) { return (uint32)x; }
inline uint32 GetHashValue(signed char x) { return (uint32)x; }
inline uint32 GetHashValue(unsigned char x) { return x; }
inline uint32 GetHashValue(short x) { return (uint32)x; }
inline uint32 GetHashValue(unsigned short x) { return x; }
inline uint32 GetHashValue(int x) { return (uint32)x; }
inline uint32 GetHashValue(unsigned x) { return x; }
inline uint32 GetHashValue(long x) { return HashInt64((int64)x); }
inline uint32 GetHashValue(unsigned long x) { return HashInt64((int64)x); }
inline uint32 GetHashValue(long long x) { return HashInt64((int64)x); }
inline uint32 GetHashValue(unsigned long long x) { return HashInt64((int64)x); }
inline uint32 GetHashValue(bool x) { return x; }
inline uint32 GetHashValue(double x) { return HashDouble(x); }
inline uint32 GetHashValue(float x) { return HashDouble(x); }
template <class T>
inline uint32 GetHashValue(T* p) { return HashInt64((int64)(uintptr_t)p); }
// Types with a GetHashValue member hash through it.
template <class T>
inline auto GetHashValue(const T& x) -> decltype(x.GetHashValue()) { return x.GetHashValue(); }

// Compound keys: CombineHashes(a, b, c) = CombineHash(CombineHash(a, b), c).
inline uint32 CombineHashes(uint32 a) { return a; }
template <class... R>
inline uint32 CombineHashes(uint32 a, uint32 b, R... rest) { return CombineHashes(CombineHash(a, b), rest...); }

} // namespace Qor
