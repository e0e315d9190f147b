// Images painted through their server-side copies, checked by the pixels they leave.

// First: GoogleTest before the X headers, whose macros clash with its names.
#include "tests/support/x11/gui_test.h"

#include "ctrl/x11/image/image_draw.h"
#include "ctrl/x11/image/image_sys_data.h"
#include "draw/image/pixel_buffer.h"
#include "draw/image_cache/made_image.h"
#include "tests/support/x11/image_pixels.h"

#include <algorithm>
#include <functional>

namespace Qor {
namespace {

using test::InkBox;
using test::Near;

// Each test starts and ends with an empty record cache.
class ImagePaint : public QorTest::GuiTest {
protected:
    void SetUp() override
    {
        QorTest::GuiTest::SetUp();
        GetImageSysDataCache().Clear();
    }
    void TearDown() override { GetImageSysDataCache().Clear(); }

    // A cx x cy image of premultiplied pixels from f(x, y).
    static Image Make(int cx, int cy, std::function<RGBA(int, int)> f)
    {
        PixelBuffer b(cx, cy);
        for(int y = 0; y < cy; y++)
            for(int x = 0; x < cx; x++)
                b[y][x] = f(x, y);
        return Image(b);
    }

    static Image Solid(int cx, int cy, RGBA p)
    {
        return Make(cx, cy, [&](int, int) { return p; });
    }

