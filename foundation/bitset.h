// BitSet: a growable set of bits kept in 32-bit words; bit i is bit (i & 31) of word i / 32.
#pragma once

#include "foundation/types.h"

namespace Qor {

class BitSet {
public:
    BitSet() = default;
    BitSet(const BitSet& b);
    BitSet(BitSet&& b) noexcept : words(b.words), data(b.data) { b.words = -1; b.data = nullptr; }
    ~BitSet() { Clear(); }
    BitSet& operator=(const BitSet& b);
    BitSet& operator=(BitSet&& b) noexcept;

    // Sets bit i to value; beyond the words the array grows to (i / 32) * 4 / 3 + 1 words.
    void Set(int i, bool value = true);
    bool Get(int i) const { int w = i >> 5; return w < words && (data[w] >> (i & 31) & 1); }
    bool operator[](int i) const { return Get(i); }
    void Clear();

    // The number of words; negative after a move.
    int GetWordCount() const { return words; }
    const dword* GetWords() const { return data; }

private:
    int32 words = 0;
    dword* data = nullptr;
};

} // namespace Qor
