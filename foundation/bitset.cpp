// BitSet: word storage and its growth.
#include "foundation/bitset.h"

#include "foundation/heap.h"

#include <cstring>

namespace Qor {

BitSet::BitSet(const BitSet& b)
{
    if(b.words > 0) {
        data = (dword*)HeapAllocate((size_t)b.words * sizeof(dword));
        std::memcpy(data, b.data, (size_t)b.words * sizeof(dword));
        words = b.words;
    }
}

BitSet& BitSet::operator=(const BitSet& b)
{
    if(this != &b) {
        BitSet copy(b);
        *this = static_cast<BitSet&&>(copy);
    }
    return *this;
}

BitSet& BitSet::operator=(BitSet&& b) noexcept
{
    if(this != &b) {
        Clear();
        words = b.words;
        data = b.data;
        b.words = -1;
        b.data = nullptr;
    }
    return *this;
}

void BitSet::Clear()
{
    if(words >= 0 && data)
        HeapRelease(data);
    words = 0;
    data = nullptr;
}

void BitSet::Set(int i, bool value)
{
    int w = i >> 5;
    if(w >= words) {
        int old = words > 0 ? words : 0;
        int n = int((int64)w * 4 / 3 + 1);
        dword* grown = (dword*)HeapAllocate((size_t)n * sizeof(dword));
        if(old)
            std::memcpy(grown, data, (size_t)old * sizeof(dword));
        std::memset(grown + old, 0, (size_t)(n - old) * sizeof(dword));
        if(data)
            HeapRelease(data);
        data = grown;
        words = n;
    }
    dword bit = (dword)1 << (i & 31);
    if(value)
        data[w] |= bit;
    else
        data[w] &= ~bit;
}

} // namespace Qor
