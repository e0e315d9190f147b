// Format: placeholders with positions, options and ids turned into text by
// formatter functions that a registry selects by (id, value type); the date
// and time pattern formatter and the printf bridge.
#pragma once

#include "foundation/string.h"
#include "foundation/values/date.h"
#include "foundation/values/language_code.h"
#include "foundation/values/time.h"
#include "foundation/values/value.h"
#include "foundation/vector.h"

#include <cstdarg>
#include <cstring>
#include <initializer_list>
#include <type_traits>

namespace Qor {

// What every formatter receives.
struct FormatItem {
    LanguageCode language; // the language the engine was called with
    Value arg;             // the argument at the placeholder's position
    String options;        // the text between the '%' and the id
    String id;             // the id that selected the formatter, after any shortening
};

using Formatter = String (*)(const FormatItem& item);

// The type number that stands for any type in the registry.
enum { FORMAT_ANY_TYPE = 7 };

// Adds (id, type) unless it is present: the first registration wins.
void RegisterFormatter(int type_number, const char* id, Formatter formatter);
// The standard ids, once per process.
void RegisterStandardFormatters();
// The formatter of exactly (id, type), null when none.
Formatter FindFormatter(const String& id, int type_number);

// The engine. Errors never throw: they become "<invalid pos=N>", "<invalid padding>"
// or "<N/A 'id' for type N>" inside the result. Format texts may come from
// translation files, so nothing in them can make the engine read past args or hand
// unchecked text to the C library.
String FormatValues(LanguageCode language, const char* format, const Value* args[], int count);

// An argument of the engine: a Value, or a text the caller gave, which the engine writes
// as it is where the standard "s" formatter takes it plainly and boxes into a Value only
// where another formatter needs one.
class FormatArg {
public:
    FormatArg() = default; // the empty text
    FormatArg(const Value& v) : value(&v) {}
    FormatArg(const char* s) : text(s ? s : ""), length(s ? (int)std::strlen(s) : 0) {}
    FormatArg(const String& s) : text(s.Begin()), length(s.GetLength()) {}

    bool IsText() const { return !value; }
    const char* GetText() const { return text; }
    int GetLength() const { return length; }
    // What the argument is as a Value; a text is copied into box.
    const Value& Get(Value& box) const { return value ? *value : (box = Value(String(text, length))); }
    int GetTypeNumber() const { return value ? value->GetTypeNumber() : STRING_V; }
    bool IsNull() const { return value ? value->IsNull() : length == 0; }

private:
    const Value* value = nullptr;
    const char* text = "";
    int length = 0;
};

String FormatArgs(LanguageCode language, const char* format, std::initializer_list<FormatArg> args);

// Arguments that the engine takes without boxing texts; any other type goes through Value.
template <class T>
inline constexpr bool IS_FORMAT_TEXT = std::is_pointer_v<std::decay_t<T>> &&
                                       std::is_same_v<std::remove_cv_t<std::remove_pointer_t<std::decay_t<T>>>, char>;
template <class T>
concept FormatDirectArg = std::is_same_v<T, int> || std::is_same_v<T, double> || std::is_same_v<T, String> ||
                          std::is_same_v<T, Value> || IS_FORMAT_TEXT<T>;

namespace FormatDetail {
inline const char* Direct(const char* s) { return s; }
inline const String& Direct(const String& s) { return s; }
inline const Value& Direct(const Value& v) { return v; }
inline Value Direct(int x) { return Value(x); }
inline Value Direct(double x) { return Value(x); }
} // namespace FormatDetail

LanguageCode FormatLanguage(); // the current language

// The engine in the current language. Ints and doubles become Values on the stack, texts
// are taken as they are.
template <class... A>
    requires(sizeof...(A) > 0 && (FormatDirectArg<A> && ...))
String Format(const char* format, const A&... args)
{
    return FormatArgs(FormatLanguage(), format, { FormatArg(FormatDetail::Direct(args))... });
}

String Format(const char* format, const Value& a1);
String Format(const char* format, const Value& a1, const Value& a2);
String Format(const char* format, const Value& a1, const Value& a2, const Value& a3);
String Format(const char* format, const Value& a1, const Value& a2, const Value& a3, const Value& a4);
String Format(const char* format, const Value& a1, const Value& a2, const Value& a3, const Value& a4,
              const Value& a5, const Value& a6);
String Format(const char* format, const Vector<Value>& args);

// Cuts text to its first n characters (16-bit units under UTF-8, bytes otherwise).
void TruncateToCharacters(String& text, int n);

// printf into a String. The format is the caller's own (checked by the compiler),
// never a text from outside; the result may have any length.
String PrintfToString(const char* format, ...) __attribute__((format(printf, 1, 2)));
String VPrintfToString(const char* format, va_list args) __attribute__((format(printf, 1, 0)));
String UIntToText(unsigned value);

// "%" + the printf flags, width ('.' and precision) that options hold, in that order, +
// conversion (at most three letters); widths and precisions past NUMBER_TEXT_MAX_PAD are
// capped. Options may come from translation files: nothing else reaches the C library.
// spec needs 32 bytes.
void MakePrintfSpec(char* spec, const String& options, const char* conversion);

// Pattern letters D, M, Y, h, H, m, s; '<am/pm>' picks by hour (0..11 the first
// text); '`' quotes a character. Null gives the empty text, an empty pattern the
// standard date or time text. The language does not change the result.
String FormatDateByPattern(Date date, const char* pattern, LanguageCode language);
String FormatTimeByPattern(Time time, const char* pattern, LanguageCode language);

// Seams for services built elsewhere: the standard text of any value (used by "vt";
// Value::ToString until the converters install theirs) and the language form of
// number texts (plain DoubleToGeneralText until language information installs its own).
using ValueTextFunction = String (*)(const Value& v);
using LanguageDoubleFunction = String (*)(LanguageCode language, int count, unsigned flags, int exponent_digits,
                                          double x);
void SetFormatValueFunction(ValueTextFunction f);
void SetLanguageDoubleFunction(LanguageDoubleFunction f);
String FormatValueText(const Value& v);
String LanguageDoubleText(LanguageCode language, int count, unsigned flags, int exponent_digits, double x);

} // namespace Qor
