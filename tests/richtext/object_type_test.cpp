// Embedded objects: reading through the registry, the base type's sizes and forwarding,
// the "Drawing" and "PING" types and the unknown-object box.

#include "draw/raster/stream_raster.h"
#include "draw/recorded/drawing.h"
#include "draw/look/sys_colors.h"
#include "foundation/string_stream.h"
#include "foundation/values/value_rep.h"
#include "richtext/model/object_type.h"
#include "richtext/model/object_types.h"
#include "draw/target/draw_hooks.h"
#include "tests/draw/support/raster_draw.h"
#include "tests/draw/support/recording_draw.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

namespace Qor {
namespace {

using QorTest::RecordingDraw;

// A type whose sizes are set by the test; its data is the text it was read from.
class SizedType : public RichObjectType {
public:
    using RichObjectType::GetPhysicalSize;
    using RichObjectType::GetPixelSize;
    using RichObjectType::Paint;

    Size physical, pixels;
    mutable void* seen_context = nullptr;
    mutable int paints = 0;

    String GetTypeName(const Value&) const override { return "sized"; }
    Size GetPhysicalSize(const Value&, void* context) const override
    {
        seen_context = context;
        return physical;
    }
    Size GetPixelSize(const Value&, void*) const override { return pixels; }
    void Paint(const Value&, Draw& w, Size sz) const override
    {
        paints++;
        w.DrawRect(1, 1, sz.cx, sz.cy, Color(1, 2, 3));
    }
};

SizedType& TestType()
{
    static SizedType& t = []() -> SizedType& {
        static SizedType type;
        RegisterObjectType("test sized", &type);
        return type;
    }();
    return t;
}

TEST(EmbeddedObject, NewObjectIsEmptyWithItsOwnSerial)
{
    EmbeddedObject a, b;
    EXPECT_TRUE(a.GetData().IsVoid());
    EXPECT_EQ(a.GetType(), nullptr);
    EXPECT_TRUE(a.IsKeepRatio());
    EXPECT_EQ(a.GetSize(), Size(0, 0));
    EXPECT_EQ(a.GetPhysicalSize(), Size(0, 0));
    EXPECT_EQ(a.GetYDelta(), 0);
    EXPECT_GT(b.GetSerial(), a.GetSerial());
    int64 before = b.GetSerial();
    b.RenewSerial();
    EXPECT_GT(b.GetSerial(), before);
}

TEST(EmbeddedObject, ReadObjectFillsAMissingPhysicalDirectionFromThePixels)
{
    struct Case {
        Size physical, pixels, expected;
    } cases[] = {
        { Size(0, 50), Size(96, 48), Size(600, 300) },
        { Size(70, 0), Size(96, 48), Size(600, 300) },
        { Size(70, 50), Size(96, 48), Size(70, 50) },
        { Size(0, 0), Size(10, 1), Size(62, 6) }, // truncated toward zero
    };
    SizedType& type = TestType();
    for(const Case& c : cases) {
        type.physical = c.physical;
        type.pixels = c.pixels;
        EmbeddedObject o;
        o.SetYDelta(7);
        o.KeepRatio(false);
        int64 before = o.GetSerial();
        int context = 0;
        EXPECT_TRUE(o.ReadObject("test sized", "payload", Size(11, 12), &context));
        EXPECT_EQ(type.seen_context, &context);
        EXPECT_EQ(o.GetType(), &type);
        EXPECT_EQ(o.GetData(), Value("payload"));
        EXPECT_EQ(o.GetPhysicalSize(), c.expected);
        EXPECT_EQ(o.GetPixelSize(), c.pixels);
        EXPECT_EQ(o.GetSize(), Size(11, 12));
        EXPECT_EQ(o.GetYDelta(), 0);
        EXPECT_TRUE(o.IsKeepRatio());
        EXPECT_GT(o.GetSerial(), before);
        EXPECT_EQ(o.GetTypeName(), "sized");
    }
}

TEST(EmbeddedObject, UnknownTypeKeepsItsTextAndPaintsALabelledBox)
{
    EmbeddedObject o;
    EXPECT_FALSE(o.ReadObject("no such type", "raw bytes", Size(40, 20)));
    EXPECT_EQ(o.GetType(), nullptr);
    EXPECT_EQ(o.GetTypeName(), "no such type");
    EXPECT_EQ(o.GetData(), Value("raw bytes"));
    EXPECT_EQ(o.GetSize(), Size(40, 20));
    EXPECT_EQ(o.GetPhysicalSize(), Size(40, 20));
    EXPECT_EQ(o.GetPixelSize(), Size(40, 20));

    Color face = SysColorFace(), text = SysColorText();
    SetSysColorFace(Color(10, 20, 30));
    SetSysColorText(Color(40, 50, 60));
    RecordingDraw w;
    o.Paint(w, Size(40, 20));
    SetSysColorFace(face);
    SetSysColorText(text);
    ASSERT_GE(w.log.size(), 6u);
    EXPECT_EQ(w.log[0], "DrawRect(0, 0, 40, 20, #0a141e)");
    EXPECT_EQ(w.log[1], "DrawRect(0, 0, 39, 1, #28323c)");
    EXPECT_EQ(w.log[4], "DrawRect(0, 19, 40, 1, #28323c)");
    EXPECT_NE(w.log[5].find("DrawTextRun(2, 2, 0, \"no such type\""), std::string::npos) << w.log[5];
    EXPECT_NE(w.log[5].find("#000000"), std::string::npos) << w.log[5];
}

TEST(EmbeddedObject, ReadingAnUnknownTypeIntoAKnownObjectDropsItsType)
{
    SizedType& type = TestType();
    type.physical = Size(70, 50);
    type.pixels = Size(7, 5);
    EmbeddedObject o;
    ASSERT_TRUE(o.ReadObject("test sized", "payload", Size(11, 12)));
    EXPECT_FALSE(o.ReadObject("gone type", "kept text", Size(30, 10)));
    EXPECT_EQ(o.GetType(), nullptr);
    EXPECT_EQ(o.GetTypeName(), "gone type");
    EXPECT_EQ(o.GetPhysicalSize(), Size(30, 10));
    int paints = type.paints;
    RecordingDraw w;
    o.Paint(w, Size(30, 10));
    EXPECT_EQ(type.paints, paints) << "the old type does not paint the text";
    ASSERT_GE(w.log.size(), 6u);
    EXPECT_NE(w.log[5].find("\"gone type\""), std::string::npos) << w.log[5];
}

TEST(RichObjectType, DefaultSizeDividesUntilItFits)
{
    struct Case {
        Size physical, pixels, max, expected;
    } cases[] = {
        { Size(1000, 400), Size(1, 1), Size(300, 300), Size(250, 100) },
        { Size(1000, 400), Size(1, 1), Size(2000, 2000), Size(1000, 400) },
        { Size(0, 0), Size(16, 8), Size(100, 100), Size(100, 50) }, // pixels × 625 / 100
        { Size(0, 0), Size(16, 8), Size(40, 40), Size(33, 16) },    // 100 / 3, 50 / 3
        { Size(1000, 400), Size(1, 1), Size(-1, -1), Size(0, 0) },  // nothing fits: divisor 9999
    };
    SizedType& type = TestType();
    for(const Case& c : cases) {
        type.physical = c.physical;
        type.pixels = c.pixels;
        EXPECT_EQ(type.GetDefaultSize(Value("x"), c.max), c.expected) << c.max.cx;
        EXPECT_EQ(type.GetDefaultSize(Value("x"), c.max, nullptr), c.expected);
    }
    EXPECT_EQ(type.GetDefaultSize(Value(), Size(300, 300)), Size(0, 0));
}

TEST(RichObjectType, BaseTextFormsAndDefaults)
{
    SizedType& type = TestType();
    EXPECT_EQ(type.ReadData("abc"), Value("abc"));
    EXPECT_EQ(type.WriteData(Value("abc")), "abc");
    EXPECT_EQ(type.WriteData(Value(WString("wide"))), "wide");
    EXPECT_EQ(type.WriteData(Value()), "");
    EXPECT_FALSE(type.IsTextData());
    EXPECT_EQ(type.TextAtPoint(Value("x"), Point(1, 1), Size(2, 2)), "");
    // The context Paint reaches the plain one the type overrides.
    RecordingDraw w;
    int before = type.paints;
    type.Paint(Value("x"), w, Size(5, 6), nullptr);
    EXPECT_EQ(type.paints, before + 1);
    ASSERT_EQ(w.log.size(), 1u);
    EXPECT_EQ(w.log[0], "DrawRect(1, 1, 5, 6, #010203)");
}

// Image Draws paint into a RasterDraw while the test runs; the hook is put back after.
class RasterImageFactory {
public:
    RasterImageFactory() : saved(ImageDrawFactoryHook)
    {
        ImageDrawFactoryHook.factory = [](Size sz) -> Draw* { return new QorTest::RasterDraw(sz.cx, sz.cy); };
        ImageDrawFactoryHook.getter = [](Draw* w) { return Image(static_cast<QorTest::RasterDraw*>(w)->canvas); };
    }
    ~RasterImageFactory() { ImageDrawFactoryHook = saved; }

private:
    ImageDrawFactoryHooks saved;
};

bool SameColor(RGBA p, Color c) { return p.r == c.GetR() && p.g == c.GetG() && p.b == c.GetB() && p.a == 255; }

TEST(RichObjectType, ImagesArePaintedOnPaper)
{
    RasterImageFactory factory;
    Color paper = SysColorPaper(), face = SysColorFace(), text = SysColorText();
    SetSysColorPaper(Color(200, 201, 202));
    SetSysColorFace(Color(10, 20, 30));
    SetSysColorText(Color(40, 50, 60));

    Image m = TestType().ToImage(Value("x"), Size(3, 3));
    ASSERT_EQ(m.GetSize(), Size(3, 3));
    EXPECT_TRUE(SameColor(m[0][0], Color(200, 201, 202)));
    EXPECT_TRUE(SameColor(m[0][2], Color(200, 201, 202)));
    EXPECT_TRUE(SameColor(m[1][1], Color(1, 2, 3)));
    EXPECT_TRUE(SameColor(m[2][2], Color(1, 2, 3)));

    // An object of an unknown type: the face inside a frame in the text colour (its name
    // is drawn from 2, 2 on).
    EmbeddedObject o;
    o.ReadObject("unknown", "", Size(5, 4));
    Image box = o.ToImage(Size(5, 4));
    ASSERT_EQ(box.GetSize(), Size(5, 4));
    EXPECT_TRUE(SameColor(box[0][0], Color(40, 50, 60)));
    EXPECT_TRUE(SameColor(box[0][4], Color(40, 50, 60)));
    EXPECT_TRUE(SameColor(box[3][0], Color(40, 50, 60)));
    EXPECT_TRUE(SameColor(box[1][1], Color(10, 20, 30)));

    SetSysColorPaper(paper);
    SetSysColorFace(face);
    SetSysColorText(text);
}

Drawing SampleDrawing() { return Drawing(Size(30, 20), String("\x05\x01\x02", 3), ValueArray()); }

TEST(DrawingObject, WrittenDataReadsBackWithSizeAndDrawing)
{
    const RichObjectType* type = FindObjectType("Drawing");
    ASSERT_NE(type, nullptr);
    Value data = RichObjectTypeDrawingCls::MakeData(SampleDrawing(), Size(600, 400));
    EXPECT_EQ(data.GetTypeNumber(), UNKNOWN_V + TypeNumber("N3Qor24RichObjectTypeDrawingCls4DataE"));
    EXPECT_FALSE(data.IsNull());
    String text = type->WriteData(data);
    ASSERT_GE(text.GetLength(), 12);
    EXPECT_EQ(String(text.Begin(), 12), String("\x01\0\0\0\x58\x02\0\0\x90\x01\0\0", 12));

    EmbeddedObject o;
    ASSERT_TRUE(o.ReadObject("Drawing", text, Size(100, 50)));
    EXPECT_EQ(o.GetTypeName(), "Drawing");
    const RichObjectTypeDrawingCls::Data* d = RichObjectTypeDrawingCls::GetData(o.GetData());
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->size, Size(600, 400));
    EXPECT_EQ(d->drawing, SampleDrawing());
    EXPECT_EQ(d->drawing.GetSize(), Size(30, 20));
    EXPECT_EQ(o.GetPhysicalSize(), Size(600, 400));
    EXPECT_EQ(o.GetPixelSize(), Size(30, 20));

