// Image lists: the run-length and zlib block forms, decoding on first request with the
// shared one-block cache, skin replacements and resets, the map of lists, paths, and the
// drawing layer's own list.

#include "draw/image_list/draw_img.h"
#include "draw/image_list/image_list.h"
#include "foundation/compression.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Qor;

namespace {

bool Same(RGBA a, RGBA b)
{
    return a.b == b.b && a.g == b.g && a.r == b.r && a.a == b.a;
}

constexpr RGBA CLEAR{0, 0, 0, 0};
constexpr RGBA JUNK{7, 7, 7, 7};

// One stored record: header, then per pixel red, green, blue, alpha.
struct Record {
    int width, height, hotspot_x, hotspot_y, spot_x, spot_y;
    std::vector<RGBA> pixels; // memory order
};

void Put16(std::string& s, int v)
{
    s += (char)(v & 255);
    s += (char)(v >> 8);
}

std::string Records(const std::vector<Record>& records)
{
    std::string s;
    for(const Record& r : records) {
        s += '\0';
        for(int v : {r.width, r.height, r.hotspot_x, r.hotspot_y, r.spot_x, r.spot_y})
            Put16(s, v);
        for(RGBA p : r.pixels)
            s += {(char)p.r, (char)p.g, (char)p.b, (char)p.a};
    }
    return s;
}

std::string Block(const std::string& records)
{
    String packed = CompressZlib(records.data(), (int)records.size());
    return std::string(packed.Begin(), packed.GetLength());
}

const byte* Bytes(const std::string& s)
{
    return (const byte*)s.data();
}

void ExpectImage(const Image& m, int cx, int cy, const std::vector<RGBA>& pixels)
{
    ASSERT_EQ(m.GetSize(), Size(cx, cy));
    for(int i = 0; i < cx * cy; i++)
        EXPECT_TRUE(Same(m.GetPixels()[i], pixels[i])) << "pixel " << i;
}

const Record red_half{2, 1, 1, 0, 0, 1, {RGBA{0, 0, 255, 128}, RGBA{0, 0, 255, 255}}};
const Record blue{1, 1, 0, 0, 0, 0, {RGBA{255, 0, 0, 255}}};
const Record green{1, 2, 0, 1, 0, 0, {RGBA{0, 255, 0, 255}, RGBA{0, 0, 0, 0}}};

} // namespace

TEST(ImageListForms, RunLengthLines)
{
    struct Case {
        const char* what;
        std::vector<byte> data;
        int width;
        std::vector<RGBA> pixels;
        int used;
    } cases[] = {
        {"end of line", {0x80, 0x99}, 3, {CLEAR, CLEAR, CLEAR}, 1},
        {"end of line as 0", {0x00}, 2, {CLEAR, CLEAR}, 1},
        {"empty transparent run reads on", {0xC0, 0x82, 1, 2, 3, 0x80}, 4,
         {RGBA{1, 2, 3, 255}, RGBA{1, 2, 3, 255}, CLEAR, CLEAR}, 6},
        {"literal then transparent", {0x02, 1, 2, 3, 4, 5, 6, 0xC1, 0x99}, 3,
         {RGBA{1, 2, 3, 255}, RGBA{4, 5, 6, 255}, CLEAR}, 8},
        {"run cut at the line end", {0x85, 9, 8, 7, 0x99}, 2, {RGBA{9, 8, 7, 255}, RGBA{9, 8, 7, 255}}, 4},
        {"literal cut at the line end", {0x03, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0x99}, 2,
         {RGBA{1, 1, 1, 255}, RGBA{2, 2, 2, 255}}, 10},
        {"transparent run cut", {0xFF}, 2, {CLEAR, CLEAR}, 1},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<RGBA> line(c.width + 1, JUNK);
        const byte* end = DecodeRunLengthLine(line.data(), c.data.data(), c.width);
        EXPECT_EQ(end - c.data.data(), c.used);
        for(int i = 0; i < c.width; i++)
            EXPECT_TRUE(Same(line[i], c.pixels[i])) << "pixel " << i;
        EXPECT_TRUE(Same(line[c.width], JUNK)) << "wrote past the line";
    }
}

