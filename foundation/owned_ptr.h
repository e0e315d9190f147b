// OwnedPtr: the single owner of one heap object.
//
// The stored values 0 and 1 both mean "none" and are never deleted; a moved-from
// OwnedPtr holds 1 so that it tells apart from one that was simply empty.
#pragma once

#include "foundation/assert.h"

#include <utility>

namespace Qor {

template <class T>
class OwnedPtr {
public:
    OwnedPtr() = default;
    explicit OwnedPtr(T* p) : ptr(p) {}
    OwnedPtr(OwnedPtr&& p) noexcept : ptr(p.ptr) { p.ptr = MovedMark(); }
    OwnedPtr(const OwnedPtr&) = delete;
    OwnedPtr& operator=(const OwnedPtr&) = delete;
    OwnedPtr& operator=(OwnedPtr&& p) noexcept;
    ~OwnedPtr() { Free(); }

    // Takes ownership of p, deleting what was held.
    T& Attach(T* p);
    // Gives up the object without deleting it.
    T* Detach();
    template <class TT = T, class... Args>
    TT& Create(Args&&... args);
    void Clear() { Free(); ptr = nullptr; }

    bool IsEmpty() const { return !IsObject(ptr); }
    bool IsMovedFrom() const { return ptr == MovedMark(); }
    explicit operator bool() const { return !IsEmpty(); }
    T* Get() const { return IsEmpty() ? nullptr : ptr; }
    T& operator*() const
    {
        QOR_ASSERT(!IsEmpty());
        return *ptr;
    }
    T* operator->() const
    {
        QOR_ASSERT(!IsEmpty());
        return ptr;
    }

private:
    T* ptr = nullptr;

    static T* MovedMark() { return reinterpret_cast<T*>(1); }
    static bool IsObject(T* p) { return p != nullptr && p != MovedMark(); }
    void Free() { if(IsObject(ptr)) delete ptr; }
};

template <class T>
OwnedPtr<T>& OwnedPtr<T>::operator=(OwnedPtr&& p) noexcept
{
    if(this != &p) {
        Free();
        ptr = p.ptr;
        p.ptr = MovedMark();
    }
    return *this;
}

template <class T>
T& OwnedPtr<T>::Attach(T* p)
{
    if(p != ptr) {
        Free();
        ptr = p;
    }
    return *p;
}

template <class T>
T* OwnedPtr<T>::Detach()
{
    T* p = Get();
    ptr = nullptr;
    return p;
}

template <class T>
template <class TT, class... Args>
TT& OwnedPtr<T>::Create(Args&&... args)
{
    TT* p = new TT(std::forward<Args>(args)...);
    Attach(p);
    return *p;
}

} // namespace Qor
