// Any: an owning holder of one object of any type, tested by type number.
//
// The pointer values 0 and 1 both mean "nothing held" and are never deleted;
// a moved-from Any holds 1.
#pragma once

#include "foundation/assert.h"
#include "foundation/type_number.h"
#include "foundation/types.h"

#include <utility>

namespace Qor {

class Any {
public:
    struct BaseData {
        int32 type;
        explicit BaseData(int32 type) : type(type) {}
        virtual ~BaseData() = default;
    };

    template <class T>
    struct Data : BaseData {
        T data;
        template <class... Args>
        explicit Data(Args&&... args) : BaseData(StaticTypeNumber<T>()), data(std::forward<Args>(args)...) {}
    };

    Any() = default;
    Any(Any&& a) noexcept : ptr(a.ptr) { a.ptr = MovedMark(); }
    Any(const Any&) = delete;
    Any& operator=(const Any&) = delete;
    Any& operator=(Any&& a) noexcept;
    ~Any() { Free(); }

    // Clears the holder and makes an empty T (or one built from args) in it.
    template <class T, class... Args>
    T& Create(Args&&... args);
    template <class T>
    bool Is() const { return IsObject() && ptr->type == StaticTypeNumber<T>(); }
    // The held T; the caller checks Is<T> first.
    template <class T>
    T& Get()
    {
        QOR_ASSERT(Is<T>());
        return static_cast<Data<T>*>(ptr)->data;
    }
    template <class T>
    const T& Get() const
    {
        QOR_ASSERT(Is<T>());
        return static_cast<const Data<T>*>(ptr)->data;
    }

    void Clear() { Free(); ptr = nullptr; }
    bool IsEmpty() const { return !IsObject(); }
    bool IsMovedFrom() const { return ptr == MovedMark(); }
    // The type number of the held object, -1 when empty.
    int GetTypeNumber() const { return IsObject() ? ptr->type : -1; }

private:
    BaseData* ptr = nullptr;

    static BaseData* MovedMark() { return reinterpret_cast<BaseData*>(1); }
    bool IsObject() const { return ptr != nullptr && ptr != MovedMark(); }
    void Free() { if(IsObject()) delete ptr; }
};

inline Any& Any::operator=(Any&& a) noexcept
{
    if(this != &a) {
        Free();
        ptr = a.ptr;
        a.ptr = MovedMark();
    }
    return *this;
}

template <class T, class... Args>
T& Any::Create(Args&&... args)
{
    Clear();
    Data<T>* d = new Data<T>(std::forward<Args>(args)...);
    ptr = d;
    return d->data;
}

} // namespace Qor
