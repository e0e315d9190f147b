// OwnedArray: heap objects held by pointer and owned by the array.
//
// Only the pointers move when the array grows, so the elements need not be
// bitwise-movable and may be of classes derived from T.
#pragma once

#include "foundation/vector.h"

namespace Qor {

template <class T>
class OwnedArray {
public:
    OwnedArray() = default;
    OwnedArray(const OwnedArray& a);
    OwnedArray(OwnedArray&& a) noexcept = default;
    ~OwnedArray() { Free(); }
    OwnedArray& operator=(const OwnedArray& a);
    OwnedArray& operator=(OwnedArray&& a) noexcept;

    // Takes ownership of p.
    T& Add(T* p) { return *item.Add(p); }
    T& Add() { return Add(new T()); }
    T& Add(const T& x) { return Add(new T(x)); }
    T& Add(T&& x) { return Add(new T(std::move(x))); }
    template <class TT, class... Args>
    TT& Create(Args&&... args)
    {
        TT* p = new TT(std::forward<Args>(args)...);
        Add(p);
        return *p;
    }

    T& Insert(int i, T* p) { item.Insert(i, p); return *p; }
    T& Insert(int i) { return Insert(i, new T()); }
    T& Insert(int i, const T& x) { return Insert(i, new T(x)); }

    // Gives up element i without deleting it.
    T* Detach(int i);
    T* PopDetach() { return item.Pop(); }
    // Replaces element i, deleting the old one.
    T& Set(int i, T* p);

    void Remove(int i, int count = 1);
    void Remove(const int* sorted, int n);
    void Trim(int n);
    void Drop(int n = 1) { Trim(GetCount() - n); }
    void SetCount(int n);
    void Clear() { Free(); item.Clear(); }
    void Reserve(int n) { item.Reserve(n); }
    void Shrink() { item.Shrink(); }

    T& operator[](int i) { return *item[i]; }
    const T& operator[](int i) const { return *item[i]; }
    T& Top() { return *item.Top(); }
    const T& Top() const { return *item.Top(); }
    int GetCount() const { return item.GetCount(); }
    bool IsEmpty() const { return item.IsEmpty(); }
    bool IsMovedFrom() const { return item.IsMovedFrom(); }
    int GetAlloc() const { return item.GetAlloc(); }

    template <class P, class E>
    class Iterator {
    public:
        explicit Iterator(P* p) : p(p) {}
        E& operator*() const { return **p; }
        E* operator->() const { return *p; }
        Iterator& operator++() { ++p; return *this; }
        bool operator==(const Iterator& b) const { return p == b.p; }
        bool operator!=(const Iterator& b) const { return p != b.p; }

    private:
        P* p;
    };

    Iterator<T* const, T> begin() { return Iterator<T* const, T>(item.begin()); }
    Iterator<T* const, T> end() { return Iterator<T* const, T>(item.end()); }
    Iterator<T* const, const T> begin() const { return Iterator<T* const, const T>(item.begin()); }
    Iterator<T* const, const T> end() const { return Iterator<T* const, const T>(item.end()); }

private:
    Vector<T*> item;

    void Free();
};

template <class T>
OwnedArray<T>::OwnedArray(const OwnedArray& a)
{
    if(a.GetCount() <= 0)
        return;
    item.Reserve(a.GetCount());
    for(const T* p : a.item)
        item.Add(new T(*p));
}

template <class T>
OwnedArray<T>& OwnedArray<T>::operator=(const OwnedArray& a)
{
    if(this != &a) {
        OwnedArray copy(a);
        *this = std::move(copy);
    }
    return *this;
}

template <class T>
OwnedArray<T>& OwnedArray<T>::operator=(OwnedArray&& a) noexcept
{
    if(this != &a) {
        Free();
        item = std::move(a.item);
    }
    return *this;
}

template <class T>
void OwnedArray<T>::Free()
{
    for(int i = 0; i < item.GetCount(); i++)
        delete item[i];
}

template <class T>
T* OwnedArray<T>::Detach(int i)
{
    T* p = item[i];
    item.Remove(i);
    return p;
}

template <class T>
T& OwnedArray<T>::Set(int i, T* p)
{
    if(item[i] != p) {
        delete item[i];
        item[i] = p;
    }
    return *p;
}

template <class T>
void OwnedArray<T>::Remove(int i, int count)
{
    for(int k = 0; k < count; k++)
        delete item[i + k];
    item.Remove(i, count);
}

template <class T>
void OwnedArray<T>::Remove(const int* sorted, int n)
{
    for(int k = 0; k < n; k++)
        delete item[sorted[k]];
    item.Remove(sorted, n);
}

template <class T>
void OwnedArray<T>::Trim(int n)
{
    for(int i = n; i < item.GetCount(); i++)
        delete item[i];
    item.Trim(n);
}

template <class T>
void OwnedArray<T>::SetCount(int n)
{
    if(n < GetCount()) {
        Trim(n);
        return;
    }
    int old = GetCount();
    item.SetCount(n); // grows by Vector's rule; the new places start null
    for(int i = old; i < n; i++)
        item[i] = new T();
}

} // namespace Qor
