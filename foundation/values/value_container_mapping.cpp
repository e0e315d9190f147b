// XML and JSON forms of the ValueArray and ValueMap payloads. Every element travels in the
// whole-Value form (with its type), so containers of mixed types come back as they were.

#include "foundation/values/jsonize.h"
#include "foundation/values/value_array.h"
#include "foundation/values/value_map.h"
#include "foundation/values/value_registry.h"
#include "foundation/values/xmlize.h"

namespace Qor {

namespace {

bool IsElementNamed(const XmlNode& n, const char* tag)
{
    return n.IsElement() && n.GetText() == tag;
}

// One stored element as a new child of the io's node.
void StoreXmlChild(XmlizeIo& io, const char* tag, const Value& v)
{
    XmlizeIo sub = io.At(io.Node().AddChild(tag));
    Value copy(v); // storing leaves it unchanged, but the mapping takes a mutable Value
    copy.Xmlize(sub);
}

const char* const TOO_DEEP = "Value nested too deeply";

// One level of container nesting; past the limit storing and loading alike throw, as
// the binary form refuses it.
template <class Error>
class Nesting {
public:
    Nesting()
    {
        if(!depth.IsOk())
            throw Error(TOO_DEEP);
    }

private:
    ValueNestingDepth depth;
};

// The "item" children of a node, as array items or as a map's values.
void XmlizeItems(XmlizeIo& io, Vector<Value>& items)
{
    if(io.IsStoring()) {
        for(const Value& v : items)
            StoreXmlChild(io, "item", v);
        return;
    }
    items.Clear();
    XmlNode& node = io.Node();
    for(int i = 0; i < node.GetCount(); i++) {
        if(!IsElementNamed(node[i], "item"))
            continue;
        XmlizeIo sub = io.At(node[i]);
        // Appended before loading: a failure keeps the items loaded so far in place.
        items.Add(Value()).Xmlize(sub);
    }
}

} // namespace

// ValueArray ---------------------------------------------------------------------------

void ValueArray::Data::Xmlize(XmlizeIo& io)
{
    Nesting<XmlError> level;
    XmlizeItems(io, items);
}

void ValueArray::Data::Jsonize(JsonizeIo& io)
{
    Nesting<JsonizeError> level;
    if(io.IsStoring()) {
        Vector<Value> out;
        out.SetCount(items.GetCount());
        for(int i = 0; i < items.GetCount(); i++)
            out[i] = StoreAsJsonValue(items[i]);
        io.Set(Value(ValueArray(static_cast<Vector<Value>&&>(out))));
        return;
    }
    const Value& s = io.Get();
    int n = s.GetCount();
    items.Clear();
    items.SetCount(n);
    for(int i = 0; i < n; i++)
        LoadFromJsonValue(items[i], s[i]);
}

// ValueMap -----------------------------------------------------------------------------

void ValueMap::Data::Xmlize(XmlizeIo& io)
{
    Nesting<XmlError> level;
    if(io.IsStoring()) {
        for(const Value& k : keys)
            StoreXmlChild(io, "key", k);
        XmlizeItems(io, values.GetData()->items); // storing leaves them unchanged
        return;
    }
    // Emptied first and filled only when both parts are read and agree, as the binary
    // form does: a map whose keys and values differ in number breaks lookups and
    // every other form.
    keys.Clear();
    values.Create();
    XmlNode& node = io.Node();
    Vector<Value> loaded_keys;
    // The keys are the leading "key" children; the first other child ends them.
    for(int i = 0; i < node.GetCount() && IsElementNamed(node[i], "key"); i++) {
        XmlizeIo sub = io.At(node[i]);
        loaded_keys.Add(Value()).Xmlize(sub);
    }
    ValueArray loaded_values;
    XmlizeItems(io, loaded_values.Create());
    if(loaded_keys.GetCount() != loaded_values.GetCount())
        throw XmlError("ValueMap keys and values differ in number");
    for(const Value& k : loaded_keys)
        keys.Add(k);
    values = loaded_values;
}

void ValueMap::Data::Jsonize(JsonizeIo& io)
{
    Nesting<JsonizeError> level;
    if(io.IsStoring()) {
        int n = keys.GetCount() < values.GetCount() ? keys.GetCount() : values.GetCount();
        ValueArray out;
        for(int i = 0; i < n; i++) {
            ValueMap entry;
            entry.Add("key", StoreAsJsonValue(keys[i]));
            entry.Add("value", StoreAsJsonValue(values[i]));
            out.Add(Value(entry));
        }
        io.Set(Value(out));
        return;
    }
    const Value& s = io.Get();
    keys.Clear();
    values.Clear();
    for(int i = 0; i < s.GetCount(); i++) {
        const Value& e = s[i];
        // A missing member is the shared error Value, which loads as the int Null.
        Value key, value;
        LoadFromJsonValue(key, e["key"]);
        LoadFromJsonValue(value, e["value"]);
        keys.Add(key);
        values.Add(value);
    }
}

} // namespace Qor
