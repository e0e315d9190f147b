// Hexadecimal text of bytes: lower-case encoding with optional grouping, and a
// lenient decoder that skips anything that is not a hex digit.
#pragma once

#include "foundation/string.h"

namespace Qor {

// Two lower-case digits per byte; the separator after every group bytes when
// more follow. group must be at least 1.
String HexEncode(const byte* data, int length, int group = 0x7FFFFFFF, int separator = ' ');
String HexEncode(const String& data, int group = 0x7FFFFFFF);

// Pairs of hex digits from [begin, end) become bytes; other characters are
// skipped, a lone final digit with nothing after it is dropped, and a lone
// digit followed only by non-digits becomes a byte of its own value.
String HexDecode(const char* begin, const char* end);
inline String HexDecode(const String& s) { return HexDecode(s.Begin(), s.End()); }

} // namespace Qor
