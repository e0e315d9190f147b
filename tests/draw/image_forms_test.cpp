// Image byte forms: the stream form, the compact String form and the framed String form,
// including damaged and hostile input.

#include "draw/image/image_forms.h"

#include "foundation/compression.h"
#include "foundation/string_stream.h"
#include "foundation/values/value_registry.h"

#include <gtest/gtest.h>

using namespace Qor;

namespace {

std::string Bytes(const String& s) { return std::string(s.Begin(), s.GetLength()); }

String Le32(int v)
{
    char b[4] = {(char)v, (char)(v >> 8), (char)(v >> 16), (char)(v >> 24)};
    return String(b, 4);
}

String Le16(int v)
{
    char b[2] = {(char)v, (char)(v >> 8)};
    return String(b, 2);
}

// Stream form header: version byte, then width, height, hotspot, dots.
String StreamHeader(int cx, int cy, int hx = 0, int hy = 0, int dx = 0, int dy = 0)
{
    String s("\x01", 1);
    for(int v : {cx, cy, hx, hy, dx, dy})
        s.Append(Le32(v));
    return s;
}

String CompactHeader(int bpp, int cx, int cy, int hx = 0, int hy = 0, int dx = 0, int dy = 0)
{
    String s;
    s.Append(String((const char*)&bpp, 1));
    for(int v : {cx, cy, hx, hy, dx, dy})
        s.Append(Le16(v));
    return s;
}

Image Sample(int cx, int cy, int alpha)
{
    PixelBuffer b(cx, cy);
    for(int i = 0; i < cx * cy; i++)
        b.Begin()[i] = MakeRGBA(i * 3, i * 5 + 1, i * 7 + 2, alpha);
    b.SetHotSpot(Point(1, 2));
    b.SetDots(Size(30, 40));
    return Image(b);
}

// A stream that cannot tell its size: claimed sizes cannot be checked before reading.
class UnsizedStream : public Stream {
public:
    explicit UnsizedStream(const String& data) : data(data)
    {
        style = STRM_LOADING | STRM_READ;
        buffer = current = (byte*)this->data.Begin();
        read_limit = buffer + this->data.GetLength();
    }
    bool IsOpen() const override { return true; }

private:
    String data;
};

Image LoadFrom(Stream& s, bool* error)
{
    Image img = Sample(1, 1, 255); // something to be replaced
    img.Serialize(s);
    if(error)
        *error = s.IsError();
    return img;
}

Image LoadStream(const String& data, bool* error = nullptr)
{
    StringStream s(data);
    s.SetLoading();
    return LoadFrom(s, error);
}

Image LoadUnsized(const String& data, bool* error = nullptr)
{
    UnsizedStream s(data);
    return LoadFrom(s, error);
}

String StoreStream(Image img)
{
    StringStream s;
    img.Serialize(s);
    return s.GetText();
}

} // namespace

TEST(ImageStreamForm, EmptyImageIsVersionAndZeros)
{
    EXPECT_EQ(Bytes(StoreStream(Image())), std::string("\x01", 1) + std::string(24, '\0'));
}

TEST(ImageStreamForm, RoundTripKeepsPixelsHotspotAndDots)
{
    Image img = Sample(3, 2, 128);
    String data = StoreStream(img);
    EXPECT_EQ(data.GetLength(), 25 + 3 * 2 * 4);
    EXPECT_EQ(Bytes(data.Mid(0, 25)), Bytes(StreamHeader(3, 2, 1, 2, 30, 40)));
    bool error = true;
    Image back = LoadStream(data, &error);
    EXPECT_FALSE(error);
    EXPECT_EQ(back, img);
    EXPECT_EQ(LoadUnsized(data, &error), img);
    EXPECT_FALSE(error);
    EXPECT_EQ(back.GetSize(), Size(3, 2));
    EXPECT_EQ(back.GetHotSpot(), Point(1, 2));
    EXPECT_EQ(back.GetDots(), Size(30, 40));
    EXPECT_NE(back.GetSerialId(), img.GetSerialId());
}

