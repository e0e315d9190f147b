// A program that only starts up, the way a user's program does: every value type of the
// foundation is registered, and the types that carry members store and load them in the
// binary, XML and JSON forms. Built once by the project and once by hand from the bare
// archive, so no linker option of this build can hide a registration that a program loses.
#include "foundation/app_startup.h"
#include "foundation/string_stream.h"
#include "foundation/values/color.h"
#include "foundation/values/complex.h"
#include "foundation/values/jsonize.h"
#include "foundation/values/point.h"
#include "foundation/values/rect.h"
#include "foundation/values/uuid.h"
#include "foundation/values/value_map.h"
#include "foundation/values/value_registry.h"
#include "foundation/values/xml_node.h"
#include "foundation/values/xmlize.h"
#include "tests/registration/foundation_value_types.h"
#include "tests/registration/registration_check.h"

#include <cstdio>
#include <string>

using namespace Qor;

namespace {

using QorRegistration::Check;

std::string Std(const String& s) { return std::string(s.Begin(), s.GetLength()); }

// The node's attributes other than "type", as "name=value;".
std::string XmlMembers(const XmlNode& node)
{
    std::string out;
    for(int i = 0; i < node.GetAttributeCount(); i++)
        if(node.GetAttributeName(i) != "type")
            out += Std(node.GetAttributeName(i)) + "=" + Std(node.GetAttributeValue(i)) + ";";
    return out;
}

// An object payload as "key=text;", anything else as its text.
std::string JsonMembers(const Value& payload)
{
    if(payload.GetTypeNumber() != VALUEMAP_V)
        return Std(payload.ToString());
    ValueMap map(payload);
    std::string out;
    for(int i = 0; i < map.GetCount(); i++)
        out += Std(map.GetKey(i).ToString()) + "=" + Std(map.GetValues()[i].ToString()) + ";";
    return out;
}

void CheckRegistry()
{
    for(const FoundationValueType& t : foundation_value_types) {
        Check(LookupValueTypeNumber(t.name) == t.number, std::string("number of ") + t.name);
        Check(Std(LookupValueTypeName(t.number)) == t.name, std::string("name of ") + t.name);
    }
}

struct MemberCase {
    const char* name;
    Value value;
    const char* xml_members;
    const char* json_members;
};

void CheckBinary(const MemberCase& c)
{
    StringStream out;
    Value copy(c.value);
    SerializeValue(out, copy);
    String bytes = out.GetText();
    Check(!bytes.IsEmpty() && (byte)bytes[0] == LookupValueTypeNumber(c.name) + 1,
          std::string(c.name) + " binary form starts with its number");
    StringStream in(bytes);
    Value loaded;
    SerializeValue(in, loaded);
    Check(!in.IsError() && loaded == c.value, std::string(c.name) + " binary round trip");

    Value framed;
    Check(LoadFromString(framed, StoreAsString(c.value)) && framed == c.value,
          std::string(c.name) + " framed round trip");
}

void CheckXml(const MemberCase& c)
{
    XmlNode node;
    node.SetKind(XML_ELEMENT);
    Value copy(c.value);
    XmlizeIo store(node, false);
    copy.Xmlize(store);
    Check(Std(node.GetAttribute("type")) == c.name, std::string(c.name) + " XML type");
    Check(XmlMembers(node) == c.xml_members, std::string(c.name) + " XML members: " + XmlMembers(node));
    Value loaded;
    try {
        XmlizeIo load(node, true);
        loaded.Xmlize(load);
    }
    catch(const Exc& e) {
        Check(false, std::string(c.name) + " XML load: " + Std(e));
    }
    Check(loaded == c.value, std::string(c.name) + " XML round trip");
}

void CheckJson(const MemberCase& c)
{
    Value json = StoreAsJsonValue(c.value);
    Check(Std(json["type"].ToString()) == c.name, std::string(c.name) + " JSON type");
    Check(JsonMembers(json["value"]) == c.json_members,
          std::string(c.name) + " JSON members: " + JsonMembers(json["value"]));
    Value loaded;
    try {
        LoadFromJsonValue(loaded, json);
    }
    catch(const Exc& e) {
        Check(false, std::string(c.name) + " JSON load: " + Std(e));
    }
    Check(loaded == c.value, std::string(c.name) + " JSON round trip");
}

void CheckMembers()
{
    const MemberCase cases[] = {
        { "Point", Point(3, 4), "x=3;y=4;", "x=3;y=4;" },
        { "Rect", Rect(1, 2, 30, 40), "left=1;top=2;right=30;bottom=40;", "left=1;top=2;right=30;bottom=40;" },
        { "Color", Color(10, 20, 30), "red=10;green=20;blue=30;", "red=10;green=20;blue=30;" },
        { "Uuid", Uuid(0x01234567, 0x89abcdef, 0x02468ace, 0x13579bdf), "value=0123456789ABCDEF02468ACE13579BDF;",
          "0123456789ABCDEF02468ACE13579BDF" },
        { "Complex", Complex(1.5, -2), "real=1.5;imag=-2;", "real=1.5;imag=-2;" },
    };
    for(const MemberCase& c : cases) {
        CheckBinary(c);
        CheckXml(c);
        CheckJson(c);
    }
}

} // namespace

int main(int argc, char** argv, char** envp)
{
    ProcessStartUp(argc, argv, envp);
    CheckRegistry();
    CheckMembers();
    return QorRegistration::Finish("foundation registrations");
}
