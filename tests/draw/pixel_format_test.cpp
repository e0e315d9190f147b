// PixelFormat: sizes and counts per layout, the setters, and line conversion both ways
// for every layout, including partial bytes, byte orders and out-of-table codes.

#include "draw/image/pixel_format.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Qor;

namespace {

constexpr RGBA BLACK{0, 0, 0, 255};
constexpr RGBA WHITE{255, 255, 255, 255};

bool Same(RGBA a, RGBA b)
{
    return a.b == b.b && a.g == b.g && a.r == b.r && a.a == b.a;
}

std::string Text(RGBA p)
{
    return "{b " + std::to_string(p.b) + ", g " + std::to_string(p.g) + ", r " + std::to_string(p.r) +
           ", a " + std::to_string(p.a) + "}";
}

void ExpectPixels(const std::vector<RGBA>& got, const std::vector<RGBA>& expected)
{
    ASSERT_EQ(got.size(), expected.size());
    for(size_t i = 0; i < got.size(); i++)
        EXPECT_TRUE(Same(got[i], expected[i])) << "pixel " << i << ": " << Text(got[i]) << " != " << Text(expected[i]);
}

PixelFormat Code(int code)
{
    PixelFormat f;
    f.code = (byte)code;
    return f;
}

// A palette whose entry i is a distinct, recognisable colour.
std::vector<RGBA> NumberedPalette()
{
    std::vector<RGBA> palette(256);
    for(int i = 0; i < 256; i++)
        palette[i] = RGBA{(byte)i, (byte)(255 - i), (byte)(i * 7), (byte)(i | 1)};
    return palette;
}

std::vector<RGBA> Read(const PixelFormat& f, const std::vector<byte>& in, int n, const RGBA* palette = nullptr)
{
    std::vector<RGBA> out(n, RGBA{1, 2, 3, 4});
    f.ReadLine(out.data(), in.data(), n, palette);
    return out;
}

std::vector<byte> Write(const PixelFormat& f, const std::vector<RGBA>& in, const PaletteMap* map = nullptr,
                        byte fill = 0xEE)
{
    std::vector<byte> out(f.GetByteCount((int)in.size()), fill);
    f.WriteLine(out.data(), in.data(), (int)in.size(), map);
    return out;
}

} // namespace

TEST(PixelFormatCounts, BytesColoursAndPaletteEntriesPerCode)
{
    struct Case {
        int code, n, bytes, colours, palette;
    } cases[] = {
        {0, 0, 0, 2, 2},          {0, 1, 1, 2, 2},        {0, 8, 1, 2, 2},      {0, 9, 2, 2, 2},
        {128, 9, 2, 2, 2},        {1, 5, 2, 4, 4},        {2, 3, 2, 16, 16},    {3, 5, 5, 256, 256},
        {4, 3, 6, 256, 0},        {5, 3, 6, 65536, 0},    {133, 3, 6, 65536, 0}, {6, 1, 3, 16777216, 0},
        {134, 2, 6, 16777216, 0}, {7, 2, 8, 16777216, 0}, {8, 2, 8, 16777216, 0}, {9, 2, 8, 0, 0},
        {10, 5, 0, 0, 0},         {15, 5, 0, 0, 0},       {0x8A, 5, 0, 0, 0},   {0x13, 5, 0, 0, 0},
        {0x40, 5, 0, 0, 0},
    };
    for(const Case& c : cases) {
        PixelFormat f = Code(c.code);
        EXPECT_EQ(f.GetByteCount(c.n), c.bytes) << "code " << c.code << ", " << c.n << " pixels";
        EXPECT_EQ(f.GetColorCount(), c.colours) << "code " << c.code;
        EXPECT_EQ(f.GetPaletteCount(), c.palette) << "code " << c.code;
    }
}

TEST(PixelFormatCounts, HugeLineDoesNotWrapToASmallCount)
{
    EXPECT_EQ(Code(9).GetByteCount(0x7FFFFFFF), 0x7FFFFFFF);
    EXPECT_EQ(Code(6).GetByteCount(100000000), 300000000);
}

