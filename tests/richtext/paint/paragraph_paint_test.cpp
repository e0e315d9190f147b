// Paragraph painting: runs at zoomed cumulated positions, selection and highlight, bullets
// and numbers, tab leaders, links, scripts, objects, position marks and the painted range.

#include "draw/font/font_metrics.h"
#include "draw/look/sys_colors.h"
#include "tests/richtext/layout/layout_support.h"
#include "tests/richtext/paint/paint_support.h"

#include <gtest/gtest.h>

namespace Qor {
namespace {

using QorTest::Advance;
using QorTest::BitsDraw;
using QorTest::FontHeight;
using QorTest::PaintParagraph;
using QorTest::Para;
using QorTest::PlainInfo;
using QorTest::RecordingDraw;
using QorTest::RectLine;
using QorTest::TestFont;
using QorTest::TextRunLine;

const Color INVERT = RichInvertColor();

TEST(ParagraphPaint, RunsUseZoomedCumulatedAdvances)
{
    ParagraphFormat f;
    f.lm = 37;
    UnpackedParagraph p = Para(u"abc", f);
    RichPaintInfo pi = PlainInfo();
    pi.zoom = ZoomRatio(96, 600);
    ZoomRatio z = pi.zoom;
    BitsDraw w;
    PaintParagraph(w, p, pi);
    std::vector<int> dx;
    int x = 37;
    for(char16_t c : std::u16string(u"abc")) {
        int a = TestFont().GetCharWidth(c);
        dx.push_back(z * (x + a) - z * x);
        x += a;
    }
    Font zf = TestFont();
    zf.Height(z * 100);
    EXPECT_EQ(w.Lines("DrawTextRun"),
              std::vector<std::string>{
                  TextRunLine(z * 37, z * TestFont().GetAscent() - zf.GetAscent(), "abc", zf, Black(), dx) });
}

TEST(ParagraphPaint, SelectionInvertsCharactersLineEndsAndTheSpaceAround)
{
    int h = FontHeight();
    int width = Advance(u"ab c");
    ParagraphFormat f;
    UnpackedParagraph p = Para(u"ab cd", f);
    RichPaintInfo pi = PlainInfo();
    pi.selection_start = 1;
    pi.selection_end = 4;
    BitsDraw w;
    PaintParagraph(w, p, pi, Rect(0, 0, width, 5000));
    int a = Advance(u"a");
    EXPECT_EQ(w.Lines("Rect"), (std::vector<std::string>{ RectLine(a, 0, width - a, h, INVERT),
                                                          RectLine(0, h, Advance(u"c"), h, INVERT) }));

    // A selection running through the paragraph: space before, lines and space after.
    f.before = 50;
    f.after = 40;
    UnpackedParagraph q = Para(u"ab cd", f);
    pi.selection_start = -1;
    pi.selection_end = 100;
    BitsDraw all;
    PaintParagraph(all, q, pi, Rect(0, 0, width, 5000));
    EXPECT_EQ(all.Lines("Rect"),
              (std::vector<std::string>{ RectLine(0, 0, width, 50, INVERT), RectLine(0, 50, width, h, INVERT),
                                         RectLine(0, 50 + h, width, h, INVERT),
                                         RectLine(0, 50 + 2 * h, width, 40, INVERT) }));

    // The rest of a page left by a line that moves on is inverted too.
    f.orphan = true;
    UnpackedParagraph r = Para(u"ab cd", f);
    int bottom = 50 + h + h / 2;
    BitsDraw broken;
    PaintParagraph(broken, r, pi, Rect(0, 0, width, bottom));
    EXPECT_EQ(broken.Lines("Rect"),
              (std::vector<std::string>{ RectLine(0, 0, width, 50, INVERT), RectLine(0, 50, width, h, INVERT),
                                         RectLine(0, 50 + h, width, bottom - 50 - h, INVERT),
                                         RectLine(0, 0, width, h, INVERT), RectLine(0, h, width, 40, INVERT) }));
}

TEST(ParagraphPaint, HighlightReplacesCharacterPaper)
{
    UnpackedParagraph p = Para(u"ab");
    p.part[0].format.paper = Color(200, 200, 0);
    int h = FontHeight();
    int ab = Advance(u"ab");
    RichPaintInfo pi = PlainInfo();
    BitsDraw plain;
    PaintParagraph(plain, p, pi, Rect(10, 0, 3000, 5000));
    EXPECT_EQ(plain.Lines("Rect"), std::vector<std::string>{ RectLine(10, 0, ab, h, Color(200, 200, 0)) });
    pi.highlight_position = 1;
    BitsDraw lit;
    PaintParagraph(lit, p, pi, Rect(10, 0, 3000, 5000));
    EXPECT_EQ(lit.Lines("Rect"), std::vector<std::string>{ RectLine(10, 0, 2990, h, pi.highlight_color) });
    // Past the paragraph's text the highlight belongs to another paragraph.
    pi.highlight_position = 2;
    BitsDraw other;
    PaintParagraph(other, p, pi, Rect(10, 0, 3000, 5000));
    EXPECT_EQ(other.Lines("Rect"), plain.Lines("Rect"));
}

TEST(ParagraphPaint, BulletsFollowTheLineAscent)
{
    int asc = TestFont().GetAscent();
    int side = asc / 2;
    int lm = 80;
    int by = ((asc - side) * 4) / 5;
    Rect box(lm, by, lm + side, by + side);
    int inset = std::max(side / 4, 1);
    Rect inner = box.Deflated(inset, inset);
    Color ink(10, 20, 30);
    auto ellipse = [](const Rect& r, Color c) {
        return "DrawEllipse(" + RecordingDraw::Text(r) + ", " + RecordingDraw::Text(c) + ", 0, Null)";
    };
    auto rect = [](const Rect& r, Color c) { return RectLine(r.left, r.top, r.Width(), r.Height(), c); };
    struct Case {
        int bullet;
        bool system_colors;
        std::vector<std::string> expected;
    } cases[] = {
        { ParagraphFormat::BULLET_DISC, false, { ellipse(box, ink) } },
        { ParagraphFormat::BULLET_RING, false, { ellipse(box, ink), ellipse(inner, White()) } },
        { ParagraphFormat::BULLET_RING, true, { ellipse(box, SysColorText()), ellipse(inner, SysColorPaper()) } },
        { ParagraphFormat::BULLET_SQUARE, false, { rect(box, ink) } },
        { ParagraphFormat::BULLET_HOLLOW_SQUARE, false, { rect(box, ink), rect(inner, White()) } },
        // Hollow squares stay white on any paper.
        { ParagraphFormat::BULLET_HOLLOW_SQUARE, true, { rect(box, SysColorText()), rect(inner, White()) } },
    };
    for(const Case& c : cases) {
        ParagraphFormat f;
        f.bullet = c.bullet;
        f.lm = lm;
        f.indent = 200;
        UnpackedParagraph p = Para(u"a a", f);
        p.format.ink = ink;
        RichPaintInfo pi = PlainInfo();
        pi.system_colors = c.system_colors;
        BitsDraw w;
        // Narrow enough for two lines: only the first carries the bullet.
        PaintParagraph(w, p, pi, Rect(0, 0, lm + 200 + Advance(u"a"), 5000));
        std::vector<std::string> got = w.Lines("DrawEllipse");
        for(const std::string& s : w.Lines("Rect"))
            got.push_back(s);
        EXPECT_EQ(got, c.expected) << c.bullet << " " << c.system_colors;
    }
}

TEST(ParagraphPaint, NumberingTextSitsOnTheBaselineInTheFirstCharacterFormat)
{
    ParagraphFormat f;
    f.number[0] = ParagraphNumbering::DECIMAL;
    f.after_number = ".";
    f.lm = 60;
    f.indent = 300;
    UnpackedParagraph p = Para(u"x", f);
    p.part[0].format.ink = Color(0, 0, 200);
    p.part[0].format.font.Bold();
    NumberingCounters counters;
    counters[0] = 3;
    RichPaintInfo pi = PlainInfo();
    pi.zoom = ZoomRatio(1, 2);
    BitsDraw w;
    PaintParagraph(w, p, pi, Rect(0, 0, 5000, 5000), PagePosition(0, 0), counters);
    Font nf = TestFont().Bold();
    nf.Height(50);
    std::vector<std::string> runs = w.Lines("DrawTextRun");
    ASSERT_EQ(runs.size(), 2u);
    std::string expected = TextRunLine(30, TestFont().GetAscent() / 2 - nf.GetAscent(), "3.", nf, Color(0, 0, 200), {});
    EXPECT_EQ(runs[1].substr(0, runs[1].find('[')), expected.substr(0, expected.find('[')));
}

// Glyphs of one private font height: the dot has no advance.
GlyphMetrics ZeroDotGlyphs(Font, int ch)
{
    GlyphMetrics m;
    m.advance = ch == '.' ? 0 : 40;
    return m;
}

TEST(ParagraphPaint, TabLeadersAreBlackOnADeviceGridAndEndBeforeTheNextCharacter)
{
    ParagraphFormat f;
    TabStop& t = f.tab.Add();
    t.pos = 2000;
    t.fillchar = TabStop::DOT_FILL;
    UnpackedParagraph p = Para(u"a\tb", f);
    p.part[0].format.ink = Color(255, 0, 0);
    RichPaintInfo pi = PlainInfo();
    pi.zoom = ZoomRatio(96, 600);
    ZoomRatio z = pi.zoom;
    BitsDraw w;
    PaintParagraph(w, p, pi);
    Font zf = TestFont();
    zf.Height(z * 100);
    int g = zf.GetCharWidth('.');
    ASSERT_GT(g, 0);
    int tab_x = z * Advance(u"a");
    int tab_end = z * 2000;
    std::vector<std::string> runs = w.Lines("DrawTextRun");
    ASSERT_GE(runs.size(), 2u);
    int dots = 0;
    for(const std::string& s : runs) {
        if(s.find("\".\"") == std::string::npos)
            continue;
        int x = std::stoi(s.substr(12));
        EXPECT_EQ(x % g, 0) << s;
        EXPECT_GE(x, tab_x) << s;
        EXPECT_LT(x + g, tab_end) << s;
        EXPECT_NE(s.find(", #000000, "), std::string::npos) << s;
        dots++;
    }
    int first = (tab_x + g - 1) / g * g;
    EXPECT_EQ(dots, (tab_end - 1 - first) / g);
    // The text run shows the tab as a space, in the run's own ink.
    EXPECT_NE(runs.back().find("\"a b\""), std::string::npos) << runs.back();
    EXPECT_NE(runs.back().find("#ff0000"), std::string::npos) << runs.back();

    // A fill character without advance draws no leader rather than loop.
    GlyphMetrics (*old)(Font, int) = GlyphMetricsHook;
    GlyphMetricsHook = ZeroDotGlyphs;
    Font odd(Font::SANSSERIF, 977);
    UnpackedParagraph q = Para(u"a\tb", f);
    q.part[0].format.font = odd;
    RichPaintInfo one = PlainInfo();
    BitsDraw zero;
    PaintParagraph(zero, q, one);
    GlyphMetricsHook = old;
    std::vector<std::string> zero_runs = zero.Lines("DrawTextRun");
    ASSERT_EQ(zero_runs.size(), 1u);
    EXPECT_NE(zero_runs[0].find("\"a b\""), std::string::npos);
}

TEST(ParagraphPaint, LinksAreUnderlinedInTheLinkColour)
{
    Color link(1, 2, 3);
    struct Case {
        const char* name;
        bool underlined, dashed, system_colors;
        Color link_color;
        bool expect_underline;
        Color expect_ink;
    } cases[] = {
        { "link", false, false, false, link, true, link },
        { "system colours", false, false, true, link, true, SysColorText() },
        { "already underlined", true, false, false, link, true, Color(9, 9, 9) },
        { "dashed", false, true, false, link, false, Color(9, 9, 9) },
        { "no link colour", false, false, false, Color(), false, Color(9, 9, 9) },
    };
    for(const Case& c : cases) {
        UnpackedParagraph p = Para(u"ab");
        CharacterFormat& cf = p.part[0].format;
        cf.link = "http://qor.invalid/";
        cf.ink = Color(9, 9, 9);
        cf.font.Underline(c.underlined);
        cf.dashed = c.dashed;
        RichPaintInfo pi = PlainInfo();
        pi.link_color = c.link_color;
        pi.system_colors = c.system_colors;
        BitsDraw w;
        PaintParagraph(w, p, pi);
        std::vector<std::string> runs = w.Lines("DrawTextRun");
        ASSERT_EQ(runs.size(), 1u) << c.name;
        Font expected = TestFont();
        expected.Underline(c.expect_underline);
        EXPECT_EQ(runs[0], TextRunLine(0, 0, "ab", expected, c.expect_ink,
                                       { TestFont().GetCharWidth('a'), TestFont().GetCharWidth('b') }))
            << c.name;
        EXPECT_EQ(!w.Lines("Rect").empty(), c.dashed) << c.name;
    }
}

TEST(ParagraphPaint, SuperscriptSharesTheTopAndSubscriptTheBottom)
{
    int asc = TestFont().GetAscent();
    int desc = TestFont().GetDescent();
    struct Case {
        int script;
        int y;
    } cases[] = {
        { CharacterFormat::SUPERSCRIPT, asc - asc },
        { CharacterFormat::SUBSCRIPT, asc + desc - 60 },
    };
    for(const Case& c : cases) {
        UnpackedParagraph p = Para(u"x");
        p.part[0].format.script = (unsigned)c.script;
        BitsDraw w;
        PaintParagraph(w, p, PlainInfo());
        Font small = TestFont();
        small.Height(60);
        EXPECT_EQ(w.Lines("DrawTextRun"),
                  std::vector<std::string>{ TextRunLine(0, c.y, "x", small, Black(), { small.GetCharWidth('x') }) });
    }
}

} // namespace
} // namespace Qor
