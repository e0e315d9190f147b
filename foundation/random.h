// The process-wide random numbers: the MT19937 Mersenne Twister, seeded from
// the system's random device on first use.
#pragma once

#include "foundation/types.h"

namespace Qor {

// The next 32-bit output of the process-wide generator.
uint32 Random32();
// Uniform in 0 .. n - 1 by masked rejection; n = 0 gives 0 (there is no valid
// answer, and looping forever would be worse).
uint32 RandomBelow(uint32 n);

// The generator itself, for the process-wide instance and for tests that need
// a known sequence.
class Mt19937 {
public:
    // The standard single-value initialisation.
    void Seed(uint32 seed);
    // The standard key-array initialisation.
    void SeedByArray(const uint32* key, int count);
    // Seeds by array with a 1024-word key filled from the first 4096 bytes of
    // the file (an unreadable file or a short read leaves words zero).
    void SeedFromFile(const char* path);
    uint32 Next();

    enum { N = 624, M = 397, KEY_WORDS = 1024 };

private:
    uint32 state[N];
    int index = N + 1;

    void Twist();
};

} // namespace Qor
