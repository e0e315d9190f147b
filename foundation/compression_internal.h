// The decompressors' memory forms with their output limit as a parameter: the public
// forms pass the largest String, tests a limit small enough to reach.
#pragma once

#include "foundation/compression.h"

namespace Qor {

// As DecompressZlib and DecompressBzip2, but an output of more than limit bytes gives
// the void String.
String DecompressZlibWithin(const void* data, int size, int64 limit, CompressionProgress progress = {});
String DecompressBzip2Within(Stream& in, int64 limit, CompressionProgress progress = {});

} // namespace Qor
