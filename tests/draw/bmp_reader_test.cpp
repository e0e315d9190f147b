// The BMP reader on files assembled field by field: every bit count, row order, bit
// fields in short and long info headers, the pixel-data offset, RLE8 and RLE4 codes, what
// RLE data leaves out, and the files it refuses.

#include "draw/raster/bmp/bmp_raster.h"
#include "foundation/string_stream.h"
#include "tests/draw/support/bmp_files.h"
#include "tests/draw/support/image_fixtures.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

using namespace Qor;
using QorTest::BmpEntry;
using QorTest::BmpFile;
using QorTest::Opaque;

namespace {

std::string Bytes(std::initializer_list<int> b)
{
    std::string s;
    for(int c : b)
        s += (char)c;
    return s;
}

const RGBA RED = Opaque(255, 0, 0), GREEN = Opaque(0, 255, 0), BLUE = Opaque(0, 0, 255), WHITE = Opaque(255, 255, 255),
           CLEARED = RGBA{ 0, 0, 0, 0 };
const RGBA P1 = Opaque(200, 100, 50), P2 = Opaque(10, 20, 30);

// Entry i of the 16-entry palette the 4-bit files use.
RGBA Pal16(int i) { return Opaque(i * 16, 255 - i * 16, i); }

BmpFile Paletted(int bits, int cx, int cy, std::string pixels)
{
    BmpFile f;
    f.bit_count = bits;
    f.width = cx;
    f.height = cy;
    if(bits == 4)
        for(int i = 0; i < 16; i++)
            f.palette.push_back(BmpEntry(Pal16(i).r, Pal16(i).g, Pal16(i).b));
    else {
        f.palette.assign(bits == 1 ? 2 : 256, 0);
        f.palette[0] = BmpEntry(P2.r, P2.g, P2.b);
        f.palette[1] = BmpEntry(P1.r, P1.g, P1.b);
        if(bits == 8)
            f.palette[2] = BmpEntry(0, 0, 255);
    }
    f.pixels = std::move(pixels);
    return f;
}

BmpFile Rle(int bits, int cx, int cy, std::string codes)
{
    BmpFile f = Paletted(bits, cx, cy, std::move(codes));
    f.compression = bits == 8 ? 1 : 2;
    return f;
}

BmpFile TrueColour(int bits, int cx, int cy, std::string pixels, std::vector<uint32_t> masks = {},
                   uint32_t header_size = 40)
{
    BmpFile f;
    f.bit_count = bits;
    f.width = cx;
    f.height = cy;
    f.header_size = header_size;
    f.masks = std::move(masks);
    f.compression = f.masks.empty() ? 0 : 3;
    f.pixels = std::move(pixels);
    return f;
}

// Two rows of two 24-bit pixels with their padding, stored bottom row first.
const std::string TWO_ROWS = Bytes({ 255, 0, 0, 0, 255, 0, 0, 0, /* */ 0, 0, 255, 255, 255, 255, 0, 0 });

BmpFile WithGap()
{
    BmpFile f = TrueColour(24, 1, 1, Bytes({ 30, 20, 10, 0 }));
    f.gap = "gap!gap!";
    return f;
}

BmpFile OffsetZero()
{
    BmpFile f = TrueColour(24, 1, 1, Bytes({ 30, 20, 10, 0 }));
    f.data_offset = 0;
    return f;
}

BmpFile UnusedColoursAt24Bits()
{
    BmpFile f = OffsetZero();
    f.colors_used = 2;
    f.palette = { 0xFFFFFF, 0xFFFFFF };
    return f;
}

BmpFile Used2()
{
    BmpFile f = Paletted(8, 3, 1, Bytes({ 0, 1, 7, 0 }));
    f.colors_used = 2;
    f.palette.resize(2);
    return f;
}

Image Load(const BmpFile& f) { return StreamRaster::LoadFromString(f.Text()); }

} // namespace