TEST(PixelFormatSetters, MaskPositionsAndShifts)
{
    struct Case {
        uint32 mask;
        int position;
    } positions[] = {{0xFF000000, 3}, {0x00FF0000, 2}, {0x0000FF00, 1}, {0x000000FF, 0}, {0x00FF00FF, 0}, {0, 0}};
    for(const Case& c : positions)
        EXPECT_EQ(MaskToBytePosition(c.mask), c.position) << std::hex << c.mask;

    PixelFormat f;
    f.apos = 77;
    f.Set16(0xF800, 0x07E0, 0x001F);
    EXPECT_EQ(f.code, 5);
    EXPECT_EQ(f.rpos, 0);
    EXPECT_EQ(f.gpos, 5);
    EXPECT_EQ(f.bpos, 11);
    EXPECT_EQ(f.apos, 77); // untouched
    EXPECT_EQ(f.rmask, 0xF800u);

    f.Set16BigEndian(0x7C00, 0x03E0, 0x10000);
    EXPECT_EQ(f.code, 133);
    EXPECT_EQ(f.rpos, 1);
    EXPECT_EQ(f.gpos, 6);
    EXPECT_EQ(f.bpos, 0); // above 0xFFFF
}

TEST(PixelFormatSetters, ByteIndexesOf24And32BitLayouts)
{
    struct Case {
        const char* what;
        void (*set)(PixelFormat&);
        int code, r, g, b, a;
    } cases[] = {
        {"24 bgr", [](PixelFormat& f) { f.Set24(0xFF0000, 0xFF00, 0xFF); }, 6, 2, 1, 0, 0},
        {"24 big-endian", [](PixelFormat& f) { f.Set24BigEndian(0xFF0000, 0xFF00, 0xFF); }, 6, 0, 1, 2, 0},
        {"24 top-byte mask stays in the pixel", [](PixelFormat& f) { f.Set24(0xFF000000, 0xFF00, 0xFF); }, 6, 0, 1, 0, 0},
        {"24 big-endian top-byte mask", [](PixelFormat& f) { f.Set24BigEndian(0xFF000000, 0xFF00, 0xFF); }, 6, 0, 1, 2, 0},
        {"32 no alpha", [](PixelFormat& f) { f.Set32(0xFF0000, 0xFF00, 0xFF, 0); }, 7, 2, 1, 0, 0},
        {"32 alpha", [](PixelFormat& f) { f.Set32(0xFF, 0xFF00, 0xFF0000, 0xFF000000); }, 9, 0, 1, 2, 3},
        {"32 big-endian", [](PixelFormat& f) { f.Set32BigEndian(0xFF0000, 0xFF00, 0xFF, 0xFF000000); }, 9, 1, 2, 3, 0},
        {"32 big-endian no alpha", [](PixelFormat& f) { f.Set32BigEndian(0xFF00, 0xFF0000, 0xFF000000, 0); }, 7, 2, 1, 0, 0},
        {"native", [](PixelFormat& f) { f.SetNativeRGBA(); }, 9, 2, 1, 0, 3},
    };
    for(const Case& c : cases) {
        PixelFormat f;
        f.apos = 9;
        c.set(f);
        EXPECT_EQ(f.code, c.code) << c.what;
        EXPECT_EQ(f.rpos, c.r) << c.what;
        EXPECT_EQ(f.gpos, c.g) << c.what;
        EXPECT_EQ(f.bpos, c.b) << c.what;
        EXPECT_EQ(f.apos, c.a) << c.what;
    }
}

TEST(PixelFormatSetters, NativeLayoutIsRecognised)
{
    PixelFormat f;
    f.SetNativeRGBA();
    EXPECT_TRUE(f.IsNativeRGBA());
    f.code = 137;
    EXPECT_TRUE(f.IsNativeRGBA());
    f.code = 8;
    EXPECT_FALSE(f.IsNativeRGBA());
    f.Set32(0xFF0000, 0xFF00, 0xFF, 0);
    EXPECT_FALSE(f.IsNativeRGBA());
    f.Set32(0xFF, 0xFF00, 0xFF0000, 0xFF000000);
    EXPECT_FALSE(f.IsNativeRGBA());
}

