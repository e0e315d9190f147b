// The character table, the case operations, ASCII base letters, digit values
// and the character filters.
#include "foundation/char_filter.h"
#include "foundation/charset.h"
#include "foundation/chartable.h"
#include "foundation/string.h"
#include "foundation/wstring.h"

#include <gtest/gtest.h>

#include <random>

using namespace Qor;

TEST(CharsetTable, TellingRows)
{
    struct Row {
        int ch, lower, capital, base;
        bool is_capital, is_lower;
    };
    const Row rows[] = {
        {'A', 'a', 'A', 'A', true, false},
        {'a', 'a', 'A', 'a', false, true},
        {'1', '1', '1', '1', false, false},
        {0x00A0, 0x00A0, 0x00A0, ' ', false, false},
        {0x00E9, 0x00E9, 0x00C9, 'e', false, true},
        {0x00D7, 0x00D7, 0x00D7, 0, false, false},
        {0x0391, 0x03B1, 0x0391, 0, true, false},
        {0x0130, 0x0069, 0x0130, 'I', true, false},
        {0x00FF, 0x00FF, 0x0178, 'y', false, true},
        {0x017F, 0x017F, 0x0053, 'l', false, true},
        {0x03C2, 0x03C2, 0x03A3, 0, false, true},
        {0x03F2, 0x03F2, 0x03A3, 0, false, true},
        {0x01C5, 0x01C5, 0x01C5, 'D', false, false},
        {0x00AA, 0x00AA, 0x00AA, 0, false, true},
        {0x00BA, 0x00BA, 0x00BA, 0, false, true},
        {0x00C6, 0x00E6, 0x00C6, 'A', true, false},
        {0x00DF, 0x00DF, 0x00DF, 's', false, true},
        {0x00DE, 0x00FE, 0x00DE, 'T', true, false},
        {0x0131, 0x0131, 0x0049, 'd', false, true},
        {0x014A, 0x014B, 0x014A, 'E', true, false},
        {0x0180, 0x0180, 0x0180, 'b', false, true}, // its capital came after Unicode 3.2
        {0x0416, 0x0436, 0x0416, 0, true, false},
        {0x05D0, 0x05D0, 0x05D0, 0, false, false},
        {0x0800, 0x0800, 0x0800, 0, false, false},
        {0x4E2D, 0x4E2D, 0x4E2D, 0, false, false},
    };
    for(const Row& r : rows) {
        EXPECT_EQ(LowerCaseChar(r.ch), r.lower) << std::hex << r.ch;
        EXPECT_EQ(CapitalCaseChar(r.ch), r.capital) << std::hex << r.ch;
        EXPECT_EQ(BaseAsciiChar(r.ch), r.base) << std::hex << r.ch;
        EXPECT_EQ(IsCapitalLetter(r.ch), r.is_capital) << std::hex << r.ch;
        EXPECT_EQ(IsLowerCaseLetter(r.ch), r.is_lower) << std::hex << r.ch;
        if(r.ch < 0x800) {
            EXPECT_EQ(character_table[r.ch] & 0x20000000u, 0u); // bit 29 is always clear
        }
    }
}

