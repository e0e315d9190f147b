// The int64 scanner of the JSON loaders: strict about the int64 range, which the
// shared scanner reports only as Null (and so cannot tell from -2^63).
#pragma once

#include "foundation/types.h"

namespace Qor {

// Signed decimal int64; false when there are no digits or the number is outside the
// int64 range (so that large texts never wrap into some other number).
bool JsonScanInt64(const char* s, int64& out);

} // namespace Qor
