// The binary form of a whole Value (type number as a packed count, then the payload), the
// framed form in a String, and the hex text the XML and JSON mappings fall back on.
// A load that fails is reported through the stream and leaves no partly built Value.

#include "foundation/values/value_registry.h"

#include "foundation/callback_action.h"
#include "foundation/framed_store.h"
#include "foundation/string_stream.h"
#include "foundation/text_hex.h"
#include "foundation/values/value_array.h"

namespace Qor {

namespace {

void StoreValue(Stream& s, Value& v)
{
    int number = v.GetTypeNumber();
    s.SerializeCount(number);
    if(v.IsStringForm())
        s.Serialize(const_cast<String&>(v.StringRef())); // storing does not change it
    else if(Value::Void* rep = v.GetRep())
        rep->Serialize(s); // the error representation writes nothing
    else if(!v.IsVoid()) {
        // A tag without a record has no payload anyone could read back.
        if(const ValueOps* ops = value_ops_table[v.GetTypeByte()])
            ops->Serialize(&v, s);
    }
}

// Reads the payload of a known type number into loaded; false when there is no such type.
bool LoadPayload(Stream& s, int number, Value& loaded)
{
    if(number == VOID_V)
        loaded = Value();
    else if(number == STRING_V) {
        String text;
        s.Serialize(text);
        loaded = Value(static_cast<String&&>(text));
    }
    else if(number < 255 && value_ops_table[number]) {
        // In-place types are chosen by the table alone and never touch the factory map.
        loaded.SetInPlaceTag(number);
        value_ops_table[number]->Serialize(&loaded, s);
    }
    else if(Value::Void* rep = CreateValueRep(number)) {
        loaded = Value::FromRep(rep); // held first: a throwing load must not leak it
        rep->Serialize(s);
    }
    else
        return false;
    return true;
}

void LoadValue(Stream& s, Value& v)
{
    v.Clear(); // the empty String, before a read that may throw
    int number = -1;
    s.SerializeCount(number);
    if(number < 0) { // the stream ended, or a count past the int range
        if(!s.IsError())
            s.SetLoadError();
        return;
    }
    // The payload is read into its own Value and handed over only when it is whole, so a
    // failed load cannot leave a partly read payload behind.
    Value loaded;
    try {
        if(!LoadPayload(s, number, loaded)) {
            v = Value();
            if(number != ERROR_V) // an error Value stores only its number and loads as void
                s.SetLoadError();
            return;
        }
    }
    catch(...) {
        v = Value();
        throw;
    }
    if(s.IsError())
        v = Value();
    else
        v = static_cast<Value&&>(loaded);
}

// Installed for the elements of ValueArray and ValueMap.
void SerializeElement(Stream& s, Value& v)
{
    SerializeValue(s, &v);
}

Callback1<Stream&> SerializeCallback(Value* v)
{
    using Fn = void (*)(Stream&, Value*);
    return Callback1<Stream&>(new Callback1ActionCallArg<Fn, Stream&, Value*>(SerializeValue, v));
}

} // namespace

void SerializeValue(Stream& s, Value* v)
{
    RegisterStandardValueTypes();
    if(s.IsLoading())
        LoadValue(s, *v);
    else
        StoreValue(s, *v);
}

String StoreAsString(const Value& v)
{
    Value copy(v); // shares the representation; the callback wants a mutable Value
    StringStream s;
    if(!StoreFramed(SerializeCallback(&copy), s))
        return String(); // a form that could not be completed (too deep) would not load
    return s.GetText();
}

bool LoadFromString(Value& v, const String& text)
{
    // Loaded into a Value of its own: the frame's backup could not bring back a type
    // that has no factory, so the target is simply not touched until the load succeeded.
    Value loaded;
    StringStream s(text);
    if(!LoadFramed(SerializeCallback(&loaded), s))
        return false;
    v = static_cast<Value&&>(loaded);
    return true;
}

String StoreAsHexText(const Value& v)
{
    return HexEncode(StoreAsString(v));
}

bool LoadFromHexText(Value& v, const String& hex)
{
    return LoadFromString(v, HexDecode(hex));
}

void RegisterValueElementForm() { SetValueElementSerializer(SerializeElement); }

void Value::Serialize(Stream& s) { SerializeValue(s, this); }

} // namespace Qor