TEST(ImageListForms, RunLengthRecordClearsLinesWithoutData)
{
    static const byte line0[] = {0x81, 10, 20, 30, 0x80};
    static const byte line1[] = {0xC1, 0x01, 1, 2, 3};
    static const byte* const lines[] = {line0, line1};
    RunLengthImage record{lines, 2, 0, 2, 4, 1, 3};
    RGBA c{10, 20, 30, 255};
    Image m = DecodeImageRecord(record);
    ExpectImage(m, 2, 4, {c, CLEAR, CLEAR, RGBA{1, 2, 3, 255}, CLEAR, CLEAR, CLEAR, CLEAR});
    EXPECT_EQ(m.GetHotSpot(), Point(1, 3));
    EXPECT_EQ(m.GetSecondSpot(), Point(0, 0));
}

TEST(ImageListForms, BlockRecordsWithSpotsAndChannelOrder)
{
    std::string block = Block(Records({red_half, blue}));
    Vector<Image> images = DecodeImageBlock(Bytes(block), (int)block.size());
    ASSERT_EQ(images.GetCount(), 2);
    ExpectImage(images[0], 2, 1, red_half.pixels);
    EXPECT_EQ(images[0].GetHotSpot(), Point(1, 0));
    EXPECT_EQ(images[0].GetSecondSpot(), Point(0, 1));
    ExpectImage(images[1], 1, 1, blue.pixels);
}

TEST(ImageListForms, DamagedBlocksGiveTheRecordsThatFit)
{
    std::string records = Records({red_half, blue});
    struct Case {
        const char* what;
        std::string block;
        int images;
    } cases[] = {
        {"pixels of the second record cut", Block(records.substr(0, records.size() - 1)), 1},
        {"only a partial header", Block(records.substr(0, 21 + 12)), 1},
        {"a huge size claimed by a few bytes", Block(std::string("\0\xff\xff\xff\xff", 5) + std::string(8, '\0')), 0},
        {"not zlib data", "garbage", 0},
        {"empty", "", 0},
    };
    for(const Case& c : cases)
        EXPECT_EQ(DecodeImageBlock(Bytes(c.block), (int)c.block.size()).GetCount(), c.images) << c.what;
}

TEST(ImageLists, DecodeOnRequestPremultiplyAndReplace)
{
    static const char* const names[] = {"red", "blue", nullptr, "green"};
    static const std::string first = Block(Records({red_half, blue}));
    static const std::string second = Block(Records({red_half, green}));

    ImageList straight(nullptr, names, 4);
    straight.AddData(Bytes(first), (int)first.size(), 2);
    straight.AddData(Bytes(second), (int)second.size(), 2);
    EXPECT_EQ(straight.GetCount(), 4);
    EXPECT_EQ(straight.Find("green"), 3);
    EXPECT_EQ(straight.Find(""), 2);
    ExpectImage(straight.Get(0), 2, 1, {RGBA{0, 0, 128, 128}, RGBA{0, 0, 255, 255}}); // premultiplied
    ExpectImage(straight.Get(3), 1, 2, green.pixels);
    EXPECT_EQ(straight.Get(3).GetHotSpot(), Point(0, 1));

    static const std::string third = Block(Records({red_half, blue}));
    ImageList premultiplied(nullptr, names, 4);
    premultiplied.AddData(Bytes(third), (int)third.size(), 2);
    premultiplied.SetPremultiplyBlocks(false);
    ExpectImage(premultiplied.Get(1), 1, 1, blue.pixels);
    ExpectImage(premultiplied.Get(0), 2, 1, red_half.pixels);

    Image replacement = premultiplied.Get(1);
    straight.Set(3, replacement);
    ExpectImage(straight.Get(3), 1, 1, blue.pixels);
    straight.Reset();
    EXPECT_EQ(straight.Find("green"), 3);
    ExpectImage(straight.Get(3), 1, 2, green.pixels);
}

