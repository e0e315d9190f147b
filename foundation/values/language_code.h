// LanguageCode: a language and country packed into 20 bits (four letters of
// five bits each, A = 1) with an optional charset code in bits 20-27, and its
// text forms ("EN-US", "CS-CZ windows-1250").
#pragma once

#include "foundation/string.h"

namespace Qor {

using LanguageCode = int32;

// Packs four capital letters (0 for none) and a charset code.
constexpr LanguageCode MakeLanguageCode(char a, char b, char c, char d, int charset = 0)
{
    auto letter = [](char x) { return x ? (x - 'A' + 1) & 31 : 0; };
    return (charset & 0xFF) << 20 | letter(a) << 15 | letter(b) << 10 | letter(c) << 5 | letter(d);
}

enum : LanguageCode {
    LANGUAGE_EN_US = 0x2BAB3,
    LANGUAGE_CS_CZ = 0x1CC7A,
    LANGUAGE_AND_COUNTRY_MASK = 0xFFFFF,
    LANGUAGE_ONLY_MASK = 0xFFC00,
};

// "EN-US", "EN" for two letters, "EN-US UTF-8" with a charset, "" for 0.
String LanguageCodeToText(LanguageCode code);
// Accepts "en-US", "EN_us", "enUS", "en-US.UTF-8", "cs-CZ UTF-8"; 0 when malformed
// or when the name after the space is no charset.
LanguageCode ParseLanguageCode(const char* text);

// Bits 20-27, or -1 when they are 0.
inline int GetLanguageCharset(LanguageCode code)
{
    int charset = (code >> 20) & 0xFF;
    return charset ? charset : -1;
}

inline LanguageCode SetLanguageCharset(LanguageCode code, int charset)
{
    return (charset & 0xFF) << 20 | (code & LANGUAGE_AND_COUNTRY_MASK);
}

} // namespace Qor
