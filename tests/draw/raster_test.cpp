// Rasters: the rectangle of a raster as an Image (clipping, dots, hotspot, cancelling,
// errors), lines converted on demand with their ownership, ImageRaster, and probing the
// registered formats over a stream.

#include "draw/raster/raster.h"
#include "draw/raster/stream_raster.h"
#include "foundation/heap.h"
#include "foundation/stream.h"
#include "foundation/string_stream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace Qor;

namespace {

bool Same(RGBA a, RGBA b)
{
    return a.b == b.b && a.g == b.g && a.r == b.r && a.a == b.a;
}

RGBA Grey(int v)
{
    return RGBA{(byte)v, (byte)v, (byte)v, 255};
}

// A raster of 8-bit grey indexes: pixel (x, y) is grey 10 * y + x, handed out in its own
// format in owned blocks.
class GreyRaster : public Raster {
public:
    GreyRaster(int cx, int cy) : size(cx, cy)
    {
        format.code = PixelFormat::PAL8;
        for(int i = 0; i < 256; i++)
            palette[i] = Grey(i);
    }

    Size GetSize() override { return size; }
    RasterInfo GetInfo() override { return info; }
    RasterLine GetLine(int line) override
    {
        lines_read++;
        byte* data = (byte*)HeapAllocate(size.cx);
        for(int x = 0; x < size.cx; x++)
            data[x] = (byte)(10 * line + x);
        return RasterLine(this, nullptr, data, false, true);
    }
    bool IsError() override { return error; }
    int GetPaletteCount() override { return 256; }
    const RGBA* GetPalette() override { return palette; }
    const PixelFormat* GetFormat() override { return &format; }

    Size size;
    RasterInfo info;
    bool error = false;
    int lines_read = 0;

private:
    PixelFormat format;
    RGBA palette[256];
};

void ExpectGreyRect(const Image& m, int x0, int y0, int cx, int cy)
{
    ASSERT_EQ(m.GetSize(), Size(cx, cy));
    for(int y = 0; y < cy; y++)
        for(int x = 0; x < cx; x++)
            EXPECT_TRUE(Same(m.GetPixels()[y * cx + x], Grey(10 * (y0 + y) + x0 + x))) << x << ", " << y;
}

} // namespace

TEST(Rasters, RectanglesAreClippedToTheRaster)
{
    struct Case {
        int x, y, cx, cy;
        int x0, y0, w, h; // w 0: empty
    } cases[] = {
        {0, 0, 6, 4, 0, 0, 6, 4},      {1, 2, 3, 1, 1, 2, 3, 1},  {4, 1, 10, 10, 4, 1, 2, 3},
        {-3, -1, 5, 3, 0, 0, 5, 3},    {6, 0, 2, 2, 0, 0, 0, 0},  {0, 4, 2, 2, 0, 0, 0, 0},
        {10, 10, 2, 2, 0, 0, 0, 0},    {2, 2, -5, 1, 0, 0, 0, 0}, {1, 1, 0x7FFFFFFF, 0x7FFFFFFF, 1, 1, 5, 3},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y << ", " << c.cx << ", " << c.cy);
        GreyRaster raster(6, 4);
        Image m = raster.GetImageRect(c.x, c.y, c.cx, c.cy);
        if(c.w == 0)
            EXPECT_EQ(m.GetSize(), Size(0, 0));
        else
            ExpectGreyRect(m, c.x0, c.y0, c.w, c.h);
    }

    GreyRaster huge(100000, 100000); // more pixels than an Image may hold
    EXPECT_EQ(huge.GetImage().GetSize(), Size(0, 0));
    EXPECT_EQ(huge.lines_read, 0);
}

TEST(Rasters, DotsFollowTheClippedSizeAndTheHotspotTheOrigin)
{
    GreyRaster raster(6, 4);
    raster.info.dots = Size(600, 400);
    raster.info.hotspot = Point(5, 3);
    Image m = raster.GetImageRect(3, 1, 10, 2);
    EXPECT_EQ(m.GetSize(), Size(3, 2));
    EXPECT_EQ(m.GetDots(), Size(300, 200));
    EXPECT_EQ(m.GetHotSpot(), Point(2, 2));

    Image whole = raster.GetImage();
    EXPECT_EQ(whole.GetDots(), Size(600, 400));
    ExpectGreyRect(whole, 0, 0, 6, 4);
}

