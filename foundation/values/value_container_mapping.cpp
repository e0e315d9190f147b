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

} // namespace

// ValueArray ---------------------------------------------------------------------------

void ValueArray::Data::Xmlize(XmlizeIo& io)
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

void ValueArray::Data::Jsonize(JsonizeIo& io)
{
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
    if(io.IsStoring()) {
        for(const Value& k : keys)
            StoreXmlChild(io, "key", k);
        values.GetData()->Xmlize(io);
        return;
    }
    keys.Clear();
    XmlNode& node = io.Node();
    // The keys are the leading "key" children; the first other child ends them.
    for(int i = 0; i < node.GetCount() && IsElementNamed(node[i], "key"); i++) {
        XmlizeIo sub = io.At(node[i]);
        Value k;
        k.Xmlize(sub);
        keys.Add(k);
    }
    values.Create();
    values.GetData()->Xmlize(io);
}

void ValueMap::Data::Jsonize(JsonizeIo& io)
{
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
