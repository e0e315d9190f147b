// Metric caches, composed letters, replacement faces and standard font changes.

#include "draw/font/font_backend.h"
#include "draw/font/font_metrics.h"
#include "tests/draw/support/font_faces.h"

#include <gtest/gtest.h>

namespace Qor {
namespace {

using QorTest::TestFont;

// Counts the back end's metric requests and answers with measures made from the font.
int metric_calls = 0;
void CountingMetrics(FontMetrics& m, Font f)
{
    metric_calls++;
    m = FontMetrics();
    m.ascent = f.GetHeight();
    m.descent = f.GetWidth();
    m.height = m.ascent + m.descent;
}

struct MetricsHookScope {
    MetricsHookScope() { FontMetricsHook = CountingMetrics; metric_calls = 0; }
    ~MetricsHookScope() { FontMetricsHook = nullptr; }
};

TEST(FontMetricsCache, LastFontAndSharedEntries)
{
    MetricsHookScope hook;
    // Widths no other test uses, so every entry starts cold.
    Font a = Font(Font::SERIF, 41).Width(901);
    Font b;
    for(int w = 902; w < 2000; w++) {
        b = Font(Font::SERIF, 42).Width(w);
        if((FontHash(b) & 63) == (FontHash(a) & 63))
            break;
    }
    ASSERT_EQ(FontHash(b) & 63, FontHash(a) & 63);
    EXPECT_EQ(a.GetMetrics().height, 41 + 901);
    EXPECT_EQ(a.GetMetrics().height, 41 + 901);
    EXPECT_EQ(metric_calls, 1);
    // Two fonts on one entry: each switch refills it, and each answer is right.
    for(int i = 0; i < 3; i++) {
        EXPECT_EQ(b.GetMetrics().height, 42 + b.GetWidth());
        EXPECT_EQ(a.GetMetrics().height, 41 + 901);
    }
    EXPECT_EQ(metric_calls, 7);
    EXPECT_EQ(LookupFontMetrics(a).height, 41 + 901);
    EXPECT_EQ(metric_calls, 7);
}

TEST(FontMetricsCache, StandardFontChangeReachesTheLastFont)
{
    Font reference = GetStandardFontReference();
    int h12 = reference.GetMetrics().height;
    SetStandardFont(Font(Font::SANSSERIF, 24));
    int h24 = reference.GetMetrics().height;
    SetStandardFont(Font(Font::SANSSERIF, 12));
    EXPECT_EQ(reference.GetMetrics().height, h12);
    EXPECT_GT(h24, h12 + 8);
    EXPECT_EQ(h24, Font(Font::SANSSERIF, 24).GetMetrics().height);
}

int hook_calls = 0;
void NestedChange()
{
    hook_calls++;
    SetStandardFont(Font(Font::SERIF, 30));
}

TEST(FontMetricsCache, StandardFontChangeHook)
{
    StandardFontChangeHook = NestedChange;
    hook_calls = 0;
    SetStandardFont(Font(Font::MONOSPACE, 14));
    StandardFontChangeHook = nullptr;
    // The nested change during the first call is ignored; the one during the repeated
    // call changes the font and calls the hook once, without a repeat of its own.
    EXPECT_EQ(hook_calls, 3);
    EXPECT_EQ(GetStandardFont(), Font(Font::SERIF, 30));
    SetStandardFont(Font(Font::SANSSERIF, 12));
    Size sz = GetStandardFontSize();
    EXPECT_EQ(sz.cx, Font(Font::SANSSERIF, 12).GetMetrics().average_width);
    EXPECT_EQ(sz.cy, Font(Font::SANSSERIF, 12).Bold().GetMetrics().height);
    EXPECT_EQ(GetStandardFont(), Font(Font::SANSSERIF, 12));
}

TEST(GlyphFallback, ComposedLetters)
{
    Font latin = TestFont("Qor Latin", 30);
    Font mono = TestFont("Qor Latin Mono", 30);
    auto w = [](Font f, int ch) { return GetGlyphMetrics(f, ch).advance; };
    struct Case {
        Font font;
        int ch;
        int base;
        int accent;
        int dx;
        int dy;
        int accent_height;
    } cases[] = {
        // A capital takes a smaller accent, raised by a tenth of the height.
        {latin, 0x0100, 'A', 0x00AF, (w(latin, 'A') - w(Font(latin).Height(27), 0xAF)) / 2, -3, 27},
        {latin, 0x016E, 'U', 0x02DA, (w(latin, 'U') - w(Font(latin).Height(27), 0x2DA)) / 2, -1, 27},
        {latin, 0x0101, 'a', 0x00AF, (w(latin, 'a') - w(latin, 0xAF)) / 2, 0, 30},
        {latin, 0x010F, 'd', ',', w(latin, 'd') - w(latin, ',') / 4, -20, 30},
        {latin, 0x013D, 'L', ',', w(latin, 'L') - w(latin, ',') / 2, -20, 30},
        {latin, 0x0165, 't', ',', 4 * w(latin, 't') / 10, -22, 30},
        {latin, 0x0162, 'T', 0x00B8, (w(latin, 'T') - w(latin, 0xB8)) / 2, 0, 30},
        {latin, 0x0141, 'L', '-', 0, 0, 30},
        {latin, 0x0178, 'Y', 0x00A8, (w(latin, 'Y') - w(Font(latin).Height(27), 0xA8)) / 2, -3, 27},
        // A fixed-pitch font centres a real caron over d.
        {mono, 0x010F, 'd', 0x02C7, (w(mono, 'd') - w(mono, 0x2C7)) / 2, 0, 30},
        {Font(latin).Italic(), 0x0105, 'a', 0x02DB,
         (w(latin, 'a') - w(latin, 0x2DB)) / 2 + w(latin, 0x2DB) / 5, 0, 30},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.ch);
        ASSERT_FALSE(IsGlyphPresent(c.font, c.ch));
        GlyphMetrics m = GetGlyphMetrics(c.font, c.ch);
        EXPECT_EQ(m.left_bearing, GlyphMetrics::COMPOSED);
        EXPECT_EQ(m.right_bearing, c.base);
        EXPECT_EQ(c.font.GetCharWidth(c.ch), c.font.GetCharWidth(c.base));
        ComposedGlyph g;
        ASSERT_TRUE(ComposeGlyph(c.font, c.ch, g));
        EXPECT_EQ(g.base, c.base);
        EXPECT_EQ(g.accent, c.accent);
        EXPECT_EQ(g.accent_dx, c.dx);
        EXPECT_EQ(g.accent_dy, c.dy);
        EXPECT_EQ(g.accent_font, Font(c.font).Height(c.accent_height));
    }
    ComposedGlyph g;
    for(int ch : {0x0131, 0x0152, 0x017F, 0x0180, 0x00C1, 0x41})
        EXPECT_FALSE(ComposeGlyph(latin, ch, g)) << ch;
}

TEST(GlyphFallback, ReplacementFacesShrinkToFit)
{
    Font latin = TestFont("Qor Latin", 30);
    const FontMetrics fm = LookupFontMetrics(latin);
    for(int ch : {0x0416, 0x20AC, 0x03A9}) { // Cyrillic, euro sign, Greek: DejaVu has them
        SCOPED_TRACE(ch);
        ASSERT_FALSE(IsGlyphPresent(latin, ch));
        GlyphMetrics m = GetGlyphMetrics(latin, ch);
        EXPECT_EQ(m.left_bearing, Font::SANSSERIF); // the first listed face that has it
        Font r = Font(latin).Face(m.left_bearing).Height(m.right_bearing);
        EXPECT_LT(r.GetHeight(), 30);
        FontMetrics rm = LookupFontMetrics(r);
        EXPECT_LE(rm.ascent, fm.ascent);
        EXPECT_LE(rm.descent, fm.descent);
        // One step larger would no longer fit.
        Font larger = Font(r).Height(r.GetHeight() + 1);
        FontMetrics lm = LookupFontMetrics(larger);
        EXPECT_TRUE(lm.ascent > fm.ascent || lm.descent > fm.descent);
        EXPECT_EQ(latin.GetCharWidth(ch), GetGlyphMetrics(r, ch).advance);
        Font found;
        ASSERT_TRUE(FindReplacementFont(latin, ch, found));
        EXPECT_EQ(found, r);
    }
    // A face as tall as the requested one serves at the requested height.
    Font mono = TestFont("Qor Latin Mono", 30);
    GlyphMetrics m = GetGlyphMetrics(mono, 0x0416);
    EXPECT_EQ(m.left_bearing, Font::SANSSERIF);
    EXPECT_EQ(m.right_bearing, 30);
}

TEST(GlyphFallback, NothingHasIt)
{
    for(Font f : {TestFont("Qor Latin", 30), Font(Font::SERIF, 17).Bold()}) {
        GlyphMetrics m = GetGlyphMetrics(f, 0x4E00);
        EXPECT_EQ(m.left_bearing, GlyphMetrics::NO_FALLBACK);
        int square = GetGlyphMetrics(Font(Font::SANSSERIF, f.GetHeight()), 0x25A1).advance;
        EXPECT_GT(square, 0);
        EXPECT_EQ(f.GetCharWidth(0x4E00), square);
    }
}

TEST(GlyphFallback, UnopenableFontUsesReplacements)
{
    Font missing = TestFont("Qor Missing", 16);
    EXPECT_GE(missing.GetMetrics().height, 1);
    EXPECT_FALSE(IsGlyphPresent(missing, 'A'));
    EXPECT_GT(missing.GetCharWidth('A'), 0);
}

TEST(GlyphFallback, DirectAndHashedCachesAgree)
{
    Font f = Font(Font::SERIF, 23);
    // Characters that share direct entries evict each other; answers stay right.
    int a = 'a';
    int b = -1;
    for(int ch = 0x100; ch < 0x4000; ch++)
        if(((GlyphHash(f, ch) ^ GlyphHash(f, a)) & 511) == 0) {
            b = ch;
            break;
        }
    ASSERT_GT(b, 0);
    GlyphMetrics ma = GetGlyphMetricsSys(f, a);
    GlyphMetrics mb = GetGlyphMetrics(f, b);
    for(int i = 0; i < 3; i++) {
        EXPECT_EQ(GetGlyphMetrics(f, a).advance, ma.advance);
        EXPECT_EQ(GetGlyphMetrics(f, b).advance, mb.advance);
    }
}

} // namespace
} // namespace Qor
