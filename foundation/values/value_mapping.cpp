// XML and JSON forms of a whole Value. The type travels by its registered name so that
// loading can rebuild a Value of that type; a type without a name travels as the hex text
// of its framed binary form under the "serialized_binary" marker.

#include "foundation/stream.h"
#include "foundation/values/jsonize.h"
#include "foundation/values/value_map.h"
#include "foundation/values/value_registry.h"
#include "foundation/values/xmlize.h"

namespace Qor {

namespace {

const char* const INVALID_TYPE = "invalid Value type";

// The record of an in-place type number, null when the number has none.
const ValueOps* InPlaceOps(int number)
{
    return number >= 1 && number <= 254 ? value_ops_table[number] : nullptr;
}

bool IsTextValue(const Value& v)
{
    return v.IsStringForm() || v.GetTypeNumber() == WSTRING_V;
}

} // namespace

// XML ----------------------------------------------------------------------------------

void Value::Xmlize(XmlizeIo& io)
{
    RegisterStandardValueTypes();
    XmlNode& node = io.Node();
    if(io.IsStoring()) {
        String name = LookupValueTypeName(GetTypeNumber());
        if(name.IsEmpty()) {
            node.SetAttribute("type", SerializedBinaryMarker());
            String hex = StoreAsHexText(*this);
            Qor::Xmlize(io, hex);
            return;
        }
        node.SetAttribute("type", name);
        if(IsStringForm()) {
            String text = data;
            Qor::Xmlize(io, text);
        }
        else if(Void* rep = GetRep())
            rep->Xmlize(io);
        else if(!IsVoid()) {
            const ValueOps* ops = value_ops_table[GetTypeByte()];
            if(ops && ops->Xmlize)
                ops->Xmlize(this, io);
        }
        return;
    }

    String type = node.GetAttribute("type");
    if(type.IsEmpty()) {
        *this = Value();
        return;
    }
    if(type == SerializedBinaryMarker()) {
        String hex;
        Qor::Xmlize(io, hex);
        try {
            LoadFromHexText(*this, hex); // a failed load leaves the Value as it was
        }
        catch(const LoadingError&) {
            throw XmlError("xmlize serialized_binary Error");
        }
        return;
    }
    int number = LookupValueTypeNumber(type.Begin());
    if(number == VALUE_TYPE_UNKNOWN)
        throw XmlError(INVALID_TYPE);
    Clear();
    // Loaded into a Value of its own and handed over whole: a throwing payload mapping
    // leaves this Value the empty String.
    Value loaded;
    if(number == STRING_V) {
        String text;
        Qor::Xmlize(io, text);
        loaded = Value(static_cast<String&&>(text));
    }
    else if(number == VOID_V) {
        // loaded is void already
    }
    else if(const ValueOps* ops = InPlaceOps(number)) {
        loaded.SetInPlaceTag(number); // zero payload until the record reads it
        if(ops->Xmlize)
            ops->Xmlize(&loaded, io);
    }
    else if(Void* rep = CreateValueRep(number)) {
        loaded = FromRep(rep);
        rep->Xmlize(io);
    }
    else
        throw XmlError(INVALID_TYPE);
    *this = static_cast<Value&&>(loaded);
}

// JSON ---------------------------------------------------------------------------------

void Value::Jsonize(JsonizeIo& io)
{
    RegisterStandardValueTypes();
    if(io.IsStoring()) {
        if(IsNull()) {
            io.Set(Value(INT_NULL)); // the type of a Null is not kept
            return;
        }
        String name = LookupValueTypeName(GetTypeNumber());
        if(name.IsEmpty()) {
            String marker = SerializedBinaryMarker();
            String hex = StoreAsHexText(*this);
            io.Member("type", marker).Member("value", hex);
            return;
        }
        JsonizeIo payload;
        if(IsStringForm()) {
            String text = data;
            Qor::Jsonize(payload, text);
        }
        else if(Void* rep = GetRep())
            rep->Jsonize(payload);
        else {
            const ValueOps* ops = value_ops_table[GetTypeByte()];
            if(ops && ops->Jsonize)
                ops->Jsonize(this, payload);
        }
        ValueMap m;
        m.Add("type", Value(name));
        m.Add("value", payload.GetResult());
        io.Set(Value(m));
        return;
    }

    const Value& s = io.Get();
    if(s.IsNull()) {
        *this = Value(INT_NULL);
        return;
    }
    const Value& t = s["type"];
    String type = t.IsNull() ? String() : t.GetString();
    const Value& value = s["value"];
    if(type == SerializedBinaryMarker()) {
        if(!IsTextValue(value))
            throw JsonizeError("serialized_binary Error");
        try {
            LoadFromHexText(*this, value.GetString()); // a failed load leaves the Value as it was
        }
        catch(const LoadingError&) {
            throw JsonizeError("serialized_binary Error");
        }
        return;
    }
    int number = LookupValueTypeNumber(type.Begin());
    if(number == VALUE_TYPE_UNKNOWN)
        throw JsonizeError(INVALID_TYPE);
    Clear();
    Value loaded;
    if(number == STRING_V) {
        if(!IsTextValue(value))
            throw JsonizeError("serialized_binary Error");
        loaded = Value(value.IsNull() ? String() : value.GetString());
    }
    else if(number == VOID_V) {
        // loaded is void already
    }
    else if(const ValueOps* ops = InPlaceOps(number)) {
        loaded.SetInPlaceTag(number);
        JsonizeIo payload(value);
        if(ops->Jsonize)
            ops->Jsonize(&loaded, payload);
    }
    else if(Void* rep = CreateValueRep(number)) {
        loaded = FromRep(rep);
        JsonizeIo payload(value);
        rep->Jsonize(payload);
    }
    else
        throw JsonizeError(INVALID_TYPE);
    *this = static_cast<Value&&>(loaded);
}

Value StoreAsJsonValue(const Value& v)
{
    Value copy(v); // shares the representation; storing does not change it
    JsonizeIo io;
    copy.Jsonize(io);
    return io.GetResult();
}

void LoadFromJsonValue(Value& target, const Value& json)
{
    JsonizeIo io(json);
    target.Jsonize(io);
}

} // namespace Qor
