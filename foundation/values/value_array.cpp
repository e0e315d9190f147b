// ValueArray: sharing, copy on write, the data object's Value slots and the items'
// binary form, plus the element access that lets a Value index its container.

#include "foundation/values/value_array.h"

#include "foundation/stream.h"
#include "foundation/values/value_map.h"
#include "foundation/values/value_rep.h"
#include "foundation/values/value_tree_internal.h"

namespace Qor {

// Data slots ---------------------------------------------------------------------------

void ValueArray::Data::Serialize(Stream& s)
{
    SerializeValueItems(s, items);
}

uint32 ValueArray::Data::GetHashValue() const
{
    return HashValueContainer(this);
}

bool ValueArray::Data::Equals(const Value::Void* other) const
{
    return EqualValueContainers(other, this);
}

String ValueArray::Data::ToText() const
{
    return ValueContainerText(this);
}

// Handles ------------------------------------------------------------------------------

ValueArray::NullData& ValueArray::GetNullData()
{
    static NullData instance; // count 1: the static's own reference
    return instance;
}

ValueArray::ValueArray()
    : data(&GetNullData())
{
    data->Retain();
}

ValueArray::ValueArray(Vector<Value>&& v)
    : data(new Data)
{
    data->items = static_cast<Vector<Value>&&>(v);
}

ValueArray::ValueArray(const Value& v)
{
    Value::Void* rep = v.GetRep();
    int type = rep ? rep->GetTypeNumber() : VOID_V;
    if(type == VALUEARRAY_V)
        data = static_cast<Data*>(rep);
    else if(type == VALUEMAP_V)
        data = static_cast<ValueMap::Data*>(rep)->values.data;
    else // Null or anything else: the empty array
        data = &GetNullData();
    data->Retain();
}

ValueArray& ValueArray::operator=(const ValueArray& a)
{
    a.data->Retain(); // first, so that assigning the array to itself keeps its data
    data->Release();
    data = a.data;
    return *this;
}

void ValueArray::Clear()
{
    if(data->GetRefCount() > 1) // nothing to copy: the other holders keep the items
        Create();
    else
        data->items.Clear();
}

Vector<Value>& ValueArray::Create()
{
    Data* d = new Data;
    data->Release();
    data = d;
    return d->items;
}

Vector<Value>& ValueArray::Unshare()
{
    if(data->GetRefCount() == 1)
        return data->items;
    Data* d = new Data;
    d->items = data->items;
    data->Release();
    data = d;
    return d->items;
}

bool ValueArray::operator==(const ValueArray& a) const
{
    return EqualValueContainers(data, a.data);
}

void ValueArray::Serialize(Stream& s)
{
    if(s.IsLoading())
        Create();
    data->Serialize(s);
}

Value::Value(const ValueArray& a)
    : Value(FromRep(a.data))
{
    a.data->Retain();
}

// Items' binary form -------------------------------------------------------------------

void SerializeValueItems(Stream& s, Vector<Value>& items)
{
    if(s.IsError())
        return;
    if(s.IsStoring()) {
        ValueNestingDepth depth;
        if(!depth.IsOk()) {
            s.SetError(); // a form too deep to load back is not written at all
            return;
        }
        int n = items.GetCount();
        s.SerializeCount(n);
        for(Value& v : items)
            SerializeValueElement(s, v);
        return;
    }
    int n = 0;
    s.SerializeCount(n);
    items.Clear();
    if(s.IsError())
        return;
    if(n < 0) {
        s.SetLoadError();
        return;
    }
    ValueNestingDepth depth;
    if(!depth.IsOk()) {
        s.SetLoadError(); // may throw: nothing was counted for this level
        return;
    }
    // Each item needs at least one byte, so a forged count ends with the stream.
    for(int i = 0; i < n && !s.IsError(); i++)
        SerializeValueElement(s, items.Add());
}

// Release ------------------------------------------------------------------------------

namespace {

Vector<Value>* release_pending = nullptr; // set while the outermost release drains it

} // namespace

void ReleaseValueItems(Vector<Value>& items)
{
    bool outermost = !release_pending;
    Vector<Value> pending;
    if(outermost)
        release_pending = &pending;
    for(Value& v : items) {
        Value::Void* rep = v.GetRep();
        if(rep && rep->GetRefCount() == 1)
            release_pending->Add(static_cast<Value&&>(v));
    }
    if(!outermost)
        return;
    while(!pending.IsEmpty()) {
        Value last = static_cast<Value&&>(pending.Top());
        pending.Drop();
        // last dies here; its own items join the list instead of recursing
    }
    release_pending = nullptr;
}

// Built-in element form ----------------------------------------------------------------

namespace {

void LoadShared(Stream& s, Value& v, Value::Void* rep)
{
    v = Value::FromRep(rep); // held first, so that a throwing load cannot leak it
    rep->Serialize(s);
}

void BuiltInSerializeElement(Stream& s, Value& v)
{
    if(s.IsStoring()) {
        int type = v.GetTypeNumber();
        s.SerializeCount(type);
        if(v.IsStringForm())
            s.Serialize(const_cast<String&>(v.StringRef()));
        else if(Value::Void* rep = v.GetRep())
            rep->Serialize(s);
        else if(!v.IsVoid())
            value_ops_table[v.GetTypeByte()]->Serialize(&v, s);
        return;
    }
    int type = -1;
    s.SerializeCount(type);
    v.Clear();
    if(s.IsError())
        return;
    if(type == VOID_V)
        v = Value();
    else if(type == STRING_V) {
        String text;
        s.Serialize(text);
        v = Value(static_cast<String&&>(text));
    }
    else if(type < 0)
        s.SetLoadError();
    else if(type < 255 && type != VOID_TYPE_BYTE && value_ops_table[type]) {
        v.SetInPlaceTag(type);
        value_ops_table[type]->Serialize(&v, s);
    }
    else if(type == VALUEARRAY_V)
        LoadShared(s, v, new ValueArray::Data);
    else if(type == VALUEMAP_V)
        LoadShared(s, v, new ValueMap::Data);
    else if(type == WSTRING_V)
        LoadShared(s, v, new RichValueRep<WString>);
    else if(type == COMPLEX_V)
        LoadShared(s, v, new RichValueRep<Complex>);
    else {
        v = Value();
        if(type != ERROR_V) // an error Value stores only its number and loads as void
            s.SetLoadError();
    }
}

ValueElementSerializer element_serializer = BuiltInSerializeElement;

// Element access for Value::GetCount and Value::operator[].
const Vector<Value>* ItemsOf(const Value::Void* rep, int type)
{
    if(type == VALUEARRAY_V)
        return &static_cast<const ValueArray::Data*>(rep)->items;
    if(type == VALUEMAP_V)
        return &static_cast<const ValueMap::Data*>(rep)->values.GetItems();
    return nullptr;
}

int ElementCount(const Value::Void* rep, int type)
{
    const Vector<Value>* items = ItemsOf(rep, type);
    return items ? items->GetCount() : 0;
}

const Value* ElementAt(const Value::Void* rep, int type, int i)
{
    const Vector<Value>* items = ItemsOf(rep, type);
    return items && i >= 0 && i < items->GetCount() ? &(*items)[i] : nullptr;
}

const Value* ElementByKey(const Value::Void* rep, const String& key)
{
    return static_cast<const ValueMap::Data*>(rep)->Find(Value(key));
}

} // namespace

void RegisterValueElementAccess() { SetValueElementAccess({ElementCount, ElementAt, ElementByKey}); }

void SetValueElementSerializer(ValueElementSerializer f)
{
    element_serializer = f ? f : BuiltInSerializeElement;
}

void SerializeValueElement(Stream& s, Value& v)
{
    element_serializer(s, v);
}

} // namespace Qor