    RecordingDraw w;
    o.Paint(w, Size(8, 9));
    ASSERT_EQ(w.log.size(), 2u);
    EXPECT_EQ(w.log[0], "DrawRect(0, 0, 8, 9, #ffffff)");
    EXPECT_EQ(w.log[1], "DrawDrawing((0, 0, 8, 9), 3 bytes)");
}

TEST(DrawingObject, DamagedDataIsVoidAndPaintsWhite)
{
    const RichObjectType* type = FindObjectType("Drawing");
    ASSERT_NE(type, nullptr);
    String whole = type->WriteData(RichObjectTypeDrawingCls::MakeData(SampleDrawing(), Size(6, 4)));
    for(int cut : { 0, 3, 11, whole.GetLength() - 1 }) {
        EmbeddedObject o;
        ASSERT_TRUE(o.ReadObject("Drawing", String(whole.Begin(), cut), Size(5, 5)));
        EXPECT_TRUE(o.GetData().IsVoid()) << cut;
        EXPECT_EQ(o.GetPhysicalSize(), Size(0, 0));
        EXPECT_EQ(o.GetPixelSize(), Size(0, 0));
        RecordingDraw w;
        o.Paint(w, Size(5, 5));
        ASSERT_EQ(w.log.size(), 1u);
        EXPECT_EQ(w.log[0], "DrawRect(0, 0, 5, 5, #ffffff)");
    }
    EXPECT_EQ(type->WriteData(Value("not a drawing")), "");
}

// "PX", width, height, then one grey level per pixel; 100 dots per pixel.
class GreyRaster : public StreamRaster {
public:
    static StreamRaster* Create() { return new GreyRaster; }

