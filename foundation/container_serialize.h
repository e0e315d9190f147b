// Stream forms of the 32-bit Vector and of HashIndex.
#pragma once

#include "foundation/hash_index.h"
#include "foundation/stream.h"
#include "foundation/vector.h"

namespace Qor {

// The packed count, then each value as 32 bits. Loading empties the Vector and
// appends values as they arrive; a negative count is a load error.
void Serialize(Stream& s, Vector<int32>& v);
void Serialize(Stream& s, Vector<uint32>& v);

// The version byte 1 (a packed 0), then the hashes as a 32-bit Vector, unlinked
// marks included; the index is rehashed afterwards in both directions.
void Serialize(Stream& s, HashIndex& index);

} // namespace Qor
