// SplitText with its three separator forms, DurationText, the hex forms and
// the conversions at the operating-system boundary.
#include "foundation/charset.h"
#include "foundation/system_text.h"
#include "foundation/text_hex.h"
#include "foundation/text_split.h"
#include "foundation/text_utils.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

using namespace Qor;

namespace {

std::vector<std::string> Pieces(const Vector<String>& v)
{
    std::vector<std::string> out;
    for(const String& s : v)
        out.emplace_back(s.Begin(), s.GetLength());
    return out;
}

using Strings = std::vector<std::string>;

int IsSlash(int c) { return c == '/' || c == '\\'; }

} // namespace

TEST(SplitText, AtCharacter)
{
    struct Case {
        const char* text;
        int separator;
        bool ignore_empty;
        Strings want;
    } cases[] = {
        {"a,,b,", ',', false, {"a", "", "b", ""}},
        {"a,,b,", ',', true, {"a", "b"}},
        {"", ',', false, {""}},
        {"", ',', true, {}},
        {",", ',', false, {"", ""}},
        {",a", ',', true, {"a"}},
        {"no separator", ',', false, {"no separator"}},
        {" a b ", ' ', false, {"", "a", "b", ""}}, // no trimming
        {"x\x7Fy", 0x7F, true, {"x", "y"}},
        // Bytes compare as signed chars: 0xFF never equals 255.
        {"a\xFF" "b", 0xFF, false, {"a\xFF" "b"}},
        {"a\xFF" "b\xFF", -1, false, {"a", "b", ""}},
        {"a,b", 0, false, {"a,b"}},
        {"a,b", ',' + 256, false, {"a,b"}},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + (c.ignore_empty ? " ignoring empty" : ""));
        EXPECT_EQ(Pieces(SplitText(c.text, c.separator, c.ignore_empty)), c.want);
    }
}

TEST(SplitText, AtDelimiter)
{
    struct Case {
        const char* text;
        const char* delimiter;
        bool ignore_empty;
        Strings want;
    } cases[] = {
        {"a::b:::c", "::", true, {"a", "b", ":c"}},
        {"a::b:::c", "::", false, {"a", "b", ":c"}},
        {"::a::", "::", false, {"", "a", ""}},
        {"a::b", "", false, {"a::b"}},
        {"a:", "::", false, {"a:"}}, // a partial delimiter at the end is text
        {"one\ntwo\n\nthree", "\n", true, {"one", "two", "three"}},
        {"k|v|", "|", false, {"k", "v", ""}},
        {"aaa", "aa", false, {"", "a"}},      // found left to right, without overlap
        {"a-b-c", "b-c", false, {"a-", ""}},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " at " + c.delimiter);
        EXPECT_EQ(Pieces(SplitText(c.text, String(c.delimiter), c.ignore_empty)), c.want);
    }
}

TEST(SplitText, WithTextTests)
{
    CharFilterTextTest slashes(IsSlash);
    EXPECT_EQ(Pieces(SplitText("/usr\\local//bin/", slashes, true)), (Strings{"usr", "local", "bin"}));
    EXPECT_EQ(Pieces(SplitText("/a", slashes, false)), (Strings{"", "a"}));

    StringSplit split(String("--"));
    EXPECT_STREQ(split.Find("--x"), "x");
    EXPECT_EQ(split.Find("-x"), nullptr);
    EXPECT_EQ(split.Find("-"), nullptr);
    EXPECT_EQ(Pieces(SplitText("a\n", String("\n\0x", 3), false)), (Strings{"a\n"}));
    StringSplit never(String(""));
    EXPECT_EQ(never.Find("abc"), nullptr);
    EXPECT_EQ(slashes.Find("x/"), nullptr);

    // A separator test may consume more than one byte.
    struct CrLf : TextTest {
        const char* Find(const char* p) const override
        {
            if(*p == '\r' && p[1] == '\n')
                return p + 2;
            return *p == '\n' ? p + 1 : nullptr;
        }
    } lines;
    EXPECT_EQ(Pieces(SplitText("a\r\nb\nc\r", lines, false)), (Strings{"a", "b", "c\r"}));
}

TEST(DurationText, ChoosesUnit)
{
    struct Case {
        double seconds;
        const char* want;
    } cases[] = {
        {0.5, "500.00 ms"},
        {2, " 2.00 s "},
        {0.00002, "20.00 us"},
        {1.5e-7, "150.00 ns"},
        {0, " 0.00 ns"},
        {-1, "-1000000000.00 ns"}, // negative values take the first case
        {1, " 1.00 s "},
        {0.001, " 1.00 ms"},
        {1e-6, " 1.00 us"},
        {125.456, "125.46 s "},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(DurationText(c.seconds), c.want);
    }
}

