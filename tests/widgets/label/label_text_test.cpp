// Caption text: sizes of plain and rich captions, and which character the painter
// underlines for an access key taken from the caption, translated captions included.
#include "widgets/label/label_text.h"

#include "draw/text/text.h"
#include "foundation/charset.h"
#include "widgets/label/access_key.h"

#include <gtest/gtest.h>
#include "tests/draw/support/recording_draw.h"
#include "tests/support/printers.h"
#include "tests/widgets/label/label_checks.h"

#include <cstdlib>
#include <cstring>

using namespace Qor;
using QorTest::RecordingDraw;

namespace {

TEST(LabelTextTest, PlainSizeIsTheMultilineSize)
{
    Font f = GetStandardFontReference();
    for(const char* text : { "", "One", "Two\nlines", "Tab\tstop", "Žluťoučký kůň" }) {
        WString w = DecodeText(text, (int)std::strlen(text));
        EXPECT_EQ(GetLabelTextSize(text, f, 1), GetMultilineTextSize(w.Begin(), f)) << text;
    }
}

TEST(LabelTextTest, RichSizeIsLimitedByTheWidth)
{
    Font f = GetStandardFontReference();
    Size natural = GetLabelTextSize("\1Some rich words", f, 100000);
    ASSERT_GT(natural.cx, 20);
    EXPECT_GT(natural.cy, 0);
    Size narrow = GetLabelTextSize("\1Some rich words", f, natural.cx / 2);
    EXPECT_EQ(narrow.cx, natural.cx / 2);
    EXPECT_GT(narrow.cy, natural.cy) << "wrapped onto more lines";
}

// Draws the caption with the key its marks give and returns the underlined text and where it
// stands: its line and its x relative to the line's start.
struct Underlined {
    std::string text;
    int x = -1;
    int line = -1;
};

Underlined DrawCaption(const char* marked)
{
    String cleaned;
    int key = ExtractAccessKey(marked, cleaned);
    Font f = GetStandardFontReference();
    RecordingDraw w;
    DrawLabelText(w, 0, 0, 1000, cleaned, f, Color(0, 0, 0), key);
    Underlined u;
    int h = f.GetMetrics().height;
    for(const std::string& line : w.log) {
        if(!QorTest::IsUnderlinedRun(line))
            continue;
        int x, y;
        char text[32] = "";
        std::sscanf(line.c_str(), "DrawTextRun(%d, %d, 0, \"%31[^\"]\"", &x, &y, text);
        u.text += text;
        u.x = x;
        u.line = h ? y / h : 0;
    }
    return u;
}

TEST(LabelTextTest, UnderlinesTheMarkedCharacter)
{
    Font f = GetStandardFontReference();
    auto width = [&](const char* s) {
        WString w = DecodeText(s, (int)std::strlen(s));
        return GetTextSize(w.Begin(), f, w.GetLength()).cx;
    };
    struct Case {
        const char* marked;
        const char* underlined;
        int line;
        const char* before; // the text left of it on its line
    } cases[] = {
        { "&Open", "O", 0, "" },
        { "No&no", "n", 0, "No" },                     // the marked n, not the first N
        { "Öffne&n", "n", 0, "Öffne" },                // two-byte letters before the mark
        { "Ž&lutý žlu&ť", "\\u0165", 0, "Žlutý žlu" }, // the last mark, itself two bytes
        { "Line\nLi&ne", "n", 1, "Li" },               // on the second line, not the first
        { "Löschen\nLös&chen", "c", 1, "Lös" },
    };
    for(const Case& c : cases) {
        Underlined u = DrawCaption(c.marked);
        EXPECT_EQ(u.text, c.underlined) << c.marked;
        EXPECT_EQ(u.line, c.line) << c.marked;
        EXPECT_EQ(u.x, width(c.before)) << c.marked;
    }
}

TEST(LabelTextTest, KeyWithoutPositionUnderlinesTheFirstMatch)
{
    Font f = GetStandardFontReference();
    RecordingDraw w;
    DrawLabelText(w, 0, 0, 1000, "tree\nSet", f, Color(0, 0, 0), 'E');
    int count = 0;
    for(const std::string& line : w.log)
        if(QorTest::IsUnderlinedRun(line)) {
            count++;
            EXPECT_NE(line.find("\"e\""), std::string::npos) << line;
        }
    EXPECT_EQ(count, 1);
}

TEST(LabelTextTest, RichCaptionCarriesItsOwnFormatAndUnderlinesTheMarkedLetter)
{
    String cleaned;
    int key = ExtractAccessKey("\1[* Op\ben]", cleaned);
    RecordingDraw w;
    DrawLabelText(w, 5, 7, 200, cleaned, GetStandardFontReference(), Color(255, 0, 0), key);
    std::string drawn, underlined;
    for(const std::string& line : w.log) {
        char text[32] = "";
        if(std::sscanf(line.c_str(), "DrawTextRun(%*d, %*d, 0, \"%31[^\"]\"", text) != 1)
            continue;
        drawn += text;
        if(QorTest::IsUnderlinedRun(line))
            underlined += text;
        EXPECT_EQ(line.find("#ff0000"), std::string::npos) << "the markup's ink, not the given one: " << line;
    }
    EXPECT_EQ(drawn, "Open");
    EXPECT_EQ(underlined, "e");
}

} // namespace