TEST(Rasters, ProgressCancelsAndErrorsGiveTheEmptyImage)
{
    GreyRaster raster(6, 4);
    EXPECT_EQ(raster.GetImage(BoolCallback2<int, int>::True()).GetSize(), Size(0, 0));
    EXPECT_EQ(raster.lines_read, 0);

    std::vector<std::pair<int, int>> calls;
    struct Record : BoolCallback2Action<int, int> {
        std::vector<std::pair<int, int>>& calls;
        int stop;
        Record(std::vector<std::pair<int, int>>& calls, int stop) : calls(calls), stop(stop) {}
        bool Run(int i, int n) override { calls.emplace_back(i, n); return i == stop; }
    };
    EXPECT_EQ(raster.GetImage(BoolCallback2<int, int>(new Record(calls, 0))).GetSize(), Size(0, 0));
    EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{0, 4}}));
    calls.clear();
    ExpectGreyRect(raster.GetImage(BoolCallback2<int, int>(new Record(calls, -1))), 0, 0, 6, 4);
    EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{0, 4}, {1, 4}, {2, 4}, {3, 4}}));

    raster.error = true;
    EXPECT_EQ(raster.GetImage().GetSize(), Size(0, 0));
}

TEST(Rasters, LinesConvertOnceAndHandOverWhatTheyOwn)
{
    GreyRaster raster(3, 2);
    RasterLine line = raster.GetLine(1);
    EXPECT_EQ(line.GetData(), nullptr);
    const RGBA* rgba = line.GetRGBA();
    ASSERT_NE(rgba, nullptr);
    EXPECT_TRUE(line.IsDataOwned());
    EXPECT_TRUE(Same(rgba[2], Grey(12)));
    EXPECT_EQ(line.GetRGBA(), rgba);

    RasterLine moved(std::move(line));
    EXPECT_EQ(moved.GetData(), rgba);
    EXPECT_FALSE(line.IsDataOwned());
    RasterLine assigned = raster.GetLine(0);
    assigned = std::move(moved); // frees the line it held; the sanitizer build sees leaks and double frees
    EXPECT_TRUE(Same(assigned.GetRGBA()[0], Grey(10)));
}

TEST(Rasters, ImageRasterHandsOutRowsOfTheImage)
{
    PixelBuffer buffer(3, 2);
    for(int i = 0; i < 6; i++)
        buffer.Begin()[i] = RGBA{(byte)i, 0, 0, (byte)(i ? 255 : 0)};
    buffer.SetHotSpot(Point(2, 1));
    buffer.SetDots(Size(30, 20));
    Image image(buffer);
    ImageRaster raster(image);
    EXPECT_EQ(raster.GetSize(), Size(3, 2));
    EXPECT_EQ(raster.GetFormat(), nullptr);
    RasterInfo info = raster.GetInfo();
    EXPECT_EQ(info.dots, Size(30, 20));
    EXPECT_EQ(info.hotspot, Point(2, 1));
    EXPECT_EQ(info.kind, IMAGE_MASK);
    RasterLine line = raster.GetLine(1);
    EXPECT_EQ(line.GetData(), image.GetPixels() + 3);
    EXPECT_EQ(line.GetRGBA(), image.GetPixels() + 3);
    EXPECT_FALSE(line.IsDataOwned());

    Image copy = raster.GetImage();
    EXPECT_TRUE(copy == image);
    EXPECT_EQ(copy.GetHotSpot(), Point(2, 1));
    EXPECT_EQ(ImageRaster(Image()).GetSize(), Size(0, 0));
}

namespace {

// "QR", width, height, then one grey index per pixel.
class QuadRaster : public StreamRaster {
public:
    static StreamRaster* Create() { return new QuadRaster; }

