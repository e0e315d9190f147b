// Position queries of one paragraph: carets, the position under a point and what stands at
// a position, on the pages where painting puts the lines.

#include "richtext/layout/page_position.h"
#include "richtext/text/rich_text.h"
#include "tests/richtext/layout/layout_support.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace Qor {
namespace {

using QorTest::Advance;
using QorTest::FontHeight;
using QorTest::Para;
using QorTest::TestFont;

TEST(ParagraphQueries, CaretOfEveryPositionOfTwoLines)
{
    int h = FontHeight();
    int asc = TestFont().GetAscent();
    int desc = TestFont().GetDescent();
    int ext = TestFont().GetMetrics().external_leading;
    int width = Advance(u"ab c");
    Rect page(100, 50, 100 + width, 5000);
    UnpackedParagraph p = Para(u"ab cd"); // "ab " and "cd"
    struct Case {
        int pos;
        int left, right, top, line;
    } cases[] = {
        { 0, 0, Advance(u"a"), 0, 0 },
        { 1, Advance(u"a"), Advance(u"ab"), 0, 0 },
        { 2, Advance(u"ab"), Advance(u"ab "), 0, 0 },
        { 3, 0, Advance(u"c"), h, 1 },
        { 4, Advance(u"c"), Advance(u"cd"), h, 1 },
    };
    for(const Case& c : cases) {
        CaretInfo ci = p.GetCaret(c.pos, page, PagePosition(0, 50), 0, 0);
        EXPECT_EQ(ci.left, 100 + c.left) << c.pos;
        EXPECT_EQ(ci.right, 100 + c.right) << c.pos;
        EXPECT_EQ(ci.top, 50 + c.top) << c.pos;
        EXPECT_EQ(ci.bottom, 50 + c.top + h) << c.pos;
        EXPECT_EQ(ci.line, c.line) << c.pos;
        EXPECT_EQ(ci.page, 0) << c.pos;
        EXPECT_EQ(ci.line_ascent, asc) << c.pos;
        EXPECT_EQ(ci.ascent, asc) << c.pos;
        EXPECT_EQ(ci.descent, std::min(desc + ext, desc)) << c.pos;
    }
    // The end of the paragraph spans from the end of the last line to the right edge.
    for(int pos : { 5, 99 }) {
        CaretInfo end = p.GetCaret(pos, page, PagePosition(0, 50), 0, 0);
        EXPECT_EQ(end.left, 100 + Advance(u"cd"));
        EXPECT_EQ(end.right, page.right);
        EXPECT_EQ(end.top, 50 + h);
        EXPECT_EQ(end.bottom, 50 + 2 * h);
        EXPECT_EQ(end.line, 1);
    }
    // On a page that holds one line the second line's caret is on the next page.
    UnpackedParagraph q = Para(u"ab cd");
    q.format.orphan = true;
    CaretInfo moved = q.GetCaret(3, Rect(0, 10, width, 10 + h + h / 2), PagePosition(0, 10), 0, 0);
    EXPECT_EQ(moved.page, 1);
    EXPECT_EQ(moved.top, 10);
}

TEST(ParagraphQueries, CaretTakesTheMetricsOfThePrecedingCharacter)
{
    UnpackedParagraph p = Para(u"a");
    CharacterFormat big;
    big.font = Font(Font::SANSSERIF, 300);
    p.CatText(WString(u"b"), big);
    EmbeddedObject o;
    o.ReadObject("test object", "o", Size(50, 120));
    o.SetYDelta(30);
    p.CatObject(o, CharacterFormat());
    Rect page(0, 0, 10000, 10000);
    CaretInfo at_b = p.GetCaret(1, page, PagePosition(0, 0), 0, 0);
    EXPECT_EQ(at_b.ascent, TestFont().GetAscent());
    CaretInfo after_b = p.GetCaret(2, page, PagePosition(0, 0), 0, 0);
    EXPECT_EQ(after_b.ascent, big.font.GetAscent());
    EXPECT_EQ(after_b.object_ydelta, 30);
    EXPECT_EQ(after_b.object_top, 120);
    EXPECT_EQ(after_b.right - after_b.left, 50);
    EXPECT_EQ(at_b.object_top, 0);
}

TEST(ParagraphQueries, PositionAtAPoint)
{
    int h = FontHeight();
    int width = Advance(u"ab c");
    Rect page(100, 50, 100 + width, 5000);
    UnpackedParagraph p = Para(u"ab cd");
    struct Case {
        const char* name;
        int x;
        PagePosition point;
        int pos;
    } cases[] = {
        { "first character", 100, { 0, 50 }, 0 },
        { "just before the end of a", 100 + Advance(u"a") - 1, { 0, 60 }, 0 },
        { "at the end of a", 100 + Advance(u"a"), { 0, 60 }, 1 },
        { "left of the text", 0, { 0, 60 }, 0 },
        { "right of a broken line: its break space", 100000, { 0, 60 }, 2 },
        { "second line", 100 + Advance(u"c"), { 0, 50 + h }, 4 },
        { "right of the last line: the end", 100000, { 0, 50 + h }, 5 },
        { "below the last line", 100 + Advance(u"c") - 1, { 0, 4000 }, 3 },
        { "a later page", 100, { 3, 0 }, 3 },
        { "an earlier page", 100000, { -1, 0 }, 2 },
    };
    for(const Case& c : cases)
        EXPECT_EQ(p.PositionAt(c.x, c.point, page, PagePosition(0, 50), 0, 0), c.pos) << c.name;
    // An empty paragraph answers its end.
    EXPECT_EQ(Para(u"").PositionAt(500, PagePosition(0, 0), page, PagePosition(0, 50), 0, 0), 0);
}

TEST(ParagraphQueries, DescribePositionTellsCharacterObjectFieldAndEnd)
{
    UnpackedParagraph p = Para(u"ab");
    p.format.lm = 77;
    EmbeddedObject o;
    o.ReadObject("test object", "o", Size(50, 120));
    CharacterFormat of;
    of.ink = Color(1, 2, 3);
    p.CatObject(o, of);
    ParagraphPart& field = p.AddPart();
    field.field = "PAGE";
    field.field_param = "param";
    field.format.ink = Color(4, 5, 6);
    RichPositionInfo empty_field;
    p.DescribePosition(empty_field, 3);
    EXPECT_EQ(empty_field.char_format.ink, Color(4, 5, 6)); // a field without parts: its own format
    field.field_part.Add().format.ink = Color(7, 8, 9);

    RichPositionInfo text, object, fld, end;
    p.DescribePosition(text, 1);
    EXPECT_EQ(text.chr, 'b');
    EXPECT_EQ(text.format.lm, 77);
    EXPECT_EQ(text.char_format.font, TestFont());
    p.DescribePosition(object, 2);
    EXPECT_EQ(object.chr, -1);
    EXPECT_EQ(object.char_format.ink, Color(1, 2, 3));
    EXPECT_EQ(object.object.GetSerial(), o.GetSerial());
    p.DescribePosition(fld, 3);
    EXPECT_EQ(fld.chr, -2);
    EXPECT_EQ(fld.field, "PAGE");
    EXPECT_EQ(fld.field_param, "param");
    EXPECT_EQ(fld.char_format.ink, Color(7, 8, 9));
    p.DescribePosition(end, 4);
    EXPECT_EQ(end.chr, '\n');
    EXPECT_EQ(end.format.lm, 77);
}

} // namespace
} // namespace Qor
