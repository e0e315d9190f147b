// Converters: the standard display of values, the typed scans with their Null and
// range checks and translated messages, the character filters, the shared instances
// and the installation of the standard value text into the Format engine.

#include "foundation/values/convert.h"

#include "foundation/char_filter.h"
#include "foundation/cparser.h"
#include "foundation/values/date_text.h"
#include "foundation/values/format.h"
#include "foundation/values/number_scan.h"
#include "foundation/values/number_text.h"
#include "foundation/values/translate.h"
#include "foundation/values/value_array.h"
#include "foundation/vector.h"

namespace Qor {

namespace {

Value Message(const char* id) { return ErrorValue(String(Translate(id))); }

Value InvalidNumber() { return Message("Invalid number !"); }

// The engine's "%d" takes 32 bits; the limits of a converter may need 64, so the
// plain "%d" placeholders of the (translated) text are read as "%lld".
String WidenIntPlaceholders(const char* text)
{
    String out;
    for(const char* p = text; *p; p++) {
        if(p[0] == '%' && p[1] == '%') {
            out += "%%";
            p++;
        }
        else if(p[0] == '%' && p[1] == 'd') {
            out += "%lld";
            p++;
        }
        else
            out += *p;
    }
    return out;
}

Value IntRangeError(int64 minimum, int64 maximum)
{
    String format = WidenIntPlaceholders(Translate("Number must be between %d and %d."));
    return ErrorValue(Qor::Format(format.Begin(), Value(minimum), Value(maximum)));
}

// What the text step of an integer scan found.
enum IntScan { INT_EMPTY, INT_INVALID, INT_TOO_LARGE, INT_NUMBER };

// Blanks (bytes 1-32 and 128-255) end at the text's NUL; a number beyond the int64
// range is reported as such rather than wrapped.
IntScan ScanInt64(const String& text, int64& out)
{
    if(text.IsEmpty())
        return INT_EMPTY;
    const char* p = text.Begin();
    while(*p && (signed char)*p <= 32)
        p++;
    bool negative = false;
    if(*p == '+' || *p == '-')
        negative = *p++ == '-';
    if(*p < '0' || *p > '9')
        return INT_INVALID;
    int64 v = ScanDigits64(p, nullptr, 10); // the int64 Null when beyond INT64_MAX
    if(IsNullInt64(v))
        return INT_TOO_LARGE;
    out = negative ? -v : v;
    return INT_NUMBER;
}

Value RangeText(const char* lead, const String& minimum, const String& maximum)
{
    String text = Translate(lead);
    text += minimum;
    text += Translate("range\v and ");
    text += maximum;
    text += ".";
    return ErrorValue(text);
}

// An hour, minute or second at the parser: a number from 0 to limit. The digits are
// counted as well, so that a long number cannot wrap into the range.
int TakeTimeField(CParser& p, int limit)
{
    const char* start = p.GetCurrent();
    int n = p.TakeInt();
    const char* end = p.GetLastTokenEnd();
    int significant = 0;
    for(const char* q = end; q > start && q[-1] >= '0' && q[-1] <= '9'; q--)
        significant = q[-1] == '0' ? significant : int(end - q) + 1;
    if(significant > 2 || n < 0 || n > limit)
        throw CParser::Error();
    return n;
}

} // namespace

Value NullNotAllowedError() { return Message("Null value not allowed."); }

Value ScanInt64Value(const char* text)
{
    int64 x = 0;
    switch(ScanInt64(String(text ? text : ""), x)) {
    case INT_EMPTY: return Value(INT_NULL);
    case INT_INVALID: return InvalidNumber();
    case INT_TOO_LARGE: return IntRangeError(-INT64_MAX, INT64_MAX);
    default: return Value(x);
    }
}

// ---------------------------------------------------------------- Convert

Value Convert::Format(const Value& q) const
{
    if(q.IsNull()) // void and error Values are Null too
        return Value(String());
    switch(q.GetTypeNumber()) {
    case INT_V:
    case BOOL_V: return Value(IntToText(q.ToInt()));
    case DOUBLE_V: return Value(DoubleToGeneralText(10, DTF_SIGNIFICANT, 0, q.ToDouble()));
    case STRING_V:
    case WSTRING_V: return q;
    case DATE_V: return Value(FormatDate(q.ToDate()));
    case TIME_V: return Value(FormatTime(q.ToTime(), true));
    case INT64_V: return Value(Int64ToText(q.ToInt64()));
    default: return Value(q.ToString());
    }
}

Value Convert::Scan(const Value& text) const { return text; }

int Convert::Filter(int chr) const { return chr; }

String FormatValue(const Value& v) { return SharedConvert().Format(v).GetString(); }

// ---------------------------------------------------------------- ConvertInt

Value ConvertInt::Scan(const Value& text) const
{
    int64 x = 0;
    switch(ScanInt64(text.GetString(), x)) {
    case INT_EMPTY: return not_null ? NullNotAllowedError() : Value(INT_NULL);
    case INT_INVALID: return InvalidNumber();
    case INT_TOO_LARGE: return IntRangeError(minimum, maximum);
    default: break;
    }
    if(x < minimum || x > maximum)
        return IntRangeError(minimum, maximum);
    // -2147483648 as an int would be the int Null, so it stays an int64.
    return x >= -INT32_MAX && x <= INT32_MAX ? Value((int)x) : Value(x);
}

int ConvertInt::Filter(int chr) const { return minimum < 0 ? CharFilterInt(chr) : CharFilterDigit(chr); }

// ---------------------------------------------------------------- ConvertDouble

Value ConvertDouble::Format(const Value& q) const
{
    if(q.IsNull())
        return Value(INT_NULL);
    return Value(Qor::Format(pattern.Begin(), Value(q.ToDouble())));
}

Value ConvertDouble::Scan(const Value& text) const
{
    String s = text.GetString();
    if(s.IsEmpty())
        return not_null ? NullNotAllowedError() : Value(DOUBLE_NULL);
    const char* end = nullptr;
    double x = ScanDoubleText(s.Begin(), &end, true);
    // A text that scans to the Null double would otherwise pass as a missing value.
    if(end == s.Begin() || IsNullDouble(x))
        return InvalidNumber();
    if(!(x >= minimum && x <= maximum))
        return ErrorValue(Qor::Format(Translate("Number must be between %g and %g."), Value(minimum), Value(maximum)));
    return Value(x);
}

int ConvertDouble::Filter(int chr) const
{
    int c = CharFilterDouble(chr);
    return comma && c == '.' ? ',' : c;
}

// ---------------------------------------------------------------- ConvertDate

Value ConvertDate::Format(const Value& q) const
{
    if(q.GetTypeNumber() == TIME_V)
        return Convert::Format(Value(q.ToTime().GetDate()));
    return Convert::Format(q);
}

Value ConvertDate::Scan(const Value& text) const
{
    String s = text.GetString();
    if(s.IsEmpty())
        return not_null ? NullNotAllowedError() : Value(Date());
    Date d;
    const char* rest = StrToDate(d, s.Begin(), default_date);
    // A non-empty text never stands for the Null date.
    if(!rest || d.IsNull())
        return Message("Invalid date !");
    for(const char* p = rest; p < s.End(); p++) // up to the String's end: a NUL hides nothing
        if(*p >= '0' && *p <= '9')
            return Message("Invalid date !");
    if(Date::Less(d, minimum) || Date::Less(maximum, d))
        return RangeText("Date must be between ", FormatDate(minimum), FormatDate(maximum));
    return Value(d);
}

int ConvertDate::Filter(int chr) const { return CharFilterDate(chr); }

// ---------------------------------------------------------------- ConvertTime

Value ConvertTime::Format(const Value& q) const
{
    if(q.IsNull())
        return Value(String());
    if(q.GetTypeNumber() == TIME_V)
        return Value(FormatTime(q.ToTime(), seconds));
    return Convert::Format(q);
}

Value ConvertTime::Scan(const Value& text) const
{
    String s = text.GetString();
    if(s.IsEmpty())
        return not_null ? NullNotAllowedError() : Value(Time());
    Date d;
    const char* rest = StrToDate(d, s.Begin(), default_time.GetDate());
    if(!rest || d.IsNull())
        return Message("Invalid time !");
    Time t(d);
    try {
        CParser p(rest);
        if(!p.IsEof()) {
            t.hour = (byte)TakeTimeField(p, 23);
            if(!p.IsEof()) {
                p.ExpectChar(':');
                t.minute = (byte)TakeTimeField(p, 59);
                if(!p.IsEof()) {
                    p.ExpectChar(':');
                    t.second = (byte)TakeTimeField(p, 59);
                }
            }
        }
        if(!p.IsEof() || p.GetCurrent() != s.End()) // left over, or a NUL inside the text
            throw CParser::Error();
    }
    catch(const CParser::Error&) {
        return Message("Invalid time !");
    }
    if(Time::Less(t, minimum) || Time::Less(maximum, t))
        return RangeText("Time must be between ", FormatTime(minimum, true), FormatTime(maximum, true));
    return Value(t);
}

int ConvertTime::Filter(int chr) const
{
    if((chr >= '0' && chr <= '9') || chr == ':' || chr == ' ' || chr == '.')
        return chr;
    if(chr == ',')
        return '.';
    return CharFilterDate(chr);
}

// ---------------------------------------------------------------- ConvertString

Value ConvertString::Scan(const Value& q) const
{
    if(IsError(q))
        return q;
    if(q.IsNull())
        return not_null ? NullNotAllowedError() : q;
    int type = q.GetTypeNumber();
    String text;
    int length;
    if(type == WSTRING_V) {
        WString w = q.ToWString();
        length = w.GetLength();
        text = w.ToString();
    }
    else {
        text = type == STRING_V ? q.GetString() : q.ToString(); // other types by their text
        length = text.GetLength();
    }
    if(length > max_length)
        return ErrorValue(Qor::Format(Translate("Please enter no more than %d characters."), Value(max_length)));
    if(trim_left)
        text = StripLeadingSpace(text);
    if(trim_right)
        text = StripTrailingSpace(text);
    return Value(text);
}

// ---------------------------------------------------------------- NoConvertClass, FormatConvert

Value NoConvertClass::Format(const Value& q) const { return q; }

Value FormatConvert::Format(const Value& q) const
{
    Vector<Value> args;
    int type = q.GetTypeNumber();
    if(type == VALUEARRAY_V || type == VALUEMAP_V) {
        ValueArray items(q);
        for(int i = 0; i < items.GetCount(); i++)
            args.Add(items[i]);
    }
    else
        args.Add(q);
    return Value(Qor::Format(format.Begin(), args));
}

// ---------------------------------------------------------------- shared instances

const Convert& SharedConvert()
{
    static const Convert c;
    return c;
}

const ConvertInt& SharedConvertInt()
{
    static const ConvertInt c(-2147483647, 2147483647, false);
    return c;
}

const ConvertInt& SharedConvertIntNotNull()
{
    static const ConvertInt c(-2147483647, 2147483647, true);
    return c;
}

const ConvertDouble& SharedConvertDouble()
{
    static const ConvertDouble c(-1e307, 1e307, false, false, "%.10g");
    return c;
}

const ConvertDouble& SharedConvertDoubleNotNull()
{
    static const ConvertDouble c(-1e307, 1e307, true, false, "%.10g");
    return c;
}

const ConvertDate& SharedConvertDate()
{
    static const ConvertDate c(Date(-4000, 1, 1), Date(4000, 1, 1), Date(), false);
    return c;
}

const ConvertDate& SharedConvertDateNotNull()
{
    static const ConvertDate c(Date(0, 0, 0), Date(3000, 12, 31), Date(), true);
    return c;
}

const ConvertTime& SharedConvertTime()
{
    static const ConvertTime c(Time(-4000, 1, 1, 0, 0, 0), Time(4000, 1, 1, 0, 0, 0), Time(), false, true);
    return c;
}

// The whole span of valid times: a Null limit would lie below every time (the year
// is compared first) and refuse them all.
const ConvertTime& SharedConvertTimeNotNull()
{
    static const ConvertTime c(Time(-32767, 1, 1, 0, 0, 0), Time(32767, 12, 31, 23, 59, 59), Time(), true, true);
    return c;
}

const ConvertString& SharedConvertString()
{
    static const ConvertString c(2147483647, false, false, false);
    return c;
}

const ConvertString& SharedConvertStringNotNull()
{
    static const ConvertString c(2147483647, true, false, false);
    return c;
}

const NoConvertClass& SharedNoConvert()
{
    static const NoConvertClass c;
    return c;
}

void RegisterStandardConverters()
{
    SharedConvert();
    SharedConvertInt();
    SharedConvertIntNotNull();
    SharedConvertDouble();
    SharedConvertDoubleNotNull();
    SharedConvertDate();
    SharedConvertDateNotNull();
    SharedConvertTime();
    SharedConvertTimeNotNull();
    SharedConvertString();
    SharedConvertStringNotNull();
    SharedNoConvert();
    SetFormatValueFunction(FormatValue);
}

} // namespace Qor
