// Zooming a paragraph format and a paragraph: lengths, the indented edge, rulers, tab stops,
// font heights, object sizes and serials.

#include "richtext/layout/page_position.h"
#include "tests/richtext/layout/layout_support.h"

#include <gtest/gtest.h>

namespace Qor {
namespace {

TEST(FormatZoom, ParagraphFormatRescalesEveryLength)
{
    ParagraphFormat f;
    f.font = Font(Font::SERIF, 101);
    f.lm = 101;
    f.indent = 33;
    f.rm = 41;
    f.before = 17;
    f.after = -9;
    f.tab_size = 296;
    f.ruler = 1;
    f.align = ParagraphFormat::ALIGN_CENTER;
    f.bullet = ParagraphFormat::BULLET_RING;
    f.line_spacing = ParagraphFormat::LINE_DOUBLE;
    f.keep = true;
    TabStop& a = f.tab.Add();
    a.pos = 401;
    a.align = TabStop::RIGHT;
    TabStop& b = f.tab.Add();
    b.pos = TabStop::FROM_RIGHT | 400;
    f.ApplyZoom(ZoomRatio(300, 600));
    EXPECT_EQ(f.font.GetHeight(), 51); // rounded: (101 * 300 + 300) / 600
    EXPECT_EQ(f.font.GetFace(), Font::SERIF);
    EXPECT_EQ(f.lm, 50);
    EXPECT_EQ(f.indent, 67 - 50); // the indented edge 134 zooms as one value
    EXPECT_EQ(f.rm, 20);
    EXPECT_EQ(f.before, 8);
    EXPECT_EQ(f.after, -4);
    EXPECT_EQ(f.tab_size, 148);
    EXPECT_EQ(f.ruler, 1); // zoomed to 0, kept at 1
    EXPECT_EQ(f.tab[0].pos, 200);
    EXPECT_EQ(f.tab[0].align, TabStop::RIGHT);
    EXPECT_EQ(f.tab[1].pos, TabStop::FROM_RIGHT | 200);
    EXPECT_EQ(f.align, ParagraphFormat::ALIGN_CENTER);
    EXPECT_EQ(f.bullet, ParagraphFormat::BULLET_RING);
    EXPECT_EQ(f.line_spacing, ParagraphFormat::LINE_DOUBLE);
    EXPECT_TRUE(f.keep);

    // No ruler stays none; the standard height is resolved before zooming.
    ParagraphFormat g;
    g.font = Font(Font::SANSSERIF, Font::STD_HEIGHT);
    int standard = g.font.GetHeight();
    g.ApplyZoom(ZoomRatio(7, 3));
    EXPECT_EQ(g.ruler, 0);
    EXPECT_EQ(g.font.GetHeight(), (standard * 7 + 1) / 3);
    EXPECT_NE(g.font.GetHeightCode(), Font::STD_HEIGHT);

    // Same ratio: nothing moves; absurd sizes saturate instead of wrapping.
    ParagraphFormat h;
    h.lm = 2000000000;
    h.indent = 2000000000;
    h.font = Font(Font::SANSSERIF, 30000);
    ParagraphFormat same = h;
    same.ApplyZoom(ZoomRatio(7, 7));
    EXPECT_EQ(same.lm, h.lm);
    EXPECT_EQ(same.indent, h.indent);
    h.ApplyZoom(ZoomRatio(4, 1));
    EXPECT_EQ(h.lm, 2147483647);
    EXPECT_EQ(h.font.GetHeight(), 32767);
}

TEST(FormatZoom, ParagraphZoomsTextObjectsAndLeavesFields)
{
    UnpackedParagraph p = QorTest::Para(u"ab");
    EmbeddedObject o;
    o.ReadObject("test object", "o", Size(301, 99));
    p.CatObject(o, CharacterFormat());
    ParagraphPart& field = p.AddPart();
    field.field = "F";
    field.format.font = Font(Font::SANSSERIF, 200);
    p.cache_key = 12345;
    int64 serial = p.part[1].object.GetSerial();
    p.ApplyZoom(ZoomRatio(96, 600));
    EXPECT_EQ(p.part[0].format.font.GetHeight(), 16); // (100 * 96 + 300) / 600
    EXPECT_EQ(p.part[1].object.GetSize(), Size(48, 15));
    EXPECT_NE(p.part[1].object.GetSerial(), serial);
    EXPECT_EQ(p.part[2].format.font.GetHeight(), 200);
    EXPECT_EQ(p.format.font.GetHeight(), 16);
    // A zoomed paragraph is no longer the stored one: it must not come back from a cache.
    EXPECT_EQ(p.cache_key, 0);
}

} // namespace
} // namespace Qor
