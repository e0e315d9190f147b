// ValueMap: an ordered map from Value keys to Values behind a counted data object that
// copies share until one of them changes. Entries keep the order they were added in; a
// key may occur more than once and a lookup finds the first. The data is a Value
// representation (type 12).
#pragma once

#include "foundation/key_index.h"
#include "foundation/values/value.h"
#include "foundation/values/value_array.h"

namespace Qor {

class Stream;

class ValueMap {
public:
    class Data : public Value::Void {
    public:
        int GetTypeNumber() const override { return VALUEMAP_V; }
        // Only the shared empty instance is Null; a map emptied any other way is not.
        bool IsNull() const override;
        // Keys as items, the key hash part, then the values as items.
        void Serialize(Stream& s) override;
        // "key" children, then the values as "item" children.
        void Xmlize(XmlizeIo& io) override;
        // A JSON array of {"key": ..., "value": ...} objects.
        void Jsonize(JsonizeIo& io) override;
        // An empty map hashes 0, whether it is the Null one or was loaded: the two are equal.
        uint32 GetHashValue() const override;
        bool Equals(const Value::Void* other) const override;
        String ToText() const override;

        // The value of the first entry whose key equals key; null when none.
        const Value* Find(const Value& key) const;
        // Nested containers among the keys die without recursion (the values' data does so itself).
        ~Data() override;

        KeyIndex<Value> keys;
        ValueArray values; // element i belongs to key i
    };

    // The data of every default ValueMap; one instance, kept by a static.
    class NullData : public Data {
    public:
        ~NullData() override {}
    };

    ValueMap();
    ValueMap(const ValueMap& m) : data(m.data) { data->Retain(); }
    // Null gives the empty map, a ValueMap its data (shared), a ValueArray a new map with
    // the int keys 0 ... count - 1 and the array's items as values.
    ValueMap(const Value& v);
    ~ValueMap() { data->Release(); }

    ValueMap& operator=(const ValueMap& m);

    int GetCount() const { return data->keys.GetCount(); }
    bool IsEmpty() const { return data->keys.IsEmpty(); }
    const Value& GetKey(int i) const { return data->keys[i]; }
    const Value& GetValue(int i) const { return data->values[i]; }
    const Vector<Value>& GetKeys() const { return data->keys.GetKeys(); }
    const ValueArray& GetValues() const { return data->values; }
    // The index of the first entry with this key; -1 when none.
    int Find(const Value& key) const { return data->keys.Find(key); }

    // Appends an entry; an existing equal key is not looked for.
    void Add(const Value& key, const Value& value);
    void Add(const char* key, const Value& value) { Add(Value(key), value); }
    // The value of the first entry with this key; the shared error Value when none.
    const Value& Get(const Value& key) const;
    const Value& operator[](const Value& key) const { return Get(key); }

    // The data, owned by this map alone from now on; the keys are copied when shared,
    // the values stay shared until they change themselves.
    Data& Unshare();

    bool operator==(const ValueMap& m) const { return data->Equals(m.data); }
    bool operator!=(const ValueMap& m) const { return !(*this == m); }
    uint32 GetHashValue() const { return data->GetHashValue(); }
    String ToString() const { return data->ToText(); }

    // The map's own binary form (no type number); loading replaces the data.
    void Serialize(Stream& s);

    Data* GetData() const { return data; }
    static NullData& GetNullData();

private:
    Data* data;

    friend class Value;
};

} // namespace Qor
