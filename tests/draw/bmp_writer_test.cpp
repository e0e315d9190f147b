// The BMP writer: header fields, palettes and masks of every bit count, padding and
// reserved bytes, and files that read back to the pixels written.

#include "draw/raster/bmp/bmp_encoder.h"
#include "draw/raster/bmp/bmp_raster.h"
#include "tests/draw/support/bmp_files.h"
#include "tests/draw/support/image_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>

using namespace Qor;
using QorTest::MakeImage;
using QorTest::Opaque;

namespace {

std::string Encode(int bpp, bool grey, const Image& img)
{
    BMPEncoder encoder(bpp, grey);
    String s = EncodeImage(encoder, img);
    return std::string(s.Begin(), s.GetLength());
}

// Many colours, none repeated within a row.
Image Colourful(int cx, int cy)
{
    return MakeImage(cx, cy, [](int x, int y) { return Opaque(x * 40 + y, 255 - x * 30, y * 90 + x); });
}

Image Greys(int cx, int cy, int levels)
{
    return MakeImage(cx, cy, [=](int x, int y) {
        int l = (x + y * cx) % levels * 255 / (levels - 1);
        return Opaque(l, l, l);
    });
}

// Up to n distinct colours, far apart.
Image FewColours(int cx, int cy, int n)
{
    return MakeImage(cx, cy, [=](int x, int y) {
        int i = (x + y * cx) % n;
        return Opaque(i * 255 / (n - 1), (i * 7 % n) * 255 / (n - 1), (n - 1 - i) * 255 / (n - 1));
    });
}

} // namespace

TEST(BmpWriter, HeadersOfEveryBitCount)
{
    struct Case {
        int bpp;
        bool grey;
        int bit_count;
        uint32_t compression, offset, row_bytes;
    } cases[] = {
        { 1, false, 1, 0, 62, 4 },    { 4, false, 4, 0, 118, 4 },  { 8, false, 8, 0, 1078, 4 },
        { 8, true, 8, 0, 1078, 4 },   { 16, false, 16, 3, 66, 8 }, { 24, false, 24, 0, 54, 12 },
        { 32, false, 32, 0, 54, 12 }, { 7, false, 24, 0, 54, 12 },
    };
    Image img = Colourful(3, 2);
    for(const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bpp << (c.grey ? " grey" : ""));
        std::string file = Encode(c.bpp, c.grey, img);
        QorTest::BmpFields f = QorTest::ReadBmpFields(file);
        EXPECT_EQ(file.substr(0, 2), "BM");
        EXPECT_EQ(f.file_size, file.size());
        EXPECT_EQ(f.file_size, c.offset + 2 * c.row_bytes);
        EXPECT_EQ(f.data_offset, c.offset);
        EXPECT_EQ(f.header_size, 40u);
        EXPECT_EQ(f.width, 3);
        EXPECT_EQ(f.height, 2);
        EXPECT_EQ(f.planes, 1);
        EXPECT_EQ(f.bit_count, c.bit_count);
        EXPECT_EQ(f.compression, c.compression);
        EXPECT_EQ(f.image_size, 2 * c.row_bytes);
        EXPECT_EQ(f.colors_used, 0u);
        if(c.compression == 3) {
            EXPECT_EQ(file.substr(54, 12), std::string("\x00\xF8\x00\x00\xE0\x07\x00\x00\x1F\x00\x00\x00", 12));
        }
        if(c.grey) {
            for(int i = 0; i < 256; i++)
                ASSERT_EQ(file.substr(54 + 4 * i, 4), std::string({ (char)i, (char)i, (char)i, 0 })) << i;
        }
        // Padding, and the reserved byte of 32-bit pixels, are written 0.
        int used = (3 * c.bit_count + 7) / 8;
        for(int row = 0; row < 2; row++) {
            size_t at = c.offset + row * c.row_bytes;
            for(uint32_t i = used; i < c.row_bytes; i++)
                EXPECT_EQ(file[at + i], 0) << "padding " << i;
            if(c.bit_count == 32) {
                for(int x = 0; x < 3; x++)
                    EXPECT_EQ(file[at + 4 * x + 3], 0) << "reserved " << x;
            }
        }
    }
}

