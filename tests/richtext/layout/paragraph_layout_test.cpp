// Paragraph layout: line breaking, hanging spaces, alignment, indents, justification and
// the bounds of pathological paragraphs, measured against the font's own advances.

#include "tests/richtext/layout/layout_support.h"

#include <climits>
#include <string>

#include <gtest/gtest.h>

namespace Qor {
namespace {

using QorTest::Advance;
using QorTest::FontHeight;
using QorTest::LineText;
using QorTest::Para;
using QorTest::TestFont;

// Every character lies on exactly one line, lines in order, and the text positions chain.
void ExpectWellFormed(const ParagraphLines& l)
{
    ASSERT_GE(l.GetCount(), 1);
    int next = 0;
    int pos = 0;
    for(int i = 0; i < l.GetCount(); i++) {
        EXPECT_EQ(l[i].start, next) << i;
        EXPECT_GE(l[i].count, 0) << i;
        EXPECT_EQ(l[i].pos, pos) << i;
        EXPECT_GE(l[i].len, 0) << i;
        next += l[i].count;
        pos += l[i].len;
    }
    EXPECT_EQ(next, l.clen);
    EXPECT_EQ(pos, l.len);
}

TEST(ParagraphLayout, BreaksAfterTheLastSpaceWhichHangsOverTheMargin)
{
    UnpackedParagraph p = Para(u"aa bb cc");
    ParagraphLines l = p.LayOutLines(Advance(u"aa bb") + 1);
    ExpectWellFormed(l);
    ASSERT_EQ(l.GetCount(), 2);
    EXPECT_EQ(LineText(l, 0), u"aa bb ");
    EXPECT_EQ(l[0].cx, Advance(u"aa bb")); // the space at the break is not counted
    EXPECT_EQ(l[0].len, 6);
    EXPECT_EQ(LineText(l, 1), u"cc");
    EXPECT_EQ(l[1].pos, 6);
    EXPECT_EQ(l[1].cx, Advance(u"cc"));

    // The last line keeps its trailing spaces.
    ParagraphLines t = Para(u"aa  ").LayOutLines(INT_MAX);
    ASSERT_EQ(t.GetCount(), 1);
    EXPECT_EQ(t[0].cx, Advance(u"aa  "));
}

TEST(ParagraphLayout, WordLongerThanTheWidthBreaksBeforeTheFirstCharacterThatDoesNotFit)
{
    int a = TestFont().GetCharWidth('a');
    struct Case {
        int width;
        std::vector<int> counts;
    } cases[] = {
        { 3 * a + a / 2, { 3, 3, 2 } }, // no space: broken inside the word
        { a, { 1, 1, 1, 1, 1, 1, 1, 1 } },
        { 1, { 1, 1, 1, 1, 1, 1, 1, 1 } }, // the first character of a line is always taken
        { 0, { 1, 1, 1, 1, 1, 1, 1, 1 } },
        { -500, { 1, 1, 1, 1, 1, 1, 1, 1 } },
    };
    for(const Case& c : cases) {
        ParagraphLines l = Para(u"aaaaaaaa").LayOutLines(c.width);
        ExpectWellFormed(l);
        ASSERT_EQ(l.GetCount(), (int)c.counts.size()) << c.width;
        for(int i = 0; i < l.GetCount(); i++)
            EXPECT_EQ(l[i].count, c.counts[i]) << c.width << " line " << i;
    }
}

TEST(ParagraphLayout, NoBreakSpaceIsNoBreakOpportunity)
{
    int width = Advance(u"aa\u00A0a");
    ParagraphLines nb = Para(u"aa\u00A0aa").LayOutLines(width);
    ASSERT_EQ(nb.GetCount(), 2);
    EXPECT_EQ(LineText(nb, 0), u"aa\u00A0a");
    ParagraphLines sp = Para(u"aa aa").LayOutLines(Advance(u"aa a"));
    ASSERT_EQ(sp.GetCount(), 2);
    EXPECT_EQ(LineText(sp, 0), u"aa ");
}

TEST(ParagraphLayout, AlignmentAndIndentsPlaceLines)
{
    struct Case {
        int align, bullet, numbered;
        int off0, off1; // offsets of the first and of later lines for an indent of 300
    } cases[] = {
        { ParagraphFormat::ALIGN_LEFT, 0, 0, 300, 0 }, // the indent applies to the first line only
        { ParagraphFormat::ALIGN_LEFT, ParagraphFormat::BULLET_DISC, 0, 300, 300 }, // hanging indents
        { ParagraphFormat::ALIGN_LEFT, 0, 1, 300, 300 },
        { ParagraphFormat::ALIGN_LEFT, ParagraphFormat::BULLET_TEXT, 0, 0, 300 },
        { ParagraphFormat::ALIGN_RIGHT, 0, 0, 300, 0 },
        { ParagraphFormat::ALIGN_CENTER, 0, 0, 300, 0 },
        { ParagraphFormat::ALIGN_JUSTIFY, 0, 0, 300, 0 },
    };
    const int lm = 100, rm = 200;
    const int avail = 300 + Advance(u"aa");
    const int width = lm + rm + avail;
    for(const Case& c : cases) {
        ParagraphFormat f;
        f.align = c.align;
        f.bullet = c.bullet;
        f.number[0] = (uint8)c.numbered;
        f.indent = 300;
        f.lm = lm;
        f.rm = rm;
        ParagraphLines l = Para(u"aa aa aa aa", f).LayOutLines(width);
        ExpectWellFormed(l);
        ASSERT_GE(l.GetCount(), 2);
        EXPECT_EQ(l.first_indent, c.off0);
        EXPECT_EQ(l.next_indent, c.off1);
        for(int i = 0; i < l.GetCount(); i++) {
            int off = i ? c.off1 : c.off0;
            int x = c.align == ParagraphFormat::ALIGN_RIGHT    ? width - rm - l[i].cx
                    : c.align == ParagraphFormat::ALIGN_CENTER ? lm + off + (avail - off - l[i].cx) / 2
                                                               : lm + off;
            EXPECT_EQ(l[i].xpos, x) << "align " << c.align << " bullet " << c.bullet << " line " << i;
        }
    }
}

TEST(ParagraphLayout, JustifyWidensSpacesOfEveryLineButTheLast)
{
    ParagraphFormat f;
    f.align = ParagraphFormat::ALIGN_JUSTIFY;
    f.lm = 50;
    f.rm = 70;
    f.indent = 30;
    int avail = Advance(u"aa\u00A0b b cc") + 80;
    int width = avail + 120;
    UnpackedParagraph p = Para(u"aa\u00A0b b cc dd", f);
    ParagraphLines l = p.LayOutLines(width);
    ASSERT_EQ(l.GetCount(), 2);
    EXPECT_EQ(LineText(l, 0), u"aa\u00A0b b cc ");
    Vector<int> before = l.width_of;
    l.Justify(p.format);
    EXPECT_TRUE(l.justified);
    // The first line now reaches the right margin: its spaces, the no-break one included,
    // took up the rest; the hanging space is left alone.
    int sum = 0;
    for(int q = 0; q < l[0].count - 1; q++)
        sum += l.width_of[q];
    EXPECT_LE(sum, avail - 30);
    EXPECT_GE(sum, avail - 30 - 3);      // rounding loses less than a dot per space
    EXPECT_GT(l.width_of[2], before[2]); // the no-break space
    EXPECT_GT(l.width_of[4], before[4]);
    EXPECT_GT(l.width_of[6], before[6]);
    EXPECT_EQ(l.width_of[9], before[9]); // the space the line broke at
    for(int q : { 0, 1, 3, 5, 7, 8, 9, 10, 11 })
        EXPECT_EQ(l.width_of[q], before[q]) << q;
    EXPECT_EQ(l[0].cx, Advance(u"aa\u00A0b b cc")); // x and width stay
    // Once per record.
    Vector<int> once = l.width_of;
    l.Justify(p.format);
    EXPECT_EQ(l.width_of, once);

    // Other alignments and lines with tabs are left as they are.
    f.align = ParagraphFormat::ALIGN_LEFT;
    ParagraphLines left = Para(u"aa\u00A0b b cc dd", f).LayOutLines(width);
    left.Justify(f);
    EXPECT_EQ(left.width_of, before);
    f.align = ParagraphFormat::ALIGN_JUSTIFY;
    f.tab_size = 10;
    ParagraphLines tabbed = Para(u"a\tb cc dd ee ff gg", f).LayOutLines(width);
    ASSERT_GE(tabbed.GetCount(), 2);
    EXPECT_TRUE(tabbed[0].with_tabs);
    Vector<int> t = tabbed.width_of;
    tabbed.Justify(f);
    for(int q = 0; q < tabbed[0].count; q++)
        EXPECT_EQ(tabbed.width_of[q], t[q]) << q;
}

TEST(ParagraphLayout, LineSpacingScalesAscentAndDescent)
{
    const FontMetrics m = TestFont().GetMetrics();
    struct Case {
        int spacing, ascent, descent;
    } cases[] = {
        { ParagraphFormat::LINE_SINGLE, m.ascent, m.descent },
        { ParagraphFormat::LINE_ONE_AND_HALF, m.ascent * 3 >> 1, m.descent * 3 >> 1 },
        { ParagraphFormat::LINE_DOUBLE, m.ascent * 2, m.descent * 2 },
    };
    for(const Case& c : cases) {
        ParagraphFormat f;
        f.line_spacing = c.spacing;
        ParagraphLines l = Para(u"ab", f).LayOutLines(10000);
        ASSERT_EQ(l.GetCount(), 1);
        EXPECT_EQ(l[0].ascent, c.ascent);
        EXPECT_EQ(l[0].descent, c.descent);
        EXPECT_EQ(l[0].external, m.external_leading);
        // An empty paragraph is as high as its font whatever the spacing.
        ParagraphLines e = Para(u"", f).LayOutLines(10000);
        ASSERT_EQ(e.GetCount(), 1);
        EXPECT_EQ(e[0].count, 0);
        EXPECT_EQ(e.GetHeight(), FontHeight());
        EXPECT_EQ(e[0].len, 0);
    }
}

TEST(ParagraphLayout, CharactersOfCapitalsScriptsObjectsAndFields)
{
    UnpackedParagraph p;
    p.format.font = TestFont();
    CharacterFormat caps;
    caps.font = TestFont();
    caps.capitals = true;
    p.CatText(WString(u"aB"), caps);
    CharacterFormat sup;
    sup.font = TestFont();
    sup.script = CharacterFormat::SUPERSCRIPT;
    p.CatText(WString(u"c"), sup);
    EmbeddedObject o;
    o.ReadObject("test object", "o", Size(321, 200));
    o.SetYDelta(40);
    p.CatObject(o, CharacterFormat());
    ParagraphPart& field = p.AddPart();
    field.field = "F";
    field.field_part.Add().text = WString(u"xy");
    field.field_part[0].format.font = TestFont();
    p.CatText(WString(u"\t"), CharacterFormat());

    EXPECT_EQ(CountDisplayedCharacters(p.part), 7);
    ParagraphLines l = p.LayOutLines(100000);
    ASSERT_EQ(l.clen, 7);
    EXPECT_EQ(l.len, 6);
    const char16_t codes[] = { u'A', u'B', u'c', u'x', u'x', u'y' };
    for(int i = 0; i < 6; i++)
        EXPECT_EQ(l.text[i], codes[i]) << i;
    const int positions[] = { 0, 1, 2, 3, 4, 4, 5 };
    for(int i = 0; i < 7; i++)
        EXPECT_EQ(l.pos[i], positions[i]) << i;

    Font small = Font(TestFont()).Height(80);
    EXPECT_EQ(l.width_of[0], small.GetCharWidth('A'));
    EXPECT_EQ(l.Metrics(0).ascent, small.GetAscent());
    EXPECT_EQ(l.Format(0)->font.GetHeight(), 80);
    EXPECT_EQ(l.width_of[1], TestFont().GetCharWidth('B'));
    EXPECT_EQ(l.Format(1)->font.GetHeight(), 100);
    // Superscript is measured at three fifths, but stands as high as the full font.
    EXPECT_EQ(l.width_of[2], Font(TestFont()).Height(60).GetCharWidth('c'));
    EXPECT_EQ(l.Metrics(2).ascent, TestFont().GetAscent());
    EXPECT_EQ(l.width_of[3], 321);
    EXPECT_EQ(l.Metrics(3).ascent, 160);
    EXPECT_EQ(l.Metrics(3).descent, 40);
    EXPECT_EQ(l.Metrics(3).ydelta, 40);
    ASSERT_NE(l.Metrics(3).object, nullptr);
    EXPECT_EQ(l.Metrics(3).object->GetSize(), Size(321, 200));
    EXPECT_EQ(l.Format(4), l.Format(5)); // a part's characters share one copy
    // The tab is as high as the paragraph's own font, not its run's (the default font).
    EXPECT_EQ(l.Metrics(6).ascent, TestFont().GetAscent());
    EXPECT_EQ(l.text[6], 9);
}

TEST(ParagraphLayout, PathologicalParagraphsEndInBoundedLayouts)
{
    struct Case {
        const char* name;
        int width, lm, rm, indent, bullet, tab_size;
        int32 stop;
    } cases[] = {
        { "zero width", 0, 0, 0, 0, 0, 296, 0 },
        { "negative width", -1000, 0, 0, 0, 0, 296, 0 },
        { "no wrap", INT_MAX, 0, 0, 0, 0, 296, 0 },
        { "huge margins", INT_MAX, INT_MAX, INT_MAX, 0, 0, 296, 0 },
        { "negative margins", 1000, INT_MIN, INT_MIN, INT_MIN, 1, 296, 0 },
        { "huge indent", 1000, 0, 0, INT_MAX, 1, 296, 0 },
        { "huge text bullet indent", INT_MAX, INT_MAX, 0, INT_MAX, 5, 296, 0 },
        { "huge tab size", 1000, 0, 0, 0, 0, INT_MAX, 0 },
        { "huge tab size no wrap", INT_MAX, 0, 0, 0, 0, INT_MAX, 0 },
        { "negative tab size", 1000, 0, 0, 0, 0, INT_MIN, 0 },
        { "zero tab size", 1000, 0, 0, 0, 0, 0, 0 },
        { "stop at INT_MAX", INT_MAX, 0, 0, 0, 0, 296, INT_MAX },
        { "stop at INT_MIN", 1000, 0, 0, 0, 0, 296, INT_MIN },
        { "stop from the right", INT_MAX, INT_MIN, 0, 0, 0, 296, TabStop::FROM_RIGHT | 5 },
    };
    WString text;
    for(int i = 0; i < 300; i++)
        text += i % 7 == 3 ? u'\t' : i % 5 == 0 ? u' ' : u'w';
    for(const Case& c : cases) {
        for(int align = 1; align <= 4; align++) {
            ParagraphFormat f;
            f.lm = c.lm;
            f.rm = c.rm;
            f.indent = c.indent;
            f.bullet = c.bullet;
            f.tab_size = c.tab_size;
            f.align = align;
            if(c.stop) {
                for(int a = 1; a <= 3; a++) {
                    TabStop& t = f.tab.Add();
                    t.pos = c.stop;
                    t.align = (uint8)a;
                }
            }
            UnpackedParagraph p = Para(u"", f);
            p.CatText(text, p.format);
            ParagraphLines l = p.LayOutLines(c.width);
            ExpectWellFormed(l);
            EXPECT_LE(l.GetCount(), l.clen + 1) << c.name;
            for(int q = 0; q < l.clen; q++)
                EXPECT_GE(l.width_of[q], 0) << c.name << " " << q;
            l.Justify(p.format);
            EXPECT_GE(l.GetHeight(), 0) << c.name;
            ParagraphLines e = Para(u"", f).LayOutLines(c.width);
            EXPECT_EQ(e.GetCount(), 1) << c.name;
        }
    }
}

// A pasted word of many megabytes is laid out a character a line at a narrow width: what a
// character and a line take stays a few words, not a record each.
TEST(ParagraphLayout, LongUnbreakableWordTakesLittleMemoryPerLine)
{
    const int n = 200000;
    const int w = Advance(u"W");
    ParagraphFormat f;
    f.align = ParagraphFormat::ALIGN_CENTER;
    UnpackedParagraph p = Para(u"", f);
    std::u16string word(n, u'W');
    p.CatText(WString((const wchar16*)word.data(), n), p.format);
    const int width = 2 * w - 1; // never two letters a line
    ParagraphLines l = p.LayOutLines(width);
    ASSERT_EQ(l.GetCount(), n);
    ExpectWellFormed(l);
    for(int i : { 0, 1, n / 2, n - 1 }) {
        EXPECT_EQ(l[i].count, 1) << i;
        EXPECT_EQ(l[i].cx, w) << i;
        EXPECT_EQ(l[i].xpos, (width - w) / 2) << i;
        EXPECT_EQ(l[i].GetHeight(), FontHeight()) << i;
    }
    EXPECT_EQ(l.GetHeight(), n * FontHeight());
    // Code, position, advance and kind of a character; first character, width and shape of a line.
    EXPECT_LE(l.GetArrayBytes(), int64(n) * 32);
}

} // namespace
} // namespace Qor
