// ValueMap: sharing, copy on write, lookup and the data object's Value slots, among them
// the binary form, which refuses stored maps whose parts disagree.

#include "foundation/values/value_map.h"

#include "foundation/container_serialize.h"
#include "foundation/stream.h"
#include "foundation/values/value_tree_internal.h"

namespace Qor {

// Data slots ---------------------------------------------------------------------------

bool ValueMap::Data::IsNull() const
{
    return this == &GetNullData();
}

const Value* ValueMap::Data::Find(const Value& key) const
{
    int i = keys.Find(key);
    // Only a map loaded from XML can have fewer values than keys.
    return i >= 0 && i < values.GetCount() ? &values[i] : nullptr;
}

uint32 ValueMap::Data::GetHashValue() const
{
    return HashValueContainer(this);
}

bool ValueMap::Data::Equals(const Value::Void* other) const
{
    return EqualValueContainers(other, this);
}

String ValueMap::Data::ToText() const
{
    return ValueContainerText(this);
}

void ValueMap::Data::Serialize(Stream& s)
{
    if(s.IsStoring()) {
        if(s.IsError())
            return;
        SerializeValueItems(s, const_cast<Vector<Value>&>(keys.GetKeys()));
        int version = 0;
        s.SerializeCount(version);
        Vector<uint32> hashes;
        hashes.Reserve(keys.GetCount());
        for(const Value& k : keys) // as the index holds them: loading checks them against the keys
            hashes.Add(k.GetHashValue() & 0x7fffffff);
        Qor::Serialize(s, hashes);
        values.GetData()->Serialize(s);
        return;
    }
    // Emptied first, so that a load that fails or throws leaves a consistent empty map;
    // the parts are only put in place once they have been read and agree.
    keys.Clear();
    values.Create();
    Vector<Value> loaded_keys;
    SerializeValueItems(s, loaded_keys);
    int version = -1;
    s.SerializeCount(version);
    if(!s.IsError() && version != 0)
        s.SetLoadError();
    Vector<uint32> hashes;
    Qor::Serialize(s, hashes);
    ValueArray loaded_values;
    SerializeValueItems(s, loaded_values.Create());
    if(s.IsError())
        return;
    int n = loaded_keys.GetCount();
    if(hashes.GetCount() != n || loaded_values.GetCount() != n) {
        s.SetLoadError();
        return;
    }
    keys.Reserve(n);
    for(int i = 0; i < n; i++) {
        // A stored hash is what the key hashes to; any other would send lookups astray.
        uint32 h = loaded_keys[i].GetHashValue() & 0x7fffffff;
        if(hashes[i] != h) {
            keys.Clear();
            s.SetLoadError();
            return;
        }
        keys.Add(loaded_keys[i], h);
    }
    values = loaded_values;
}

// Handles ------------------------------------------------------------------------------

ValueMap::Data::~Data()
{
    Vector<Value> k = keys.PickKeys();
    ReleaseValueItems(k);
}

ValueMap::NullData& ValueMap::GetNullData()
{
    static NullData instance; // count 1: the static's own reference
    return instance;
}

ValueMap::ValueMap()
    : data(&GetNullData())
{
    data->Retain();
}

ValueMap::ValueMap(const Value& v)
{
    Value::Void* rep = v.GetRep();
    int type = rep ? rep->GetTypeNumber() : VOID_V;
    if(v.IsNull() || (type != VALUEMAP_V && type != VALUEARRAY_V)) {
        data = &GetNullData();
        data->Retain();
    }
    else if(type == VALUEMAP_V) {
        data = static_cast<Data*>(rep);
        data->Retain();
    }
    else {
        data = new Data;
        data->values = ValueArray(v);
        int n = data->values.GetCount();
        data->keys.Reserve(n);
        for(int i = 0; i < n; i++)
            data->keys.Add(Value(i));
    }
}

ValueMap& ValueMap::operator=(const ValueMap& m)
{
    m.data->Retain(); // first, so that assigning the map to itself keeps its data
    data->Release();
    data = m.data;
    return *this;
}

void ValueMap::Add(const Value& key, const Value& value)
{
    Data& d = Unshare();
    d.keys.Add(key);
    d.values.Add(value);
}

const Value& ValueMap::Get(const Value& key) const
{
    const Value* v = data->Find(key);
    return v ? *v : SharedErrorValue();
}

ValueMap::Data& ValueMap::Unshare()
{
    if(data->GetRefCount() == 1)
        return *data;
    Data* d = new Data;
    d->keys = data->keys; // every key copied, the hash index rebuilt
    d->values = data->values;
    data->Release();
    data = d;
    return *d;
}

void ValueMap::Serialize(Stream& s)
{
    if(s.IsLoading()) {
        Data* d = new Data;
        data->Release();
        data = d;
    }
    data->Serialize(s);
}

Value::Value(const ValueMap& m)
    : Value(FromRep(m.data))
{
    m.data->Retain();
}

} // namespace Qor
