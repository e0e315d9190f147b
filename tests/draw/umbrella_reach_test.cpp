// The drawing library's umbrella reaches text measuring, rescaling, image filters,
// palettes and font metrics: this file includes nothing else of the library.
#include "draw/draw.h"

#include <gtest/gtest.h>

namespace {

using namespace Qor;

Image Checker()
{
    PixelBuffer b;
    b.Create(4, 4);
    for(int i = 0; i < 16; i++)
        b.Begin()[i] = (i + i / 4) % 2 ? RGBA{ 0, 0, 0, 255 } : RGBA{ 255, 255, 255, 255 };
    return Image(b);
}

TEST(DrawUmbrella, ReachesImagesAndPalettes)
{
    Image img = Checker();
    EXPECT_EQ(RescaleImage(img, 8, 2).GetSize(), Size(8, 2));
    EXPECT_EQ(EtchImage(img).GetSize(), img.GetSize());
    ImageRaster raster(img);
    RGBA palette[2];
    CreatePalette(raster, palette, 2);
    EXPECT_NE(palette[0].r, palette[1].r); // black and white, in some order
}

TEST(DrawUmbrella, ReachesFontsAndText)
{
    Font font = GetStandardFont();
    FontMetrics m = LookupFontMetrics(font.Resolved());
    EXPECT_GT(m.ascent, 0);
    EXPECT_GT(GetTextSize("mm", font).cx, GetTextSize("m", font).cx);
    SetStandardFont(font); // the same font again: nothing else changes
    EXPECT_EQ(GetStandardFont(), font);
}

} // namespace