TEST(CharsetCase, LowerAndCapitalCaseText)
{
    int latin1 = FindCharset("iso8859-1");
    int latin2 = FindCharset("iso8859-2");
    struct Case {
        const char* text;
        int charset;
        const char* lower;
        const char* capital;
    };
    const Case cases[] = {
        {"\xC3\x80\xC3\x89\xC3\x8E", CHARSET_UTF8, "\xC3\xA0\xC3\xA9\xC3\xAE", "\xC3\x80\xC3\x89\xC3\x8E"}, // ÀÉÎ
        {"\xC3\x9F", CHARSET_UTF8, "\xC3\x9F", "\xC3\x9F"},                                               // ß
        {"\xC3\xBF", CHARSET_UTF8, "\xC3\xBF", "\xC5\xB8"},                                               // ÿ, Ÿ
        {"\xC4\xB0x\xC4\xB1", CHARSET_UTF8, "ix\xC4\xB1", "\xC4\xB0XI"},                                  // İxı
        {"A\xE4\xB8\xAD" "b\xFF" "C", CHARSET_UTF8, "a\xE4\xB8\xAD" "b\xFF" "c", "A\xE4\xB8\xAD" "B\xFF" "C"},
        {"\xC3" "A\xE4" "AB", CHARSET_UTF8, "\xC3" "A\xE4" "AB", "\xC3" "A\xE4" "AB"}, // escaped ASCII stays
        {"Ab\xE2" "C", CHARSET_UTF8, "ab\xE2" "C", "AB\xE2" "C"},                       // cut form at the end
        {"\xC0\xC9x", latin1, "\xE0\xE9x", "\xC0\xC9X"},
        {"\xFF", latin1, "\xFF", "\x1F"}, // Ÿ is not in Latin-1
        {"\xA9\xB9", latin2, "\xB9\xB9", "\xA9\xA9"}, // Š š
        {"", CHARSET_UTF8, "", ""},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(LowerCaseText(c.text, c.charset), c.lower) << c.text;
        EXPECT_EQ(CapitalCaseText(c.text, c.charset), c.capital) << c.text;
    }
    EXPECT_EQ(LowerCaseText("\xC3\x89", 0), "\xC3\xA9"); // 0 is the default, UTF-8
}

TEST(CharsetCase, Utf8BytesMatchDecodeMapEncode)
{
    // The case operations work on UTF-8 bytes directly; they must give what
    // decoding, mapping every unit and encoding gives.
    std::mt19937 rng(777);
    static const int pool[] = {'a', 'Z', ' ', '1', 0xC3, 0xC4, 0x89, 0xB0, 0xB1, 0xE2, 0xE4, 0x82, 0xFF, 0xCE, 0x91};
    for(int round = 0; round < 3000; round++) {
        String s;
        int len = round < 1500 ? round % 12 : int(rng() % 400);
        for(int i = 0; i < len; i++)
            s.AppendChar(rng() % 3 ? pool[rng() % (sizeof(pool) / sizeof(pool[0]))] : int(1 + rng() % 255));
        WString w = DecodeUtf8(s);
        std::u16string lower, capital, words;
        bool start = true;
        for(int u : w) {
            lower += char16_t(LowerCaseChar(u));
            capital += char16_t(CapitalCaseChar(u));
            words += char16_t(start ? CapitalCaseChar(u) : LowerCaseChar(u));
            start = !(u >= '0' && u <= '9') && !IsLetterChar(u);
        }
        ASSERT_EQ(LowerCaseText(s, CHARSET_UTF8), EncodeUtf8(lower.data(), (int)lower.size())) << round;
        ASSERT_EQ(CapitalCaseText(s, CHARSET_UTF8), EncodeUtf8(capital.data(), (int)capital.size())) << round;
        ASSERT_EQ(CapitalizeWords(s.Begin(), CHARSET_UTF8), EncodeUtf8(words.data(), (int)words.size())) << round;
    }
}

TEST(CharsetCase, CapitalizeWords)
{
    struct Case {
        const char* text;
        int charset;
        const char* result;
    };
    int latin1 = FindCharset("iso8859-1");
    const Case cases[] = {
        {"hello wORLD o'neil 3rd x-ray", CHARSET_UTF8, "Hello World O'Neil 3rd X-Ray"},
        {"mcdonald's 2nd", CHARSET_UTF8, "Mcdonald'S 2nd"},
        {"", CHARSET_UTF8, ""},
        {"\xC3\xA9l\xC3\x88ve", CHARSET_UTF8, "\xC3\x89l\xC3\xA8ve"},                 // éLÈve -> Élève
        {"\xE4\xB8\xAD" "abc \xCE\xB1\xCE\x92", CHARSET_UTF8, "\xE4\xB8\xAD" "Abc \xCE\x91\xCE\xB2"}, // after U+4E2D a word starts
        {"\xFF" "abc", CHARSET_UTF8, "\xFF" "Abc"},                                   // and after an escape
        {"\xE9l\xC8ve \xFFx", latin1, "\xC9l\xE8ve \x1Fx"},                          // Ÿ has no byte in Latin-1
        {"word|MEANING of it", CHARSET_UTF8, "Word|Meaning Of It"},
    };
    for(const Case& c : cases)
        EXPECT_EQ(CapitalizeWords(c.text, c.charset), c.result) << c.text;
    EXPECT_TRUE(CapitalizeWords(nullptr, 0).IsEmpty());
    std::u16string units = u"\u00E9t\u00C9 x-ray\u4E2Dz";
    WString w = CapitalizeWords(WString(units.data(), (int)units.size()));
    EXPECT_EQ(std::u16string(w.begin(), w.end()), u"\u00C9t\u00E9 X-Ray\u4E2DZ");
}

