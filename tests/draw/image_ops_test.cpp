// Image operations: the 3 × 3 filter engine and etching, pixel transforms, copies and
// cut-outs, blending into a buffer, the host look's measurements and framed copies.

#include "draw/image_ops/image_filters.h"
#include "draw/image_ops/image_parts.h"
#include "draw/look/sys_colors.h"
#include "tests/draw/support/image_fixtures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Qor;
using QorTest::MakeImage;
using QorTest::Opaque;
using QorTest::SolidImage;

namespace {

const RGBA CLEAR = MakeRGBA(0, 0, 0, 0);

// The image as rows of letters from the legend ('?' for other pixels).
std::vector<std::string> Picture(const Image& img, std::initializer_list<std::pair<RGBA, char>> legend)
{
    std::vector<std::string> rows;
    for(int y = 0; y < img.GetHeight(); y++) {
        std::string row;
        for(int x = 0; x < img.GetWidth(); x++) {
            char c = '?';
            for(auto& l : legend)
                if(l.first == img[y][x])
                    c = l.second;
            row += c;
        }
        rows.push_back(row);
    }
    return rows;
}

// Records what the filter engine hands over.
struct RecordingFilter : ImageFilter9 {
    std::vector<std::vector<RGBA>> calls;
    RGBA Filter(const RGBA* a, const RGBA* r, const RGBA* b) override
    {
        calls.push_back({a[0], a[1], a[2], r[0], r[1], r[2], b[0], b[1], b[2]});
        return r[1];
    }
};

} // namespace

TEST(ApplyImageFilter9, EdgesRepeatTheNearestPixel)
{
    RecordingFilter one;
    Image img = SolidImage(1, 1, Opaque(5, 6, 7));
    Image out = ApplyImageFilter9(img, one);
    ASSERT_EQ(out.GetSize(), Size(1, 1));
    ASSERT_EQ(one.calls.size(), 1u);
    for(RGBA p : one.calls[0])
        EXPECT_EQ(p, Opaque(5, 6, 7));

    RecordingFilter f;
    Image grid = MakeImage(3, 2, [](int x, int y) { return Opaque(x, y, 0); });
    EXPECT_EQ(ApplyImageFilter9(grid, f), grid);
    ASSERT_EQ(f.calls.size(), 6u);
    // Pixel (0, 0): above is row 0 again, the left neighbour is the pixel itself.
    EXPECT_EQ(f.calls[0][0], Opaque(0, 0, 0));
    EXPECT_EQ(f.calls[0][2], Opaque(1, 0, 0));
    EXPECT_EQ(f.calls[0][6], Opaque(0, 1, 0));
    // Pixel (2, 1): below is row 1 again, the right neighbour is the pixel itself.
    EXPECT_EQ(f.calls[5][0], Opaque(1, 0, 0));
    EXPECT_EQ(f.calls[5][8], Opaque(2, 1, 0));
    RecordingFilter none;
    EXPECT_TRUE(ApplyImageFilter9(Image(), none).IsEmpty());
}

TEST(EtchImage, DarkSquareGetsAWhiteHighlight)
{
    Image img = MakeImage(5, 5, [](int x, int y) { return x < 3 && y < 3 ? Opaque(0, 0, 0) : CLEAR; });
    // Outside pixels repeat the edge, so the top row and left column see dark pixels too.
    std::vector<std::string> expected = {"gggw.", "gggw.", "gggw.", "wwww.", "....."};
    EXPECT_EQ(Picture(EtchImage(img), {{Opaque(128, 128, 128), 'g'}, {Opaque(255, 255, 255), 'w'}, {CLEAR, '.'}}),
              expected);
}

