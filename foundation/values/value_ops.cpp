// The operation records of the in-place Value types and the table indexed by type byte.
// Number records answer the cross-type comparisons so that equal numbers of different
// types compare equal in both orders, and their hashes agree.

#include "foundation/values/value.h"

#include "foundation/stream.h"
#include "foundation/values/date_text.h"
#include "foundation/values/number_text.h"

namespace Qor {

uint32 ValueDoubleHash(double x)
{
    // A whole number in the int64 range hashes as that int64 (and so as an int or bool).
    // 2^63 itself is past the range; it takes the hash of the largest int64, which
    // converts to it, instead of an overflowing conversion.
    if(x >= -9223372036854775808.0 && x < 9223372036854775808.0) {
        int64 n = (int64)x;
        if((double)n == x)
            return ValueNumberHash(n);
    }
    else if(x == 9223372036854775808.0)
        return ValueNumberHash(INT64_MAX);
    return HashDouble(x);
}

// The factors overlap neighbouring fields on purpose: stored map keys carry these hashes.
uint32 ValueTimeHash(const Time& t)
{
    uint32 h = (uint32)(int32)t.year * 8u + t.month;
    h = h * 32u + t.day;
    h = h * 16u + t.hour;
    h = h * 32u + t.minute;
    return h * 32u + t.second;
}

static uint32 DateHash(Date d)
{
    return (((uint32)(int32)d.year * 8u + d.month) * 32u + d.day) * 16384u;
}

namespace {

template <class T>
T Get(const Value* v) { return v->Payload<T>(); }

Time GetTime(const Value* v) { return v->ToTime(); }

// Loads or stores the payload T through the stream; a loaded payload is written back.
template <class T>
void SerializePayload(Value* v, Stream& s)
{
    T x = v->Payload<T>();
    s.Serialize(x);
    if(s.IsLoading())
        v->SetPayload(x);
}

void NoMapping(Value*, XmlizeIo&) {}
void NoMapping(Value*, JsonizeIo&) {}
bool NeverOtherType(const Value*, const Value*) { return false; }

// String form (entry 0)
bool StringIsNull(const Value* v) { return v->StringRef().IsEmpty(); }
void StringSerialize(Value* v, Stream& s) { s.Serialize(const_cast<String&>(v->StringRef())); }
uint32 StringHash(const Value* v) { return v->StringRef().GetHashValue(); }
bool StringEquals(const Value* a, const Value* b) { return a->StringRef() == b->StringRef(); }
String StringText(const Value* v) { return v->StringRef(); }

// void (entry 3)
bool VoidIsNull(const Value*) { return true; }
void VoidSerialize(Value*, Stream&) {}
uint32 VoidHash(const Value*) { return 0; }
bool VoidEquals(const Value*, const Value*) { return true; }
String VoidText(const Value*) { return String(); }

// int
bool IntIsNull(const Value* v) { return IsNullInt(Get<int>(v)); }
uint32 IntHash(const Value* v) { return ValueNumberHash(Get<int>(v)); }
bool IntEquals(const Value* a, const Value* b) { return Get<int>(a) == Get<int>(b); }
bool IntEqualsOther(const Value* a, const Value* b)
{
    int x = Get<int>(a);
    if(b->IsInPlace(DOUBLE_V))
        return (double)x == Get<double>(b);
    if(b->IsInPlace(INT64_V))
        return (int64)x == Get<int64>(b);
    return false;
}
String IntText(const Value* v) { return IntToText(Get<int>(v)); }

// double
bool DoubleIsNull(const Value* v) { return IsNullDouble(Get<double>(v)); }
uint32 DoubleHash(const Value* v) { return ValueDoubleHash(Get<double>(v)); }
bool DoubleEquals(const Value* a, const Value* b) { return Get<double>(a) == Get<double>(b); }
String DoubleText(const Value* v) { return DoubleToText(Get<double>(v)); }

// Date
bool DateIsNull(const Value* v) { return Get<Date>(v).IsNull(); }
void DateSerialize(Value* v, Stream& s)
{
    Date d = Get<Date>(v);
    d.Serialize(s);
    if(s.IsLoading())
        v->SetPayload(d);
}
uint32 DateHashOp(const Value* v) { return DateHash(Get<Date>(v)); }
bool DateEquals(const Value* a, const Value* b) { return Get<Date>(a) == Get<Date>(b); }
bool DateEqualsOther(const Value* a, const Value* b)
{
    return b->IsInPlace(TIME_V) && Time::Equals(Time(Get<Date>(a), 0, 0, 0), GetTime(b));
}
String DateText(const Value* v) { return FormatDate(Get<Date>(v)); }

// Time: seven payload bytes
bool TimeIsNull(const Value* v) { return GetTime(v).IsNull(); }
void TimeSerialize(Value* v, Stream& s)
{
    Time t = GetTime(v);
    t.Serialize(s);
    if(s.IsLoading())
        std::memcpy(const_cast<byte*>(v->Raw()), (const void*)&t, 7);
}
uint32 TimeHash(const Value* v) { return ValueTimeHash(GetTime(v)); }
bool TimeEquals(const Value* a, const Value* b) { return Time::Equals(GetTime(a), GetTime(b)); }
String TimeText(const Value* v) { return FormatTime(GetTime(v), true); }

// int64
bool Int64IsNull(const Value* v) { return IsNullInt64(Get<int64>(v)); }
uint32 Int64Hash(const Value* v) { return ValueNumberHash(Get<int64>(v)); }
bool Int64Equals(const Value* a, const Value* b) { return Get<int64>(a) == Get<int64>(b); }
bool Int64EqualsOther(const Value* a, const Value* b)
{
    int64 x = Get<int64>(a);
    if(b->IsInPlace(DOUBLE_V))
        return (double)x == Get<double>(b);
    if(b->IsInPlace(INT_V))
        return x == (int64)Get<int>(b);
    return false;
}
String Int64Text(const Value* v) { return Int64ToText(Get<int64>(v)); }

// bool: never Null
bool BoolIsNull(const Value*) { return false; }
uint32 BoolHash(const Value* v) { return ValueNumberHash(Get<bool>(v) ? 1 : 0); }
bool BoolEquals(const Value* a, const Value* b) { return Get<bool>(a) == Get<bool>(b); }
bool BoolEqualsOther(const Value* a, const Value* b)
{
    int x = Get<bool>(a) ? 1 : 0;
    if(b->IsInPlace(INT_V))
        return x == Get<int>(b);
    if(b->IsInPlace(INT64_V))
        return x == Get<int64>(b);
    if(b->IsInPlace(DOUBLE_V))
        return x == Get<double>(b);
    return false;
}
String BoolText(const Value* v) { return Get<bool>(v) ? "true" : "false"; }

const ValueOps string_ops = {StringIsNull, StringSerialize, NoMapping, NoMapping,
                             StringHash, StringEquals, NeverOtherType, StringText};
const ValueOps void_ops = {VoidIsNull, VoidSerialize, NoMapping, NoMapping,
                           VoidHash, VoidEquals, NeverOtherType, VoidText};
const ValueOps int_ops = {IntIsNull, SerializePayload<int32>, NoMapping, NoMapping,
                          IntHash, IntEquals, IntEqualsOther, IntText};
const ValueOps double_ops = {DoubleIsNull, SerializePayload<double>, NoMapping, NoMapping,
                             DoubleHash, DoubleEquals, NeverOtherType, DoubleText};
const ValueOps date_ops = {DateIsNull, DateSerialize, NoMapping, NoMapping,
                           DateHashOp, DateEquals, DateEqualsOther, DateText};
const ValueOps time_ops = {TimeIsNull, TimeSerialize, NoMapping, NoMapping,
                           TimeHash, TimeEquals, NeverOtherType, TimeText};
const ValueOps int64_ops = {Int64IsNull, SerializePayload<int64>, NoMapping, NoMapping,
                            Int64Hash, Int64Equals, Int64EqualsOther, Int64Text};
const ValueOps bool_ops = {BoolIsNull, SerializePayload<bool>, NoMapping, NoMapping,
                           BoolHash, BoolEquals, BoolEqualsOther, BoolText};

} // namespace

// Constant-initialised, so the records are in place before any static initialiser runs
// (and before other in-place types register theirs).
const ValueOps* value_ops_table[256] = {
    &string_ops, &int_ops, &double_ops, &void_ops, &date_ops, &time_ops, nullptr, nullptr,
    nullptr, nullptr, &int64_ops, &bool_ops,
};

void RegisterValueOps(int type_byte, const ValueOps* ops)
{
    value_ops_table[(byte)type_byte] = ops;
}

} // namespace Qor
