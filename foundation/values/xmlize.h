// XML mapping of values: the io context that either stores into or loads from an XmlNode,
// the XML error class, and the forms of the basic types. Scalars live in an attribute
// ("value" for the basic types), texts in a text child. Loading never fails: text that
// does not parse gives the type's Null (0 for int16, false for bool).
#pragma once

#include "foundation/exc.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/values/date.h"
#include "foundation/values/time.h"
#include "foundation/values/value.h"
#include "foundation/values/xml_node.h"
#include "foundation/wstring.h"

namespace Qor {

// Thrown by the Value layer (unknown type, damaged binary fallback); nothing here throws it.
class XmlError : public Exc {
public:
    XmlError() = default;
    XmlError(const char* text) : Exc(text) {}
    XmlError(const String& text) : Exc(text) {}
};

class XmlizeIo {
public:
    XmlizeIo(XmlNode& node, bool loading, const Value& context = Value());

    XmlNode& Node() const { return *node; }
    bool IsLoading() const { return loading; }
    bool IsStoring() const { return !loading; }
    const Value& GetContext() const { return context; }
    // A context on another node with the same direction and context Value, for the
    // elements of containers.
    XmlizeIo At(XmlNode& n) const { XmlizeIo io(*this); io.node = &n; return io; }

    // One member of a composite value in the attribute name; returns a copy so that
    // members chain: io.Attribute("x", x).Attribute("y", y).
    XmlizeIo Attribute(const char* name, int& value);
    XmlizeIo Attribute(const char* name, int64& value);
    XmlizeIo Attribute(const char* name, double& value);

private:
    XmlNode* node; // not owned
    bool loading;
    Value context; // handed down to every derived context; no mapping here reads it
};

// The attribute "value".
void Xmlize(XmlizeIo& io, int& x);
void Xmlize(XmlizeIo& io, int64& x);
void Xmlize(XmlizeIo& io, double& x);
void Xmlize(XmlizeIo& io, bool& x); // "1" or "0"; only exactly "1" loads true
void Xmlize(XmlizeIo& io, Date& x);
void Xmlize(XmlizeIo& io, Time& x);
// The first text child.
void Xmlize(XmlizeIo& io, String& x);
void Xmlize(XmlizeIo& io, WString& x); // as UTF-8

// Text conversions of the attribute form. From text they never fail; see the header
// comment for what text without a number gives. The scans skip leading spaces and control
// characters, take one sign and read decimal digits up to the first other byte.
String Int16ToText(int16 x);
int TextToInt(const char* text);
int16 TextToInt16(const char* text); // the low 16 bits of TextToInt
int64 TextToInt64(const char* text);
double TextToDouble(const char* text); // ',' accepted as well as '.'
inline int TextToInt(const String& s) { return TextToInt(s.Begin()); }
inline int16 TextToInt16(const String& s) { return TextToInt16(s.Begin()); }
inline int64 TextToInt64(const String& s) { return TextToInt64(s.Begin()); }
inline double TextToDouble(const String& s) { return TextToDouble(s.Begin()); }

// "yyyymmdd" (the year at least 4 digits; the Null date is written with year -32768).
String DateToCompactText(Date d);
// Null for 6 characters or fewer, or an invalid date; the day is all text from position 6.
Date CompactTextToDate(const String& s);
// "yyyymmddThh:mm:ss".
String TimeToCompactText(Time t);
// Null for 15 characters or fewer, or an invalid time; positions 8, 11, 14 are not examined.
Time CompactTextToTime(const String& s);

// Puts the XML forms of the basic types into the Value operation records and the String
// and WString representation hooks. Run by the library's registration unit; calling it
// again does nothing.
void RegisterBasicValueXmlize();

} // namespace Qor