TEST(PixelFormatRead, PaletteIndexesOfOneTwoAndFourBits)
{
    std::vector<RGBA> p = NumberedPalette();
    std::vector<RGBA> bw = {BLACK, WHITE};
    struct Case {
        int code;
        std::vector<byte> in;
        std::vector<int> indexes;
    } cases[] = {
        {0, {0x80}, {0, 0, 0, 0, 0, 0, 0, 1}},
        {128, {0x80}, {1, 0, 0, 0, 0, 0, 0, 0}},
        {0, {0x01, 0x06}, {1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1}},
        {128, {0x01, 0x60}, {0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 1}},
        {1, {0xE4, 0x0B}, {0, 1, 2, 3, 3, 2}},
        {129, {0x1B, 0xE0}, {0, 1, 2, 3, 3, 2}},
        {2, {0x21, 0x03}, {1, 2, 3}},
        {130, {0x12, 0x30}, {1, 2, 3}},
        {2, {0xFE}, {14, 15}},
        {3, {7, 0, 255}, {7, 0, 255}},
        {131, {9}, {9}},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE("code " + std::to_string(c.code));
        const RGBA* palette = c.code == 0 || c.code == 128 ? bw.data() : p.data();
        std::vector<RGBA> expected;
        for(int i : c.indexes)
            expected.push_back(palette[i]);
        ExpectPixels(Read(Code(c.code), c.in, (int)c.indexes.size(), palette), expected);
    }
}

TEST(PixelFormatRead, IndexWithAlphaIsPremultiplied)
{
    std::vector<RGBA> palette = {RGBA{200, 100, 255, 255}, RGBA{10, 20, 30, 255}};
    ExpectPixels(Read(Code(4), {0, 128, 1, 255, 0, 0}, 3, palette.data()),
                 {RGBA{100, 50, 128, 128}, RGBA{10, 20, 30, 255}, RGBA{0, 0, 0, 0}});
}

TEST(PixelFormatRead, SixteenBitMasks)
{
    PixelFormat f;
    f.Set16(0xF800, 0x07E0, 0x001F);
    ExpectPixels(Read(f, {0xFF, 0xFF, 0x1F, 0x00, 0x00, 0xF8}, 3),
                 {RGBA{248, 252, 248, 255}, RGBA{248, 0, 0, 255}, RGBA{0, 0, 248, 255}});
    f.Set16BigEndian(0xF800, 0x07E0, 0x001F);
    ExpectPixels(Read(f, {0x00, 0x1F, 0xF8, 0x00}, 2), {RGBA{248, 0, 0, 255}, RGBA{0, 0, 248, 255}});
    f.Set16(0x7C00, 0x03E0, 0x001F);
    ExpectPixels(Read(f, {0xE0, 0x03}, 1), {RGBA{0, 248, 0, 255}});
}

