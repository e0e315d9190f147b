// Value: copying and release, type and Null queries, hashing, equality across types,
// conversions and element access. The in-place operation records are in value_ops.cpp.

#include "foundation/values/value.h"

#include "foundation/values/value_rep.h"

namespace Qor {

Value::Value(const WString& s)
{
    SetRep(new RichValueRep<WString>(s));
}

void Value::CopyBlock(const Value& v)
{
    if(v.IsShared())
        v.Rep()->Retain();
    else
        data.CopyLarge(v.data);
}

void Value::ReleaseBlock()
{
    if(IsShared())
        ReleaseRep(Rep());
    else
        data.ReleaseLarge();
}

void Value::AssignBlock(const Value& v)
{
    if(this == &v)
        return;
    if(IsStringForm() && v.IsStringForm()) {
        data.Assign(v.data); // may keep the block this Value already has
        return;
    }
    // Copy first: v may live inside what this Value is about to release.
    Value copy(v);
    byte old[16];
    std::memcpy(old, raw, 16);
    std::memcpy(raw, copy.raw, 16);
    std::memcpy(copy.raw, old, 16); // the copy releases the old content
}

Value& Value::operator=(Value&& v) noexcept
{
    if(this != &v) {
        Value taken(static_cast<Value&&>(v));
        byte old[16];
        std::memcpy(old, raw, 16);
        std::memcpy(raw, taken.raw, 16);
        std::memcpy(taken.raw, old, 16);
    }
    return *this;
}

void Value::Clear()
{
    if(OwnsBlock())
        ReleaseBlock();
    std::memset(raw, 0, 16);
}

int Value::GetTypeNumber() const
{
    if(IsStringForm())
        return STRING_V;
    int t = GetTypeByte();
    if(t == VOID_TYPE_BYTE)
        return VOID_V;
    if(t == SHARED_TYPE_BYTE)
        return Rep()->GetTypeNumber();
    return t;
}

bool Value::IsNull() const
{
    if(IsStringForm())
        return data.GetLength() == 0;
    int t = GetTypeByte();
    if(t == SHARED_TYPE_BYTE)
        return Rep()->IsNull();
    const ValueOps* ops = value_ops_table[t];
    return !ops || ops->IsNull(this);
}

uint32 Value::OtherHash() const
{
    if(IsShared()) {
        Void* rep = Rep();
        return rep->IsNull() ? 0 : rep->GetHashValue();
    }
    const ValueOps* ops = value_ops_table[GetTypeByte()];
    return !ops || ops->IsNull(this) ? 0 : ops->Hash(this);
}

// One side of a comparison between different types.
static bool EqualsFromSide(const Value& x, const Value& y)
{
    if(x.IsShared())
        return x.GetRep()->EqualsOtherType(y);
    const ValueOps* ops = value_ops_table[x.IsStringForm() ? 0 : x.GetTypeByte()];
    return (ops && ops->EqualsOtherType(&x, &y)) || (x.IsNull() && y.IsNull());
}

bool Value::OtherEquals(const Value& v) const
{
    if(IsStringForm() && v.IsStringForm())
        return data == v.data;
    dword tag = GetTag();
    if(tag == v.GetTag() && IsTagged() && !IsShared() && !IsVoid()) {
        const ValueOps* ops = value_ops_table[GetTypeByte()];
        return ops && ops->Equals(this, &v); // same in-place type: no type numbers needed
    }
    int ta = GetTypeNumber();
    int tb = v.GetTypeNumber();
    if(ta == tb) {
        if(IsShared())
            return v.IsShared() && Rep()->Equals(v.Rep());
        if(IsVoid())
            return true;
        const ValueOps* ops = value_ops_table[GetTypeByte()];
        return ops && ops->Equals(this, &v);
    }
    return EqualsFromSide(*this, v) || EqualsFromSide(v, *this);
}

// Element access ----------------------------------------------------------------------

static ValueElementAccess element_access = {nullptr, nullptr, nullptr};

void SetValueElementAccess(const ValueElementAccess& access)
{
    element_access = access;
}

int Value::GetCount() const
{
    if(!IsShared() || !element_access.count)
        return 0;
    return element_access.count(Rep(), Rep()->GetTypeNumber());
}

const Value& Value::operator[](int i) const
{
    if(IsShared() && element_access.at)
        if(const Value* v = element_access.at(Rep(), Rep()->GetTypeNumber(), i))
            return *v;
    return SharedErrorValue();
}

const Value& Value::operator[](const String& key) const
{
    if(IsShared() && element_access.get && Rep()->GetTypeNumber() == VALUEMAP_V)
        if(const Value* v = element_access.get(Rep(), key))
            return *v;
    return SharedErrorValue();
}

// Conversions ----------------------------------------------------------------------

int Value::OtherToInt() const
{
    if(IsNull())
        return INT_NULL;
    if(IsInPlace(BOOL_V))
        return Payload<bool>();
    if(IsInPlace(INT64_V))
        return (int)(uint32)Payload<int64>(); // the low 32 bits
    if(IsInPlace(DOUBLE_V)) {
        double x = Payload<double>();
        // Inside these bounds the truncation fits an int; NaN fails both tests.
        return x > -2147483649.0 && x < 2147483648.0 ? (int)x : INT_NULL;
    }
    return INT_NULL;
}

int64 Value::OtherToInt64() const
{
    if(IsNull())
        return INT64_NULL;
    if(IsInPlace(BOOL_V))
        return Payload<bool>();
    if(IsInPlace(INT_V))
        return Payload<int>();
    if(IsInPlace(DOUBLE_V)) {
        double x = Payload<double>();
        return x >= -9223372036854775808.0 && x < 9223372036854775808.0 ? (int64)x : INT64_NULL;
    }
    return INT64_NULL;
}

double Value::OtherToDouble() const
{
    if(IsNull())
        return DOUBLE_NULL;
    if(IsInPlace(BOOL_V))
        return Payload<bool>();
    if(IsInPlace(INT_V))
        return Payload<int>();
    if(IsInPlace(INT64_V))
        return (double)Payload<int64>();
    return DOUBLE_NULL;
}

bool Value::OtherToBool() const
{
    if(IsNull())
        return false;
    if(IsInPlace(DOUBLE_V))
        return Payload<double>() != 0; // NaN gives true
    if(IsInPlace(INT_V))
        return Payload<int>() != 0;
    if(IsInPlace(INT64_V))
        return Payload<int64>() != 0;
    return false;
}

Date Value::OtherToDate() const
{
    if(!IsNull() && IsInPlace(TIME_V))
        return TimePayload().GetDate();
    return Date();
}

Time Value::OtherToTime() const
{
    if(!IsNull() && IsInPlace(DATE_V))
        return Time(Payload<Date>(), 0, 0, 0);
    return Time();
}

String Value::OtherToString() const
{
    if(!IsNull() && IsShared() && Rep()->GetTypeNumber() == WSTRING_V)
        return static_cast<const RawValueRep<WString>*>(Rep())->Get().ToString();
    return String();
}

WString Value::ToWString() const
{
    if(IsNull())
        return WString();
    if(IsStringForm())
        return WString(data);
    if(IsShared() && Rep()->GetTypeNumber() == WSTRING_V)
        return static_cast<const RawValueRep<WString>*>(Rep())->Get();
    return WString();
}

String Value::ToString() const
{
    if(IsNull())
        return String();
    if(IsStringForm())
        return data;
    if(IsShared())
        return Rep()->ToText();
    return value_ops_table[GetTypeByte()]->ToText(this);
}

} // namespace Qor