TEST(ImageStreamForm, DamagedAndHostileHeaders)
{
    String pixel("\x10\x20\x30\x40", 4);
    struct Case {
        const char* name;
        String data;
        bool error;
        Size size;
    } cases[] = {
        {"zero width reads no pixels", StreamHeader(0, 7), false, Size(0, 0)},
        {"one pixel", StreamHeader(1, 1) + pixel, false, Size(1, 1)},
        {"truncated pixels", StreamHeader(2, 1) + pixel, true, Size(0, 0)},
        {"negative width", StreamHeader(-1, 4) + pixel, true, Size(0, 0)},
        {"huge claim, few bytes", StreamHeader(60000, 60000) + pixel, true, Size(0, 0)},
        {"overflowing claim", StreamHeader(0x10000, 0x10000) + pixel, true, Size(0, 0)},
        {"truncated header", StreamHeader(1, 1).Mid(0, 10), true, Size(1, 1)},
    };
    for(const Case& c : cases)
        for(auto load : {LoadStream, LoadUnsized}) {
            bool error = false;
            Image img = load(c.data, &error);
            EXPECT_EQ(error, c.error) << c.name;
            EXPECT_EQ(img.GetSize(), c.size) << c.name;
            if(!error && c.size.cx) {
                EXPECT_EQ(img.GetPixels()[0], MakeRGBA(0x30, 0x20, 0x10, 0x40)) << c.name;
            }
        }
}

TEST(ImageStreamForm, ThrowingStreamRaisesAndKeepsTheImage)
{
    StringStream s(StreamHeader(2, 1));
    s.SetLoading();
    s.SetLoadThrowing();
    Image img = Sample(1, 1, 255);
    Image before = img;
    EXPECT_THROW(img.Serialize(s), LoadingError);
    EXPECT_EQ(img.GetSerialId(), before.GetSerialId());
}

TEST(ImageCompactForm, HeaderByteByKind)
{
    struct Case {
        int alpha;
        int bpp;
    } cases[] = {{255, 3}, {128, 4}, {0, -1}};
    for(const Case& c : cases) {
        String data = WriteCompactImage(Sample(1, 1, c.alpha));
        if(c.bpp < 0)
            EXPECT_TRUE(data.IsEmpty());
        else {
            ASSERT_GT(data.GetLength(), 13);
            EXPECT_EQ(data[0], c.bpp);
        }
    }
    EXPECT_TRUE(WriteCompactImage(Image()).IsEmpty());
}

TEST(ImageCompactForm, RoundTrip)
{
    for(int alpha : {255, 128}) {
        Image img = Sample(5, 3, alpha);
        String data = WriteCompactImage(img);
        EXPECT_EQ(GetCompactImageSize(data), Size(5, 3));
        EXPECT_EQ(GetCompactImageDots(data), Size(30, 40));
        Image back = ReadCompactImage(data);
        EXPECT_EQ(back, img) << alpha;
        EXPECT_EQ(back.GetHotSpot(), Point(1, 2));
        EXPECT_EQ(back.GetDots(), Size(30, 40));
        EXPECT_EQ(back.GetSecondSpot(), Point(0, 0));
    }
}

TEST(ImageCompactForm, PixelBytesAreRedGreenBlueAlpha)
{
    PixelBuffer b(1, 1);
    b.Begin()[0] = MakeRGBA(1, 2, 3, 4);
    String data = WriteCompactImage(Image(b));
    EXPECT_EQ(Bytes(DecompressZlib(data.Mid(13))), std::string("\x01\x02\x03\x04", 4));
}

TEST(ImageCompactForm, NegativeHotspotReadsBackUnsigned)
{
    PixelBuffer b(1, 1);
    b.Begin()[0] = MakeRGBA(1, 2, 3, 255);
    b.SetHotSpot(Point(-1, 0));
    Image back = ReadCompactImage(WriteCompactImage(Image(b)));
    EXPECT_EQ(back.GetHotSpot(), Point(65535, 0));
}

