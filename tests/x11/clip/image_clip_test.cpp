// Images between this program and another one: the private form both ways, BMP out, PNG
// in, and foreign data whose declared size does not hold refused before it is decoded.
#include "tests/x11/clip/clip_fixture.h"

#include "ctrl/clip/image_formats.h"
#include "ctrl/x11/clip/png_raster.h"
#include "draw/image/pixel_buffer.h"
#include "draw/raster/stream_raster.h"
#include "foundation/process.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

using namespace Qor;

namespace QorTest {

namespace {

Image Sample()
{
    PixelBuffer b(4, 3);
    for(int y = 0; y < 3; y++)
        for(int x = 0; x < 4; x++)
            b[y][x] = MakeRGBA(x * 60, y * 100, 30, 255);
    b.SetHotSpot(Point(2, 1));
    b.SetDots(Size(40, 30));
    return Image(std::move(b));
}

bool SamePixels(const Image& a, const Image& b)
{
    return a.GetSize() == b.GetSize() &&
           std::memcmp(a.GetPixels(), b.GetPixels(), (size_t)a.GetLength() * sizeof(RGBA)) == 0;
}

String RenderPrivate(const Value& v) { return RenderImageFormat(Image(v), ImageClipFormatName()); }
String RenderBmp(const Value& v) { return RenderImageFormat(Image(v), "image/bmp"); }
String RenderPng(const Value& v) { return RenderImageFormat(Image(v), "image/png"); }

String ToString(const std::string& s) { return String(s.data(), (int)s.size()); }

// A PNG of 3 x 2 red pixels with a blue one at (1, 0), made by ImageMagick.
std::string MakePng()
{
    std::string path = "/tmp/qor_clip_png_" + std::to_string(getpid()) + ".png";
    std::string cmd = "convert -size 3x2 xc:red -fill blue -draw 'point 1,0' PNG32:" + path;
    if(std::system(cmd.c_str()) != 0)
        return std::string();
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    std::remove(path.c_str());
    return s.str();
}

TEST_F(ClipTest, ImageGoesOutPrivateAndAsBmp)
{
    Image img = Sample();
    ClearClipboard();
    AppendClipboard(ImageClipFormatName(), img, RenderPrivate);
    AppendClipboard("image/bmp", img, RenderBmp);
    AppendClipboard("image/png", img, RenderPng);
    String framed = ToString(Fetch("clipboard", ImageClipFormatName()));
    EXPECT_EQ(framed, RenderImageFormat(img, ImageClipFormatName()));
    Image bmp = StreamRaster::LoadFromString(ToString(Fetch("clipboard", "image/bmp")));
    EXPECT_TRUE(SamePixels(bmp, img));
    // No PNG encoder: the program answers with an empty property.
    EXPECT_EQ(Fetch("clipboard", "image/png"), "");
}

TEST_F(ClipTest, PrivateImageFromPeerIsExact)
{
    Image img = Sample();
    std::string framed(RenderImageFormat(img, ImageClipFormatName()).Begin(), 4 + 1 + 24 + 48 + 8);
    PeerProcess peer;
    ASSERT_TRUE(Offer(peer, "CLIPBOARD", ImageClipFormatName(), framed));
    TransferOffer offer;
    EXPECT_TRUE(IsImageOffered(offer));
    Image got = ReadOfferImage(offer);
    EXPECT_TRUE(SamePixels(got, img));
    EXPECT_EQ(got.GetHotSpot(), Point(2, 1));
    EXPECT_EQ(got.GetDots(), Size(40, 30));
}

TEST_F(ClipTest, PngFromPeerIsDecoded)
{
    std::string png = MakePng();
    ASSERT_FALSE(png.empty()) << "ImageMagick's convert is missing: run tools/install-deps.sh";
    PeerProcess peer;
    ASSERT_TRUE(Offer(peer, "CLIPBOARD", "image/png", png));
    TransferOffer offer;
    Image got = ReadOfferImage(offer);
    ASSERT_EQ(got.GetSize(), Size(3, 2));
    EXPECT_EQ(offer.GetFormat(), "image/png");
    for(int y = 0; y < 2; y++)
        for(int x = 0; x < 3; x++)
            EXPECT_EQ(got[y][x], x == 1 && y == 0 ? MakeRGBA(0, 0, 255, 255) : MakeRGBA(255, 0, 0, 255))
                << x << ", " << y;
}

TEST_F(ClipTest, ForeignImageWithBadDeclaredSizeIsRefused)
{
    String framed = RenderImageFormat(Sample(), ImageClipFormatName());
    std::string claims_more(framed.Begin(), framed.GetLength());
    int32 huge = 30000;
    std::memcpy(&claims_more[5], &huge, 4);
    std::memcpy(&claims_more[9], &huge, 4);
    std::string png = MakePng();
    ASSERT_FALSE(png.empty());
    std::string png_claims_more = png;
    const char giant[] = { 0, 0, 0x75, 0x30 }; // 30000 wide and high
    png_claims_more.replace(16, 4, giant, 4);
    png_claims_more.replace(20, 4, giant, 4);
    struct Case {
        const char* format;
        std::string data;
    } cases[] = { { ImageClipFormatName(), claims_more }, { "image/png", png_claims_more } };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.format);
        PeerProcess peer;
        ASSERT_TRUE(Offer(peer, "CLIPBOARD", c.format, c.data));
        TransferOffer offer;
        EXPECT_TRUE(ReadOfferImage(offer).IsEmpty());
    }
}

TEST(PngHeader, DeclaredSizeMustFitTheData)
{
    std::string png = MakePng();
    ASSERT_FALSE(png.empty());
    int cx = 0, cy = 0;
    EXPECT_TRUE(CheckPngHeader(ToString(png), cx, cy));
    EXPECT_EQ(Size(cx, cy), Size(3, 2));
    auto with_size = [&](uint32 w, uint32 h) {
        std::string s = png;
        const char wb[] = { (char)(w >> 24), (char)(w >> 16), (char)(w >> 8), (char)w };
        const char hb[] = { (char)(h >> 24), (char)(h >> 16), (char)(h >> 8), (char)h };
        s.replace(16, 4, wb, 4);
        s.replace(20, 4, hb, 4);
        return ToString(s);
    };
    EXPECT_FALSE(CheckPngHeader(with_size(0, 2), cx, cy));
    EXPECT_FALSE(CheckPngHeader(with_size(0x80000000u, 2), cx, cy));
    EXPECT_FALSE(CheckPngHeader(with_size(9000, 9000), cx, cy)) << "more pixels than allowed";
    EXPECT_FALSE(CheckPngHeader(with_size(8000, 8000), cx, cy)) << "more than the data can inflate to";
    EXPECT_FALSE(CheckPngHeader(ToString(png.substr(0, 20)), cx, cy));
    EXPECT_TRUE(StreamRaster::LoadFromString(with_size(8000, 8000)).IsEmpty());
}

} // namespace

} // namespace QorTest