TEST(CharsetCase, AsciiBaseAndCapitalAsciiLetter)
{
    ASSERT_EQ(DefaultCharset(), CHARSET_UTF8);
    struct Case {
        int ch;
        int capital;
    };
    const Case cases[] = {{0xE9, 'E'}, {0xDF, 'S'}, {0xD7, 0}, {0x131, 'D'}, {0x3A9, 0}, {'q', 'Q'}, {'Q', 'Q'},
                          {'7', '7'}, {0x4E2D, 0}};
    for(const Case& c : cases)
        EXPECT_EQ(CapitalAsciiLetter(c.ch), c.capital) << std::hex << c.ch;
    int latin2 = FindCharset("iso8859-2");
    EXPECT_EQ(AsciiBaseChar(0xA9, latin2), 'S');       // byte 0xA9 is Š in Latin-2
    EXPECT_EQ(AsciiBaseChar(0x100 + 0xA9, latin2), 'S'); // only the low byte counts
    EXPECT_EQ(AsciiBaseChar(0xE9, CHARSET_UTF8), 'e');
    EXPECT_EQ(AsciiBaseChar(0x1E00, CHARSET_UTF8), 0);
    EXPECT_EQ(AsciiBaseChar(0xB0, latin2), 0);          // °
    SetDefaultCharset(latin2);
    EXPECT_EQ(CapitalAsciiLetter(0xB9), 'S');           // š as a Latin-2 byte
    SetDefaultCharset(CHARSET_UTF8);
}

TEST(CharsetFilter, DigitValuesAndFilters)
{
    struct Hex {
        int c, value;
    };
    const Hex hex[] = {{'0', 0}, {'9', 9}, {'A', 10}, {'a', 10}, {'f', 15}, {'g', 16}, {'Z', 35}, {'z', 35},
                       {'!', -1}, {'/', -1}, {':', -1}, {'@', -1}, {'[', -1}, {'`', -1}, {'{', -1}, {0xE9, -1}};
    for(const Hex& h : hex)
        EXPECT_EQ(HexDigitValue(h.c), h.value) << h.c;

    struct Filter {
        CharFilter filter;
        const char* text;
        const char* result;
    };
    const Filter filters[] = {
        {CharFilterPrintable, "a\tb\x1F" "c\xE9", "abc\xE9"},
        {CharFilterDigit, "a1-2.3", "123"},
        {CharFilterInt, "+1-2.3e", "+1-23"},
        {CharFilterDouble, "-1,5e3.x E", "-1.5E3.E"},
        {CharFilterLowerAlnum, "ISO-8859_2 x\xC3\xA9", "iso88592x"},
    };
    for(const Filter& f : filters)
        EXPECT_EQ(FilterText(f.text, f.filter), f.result) << f.text;
    EXPECT_EQ(CharFilterPrintable(0xFFFF), 0xFFFF);
    EXPECT_EQ(CharFilterPrintable(0x10000), 0);
    EXPECT_EQ(CharFilterPrintable(0x1F), 0);
    EXPECT_TRUE(FilterText("", CharFilterDigit).IsEmpty());
}

TEST(CharFilterTest, UpperAsciiLetterGivesTheCapitalAsciiBase)
{
    struct Case {
        int c, result;
    } cases[] = {
        {'a', 'A'}, {'Z', 'Z'}, {'5', '5'}, {'.', '.'}, {'*', '*'}, {8, 8}, {13, 13}, {27, 27},
        {0xE9, 'E'},    // e acute
        {0xC7, 'C'},    // C cedilla
        {0x416, 0},     // Cyrillic capital zhe: no ASCII base
        {0x800, 0},     // beyond the character table
        {0x1FF52, 0},   // a special key code
    };
    for(const Case& c : cases)
        EXPECT_EQ(UpperAsciiLetter(c.c), c.result) << std::hex << c.c;
}