TEST(HexText, Encode)
{
    const byte data[] = {0x00, 0xFF, 0x1A, 0x7E, 0x80};
    struct Case {
        int length, group, separator;
        const char* want;
    } cases[] = {
        {3, 0x7FFFFFFF, ' ', "00ff1a"},
        {3, 2, ' ', "00ff 1a"},
        {4, 2, ' ', "00ff 1a7e"}, // no separator after the last group
        {5, 1, ':', "00:ff:1a:7e:80"},
        {1, 1, ':', "00"},
        {0, 1, ':', ""},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.want);
        String s = HexEncode(data, c.length, c.group, c.separator);
        EXPECT_EQ(s, c.want);
        EXPECT_EQ(s.GetLength(), c.length ? 2 * c.length + (c.length - 1) / c.group : 0);
    }
    EXPECT_EQ(HexEncode(String("\x01\xAB", 2), 1), "01 ab");
    EXPECT_EQ(HexEncode(String("\x01\xAB", 2)), "01ab");
    EXPECT_EQ(HexEncode(String()), "");
    String long_data(std::string(300, '\xC3').c_str());
    EXPECT_EQ(HexEncode(long_data).GetLength(), 600);
}

TEST(HexText, Decode)
{
    struct Case {
        const char* text;
        std::string want;
    } cases[] = {
        {"0A-ff 1", "\x0A\xFF"},
        {"0A-ff 1 ", std::string("\x0A\xFF\x01")},
        {"1 2", "\x12"},
        {"DeadBeef", "\xDE\xAD\xBE\xEF"},
        {"", ""},
        {"xyz", ""},
        {"7", ""},
        {"7g", "\x07"},
        {"00", std::string(1, '\0')},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.text);
        String s = HexDecode(c.text, c.text + std::strlen(c.text));
        EXPECT_EQ(std::string(s.Begin(), s.GetLength()), c.want);
    }
    // Only the given range is read.
    const char* text = "abcd";
    String s = HexDecode(text, text + 2);
    EXPECT_EQ(std::string(s.Begin(), s.GetLength()), "\xAB");
    // Round trip.
    const byte data[] = {0, 1, 0x10, 0x7F, 0x80, 0xFE, 0xFF};
    String hex = HexEncode(data, 7, 3, '-');
    String back = HexDecode(hex);
    EXPECT_EQ(std::string(back.Begin(), back.GetLength()), std::string((const char*)data, 7));
}

// The boundary conversions follow the active flag and the system charset.
class SystemText : public ::testing::Test {
protected:
    void TearDown() override
    {
        SetSystemTextActive(false);
        SetSystemCharset(-1);
        SetDefaultCharset(CHARSET_UTF8);
    }
};

TEST_F(SystemText, UnchangedWhileInactive)
{
    SetSystemCharset(FindCharset("iso8859-1"));
    String text("a\x1F\xE2\x82\xAC");
    EXPECT_EQ(ToSystemText(text), text);
    EXPECT_EQ(FromSystemText(text), text);
    EXPECT_EQ(SystemErrorText(ENOENT), std::strerror(ENOENT));
}

TEST_F(SystemText, ConvertsWhileActive)
{
    SetSystemCharset(FindCharset("iso8859-1"));
    SetSystemTextActive(true);
    struct Case {
        std::string text, to_system;
    } cases[] = {
        {"a\xE2\x82\xAC" "b", "a_b"},      // no euro in the system charset
        {"\xC3\xA9t\xC3\xA9", "\xE9t\xE9"},
        {"plain/path", "plain/path"},
        {std::string("ab\0cd", 5), "ab"}, // the system reads up to the first NUL
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.text);
        String s = ToSystemText(String(c.text.data(), (int)c.text.size()));
        EXPECT_EQ(std::string(s.Begin(), s.GetLength()), c.to_system);
    }
    EXPECT_EQ(FromSystemText("\xE9t\xE9"), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(SystemErrorText(ENOENT), std::strerror(ENOENT));
}

TEST_F(SystemText, SameCharsetStillShowsUnmapped)
{
    SetSystemCharset(-1);
    EXPECT_EQ(SystemCharset(), CHARSET_UTF8);
    SetSystemTextActive(true);
    EXPECT_EQ(ToSystemText("x\x1Fy"), "x_y");
    EXPECT_EQ(FromSystemText("x\x1Fy"), "x_y");

    // An 8-bit default charset meeting a UTF-8 system.
    SetDefaultCharset(FindCharset("iso8859-1"));
    EXPECT_EQ(ToSystemText("\xE9"), "\xC3\xA9");
    EXPECT_EQ(FromSystemText("\xE2\x82\xAC\xC3\xA9"), "_\xE9");
}
