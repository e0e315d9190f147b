// Value type registry and the stored forms of a whole Value. The registry ties each type
// number to a name and, for types kept in a shared representation, to a factory of empty
// representations, so that a stored Value can be rebuilt without knowing its type in
// advance. The binary form is the type number as a packed count followed by the payload;
// the framed form wraps it in the checked "data" frame.
#pragma once

#include "foundation/string.h"
#include "foundation/values/value.h"

namespace Qor {

class Stream;

// Makes a new representation (reference count 1) of one type with an empty payload.
using ValueRepFactory = Value::Void* (*)();

// What LookupValueTypeNumber answers for a name nobody registered.
constexpr int VALUE_TYPE_UNKNOWN = (int)0x80000000;

// Registry ----------------------------------------------------------------------------

// Adds number -> factory unless the number has one already (the first stays), then the name.
void RegisterValueType(int number, ValueRepFactory factory, const char* name);
// Appends a name row; neither the name nor the number is checked for duplicates.
void RegisterValueTypeName(int number, const char* name);
// An in-place type: its operation record goes to the table at its number, then its name.
void RegisterInPlaceValueType(int number, const ValueOps* ops, const char* name);
// The types this registry owns (WString, Complex, ValueArray, ValueMap, then the names of
// String, int, double, void, Date, Time, int64, bool, error). Runs once.
void RegisterStandardValueTypes();

// The number of the first row with this name; VALUE_TYPE_UNKNOWN when none.
int LookupValueTypeNumber(const char* name);
// The name of the first row with this number; the empty String when none.
String LookupValueTypeName(int number);
// A new empty representation from the type's factory; null when it has none.
Value::Void* CreateValueRep(int number);

// Binary form -------------------------------------------------------------------------

// Makes the form below the one of ValueArray and ValueMap elements; run by the library's
// registration unit.
void RegisterValueElementForm();

// Stores *v on a storing stream or loads it from a loading one. A load that fails sets
// the stream's load error (throwing LoadingError when the stream asks for it) and never
// leaves a partly loaded Value: the Value is the empty String when even the type number
// was missing, else void.
void SerializeValue(Stream& s, Value* v);
inline void SerializeValue(Stream& s, Value& v) { SerializeValue(s, &v); }

// Framed binary form: magic "data", the binary form, magic "end", the byte count.
String StoreAsString(const Value& v);
// False when the text does not hold a complete framed Value; v is then left as it was.
bool LoadFromString(Value& v, const String& text);

// JSON form of a whole Value -----------------------------------------------------------

// Runs Value::Jsonize with a storing context and gives its result.
Value StoreAsJsonValue(const Value& v);
// Runs Value::Jsonize on target with a loading context reading json; throws JsonizeError.
void LoadFromJsonValue(Value& target, const Value& json);

// Fallback of the text mappings ---------------------------------------------------------
// The XML and JSON forms of a whole Value are built by the mappings on top of these: a
// type without a name travels as the hex text of its framed form under this marker.

// "serialized_binary"
const String& SerializedBinaryMarker();
// Lower-case hex of StoreAsString, two digits per byte, no separators.
String StoreAsHexText(const Value& v);
// Decodes the hex text and loads it by LoadFromString; false (v unchanged) when it fails.
bool LoadFromHexText(Value& v, const String& hex);

} // namespace Qor