TEST(PixelFormatRead, ByteLayouts)
{
    PixelFormat bgr, rgb, x32, rgbx, straight, native, permuted;
    bgr.Set24(0xFF0000, 0xFF00, 0xFF);
    rgb.Set24BigEndian(0xFF0000, 0xFF00, 0xFF);
    x32.Set32(0xFF0000, 0xFF00, 0xFF, 0);
    rgbx.Set32(0xFF, 0xFF00, 0xFF0000, 0);
    straight.Set32(0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    straight.code = 8;
    native.SetNativeRGBA();
    permuted.Set32BigEndian(0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    struct Case {
        const char* what;
        const PixelFormat& f;
        std::vector<byte> in;
        std::vector<RGBA> expected;
    } cases[] = {
        {"24 bgr", bgr, {1, 2, 3, 4, 5, 6}, {RGBA{1, 2, 3, 255}, RGBA{4, 5, 6, 255}}},
        {"24 rgb", rgb, {1, 2, 3, 4, 5, 6}, {RGBA{3, 2, 1, 255}, RGBA{6, 5, 4, 255}}},
        {"32 bgrx", x32, {1, 2, 3, 0, 4, 5, 6, 99}, {RGBA{1, 2, 3, 255}, RGBA{4, 5, 6, 255}}},
        {"32 rgbx", rgbx, {1, 2, 3, 7, 4, 5, 6, 99}, {RGBA{3, 2, 1, 255}, RGBA{6, 5, 4, 255}}},
        {"straight", straight, {255, 255, 255, 128, 9, 9, 9, 0, 1, 2, 3, 255},
         {RGBA{128, 128, 128, 128}, RGBA{0, 0, 0, 0}, RGBA{1, 2, 3, 255}}},
        {"native", native, {1, 2, 3, 4}, {RGBA{1, 2, 3, 4}}},
        {"argb", permuted, {4, 3, 2, 1}, {RGBA{1, 2, 3, 4}}},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectPixels(Read(c.f, c.in, (int)c.expected.size()), c.expected);
    }
}

TEST(PixelFormatConversion, CodesOutsideTheTableTouchNothing)
{
    std::vector<RGBA> palette = NumberedPalette();
    for(int code : {10, 15, 0x10, 0x7F, 0x8A, 0x8F, 0xC3, 0xFF}) {
        PixelFormat f = Code(code);
        std::vector<byte> in(16, 0x5A);
        std::vector<RGBA> read(4, RGBA{1, 2, 3, 4});
        f.ReadLine(read.data(), in.data(), 4, palette.data());
        ExpectPixels(read, std::vector<RGBA>(4, RGBA{1, 2, 3, 4}));
        std::vector<byte> out(16, 0xEE);
        f.WriteLine(out.data(), read.data(), 4, nullptr);
        EXPECT_EQ(out, std::vector<byte>(16, 0xEE)) << "code " << code;
    }
}

TEST(PixelFormatWrite, PaletteLayoutsWithoutAMapUseGreenBitsAndGrey)
{
    auto green = [](int g) { return RGBA{0, (byte)g, 0, 255}; };
    std::vector<RGBA> ten;
    for(int g : {0x80, 0, 0x80, 0x80, 0, 0, 0, 0x80, 0xFF, 0x80})
        ten.push_back(green(g));
    EXPECT_EQ(Write(Code(0), ten), (std::vector<byte>{0x8D, 0x03}));
    EXPECT_EQ(Write(Code(128), ten), (std::vector<byte>{0xB1, 0xC0}));

    std::vector<RGBA> five = {green(0x00), green(0x40), green(0x80), green(0xC0), green(0xC0)};
    EXPECT_EQ(Write(Code(129), five), (std::vector<byte>{0x1B, 0xC0}));
    EXPECT_EQ(Write(Code(1), five), (std::vector<byte>{0xE4, 0x03}));

    std::vector<RGBA> grey = {WHITE, BLACK, RGBA{128, 128, 128, 255}};
    EXPECT_EQ(Write(Code(3), grey), (std::vector<byte>{255, 0, 128}));
    EXPECT_EQ(Write(Code(2), grey), (std::vector<byte>{0x0F, 0x08}));
    EXPECT_EQ(Write(Code(130), grey), (std::vector<byte>{0xF0, 0x80}));
}

TEST(PixelFormatWrite, PaletteLayoutsWithAMapUseItsCells)
{
    std::vector<byte> cells(32768, 0);
    PaletteMap map{cells.data()};
    RGBA red{0, 0, 255, 255}, blue{255, 0, 0, 255}, green{0, 255, 0, 255};
    cells[31 * 1024] = 1;     // red
    cells[15 * 64] = 2;       // blue
    cells[63] = 3;            // green
    std::vector<RGBA> line = {red, blue, green, BLACK, red};
    EXPECT_EQ(Write(Code(3), line, &map), (std::vector<byte>{1, 2, 3, 0, 1}));
    EXPECT_EQ(Write(Code(2), line, &map), (std::vector<byte>{0x21, 0x03, 0x01}));
    EXPECT_EQ(Write(Code(129), line, &map), (std::vector<byte>{0x6C, 0x40}));
    EXPECT_EQ(Write(Code(0), line, &map), (std::vector<byte>{0x15}));

    // A line long enough for the batched path: every cell distinct in the map.
    for(size_t i = 0; i < cells.size(); i++)
        cells[i] = (byte)(i * 37 >> 7);
    std::vector<RGBA> long_line;
    std::vector<byte> expected;
    for(int i = 0; i < 37; i++) {
        RGBA p{(byte)(i * 41), (byte)(i * 97), (byte)(i * 13), 255};
        long_line.push_back(p);
        expected.push_back(cells[(p.r >> 3) * 1024 + (p.b >> 4) * 64 + (p.g >> 2)]);
    }
    EXPECT_EQ(Write(Code(3), long_line, &map), expected);
}

TEST(PixelFormatWrite, MaskAndByteLayouts)
{
    PixelFormat m565, bgr, rgb, x32, straight, argb;
    m565.Set16(0xF800, 0x07E0, 0x001F);
    bgr.Set24(0xFF0000, 0xFF00, 0xFF);
    rgb.Set24BigEndian(0xFF0000, 0xFF00, 0xFF);
    x32.Set32(0xFF0000, 0xFF00, 0xFF, 0);
    straight.Set32(0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    straight.code = 8;
    argb.Set32BigEndian(0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    std::vector<RGBA> line = {RGBA{0x1F, 0x3F, 0xFF, 255}, RGBA{0x08, 0x04, 0x00, 255}};
    EXPECT_EQ(Write(m565, line), (std::vector<byte>{0xE3, 0xF9, 0x21, 0x00}));
    PixelFormat m565be = m565;
    m565be.code = 133;
    EXPECT_EQ(Write(m565be, line), (std::vector<byte>{0xF9, 0xE3, 0x00, 0x21}));
    EXPECT_EQ(Write(bgr, line), (std::vector<byte>{0x1F, 0x3F, 0xFF, 0x08, 0x04, 0x00}));
    EXPECT_EQ(Write(rgb, line), (std::vector<byte>{0xFF, 0x3F, 0x1F, 0x00, 0x04, 0x08}));
    // The fourth byte keeps what the buffer held.
    EXPECT_EQ(Write(x32, line), (std::vector<byte>{0x1F, 0x3F, 0xFF, 0xEE, 0x08, 0x04, 0x00, 0xEE}));
    EXPECT_EQ(Write(argb, {RGBA{1, 2, 3, 4}}), (std::vector<byte>{4, 3, 2, 1}));

    std::vector<RGBA> alpha = {RGBA{9, 9, 9, 0}, RGBA{128, 128, 128, 128}, RGBA{32, 32, 32, 64}, RGBA{5, 6, 7, 255}};
    EXPECT_EQ(Write(straight, alpha),
              (std::vector<byte>{0, 0, 0, 0, 255, 255, 255, 128, 128, 128, 128, 64, 5, 6, 7, 255}));
}

// Lines longer than the converter's chunks, read back through a palette of the values.
TEST(PixelFormatWrite, LongPackedLinesReadBackAsTheirValues)
{
    std::vector<RGBA> line;
    for(int i = 0; i < 301; i++)
        line.push_back(RGBA{(byte)(i * 29), (byte)(i * 7 + (i >> 4)), (byte)(i * 53), 255});
    std::vector<RGBA> values(256);
    for(int v = 0; v < 256; v++)
        values[v] = RGBA{(byte)v, 0, 0, 255};
    struct Case {
        int code;
        int (*value)(RGBA);
    } cases[] = {
        {0, [](RGBA p) { return p.g >> 7; }},   {128, [](RGBA p) { return p.g >> 7; }},
        {1, [](RGBA p) { return p.g >> 6; }},   {129, [](RGBA p) { return p.g >> 6; }},
        {2, [](RGBA p) { return (77 * p.r + 151 * p.g + 28 * p.b) >> 12; }},
        {130, [](RGBA p) { return (77 * p.r + 151 * p.g + 28 * p.b) >> 12; }},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE("code " + std::to_string(c.code));
        std::vector<RGBA> expected;
        for(RGBA p : line)
            expected.push_back(values[c.value(p)]);
        ExpectPixels(Read(Code(c.code), Write(Code(c.code), line), (int)line.size(), values.data()), expected);
    }
}

TEST(PixelFormatWrite, IndexWithAlphaIsNotWritten)
{
    EXPECT_EQ(Write(Code(4), {WHITE, BLACK}), std::vector<byte>(4, 0xEE));
}

// Lines long enough for the word-at-a-time paths and their tails.
TEST(PixelFormatConversion, LosslessLayoutsRoundTrip)
{
    std::vector<RGBA> opaque, premultiplied;
    for(int i = 0; i < 37; i++) {
        opaque.push_back(RGBA{(byte)(i * 7), (byte)(i * 13), (byte)(i * 29), 255});
        int a = i * 7;
        premultiplied.push_back(RGBA{(byte)(a * i / 40), (byte)(a / 2), (byte)(a / 3), (byte)a});
    }
    PixelFormat bgr, rgb, x32, native, argb;
    bgr.Set24(0xFF0000, 0xFF00, 0xFF);
    rgb.Set24BigEndian(0xFF0000, 0xFF00, 0xFF);
    x32.Set32(0xFF, 0xFF00, 0xFF0000, 0);
    native.SetNativeRGBA();
    argb.Set32BigEndian(0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    std::vector<byte> bgr_bytes;
    for(RGBA p : opaque)
        bgr_bytes.insert(bgr_bytes.end(), {p.b, p.g, p.r});
    EXPECT_EQ(Write(bgr, opaque), bgr_bytes);
    ExpectPixels(Read(bgr, bgr_bytes, (int)opaque.size()), opaque);
    for(const PixelFormat* f : {&rgb, &x32})
        ExpectPixels(Read(*f, Write(*f, opaque), (int)opaque.size()), opaque);
    for(const PixelFormat* f : {&native, &argb})
        ExpectPixels(Read(*f, Write(*f, premultiplied), (int)premultiplied.size()), premultiplied);
}
