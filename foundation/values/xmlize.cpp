// The XML forms of the basic types, their text conversions (through the shared number
// scanners), and the installation of these forms into the Value operation records.

#include "foundation/values/xmlize.h"

#include "foundation/charset.h"
#include "foundation/numeric.h"
#include "foundation/values/format.h"
#include "foundation/values/number_scan.h"
#include "foundation/values/number_text.h"
#include "foundation/values/value_rep.h"

#include <cstring>

namespace Qor {

namespace {

// Keeps the low bits of a scanned field, as the fixed-width fields of Date and Time do.
byte LowByte(int x) { return (byte)(uint32)x; }

} // namespace

String Int16ToText(int16 x) { return IntToText((int)x); }
int TextToInt(const char* text) { return ScanIntText(text ? text : ""); }
int16 TextToInt16(const char* text) { return (int16)(uint16)(uint32)TextToInt(text); }
int64 TextToInt64(const char* text) { return ScanInt64Text(text ? text : ""); }
double TextToDouble(const char* text) { return ScanDoubleText(text ? text : "", nullptr, true); }

String DateToCompactText(Date d)
{
    return Format("%04d%02d%02d", (int)d.year, (int)d.month, (int)d.day);
}

Date CompactTextToDate(const String& s)
{
    if(s.GetLength() <= 6)
        return Date();
    Date d;
    d.year = (int16)(uint16)(uint32)TextToInt(s.Mid(0, 4));
    d.month = LowByte(TextToInt(s.Mid(4, 2)));
    d.day = LowByte(TextToInt(s.Mid(6)));
    return d.IsValid() ? d : Date();
}

String TimeToCompactText(Time t)
{
    return Format("%04d%02d%02d`T%02d`:%02d`:%02d", (int)t.year, (int)t.month, (int)t.day, (int)t.hour,
                  (int)t.minute, (int)t.second);
}

Time CompactTextToTime(const String& s)
{
    if(s.GetLength() <= 15)
        return Time();
    Time t;
    t.year = (int16)(uint16)(uint32)TextToInt(s.Mid(0, 4));
    t.month = LowByte(TextToInt(s.Mid(4, 2)));
    t.day = LowByte(TextToInt(s.Mid(6, 2)));
    t.hour = LowByte(TextToInt(s.Mid(9, 2)));
    t.minute = LowByte(TextToInt(s.Mid(12, 2)));
    t.second = LowByte(TextToInt(s.Mid(15)));
    return t.IsValid() ? t : Time();
}

XmlizeIo::XmlizeIo(XmlNode& node, bool loading, const Value& context)
    : node(&node), loading(loading), context(context)
{
}

XmlizeIo XmlizeIo::Attribute(const char* name, int& value)
{
    if(loading)
        value = TextToInt(node->GetAttribute(name));
    else
        node->SetAttribute(name, IntToText(value));
    return *this;
}

XmlizeIo XmlizeIo::Attribute(const char* name, int64& value)
{
    if(loading)
        value = TextToInt64(node->GetAttribute(name));
    else
        node->SetAttribute(name, Int64ToText(value));
    return *this;
}

XmlizeIo XmlizeIo::Attribute(const char* name, double& value)
{
    if(loading)
        value = TextToDouble(node->GetAttribute(name));
    else
        node->SetAttribute(name, DoubleToText(value));
    return *this;
}

void Xmlize(XmlizeIo& io, int& x) { io.Attribute("value", x); }
void Xmlize(XmlizeIo& io, int64& x) { io.Attribute("value", x); }
void Xmlize(XmlizeIo& io, double& x) { io.Attribute("value", x); }

void Xmlize(XmlizeIo& io, bool& x)
{
    if(io.IsLoading())
        x = io.Node().GetAttribute("value") == "1";
    else
        io.Node().SetAttribute("value", x ? "1" : "0");
}

void Xmlize(XmlizeIo& io, Date& x)
{
    if(io.IsLoading())
        x = CompactTextToDate(io.Node().GetAttribute("value"));
    else
        io.Node().SetAttribute("value", DateToCompactText(x));
}

void Xmlize(XmlizeIo& io, Time& x)
{
    if(io.IsLoading())
        x = CompactTextToTime(io.Node().GetAttribute("value"));
    else
        io.Node().SetAttribute("value", TimeToCompactText(x));
}

void Xmlize(XmlizeIo& io, String& x)
{
    XmlNode& n = io.Node();
    int i = n.FindChild(XML_TEXT);
    if(io.IsLoading())
        x = i >= 0 ? n[i].GetText() : String();
    else if(i >= 0)
        n[i].SetText(x);
    else
        n.AddText(x);
}

void Xmlize(XmlizeIo& io, WString& x)
{
    String s;
    if(io.IsStoring())
        s = EncodeUtf8(x);
    Xmlize(io, s);
    if(io.IsLoading())
        x = DecodeUtf8(s);
}

// Value seams ---------------------------------------------------------------------------

namespace {

// The in-place payload at byte 0 of the Value goes through the type's form; a loaded
// payload is written back.
template <class T>
void XmlizePayload(Value* v, XmlizeIo& io)
{
    T x = v->Payload<T>();
    Xmlize(io, x);
    if(io.IsLoading())
        v->SetPayload(x);
}

// Time fills seven payload bytes; the eighth byte of the struct is not the Value's.
void XmlizeTimePayload(Value* v, XmlizeIo& io)
{
    Time t = v->ToTime();
    Xmlize(io, t);
    if(io.IsLoading())
        std::memcpy(const_cast<byte*>(v->Raw()), (const void*)&t, 7);
}

void XmlizeStringForm(Value* v, XmlizeIo& io)
{
    String s = v->StringRef();
    Xmlize(io, s);
    if(io.IsLoading())
        *v = Value(s);
}

struct XmlSlot {
    int type_byte;
    void (*xmlize)(Value* v, XmlizeIo& io);
    ValueOps record;
};

XmlSlot xml_slots[] = {
    {0, XmlizeStringForm, {}},        {INT_V, XmlizePayload<int>, {}},
    {DOUBLE_V, XmlizePayload<double>, {}}, {DATE_V, XmlizePayload<Date>, {}},
    {TIME_V, XmlizeTimePayload, {}},   {INT64_V, XmlizePayload<int64>, {}},
    {BOOL_V, XmlizePayload<bool>, {}},
};

} // namespace

void RegisterBasicValueXmlize()
{
    static bool done = false;
    if(done)
        return;
    done = true;
    // Each record is copied from the one in the table now, so that slots other mappings
    // installed before us are kept; one installed later copies ours in the same way.
    for(XmlSlot& s : xml_slots) {
        const ValueOps* current = value_ops_table[s.type_byte];
        if(!current)
            continue;
        s.record = *current;
        s.record.Xmlize = s.xmlize;
        RegisterValueOps(s.type_byte, &s.record);
    }
    ValueMappingHooks<String>::xmlize = static_cast<void (*)(XmlizeIo&, String&)>(Xmlize);
    ValueMappingHooks<WString>::xmlize = static_cast<void (*)(XmlizeIo&, WString&)>(Xmlize);
}

} // namespace Qor
