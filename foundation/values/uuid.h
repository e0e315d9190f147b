// Uuid: a 128-bit random identifier of four 32-bit words (all 128 bits random, no version
// or variant bits), its text form of 32 capital hex digits, scanning, and its shared Value
// representation under type 50.
#pragma once

#include "foundation/hash.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/values/value_rep.h"

namespace Qor {

class Stream;
class Value;
class XmlizeIo;
class JsonizeIo;

struct Uuid {
    dword v[4]; // word 0 .. word 3

    // The Null Uuid: all words 0.
    constexpr Uuid() : v{0, 0, 0, 0} {}
    constexpr Uuid(dword w0, dword w1, dword w2, dword w3) : v{w0, w1, w2, w3} {}
    // The held Uuid, or Null when v holds anything else.
    explicit Uuid(const Value& x);
    // A Value holding a copy in a new shared representation.
    operator Value() const;

    constexpr bool IsNullInstance() const { return (v[0] | v[1] | v[2] | v[3]) == 0; }

    friend constexpr bool operator==(const Uuid& a, const Uuid& b)
    {
        return a.v[0] == b.v[0] && a.v[1] == b.v[1] && a.v[2] == b.v[2] && a.v[3] == b.v[3];
    }
    friend constexpr bool operator!=(const Uuid& a, const Uuid& b) { return !(a == b); }
};

// Four draws of the process-wide generator, word 0 first.
Uuid NewUuid();
// "%08X%08X%08X%08X": always 32 capital hex digits.
String UuidToText(const Uuid& u);
// The first 32 hex digits of text, whatever stands between them; fewer gives Null.
Uuid ScanUuid(const char* text);
inline Uuid ScanUuid(const String& text) { return ScanUuid(text.Begin()); }

// (word0 ^ 0xe2f62ff2) * 17 ^ word1, then h * 17 ^ word2, then h * 17 ^ word3.
uint32 ValueHash(const Uuid& u);
inline uint32 GetHashValue(const Uuid& u) { return ValueHash(u); }

// Value slots of RichValueRep<Uuid>.
inline bool IsNullValue(const Uuid& u) { return u.IsNullInstance(); }
inline bool ValueEquals(const Uuid& a, const Uuid& b) { return a == b; }
// A packed version 0 (the byte 0x01, not examined when loading), then the four words
// as 32-bit little-endian integers: 17 bytes.
void ValueSerialize(Stream& s, Uuid& u);
inline String ValueText(const Uuid& u) { return UuidToText(u); }

// XML: the attribute "value" holds the text. JSON: a String Value with the text. Bad
// text loads as Null in both.
void Xmlize(XmlizeIo& io, Uuid& u);
void Jsonize(JsonizeIo& io, Uuid& u);

template <>
struct ValueTypeNumberOf<Uuid> {
    static int Get() { return UUID_V; }
};

// Registers type 50 "Uuid" with its factory. Run by the library's registration unit;
// later calls do nothing.
void RegisterUuidValueType();
// The XML and JSON forms for the representation; run by the registration unit.
void RegisterUuidValueMappings();

} // namespace Qor
