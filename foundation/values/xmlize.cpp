// The XML forms of the basic types, their text conversions with the number scans they
// use, and the installation of these forms into the Value operation records.

#include "foundation/values/xmlize.h"

#include "foundation/charset.h"
#include "foundation/numeric.h"
#include "foundation/values/format.h"
#include "foundation/values/number_text.h"
#include "foundation/values/value_rep.h"

#include <cstring>

namespace Qor {

namespace {

// Number scans: leading bytes 1..32 skipped, one sign, decimal digits; the rest ignored.

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

const char* SkipSign(const char* p, bool& negative)
{
    negative = false;
    if(*p == '+' || *p == '-')
        negative = *p++ == '-';
    return p;
}

int ScanInt(const char* p)
{
    while(*p >= 1 && *p <= 32)
        p++;
    bool negative;
    p = SkipSign(p, negative);
    if(!IsDigit(*p))
        return INT_NULL;
    uint32 n = 0;
    while(IsDigit(*p))
        n = n * 10u + (uint32)(*p++ - '0'); // wraps, as the shared scanner does
    if(n == 0xFFFFFFFFu)
        return INT_NULL;
    return (int)(negative ? 0u - n : n);
}

int64 ScanInt64(const char* p)
{
    // Every non-zero byte that is at most 32 as a signed char: 1..32 and 128..255.
    while(*p != 0 && (signed char)*p <= 32)
        p++;
    bool negative;
    p = SkipSign(p, negative);
    if(!IsDigit(*p))
        return INT64_NULL;
    uint64 n = 0;
    while(IsDigit(*p))
        n = n * 10u + (uint64)(*p++ - '0');
    if(n == ~(uint64)0)
        return INT64_NULL;
    return (int64)(negative ? 0u - n : n);
}

bool IsPoint(char c, bool comma) { return c == '.' || (comma && c == ','); }

double ScanDouble(const char* p, bool comma)
{
    while(*p >= 1 && *p <= 32)
        p++;
    bool negative;
    p = SkipSign(p, negative);
    if(!IsDigit(*p) && !(IsPoint(*p, comma) && IsDigit(p[1])))
        return DOUBLE_NULL;
    // Zero runs are only counted and multiplied in at once when a non-zero digit follows,
    // so that trailing zeros cost nothing and add no rounding.
    double m = 0;
    int zeros = 0;         // the current run of '0' digits
    int integer_zeros = 0; // of which in the integer part, with no non-zero digit after
    int fraction = 0;      // fraction digits read
    int fraction_used = 0; // fraction digits up to the last non-zero one
    auto digit = [&](int d, bool in_fraction) {
        if(in_fraction)
            fraction++;
        if(d == 0) {
            zeros++;
            if(!in_fraction)
                integer_zeros++;
            return;
        }
        if(zeros)
            m *= PowerOfTen(zeros);
        m = m * 10 + d;
        zeros = integer_zeros = 0;
        if(in_fraction)
            fraction_used = fraction;
    };
    while(IsDigit(*p))
        digit(*p++ - '0', false);
    if(IsPoint(*p, comma)) {
        p++;
        while(IsDigit(*p))
            digit(*p++ - '0', true);
    }
    int64 e = integer_zeros - fraction_used;
    if(*p == 'e' || *p == 'E') {
        p++;
        while(*p >= 1 && *p <= 32)
            p++;
        bool exp_negative;
        p = SkipSign(p, exp_negative);
        if(IsDigit(*p)) {
            uint32 x = 0;
            while(IsDigit(*p))
                x = x * 10u + (uint32)(*p++ - '0');
            if(x != 0xFFFFFFFFu && !(x == 0x80000000u && !exp_negative))
                e += exp_negative ? -(int64)x : (int64)x;
        }
    }
    if(e != 0) {
        // Beyond this every finite mantissa has long become infinite or zero; the bound
        // keeps the exponent inside an int.
        int k = (int)(e > 100000 ? 100000 : e < -100000 ? -100000 : e);
        m = k > 0 ? m * PowerOfTen(k) : m / PowerOfTen(-k);
    }
    return negative ? -m : m;
}

// Keeps the low bits of a scanned field, as the fixed-width fields of Date and Time do.
byte LowByte(int x) { return (byte)(uint32)x; }

} // namespace

String Int16ToText(int16 x) { return IntToText((int)x); }
int TextToInt(const char* text) { return ScanInt(text ? text : ""); }
int16 TextToInt16(const char* text) { return (int16)(uint16)(uint32)TextToInt(text); }
int64 TextToInt64(const char* text) { return ScanInt64(text ? text : ""); }
double TextToDouble(const char* text) { return ScanDouble(text ? text : "", true); }

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

// XmlizeIo's constructor lives in this file, so whoever maps anything links these in.
[[maybe_unused]] static const bool basic_value_xmlize_registered = (RegisterBasicValueXmlize(), true);

} // namespace Qor
