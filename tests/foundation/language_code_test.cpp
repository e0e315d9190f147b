// Language codes: packing, text forms and the charset bits.

#include "foundation/values/language_code.h"

#include "foundation/charset.h"

#include <gtest/gtest.h>

using namespace Qor;

namespace {

const LanguageCode EN_US = 0x2BAB3;
const LanguageCode CS_CZ = 0x1CC7A;

TEST(LanguageCodeTest, PacksLettersAndCharset)
{
    EXPECT_EQ(MakeLanguageCode('E', 'N', 'U', 'S'), EN_US);
    EXPECT_EQ(MakeLanguageCode('C', 'S', 'C', 'Z'), CS_CZ);
    EXPECT_EQ(MakeLanguageCode('C', 'S', 'C', 'Z', 255), CS_CZ | 255 << 20);
    EXPECT_EQ(MakeLanguageCode('E', 'N', 0, 0), EN_US & LANGUAGE_ONLY_MASK);
    // Bits 28-31 stay clear even with the largest charset code.
    EXPECT_EQ(MakeLanguageCode('Z', 'Z', 'Z', 'Z', 255) & 0xF0000000, 0);
}

TEST(LanguageCodeTest, ToText)
{
    int cp1250 = FindCharset("windows-1250");
    ASSERT_GT(cp1250, 0);
    struct Case { LanguageCode code; String text; } cases[] = {
        {EN_US, "EN-US"},
        {CS_CZ, "CS-CZ"},
        {EN_US | 255 << 20, "EN-US UTF-8"},
        {CS_CZ | cp1250 << 20, String("CS-CZ ") + NameOfCharset(cp1250)},
        {EN_US & 0xFFC00, "EN"},                     // two letters, no '-'
        {MakeLanguageCode('E', 'N', 'U', 0), "EN-U"}, // third letter only
        {MakeLanguageCode('E', 0, 'U', 'S'), "E"},    // a missing second letter ends it
        {0, ""},
        {255 << 20, " UTF-8"},
    };
    for(const Case& c : cases)
        EXPECT_EQ(LanguageCodeToText(c.code), c.text) << std::hex << c.code;
}

TEST(LanguageCodeTest, Parse)
{
    int cp1250 = FindCharset("windows-1250");
    struct Case { const char* text; LanguageCode code; } cases[] = {
        {"en-US", EN_US},
        {"EN_us", EN_US},
        {"enUS", EN_US},
        {"en-US.UTF-8", EN_US},       // text after the country up to a space is skipped
        {"en US", EN_US},             // a space is a separator like any other
        {"cs-CZ UTF-8", CS_CZ | 255 << 20},
        {"cs-CZ utf8", CS_CZ | 255 << 20},
        {"cs-CZ windows-1250", CS_CZ | cp1250 << 20},
        {"cs-CZ.x windows-1250", CS_CZ | cp1250 << 20},
        {"cs-CZ nonsense", 0},        // an unknown charset spoils the whole code
        {"cs-CZ ", 0},
        {"en", 0},
        {"e1-US", 0},
        {"en-", 0},
        {"en-U", 0},
        {"en-U1", 0},
        {"en--US", 0},                // only one separator
        {"1n-US", 0},
        {"", 0},
        {nullptr, 0},
    };
    for(const Case& c : cases)
        EXPECT_EQ(ParseLanguageCode(c.text), c.code) << (c.text ? c.text : "(null)");
}

TEST(LanguageCodeTest, TextRoundTrip)
{
    int cp1250 = FindCharset("windows-1250");
    for(LanguageCode code : {EN_US, CS_CZ, EN_US | 255 << 20, CS_CZ | cp1250 << 20,
                             MakeLanguageCode('Z', 'H', 'T', 'W'), MakeLanguageCode('A', 'Z', 'A', 'Z')})
        EXPECT_EQ(ParseLanguageCode(LanguageCodeToText(code).Begin()), code) << std::hex << code;
}

TEST(LanguageCodeTest, CharsetBits)
{
    struct Case { LanguageCode code; int charset; } cases[] = {
        {EN_US, -1},
        {EN_US | 255 << 20, 255},
        {CS_CZ | 5 << 20, 5},
    };
    for(const Case& c : cases)
        EXPECT_EQ(GetLanguageCharset(c.code), c.charset);
    EXPECT_EQ(SetLanguageCharset(EN_US, 255), EN_US | 255 << 20);
    EXPECT_EQ(SetLanguageCharset(EN_US | 7 << 20, 3), EN_US | 3 << 20);   // replaced, not or-ed
    EXPECT_EQ(SetLanguageCharset(EN_US, 0x1FF), EN_US | 255 << 20);       // only the low byte
    EXPECT_EQ(SetLanguageCharset(EN_US | 7 << 20, 0), EN_US);
    EXPECT_EQ(SetLanguageCharset(int32(0xF0000000u) | EN_US, 2), EN_US | 2 << 20);
}

} // namespace