TEST(BmpWriter, FilesReadBackToTheirPixels)
{
    // Channels of 16-bit files keep their top 5, 6 and 5 bits.
    auto to565 = [](RGBA p) { return Opaque(p.r & 0xF8, p.g & 0xFC, p.b & 0xF8); };
    struct Case {
        const char* name;
        int bpp;
        bool grey;
        Image image;
        std::function<RGBA(RGBA)> expect;
        // A built palette stands for the image's colours by cells of its colour grid, whose
        // blue side spans 16 levels.
        int tolerance;
    } cases[] = {
        { "24 bits", 24, false, Colourful(13, 5), nullptr, 0 },
        { "32 bits", 32, false, Colourful(13, 5), nullptr, 0 },
        { "16 bits", 16, false, Colourful(13, 5), to565, 0 },
        { "8 bits, palette", 8, false, FewColours(17, 16, 256), nullptr, 15 },
        { "4 bits, palette", 4, false, FewColours(9, 5, 16), nullptr, 15 },
        { "1 bit, palette", 1, false, FewColours(11, 3, 2), nullptr, 15 },
        { "8 bits, grey", 8, true, Greys(16, 16, 256), nullptr, 0 },
        { "4 bits, grey", 4, true, Greys(7, 5, 16), nullptr, 0 },
        { "1 bit, grey", 1, true, Greys(9, 2, 2), nullptr, 0 },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string file = Encode(c.bpp, c.grey, c.image);
        Image back = StreamRaster::LoadFromString(String(file.data(), (int)file.size()));
        ASSERT_EQ(back.GetSize(), c.image.GetSize());
        int worst = 0;
        for(int i = 0; i < c.image.GetLength(); i++) {
            RGBA p = c.expect ? c.expect(c.image.GetPixels()[i]) : c.image.GetPixels()[i];
            RGBA q = back.GetPixels()[i];
            worst = std::max({ worst, std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b) });
            EXPECT_EQ(q.a, 255);
        }
        EXPECT_LE(worst, c.tolerance);
    }
}

TEST(BmpWriter, DotsTravelAsResolution)
{
    PixelBuffer b(6, 3);
    FillPixels(b.Begin(), Opaque(1, 2, 3), 18);
    b.SetDots(Size(12, 5));
    std::string file = Encode(24, false, Image(b));
    QorTest::BmpFields f = QorTest::ReadBmpFields(file);
    EXPECT_EQ(f.x_ppm, 11811); // 300 dpi
    EXPECT_EQ(f.y_ppm, 14173);
    EXPECT_EQ(StreamRaster::LoadFromString(String(file.data(), (int)file.size())).GetDots(), Size(12, 5));

    EXPECT_EQ(QorTest::ReadBmpFields(Encode(24, false, Colourful(2, 2))).x_ppm, 0);
}

TEST(BmpWriter, PalettesNeverSetAreGreyRamps)
{
    struct Case {
        int bpp, entries;
    } cases[] = { { 1, 2 }, { 4, 16 }, { 8, 256 } };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.bpp);
        BMPEncoder encoder(c.bpp);
        EXPECT_EQ(encoder.GetPaletteCount(), c.entries);
        const RGBA* palette = encoder.GetPalette();
        for(int i = 0; i < c.entries; i++) {
            int l = i * 255 / (c.entries - 1);
            ASSERT_EQ(palette[i], Opaque(l, l, l)) << i;
        }
    }
    EXPECT_EQ(BMPEncoder(8, true).GetPaletteCount(), 0);
    EXPECT_EQ(BMPEncoder(24).GetPaletteCount(), 0);
}

TEST(BmpWriter, AnEmptyImageWritesNothing) { EXPECT_EQ(Encode(24, false, Image()), ""); }
