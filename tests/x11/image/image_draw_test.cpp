// ImageDraw: drawing read back as an Image, with and without its alpha plane, and the
// image drawing hooks of the drawing layer.

// First: GoogleTest before the X headers, whose macros clash with its names.
#include "tests/support/x11/gui_test.h"

#include "ctrl/x11/image/image_draw.h"
#include "draw/target/image_any_draw.h"
#include "tests/support/x11/image_pixels.h"

namespace Qor {
namespace {

using test::Near;

class ImageDrawTest : public QorTest::GuiTest {};

TEST_F(ImageDrawTest, WithoutAlphaThePixelsAreOpaque)
{
    ImageDraw w(30, 20);
    w.DrawRect(0, 0, 30, 20, Color(10, 20, 30));
    w.DrawRect(5, 5, 10, 5, Color(250, 128, 0));
    Image img = w.GetImage();
    ASSERT_EQ(img.GetSize(), Size(30, 20));
    EXPECT_EQ(img.GetKind(), IMAGE_OPAQUE);
    EXPECT_TRUE(Near(img[0][0], MakeRGBA(10, 20, 30, 255), 0));
    EXPECT_TRUE(Near(img[7][9], MakeRGBA(250, 128, 0, 255), 0));
    EXPECT_TRUE(Near(img[10][9], MakeRGBA(10, 20, 30, 255), 0));
}

TEST_F(ImageDrawTest, AlphaPlaneGreysBecomeAlpha)
{
    ImageDraw w(20, 10);
    w.DrawRect(0, 0, 20, 10, Color(200, 100, 50));
    Draw& alpha = w.GetAlphaDraw();
    alpha.DrawRect(0, 0, 5, 10, White());
    alpha.DrawRect(5, 0, 5, 10, Color(128, 128, 128));
    Image img = w.GetImage();
    EXPECT_EQ(img.GetKind(), IMAGE_ALPHA);
    EXPECT_TRUE(Near(img[3][2], MakeRGBA(200, 100, 50, 255), 0));
    // Premultiplied by 128 / 255.
    EXPECT_TRUE(Near(img[3][7], MakeRGBA(100, 50, 25, 128), 1));
    EXPECT_TRUE(Near(img[3][15], RGBA{}, 0)) << "not drawn in the alpha plane: transparent";
    EXPECT_EQ(&w.GetAlphaDraw(), &alpha) << "cleared once only";
    EXPECT_EQ(w.GetImage(), img);
}

TEST_F(ImageDrawTest, TextDrawnIntoTheAlphaPlane)
{
    ImageDraw w(60, 40);
    w.DrawRect(0, 0, 60, 40, Black());
    w.GetAlphaDraw().DrawText(5, 5, WString("W"), Font(Font::SANSSERIF, 28), White());
    Image img = w.GetImage();
    int opaque = 0, partial = 0;
    for(int y = 0; y < 40; y++)
        for(int x = 0; x < 60; x++) {
            opaque += img[y][x].a == 255;
            partial += img[y][x].a > 0 && img[y][x].a < 255;
        }
    EXPECT_GT(opaque, 30);
    EXPECT_GT(partial, 10) << "anti-aliased edges become partial alpha";
    EXPECT_EQ(img[0][0].a, 0);
}

TEST_F(ImageDrawTest, EmptySizesGiveEmptyImages)
{
    for(Size sz : { Size(0, 0), Size(0, 10), Size(10, 0) }) {
        ImageDraw w(sz);
        w.DrawRect(0, 0, 5, 5, Black());
        EXPECT_TRUE(w.GetImage().IsEmpty());
    }
}

TEST_F(ImageDrawTest, DrawingLayerHooks)
{
    ASSERT_TRUE(IsImageDrawFactorySet());
    ASSERT_EQ(GlyphToImageHook, &RenderGlyphXft);
    ImageAnyDraw w(8, 6);
    w.DrawRect(0, 0, 8, 6, Color(0, 0, 255));
    w.DrawRect(2, 2, 1, 1, Color(255, 255, 0));
    Image img = w.GetImage();
    ASSERT_EQ(img.GetSize(), Size(8, 6));
    EXPECT_TRUE(Near(img[0][0], MakeRGBA(0, 0, 255, 255), 0));
    EXPECT_TRUE(Near(img[2][2], MakeRGBA(255, 255, 0, 255), 0));

    Draw* made = CreateImageDraw(Size(3, 3));
    ASSERT_NE(dynamic_cast<ImageDraw*>(made), nullptr);
    delete made;
    ImageAnyDraw other(2, 2);
    EXPECT_TRUE(GetImageDrawImage(&other).IsEmpty()) << "only an ImageDraw has an image";
}

} // namespace
} // namespace Qor