TEST(PixelTransforms, TableOfPixels)
{
    struct Case {
        const char* what;
        Image (*op)(const Image&);
        RGBA in, out;
    } cases[] = {
        {"grey 0 keeps", [](const Image& i) { return GrayscaleImage(i, 0); }, Opaque(200, 100, 50), Opaque(200, 100, 50)},
        {"grey 256", [](const Image& i) { return GrayscaleImage(i, 256); }, Opaque(200, 100, 50), Opaque(124, 124, 124)},
        {"grey white", [](const Image& i) { return GrayscaleImage(i, 256); }, Opaque(255, 255, 255), Opaque(255, 255, 255)},
        {"grey 200", [](const Image& i) { return GrayscaleImage(i, 200); }, Opaque(200, 0, 0), Opaque(90, 46, 46)},
        {"dark face black", AdaptImageToDarkFace, Opaque(0, 0, 0), Opaque(255, 255, 255)},
        {"dark face navy", AdaptImageToDarkFace, Opaque(0, 0, 100), Opaque(155, 155, 255)},
        {"dark face white", AdaptImageToDarkFace, Opaque(255, 255, 255), Opaque(0, 0, 0)},
        {"dark face grey", AdaptImageToDarkFace, Opaque(128, 128, 128), Opaque(128, 128, 128)},
        {"contrast 256", [](const Image& i) { return AdjustImageContrast(i, 256); }, Opaque(10, 128, 250), Opaque(10, 128, 250)},
        {"contrast 0", [](const Image& i) { return AdjustImageContrast(i, 0); }, Opaque(10, 128, 250), Opaque(128, 128, 128)},
        {"contrast 512", [](const Image& i) { return AdjustImageContrast(i, 512); }, Opaque(10, 150, 250), Opaque(0, 172, 255)},
        {"fill", [](const Image& i) { return FillImageShape(i, Color(255, 0, 0)); }, MakeRGBA(1, 2, 3, 128), MakeRGBA(128, 0, 0, 128)},
    };
    for(const Case& c : cases) {
        Image img = CopyWithHotSpots(SolidImage(2, 1, c.in), 1, 0, 0, 0);
        Image out = c.op(img);
        ASSERT_EQ(out.GetSize(), Size(2, 1)) << c.what;
        EXPECT_EQ(out[0][1], c.out) << c.what;
        EXPECT_EQ(out.GetHotSpot(), Point(1, 0)) << c.what;
    }
}

TEST(CopyImagePart, SameWholeEmptyOutsideAndClipped)
{
    Image img = MakeImage(4, 3, [](int x, int y) { return Opaque(x, y, 0); });
    Image spotted = CopyWithHotSpot(img, 2, 1);
    EXPECT_EQ(spotted.GetHotSpot(), Point(2, 1));
    EXPECT_EQ(spotted, img);
    EXPECT_EQ(CropImage(img, 0, 0, 4, 3).GetSerialId(), img.GetSerialId());
    EXPECT_TRUE(CropImage(img, 10, 0, 2, 2).IsEmpty());
    EXPECT_TRUE(CropImage(img, 1, 1, -3, 2).IsEmpty());
    EXPECT_TRUE(CropImage(img, INT_MAX, 0, INT_MAX, 2).IsEmpty());
    Image part = CropImage(spotted, 2, 1, 5, 5);
    ASSERT_EQ(part.GetSize(), Size(2, 2));
    EXPECT_EQ(part[0][0], Opaque(2, 1, 0));
    EXPECT_EQ(part[1][1], Opaque(3, 2, 0));
    EXPECT_EQ(part.GetHotSpot(), Point(0, 0));
}

TEST(BlendImage, NegativePositionsSkipSourceColumnsAndRows)
{
    Image src = MakeImage(4, 4, [](int x, int y) { return Opaque(x, y, 9); });
    PixelBuffer b(3, 3);
    FillPixels(b.Begin(), CLEAR, 9);
    b.BlendImage(Point(-2, -2), src, Rect(0, 0, 4, 4));
    EXPECT_EQ(b[0][0], Opaque(2, 2, 9));
    EXPECT_EQ(b[1][1], Opaque(3, 3, 9));
    EXPECT_EQ(b[2][2], CLEAR);
    PixelBuffer half(1, 1);
    half[0][0] = Opaque(200, 200, 200);
    half.BlendImage(Point(0, 0), SolidImage(1, 1, MakeRGBA(50, 0, 0, 128)), Rect(0, 0, 1, 1));
    EXPECT_EQ(half[0][0], MakeRGBA(50 + 99, 99, 99, 128 + 126));
}

