// Paragraph painting onto pixels: the highlight covers the line across the page and hides
// character paper; without it the paper shows under the run only.

#include "tests/draw/support/raster_draw.h"
#include "tests/richtext/layout/layout_support.h"
#include "tests/richtext/paint/paint_support.h"

#include <gtest/gtest.h>

namespace Qor {
namespace {

int CountPixels(const QorTest::RasterDraw& w, Color c)
{
    int n = 0;
    RGBA want = MakeRGBA(c.GetR(), c.GetG(), c.GetB(), 255);
    for(int y = 0; y < w.canvas.GetHeight(); y++)
        for(int x = 0; x < w.canvas.GetWidth(); x++) {
            RGBA p = w.At(x, y);
            n += p.r == want.r && p.g == want.g && p.b == want.b && p.a == 255;
        }
    return n;
}

TEST(ParagraphRaster, HighlightHidesCharacterPaper)
{
    UnpackedParagraph p = QorTest::Para(u"ab");
    Color paper(0, 200, 0), ink(0, 0, 200), yellow(255, 255, 0);
    p.part[0].format.paper = paper;
    p.part[0].format.ink = ink;
    RichPaintInfo pi;
    pi.zoom = ZoomRatio(96, 600);
    ZoomRatio z = pi.zoom;
    Rect page(0, 0, 600, 600);
    int h = z * QorTest::FontHeight();

    QorTest::RasterDraw plain(96, 96);
    QorTest::PaintParagraph(plain, p, pi, page);
    EXPECT_GT(CountPixels(plain, paper), 0);
    EXPECT_EQ(CountPixels(plain, yellow), 0);

    pi.highlight_position = 0;
    pi.highlight_color = yellow;
    QorTest::RasterDraw lit(96, 96);
    QorTest::PaintParagraph(lit, p, pi, page);
    EXPECT_EQ(CountPixels(lit, paper), 0);
    // Every pixel of the line's band is highlight or ink; below it the canvas stays white.
    int ink_pixels = CountPixels(lit, ink);
    EXPECT_GT(ink_pixels, 0);
    EXPECT_EQ(CountPixels(lit, yellow) + ink_pixels, 96 * h);
    EXPECT_EQ(CountPixels(lit, White()), 96 * (96 - h));
}

} // namespace
} // namespace Qor
