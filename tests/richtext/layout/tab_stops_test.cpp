// Tab stops and tab placement: the alignments, fills, the right tab on the edge, the
// implicit stop of a text bullet and stops measured from the right.

#include "tests/richtext/layout/layout_support.h"

#include <gtest/gtest.h>

namespace Qor {
namespace {

using QorTest::Advance;
using QorTest::LineText;
using QorTest::Para;

TabStop Stop(int32 pos, int align = TabStop::LEFT, int fill = TabStop::NO_FILL)
{
    TabStop t;
    t.pos = pos;
    t.align = (uint8)align;
    t.fillchar = (uint8)fill;
    return t;
}

TEST(TabStops, NextTabStopPicksTheNearestStopRightOfX)
{
    UnpackedParagraph p;
    p.format.tab_size = 296;
    p.format.tab.Add(Stop(1000, TabStop::RIGHT, TabStop::DOT_FILL));
    p.format.tab.Add(Stop(500, TabStop::CENTER, TabStop::UNDERSCORE_FILL));
    p.format.tab.Add(Stop(TabStop::FROM_RIGHT | 300, 7, 9)); // unknown alignment and fill
    struct Case {
        int x, reference;
        int pos, align, fill;
    } cases[] = {
        { 0, 5000, 500, TabStop::CENTER, TabStop::UNDERSCORE_FILL },
        { 500, 5000, 1000, TabStop::RIGHT, TabStop::DOT_FILL }, // strictly greater
        { 1000, 5000, 4700, TabStop::LEFT, TabStop::NO_FILL },  // measured from the reference width
        { 1000, 1200, 1184, TabStop::LEFT, TabStop::NO_FILL },  // past every stop: the tab-size grid
        { 4700, 5000, 4736, TabStop::LEFT, TabStop::NO_FILL },
        { -200, 200, -100, TabStop::LEFT, TabStop::NO_FILL },
    };
    for(const Case& c : cases) {
        int64 s = p.NextTabStop(c.x, c.reference);
        EXPECT_EQ((int)(int32)s, c.pos) << c.x;
        EXPECT_EQ((int)(s >> 32) & 0xFF, c.align) << c.x;
        EXPECT_EQ((int)(s >> 40) & 0xFF, c.fill) << c.x;
    }
    p.format.tab.Clear();
    p.format.tab_size = 0;
    EXPECT_EQ((int32)p.NextTabStop(50, 1000), 0);

    // A text bullet's implicit stop at the indent wins only when strictly nearer.
    p.format.tab_size = 296;
    p.format.bullet = ParagraphFormat::BULLET_TEXT;
    p.format.lm = 100;
    p.format.indent = 150;
    EXPECT_EQ((int32)p.NextTabStop(0, 1000), 250);
    p.format.tab.Add(Stop(250, TabStop::RIGHT, TabStop::HYPHEN_FILL));
    int64 s = p.NextTabStop(0, 1000);
    EXPECT_EQ((int)(s >> 32) & 0xFF, TabStop::RIGHT);
    EXPECT_EQ((int)(s >> 40) & 0xFF, TabStop::HYPHEN_FILL);
}

TEST(TabStops, TabsArePlacedByTheirAlignment)
{
    int a = Advance(u"a");
    int bc = Advance(u"bc");
    struct Case {
        const char* name;
        TabStop stop;
        int lm, width;
        int advance; // of the tab
        int code;    // of the placed tab
        int lines;
    } cases[] = {
        { "left", Stop(1000), 0, 3000, 1000 - a, 9, 1 },
        { "left in margin", Stop(1000), 100, 3000, 900 - a, 9, 1 },
        { "right", Stop(1000, TabStop::RIGHT, TabStop::DOT_FILL), 0, 3000, 1000 - a - bc, 10, 1 },
        { "centre", Stop(1000, TabStop::CENTER, TabStop::HYPHEN_FILL), 0, 3000, 1000 - a - bc / 2, 11, 1 },
        { "right on the edge", Stop(1000, TabStop::RIGHT, TabStop::UNDERSCORE_FILL), 0, 1000, 1000 - a - bc, 12, 1 },
        // A left tab on the edge goes to the next line, where it is placed at once.
        { "left on the edge", Stop(1000), 0, 1000, 1000, 9, 3 },
    };
    for(const Case& c : cases) {
        ParagraphFormat f;
        f.lm = c.lm;
        f.tab.Add(c.stop);
        ParagraphLines l = Para(u"a\tbc", f).LayOutLines(c.width);
        ASSERT_EQ(l.GetCount(), c.lines) << c.name;
        EXPECT_EQ(l.width_of[1], c.advance) << c.name;
        EXPECT_EQ(l.text[1], c.code) << c.name;
        int tab_line = c.lines == 1 ? 0 : 1;
        EXPECT_TRUE(l[tab_line].with_tabs) << c.name;
        if(c.lines != 1) {
            EXPECT_FALSE(l[0].with_tabs) << c.name;
        }
    }
}

TEST(TabStops, RightAlignedLinesWithTabsStartAtTheMargin)
{
    ParagraphFormat f;
    f.align = ParagraphFormat::ALIGN_RIGHT;
    f.lm = 100;
    f.tab.Add(Stop(600));
    ParagraphLines l = Para(u"a\tb", f).LayOutLines(3000);
    ASSERT_EQ(l.GetCount(), 1);
    EXPECT_EQ(l[0].xpos, 100);
    EXPECT_EQ(l[0].cx, 500 + Advance(u"b"));
}

TEST(TabStops, LeadingTabBeyondTheWidthLeavesAnEmptyFirstLine)
{
    ParagraphFormat f;
    f.tab.Add(Stop(5000));
    ParagraphLines l = Para(u"\tab", f).LayOutLines(1000);
    ASSERT_EQ(l.GetCount(), 3);
    EXPECT_EQ(l[0].count, 0);
    EXPECT_EQ(LineText(l, 1), u"\t");
    EXPECT_EQ(l.width_of[0], 5000);
    EXPECT_EQ(LineText(l, 2), u"ab");
    EXPECT_EQ(l[0].len, 0);
    EXPECT_EQ(l[1].len, 1);
}

TEST(TabStops, TextBulletTabReachesTheIndent)
{
    ParagraphFormat f;
    f.bullet = ParagraphFormat::BULLET_TEXT;
    f.lm = 200;
    f.indent = 300;
    ParagraphLines l = Para(u"1.\tword", f).LayOutLines(5000);
    ASSERT_EQ(l.GetCount(), 1);
    EXPECT_EQ(l[0].xpos, 200);
    EXPECT_EQ(l.width_of[2], 300 - Advance(u"1."));
    // A nearer explicit stop wins.
    f.tab.Add(Stop(400));
    ParagraphLines e = Para(u"1.\tword", f).LayOutLines(5000);
    EXPECT_EQ(e.width_of[2], 200 - Advance(u"1."));
}

TEST(TabStops, TabRescannedAfterGoingBackToASpaceIsPlacedAfresh)
{
    // "aa b\tc" breaks back at the space; the tab then moves with "b" to the second line.
    ParagraphFormat f;
    f.tab.Add(Stop(Advance(u"aa b") + 10, TabStop::LEFT, TabStop::DOT_FILL));
    f.tab.Add(Stop(Advance(u"b") + 5, TabStop::LEFT, TabStop::HYPHEN_FILL));
    ParagraphLines l = Para(u"aa b\tc", f).LayOutLines(Advance(u"aa b") + 20);
    ASSERT_EQ(l.GetCount(), 2);
    EXPECT_EQ(LineText(l, 0), u"aa ");
    EXPECT_FALSE(l[0].with_tabs);
    EXPECT_TRUE(l[1].with_tabs);
    // On the first line it took the dotted stop; on its own line the nearer hyphen stop.
    EXPECT_EQ(l.text[4], 11);
    EXPECT_EQ(l.width_of[4], 5);
}

} // namespace
} // namespace Qor
