// Text drawn through Xft, checked by its pixels: ink where the glyphs are, anti-aliased
// edges, the baseline, underline and strike-out lines, advances, rotation and clipping.

// First: GoogleTest before the X headers, whose macros clash with its names.
#include "tests/support/x11/gui_test.h"

#include "ctrl/x11/image/image_draw.h"
#include "draw/font/font_metrics.h"
#include "draw/text/text.h"
#include "tests/support/printers.h"
#include "tests/support/x11/image_pixels.h"

namespace Qor {
namespace {

using test::CountGreys;
using test::Ink;
using test::InkBox;

class XftText : public QorTest::GuiTest {
protected:
    // Black text on white paper.
    Image Draw(Size size, int x, int y, const char* text, Font font, int angle = 0, const int* dx = nullptr)
    {
        ImageDraw w(size);
        w.DrawRect(0, 0, size.cx, size.cy, White());
        WString t = WString(text);
        if(angle)
            w.DrawText(x, y, angle, t, font, Black(), dx);
        else
            w.DrawText(x, y, t, font, Black(), dx);
        return w.GetImage();
    }
};

TEST_F(XftText, InkLiesWhereTheGlyphIs)
{
    Font font(Font::SANSSERIF, 30);
    int ascent = font.GetAscent();
    GlyphMetrics h = GetGlyphMetrics(font.Resolved(), 'H');
    Image img = Draw(Size(100, 60), 20, 10, "H", font);
    Rect ink = InkBox(img);
    ASSERT_FALSE(ink.IsEmpty()) << "nothing drawn";
    // H stands on the baseline: its last row of ink is the one above it.
    EXPECT_EQ(ink.bottom, 10 + ascent);
    EXPECT_NEAR(ink.left, 20 + h.left_bearing, 1);
    EXPECT_NEAR(ink.right, 20 + h.advance - h.right_bearing, 1);
    EXPECT_GT(ink.top, 10) << "capitals are lower than the ascent";
    EXPECT_LT(ink.top, 10 + ascent / 2);
}

TEST_F(XftText, BaselineAndDescender)
{
    Font font(Font::SERIF, 40);
    int ascent = font.GetAscent();
    int x_advance = font.GetCharWidth('x');
    Image img = Draw(Size(120, 80), 5, 7, "xg", font);
    Rect x_ink = InkBox(img, Rect(5, 0, 5 + x_advance, 80));
    Rect g_ink = InkBox(img, Rect(5 + x_advance, 0, 120, 80));
    EXPECT_EQ(x_ink.bottom, 7 + ascent);
    EXPECT_GT(g_ink.bottom, 7 + ascent + font.GetDescent() / 2) << "g descends below the baseline";
    EXPECT_LE(g_ink.bottom, 7 + ascent + font.GetDescent());
}

TEST_F(XftText, EdgesAreAntiAliasedUnlessTheFontSaysNo)
{
    Font font(Font::SANSSERIF, 40);
    Image smooth = Draw(Size(120, 60), 5, 5, "AO", font);
    Image sharp = Draw(Size(120, 60), 5, 5, "AO", Font(font).NonAntiAliased());
    Rect all(0, 0, 120, 60);
    EXPECT_FALSE(InkBox(sharp).IsEmpty());
    EXPECT_GT(CountGreys(smooth, all), 40) << "the curves and slopes have grey edge pixels";
    EXPECT_EQ(CountGreys(sharp, all, 0, 255), 0) << "without anti-aliasing every pixel is ink or paper";
}

TEST_F(XftText, InkColour)
{
    ImageDraw w(60, 40);
    w.DrawRect(0, 0, 60, 40, White());
    w.DrawText(5, 5, WString("M"), Font(Font::SANSSERIF, 28).Bold(), Color(200, 0, 0));
    Image img = w.GetImage();
    int red = 0;
    for(int y = 0; y < 40; y++)
        for(int x = 0; x < 60; x++) {
            RGBA p = img[y][x];
            if(p.g < 10)
                red += p.r > 190 && p.r < 210 && p.b < 10;
        }
    EXPECT_GT(red, 30) << "fully covered pixels take the ink";
}

TEST_F(XftText, UnderlineOfHeight15IsOnePixelOneBelowTheBaseline)
{
    Font font = Font(Font::SANSSERIF, 15).Underline();
    int ascent = font.GetAscent();
    ASSERT_GT(font.GetDescent(), 0);
    // Spaces leave only the line.
    Image img = Draw(Size(100, 40), 10, 5, "    ", font);
    int width = GetTextSize("    ", font).cx;
    Rect ink = InkBox(img);
    EXPECT_EQ(ink, Rect(10, 5 + ascent + 1, 10 + width, 5 + ascent + 2));
}

TEST_F(XftText, StrikeOutAtTwoThirdsOfTheAscent)
{
    for(int height : { 15, 18, 40 }) {
        SCOPED_TRACE(height);
        Font font = Font(Font::SANSSERIF, height).Strikeout();
        int ascent = font.GetAscent();
        int line = std::max(height / 20, 1);
        Image img = Draw(Size(200, 60), 3, 4, "   ", font);
        int width = GetTextSize("   ", font).cx;
        EXPECT_EQ(InkBox(img), Rect(3, 4 + 2 * ascent / 3, 3 + width, 4 + 2 * ascent / 3 + line));
    }
}

TEST_F(XftText, AdvancesGivenOrMeasured)
{
    Font font(Font::SANSSERIF, 20);
    int dx[] = { 40, 40, 40 };
    Image given = Draw(Size(160, 40), 0, 0, "III", font, 0, dx);
    Image measured = Draw(Size(160, 40), 0, 0, "III", font);
    Rect first = InkBox(given, Rect(0, 0, 40, 40));
    Rect second = InkBox(given, Rect(40, 0, 80, 40));
    Rect third = InkBox(given, Rect(80, 0, 120, 40));
    EXPECT_EQ(second.left - first.left, 40);
    EXPECT_EQ(third.left - second.left, 40);
    EXPECT_LT(InkBox(measured).right, 3 * font.GetCharWidth('I') + 1);

    // The underline of a run with advances spans them, and the last glyph's own width.
    Font under = Font(font).Underline();
    int dx2[] = { 30, 30 };
    Image line = Draw(Size(160, 40), 0, 0, "  ", under, 0, dx2);
    EXPECT_EQ(InkBox(line).right, 30 + under.GetCharWidth(' '));
}

TEST_F(XftText, RotatedTextAdvancesUpwards)
{
    Font font(Font::SANSSERIF, 24);
    int ascent = font.GetAscent();
    int advance = font.GetCharWidth('H');
    // At 90 degrees the text cell's top-left corner is at (x, y) and the run goes up.
    Image img = Draw(Size(80, 120), 20, 100, "HH", font, 900);
    Rect ink = InkBox(img);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.left, 20);
    EXPECT_LE(ink.right, 20 + ascent + 1);
    EXPECT_LE(ink.bottom, 101);
    EXPECT_NEAR(ink.top, 100 - 2 * advance, 3);
    // The second H is a copy of the first moved up by the advance.
    Rect lower = InkBox(img, Rect(0, 100 - advance, 80, 101));
    Rect upper = InkBox(img, Rect(0, 0, 80, 100 - advance));
    EXPECT_EQ(lower.left, upper.left);
    EXPECT_NEAR(lower.top - upper.top, advance, 1);
}

TEST_F(XftText, RotatedUnderlineRunsAlongTheText)
{
    Font font = Font(Font::SANSSERIF, 20).Underline();
    int ascent = font.GetAscent();
    int width = GetTextSize("   ", font).cx;
    Image img = Draw(Size(80, 120), 10, 100, "   ", font, 900);
    // The line stands one underline offset right of the baseline, from y up by the width.
    Rect ink = InkBox(img);
    EXPECT_EQ(ink.left, 10 + ascent + 1);
    EXPECT_LE(ink.Width(), 2);
    EXPECT_NEAR(ink.top, 100 - width, 1);
    EXPECT_NEAR(ink.bottom, 101, 1);
}

TEST_F(XftText, ClippedLikeEverythingElse)
{
    ImageDraw w(100, 40);
    w.DrawRect(0, 0, 100, 40, White());
    w.Clip(0, 0, 30, 40);
    w.DrawText(5, 5, WString("WWWW"), Font(Font::SANSSERIF, 20), Black());
    w.End();
    Image img = w.GetImage();
    EXPECT_FALSE(InkBox(img, Rect(0, 0, 30, 40)).IsEmpty());
    EXPECT_TRUE(InkBox(img, Rect(30, 0, 100, 40), 0).IsEmpty());
}

TEST_F(XftText, RunFarWiderThanTheViewShowsOnlyItsVisiblePart)
{
    // Positions past the 16 bits the protocol keeps would wrap, and a run of this length
    // sent whole once cost the connection its sequence tracking.
    Font font(Font::SANSSERIF, 20);
    // Ink left of the view, "Hey" in it, then blanks far past its right edge.
    WString filler, blanks;
    for(int i = 0; i < 30000; i++) {
        filler += WString("ab");
        blanks += WString("  ");
    }
    filler += WString("    ");
    WString run = filler + WString("Hey") + blanks;
    int before = GetTextSize(filler, font).cx;
    ASSERT_GT(before, 0x10000);
    Image plain = Draw(Size(100, 40), 10, 5, "Hey", font);
    ASSERT_FALSE(InkBox(plain).IsEmpty());
    ImageDraw w(100, 40);
    w.DrawRect(0, 0, 100, 40, White());
    w.DrawText(10 - before, 5, run, font, Black());
    EXPECT_TRUE(w.GetImage() == plain) << "measured advances";

    // The same with advances given: 12 pixels for every character.
    Vector<int> dx;
    dx.SetCount(run.GetLength(), 12);
    int given[] = { 12, 12, 12 };
    Image spaced = Draw(Size(100, 40), 10, 5, "Hey", font, 0, given);
    ImageDraw g(100, 40);
    g.DrawRect(0, 0, 100, 40, White());
    g.DrawText(10 - 12 * filler.GetLength(), 5, run, font, Black(), dx.begin());
    EXPECT_TRUE(g.GetImage() == spaced) << "given advances";
}

TEST_F(XftText, OffsetMovesTheText)
{
    Font font(Font::SANSSERIF, 20);
    Image plain = Draw(Size(100, 60), 10, 10, "E", font);
    ASSERT_FALSE(InkBox(plain).IsEmpty());
    ImageDraw w(100, 60);
    w.DrawRect(0, 0, 100, 60, White());
    w.Offset(7, 9);
    w.DrawText(3, 1, WString("E"), font, Black());
    w.End();
    EXPECT_EQ(InkBox(w.GetImage()), InkBox(plain));
}

TEST_F(XftText, RenderedGlyphIsBlackOnWhite)
{
    Font font(Font::SERIF, 30);
    Image glyph = RenderGlyphXft(40, 5, font, 'A', 0, 40);
    ASSERT_EQ(glyph.GetSize(), Size(40, 40));
    EXPECT_EQ(glyph.GetKind(), IMAGE_OPAQUE);
    Rect ink = InkBox(glyph);
    EXPECT_EQ(ink.bottom, font.GetAscent());
    EXPECT_TRUE(test::Near(glyph[0][0], MakeRGBA(255, 255, 255, 255), 0));
    // The hook of the drawing layer gives the same image.
    EXPECT_EQ(RenderGlyphImage(40, 5, font, 'A', 0, 40), glyph);
}

} // namespace
} // namespace Qor