    // w white, then the image part at (x, y).
    static Image Paint(Size size, int x, int y, const Image& img, const Rect& src, Color colour = Color())
    {
        ImageDraw w(size);
        w.DrawRect(0, 0, size.cx, size.cy, White());
        w.DrawImagePart(x, y, img, src, colour);
        return w.GetImage();
    }
};

const RGBA WHITE = MakeRGBA(255, 255, 255, 255);

TEST_F(ImagePaint, AlphaBlendsOverThePaper)
{
    // Half-transparent red, premultiplied: 128, 0, 0 at alpha 128; and a gradient of alpha.
    Image half = Solid(10, 10, MakeRGBA(128, 0, 0, 128));
    Image out = Paint(Size(30, 30), 5, 5, half, Rect(half.GetSize()));
    EXPECT_TRUE(Near(out[10][10], MakeRGBA(255, 127, 127, 255))) << (int)out[10][10].g;
    EXPECT_TRUE(Near(out[4][4], WHITE, 0));
    EXPECT_TRUE(Near(out[15][15], WHITE, 0));

    Image ramp = Make(256, 1, [](int x, int) { return MakeRGBA(0, 0, x, x); });
    Image blended = Paint(Size(256, 1), 0, 0, ramp, Rect(ramp.GetSize()));
    for(int x : { 0, 1, 64, 127, 200, 255 })
        EXPECT_TRUE(Near(blended[0][x], MakeRGBA(255 - x, 255 - x, 255, 255))) << x;
}

TEST_F(ImagePaint, OpaqueImageFirstDirectThenThroughItsPicture)
{
    Image img = Make(8, 6, [](int x, int y) { return MakeRGBA(x * 30, y * 40, 77, 255); });
    ImageDraw w(20, 20);
    w.DrawImage(2, 3, img);
    ImageSysData& r = GetImageSysDataCache().Get(img);
    EXPECT_EQ(r.paint_count, 1);
    EXPECT_EQ(r.picture, 0u) << "a first whole paint leaves no copy in the server";
    Image first = w.GetImage();
    w.DrawRect(0, 0, 20, 20, White());
    w.DrawImage(2, 3, img);
    EXPECT_NE(GetImageSysDataCache().Get(img).picture, 0u);
    Image second = w.GetImage();
    for(int y = 0; y < 6; y++)
        for(int x = 0; x < 8; x++) {
            EXPECT_TRUE(Near(first[y + 3][x + 2], img[y][x], 0));
            EXPECT_TRUE(Near(second[y + 3][x + 2], img[y][x], 0));
        }
}

TEST_F(ImagePaint, SourceRectangleClippedToTheImage)
{
    Image img = Solid(10, 10, MakeRGBA(0, 0, 0, 255));
    struct Case {
        Rect src;
        Rect want; // ink in the 40 x 40 result, image placed at (10, 10)
    } cases[] = {
        { Rect(0, 0, 10, 10), Rect(10, 10, 20, 20) }, { Rect(5, 5, 20, 20), Rect(10, 10, 15, 15) },
        { Rect(-5, -5, 3, 4), Rect(10, 10, 13, 14) }, { Rect(12, 0, 20, 10), Rect(0, 0, 0, 0) },
        { Rect(0, -8, 10, -1), Rect(0, 0, 0, 0) },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.src.left << "," << c.src.top);
        EXPECT_EQ(InkBox(Paint(Size(40, 40), 10, 10, img, c.src)), c.want);
    }
}

TEST_F(ImagePaint, ShapeInOneColourFromTheSourceCorner)
{
    // A mask image: opaque where x + y is even, with an alpha image beside it.
    Image mask = Make(12, 12, [](int x, int y) { return (x + y) % 2 ? RGBA{} : MakeRGBA(9, 9, 9, 255); });
    Image out = Paint(Size(20, 20), 0, 0, mask, Rect(5, 5, 12, 12), Color(0, 0, 255));
    for(int y = 0; y < 7; y++)
        for(int x = 0; x < 7; x++) {
            bool opaque = (x + 5 + y + 5) % 2 == 0;
            EXPECT_TRUE(Near(out[y][x], opaque ? MakeRGBA(0, 0, 255, 255) : WHITE, 0)) << x << "," << y;
        }
    EXPECT_TRUE(Near(out[8][8], WHITE, 0));

    Image alpha = Solid(4, 4, MakeRGBA(10, 10, 10, 64));
    Image tinted = Paint(Size(10, 10), 0, 0, alpha, Rect(alpha.GetSize()), Color(0, 255, 0));
    EXPECT_TRUE(Near(tinted[1][1], MakeRGBA(191, 255, 191, 255)));
}

TEST_F(ImagePaint, OpaqueImageInOneColourFillsItsRectangle)
{
    Image img = Solid(6, 4, MakeRGBA(1, 2, 3, 255));
    Image out = Paint(Size(20, 20), 3, 3, img, Rect(2, 1, 4, 2), Color(255, 0, 0));
    EXPECT_EQ(InkBox(out, Rect(), 10), Rect(3, 3, 9, 7));
    EXPECT_TRUE(Near(out[5][5], MakeRGBA(255, 0, 0, 255), 0));
}

TEST_F(ImagePaint, ColoursSharingASolidSlot)
{
    Image shape = Make(3, 3, [](int x, int) { return x == 1 ? MakeRGBA(0, 0, 0, 255) : RGBA{}; });
    // Colour values equal modulo 67 take the same slot.
    Color a = Color::FromBits(0x000080);
    Color b = Color::FromBits(0x000080 + 67);
    ImageDraw w(10, 3);
    w.DrawRect(0, 0, 10, 3, White());
    w.DrawImage(0, 0, shape, a);
    w.DrawImage(3, 0, shape, b);
    w.DrawImage(6, 0, shape, a);
    Image out = w.GetImage();
    EXPECT_TRUE(Near(out[1][1], MakeRGBA(a.GetR(), a.GetG(), a.GetB(), 255), 0));
    EXPECT_TRUE(Near(out[1][4], MakeRGBA(b.GetR(), b.GetG(), b.GetB(), 255), 0));
    EXPECT_TRUE(Near(out[1][7], MakeRGBA(a.GetR(), a.GetG(), a.GetB(), 255), 0));
}

TEST_F(ImagePaint, TransparentImagesDrawNothing)
{
    Image clear = Solid(5, 5, RGBA{});
    EXPECT_TRUE(InkBox(Paint(Size(10, 10), 0, 0, clear, Rect(0, 0, 5, 5)), Rect(), 0).IsEmpty());
    EXPECT_TRUE(InkBox(Paint(Size(10, 10), 0, 0, Image(), Rect(0, 0, 5, 5)), Rect(), 0).IsEmpty());
    EXPECT_EQ(GetImageSysDataCache().GetCount(), 1) << "only the transparent image has a record";
}

TEST_F(ImagePaint, ClipAndOffsetApply)
{
    Image img = Solid(20, 20, MakeRGBA(0, 0, 0, 200));
    ImageDraw w(40, 40);
    w.DrawRect(0, 0, 40, 40, White());
    w.ClipOffset(10, 10, 8, 30);
    w.DrawImage(0, 0, img);
    w.End();
    EXPECT_EQ(InkBox(w.GetImage()), Rect(10, 10, 18, 30));
}

TEST_F(ImagePaint, CacheKeptWithinItsLimits)
{
    ImageDraw w(4, 4);
    Image first = Solid(1, 1, MakeRGBA(0, 0, 0, 100));
    w.DrawImage(0, 0, first);
    for(int i = 0; i < 1000; i++)
        w.DrawImage(0, 0, Solid(1, 1, MakeRGBA(0, 0, 0, 100)));
    EXPECT_EQ(GetImageSysDataCache().GetCount(), 1000);
    EXPECT_FALSE(GetImageSysDataCache().Contains(first)) << "the least recent went first";

    // Five screens of pixels: the oldest go until four screens are left. Transparent, so
    // nothing is sent to the server, which other tests share.
    Size screen = screen_size;
    for(int i = 0; i < 5; i++)
        w.DrawImage(0, 0, Solid(screen.cx, screen.cy, RGBA{}));
    EXPECT_EQ(GetImageSysDataCache().GetCount(), 4);
    EXPECT_LE(GetImageSysDataCache().GetCost(), 4 * (int64)screen.cx * screen.cy);
}

// Made for painting: only the made-image cache holds the image, so its upload frees the pixels.
struct HalfGreyMaker : ImageMaker {
    String GetKey() const override { return "x11 image paint: half grey"; }
    Image Make() const override
    {
        PixelBuffer b(6, 6);
        std::fill(b.Begin(), b.End(), MakeRGBA(0, 0, 0, 128));
        return Image(b);
    }
};

TEST_F(ImagePaint, PixelsGoneAfterUploadDrawFromTheCopyOrNotAtAll)
{
    ResetMadeImageCache();
    Image img = GetMadeImageForPainting(HalfGreyMaker());
    ASSERT_NE(img.GetPixels(), nullptr);
    Image first = Paint(Size(8, 8), 1, 1, img, Rect(0, 0, 6, 6));
    EXPECT_EQ(img.GetPixels(), nullptr) << "the server holds a copy";
    Image second = Paint(Size(8, 8), 1, 1, img, Rect(0, 0, 6, 6));
    EXPECT_TRUE(Near(first[3][3], MakeRGBA(127, 127, 127, 255)));
    EXPECT_TRUE(Near(second[3][3], MakeRGBA(127, 127, 127, 255)));
    // Once the copy is gone too, there is nothing to send: nothing is drawn.
    GetImageSysDataCache().Clear();
    Image third = Paint(Size(8, 8), 1, 1, img, Rect(0, 0, 6, 6));
    EXPECT_TRUE(Near(third[3][3], WHITE, 0));
    ResetMadeImageCache();
}

} // namespace
} // namespace Qor