TEST(BmpReader, DecodesEveryLayout)
{
    struct Case {
        const char* name;
        BmpFile file;
        Size size;
        std::function<RGBA(int, int)> pixel;
    } cases[] = {
        { "24 bits, bottom-up rows with padding", TrueColour(24, 2, 2, TWO_ROWS), Size(2, 2),
          [](int x, int y) { return y == 0 ? (x ? WHITE : RED) : (x ? GREEN : BLUE); } },
        { "24 bits, height -2: the first stored row is line 0", TrueColour(24, 2, -2, TWO_ROWS), Size(2, 2),
          [](int x, int y) { return y == 1 ? (x ? WHITE : RED) : (x ? GREEN : BLUE); } },
        { "1 bit, most significant bit first", Paletted(1, 10, 1, Bytes({ 0xB3, 0x80, 0, 0 })), Size(10, 1),
          [](int x, int) { return (0x2CE >> (9 - x)) & 1 ? P1 : P2; } },
        { "4 bits, high nibble first", Paletted(4, 3, 1, Bytes({ 0x1F, 0x70, 0, 0 })), Size(3, 1),
          [](int x, int) {
              return Pal16(x == 0 ? 1 : x == 1 ? 15 : 7);
          } },
        { "8 bits, colours used 2: the entries not given are opaque black", Used2(), Size(3, 1),
          [](int x, int) { return x == 0   ? P2
                                  : x == 1 ? P1
                                           : Opaque(0, 0, 0); } },
        { "16 bits without bit fields are 5-5-5", TrueColour(16, 2, 1, Bytes({ 0x00, 0x7C, 0xE0, 0x03 })), Size(2, 1),
          [](int x, int) { return x ? Opaque(0, 248, 0) : Opaque(248, 0, 0); } },
        { "16 bits, 5-6-5 masks after a 40-byte header",
          TrueColour(16, 2, 1, Bytes({ 0x00, 0xF8, 0xE0, 0x07 }), { 0xF800, 0x07E0, 0x001F }), Size(2, 1),
          [](int x, int) { return x ? Opaque(0, 252, 0) : Opaque(248, 0, 0); } },
        { "16 bits, 5-6-5 masks inside a 108-byte header",
          TrueColour(16, 2, 1, Bytes({ 0x00, 0xF8, 0xE0, 0x07 }), { 0xF800, 0x07E0, 0x001F }, 108), Size(2, 1),
          [](int x, int) { return x ? Opaque(0, 252, 0) : Opaque(248, 0, 0); } },
        { "32 bits, red-first masks inside a 124-byte header",
          TrueColour(32, 1, 1, Bytes({ 10, 20, 30, 0 }), { 0xFF, 0xFF00, 0xFF0000 }, 124), Size(1, 1),
          [](int, int) { return Opaque(10, 20, 30); } },
        { "32 bits without bit fields: the fourth byte is no alpha", TrueColour(32, 1, 1, Bytes({ 30, 20, 10, 0 })),
          Size(1, 1), [](int, int) { return Opaque(10, 20, 30); } },
        { "the pixel-data offset is honoured over a gap", WithGap(), Size(1, 1),
          [](int, int) { return Opaque(10, 20, 30); } },
        { "an offset of 0: the pixels follow the headers", OffsetZero(), Size(1, 1),
          [](int, int) { return Opaque(10, 20, 30); } },
        { "colours used at 24 bits are passed over", UnusedColoursAt24Bits(), Size(1, 1),
          [](int, int) { return Opaque(10, 20, 30); } },
        { "RLE8: a run of 10 at x = 95 of a 100-pixel row writes 5", Rle(8, 100, 1, Bytes({ 95, 1, 10, 2, 0, 1 })),
          Size(100, 1), [](int x, int) { return x < 95 ? P1 : BLUE; } },
        { "RLE8: a delta moves right and down, what it skips is cleared",
          Rle(8, 4, 3, Bytes({ 1, 1, 0, 2, 2, 1, 1, 2, 0, 1 })), Size(4, 3),
          [](int x, int y) { return y == 2 && x == 0   ? P1
                                    : y == 1 && x == 3 ? BLUE
                                                       : CLEARED; } },
        { "RLE8: an absolute run of odd length with its padding byte",
          Rle(8, 5, 1, Bytes({ 0, 3, 1, 2, 1, 0, 2, 0, 0, 1 })), Size(5, 1),
          [](int x, int) { return x == 1  ? BLUE
                                  : x < 3 ? P1
                                          : P2; } },
        { "RLE8: data ending between codes leaves the rest cleared", Rle(8, 3, 2, Bytes({ 3, 1, 0, 0 })), Size(3, 2),
          [](int, int y) { return y == 1 ? P1 : CLEARED; } },
        { "RLE8: an early end of bitmap leaves the rest cleared", Rle(8, 2, 2, Bytes({ 1, 1, 0, 1, 2, 1 })), Size(2, 2),
          [](int x, int y) { return y == 1 && x == 0 ? P1 : CLEARED; } },
        { "RLE8 in a top-down file fills from the top", Rle(8, 2, -2, Bytes({ 2, 1, 0, 0, 2, 0 })), Size(2, 2),
          [](int, int y) { return y == 0 ? P1 : P2; } },
        { "RLE4: a run alternates the two nibbles", Rle(4, 5, 1, Bytes({ 5, 0x12, 0, 1 })), Size(5, 1),
          [](int x, int) { return Pal16(x & 1 ? 2 : 1); } },
        { "RLE4: an absolute run may end exactly at the end of the row",
          Rle(4, 5, 1, Bytes({ 0, 5, 0x12, 0x34, 0x50, 0, 0, 1 })), Size(5, 1),
          [](int x, int) { return Pal16(x + 1); } },
        { "RLE4: an absolute run of an even byte count has no padding", Rle(4, 4, 1, Bytes({ 0, 4, 0x12, 0x34, 0, 1 })),
          Size(4, 1), [](int x, int) { return Pal16(x + 1); } },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Image m = Load(c.file);
        ASSERT_EQ(m.GetSize(), c.size);
        for(int y = 0; y < c.size.cy; y++)
            for(int x = 0; x < c.size.cx; x++)
                ASSERT_EQ(m.GetPixels()[y * c.size.cx + x], c.pixel(x, y)) << x << ", " << y;
    }
}

