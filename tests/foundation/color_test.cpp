// Color: packing, pixel conversions (including pixels that are not validly premultiplied),
// blends, brightness, text, and the in-place Value with its binary, XML and JSON forms.

#include "foundation/values/color.h"

#include "foundation/string_stream.h"
#include "foundation/values/jsonize.h"
#include "foundation/values/value.h"
#include "foundation/values/value_map.h"
#include "foundation/values/value_registry.h"
#include "foundation/values/xmlize.h"

#include <gtest/gtest.h>
#include "tests/support/printers.h"

using namespace Qor;

namespace {

struct Rgb {
    int r, g, b;
};

void ExpectColor(Color c, Rgb e)
{
    EXPECT_FALSE(c.IsNullInstance());
    EXPECT_EQ(c.GetR(), e.r);
    EXPECT_EQ(c.GetG(), e.g);
    EXPECT_EQ(c.GetB(), e.b);
}

} // namespace

TEST(ColorPacking, LayoutAndNull)
{
    Color c(0x12, 0x34, 0x56);
    EXPECT_EQ(c.GetBits(), 0x00563412u);
    EXPECT_EQ(c.GetPacked(), 0x563412u);
    EXPECT_TRUE(Color().IsNullInstance());
    EXPECT_EQ(Color().GetBits(), 0xFFFFFFFFu);
    EXPECT_EQ(Color().GetPacked(), 0u);
    EXPECT_FALSE(White().IsNullInstance()); // 0x00FFFFFF is an ordinary colour
    EXPECT_NE(White(), Color());
    EXPECT_EQ(Color(256 + 7, -1, 0), Color(7, 255, 0)); // channels keep their low 8 bits
}

TEST(ColorPixel, ToRGBA)
{
    RGBA p = Color(10, 20, 30).ToRGBA();
    EXPECT_EQ(p.b, 30);
    EXPECT_EQ(p.g, 20);
    EXPECT_EQ(p.r, 10);
    EXPECT_EQ(p.a, 255);
    RGBA n = Color().ToRGBA();
    EXPECT_EQ(n.b | n.g | n.r | n.a, 0);
    // Memory order blue, green, red, alpha.
    static_assert(sizeof(RGBA) == 4);
    const byte* bytes = reinterpret_cast<const byte*>(&p);
    EXPECT_EQ(bytes[0], 30);
    EXPECT_EQ(bytes[3], 255);
}

TEST(ColorPixel, FromPremultiplied)
{
    struct Case {
        RGBA pixel; // b, g, r, a
        Rgb expected;
    } cases[] = {
        {{64, 64, 64, 128}, {128, 128, 128}},
        {{1, 2, 3, 255}, {3, 2, 1}},             // alpha 255: taken unchanged
        {{0, 50, 100, 200}, {127, 63, 0}},       // q = 327: 100 * 327 >> 8 = 127
        {{128, 128, 128, 128}, {255, 255, 255}}, // half-transparent white stays white
        {{3, 3, 3, 3}, {255, 255, 255}},
        {{1, 1, 1, 1}, {255, 255, 255}},         // q = 65536 gives 256: saturated
        {{200, 0, 90, 100}, {230, 0, 255}},      // a byte above alpha saturates, no wrap
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (int)c.pixel.r << "," << (int)c.pixel.g << "," << (int)c.pixel.b << " a "
                                        << (int)c.pixel.a);
        ExpectColor(Color(c.pixel), c.expected);
    }
    EXPECT_TRUE(Color(RGBA{255, 17, 3, 0}).IsNullInstance());
    EXPECT_TRUE(Color(RGBA{0, 0, 0, 0}).IsNullInstance());
    // Every valid premultiplied grey comes back within range and near its original.
    for(int a = 1; a < 256; a++)
        for(int v = 0; v <= a; v += 7) {
            Color c(RGBA{(byte)v, (byte)v, (byte)v, (byte)a});
            int expected = v * 255 / a;
            EXPECT_NEAR(c.GetR(), expected, 2) << v << " / " << a;
        }
}

