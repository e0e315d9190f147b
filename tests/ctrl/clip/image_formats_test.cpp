// The image clipboard formats: the private form, BMP for other programs, and foreign data
// measured against its declared size before it is loaded.
#include "ctrl/clip/clipboard.h"
#include "ctrl/clip/image_formats.h"
#include "draw/image/pixel_buffer.h"
#include "draw/raster/stream_raster.h"
#include "richtext/objects/image_objects.h"
#include "tests/ctrl/support/test_platform.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Qor;

namespace {

Image Sample(int cx, int cy)
{
    PixelBuffer b(cx, cy);
    for(int y = 0; y < cy; y++)
        for(int x = 0; x < cx; x++) {
            RGBA& p = b[y][x];
            p.r = (byte)(x * 40);
            p.g = (byte)(y * 60);
            p.b = 200;
            p.a = 255;
        }
    b.SetHotSpot(Point(1, 0));
    b.SetDots(Size(30, 15));
    return Image(std::move(b));
}

bool SamePixels(const Image& a, const Image& b)
{
    return a.GetSize() == b.GetSize() &&
           std::memcmp(a.GetPixels(), b.GetPixels(), (size_t)a.GetLength() * sizeof(RGBA)) == 0;
}

// An offer holding one format with data.
struct OneFormat {
    static inline String format, data;
    static bool Has(int, const String& f) { return f == format; }
    static bool Read(int, const String& f, String& d)
    {
        d = data;
        return f == format;
    }
};

class ImageOfferTest : public ::testing::Test {
protected:
    void SetUp() override { ClearClipboard(); }
    struct Host : Platform {
        bool HasFormat(int kind, const String& f) override { return OneFormat::Has(kind, f); }
        bool Read(int kind, const String& f, String& d) override { return OneFormat::Read(kind, f, d); }
    } host;
    QorTest::PlatformScope installed{ host };
    Image Offered(const String& format, const String& data)
    {
        OneFormat::format = format;
        OneFormat::data = data;
        TransferOffer o;
        return ReadOfferImage(o);
    }
};

TEST(ImageClipFormats, PrivateFormIsFramedImage)
{
    EXPECT_STREQ(ImageClipFormatName(), "Qor type: N3Qor5ImageE");
    EXPECT_STREQ(GetImageClipFormats(), "Qor type: N3Qor5ImageE;image/png");
    String data = RenderImageFormat(Sample(2, 1), ImageClipFormatName());
    ASSERT_EQ(data.GetLength(), 45);
    EXPECT_EQ(data.Left(5), String("data\x01", 5));
    EXPECT_EQ(data.Mid(37, 4), String("end\0", 4));
    EXPECT_EQ(data.Mid(41), String("\x29\0\0\0", 4)); // 41
    EXPECT_TRUE(IsPrivateImageSizeValid(data));
    EXPECT_EQ(RenderImageFormat(Image(), ImageClipFormatName()), "");
    EXPECT_EQ(RenderImageFormat(Sample(2, 1), "image/png"), "");
}

TEST(ImageClipFormats, BmpForOtherProgramsDecodesToSamePixels)
{
    Image img = Sample(5, 3);
    String bmp = RenderImageFormat(img, "image/bmp");
    ASSERT_EQ(bmp.Left(2), "BM");
    EXPECT_EQ((byte)bmp[28], 24); // bits per pixel
    EXPECT_TRUE(SamePixels(StreamRaster::LoadFromString(bmp), img));
}

TEST(ImageClipFormats, HooksOfRichTextImagesAreInstalled)
{
    // The registration of the control library installs them; the rich-text image type
    // then lists the formats.
    EXPECT_EQ(GetRichImage().GetClipFormats(), GetImageClipFormats());
}

TEST_F(ImageOfferTest, PrivateImageRoundTripsExactly)
{
    Image img = Sample(3, 2);
    Image got = Offered(ImageClipFormatName(), RenderImageFormat(img, ImageClipFormatName()));
    EXPECT_TRUE(SamePixels(got, img));
    EXPECT_EQ(got.GetHotSpot(), Point(1, 0));
    EXPECT_EQ(got.GetDots(), Size(30, 15));
}

TEST_F(ImageOfferTest, BadDeclaredSizesAreRefused)
{
    String good = RenderImageFormat(Sample(3, 2), ImageClipFormatName());
    auto with_size = [&](int32 cx, int32 cy) {
        String s = good;
        char* p = (char*)s.Begin();
        std::memcpy(p + 5, &cx, 4);
        std::memcpy(p + 9, &cy, 4);
        return s;
    };
    struct Case {
        const char* what;
        String data;
    } cases[] = {
        { "huge", with_size(100000, 100000) },
        { "negative", with_size(-3, 2) },
        { "larger than the data", with_size(3, 3) },
        { "smaller than the data", with_size(2, 2) },
        { "truncated", good.Left(30) },
        { "not framed", String("junk") },
    };
    for(const Case& c : cases) {
        EXPECT_FALSE(IsPrivateImageSizeValid(c.data)) << c.what;
        EXPECT_TRUE(Offered(ImageClipFormatName(), c.data).IsEmpty()) << c.what;
    }
}

TEST_F(ImageOfferTest, OnlyPrivateAndPngAreRead)
{
    Image img = Sample(2, 2);
    OneFormat::format = "image/bmp";
    OneFormat::data = RenderImageFormat(img, "image/bmp");
    TransferOffer o;
    EXPECT_FALSE(IsImageOffered(o));
    EXPECT_TRUE(Offered("image/bmp", RenderImageFormat(img, "image/bmp")).IsEmpty());
    EXPECT_TRUE(Offered("image/png", "\x89PNG damaged").IsEmpty());
}

} // namespace
