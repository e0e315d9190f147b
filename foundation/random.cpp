// MT19937 and the process-wide generator built on it.
#include "foundation/random.h"

#include <fcntl.h>
#include <unistd.h>

namespace Qor {

void Mt19937::Seed(uint32 seed)
{
    state[0] = seed;
    for(int i = 1; i < N; i++)
        state[i] = 1812433253u * (state[i - 1] ^ (state[i - 1] >> 30)) + (uint32)i;
    index = N;
}

void Mt19937::SeedByArray(const uint32* key, int count)
{
    Seed(19650218u);
    int i = 1;
    int j = 0;
    for(int k = N > count ? N : count; k; k--) {
        state[i] = (state[i] ^ ((state[i - 1] ^ (state[i - 1] >> 30)) * 1664525u)) + key[j] + (uint32)j;
        if(++i >= N) {
            state[0] = state[N - 1];
            i = 1;
        }
        if(++j >= count)
            j = 0;
    }
    for(int k = N - 1; k; k--) {
        state[i] = (state[i] ^ ((state[i - 1] ^ (state[i - 1] >> 30)) * 1566083941u)) - (uint32)i;
        if(++i >= N) {
            state[0] = state[N - 1];
            i = 1;
        }
    }
    state[0] = 0x80000000u; // makes the initial state non-zero
}

void Mt19937::SeedFromFile(const char* path)
{
    uint32 key[KEY_WORDS] = {};
    int fd = open(path, O_RDONLY);
    if(fd >= 0) {
        if(read(fd, key, sizeof(key)) < 0) {}
        close(fd);
    }
    SeedByArray(key, KEY_WORDS);
}

void Mt19937::Twist()
{
    static const uint32 mag01[2] = { 0, 0x9908b0dfu };
    const uint32 upper = 0x80000000u, lower = 0x7fffffffu;
    int k = 0;
    for(; k < N - M; k++) {
        uint32 y = (state[k] & upper) | (state[k + 1] & lower);
        state[k] = state[k + M] ^ (y >> 1) ^ mag01[y & 1];
    }
    for(; k < N - 1; k++) {
        uint32 y = (state[k] & upper) | (state[k + 1] & lower);
        state[k] = state[k + M - N] ^ (y >> 1) ^ mag01[y & 1];
    }
    uint32 y = (state[N - 1] & upper) | (state[0] & lower);
    state[N - 1] = state[M - 1] ^ (y >> 1) ^ mag01[y & 1];
    index = 0;
}

uint32 Mt19937::Next()
{
    if(index >= N) {
        if(index > N)
            Seed(5489u); // never seeded: the generator's customary default
        Twist();
    }
    uint32 y = state[index++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9d2c5680u;
    y ^= (y << 15) & 0xefc60000u;
    y ^= y >> 18;
    return y;
}

static Mt19937& ProcessGenerator()
{
    struct DeviceSeeded : Mt19937 {
        DeviceSeeded() { SeedFromFile("/dev/urandom"); }
    };
    static DeviceSeeded generator;
    return generator;
}

uint32 Random32()
{
    return ProcessGenerator().Next();
}

uint32 RandomBelow(uint32 n)
{
    if(n == 0)
        return 0;
    uint32 mask = n | n >> 1 | n >> 2 | n >> 3;
    mask |= mask >> 4;
    mask |= mask >> 8;
    mask |= mask >> 16;
    uint32 r;
    do
        r = Random32() & mask;
    while(r >= n);
    return r;
}

} // namespace Qor
