// Access keys: marks found in captions, keys chosen for captions without one, and which key
// presses match; positions count characters, so translated captions underline the right one.
#include "widgets/label/access_key.h"

#include "ctrl/tree/ctrl_class.h"

#include <gtest/gtest.h>
#include "tests/support/printers.h"

using namespace Qor;

namespace {

int Key(int pos, int key) { return pos << 16 | key; }

TEST(AccessKeyTest, ExtractFindsTheMarkAndCleansTheText)
{
    struct Case {
        const char* text;
        const char* cleaned;
        int key;
    } cases[] = {
        { "&Yes", "Yes", Key(1, 'Y') },
        { "B&arva:", "Barva:", Key(2, 'A') },
        { "No mark", "No mark", 0 },
        { "", "", 0 },
        { "Fish && Chips", "Fish & Chips", 0 },
        { "&&x", "&x", 0 },            // the pair is a literal, x is not marked
        { "&&&x", "&x", Key(2, 'X') }, // the third '&' marks x
        { "Ends&", "Ends&", 0 },       // a mark at the end stays
        { "Back\bspace", "Backspace", Key(5, 'S') },
        { "&1st", "1st", Key(1, '1') }, // a digit is its own key
        { "a&.b", "a.b", Key(2, '.') },
        { "&first &second", "first second", Key(7, 'S') }, // the last mark wins
        { "\1[* &Bold]", "\1[* &Bold]", 0 },               // rich text: '&' is plain text
        { "\1[* \bBold]", "\1[* Bold]", Key(5, 'B') },     // but a backspace marks
        { "\1text\b", "\1text\b", 0 },
        { "\1a\b&b", "\1a\b&b", 0 },
        // Characters, not bytes: each of these letters is two bytes in UTF-8.
        { "Öff&nen", "Öffnen", Key(4, 'N') },
        { "Schlie&ßen", "Schließen", Key(7, 'S') }, // ß is based on s
        { "&Über", "Über", Key(1, 'U') },           // an accented letter gives its base
        { "Ďalší &krok", "Ďalší krok", Key(7, 'K') },
        { "&éte", "éte", Key(1, 'E') },
        { "&ωx", "ωx", Key(1, 0) }, // no ASCII letter
    };
    for(const Case& c : cases) {
        String cleaned = "junk";
        EXPECT_EQ(ExtractAccessKey(c.text, cleaned), c.key) << c.text;
        EXPECT_EQ(Std(cleaned), c.cleaned) << c.text;
    }
}

TEST(AccessKeyTest, ExtractIntoItsOwnSourceAndFromNull)
{
    String s = "O&pen";
    EXPECT_EQ(ExtractAccessKey(s.Begin(), s), Key(2, 'P'));
    EXPECT_EQ(Std(s), "Open");
    EXPECT_EQ(ExtractAccessKey(nullptr, s), 0);
    EXPECT_TRUE(s.IsEmpty());
}

TEST(AccessKeyTest, ChooseTakesAFreeLetter)
{
    auto bits = [](const char* keys) {
        dword used = 0;
        for(const char* k = keys; *k; k++)
            used |= AccessKeyMask((byte)*k);
        return used;
    };
    struct Case {
        const char* text;
        const char* used;
        int key;
    } cases[] = {
        { "Word or Phrase", "", Key(1, 'W') },
        { "Word or Phrase", "W", Key(9, 'P') },
        { "Word or Phrase", "WP", 'O' }, // no free capital: the first free letter
        { "list", "", 'S' },             // I and L skipped while others are free
        { "list", "ST", 'L' },
        { "list", "LIST", 0 },
        { "", "", 0 },
        { "123 ...", "", 0 },
        { "Über Alles", "", Key(6, 'A') }, // counted in characters
        { "über", "", 'B' },               // ü is no letter A-Z
        { "xyz", "1", 'X' },               // bit 0 (non-letters) does not block letters
    };
    for(const Case& c : cases)
        EXPECT_EQ(ChooseAccessKey(c.text, bits(c.used)), c.key) << c.text << " used " << c.used;
    EXPECT_EQ(ChooseAccessKey(nullptr, 0), 0);
}

TEST(AccessKeyTest, MatchesAltWithTheLetter)
{
    struct Case {
        int key;
        dword code;
        bool match;
    } cases[] = {
        { 'Y', 0x90000 + 'Y', true },  { Key(3, 'Y'), 0x90000 + 'Y', true },     // the position plays no part
        { 'Y', 'Y', false },                                                     // without Alt
        { 'Y', 0x10000 + 'Y', false }, { 'Y', 0x90000 + 'Y' + 0x100000, false }, // key up
        { 'Y', 0xB0000 + 'Y', false },                                           // Ctrl+Alt
        { 'Y', 0x90000 + 'Z', false }, { '1', 0x90000 + '1', true },
        { 0, 0x90000, false },
    };
    for(const Case& c : cases)
        EXPECT_EQ(MatchesAccessKey(c.key, c.code), c.match) << std::hex << c.key << " " << c.code;
}

} // namespace
