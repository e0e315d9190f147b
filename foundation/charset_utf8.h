// The steps of the UTF-8 codec, shared by the decoder, the encoder and the
// case operations that work on UTF-8 bytes directly.
#pragma once

#include "foundation/types.h"

#include <cstring>

namespace Qor {

inline bool Utf8IsContinuation(int c) { return (c & 0xC0) == 0x80; }

inline bool Utf8AllAscii8(const byte* s)
{
    uint64 w;
    std::memcpy(&w, s, 8);
    return (w & 0x8080808080808080ull) == 0;
}

// How many of the 8 bytes at s, from the first, are ASCII (8 when all are).
inline int Utf8AsciiPrefix8(const byte* s)
{
    uint64 w;
    std::memcpy(&w, s, 8);
    w &= 0x8080808080808080ull;
    return w ? __builtin_ctzll(w) >> 3 : 8; // little-endian: byte 0 is the low byte
}

// How many of the 4 units at p, from the first, are below U+0080.
inline int Utf8AsciiUnits4(const wchar16* p)
{
    uint64 w;
    std::memcpy(&w, p, 8);
    w &= 0xFF80FF80FF80FF80ull;
    return w ? __builtin_ctzll(w) >> 4 : 4;
}

// The character of the three bytes at s (lead 0xE0-0xEF), or -1 when they must
// be escaped: a byte that is no continuation, an overlong form, or a code point
// inside the escape range.
inline int Utf8Valid3(const byte* s)
{
    if(!Utf8IsContinuation(s[1]) || !Utf8IsContinuation(s[2]))
        return -1;
    int v = ((s[0] & 0x0F) << 12) | ((s[1] & 0x3F) << 6) | (s[2] & 0x3F);
    return v >= 0x800 && (v & 0xFF00) != 0xEE00 ? v : -1;
}

// Bytes of one 16-bit unit: escapes are one byte, surrogates three like any
// other. Branch-free, so that counting a text vectorizes.
inline int Utf8UnitLength(int u)
{
    return 1 + (u >= 0x80) + (u >= 0x800) - 2 * ((u & 0xFF00) == 0xEE00);
}

inline char* Utf8PutUnit(char* t, int u)
{
    if(u < 0x80)
        *t++ = char(u);
    else if(u < 0x800) {
        *t++ = char(0xC0 | (u >> 6));
        *t++ = char(0x80 | (u & 0x3F));
    }
    else if((u & 0xFF00) == 0xEE00)
        *t++ = char(u & 0xFF);
    else {
        *t++ = char(0xE0 | (u >> 12));
        *t++ = char(0x80 | ((u >> 6) & 0x3F));
        *t++ = char(0x80 | (u & 0x3F));
    }
    return t;
}

int Utf8EncodedLength(const wchar16* p, int n);
char* EncodeUtf8Into(char* t, const wchar16* p, int n);

} // namespace Qor