TEST(ImageFromTwoBackgrounds, AlphaFromTheRedChannels)
{
    Image white = MakeImage(3, 1, [](int x, int) { return x == 0 ? Opaque(255, 255, 255) : x == 1 ? Opaque(40, 50, 60) : Opaque(191, 191, 255); });
    Image black = MakeImage(3, 1, [](int x, int) { return x == 0 ? Opaque(0, 0, 0) : x == 1 ? Opaque(40, 50, 60) : Opaque(64, 64, 128); });
    Image out = ImageFromTwoBackgrounds(white, black);
    EXPECT_EQ(out[0][0], CLEAR);
    EXPECT_EQ(out[0][1], Opaque(40, 50, 60));
    EXPECT_EQ(out[0][2].a, 128);
    EXPECT_EQ(out[0][2].r, 63); // 127 straight, premultiplied
    EXPECT_EQ(GetMaxChannelDifference(Opaque(1, 9, 3), MakeRGBA(4, 2, 3, 250)), 7);
}

TEST(GetImageBorderWidth, FramesFromEitherCorner)
{
    auto Framed = [](int outer_width) {
        return MakeImage(10, 10, [=](int x, int y) {
            int d = std::min({x, y, 9 - x, 9 - y});
            return d < outer_width ? Opaque(0, 0, 0) : Opaque(200, 200, 200);
        });
    };
    EXPECT_EQ(GetImageBorderWidth(Framed(2), 4, 10), 2);
    EXPECT_EQ(GetImageBorderWidth(Framed(0), 4, 10), 0);
    EXPECT_EQ(GetImageBorderWidth(Framed(2), 40, 10), 0);
    // Only the far corner differs: found on its mirrored walk.
    Image far = MakeImage(10, 10, [](int x, int y) { return x == 9 && y == 9 ? Opaque(0, 0, 0) : Opaque(200, 200, 200); });
    EXPECT_EQ(GetImageBorderWidth(far, 3, 10), 1);
    EXPECT_EQ(GetImageBorderWidth(far, 3, 255), 0);
}

TEST(ImageFrameSpec, RingsAndCorners)
{
    Image img = SolidImage(10, 10, Opaque(9, 9, 9));
    ImageFrameSpec spec(img);
    RGBA ink = SysColorShadow().ToRGBA();
    Image ring = spec.MakeImage();
    EXPECT_EQ(ring[0][0], ink);
    EXPECT_EQ(ring[9][5], ink);
    EXPECT_EQ(ring[5][9], ink);
    EXPECT_EQ(ring[1][1], Opaque(9, 9, 9));
    EXPECT_EQ(ring.GetHotSpot(), Point(0, 0));
    EXPECT_EQ(ring.GetSecondSpot(), Point(9, 9));

    spec.ink = Color(255, 0, 0);
    spec.top_left = spec.top_right = spec.bottom_left = spec.bottom_right = 2;
    spec.right = false;
    Image corners = spec.MakeImage();
    auto pic = Picture(corners, {{Opaque(255, 0, 0), 'i'}, {CLEAR, '.'}, {Opaque(9, 9, 9), 'o'}});
    EXPECT_EQ(pic[0], "..iiiiii..");
    // Without the right line its column keeps the image; the corner diagonals take the ink.
    EXPECT_EQ(pic[1], ".iooooooio");
    EXPECT_EQ(pic[5], "iooooooooo");
    EXPECT_EQ(pic[8], ".iooooooio");
    EXPECT_EQ(pic[9], "..iiiiii..");
    EXPECT_EQ(corners.GetHotSpot(), Point(2, 2));
    EXPECT_EQ(corners.GetSecondSpot(), Point(7, 7));
    spec.ResetEdges();
    EXPECT_TRUE(spec.right);
    EXPECT_EQ(spec.top_left, 0);
}
