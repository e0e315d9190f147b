// Value: the 16-byte dynamic value. A String sits in place in its own layout; int, double,
// int64, bool, Date, Time (and other small registered types) sit in place behind a type
// byte at byte 13 and are served by a table of operation records; everything else lives in
// a counted heap representation derived from Value::Void that copies share.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/values/date.h"
#include "foundation/values/language_code.h"
#include "foundation/values/time.h"
#include "foundation/wstring.h"

#include <cstring>

namespace Qor {

class Stream;
class XmlizeIo;
class JsonizeIo;
class ValueArray;
class ValueMap;

// Type numbers that GetTypeNumber gives; all distinct, some are registered elsewhere.
enum : int {
    VOID_V = 0,
    INT_V = 1,
    DOUBLE_V = 2,
    STRING_V = 3,
    DATE_V = 4,
    TIME_V = 5,
    ERROR_V = 6,
    WSTRING_V = 8,
    VALUEARRAY_V = 9,
    INT64_V = 10,
    BOOL_V = 11,
    VALUEMAP_V = 12,
    COMPLEX_V = 20,
    COLOR_V = 39,
    FONT_V = 40,
    PAINTING_V = 48,
    DRAWING_V = 49,
    UUID_V = 50,
    SIZE_V = 70,
    SIZEF_V = 72,
    POINT_V = 73,
    POINTF_V = 75,
    RECT_V = 76,
    RECTF_V = 78,
    SIZE64_V = 79,
    POINT64_V = 80,
    RECT64_V = 81,
    IMAGE_V = 150,
    UNKNOWN_V = 0x8000000, // plus the TypeNumber of the type's run-time name
};

// Type bytes of the tagged form that differ from the type number.
enum : int {
    VOID_TYPE_BYTE = 3,
    SHARED_TYPE_BYTE = 255,
};

class Value;

// Number hash of a 64-bit value: equal numbers of every type hash alike through it.
inline uint32 ValueNumberHash(int64 v) { return CombineHash((uint32)v, (uint32)((uint64)v >> 32)); }

// One record per in-place type, indexed by the type byte (entry 0: the String form).
// Every operation reads the payload at byte 0 of the Value it is given.
struct ValueOps {
    bool (*IsNull)(const Value* v);
    void (*Serialize)(Value* v, Stream& s);
    void (*Xmlize)(Value* v, XmlizeIo& io);
    void (*Jsonize)(Value* v, JsonizeIo& io);
    uint32 (*Hash)(const Value* v);
    bool (*Equals)(const Value* a, const Value* b);
    bool (*EqualsOtherType)(const Value* a, const Value* b);
    String (*ToText)(const Value* v);
};

// The process-wide table of 256 record pointers. Entries 0-5, 10 and 11 are there from the
// start; other in-place types store theirs when their library registers them.
extern const ValueOps* value_ops_table[256];
void RegisterValueOps(int type_byte, const ValueOps* ops);

class Value {
public:
    // Base of shared representations: the virtual operations, then the reference count.
    // A new representation has count 1 and is deleted when the count drops to 0.
    class Void {
    public:
        Void() : refcount(1) {}
        Void(const Void&) = delete;
        Void& operator=(const Void&) = delete;

        virtual int GetTypeNumber() const { return VOID_V; }
        virtual bool IsNull() const { return true; }
        virtual void Serialize(Stream&) {}
        virtual void Xmlize(XmlizeIo&) {}
        virtual void Jsonize(JsonizeIo&) {}
        virtual uint32 GetHashValue() const { return 0; }
        virtual bool Equals(const Void*) const { return false; }
        virtual bool EqualsOtherType(const Value&) const { return false; }
        virtual String ToText() const { return String(); }
        virtual ~Void() {}

        void Retain() { refcount++; }
        void Release() { if(--refcount == 0) delete this; }
        int32 GetRefCount() const { return refcount; }

    private:
        int32 refcount;
    };

