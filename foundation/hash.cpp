// HashBytes: h = h * 31 ^ word over whole little-endian words, then over the tail bytes.
#include "foundation/hash.h"

namespace Qor {

uint32 HashBytes(const void* data, size_t length)
{
    const byte* s = (const byte*)data;
    uint32 h = 1234567890u;
    const byte* words_end = s + (length & ~(size_t)3);
    for(; s < words_end; s += 4) {
        uint32 w;
        std::memcpy(&w, s, 4); // the only targets are little-endian
        h = h * 31u ^ w;
    }
    const byte* end = words_end + (length & 3);
    for(; s < end; s++)
        h = h * 31u ^ *s;
    return h;
}

} // namespace Qor
