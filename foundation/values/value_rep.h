// Shared representations of Values: RawValueRep<T> holds a T and knows only its type
// number; RichValueRep<T> serves every slot from the operations T supplies; ValueErrorCls
// is the error Value's representation; the WString and Complex representations live here.
#pragma once

#include "foundation/string.h"
#include "foundation/type_number.h"
#include "foundation/values/complex.h"
#include "foundation/values/value.h"
#include "foundation/wstring.h"

namespace Qor {

// The type number of a T kept in a RawValueRep: a fixed number where the type has one
// (types with a fixed number specialise this), else UNKNOWN_V plus the number of its
// run-time type name, looked up once.
template <class T>
struct ValueTypeNumberOf {
    static int Get() { return UNKNOWN_V + StaticTypeNumber<T>(); }
};
template <>
struct ValueTypeNumberOf<String> {
    static int Get() { return STRING_V; }
};
template <>
struct ValueTypeNumberOf<WString> {
    static int Get() { return WSTRING_V; }
};
template <>
struct ValueTypeNumberOf<Complex> {
    static int Get() { return COMPLEX_V; }
};

template <class T>
class RawValueRep : public Value::Void {
public:
    RawValueRep() : v() {}
    explicit RawValueRep(const T& x) : v(x) {}

    int GetTypeNumber() const override { return ValueTypeNumberOf<T>::Get(); }
    bool IsNull() const override { return false; }

    const T& Get() const { return v; }
    T& Get() { return v; }

protected:
    T v;
};

// The T that v holds in a RawValueRep; null when v holds anything else, so that a Value
// from outside is checked before its representation is cast.
template <class T>
const T* GetRawValue(const Value& v)
{
    const Value::Void* rep = v.GetRep();
    if(!rep || rep->GetTypeNumber() != ValueTypeNumberOf<T>::Get())
        return nullptr;
    return &static_cast<const RawValueRep<T>*>(rep)->Get();
}

// The XML and JSON forms of a T in a RichValueRep, installed by the mappings; a slot
// without one does nothing.
template <class T>
struct ValueMappingHooks {
    static inline void (*xmlize)(XmlizeIo& io, T& x) = nullptr;
    static inline void (*jsonize)(JsonizeIo& io, T& x) = nullptr;
};

// Comparison with a Value of another type; a type that can equal another one supplies
// its own overload.
template <class T>
bool ValueEqualsOtherType(const T&, const Value&) { return false; }

// Every slot for T, through overloads that T supplies next to its declaration:
// IsNullValue(const T&), ValueSerialize(Stream&, T&), ValueHash(const T&),
// ValueEquals(const T&, const T&), ValueText(const T&), and optionally
// ValueEqualsOtherType(const T&, const Value&).
template <class T>
class RichValueRep : public RawValueRep<T> {
public:
    using RawValueRep<T>::RawValueRep;

    bool IsNull() const override { return IsNullValue(this->v); }
    void Serialize(Stream& s) override { ValueSerialize(s, this->v); }
    void Xmlize(XmlizeIo& io) override
    {
        if(ValueMappingHooks<T>::xmlize)
            ValueMappingHooks<T>::xmlize(io, this->v);
    }
    void Jsonize(JsonizeIo& io) override
    {
        if(ValueMappingHooks<T>::jsonize)
            ValueMappingHooks<T>::jsonize(io, this->v);
    }
    uint32 GetHashValue() const override { return ValueHash(this->v); }
    // Asked only when both sides have the same type number, so other holds a T.
    bool Equals(const Value::Void* other) const override
    {
        return ValueEquals(this->v, static_cast<const RawValueRep<T>*>(other)->Get());
    }
    bool EqualsOtherType(const Value& other) const override { return ValueEqualsOtherType(this->v, other); }
    String ToText() const override { return ValueText(this->v); }
};

// String as a payload: only the base of the error representation.
inline bool IsNullValue(const String& s) { return s.IsEmpty(); }
void ValueSerialize(Stream& s, String& x);
inline uint32 ValueHash(const String& s) { return s.GetHashValue(); }
inline bool ValueEquals(const String& a, const String& b) { return a == b; }
inline String ValueText(const String& s) { return s; }

// WString: hashes and prints as its text in the default charset, and equals a String
// Value whose decoded text has the same units.
inline bool IsNullValue(const WString& s) { return s.IsEmpty(); }
void ValueSerialize(Stream& s, WString& x);
inline uint32 ValueHash(const WString& s) { return s.ToString().GetHashValue(); }
inline bool ValueEquals(const WString& a, const WString& b) { return a == b; }
inline String ValueText(const WString& s) { return s.ToString(); }
bool ValueEqualsOtherType(const WString& s, const Value& other);

// The error Value's representation: type 6, always Null, its message as payload.
class ValueErrorCls : public RichValueRep<String> {
public:
    explicit ValueErrorCls(const String& message) : RichValueRep<String>(message) {}

    int GetTypeNumber() const override { return ERROR_V; }
    bool IsNull() const override { return true; }
    void Serialize(Stream&) override {}
    String ToText() const override;

    const String& GetMessage() const { return v; }
};

} // namespace Qor
