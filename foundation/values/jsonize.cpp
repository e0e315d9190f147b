// JsonizeIo and the JSON forms of the basic types. Numbers travel as double Values
// (int64 beyond the exact double range as decimal text), Date and Time as compact text.
// RegisterBasicValueJsonize hands these forms to the Value operation records and to the
// String and WString representations.

#include "foundation/values/jsonize.h"

#include "foundation/values/jsonize_scan.h"
#include "foundation/values/number_scan.h"
#include "foundation/values/number_text.h"
#include "foundation/values/xmlize.h" // the compact date and time texts both forms use
#include "foundation/values/value_rep.h"

#include <cmath>
#include <cstring>

namespace Qor {

namespace {

[[noreturn]] void Fail(const char* message) { throw JsonizeError(message); }

bool IsWString(const Value& v) { return v.GetTypeNumber() == WSTRING_V; }

// The text of a String or WString Value (the latter in the default character set).
bool GetText(const Value& v, String& text)
{
    if(v.IsStringForm()) {
        text = v.StringRef();
        return true;
    }
    if(IsWString(v)) {
        text = v.GetString();
        return true;
    }
    return false;
}

// A number from a number, bool or text Value.
double NumberFromValue(const Value& v)
{
    if(v.IsInPlace(DOUBLE_V))
        return v.Payload<double>();
    if(v.IsInPlace(INT_V))
        return v.Payload<int>();
    if(v.IsInPlace(INT64_V))
        return (double)v.Payload<int64>();
    if(v.IsInPlace(BOOL_V))
        return v.Payload<bool>() ? 1 : 0;
    String text;
    double x = DOUBLE_NULL;
    if(GetText(v, text))
        x = ScanDoubleText(text.Begin(), nullptr, true);
    if(IsNullDouble(x))
        Fail("number expected");
    return x;
}

// A whole number in lo..hi; NaN fails every comparison and so is refused too.
bool IsWholeIn(double x, double lo, double hi)
{
    return x >= lo && x <= hi && std::trunc(x) == x;
}

// Fields kept in their own widths: the low bits of what the scanner read.
int16 Low16(int x) { return (int16)(uint16)(uint32)x; }
byte Low8(int x) { return (byte)(uint32)x; }

int FieldAt(const String& s, int from, int count)
{
    return ScanIntText(String(s.Begin() + from, count).Begin());
}

} // namespace

// JsonizeIo ---------------------------------------------------------------------------

JsonizeIo::~JsonizeIo()
{
    target = Value();
    ReleaseMap();
}

Value JsonizeIo::GetResult() const
{
    return map ? Value(*map) : target;
}

void JsonizeIo::CreateMap()
{
    ReleaseMap();
    map = new ValueMap;
}

void JsonizeIo::ReleaseMap()
{
    delete map;
    map = nullptr;
}

void JsonizeIo::AddMember(const char* name, const JsonizeIo& nested)
{
    map->Add(name, nested.map ? Value(*nested.map) : nested.target);
}

bool JsonizeIo::IsAbsent(const Value& v)
{
    return v.IsVoid() || IsError(v);
}

// Scalars -------------------------------------------------------------------------------

void Jsonize(JsonizeIo& io, double& x)
{
    if(io.IsStoring()) {
        io.Set(Value(x));
        return;
    }
    const Value& v = io.Get();
    x = v.IsNull() ? DOUBLE_NULL : NumberFromValue(v);
}

void Jsonize(JsonizeIo& io, int& x)
{
    if(io.IsStoring()) {
        io.Set(Value(IsNullInt(x) ? DOUBLE_NULL : (double)x));
        return;
    }
    const Value& v = io.Get();
    if(v.IsNull()) {
        x = INT_NULL;
        return;
    }
    double d = NumberFromValue(v);
    if(!IsWholeIn(d, -2147483648.0, 2147483647.0))
        Fail("number is not integer");
    x = (int)d;
}

void Jsonize(JsonizeIo& io, int16& x)
{
    if(io.IsStoring()) {
        io.Set(Value((double)x));
        return;
    }
    const Value& v = io.Get();
    if(v.IsNull())
        Fail("16-bit integer expected");
    double d = NumberFromValue(v);
    if(!IsWholeIn(d, -32768.0, 32767.0))
        Fail("16-bit integer expected");
    x = (int16)d;
}

void Jsonize(JsonizeIo& io, bool& x)
{
    if(io.IsStoring()) {
        io.Set(Value(x));
        return;
    }
    const Value& v = io.Get();
    bool number = v.IsInPlace(INT_V) || v.IsInPlace(DOUBLE_V) || v.IsInPlace(INT64_V) || v.IsInPlace(BOOL_V);
    if(!number || v.IsNull())
        Fail("boolean expected");
    x = v.ToBool();
}

void Jsonize(JsonizeIo& io, int64& x)
{
    // Doubles hold every integer of this range exactly; beyond it the decimal text does.
    const int64 exact = (int64)1 << 53;
    if(io.IsStoring()) {
        if(IsNullInt64(x))
            io.Set(Value(INT_NULL));
        else if(x >= -exact && x <= exact - 1)
            io.Set(Value(x));
        else
            io.Set(Value(Int64ToText(x)));
        return;
    }
    const Value& v = io.Get();
    if(v.IsNull()) {
        x = INT64_NULL;
        return;
    }
    if(v.IsInPlace(INT64_V)) {
        x = v.Payload<int64>();
        return;
    }
    if(v.IsInPlace(INT_V)) {
        x = v.Payload<int>();
        return;
    }
    if(v.IsInPlace(DOUBLE_V) || v.IsInPlace(BOOL_V)) {
        double d = v.IsInPlace(BOOL_V) ? (v.Payload<bool>() ? 1.0 : 0.0) : v.Payload<double>();
        // 2^63 is the first double past INT64_MAX: converting it (or NaN, or anything
        // beyond) to int64 is undefined, so the half-open range is checked first.
        if(!(d >= -9223372036854775808.0 && d < 9223372036854775808.0))
            Fail("invalid int64 value");
        x = (int64)d; // truncates toward zero
        return;
    }
    String text;
    int64 n;
    if(!GetText(v, text) || !JsonScanInt64(text.Begin(), n))
        Fail("invalid int64 value");
    x = n;
}

void Jsonize(JsonizeIo& io, String& x)
{
    if(io.IsStoring()) {
        io.Set(Value(x));
        return;
    }
    const Value& v = io.Get();
    if(v.IsNull()) {
        x = String();
        return;
    }
    if(!GetText(v, x))
        Fail("string expected");
}

void Jsonize(JsonizeIo& io, WString& x)
{
    if(io.IsStoring()) {
        io.Set(Value(x));
        return;
    }
    const Value& v = io.Get();
    if(v.IsNull()) {
        x = WString();
        return;
    }
    if(!v.IsStringForm() && !IsWString(v))
        Fail("string expected");
    x = v.ToWString();
}

void Jsonize(JsonizeIo& io, Date& x)
{
    if(io.IsStoring()) {
        io.Set(x.IsNull() ? Value(INT_NULL) : Value(DateToCompactText(x)));
        return;
    }
    const Value& v = io.Get();
    if(v.IsNull()) {
        x = Date();
        return;
    }
    String s;
    if(!GetText(v, s) || s.GetLength() <= 6)
        Fail("string expected for Date value");
    Date d;
    d.year = Low16(FieldAt(s, 0, 4));
    d.month = Low8(FieldAt(s, 4, 2));
    d.day = Low8(ScanIntText(s.Begin() + 6));
    if(!d.IsValid())
        Fail("string expected for Date value");
    x = d;
}

void Jsonize(JsonizeIo& io, Time& x)
{
    if(io.IsStoring()) {
        if(x.IsNull())
            io.Set(Value(INT_NULL));
        else
            io.Set(Value(TimeToCompactText(x)));
        return;
    }
    const Value& v = io.Get();
    if(v.IsNull()) {
        x = Time();
        return;
    }
    String s;
    if(!GetText(v, s) || s.GetLength() <= 15)
        Fail("string expected for Time value");
    Time t;
    t.year = Low16(FieldAt(s, 0, 4));
    t.month = Low8(FieldAt(s, 4, 2));
    t.day = Low8(FieldAt(s, 6, 2));
    t.hour = Low8(FieldAt(s, 9, 2));
    t.minute = Low8(FieldAt(s, 12, 2));
    t.second = Low8(ScanIntText(s.Begin() + 15));
    if(!t.IsValid())
        Fail("string expected for Time value");
    x = t;
}

// Value seams ---------------------------------------------------------------------------
// An in-place Value maps its payload through the overload of its type; a loaded payload
// replaces the old one only when loading succeeded.

namespace {

template <class T>
void JsonizePayload(Value* v, JsonizeIo& io)
{
    T x = io.IsStoring() ? v->Payload<T>() : T();
    Jsonize(io, x);
    if(io.IsLoading())
        *v = Value(x);
}

void JsonizeTimePayload(Value* v, JsonizeIo& io)
{
    Time t = v->ToTime();
    Jsonize(io, t);
    if(io.IsLoading())
        *v = Value(t);
}

void JsonizeStringForm(Value* v, JsonizeIo& io)
{
    String s = v->StringRef();
    Jsonize(io, s);
    if(io.IsLoading())
        *v = Value(s);
}

void JsonizeStringHook(JsonizeIo& io, String& x) { Jsonize(io, x); }
void JsonizeWStringHook(JsonizeIo& io, WString& x) { Jsonize(io, x); }

// The records are copied from the table as they stand, so that another mapping that
// fills its own slots the same way keeps them whichever registers first.
void InstallJsonize(int type_byte, ValueOps& copy, void (*jsonize)(Value*, JsonizeIo&))
{
    const ValueOps* current = value_ops_table[type_byte];
    if(!current)
        return;
    copy = *current;
    copy.Jsonize = jsonize;
    RegisterValueOps(type_byte, &copy);
}

ValueOps string_record, int_record, double_record, date_record, time_record, int64_record, bool_record;

} // namespace

void RegisterBasicValueJsonize()
{
    static bool done = false;
    if(done)
        return;
    done = true;
    InstallJsonize(0, string_record, JsonizeStringForm);
    InstallJsonize(INT_V, int_record, JsonizePayload<int>);
    InstallJsonize(DOUBLE_V, double_record, JsonizePayload<double>);
    InstallJsonize(DATE_V, date_record, JsonizePayload<Date>);
    InstallJsonize(TIME_V, time_record, JsonizeTimePayload);
    InstallJsonize(INT64_V, int64_record, JsonizePayload<int64>);
    InstallJsonize(BOOL_V, bool_record, JsonizePayload<bool>);
    ValueMappingHooks<String>::jsonize = JsonizeStringHook;
    ValueMappingHooks<WString>::jsonize = JsonizeWStringHook;
}

} // namespace Qor
