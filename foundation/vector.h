// Vector: the growable array every collection is built from.
//
// Elements are relocated by copying their bytes: when the block grows, moves or
// elements shift, no constructor or destructor runs. Every element type kept in a
// Vector must therefore stay valid when moved bitwise (String, WString, Value,
// callbacks and plain records are; types holding pointers into themselves are not).
// Growth takes the whole block the heap grants, so the capacity is the granted
// size divided by the element size.
#pragma once

#include "foundation/assert.h"
#include "foundation/heap.h"
#include "foundation/types.h"

#include <cstring>
#include <initializer_list>
#include <new>
#include <type_traits>
#include <utility>

namespace Qor {

// The element-type-free part: the block, the count and the capacity.
class VectorBase {
public:
    int GetCount() const { return items; }
    bool IsEmpty() const { return items == 0; }
    int GetAlloc() const { return alloc; }
    // After a move the source has count -1 and no block until it is cleared or assigned.
    bool IsMovedFrom() const { return items < 0; }

protected:
    void* vector = nullptr;
    int32 items = 0;
    int32 alloc = 0;

    // A block for n elements (none for 0); count * size bytes move over; the old block is released.
    void RawReserve(int n, size_t size);
    // As RawReserve, but the old block is returned for the caller to release.
    void* RawReserveKeepOld(int n, size_t size);
    // Capacity + max(1, capacity / 2).
    void RawGrow(size_t size);
    void* RawGrowKeepOld(size_t size);
    // Room for n more elements at index i: grows by the insertion rule, shifts the tail up.
    void RawInsert(int i, int n, size_t size);
    // Drops the bytes of count elements at i (already destroyed), shifting the tail down.
    void RawRemove(int i, int count, size_t size);
    // Keeps the elements not listed in the ascending index list (already destroyed).
    void RawRemoveSorted(const int* sorted, int n, size_t size);
    void RawFree();
    void RawTakeOver(VectorBase& v);
    static int GrowStep(int capacity);
};

template <class T>
class Vector : public VectorBase {
    static_assert(alignof(T) <= HEAP_BLOCK_ALIGN,
                  "Vector<T>: heap blocks are only 8-byte aligned; keep over-aligned types in an OwnedArray");

public:
    Vector() = default;
    Vector(const Vector& v) { CopyFrom(v); }
    Vector(Vector&& v) noexcept { RawTakeOver(v); }
    Vector(std::initializer_list<T> list);
    ~Vector() { Destroy(); }

    Vector& operator=(const Vector& v);
    Vector& operator=(Vector&& v) noexcept;

    T& Add();
    T& Add(const T& x);
    T& Add(T&& x);
    void Append(const Vector& v);

    void Insert(int i, const T& x);
    void Insert(int i, T&& x);
    // Opens n value-initialised places at i and returns the first.
    T* InsertN(int i, int n);

    void Remove(int i, int count = 1);
    // Removes the elements at the given ascending indexes.
    void Remove(const int* sorted, int n);
    void Remove(const Vector<int>& sorted) { Remove(sorted.begin(), sorted.GetCount()); }

    // Grows the capacity to capacity + max(capacity, n - count) when below n;
    // new places are value-initialised, or copies of init.
    void SetCount(int n);
    void SetCount(int n, const T& init);
    void Reserve(int n) { if(n > alloc) RawReserve(n, sizeof(T)); }
    void Shrink();
    void Clear();

    T& operator[](int i) { QOR_ASSERT(i >= 0 && i < items); return Ptr()[i]; }
    const T& operator[](int i) const { QOR_ASSERT(i >= 0 && i < items); return Ptr()[i]; }
    T& Top() { QOR_ASSERT(items > 0); return Ptr()[items - 1]; }
    const T& Top() const { QOR_ASSERT(items > 0); return Ptr()[items - 1]; }
    void Drop(int n = 1) { QOR_ASSERT(n >= 0 && n <= items); Trim(items - n); }
    void Trim(int n);
    T Pop();

    int Find(const T& x, int from = 0) const;

