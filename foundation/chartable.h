// The character table: one word per code point below U+0800 with its lower-case
// and capital forms, its ASCII base letter and its letter flags. Code points
// from U+0800 are their own case forms, have no base and are not letters.
#pragma once

#include "foundation/types.h"

namespace Qor {

extern const uint32 character_table[2048];

enum : uint32 {
    CHAR_LOWER_MASK = 0x7FF,        // bits 0-10
    CHAR_CAPITAL_SHIFT = 11,        // bits 11-21
    CHAR_BASE_SHIFT = 22,           // bits 22-28
    CHAR_BASE_MASK = 0x7F,
    CHAR_IS_CAPITAL = 0x40000000u,  // bit 30
    CHAR_IS_LOWER = 0x80000000u,    // bit 31
};

inline int LowerCaseChar(int c)
{
    return (unsigned)c < 0x800 ? int(character_table[c] & CHAR_LOWER_MASK) : c;
}

inline int CapitalCaseChar(int c)
{
    return (unsigned)c < 0x800 ? int((character_table[c] >> CHAR_CAPITAL_SHIFT) & CHAR_LOWER_MASK) : c;
}

// The ASCII letter a character is based on ('é' gives 'e'), 0 when none.
inline int BaseAsciiChar(int c)
{
    return (unsigned)c < 0x800 ? int((character_table[c] >> CHAR_BASE_SHIFT) & CHAR_BASE_MASK) : 0;
}

inline bool IsLetterChar(int c)
{
    return (unsigned)c < 0x800 && (character_table[c] & (CHAR_IS_CAPITAL | CHAR_IS_LOWER));
}

inline bool IsCapitalLetter(int c) { return (unsigned)c < 0x800 && (character_table[c] & CHAR_IS_CAPITAL); }
inline bool IsLowerCaseLetter(int c) { return (unsigned)c < 0x800 && (character_table[c] & CHAR_IS_LOWER); }

} // namespace Qor
