// ValueArray: an array of Values behind a counted data object that copies share until
// one of them changes (copy on write). The data is a Value representation (type 9), so
// a Value holding a ValueArray costs one reference.
#pragma once

#include "foundation/values/value.h"
#include "foundation/vector.h"

namespace Qor {

class Stream;

// Releases items without recursing into nested containers: a representation whose last
// reference an item holds is handed to a list that the outermost release empties one at
// a time, so that a tree of any depth dies in a loop.
void ReleaseValueItems(Vector<Value>& items);

class ValueArray {
public:
    class Data : public Value::Void {
    public:
        int GetTypeNumber() const override { return VALUEARRAY_V; }
        bool IsNull() const override { return items.IsEmpty(); }
        // The items: packed count, then each item's Value binary form.
        void Serialize(Stream& s) override;
        // "item" children, one per item; loading reads every "item" child.
        void Xmlize(XmlizeIo& io) override;
        // A JSON array of the items' JSON forms.
        void Jsonize(JsonizeIo& io) override;
        uint32 GetHashValue() const override;
        bool Equals(const Value::Void* other) const override;
        String ToText() const override;
        ~Data() override { ReleaseValueItems(items); }

        Vector<Value> items;
    };

    // The data of every default ValueArray; one instance, kept by a static.
    class NullData : public Data {
    public:
        ~NullData() override {}
    };

    ValueArray();
    ValueArray(const ValueArray& a) : data(a.data) { data->Retain(); }
    // Takes over v's block; v is left moved-from.
    ValueArray(Vector<Value>&& v);
    // Null gives the empty array, a ValueMap its values, a ValueArray its data (shared).
    ValueArray(const Value& v);
    ~ValueArray() { data->Release(); }

    ValueArray& operator=(const ValueArray& a);

    int GetCount() const { return data->items.GetCount(); }
    bool IsEmpty() const { return data->items.IsEmpty(); }
    // The caller keeps i from 0 to GetCount() - 1.
    const Value& operator[](int i) const { return data->items[i]; }
    const Vector<Value>& GetItems() const { return data->items; }

    void Add(const Value& v) { Unshare().Add(v); }
    void Clear();
    // Points this array at a new empty data object (the old one loses a reference)
    // and returns its items.
    Vector<Value>& Create();
    // The items, owned by this array alone from now on (copied when shared).
    Vector<Value>& Unshare();

    bool operator==(const ValueArray& a) const;
    bool operator!=(const ValueArray& a) const { return !(*this == a); }
    uint32 GetHashValue() const { return data->GetHashValue(); }
    String ToString() const { return data->ToText(); }

    // The array's own binary form (no type number); loading replaces the data.
    void Serialize(Stream& s);

    Data* GetData() const { return data; }
    static NullData& GetNullData();

private:
    Data* data;

    friend class Value;
};

// The binary form of one element Value: its type number as a packed count, then its
// payload. The value type registry installs its full form through
// SetValueElementSerializer; until then a built-in form serves the String form, void,
// the in-place types, WString, Complex, ValueArray and ValueMap.
using ValueElementSerializer = void (*)(Stream& s, Value& v);
void SetValueElementSerializer(ValueElementSerializer f);
void SerializeValueElement(Stream& s, Value& v);

// Gives every Value the element access of ValueArray and ValueMap (Value::GetCount and
// operator[]); run by the library's registration unit.
void RegisterValueElementAccess();

// Container forms nest through element forms. Values nested deeper than this are refused
// by every form, storing as well as loading, so that whatever is stored loads back and no
// form exhausts the stack.
constexpr int VALUE_LOAD_DEPTH_LIMIT = 256;

// Counts one level of container nesting while a binary, XML or JSON form is stored or
// loaded; IsOk is false past the limit.
class ValueNestingDepth {
public:
    ValueNestingDepth() : ok(depth < VALUE_LOAD_DEPTH_LIMIT) { if(ok) depth++; }
    ~ValueNestingDepth() { if(ok) depth--; }
    ValueNestingDepth(const ValueNestingDepth&) = delete;
    ValueNestingDepth& operator=(const ValueNestingDepth&) = delete;
    bool IsOk() const { return ok; }

private:
    static inline int depth = 0;
    bool ok;
};


// Loads count-prefixed items into an empty Vector, appending them as they arrive (a
// stored count is never trusted to allocate); stores them otherwise.
void SerializeValueItems(Stream& s, Vector<Value>& items);

} // namespace Qor
