// UTF-8 decoding with byte escapes, encoding, and the decoded-length count.
#include "foundation/charset.h"
#include "foundation/string.h"
#include "foundation/wstring.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace Qor;

namespace {

std::vector<int> Units(const WString& w) { return std::vector<int>(w.begin(), w.end()); }

String Bytes(std::initializer_list<int> list)
{
    String s;
    for(int b : list)
        s.AppendChar(b);
    return s;
}

struct DecodeCase {
    const char* label;
    std::vector<int> bytes;
    std::vector<int> units;
    bool cut = false; // ends inside a sequence, so text after it would change the result
};

const DecodeCase decode_cases[] = {
    {"ascii", {'a', 'b'}, {'a', 'b'}},
    {"two bytes", {0xC3, 0xA9}, {0xE9}},
    {"lead before ascii", {0xC3, 0x28}, {0xEEC3, 0xEE28}},
    {"lead alone", {0xC3}, {0xEEC3}, true},
    {"lead before lead", {0xC3, 0xC3, 0xA9}, {0xEEC3, 0xEEC3, 0xEEA9}},
    {"euro", {0xE2, 0x82, 0xAC}, {0x20AC}},
    {"overlong three", {0xE0, 0x80, 0x80}, {0xEEE0, 0xEE80, 0xEE80}},
    {"escape range itself", {0xEE, 0xB8, 0x80}, {0xEEEE, 0xEEB8, 0xEE80}},
    {"surrogate accepted", {0xED, 0xA0, 0x80}, {0xD800}},
    {"four-byte form", {0xF0, 0x9F, 0x98, 0x80}, {0xEEF0, 0xEE9F, 0xEE98, 0xEE80}},
    {"three-byte lead before ascii", {0xE4, 0x41, 0x42}, {0xEEE4, 0xEE41, 0xEE42}},
    {"cut three-byte form", {0xE2, 0x82}, {0xEEE2, 0xEE82}, true},
    {"cut three-byte lead before ascii", {0xE2, 0x41}, {0xEEE2, 0xEE41}, true},
    {"stray continuation", {0x80, 'x'}, {0xEE80, 'x'}},
    {"overlong two-byte lead", {0xC0, 0xAF}, {0xEEC0, 0xEEAF}},
    {"ff", {0xFF}, {0xEEFF}},
    {"nul", {0, 'a', 0}, {0, 'a', 0}},
    {"last two-byte before ascii in the main loop", {0xC3, 'a', 'b', 'c', 'd', 'e', 'f'}, {0xEEC3, 0xEE61, 'b', 'c', 'd', 'e', 'f'}},
    {"mixed long", {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 0xC3, 0xA9, 'i', 0xE2, 0x82, 0xAC, 0xE2},
     {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 0xE9, 'i', 0x20AC, 0xEEE2}, true},
};

} // namespace

TEST(CharsetUtf8, DecodesByTheEscapeRules)
{
    for(const DecodeCase& c : decode_cases) {
        String s;
        for(int b : c.bytes)
            s.AppendChar(b);
        WString w = DecodeUtf8(s);
        EXPECT_EQ(Units(w), c.units) << c.label;
        EXPECT_EQ(Utf8DecodedLength(s.Begin(), s.GetLength()), (int)c.units.size()) << c.label;
        EXPECT_EQ(EncodeUtf8(w), s) << c.label;
        // The same bytes behind eight ASCII bytes run through the main loop.
        String longer = String("12345678") + s + "abcdefgh";
        std::vector<int> expected = {'1', '2', '3', '4', '5', '6', '7', '8'};
        expected.insert(expected.end(), c.units.begin(), c.units.end());
        for(char ch : std::string("abcdefgh"))
            expected.push_back(ch);
        if(!c.cut) {
            EXPECT_EQ(Units(DecodeUtf8(longer)), expected) << c.label;
        }
    }
}

TEST(CharsetUtf8, EncodesUnitsByRange)
{
    struct Case {
        std::vector<int> units;
        std::vector<int> bytes;
    };
    const Case cases[] = {
        {{'A'}, {'A'}},
        {{0xE9}, {0xC3, 0xA9}},
        {{0x7FF}, {0xDF, 0xBF}},
        {{0x800}, {0xE0, 0xA0, 0x80}},
        {{0x20AC}, {0xE2, 0x82, 0xAC}},
        {{0xEE00, 0xEEFF}, {0x00, 0xFF}},
        {{0xEDFF}, {0xEE, 0xB7, 0xBF}},
        {{0xD83D, 0xDE00}, {0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}},
        {{0xFFFF}, {0xEF, 0xBF, 0xBF}},
    };
    for(const Case& c : cases) {
        std::u16string units(c.units.begin(), c.units.end());
        String s = EncodeUtf8(units.data(), (int)units.size());
        std::vector<int> got;
        for(int i = 0; i < s.GetLength(); i++)
            got.push_back(s[i]);
        EXPECT_EQ(got, c.bytes);
        // Decoding gives the units back (a surrogate pair included), except
        // escapes of bytes that decode by themselves.
        if(c.units[0] != 0xEE00) {
            EXPECT_EQ(Units(DecodeUtf8(s)), c.units);
        }
    }
    EXPECT_EQ(EncodeUtf8(0x20AC), Bytes({0xE2, 0x82, 0xAC}));
    EXPECT_EQ(EncodeUtf8(0xEE41), "A");
    EXPECT_TRUE(EncodeUtf8(nullptr, 0).IsEmpty());
    EXPECT_EQ(DecodeUtf8("").GetLength(), 0);
    EXPECT_EQ(DecodeUtf8((const char*)nullptr).GetLength(), 0);
}

TEST(CharsetUtf8, RandomBytesSurviveARoundTrip)
{
    std::mt19937 rng(12345);
    for(int round = 0; round < 2000; round++) {
        int len = round < 1000 ? round % 40 : int(rng() % 700);
        String s;
        // Bias towards bytes that form (or nearly form) sequences.
        static const int pool[] = {0, 'a', 0x7F, 0x80, 0xBF, 0xC2, 0xC3, 0xDF, 0xE0, 0xE2, 0xED, 0xEE, 0xEF, 0xF0, 0xFF};
        for(int i = 0; i < len; i++)
            s.AppendChar(rng() % 2 ? int(rng() % 256) : pool[rng() % (sizeof(pool) / sizeof(pool[0]))]);
        WString w = DecodeUtf8(s);
        ASSERT_EQ(w.GetLength(), Utf8DecodedLength(s.Begin(), s.GetLength()));
        ASSERT_EQ(EncodeUtf8(w), s) << "round " << round;
    }
}

TEST(CharsetUtf8, DecodeTextAndEncodeTextFollowTheDefault)
{
    ASSERT_EQ(DefaultCharset(), CHARSET_UTF8);
    String s = Bytes({'x', 0xC3, 0xA9, 0xFF});
    EXPECT_EQ(Units(DecodeText(s)), (std::vector<int>{'x', 0xE9, 0xEEFF}));
    EXPECT_EQ(EncodeText(DecodeText(s)), s);
    // In UTF-8 the substitute plays no part.
    std::u16string units = u"\u4E2D\u001F";
    EXPECT_EQ(EncodeText(units.data(), 2, CHARSET_UTF8, '?'), Bytes({0xE4, 0xB8, 0xAD, 0x1F}));
}
