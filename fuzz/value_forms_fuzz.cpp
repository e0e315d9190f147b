// Fuzz target for the XML and JSON forms of whole Value trees. The input is read three
// ways: as instructions that build an XML node tree, as instructions that build a JSON
// Value tree, and as instructions that build a Value tree of containers and scalars. The
// first two are loaded (errors are allowed, crashes and runaway recursion are not); the
// third goes through the binary, XML and JSON forms, and whatever a form stores must load
// back equal (binary and XML) or at least load (JSON, which drops the types of Nulls).
#include "fuzz/fuzz_support.h"
#include "foundation/values/jsonize.h"
#include "foundation/values/value_array.h"
#include "foundation/values/value_map.h"
#include "foundation/values/value_registry.h"
#include "foundation/values/xmlize.h"

#include <cstdint>
#include <cstdlib>

using namespace Qor;

namespace {

struct Reader {
    const uint8_t* p;
    const uint8_t* end;
    int Byte() { return p < end ? *p++ : -1; }
    String Text()
    {
        int n = Byte();
        n = n < 0 ? 0 : n % 12;
        if(n > end - p)
            n = int(end - p);
        String s((const char*)p, n);
        p += n;
        return s;
    }
};

const char* const type_names[] = {"int", "double", "String", "ValueArray", "ValueMap", "Date", "Time", "bool",
                                  "int64", "WString", "void", "error", "serialized_binary", "nothing", ""};

void BuildXml(Reader& r, XmlNode& root)
{
    XmlNode* stack[512];
    int depth = 0;
    stack[0] = &root;
    root.SetKind(XML_ELEMENT);
    for(int op; (op = r.Byte()) >= 0;) {
        XmlNode& n = *stack[depth];
        switch(op % 6) {
        case 0:
            if(depth < 511)
                stack[++depth] = &n.AddChild(op & 8 ? "key" : op & 16 ? "x" : "item");
            break;
        case 1:
            if(depth > 0)
                depth--;
            break;
        case 2: n.SetAttribute("type", type_names[(op >> 3) % 15]); break;
        case 3: n.SetAttribute("value", r.Text()); break;
        case 4: n.AddText(r.Text()); break;
        default: n.SetAttribute(op & 8 ? "type" : "value", r.Text()); break;
        }
    }
}

Value BuildJson(Reader& r, int depth)
{
    int op = r.Byte();
    switch(op < 0 ? 0 : op % 7) {
    case 0: return Value();
    case 1: return Value(op >> 3);
    case 2: return Value(r.Text());
    case 3: return Value((op >> 3) / 4.0);
    case 4:
    case 5: {
        if(depth > 400)
            return Value();
        ValueMap m;
        int members = r.Byte();
        for(int i = 0; i < (members < 0 ? 0 : members % 4); i++) {
            int k = r.Byte();
            String key = k < 0 ? String() : k % 3 == 0 ? String("type") : k % 3 == 1 ? String("value") : r.Text();
            m.Add(key, op % 7 == 4 && k % 3 == 0 ? Value(type_names[(k >> 2) % 15]) : BuildJson(r, depth + 1));
        }
        return Value(m);
    }
    default: {
        if(depth > 400)
            return Value();
        ValueArray a;
        int items = r.Byte();
        for(int i = 0; i < (items < 0 ? 0 : items % 4); i++)
            a.Add(BuildJson(r, depth + 1));
        return Value(a);
    }
    }
}

// Scalars without NaN, so that equality can be asked after a round trip. Maps may be
// empty: built ones are Null, loaded ones are not, and as keys both must load back.
Value BuildValue(Reader& r, int depth)
{
    int op = r.Byte();
    switch(op < 0 ? 0 : op % 9) {
    case 0: return Value(op >> 4);
    case 1: return Value(r.Text());
    case 2: return Value((op >> 4) / 8.0);
    case 3: return Value((int64)op << 40);
    case 4: return Value(bool(op & 16));
    case 5: return Value(Date(1900 + op, 1 + op % 12, 1 + op % 28));
    case 6: return Value();
    case 7: {
        ValueMap m;
        int entries = r.Byte();
        for(int i = 0; i < (entries < 0 ? 0 : entries % 3); i++) {
            Value key = BuildValue(r, depth + 1);
            m.Add(key, BuildValue(r, depth + 1));
        }
        return Value(m);
    }
    default: {
        ValueArray a;
        int items = r.Byte();
        // Chains past the nesting limit are wanted: every form must refuse them alike.
        for(int i = 0; i < (items < 0 ? 0 : items % 4) && depth < 300; i++)
            a.Add(BuildValue(r, depth + 1));
        return Value(a);
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if(size > 1 << 14)
        return 0;
    {
        Reader r{data, data + size};
        XmlNode root;
        BuildXml(r, root);
        Value v;
        XmlizeIo io(root, true);
        try {
            v.Xmlize(io);
        }
        catch(const XmlError&) {
        }
    }
    {
        Reader r{data, data + size};
        Value json = BuildJson(r, 0);
        Value v;
        try {
            LoadFromJsonValue(v, json);
        }
        catch(const JsonizeError&) {
        }
    }
    Reader r{data, data + size};
    Value v = BuildValue(r, 0);

    String binary = StoreAsString(v);
    bool stored = !binary.IsEmpty();
    if(stored) {
        Value back;
        FuzzCheck(LoadFromString(back, binary));
        FuzzCheck(back == v);
    }

    XmlNode node;
    node.SetKind(XML_ELEMENT);
    bool xml_stored = true;
    try {
        XmlizeIo io(node, false);
        Value copy(v);
        copy.Xmlize(io);
    }
    catch(const XmlError&) {
        xml_stored = false;
    }
    FuzzCheck(xml_stored == stored); // one limit for every form
    if(xml_stored) {
        Value back;
        XmlizeIo io(node, true);
        back.Xmlize(io);
        FuzzCheck(back == v);
    }

    bool json_stored = true;
    Value json;
    try {
        json = StoreAsJsonValue(v);
    }
    catch(const JsonizeError&) {
        json_stored = false;
    }
    FuzzCheck(json_stored == stored);
    if(json_stored) {
        Value back;
        LoadFromJsonValue(back, json);
    }
    return 0;
}