    bool Open() override
    {
        byte header[4];
        if(stream->Get(header, 4) != 4 || header[0] != 'P' || header[1] != 'X')
            return false;
        size = Size(header[2], header[3]);
        pixels.SetCount(size.cx * size.cy);
        for(RGBA& p : pixels) {
            int g = stream->Get();
            p.r = p.g = p.b = (byte)g;
            p.a = 255;
        }
        return true;
    }
    Size GetSize() override { return size; }
    RasterInfo GetInfo() override
    {
        RasterInfo info;
        info.dots = Size(size.cx * 100, size.cy * 100);
        return info;
    }
    RasterLine GetLine(int line) override
    {
        return RasterLine(this, pixels.begin() + line * size.cx, nullptr, false, false);
    }

private:
    Size size;
    Vector<RGBA> pixels;
};

TEST(PingObject, SizesAndPaintingComeFromTheImageFile)
{
    static bool registered = false;
    if(!registered) {
        RegisterRasterFormat(GreyRaster::Create);
        registered = true;
    }
    const RichObjectType* type = FindObjectType("PING");
    ASSERT_NE(type, nullptr);
    String file("PX\x02\x03\x10\x20\x30\x40\x50\x60", 10);
    for(const Value& data : { Value(file), Value(WString("PX\x02\x03\x10\x20\x30\x40\x50\x60")) }) {
        EXPECT_EQ(type->GetPixelSize(data, nullptr), Size(2, 3));
        EXPECT_EQ(type->GetPhysicalSize(data, nullptr), Size(200, 300));
    }
    EmbeddedObject o;
    ASSERT_TRUE(o.ReadObject("PING", file, Size(20, 30)));
    EXPECT_EQ(o.GetTypeName(), "PING");
    EXPECT_EQ(o.GetData(), Value(file));
    RecordingDraw w;
    o.Paint(w, Size(20, 30));
    ASSERT_EQ(w.log.size(), 2u);
    EXPECT_EQ(w.log[0], "DrawRect(0, 0, 20, 30, #ffffff)");
    EXPECT_EQ(w.log[1].rfind("DrawImageScaled(0, 0, 20, 30, ", 0), 0u) << w.log[1];

    // Data no format accepts, or that is no text at all.
    for(const Value& bad : { Value("not an image"), Value(17) }) {
        EXPECT_EQ(type->GetPixelSize(bad, nullptr), Size(0, 0));
        EXPECT_EQ(type->GetPhysicalSize(bad, nullptr), Size(0, 0));
        RecordingDraw r;
        type->Paint(bad, r, Size(4, 4), nullptr);
        ASSERT_EQ(r.log.size(), 1u);
        EXPECT_EQ(r.log[0], "DrawRect(0, 0, 4, 4, #ff0000)");
    }
}

} // namespace
} // namespace Qor
