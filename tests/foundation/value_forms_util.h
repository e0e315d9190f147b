// The binary, XML and JSON round trips of a whole Value, for tests that run a case
// through every form.
#pragma once

#include "foundation/values/jsonize.h"
#include "foundation/values/value_registry.h"
#include "foundation/values/xmlize.h"

namespace QorTest {

using namespace Qor;

// What one form makes of a Value: false when storing or loading refused it; loaded gets
// what came back.
struct ValueForm {
    const char* name;
    bool (*round_trip)(const Value& v, Value& loaded);
};

inline bool BinaryRoundTrip(const Value& v, Value& loaded)
{
    String stored = StoreAsString(v);
    if(stored.IsEmpty())
        return false;
    return LoadFromString(loaded, stored);
}

inline bool XmlRoundTrip(const Value& v, Value& loaded)
{
    XmlNode node;
    node.SetKind(XML_ELEMENT);
    try {
        XmlizeIo store(node, false);
        Value copy(v);
        copy.Xmlize(store);
    }
    catch(const XmlError&) {
        return false;
    }
    XmlizeIo load(node, true);
    loaded.Xmlize(load); // what was stored must load: a throw fails the test
    return true;
}

inline bool JsonRoundTrip(const Value& v, Value& loaded)
{
    Value json;
    try {
        json = StoreAsJsonValue(v);
    }
    catch(const JsonizeError&) {
        return false;
    }
    LoadFromJsonValue(loaded, json);
    return true;
}

inline const ValueForm value_forms[] = {
    { "binary", BinaryRoundTrip },
    { "XML", XmlRoundTrip },
    { "JSON", JsonRoundTrip },
};

} // namespace QorTest
