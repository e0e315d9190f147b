// Number scanners of the JSON loaders, reading the number at the start of a text.
#pragma once

#include "foundation/types.h"

namespace Qor {

// Signed decimal int wrapping in 32 bits; the int Null when there are no digits or the
// digits accumulate to all ones.
int JsonScanInt(const char* s);
// Signed decimal int64; false when there are no digits or the number is outside the
// int64 range (so that large texts never wrap into some other number).
bool JsonScanInt64(const char* s, int64& out);
// Decimal number with fraction ('.' or ',') and exponent; false when there is none.
bool JsonScanDouble(const char* s, double& out);

} // namespace Qor
