// Converters: a Value to the Value shown to the user, the text a user typed back to a
// typed Value with Null and range checks (an error Value with a translated message
// when it does not convert; nothing throws), and the filter of typed characters.
// One class per basic type, ready-made shared instances, and a Format-driven one.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/values/date.h"
#include "foundation/values/time.h"
#include "foundation/values/value.h"

namespace Qor {

// A plain converter: Format by value type, Scan returns its input, Filter passes
// every character. Converters hold no pointers and are immutable once built.
class Convert {
public:
    Convert() = default;
    virtual ~Convert() = default;

    // The displayed form (usually a String Value).
    virtual Value Format(const Value& q) const;
    // The typed value, or an error Value.
    virtual Value Scan(const Value& text) const;
    // The character to insert, 0 to reject it.
    virtual int Filter(int chr) const;
};

class ConvertInt : public Convert {
public:
    explicit ConvertInt(int64 minimum = -2147483647, int64 maximum = 2147483647, bool not_null = false)
        : minimum(minimum), maximum(maximum), not_null(not_null) {}

    Value Scan(const Value& text) const override;
    int Filter(int chr) const override;

    int64 GetMin() const { return minimum; }
    int64 GetMax() const { return maximum; }
    bool IsNotNull() const { return not_null; }

private:
    int64 minimum;
    int64 maximum;
    bool not_null;
};

class ConvertDouble : public Convert {
public:
    explicit ConvertDouble(double minimum = -1e307, double maximum = 1e307, bool not_null = false,
                           bool comma = false, const String& pattern = "%.10g")
        : minimum(minimum), maximum(maximum), not_null(not_null), comma(comma), pattern(pattern) {}

    // Null gives the int Null; otherwise the pattern through the Format engine.
    Value Format(const Value& q) const override;
    // '.' and ',' both read as the decimal point, whatever the comma flag.
    Value Scan(const Value& text) const override;
    // With the comma flag, the decimal point is typed as ','.
    int Filter(int chr) const override;

    double GetMin() const { return minimum; }
    double GetMax() const { return maximum; }
    bool IsNotNull() const { return not_null; }
    bool IsComma() const { return comma; }
    const String& GetPattern() const { return pattern; }

private:
    double minimum;
    double maximum;
    bool not_null;
    bool comma;
    String pattern;
};

class ConvertDate : public Convert {
public:
    // Parts missing from a typed date come from default_date (today when it is Null).
    explicit ConvertDate(Date minimum = Date(-4000, 1, 1), Date maximum = Date(4000, 1, 1),
                         Date default_date = Date(), bool not_null = false)
        : minimum(minimum), maximum(maximum), default_date(default_date), not_null(not_null) {}

    // A Time shows as its date.
    Value Format(const Value& q) const override;
    Value Scan(const Value& text) const override;
    int Filter(int chr) const override;

    Date GetMin() const { return minimum; }
    Date GetMax() const { return maximum; }
    Date GetDefault() const { return default_date; }
    bool IsNotNull() const { return not_null; }

private:
    Date minimum;
    Date maximum;
    Date default_date;
    bool not_null;
};

class ConvertTime : public Convert {
public:
    // Date parts missing from a typed time come from the default's date (today when
    // the default is Null).
    explicit ConvertTime(Time minimum = Time(-4000, 1, 1), Time maximum = Time(4000, 1, 1),
                         Time default_time = Time(), bool not_null = false, bool seconds = true)
        : minimum(minimum), maximum(maximum), default_time(default_time), not_null(not_null),
          seconds(seconds) {}

    Value Format(const Value& q) const override;
    // A date, then optionally "hh", "hh:mm" or "hh:mm:ss".
    Value Scan(const Value& text) const override;
    int Filter(int chr) const override;

    Time GetMin() const { return minimum; }
    Time GetMax() const { return maximum; }
    Time GetDefault() const { return default_time; }
    bool IsNotNull() const { return not_null; }
    bool IsSeconds() const { return seconds; }

private:
    Time minimum;
    Time maximum;
    Time default_time;
    bool not_null;
    bool seconds;
};

class ConvertString : public Convert {
public:
    explicit ConvertString(int32 max_length = 2147483647, bool not_null = false, bool trim_left = false,
                           bool trim_right = false)
        : max_length(max_length), not_null(not_null), trim_left(trim_left), trim_right(trim_right) {}

    // A String or WString (a value of another type is taken by its text form); the
    // length is tested before trimming, in bytes for a String, 16-bit units for a WString.
    Value Scan(const Value& text) const override;

    int32 GetMaxLength() const { return max_length; }
    ConvertString& SetMaxLength(int32 n)
    {
        max_length = n;
        return *this;
    }
    bool IsNotNull() const { return not_null; }
    bool IsTrimLeft() const { return trim_left; }
    bool IsTrimRight() const { return trim_right; }

private:
    int32 max_length;
    bool not_null;
    bool trim_left;
    bool trim_right;
};

// Shows a Value as it is.
class NoConvertClass : public Convert {
public:
    Value Format(const Value& q) const override;
};

// Shows a Value through a Format text: the items of a ValueArray, the values of a
// ValueMap, or the Value alone are its arguments.
class FormatConvert : public Convert {
public:
    explicit FormatConvert(const String& format = String()) : format(format) {}

    Value Format(const Value& q) const override;

    const String& GetFormat() const { return format; }

private:
    String format;
};

// Process-wide instances, built on first use (and all of them before the entry point).
const Convert& SharedConvert();
const ConvertInt& SharedConvertInt();
const ConvertInt& SharedConvertIntNotNull();
const ConvertDouble& SharedConvertDouble();
const ConvertDouble& SharedConvertDoubleNotNull();
const ConvertDate& SharedConvertDate();
const ConvertDate& SharedConvertDateNotNull();
const ConvertTime& SharedConvertTime();
const ConvertTime& SharedConvertTimeNotNull();
const ConvertString& SharedConvertString();
const ConvertString& SharedConvertStringNotNull();
const NoConvertClass& SharedNoConvert();

// SharedConvert's Format as a String: the standard text of any value.
String FormatValue(const Value& v);

// Builds every shared instance and makes FormatValue the Format engine's standard value
// text ("vt"); run by the library's registration unit before the entry point.
void RegisterStandardConverters();

// The error Value of "Null value not allowed.", translated.
Value NullNotAllowedError();

// The text step of ConvertInt's Scan: the int Null for an empty text, an int64 Value,
// or an error Value ("Invalid number !", or the range message of the int64 range for a
// number beyond it).
Value ScanInt64Value(const char* text);

} // namespace Qor
