// The image object types "image", "PNG", "rawimage" and "iml": reading, sizes, painting,
// images of a size and the clipboard hooks of "image".

#include "draw/image/image_forms.h"
#include "draw/image_list/image_list.h"
#include "draw/look/sys_colors.h"
#include "draw/raster/stream_raster.h"
#include "draw/rescale/rescaler.h"
#include "draw/target/draw_hooks.h"
#include "richtext/model/object_type.h"
#include "richtext/objects/image_objects.h"
#include "tests/draw/support/bmp_files.h"
#include "tests/draw/support/image_fixtures.h"
#include "tests/draw/support/raster_draw.h"
#include "tests/draw/support/recording_draw.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

#include <cstring>

namespace Qor {
namespace {

using QorTest::MakeImage;
using QorTest::Opaque;
using QorTest::RasterDraw;
using QorTest::RecordingDraw;

// Every pixel different, so a flipped, shifted or stretched picture shows.
Image Pattern(int cx, int cy, Size dots = Size(0, 0))
{
    Image img = MakeImage(cx, cy, [](int x, int y) { return Opaque(40 * x + 3, 50 * y + 7, 11 * (x + y) + 1); });
    PixelBuffer b(img);
    b.SetDots(dots);
    return Image(b);
}

// Same size and the same pixels.
void ExpectSameImage(const Image& got, const Image& expected)
{
    EXPECT_EQ(got.GetSize(), expected.GetSize());
    EXPECT_TRUE(got == expected);
}

Image CanvasImage(const RasterDraw& w)
{
    PixelBuffer b(w.canvas.GetWidth(), w.canvas.GetHeight());
    std::memcpy(b.Begin(), w.canvas.Begin(), (size_t)w.canvas.GetLength() * sizeof(RGBA));
    return Image(b);
}

// Images painted through ImageAnyDraw come from a RasterDraw; the previous factory comes
// back at the end of the test.
class PixelImageFactory {
public:
    PixelImageFactory()
    {
        ImageDrawFactoryHook.factory = [](Size sz) -> Draw* { return new RasterDraw(sz.cx, sz.cy, Color(7, 7, 7)); };
        ImageDrawFactoryHook.getter = [](Draw* w) { return CanvasImage(*static_cast<RasterDraw*>(w)); };
    }
    ~PixelImageFactory() { ImageDrawFactoryHook = saved; }

private:
    ImageDrawFactoryHooks saved = ImageDrawFactoryHook;
};

// A 24-bit BMP of the Pattern pixels at 60 pixels per inch (10 dots per pixel).
String PatternBmp(int cx, int cy)
{
    Image img = Pattern(cx, cy);
    QorTest::BmpFile f;
    f.width = cx;
    f.height = cy;
    f.x_ppm = f.y_ppm = 2362;
    for(int y = cy - 1; y >= 0; y--) {
        for(int x = 0; x < cx; x++) {
            RGBA p = img[y][x];
            f.pixels += { (char)p.b, (char)p.g, (char)p.r };
        }
        f.pixels.append((4 - cx * 3 % 4) % 4, '\0');
    }
    return f.Text();
}

TEST(ImageObjectTypes, AreRegisteredByNameAsTheirSingletons)
{
    struct Case {
        const char* name;
        const RichObjectType* type;
    } cases[] = {
        { "image", &GetRichImage() },
        { "PNG", &GetRichPNG() },
        { "rawimage", &GetRichRawImage() },
        { "iml", &GetRichImlImage() },
    };
    for(const Case& c : cases) {
        EXPECT_EQ(FindObjectType(c.name), c.type) << c.name;
        EXPECT_EQ(c.type->GetTypeName(Value("x")), c.name);
    }
    EXPECT_TRUE(GetRichImlImage().IsTextData());
    EXPECT_FALSE(GetRichImage().IsTextData());
    EXPECT_FALSE(GetRichRawImage().IsTextData());
}

TEST(RichImage, SizesComeFromTheCompactHeader)
{
    String plain = WriteCompactImage(Pattern(48, 24));
    String with_dots = WriteCompactImage(Pattern(48, 24, Size(100, 50)));
    String one_way = WriteCompactImage(Pattern(48, 24, Size(100, 0)));
    String damaged = String(plain.Begin(), 13) + "not zlib data";
    struct Case {
        const char* what;
        String text;
        Size pixels, physical;
    } cases[] = {
        { "no dots", plain, Size(48, 24), Size(300, 150) },
        { "dots", with_dots, Size(48, 24), Size(100, 50) },
        { "dots one way", one_way, Size(48, 24), Size(300, 150) },
        { "pixels undecodable", damaged, Size(48, 24), Size(300, 150) },
        { "header cut", String(plain.Begin(), 12), Size(0, 0), Size(0, 0) },
        { "empty", String(), Size(0, 0), Size(0, 0) },
    };
    for(const Case& c : cases) {
        EmbeddedObject o;
        ASSERT_TRUE(o.ReadObject("image", c.text, Size(9, 9))) << c.what;
        EXPECT_EQ(o.GetData(), Value(c.text)) << c.what;
        EXPECT_EQ(o.GetPixelSize(), c.pixels) << c.what;
        EXPECT_EQ(o.GetPhysicalSize(), c.physical) << c.what;
        EXPECT_EQ(GetRichImage().GetPhysicalSize(o.GetData(), nullptr), c.physical) << c.what;
        EXPECT_EQ(GetRichImage().WriteData(o.GetData()), c.text) << c.what;
    }
}

TEST(RichImage, PaintsAndRendersTheDecodedImage)
{
    Image img = Pattern(3, 2);
    Value data = WriteCompactImage(img);

    RasterDraw same(3, 2);
    GetRichImage().Paint(data, same, Size(3, 2), nullptr);
    ExpectSameImage(CanvasImage(same), img);

    RecordingDraw scaled;
    GetRichImage().Paint(data, scaled, Size(7, 5), nullptr);
    ASSERT_EQ(scaled.log.size(), 1u);
    EXPECT_EQ(scaled.log[0], "DrawImageScaled(0, 0, 7, 5, Image(3x2), (0, 0, 3, 2), Null)");

    ExpectSameImage(GetRichImage().ToImage(data, Size(3, 2)), img);
    ExpectSameImage(GetRichImage().ToImage(data, Size(7, 5)), RescaleImage(img, Size(7, 5)));

    // Pixels that do not decode paint nothing and give no image.
    Value damaged = String(data.GetString().Begin(), 13) + "xx";
    RasterDraw w(3, 2, Color(1, 2, 3));
    GetRichImage().Paint(damaged, w, Size(3, 2), nullptr);
    EXPECT_EQ(w.Picture({ { Color(1, 2, 3), 'o' } }), std::vector<std::string>({ "ooo", "ooo" }));
    EXPECT_TRUE(GetRichImage().ToImage(damaged, Size(3, 2)).IsEmpty());
}

// Clipboard hooks that note what they were given.
struct ClipLog {
    static inline TransferOffer* offer = nullptr;
    static inline Image image;
    static inline String format;
};

String TestClipData(const Image& img, const String& format)
{
    ClipLog::image = img;
    ClipLog::format = format;
    return "clip:" + format;
}
bool TestPasteTest(TransferOffer& clip) { return &clip == ClipLog::offer; }
Image TestPasteRead(TransferOffer&) { return Pattern(2, 3); }
const char* TestFormats() { return "image/bmp;dib"; }

TEST(RichImage, TakesPartInTheClipboardOnlyThroughTheHooks)
{
    // The hooks see the offer only by reference, so any storage stands for one.
    alignas(16) char storage[16] = {};
    TransferOffer& offer = reinterpret_cast<TransferOffer&>(storage);
    Value data = WriteCompactImage(Pattern(3, 2));
    const RichImage& type = GetRichImage();

    EXPECT_FALSE(type.CanReadClip(offer));
    Value none = type.ReadClip(offer);
    EXPECT_EQ(none.GetTypeNumber(), INT_V);
    EXPECT_TRUE(none.IsNull());
    EXPECT_EQ(type.GetClipFormats(), "");
    EXPECT_EQ(type.GetClip(data, "dib"), "");

    SetImageClipboardHooks(TestClipData, TestPasteTest, TestPasteRead, TestFormats);
    ClipLog::offer = &offer;
    EXPECT_TRUE(type.CanReadClip(offer));
    ClipLog::offer = nullptr;
    EXPECT_FALSE(type.CanReadClip(offer));
    Value pasted = type.ReadClip(offer);
    EXPECT_EQ(pasted.GetTypeNumber(), STRING_V);
    ExpectSameImage(ReadCompactImage(pasted.GetString()), Pattern(2, 3));
    EXPECT_EQ(type.GetClipFormats(), "image/bmp;dib");
    EXPECT_EQ(type.GetClip(data, "dib"), "clip:dib");
    ExpectSameImage(ClipLog::image, Pattern(3, 2));
    EXPECT_EQ(ClipLog::format, "dib");
    SetImageClipboardHooks(nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(type.GetClipFormats(), "");
}

TEST(RichPNG, DecodableFileDataBecomesAnImageWrittenBackAsImage)
{
    String bmp = PatternBmp(3, 2);
    EmbeddedObject o;
    ASSERT_TRUE(o.ReadObject("PNG", bmp, Size(9, 9)));
    ASSERT_EQ(o.GetData().GetTypeNumber(), IMAGE_V);
    ExpectSameImage(Image(o.GetData()), Pattern(3, 2));
    EXPECT_EQ(o.GetTypeName(), "image");
    EXPECT_EQ(o.GetPixelSize(), Size(3, 2));
    EXPECT_EQ(o.GetPhysicalSize(), Size(30, 20));

    String written = GetRichPNG().WriteData(o.GetData());
    EXPECT_EQ(written, WriteCompactImage(Image(o.GetData())));
    EmbeddedObject back;
    ASSERT_TRUE(back.ReadObject(o.GetTypeName(), written, Size(9, 9)));
    EXPECT_EQ(back.GetType(), &GetRichImage());
    EXPECT_EQ(back.GetPhysicalSize(), Size(30, 20));
    ExpectSameImage(back.ToImage(Size(3, 2)), Pattern(3, 2));
}

TEST(RichPNG, UndecodableDataStaysTextAndShowsTheMissingBox)
{
    const RichPNG& type = GetRichPNG();
    for(const Value& data : { Value("\x89PNG not really"), Value(WString("\x89PNG not really")) }) {
        EXPECT_EQ(type.GetTypeName(data), "PNG");
        EXPECT_EQ(type.WriteData(data), "\x89PNG not really");
        EXPECT_EQ(type.GetPixelSize(data, nullptr), Size(0, 0));
        EXPECT_EQ(type.GetPhysicalSize(data, nullptr), Size(0, 0));
    }
    EmbeddedObject o;
    ASSERT_TRUE(o.ReadObject("PNG", "\x89PNG not really", Size(40, 20)));
    EXPECT_EQ(o.GetData(), Value("\x89PNG not really"));
    EXPECT_EQ(o.GetTypeName(), "PNG");
    EXPECT_EQ(o.GetPhysicalSize(), Size(0, 0));

    Color face = SysColorFace(), text = SysColorText();
    SetSysColorFace(Color(10, 20, 30));
    SetSysColorText(Color(40, 50, 60));
    RecordingDraw w;
    o.Paint(w, Size(40, 20));
    PixelImageFactory factory;
    Image img = o.ToImage(Size(30, 20));
    SetSysColorFace(face);
    SetSysColorText(text);

    ASSERT_EQ(w.log.size(), 6u);
    EXPECT_EQ(w.log[0], "DrawRect(0, 0, 40, 20, #0a141e)");
    EXPECT_EQ(w.log[1], "DrawRect(0, 0, 39, 1, #28323c)");
    EXPECT_EQ(w.log[4], "DrawRect(0, 19, 40, 1, #28323c)");
    EXPECT_EQ(w.log[5].rfind("DrawTextRun(2, 2, 0, \"plugin/png missing!\"", 0), 0u) << w.log[5];
    EXPECT_NE(w.log[5].find("#000000"), std::string::npos) << w.log[5];

    // The same box, in pixels: frame, face, then the text from 2, 2 in black.
    ASSERT_EQ(img.GetSize(), Size(30, 20));
    struct Pixel {
        int x, y;
        Color color;
    } pixels[] = {
        { 0, 0, Color(40, 50, 60) },  { 29, 19, Color(40, 50, 60) }, { 1, 1, Color(10, 20, 30) },
        { 1, 18, Color(10, 20, 30) }, { 2, 2, Color(0, 0, 0) },
    };
    for(const Pixel& p : pixels)
        EXPECT_EQ(img[p.y][p.x], p.color.ToRGBA()) << p.x << ", " << p.y;
}

TEST(RichPNG, AnImageIsNeverEnlargedPastFourTimes)
{
    Image img = Pattern(10, 10);
    struct Case {
        Size asked, drawn;
    } cases[] = {
        { Size(100, 50), Size(40, 40) },
        { Size(20, 30), Size(20, 30) },
        { Size(35, 90), Size(35, 40) },
    };
    for(const Case& c : cases) {
        RecordingDraw w;
        GetRichPNG().Paint(Value(img), w, c.asked, nullptr);
        ASSERT_EQ(w.log.size(), 1u);
        EXPECT_EQ(w.log[0], "DrawImageScaled(0, 0, " + std::to_string(c.drawn.cx) + ", " + std::to_string(c.drawn.cy) +
                                ", Image(10x10), (0, 0, 10, 10), Null)");
        ExpectSameImage(GetRichPNG().ToImage(Value(img), c.asked), RescaleImage(img, c.drawn));
    }
    RasterDraw same(10, 10);
    GetRichPNG().Paint(Value(img), same, Size(10, 10), nullptr);
    ExpectSameImage(CanvasImage(same), img);
}

TEST(RichRawImage, DecodesTheFileBytesWheneverAsked)
{
    String bmp = PatternBmp(3, 2);
    EmbeddedObject o;
    ASSERT_TRUE(o.ReadObject("rawimage", bmp, Size(9, 9)));
    EXPECT_EQ(o.GetData(), Value(bmp));
    EXPECT_EQ(o.GetTypeName(), "rawimage");
    EXPECT_EQ(o.GetPixelSize(), Size(3, 2));
    EXPECT_EQ(o.GetPhysicalSize(), Size(30, 20));
    EXPECT_EQ(GetRichRawImage().WriteData(o.GetData()), bmp);
    EXPECT_EQ(GetRichRawImage().WriteData(Value()), "");

    Image img = Pattern(3, 2);
    for(Size sz : { Size(3, 2), Size(7, 5), Size(2, 1) }) {
        RasterDraw w(sz.cx, sz.cy);
        o.Paint(w, sz);
        ExpectSameImage(CanvasImage(w), RescaleImage(img, sz));
        ExpectSameImage(o.ToImage(sz), RescaleImage(img, sz));
    }
    ExpectSameImage(o.ToImage(Size(3, 2)), img);
    // Rescaled straight from the raster: the image drawn already has the size asked for.
    RecordingDraw log;
    o.Paint(log, Size(7, 5));
    ASSERT_EQ(log.log.size(), 1u);
    EXPECT_EQ(log.log[0], "DrawImageScaled(0, 0, 7, 5, Image(7x5), (0, 0, 7, 5), Null)");
}

TEST(RichRawImage, BytesNoFormatOpensPaintNothing)
{
    for(const Value& data : { Value("BM but cut"), Value(), Value(17) }) {
        EXPECT_EQ(GetRichRawImage().GetPixelSize(data, nullptr), Size(0, 0));
        EXPECT_EQ(GetRichRawImage().GetPhysicalSize(data, nullptr), Size(0, 0));
        RecordingDraw w;
        GetRichRawImage().Paint(data, w, Size(4, 4), nullptr);
        EXPECT_TRUE(w.log.empty());
        EXPECT_TRUE(GetRichRawImage().ToImage(data, Size(4, 4)).IsEmpty());
    }
}

TEST(RichImlImage, ShowsAPictureOfARegisteredList)
{
    Image tab = FindImageByPath("RichTextImg:TabChar");
    ASSERT_EQ(tab.GetSize(), Size(6, 5));
    EmbeddedObject o;
    ASSERT_TRUE(o.ReadObject("iml", "RichTextImg:TabChar", Size(9, 9)));
    EXPECT_EQ(o.GetData(), Value("RichTextImg:TabChar"));
    EXPECT_EQ(o.GetPixelSize(), Size(6, 5));
    EXPECT_EQ(o.GetPhysicalSize(), Size(6, 5)); // pixels, not dots
    EXPECT_EQ(GetRichImlImage().WriteData(o.GetData()), "RichTextImg:TabChar");

    RecordingDraw w;
    o.Paint(w, Size(18, 10));
    ASSERT_EQ(w.log.size(), 1u);
    EXPECT_EQ(w.log[0], "DrawImageScaled(0, 0, 18, 10, Image(6x5), (0, 0, 6, 5), Null)");
    ExpectSameImage(o.ToImage(Size(6, 5)), tab);
    ExpectSameImage(o.ToImage(Size(18, 10)), RescaleImage(tab, Size(18, 10)));
}

TEST(RichImlImage, UnknownListOrImageIsEmpty)
{
    for(const char* path : { "NoSuchList:TabChar", "RichTextImg:NoSuchImage", "RichTextImg", "" }) {
        EmbeddedObject o;
        ASSERT_TRUE(o.ReadObject("iml", path, Size(9, 9))) << path;
        EXPECT_EQ(o.GetPixelSize(), Size(0, 0)) << path;
        EXPECT_EQ(o.GetPhysicalSize(), Size(0, 0)) << path;
        RasterDraw w(4, 3, Color(1, 2, 3));
        o.Paint(w, Size(4, 3));
        EXPECT_EQ(w.Picture({ { Color(1, 2, 3), 'o' } }), std::vector<std::string>(3, "oooo")) << path;
        EXPECT_TRUE(o.ToImage(Size(4, 3)).IsEmpty()) << path;
    }
}

} // namespace
} // namespace Qor