TEST(ColorBlend, MixColors)
{
    struct Case {
        Color a, b;
        int alpha;
        Rgb expected;
    } cases[] = {
        {Black(), White(), 128, {128, 128, 128}},
        {Color(), White(), 128, {128, 128, 128}}, // Null counts as black
        {White(), Color(), 255, {0, 0, 0}},
        {Color(10, 200, 30), Color(250, 0, 31), 0, {10, 200, 30}},
        {Color(10, 200, 30), Color(250, 0, 31), 255, {250, 0, 31}},
        {Color(100, 100, 100), Color(0, 0, 0), 1, {99, 99, 99}}, // the shift rounds down
        {White(), White(), 77, {255, 255, 255}},
        {Color(254, 254, 254), White(), 200, {254, 254, 254}},
        {Color(10, 20, 30), Color(40, 50, 60), 1000, {40, 50, 60}}, // alpha held to 0..255
        {Color(10, 20, 30), Color(40, 50, 60), -5, {10, 20, 30}},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << Std(c.a.ToText()) << " " << Std(c.b.ToText()) << " " << c.alpha);
        ExpectColor(MixColors(c.a, c.b, c.alpha), c.expected);
    }
    // The ends are exact for every pair.
    for(int i = 0; i < 256; i += 15) {
        Color a(i, 255 - i, i / 2), b(255 - i, i, 255);
        EXPECT_EQ(MixColors(a, b, 0), a);
        EXPECT_EQ(MixColors(a, b, 255), b);
    }
    // Mixing white pixels unmultiplied from half alpha keeps them white.
    Color w = Color(RGBA{128, 128, 128, 128});
    EXPECT_EQ(MixColors(w, White(), 128), White());
}

TEST(ColorBrightness, GrayAndDark)
{
    struct Case {
        Color c;
        int gray;
        bool dark;
    } cases[] = {
        {White(), 255, false},     {Black(), 0, true},         {Color(), 0, true},
        {Color(255, 0, 0), 76, true}, {Color(0, 0, 255), 27, true}, {Color(0, 255, 0), 150, false},
        // 20479 is the last dark weight: (77 + 151 + 28) * 80 - 1.
        {Color(80, 80, 79), 79, true}, {Color(80, 80, 80), 80, false},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(GrayLevel(c.c), c.gray) << Std(c.c.ToText());
        EXPECT_EQ(IsDarkColor(c.c), c.dark) << Std(c.c.ToText());
    }
}

TEST(ColorText, Forms)
{
    EXPECT_EQ(Std(Color().ToText()), "Color(Null)");
    EXPECT_EQ(Std(Color(255, 0, 0).ToText()), "Color(255, 0, 0)");
    EXPECT_EQ(Std(Color(255, 128, 0).ToText()), "Color(255, 128, 0)");
    EXPECT_EQ(Std(Value(Color(1, 2, 3)).ToString()), "Color(1, 2, 3)");
    EXPECT_EQ(Std(Value(Color()).ToString()), ""); // a Null Value's text is empty
}

TEST(ColorValue, InPlaceTypeAndRegistry)
{
    Value v = Color(1, 2, 3);
    EXPECT_EQ(v.GetTypeNumber(), COLOR_V);
    EXPECT_TRUE(v.IsInPlace(COLOR_V));
    EXPECT_FALSE(v.IsNull());
    EXPECT_EQ(Color(v), Color(1, 2, 3));
    EXPECT_TRUE(Color(Value(5)).IsNullInstance());
    EXPECT_TRUE(Value(Color()).IsNull());
    EXPECT_EQ(v.GetHashValue(), 0x030201u);
    EXPECT_TRUE(v == Value(Color(1, 2, 3)));
    EXPECT_FALSE(v == Value(Color(1, 2, 4)));
    EXPECT_FALSE(v == Value(0x030201)); // never equal to another type
    EXPECT_FALSE(Value(Black()) == Value(0));
    EXPECT_EQ(Std(LookupValueTypeName(COLOR_V)), "Color");
    EXPECT_EQ(LookupValueTypeNumber("Color"), COLOR_V);
}