    bool Open() override
    {
        byte header[4];
        if(stream->Get(header, 4) != 4 || header[0] != 'Q' || header[1] != 'R')
            return false;
        start = stream->GetPos();
        size = Size(header[2], header[3]);
        format.code = PixelFormat::PAL8;
        for(int i = 0; i < 256; i++)
            palette[i] = Grey(i);
        return stream->GetSize() >= start + size.cx * size.cy;
    }
    Size GetSize() override { return size; }
    RasterLine GetLine(int line) override
    {
        byte* data = (byte*)HeapAllocate(size.cx);
        stream->Seek(start + (int64)line * size.cx);
        stream->Get(data, size.cx);
        return RasterLine(this, nullptr, data, false, true);
    }
    const RGBA* GetPalette() override { return palette; }
    const PixelFormat* GetFormat() override { return &format; }

private:
    int64 start = 0;
    Size size;
    PixelFormat format;
    RGBA palette[256];
};

// Reads a little and refuses: the next format must see the stream where it was.
class RefusingRaster : public StreamRaster {
public:
    static StreamRaster* Create() { return new RefusingRaster; }
    bool Open() override { byte b[3]; stream->Get(b, 3); return false; }
    Size GetSize() override { return Size(); }
    RasterLine GetLine(int) override { return RasterLine(); }
};

void RegisterTestFormats()
{
    static bool done = false;
    if(!done) {
        RegisterRasterFormat(RefusingRaster::Create);
        RegisterRasterFormat(QuadRaster::Create);
        done = true;
    }
}

} // namespace

TEST(StreamRasters, FormatsAreTriedInOrderFromTheSamePosition)
{
    RegisterTestFormats();
    StringStream s(String("xyQR\x02\x01\x05\x06", 8));
    s.Seek(2);
    StreamRaster* raster = StreamRaster::OpenStream(s);
    ASSERT_NE(raster, nullptr);
    EXPECT_FALSE(raster->IsError());
    EXPECT_EQ(raster->GetSize(), Size(2, 1));
    Image m = raster->GetImage();
    delete raster;
    ASSERT_EQ(m.GetSize(), Size(2, 1));
    EXPECT_TRUE(Same(m.GetPixels()[1], Grey(6)));
}

TEST(StreamRasters, UnknownDataLeavesTheStreamWhereItWas)
{
    RegisterTestFormats();
    StringStream s(String("xyQZ\x02\x01\x05\x06", 8));
    s.Seek(1);
    EXPECT_EQ(StreamRaster::OpenStream(s), nullptr);
    EXPECT_EQ(s.GetPos(), 1);
    EXPECT_FALSE(s.IsError());
}

TEST(StreamRasters, LoadFromString)
{
    RegisterTestFormats();
    struct Case {
        const char* what;
        String data;
        Size size;
    } cases[] = {
        {"empty", String(), Size(0, 0)},
        {"unknown", String("PNG?"), Size(0, 0)},
        {"header promising more than present", String("QR\x09\x09\x01", 5), Size(0, 0)},
        {"quad", String("QR\x01\x02\x07\x08", 6), Size(1, 2)},
    };
    for(const Case& c : cases)
        EXPECT_EQ(StreamRaster::LoadFromString(c.data).GetSize(), c.size) << c.what;
    Image m = StreamRaster::LoadFromString(String("QR\x01\x02\x07\x08", 6));
    EXPECT_TRUE(Same(m.GetPixels()[1], Grey(8)));
}

TEST(StreamRasters, ErrorWithoutStreamOrOnAStreamError)
{
    QuadRaster raster;
    EXPECT_TRUE(raster.IsError());
    StringStream s(String("QR\x01\x01\x07", 5));
    raster.SetStream(s);
    EXPECT_FALSE(raster.IsError());
    raster.SetError();
    EXPECT_TRUE(raster.IsError());
    raster.SetError(false);
    byte b[9];
    s.Get(b, 9);
    s.SetLoadError();
    EXPECT_TRUE(raster.IsError());
}