    T* begin() { return Ptr(); }
    T* end() { return Ptr() + GetCount(); }
    const T* begin() const { return Ptr(); }
    const T* end() const { return Ptr() + GetCount(); }

private:
    T* Ptr() const { return (T*)vector; }
    bool Inside(const T* p) const { return p >= Ptr() && p < Ptr() + items; }
    void CopyFrom(const Vector& v);
    void Destroy();
    static void DestroyRange(T* p, int n);
    void GrowTo(int n);
};

template <class T>
bool operator==(const Vector<T>& a, const Vector<T>& b)
{
    if(a.GetCount() != b.GetCount())
        return false;
    for(int i = 0; i < a.GetCount(); i++)
        if(!(a[i] == b[i]))
            return false;
    return true;
}

template <class T>
bool operator!=(const Vector<T>& a, const Vector<T>& b) { return !(a == b); }

template <class T>
Vector<T>::Vector(std::initializer_list<T> list)
{
    Reserve((int)list.size());
    for(const T& x : list)
        new(Ptr() + items++) T(x);
}

template <class T>
void Vector<T>::DestroyRange(T* p, int n)
{
    if constexpr(!std::is_trivially_destructible_v<T>)
        for(int i = 0; i < n; i++)
            p[i].~T();
}

template <class T>
void Vector<T>::Destroy()
{
    if(items > 0)
        DestroyRange(Ptr(), items);
    RawFree();
}

template <class T>
void Vector<T>::CopyFrom(const Vector& v)
{
    if(v.items <= 0)
        return;
    RawReserve(v.items, sizeof(T));
    T* p = Ptr();
    const T* s = v.Ptr();
    if constexpr(std::is_trivially_copyable_v<T>)
        std::memcpy((void*)p, (const void*)s, v.items * sizeof(T));
    else
        for(int i = 0; i < v.items; i++)
            new(p + i) T(s[i]);
    items = v.items;
}

template <class T>
Vector<T>& Vector<T>::operator=(const Vector& v)
{
    if(this != &v) {
        Vector copy(v);
        Destroy();
        RawTakeOver(copy);
    }
    return *this;
}

template <class T>
Vector<T>& Vector<T>::operator=(Vector&& v) noexcept
{
    if(this != &v) {
        Destroy();
        RawTakeOver(v);
    }
    return *this;
}

template <class T>
T& Vector<T>::Add()
{
    if(items >= alloc)
        RawGrow(sizeof(T));
    return *new(Ptr() + items++) T();
}

template <class T>
T& Vector<T>::Add(const T& x)
{
    if(items < alloc)
        return *new(Ptr() + items++) T(x);
    // x may be an element of this Vector: copy it before its old block goes.
    void* old = RawGrowKeepOld(sizeof(T));
    struct Release { void* p; ~Release() { HeapRelease(p); } } release{old};
    new(Ptr() + items) T(x);
    return Ptr()[items++];
}

template <class T>
T& Vector<T>::Add(T&& x)
{
    if(items >= alloc) {
        // Moving out of the old block would leave its bitwise twin in the new one
        // owning the same resources: take x from its new place instead.
        const T* xp = &x;
        if(Inside(xp)) {
            int i = int(xp - Ptr());
            RawGrow(sizeof(T));
            return *new(Ptr() + items++) T(std::move(Ptr()[i]));
        }
        RawGrow(sizeof(T));
    }
    return *new(Ptr() + items++) T(std::move(x));
}

template <class T>
void Vector<T>::Append(const Vector& v)
{
    if(&v == this) {
        Vector copy(v);
        Append(copy);
        return;
    }
    if(v.items <= 0)
        return;
    if(items + v.items > alloc)
        GrowTo(items + v.items);
    for(const T& x : v)
        new(Ptr() + items++) T(x);
}

template <class T>
void Vector<T>::GrowTo(int n)
{
    int c = alloc + (alloc > n - items ? alloc : n - items);
    RawReserve(c < n ? n : c, sizeof(T));
}

template <class T>
void Vector<T>::Insert(int i, const T& x)
{
    if(Inside(&x)) { // the shift would move the source
        T copy(x);
        Insert(i, std::move(copy));
        return;
    }
    QOR_ASSERT(i >= 0 && i <= items);
    RawInsert(i, 1, sizeof(T));
    new(Ptr() + i) T(x);
}

template <class T>
void Vector<T>::Insert(int i, T&& x)
{
    if(Inside(&x)) {
        T copy(std::move(x));
        Insert(i, std::move(copy));
        return;
    }
    QOR_ASSERT(i >= 0 && i <= items);
    RawInsert(i, 1, sizeof(T));
    new(Ptr() + i) T(std::move(x));
}

template <class T>
T* Vector<T>::InsertN(int i, int n)
{
    QOR_ASSERT(i >= 0 && i <= items && n >= 0);
    if(n <= 0)
        return Ptr() + i;
    RawInsert(i, n, sizeof(T));
    T* p = Ptr() + i;
    for(int k = 0; k < n; k++)
        new(p + k) T();
    return p;
}

template <class T>
void Vector<T>::Remove(int i, int count)
{
    QOR_ASSERT(i >= 0 && count >= 0 && i <= items - count);
    if(count <= 0)
        return;
    DestroyRange(Ptr() + i, count);
    RawRemove(i, count, sizeof(T));
}

template <class T>
void Vector<T>::Remove(const int* sorted, int n)
{
    if(n <= 0)
        return;
    for(int k = 0; k < n; k++) {
        QOR_ASSERT(sorted[k] >= 0 && sorted[k] < items && (k == 0 || sorted[k - 1] < sorted[k]));
        Ptr()[sorted[k]].~T();
    }
    RawRemoveSorted(sorted, n, sizeof(T));
}

template <class T>
void Vector<T>::SetCount(int n)
{
    QOR_ASSERT(n >= 0);
    if(n < items) {
        Trim(n);
        return;
    }
    if(n > alloc)
        GrowTo(n);
    while(items < n)
        new(Ptr() + items++) T();
}

template <class T>
void Vector<T>::SetCount(int n, const T& init)
{
    QOR_ASSERT(n >= 0);
    if(n < items) {
        Trim(n);
        return;
    }
    if(n > alloc) {
        if(Inside(&init)) {
            T copy(init);
            SetCount(n, copy);
            return;
        }
        GrowTo(n);
    }
    while(items < n)
        new(Ptr() + items++) T(init);
}

template <class T>
void Vector<T>::Trim(int n)
{
    QOR_ASSERT(n >= 0);
    if(n >= items)
        return;
    DestroyRange(Ptr() + n, items - n);
    items = n;
}

template <class T>
T Vector<T>::Pop()
{
    T x(std::move(Top()));
    Drop();
    return x;
}

template <class T>
void Vector<T>::Shrink()
{
    if(items <= 0)
        Clear();
    else if(items < alloc)
        RawReserve(items, sizeof(T));
}

template <class T>
void Vector<T>::Clear()
{
    Destroy();
    vector = nullptr;
    items = alloc = 0;
}

template <class T>
int Vector<T>::Find(const T& x, int from) const
{
    QOR_ASSERT(from >= 0);
    for(int i = from; i < items; i++)
        if(Ptr()[i] == x)
            return i;
    return -1;
}

} // namespace Qor