    Value() { SetTag(VOID_TYPE_BYTE); }
    Value(const String& s) : data(s) {}
    Value(String&& s) : data(static_cast<String&&>(s)) {}
    Value(const char* text) : data(text) {}
    Value(int x) { SetInPlace(INT_V, &x, 4); }
    Value(double x) { SetInPlace(DOUBLE_V, &x, 8); }
    Value(int64 x) { SetInPlace(INT64_V, &x, 8); }
    Value(bool x) { SetInPlace(BOOL_V, &x, 1); }
    Value(Date x) { SetInPlace(DATE_V, &x, 4); }
    Value(Time x) { SetInPlace(TIME_V, &x, 7); }
    Value(const WString& s);
    // Shares the container's data; defined with the containers.
    Value(const ValueArray& a);
    Value(const ValueMap& m);

    Value(const Value& v)
    {
        std::memcpy(raw, v.raw, 16);
        if(v.OwnsBlock())
            CopyBlock(v);
    }
    Value(Value&& v) noexcept
    {
        std::memcpy(raw, v.raw, 16);
        v.SetTag(VOID_TYPE_BYTE); // the void tag owns nothing
    }
    Value& operator=(const Value& v)
    {
        if(!OwnsBlock() && !v.OwnsBlock())
            std::memmove(raw, v.raw, 16);
        else
            AssignBlock(v);
        return *this;
    }
    Value& operator=(Value&& v) noexcept;
    ~Value()
    {
        if(OwnsBlock())
            ReleaseBlock();
    }

    // Holds rep, taking over the one reference the caller had (a new rep has count 1).
    static Value FromRep(Void* rep) { Value v; v.SetRep(rep); return v; }
    static void ReleaseRep(Void* rep) { rep->Release(); }

    // Layout queries: single comparisons of the words at bytes 12-15.
    dword GetTag() const { dword t; std::memcpy(&t, Raw() + 12, 4); return t; }
    bool IsStringForm() const { return GetTag() - 1 >= 0xffff; }
    bool IsTagged() const { return GetTag() - 1 < 0xffff; }
    bool IsShared() const { return GetTag() == (dword)SHARED_TYPE_BYTE << 8; }
    bool IsVoid() const { return GetTag() == (dword)VOID_TYPE_BYTE << 8; }
    // An in-place value of type byte n (1..254 except 3); one 32-bit comparison.
    bool IsInPlace(int n) const { return GetTag() == (dword)n << 8; }
    int GetTypeByte() const { return (byte)Raw()[13]; }
    Void* GetRep() const { return IsShared() ? Rep() : nullptr; }
    const byte* Raw() const { return raw; }

    int GetTypeNumber() const;
    bool IsNull() const;
    // The binary form: the type number as a packed count, then the payload.
    void Serialize(Stream& s);
    // The XML form on the io's node: attribute "type" with the type's name, then the
    // payload's own form; a type without a name as its framed binary form in hex.
    void Xmlize(XmlizeIo& io);
    // The JSON form {"type": name, "value": payload}; every Null stores as the int Null.
    void Jsonize(JsonizeIo& io);

    uint32 GetHashValue() const
    {
        if(IsStringForm())
            return data.GetLength() ? data.GetHashValue() : 0;
        if(IsInPlace(INT_V)) {
            int x = Payload<int>();
            return IsNullInt(x) ? 0 : ValueNumberHash(x);
        }
        return OtherHash();
    }
    bool operator==(const Value& v) const
    {
        dword tag = GetTag();
        if(tag == v.GetTag()) { // the commonest in-place types without the table
            if(tag == (dword)INT_V << 8)
                return Payload<int>() == v.Payload<int>();
            if(tag == (dword)DOUBLE_V << 8)
                return Payload<double>() == v.Payload<double>();
        }
        if(IsStringForm() && v.IsStringForm())
            return data == v.data;
        return OtherEquals(v);
    }
    bool operator!=(const Value& v) const { return !(*this == v); }

    // Elements of a ValueArray or the values of a ValueMap; the shared error Value
    // for anything else or a missing key.
    int GetCount() const;
    const Value& operator[](int i) const;
    const Value& operator[](const String& key) const;
    const Value& operator[](const char* key) const { return (*this)[String(key)]; }

