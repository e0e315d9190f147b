// Font and glyph metrics through Xft against the drawing layer's FreeType measures.

// First: GoogleTest before the X headers, whose macros clash with its names.
#include "tests/support/x11/gui_test.h"

#include "ctrl/x11/font/xft_metrics.h"
#include "draw/font/font_backend.h"
#include "tests/support/printers.h"

#include <cstring>

namespace Qor {
namespace {

// The drawing layer's own measures, with the Xft hooks stepped aside.
class XftMetrics : public QorTest::GuiTest {
protected:
    static FontMetrics FreeTypeMetrics(Font font)
    {
        HooksAside aside;
        FontMetrics m;
        GetFontMetricsSys(m, font.Resolved());
        return m;
    }

    static GlyphMetrics FreeTypeGlyph(Font font, int ch)
    {
        HooksAside aside;
        return GetGlyphMetricsSys(font.Resolved(), ch);
    }

    struct HooksAside {
        void (*font_hook)(FontMetrics&, Font) = FontMetricsHook;
        GlyphMetrics (*glyph_hook)(Font, int) = GlyphMetricsHook;
        HooksAside() { FontMetricsHook = nullptr, GlyphMetricsHook = nullptr; }
        ~HooksAside() { FontMetricsHook = font_hook, GlyphMetricsHook = glyph_hook; }
    };
};

TEST_F(XftMetrics, FontMeasuresAgreeWithFreeType)
{
    for(Font font : { Font(Font::SANSSERIF, 13), Font(Font::SERIF, 20).Bold(), Font(Font::MONOSPACE, 11),
                      Font(Font::STDFONT, Font::STD_HEIGHT) }) {
        SCOPED_TRACE(Std(font.ToText()));
        FontMetrics x;
        GetFontMetricsXft(x, font);
        FontMetrics f = FreeTypeMetrics(font);
        EXPECT_GT(x.ascent, 0);
        EXPECT_GT(x.descent, 0);
        EXPECT_EQ(x.height, x.ascent + x.descent);
        EXPECT_NEAR(x.ascent, f.ascent, 1);
        EXPECT_NEAR(x.descent, f.descent, 1);
        // Xft rounds the line step up on its own.
        EXPECT_GE(x.line_height, f.line_height);
        EXPECT_EQ(x.average_width, x.max_width);
        EXPECT_EQ(x.default_char, '?');
        EXPECT_EQ(x.fixed_pitch, f.fixed_pitch);
        EXPECT_STREQ(x.path, f.path) << "the same file renders both";
        EXPECT_EQ(x.truetype, f.truetype);
    }
}

TEST_F(XftMetrics, EveryFieldBelongsToTheMeasuredFont)
{
    // The metric cache hands over the record of whatever font had the slot before.
    FontMetrics m;
    m.external_leading = m.internal_leading = m.overhang = 77;
    m.truetype = 0;
    std::strcpy(m.path, "/another/font.pcf");
    GetFontMetricsXft(m, Font(Font::SANSSERIF, 12));
    EXPECT_EQ(m.external_leading, 0);
    EXPECT_EQ(m.internal_leading, 0);
    EXPECT_EQ(m.overhang, 0);
    EXPECT_EQ(m.truetype, FreeTypeMetrics(Font(Font::SANSSERIF, 12)).truetype);
    EXPECT_STRNE(m.path, "/another/font.pcf");
}

TEST_F(XftMetrics, GlyphMeasuresAgreeWithFreeType)
{
    // Hinted advances may round differently by a pixel; the ink edges likewise.
    for(Font font : { Font(Font::SANSSERIF, 13), Font(Font::SERIF, 24).Italic() })
        for(int ch : { 0x41, 0x67, 0x57, 0x69, 0x6A, 0x2E, 0xE9, 0x416 }) {
            SCOPED_TRACE(testing::Message() << Std(font.ToText()) << " U+" << std::hex << ch);
            GlyphMetrics x = GetGlyphMetricsXft(font, ch);
            GlyphMetrics f = FreeTypeGlyph(font, ch);
            ASSERT_TRUE(f.IsPresent());
            ASSERT_TRUE(x.IsPresent());
            EXPECT_NEAR(x.advance, f.advance, 1);
            EXPECT_NEAR(x.left_bearing, f.left_bearing, 1);
            EXPECT_NEAR(x.right_bearing, f.right_bearing, 2);
            EXPECT_EQ(x.glyph, 0);
        }
}

TEST_F(XftMetrics, BearingsFollowTheInk)
{
    Font font(Font::SERIF, 40);
    GlyphMetrics j = GetGlyphMetricsXft(font, 'j');
    GlyphMetrics dot = GetGlyphMetricsXft(font, '.');
    EXPECT_LT(j.left_bearing, dot.left_bearing) << "the j's tail reaches left of the dot's ink";
    EXPECT_GT(dot.left_bearing, 0);
    EXPECT_GT(dot.right_bearing, 0);
}

TEST_F(XftMetrics, WithoutADisplayFreeTypeAnswers)
{
    ::Display* d = Qor::display;
    Qor::display = nullptr;
    Font font(Font::SANSSERIF, 17);
    FontMetrics m;
    GetFontMetricsXft(m, font);
    GlyphMetrics g = GetGlyphMetricsXft(font, 'M');
    Qor::display = d;
    FontMetrics f = FreeTypeMetrics(font);
    GlyphMetrics fg = FreeTypeGlyph(font, 'M');
    EXPECT_EQ(m.ascent, f.ascent);
    EXPECT_EQ(m.line_height, f.line_height);
    EXPECT_EQ(g.advance, fg.advance);
    EXPECT_EQ(g.glyph, fg.glyph);
}

TEST_F(XftMetrics, HooksAnswerTheDrawingLayer)
{
    ASSERT_EQ(FontMetricsHook, &GetFontMetricsXft);
    ASSERT_EQ(GlyphMetricsHook, &GetGlyphMetricsXft);
    Font font(Font::SANSSERIF, 15);
    FontMetrics direct;
    GetFontMetricsXft(direct, font);
    EXPECT_EQ(font.GetMetrics().ascent, direct.ascent);
    EXPECT_EQ(font.GetCharWidth('W'), GetGlyphMetricsXft(font, 'W').advance);
}

} // namespace
} // namespace Qor
