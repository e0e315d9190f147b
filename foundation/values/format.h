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

// The engine in the current language.
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