TEST(ImageLists, OneBlockCacheServesConsecutiveRequests)
{
    static const char* const names[] = {"a", "b"};
    static const std::string block_a = Block(Records({blue, green}));
    static const std::string block_b = Block(Records({green, blue}));
    ImageList a(nullptr, names, 2), b(nullptr, names, 2);
    a.AddData(Bytes(block_a), (int)block_a.size(), 2);
    b.AddData(Bytes(block_b), (int)block_b.size(), 2);

    int64 first = a.Get(0).GetSerialId();
    a.Reset();
    EXPECT_EQ(a.Get(0).GetSerialId(), first) << "the block was decoded again";
    EXPECT_NE(a.Get(1).GetSerialId(), first);
    b.Get(0);
    a.Reset();
    EXPECT_NE(a.Get(0).GetSerialId(), first) << "a block the other list replaced came from the cache";
    ExpectImage(a.Get(0), 1, 1, blue.pixels);
}

TEST(ImageLists, RunLengthListsAlwaysPremultiply)
{
    static const byte line[] = {0x81, 10, 20, 30, 0x80};
    static const byte* const lines[] = {line};
    static const RunLengthImage records[] = {{lines, 1, 0, 2, 1, 0, 0}};
    static const char* const names[] = {"dot"};
    ImageList list(records, names, 1);
    list.SetPremultiplyBlocks(false);
    ExpectImage(list.Get(0), 2, 1, {RGBA{10, 20, 30, 255}, CLEAR});
}

TEST(ImageLists, MapAndPaths)
{
    static const char* const names[] = {"blue", "green"};
    static const std::string block = Block(Records({blue, green}));
    static ImageList list(nullptr, names, 2);
    list.AddData(Bytes(block), (int)block.size(), 2);
    RegisterImageList("PathTestImg", &list);
    ASSERT_GE(FindImageListIndex("PathTestImg"), 0);
    EXPECT_EQ(&GetImageList(FindImageListIndex("PathTestImg")), &list);
    EXPECT_EQ(FindImageListIndex("NoSuchImg"), -1);

    struct Case {
        const char* path;
        int cx; // 0: empty
    } cases[] = {
        {"PathTestImg:green", 1}, {"PathTestImg::green", 1}, {"PathTestImg:::blue", 1},
        {"PathTestImggreen", 0},  {"NoSuchImg:green", 0},   {"PathTestImg:red", 0},
        {":green", 0},            {"PathTestImg:", 0},
    };
    for(const Case& c : cases)
        EXPECT_EQ(FindImageByPath(c.path).GetSize().cx, c.cx) << c.path;
    EXPECT_EQ(FindImageByPath("PathTestImg::green").GetSize(), Size(1, 2));

    static ImageList other(nullptr, names, 1);
    RegisterImageList("PathTestImg", &other);
    EXPECT_EQ(&GetImageList(FindImageListIndex("PathTestImg")), &other);
}

TEST(DrawImgList, RegisteredAtStartWithThreedots)
{
    // Registered by the library's start-up, before anything here asked for it.
    int index = FindImageListIndex("DrawImg");
    ASSERT_GE(index, 0);
    ImageList& list = GetImageList(index);
    EXPECT_EQ(&list, &DrawImg::Iml());
    ASSERT_EQ(list.GetCount(), DrawImg::COUNT);
    EXPECT_EQ(list.GetName(DrawImg::I_threedots), String("threedots"));

    Image dots = DrawImg::threedots();
    EXPECT_EQ(dots.GetSize(), Size(9, 2));
    EXPECT_EQ(dots.GetKind(), IMAGE_MASK);
    EXPECT_TRUE(FindImageByPath("DrawImg:threedots") == dots);
    EXPECT_TRUE(FindImageByPath("DrawImg::threedots") == dots);
}
