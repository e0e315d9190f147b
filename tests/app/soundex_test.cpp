// Lorvane's phonetic code, row by row, and the byte rules behind it.
#include "app/word_match.h"

#include <gtest/gtest.h>

using namespace Qor;

TEST(Soundex, CodeTable)
{
    const struct { const char* text; const char* code; } cases[] = {
        { "Robert", "R163" }, { "Rupert", "R163" }, { "smith", "S530" }, { "Lloyd", "L430" },
        { "Pfister", "P123" }, { "Jackson", "J222" }, { "Ashcraft", "A226" },
        { "Tymczak", "T522" }, { "Abba", "A100" }, { "Lee", "L000" },
        { "mississippi", "M221" }, { "de la cruz", "D426" }, { "x-ray", "X600" },
        { "", "" }, { " \t\r\n", "" },
    };
    for(const auto& c : cases)
        EXPECT_EQ(Soundex(c.text), String(c.code)) << c.text;
}

TEST(Soundex, RunsOfEqualBytesCodeAlternately)
{
    EXPECT_EQ(Soundex("Bbbbb"), String("B110")); // 2nd and 4th coded, 3rd and 5th skipped
    EXPECT_EQ(Soundex("abab"), String("A110"));  // a letter between equals keeps both
    EXPECT_EQ(Soundex("  rob  "), Soundex("Rob"));
    EXPECT_EQ(Soundex("ckg"), String("C220"));   // neighbours with one digit each give it
}

TEST(Soundex, WorksOnBytes)
{
    // "é" is two bytes: the first is kept raw, the second gets no digit.
    String code = Soundex("\xc3\xa9mile");
    ASSERT_EQ(code.GetLength(), 4);
    EXPECT_EQ(code[0], 0xc3);
    EXPECT_EQ(code.Mid(1), String("540"));
}