TEST(BmpReader, RefusesWhatItCannotRead)
{
    auto with = [](BmpFile f, const std::function<void(BmpFile&)>& change) {
        change(f);
        return f.Bytes();
    };
    BmpFile pixel = TrueColour(24, 1, 1, Bytes({ 1, 2, 3, 0 }));
    std::string not_bm = pixel.Bytes();
    not_bm[1] = 'A';
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        { "the magic is not BM", not_bm },
        { "the file ends inside the file header", pixel.Bytes().substr(0, 10) },
        { "the file ends inside the info header", pixel.Bytes().substr(0, 40) },
        { "a 12-byte info header", with(pixel, [](BmpFile& f) { f.header_size = 12; }) },
        { "bit count 2", with(pixel, [](BmpFile& f) { f.bit_count = 2; }) },
        { "width 0", with(pixel, [](BmpFile& f) { f.width = 0; }) },
        { "a negative width", with(pixel, [](BmpFile& f) { f.width = -1; }) },
        { "height 0", with(pixel, [](BmpFile& f) { f.height = 0; }) },
        { "more pixels than an image may hold", with(pixel, [](BmpFile& f) { f.width = f.height = 100000; }) },
        { "pixel rows longer than the data", with(pixel, [](BmpFile& f) { f.height = 3; }) },
        { "a pixel-data offset past the end", with(pixel, [](BmpFile& f) { f.data_offset = 1000; }) },
        { "colours used above 256", with(Paletted(8, 1, 1, Bytes({ 0, 0, 0, 0 })),
                                         [](BmpFile& f) {
                                             f.colors_used = 257;
                                             f.palette.resize(257);
                                         }) },
        { "a palette cut short", with(Paletted(8, 1, 1, ""), [](BmpFile& f) { f.palette.resize(10); }) },
        { "16 bits with RLE", with(pixel,
                                   [](BmpFile& f) {
                                       f.bit_count = 16;
                                       f.compression = 1;
                                       f.image_size = 4;
                                   }) },
        { "compressed with an image size of 0",
          with(Rle(8, 2, 1, Bytes({ 2, 1 })), [](BmpFile& f) { f.image_size = 0; }) },
        { "bit fields whose masks are cut off",
          with(TrueColour(16, 1, 1, "", { 0xF800 }), [](BmpFile& f) { f.image_size = 4; }) },
        { "RLE8 data ending inside a code", Rle(8, 4, 1, Bytes({ 3 })).Bytes() },
        { "RLE8 delta bytes cut short", Rle(8, 4, 2, Bytes({ 0, 2, 1 })).Bytes() },
        { "RLE8 absolute run cut short", Rle(8, 4, 1, Bytes({ 0, 4, 1, 2 })).Bytes() },
        { "RLE8 absolute run past the row", Rle(8, 2, 1, Bytes({ 0, 3, 1, 1, 1, 0 })).Bytes() },
        { "RLE4 absolute run past the row", Rle(4, 4, 1, Bytes({ 0, 5, 0x11, 0x11, 0x10, 0 })).Bytes() },
        { "RLE delta out of the row", Rle(8, 4, 2, Bytes({ 0, 2, 4, 0 })).Bytes() },
        { "RLE delta below the image", Rle(8, 4, 2, Bytes({ 0, 2, 0, 2 })).Bytes() },
        { "RLE claiming far more pixels than its data could", Rle(8, 20000, 20000, Bytes({ 0, 1 })).Bytes() },
        { "a 1-bit file marked RLE has its rows bounded as uncompressed",
          with(Paletted(1, 20000, 40, Bytes({ 0, 1 })), [](BmpFile& f) { f.compression = 2; }) },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        String data(c.bytes.data(), (int)c.bytes.size());
        EXPECT_TRUE(StreamRaster::LoadFromString(data).IsEmpty());
        StringStream s(data);
        std::unique_ptr<StreamRaster> raster(StreamRaster::OpenStream(s));
        EXPECT_FALSE(raster);
        EXPECT_EQ(s.GetPos(), 0);
    }
}