TEST(ImageCompactForm, FieldsBeyondSixteenBitsAreRefused)
{
    struct Case {
        int cx;
        Point hot;
        Size dots;
        bool written;
    } cases[] = {
        {1, Point(65535, -32768), Size(65535, 0), true},
        {65536, Point(0, 0), Size(0, 0), false},
        {1, Point(65536, 0), Size(0, 0), false},
        {1, Point(0, -32769), Size(0, 0), false},
        {1, Point(0, 0), Size(70000, 0), false},
    };
    for(const Case& c : cases) {
        PixelBuffer b(c.cx, 1);
        FillPixels(b.Begin(), MakeRGBA(1, 2, 3, 255), c.cx);
        b.SetHotSpot(c.hot);
        b.SetDots(c.dots);
        EXPECT_EQ(!WriteCompactImage(Image(b)).IsEmpty(), c.written) << c.cx << " " << c.hot.x << " " << c.dots.cx;
    }
}

TEST(ImageCompactForm, DamagedStringsGiveTheEmptyImage)
{
    String one = CompressZlib(String("\x01\x02\x03", 3));
    struct Case {
        const char* name;
        String data;
        bool valid;
    } cases[] = {
        {"valid", CompactHeader(3, 1, 1) + one, true},
        {"twelve bytes", CompactHeader(3, 1, 1).Mid(0, 12), false},
        {"header only", CompactHeader(3, 1, 1), false},
        {"zero width", CompactHeader(3, 0, 1) + CompressZlib(String()), false},
        {"bytes per pixel 2", CompactHeader(2, 1, 1) + one, false},
        {"too little data", CompactHeader(3, 2, 1) + one, false},
        {"too much data", CompactHeader(3, 1, 1) + CompressZlib(String("\x01\x02\x03\x04", 4)), false},
        {"not zlib", CompactHeader(3, 1, 1) + String("garbage!"), false},
        {"huge claim", CompactHeader(4, 65535, 65535) + one, false},
    };
    for(const Case& c : cases)
        EXPECT_EQ(!ReadCompactImage(c.data).IsEmpty(), c.valid) << c.name;
    EXPECT_EQ(GetCompactImageSize(String("short")), Size(0, 0));
    EXPECT_EQ(GetCompactImageDots(CompactHeader(3, 1, 1).Mid(0, 12)), Size(0, 0));
}

TEST(ImageCompactForm, BombOfZerosIsNotInflatedBeyondItsClaim)
{
    // Two million zero bytes packed small, claiming one pixel: refused, not decompressed whole.
    std::string zeros(2000000, '\0');
    String big(zeros.data(), (int)zeros.size());
    String data = CompactHeader(4, 1, 1) + CompressZlib(big);
    EXPECT_TRUE(ReadCompactImage(data).IsEmpty());
}

TEST(ImageFramedForm, RoundTripAndDamage)
{
    Image img = Sample(2, 2, 200);
    String data = StoreImageToString(img);
    EXPECT_EQ(Bytes(data.Mid(0, 4)), "data");
    EXPECT_EQ(Bytes(data.Mid(4, 25)), Bytes(StreamHeader(2, 2, 1, 2, 30, 40)));
    Image back;
    EXPECT_TRUE(LoadImageFromString(back, data));
    EXPECT_EQ(back, img);

    // A failed load brings the previous value back (from a stored copy: a new serial).
    Image before = Sample(1, 1, 255);
    for(String bad : {data.Mid(0, data.GetLength() - 1), String("data"), String(),
                      String("xxxx") + data.Mid(4)}) {
        Image kept = before;
        EXPECT_FALSE(LoadImageFromString(kept, bad));
        EXPECT_EQ(kept, before);
        EXPECT_EQ(kept.GetHotSpot(), Point(1, 2));
        EXPECT_EQ(kept.GetDots(), Size(30, 40));
    }
}

TEST(ImageValueForm, StoredValueRoundTrips)
{
    Image img = Sample(2, 1, 255);
    Value v = img;
    String data = StoreAsString(v);
    Value back;
    ASSERT_TRUE(LoadFromString(back, data));
    EXPECT_EQ(back.GetTypeNumber(), IMAGE_V);
    EXPECT_EQ(Image(back), img);
    EXPECT_EQ(back, v);
}