TEST(ColorValue, BinaryForm)
{
    struct Case {
        Color c;
        std::string bytes;
    } cases[] = {
        {Color(1, 2, 3), std::string("\x28\x01\x02\x03\x00", 5)},
        {Color(), std::string("\x28\xff\xff\xff\xff", 5)},
    };
    for(const Case& c : cases) {
        Value v = c.c;
        StringStream out;
        SerializeValue(out, v);
        String text = out.GetText();
        EXPECT_EQ(Std(text), c.bytes); // type number 39 packed as 40, then 4 bytes
        Value back;
        StringStream in(text);
        SerializeValue(in, back);
        EXPECT_FALSE(in.IsError());
        EXPECT_EQ(back.GetTypeNumber(), COLOR_V);
        EXPECT_EQ(Color(back), c.c);
    }
}

namespace {

std::string Attributes(const XmlNode& n)
{
    std::string s;
    for(int i = 0; i < n.GetAttributeCount(); i++)
        s += Std(n.GetAttributeName(i)) + "=" + Std(n.GetAttributeValue(i)) + ";";
    return s;
}

Color LoadXml(XmlNode& node, Color start = Color(9, 9, 9))
{
    XmlizeIo io(node, true);
    Xmlize(io, start);
    return start;
}

} // namespace

TEST(ColorMapping, Xml)
{
    struct Case {
        Color c;
        const char* attributes;
    } cases[] = {
        {Color(255, 128, 0), "red=255;green=128;blue=0;"},
        {Color(), "red=;green=;blue=;"},
    };
    for(const Case& c : cases) {
        XmlNode node;
        Color x = c.c;
        XmlizeIo io(node, false);
        Xmlize(io, x);
        EXPECT_EQ(Attributes(node), c.attributes);
        EXPECT_EQ(LoadXml(node), c.c);
    }
    XmlNode red_only;
    red_only.SetAttribute("red", "10");
    EXPECT_EQ(LoadXml(red_only), Color(10, 0, 0));
    XmlNode wide;
    wide.SetAttribute("red", "300").SetAttribute("green", "-1").SetAttribute("blue", "2");
    EXPECT_EQ(LoadXml(wide), Color(44, 255, 2));
    XmlNode no_red;
    no_red.SetAttribute("green", "5");
    EXPECT_TRUE(LoadXml(no_red).IsNullInstance());

    // Through the Value's record.
    Value v = Color(7, 8, 9);
    XmlNode node;
    XmlizeIo store(node, false);
    value_ops_table[COLOR_V]->Xmlize(&v, store);
    EXPECT_EQ(Attributes(node), "red=7;green=8;blue=9;");
    Value back = Color();
    XmlizeIo load(node, true);
    value_ops_table[COLOR_V]->Xmlize(&back, load);
    EXPECT_TRUE(back == v);
}

TEST(ColorMapping, Json)
{
    Color c(255, 128, 0);
    Value json = StoreJsonValue(c);
    ValueMap m(json);
    ASSERT_EQ(m.GetCount(), 3);
    EXPECT_EQ(Std(m.GetKey(0).ToString()), "red");
    EXPECT_EQ(Std(m.GetKey(2).ToString()), "blue");
    EXPECT_EQ(m.GetValue(0).GetTypeNumber(), DOUBLE_V);
    EXPECT_EQ(m.GetValue(1).ToDouble(), 128);
    Color back;
    LoadJsonValue(back, json);
    EXPECT_EQ(back, c);

    Color null;
    Value null_json = StoreJsonValue(null);
    EXPECT_TRUE(null_json["red"].IsNull());
    Color loaded(1, 2, 3);
    LoadJsonValue(loaded, null_json);
    EXPECT_TRUE(loaded.IsNullInstance());

    ValueMap only_green;
    only_green.Add("green", 99);
    Color partial(1, 2, 3);
    LoadJsonValue(partial, Value(only_green));
    EXPECT_EQ(partial, Color(1, 99, 3));
    // Into a Null colour: red stays Null, so the result is Null.
    Color from_null;
    LoadJsonValue(from_null, Value(only_green));
    EXPECT_TRUE(from_null.IsNullInstance());

    ValueMap bad;
    bad.Add("red", 1.5);
    Color kept(4, 5, 6);
    EXPECT_THROW(LoadJsonValue(kept, Value(bad)), JsonizeError);
    EXPECT_EQ(kept, Color(4, 5, 6));
}