TEST(BmpReader, InfoAndPaletteComeFromTheHeaders)
{
    struct Case {
        const char* name;
        BmpFile file;
        int bpp, colors, palette_count;
        Size dots;
    } cases[] = {
        { "24 bits at 96 dpi",
          [] {
              BmpFile f = TrueColour(24, 3, 2, std::string(24, '\0'));
              f.x_ppm = f.y_ppm = 3780;
              return f;
          }(),
          24, 16777216, 0, Size(19, 12) },
        { "8 bits without a resolution", Used2(), 8, 256, 256, Size(0, 0) },
        { "16 bits at 600 by 300 dpi",
          [] {
              BmpFile f = TrueColour(16, 600, 1, std::string(1200, '\0'));
              f.x_ppm = 23622;
              f.y_ppm = 11811;
              return f;
          }(),
          16, 65536, 0, Size(600, 2) },
        { "1 bit", Paletted(1, 1, 1, Bytes({ 0, 0, 0, 0 })), 1, 2, 2, Size(0, 0) },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StringStream s(c.file.Text());
        std::unique_ptr<StreamRaster> raster(StreamRaster::OpenStream(s));
        ASSERT_TRUE(raster);
        RasterInfo info = raster->GetInfo();
        EXPECT_EQ(info.bpp, c.bpp);
        EXPECT_EQ(info.colors, c.colors);
        EXPECT_EQ(info.kind, IMAGE_OPAQUE);
        EXPECT_EQ(info.dots, c.dots);
        EXPECT_EQ(raster->GetPaletteCount(), c.palette_count);
        EXPECT_EQ(raster->GetPalette() != nullptr, c.palette_count > 0);
        EXPECT_EQ(raster->GetImage().GetDots(), c.dots);
    }

    StringStream s(Used2().Text());
    std::unique_ptr<StreamRaster> raster(StreamRaster::OpenStream(s));
    ASSERT_TRUE(raster);
    const RGBA* palette = raster->GetPalette();
    EXPECT_EQ(palette[1], P1);
    for(int i = 2; i < 256; i++)
        ASSERT_EQ(palette[i], Opaque(0, 0, 0)) << i;
}

TEST(BmpReader, TheOffsetCountsFromWhereTheFileStarts)
{
    // A file behind other data, its offset pointing past a gap.
    String data = String("prefix") + WithGap().Text();
    StringStream s(data);
    s.Seek(6);
    std::unique_ptr<StreamRaster> raster(StreamRaster::OpenStream(s));
    ASSERT_TRUE(raster);
    Image m = raster->GetImage();
    ASSERT_EQ(m.GetSize(), Size(1, 1));
    EXPECT_EQ(m.GetPixels()[0], Opaque(10, 20, 30));
}

TEST(BmpReader, ReadsAnInfoHeaderWithoutFileHeader)
{
    String file = TrueColour(24, 2, 2, TWO_ROWS).Text();
    StringStream s(file.Mid(14));
    BMPRaster raster(false);
    raster.SetStream(s);
    ASSERT_TRUE(raster.Open());
    Image m = raster.GetImage();
    ASSERT_EQ(m.GetSize(), Size(2, 2));
    EXPECT_EQ(m.GetPixels()[0], RED);
    EXPECT_EQ(m.GetPixels()[3], GREEN);

    StringStream with_header(file);
    BMPRaster expecting_none(false);
    expecting_none.SetStream(with_header);
    // The file header read as an info header gives a width of 0.
    EXPECT_FALSE(expecting_none.Open());
    EXPECT_TRUE(expecting_none.IsError());
}