    // Conversions: the own type's payload directly, everything else through Other*.
    int ToInt() const { return IsInPlace(INT_V) ? Payload<int>() : OtherToInt(); }
    int64 ToInt64() const { return IsInPlace(INT64_V) ? Payload<int64>() : OtherToInt64(); }
    double ToDouble() const { return IsInPlace(DOUBLE_V) ? Payload<double>() : OtherToDouble(); }
    bool ToBool() const { return IsInPlace(BOOL_V) ? Payload<bool>() : OtherToBool(); }
    Date ToDate() const { return IsInPlace(DATE_V) ? Payload<Date>() : OtherToDate(); }
    Time ToTime() const { return IsInPlace(TIME_V) ? TimePayload() : OtherToTime(); }
    String GetString() const { return IsStringForm() ? data : OtherToString(); }
    // The text of a Value that is not in the String form: a WString converted to the
    // default charset; the empty String for Null and every other type.
    String OtherToString() const;
    WString ToWString() const;
    // The text form: empty for every Null.
    String ToString() const;

    // The payload at byte 0, for in-place types (the caller has tested the type).
    template <class T>
    T Payload() const { T x; std::memcpy((void*)&x, Raw(), sizeof(T)); return x; }
    template <class T>
    void SetPayload(const T& x) { std::memcpy(Bytes(), (const void*)&x, sizeof(T)); }
    // Makes this Value an in-place value of type byte n; the payload is left as it was.
    void SetInPlaceTag(int n) { Clear(); SetTag(n); }
    // The String of the String form (the caller has tested the form).
    const String& StringRef() const { return data; }
    // Releases the content; the Value becomes the empty String.
    void Clear();

private:
    union {
        String data; // the String form
        byte raw[16]; // or payload bytes 0-11 and the tag at 12
    };

    byte* Bytes() { return raw; }
    // A shared representation or a String heap block: copies and release need work.
    bool OwnsBlock() const { return raw[14] != 0 || IsShared(); }
    void CopyBlock(const Value& v); // after the 16 bytes were copied
    void AssignBlock(const Value& v);
    void ReleaseBlock();
    bool OtherEquals(const Value& v) const;
    void SetTag(int type_byte)
    {
        dword t = (dword)type_byte << 8;
        std::memcpy(Bytes() + 12, &t, 4);
    }
    void SetInPlace(int type_byte, const void* payload, int n)
    {
        std::memcpy(Bytes(), payload, n);
        SetTag(type_byte);
    }
    void SetRep(Void* rep) { std::memcpy(Bytes(), (const void*)&rep, sizeof rep); SetTag(SHARED_TYPE_BYTE); }
    Void* Rep() const { Void* p; std::memcpy((void*)&p, Raw(), sizeof p); return p; }
    Time TimePayload() const { Time t; std::memcpy((void*)&t, Raw(), 7); return t; }

    uint32 OtherHash() const;
    int OtherToInt() const;
    int64 OtherToInt64() const;
    double OtherToDouble() const;
    bool OtherToBool() const;
    Date OtherToDate() const;
    Time OtherToTime() const;
};

static_assert(sizeof(Value) == 16, "a Value is 16 bytes");

inline uint32 GetHashValue(const Value& v) { return v.GetHashValue(); }

// Element access of ValueArray and ValueMap, installed by the containers; until then
// every Value has no elements.
struct ValueElementAccess {
    int (*count)(const Value::Void* rep, int type_number);
    const Value* (*at)(const Value::Void* rep, int type_number, int i);
    const Value* (*get)(const Value::Void* rep, const String& key); // null when missing; maps only
};
void SetValueElementAccess(const ValueElementAccess& access);

// Error Values: type 6, Null, carrying a message.
Value ErrorValue(const String& message);
Value ErrorValue(const char* message);
String ErrorValueText(const Value& v);
inline bool IsError(const Value& v) { return v.GetTypeNumber() == ERROR_V; }
// The error Value with the empty message, built on first use; missing elements give it.
const Value& SharedErrorValue();

// Standard order: Nulls first, numbers by value across types, Date and Time by time,
// texts by the language's comparison, anything else by type number.
int CompareValues(const Value& a, const Value& b, LanguageCode language);
int CompareValues(const Value& a, const Value& b); // the current language

// Text comparison of CompareValues. Until the per-language collation is installed it
// compares 16-bit units in order (a prefix first).
using ValueTextCompare = int (*)(const wchar16* a, int la, const wchar16* b, int lb, LanguageCode language);
void SetValueTextCompare(ValueTextCompare compare);
ValueTextCompare GetValueTextCompare();

uint32 ValueDoubleHash(double x);
uint32 ValueTimeHash(const Time& t);

} // namespace Qor
