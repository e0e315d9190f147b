// Font values: face lookup, resolution, hash, and the stream, XML, JSON and text forms.

#include "draw/font/font.h"
#include "foundation/string_stream.h"
#include "foundation/values/jsonize.h"
#include "foundation/values/number_text.h"
#include "foundation/values/value_registry.h"
#include "foundation/values/xmlize.h"
#include "tests/draw/support/test_fonts.h"

#include <gtest/gtest.h>

#include <string>

namespace Qor {
namespace {

int ListedFace(const char* name)
{
    const Vector<FontFaceInfo>& list = GetFontFaceList();
    for(int i = 4; i < list.GetCount(); i++)
        if(list[i].name == name)
            return i;
    return -1;
}

std::string Hex(const String& s)
{
    std::string r;
    char b[4];
    for(char c : s) {
        std::snprintf(b, sizeof b, "%02x", (byte)c);
        r += b;
    }
    return r;
}

String Store(Font f)
{
    StringStream s;
    f.Serialize(s);
    return s.GetText();
}

Font Load(const String& data)
{
    StringStream s(data);
    Font f = Font(9, 9).Bold();
    f.Serialize(s);
    EXPECT_FALSE(s.IsError());
    return f;
}

TEST(FontFaceList, FixedEntriesThenOnlyThePrivateFamilies)
{
    const Vector<FontFaceInfo>& list = GetFontFaceList();
    ASSERT_GE(list.GetCount(), 8);
    const char* fixed[] = {"STDFONT", "serif", "sansserif", "monospace"};
    dword flags[] = {2, 2, 2, 3};
    for(int i = 0; i < 4; i++) {
        EXPECT_EQ(list[i].name, fixed[i]);
        EXPECT_EQ(list[i].flags, flags[i]);
    }
    for(int i = 4; i < list.GetCount(); i++)
        EXPECT_TRUE(list[i].name.StartsWith("DejaVu") || list[i].name.StartsWith("Qor")) << list[i].name.Begin();
    EXPECT_EQ(Font::GetFaceCount(), list.GetCount());
    int mono = ListedFace("Qor Latin Mono");
    int sans = ListedFace("DejaVu Sans");
    ASSERT_GT(mono, 3);
    ASSERT_GT(sans, 3);
    EXPECT_EQ(Font(mono, 10).IsFaceFixedPitch(), 3u);
    EXPECT_EQ(Font(sans, 10).IsFaceFixedPitch(), 2u);
    EXPECT_EQ(Font(list.GetCount(), 10).IsFaceFixedPitch(), 0u);
    EXPECT_EQ(Font::Null().IsFaceFixedPitch(), 0u);
}

TEST(FontFaceList, FindFontFace)
{
    int sans = ListedFace("DejaVu Sans");
    struct Case {
        const char* name;
        int face;
    } cases[] = {
        {"STDFONT", 0},       {"serif", 1},         {"SansSerif", 2},    {"Sans-Serif", 2},
        {"sans serif", 2},    {"Monospace", 3},     {"No Such Family", 0}, {"", 0},
        {"DejaVu Sans", sans}, {"dejavu-sans", sans}, {"DEJAVUSANS", sans}, {"stdfont", 0},
    };
    for(const Case& c : cases)
        EXPECT_EQ(FindFontFace(c.name), c.face) << c.name;
}

TEST(FontFaceList, FaceNames)
{
    EXPECT_EQ(Font(0, 10).GetFaceName(), "STDFONT");
    EXPECT_EQ(Font(2, 10).GetFaceName(), "sansserif");
    EXPECT_EQ(Font(ListedFace("Qor Latin"), 10).GetFaceName(), "Qor Latin");
    EXPECT_EQ(Font::Null().GetFaceName(), "");
    EXPECT_EQ(Font(Font::GetFaceCount(), 10).GetFaceName(), "");
}

TEST(FontValue, StandardFontAndResolution)
{
    EXPECT_EQ(GetStandardFont(), Font(2, 12));
    EXPECT_EQ(GetStandardFontReference().GetData(), 0x0000830000000000ull);
    struct Case {
        Font in;
        Font resolved;
    } cases[] = {
        {GetStandardFontReference(), Font(2, 12)},
        {Font::Null(), Font(2, 12)},
        {Font(0, 20).Bold().Width(3), Font(2, 20).Bold().Width(3)},
        {Font(5, Font::STD_HEIGHT).Italic(), Font(5, 12).Italic()},
        {Font(7, -9), Font(7, -9)},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(c.in.Resolved(), c.resolved) << c.in.ToText().Begin();
        EXPECT_EQ(c.in.Resolved().GetHeight(), c.resolved.GetHeightCode());
    }
    EXPECT_EQ(GetStandardFontReference().GetHeight(), 12);
    Font f = Font(3, 10).Bold().Width(-2);
    EXPECT_EQ(f.Copy(), f);
}

TEST(FontValue, Hashes)
{
    Font f = Font(3, -10).Bold().Width(-2);
    uint32 h = 0xE2F62FF2u ^ (uint32)-2;
    h = h * 17 ^ 0x8000u;
    h = h * 17 ^ (uint32)-10;
    h = h * 17 ^ 3u;
    EXPECT_EQ(FontHash(f), h);
    EXPECT_EQ(GlyphHash(f, 'A'), ((h ^ 0xE2F62FF2u) * 17) ^ 'A');
    // The Value hashes the font as stored, not resolved.
    Value v = GetStandardFontReference();
    EXPECT_EQ(v.GetHashValue(), FontHash(GetStandardFontReference()));
    EXPECT_NE(v.GetHashValue(), FontHash(GetStandardFont()));
}

TEST(FontValue, ValueForm)
{
    Font f = Font(2, 14).Italic();
    Value v = f;
    EXPECT_EQ(v.GetTypeNumber(), 40);
    EXPECT_FALSE(v.IsNull());
    EXPECT_TRUE(Value(Font::Null()).IsNull());
    EXPECT_EQ(Font(v), f);
    EXPECT_TRUE(v == Value(Font(2, 14).Italic()));
    EXPECT_FALSE(v == Value(Font(2, 14)));
    EXPECT_FALSE(v == Value(14));
    EXPECT_EQ(LookupValueTypeName(40), "Font");
    EXPECT_EQ(v.ToString(), "<sansserif:14 Italic>");

    // Through the registry: a stored Font comes back as a Font.
    Value back;
    ASSERT_TRUE(LoadFromString(back, StoreAsString(v)));
    EXPECT_EQ(back.GetTypeNumber(), 40);
    EXPECT_EQ(Font(back), f);
}

TEST(FontForms, Text)
{
    int latin = ListedFace("Qor Latin");
    struct Case {
        Font font;
        const char* text;
    } cases[] = {
        {Font(2, 12).Bold(), "<sansserif:12 Bold>"},
        {Font(2, 12).Bold().Underline(), "<sansserif:12 Bold Underline>"},
        {Font(0, 9).Italic().Strikeout().NonAntiAliased(), "<STDFONT:9 Italic Strikeout>"},
        {GetStandardFontReference(), "<STDFONT:12>"},
        {Font(latin, -7), "<Qor Latin:-7>"},
        {Font::Null(), "<null>"},
    };
    for(const Case& c : cases)
        EXPECT_EQ(c.font.ToText(), c.text);
}

TEST(FontForms, FlagWords)
{
    struct Case {
        int flags;
        const char* text;
    } cases[] = {
        {0, ""},
        {Font::BOLD | Font::ITALIC, "bold italic"},
        {Font::ITALIC | Font::NOAA, "italic noaa"},
        {0xFC00, "bold italic underline strikeout noaa ttonly"},
        {Font::TTONLY | 0x00FF, "ttonly"},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(FontFlagsToText(c.flags), c.text) << c.flags;
        EXPECT_EQ(FontFlagsFromText(c.text), c.flags & 0xFC00) << c.text;
    }
    EXPECT_EQ(FontFlagsFromText("  heavy bold, 12 italics underline"), Font::BOLD | Font::UNDERLINE);
    EXPECT_EQ(FontFlagsFromText("italic \"bold"), Font::ITALIC);
    EXPECT_EQ(FontFlagsFromText("noaa /* bold"), Font::NOAA);
}

TEST(FontForms, StreamBytes)
{
    int latin = ListedFace("Qor Latin");
    // Version 1 (count byte 2), then the face code as a count, then flags, height, width.
    EXPECT_EQ(Hex(Store(Font(2, 12).Bold())), "0203" "0080" "0c00" "0000");
    EXPECT_EQ(Hex(Store(Font(0, -32000))), "0201" "0000" "0083" "0000");
    std::string named = "0200" "09" + Hex("Qor Latin") + "0040" "f6ff" "0300";
    EXPECT_EQ(Hex(Store(Font(latin, -10).Italic().Width(3))), named);
    EXPECT_EQ(Hex(Store(Font::Null())), "0200" "00" "0000" "0000" "0000");
}

TEST(FontForms, StreamLoading)
{
    int latin = ListedFace("Qor Latin");
    auto bytes = [](std::initializer_list<int> b, const char* tail = "") {
        String s;
        for(int c : b)
            s.AppendChar(c);
        s.Append(tail);
        return s;
    };
    String fields = bytes({0x00, 0x80, 0x0c, 0x00, 0x02, 0x00});
    struct Case {
        String head;
        Font font;
    } cases[] = {
        {bytes({2, 6}), Font(2, 12).Bold().Width(2)},  // code 5 stands for face 2
        {bytes({2, 5}), Font(1, 12).Bold().Width(2)},  // code 4 stands for face 1
        {bytes({2, 9}), Font(8, 12).Bold().Width(2)},  // other codes are face indexes
        {bytes({2, 0, 9}, "Qor Latin"), Font(latin, 12).Bold().Width(2)},
        {bytes({2, 0, 9}, "no-family"), Font(0, 12).Bold().Width(2)},
        {bytes({1, 9}, "Qor Latin"), Font(latin, 12).Bold().Width(2)}, // version 0: a name only
        {bytes({1, 9}, "Monospace"), Font(3, 12).Bold().Width(2)},
    };
    for(const Case& c : cases) {
        String data = c.head;
        data.Append(fields);
        EXPECT_EQ(Load(data), c.font) << Hex(data);
    }
    // An empty name is the Null face; flags, height and width still follow.
    String null_data = bytes({2, 0, 0});
    null_data.Append(fields);
    Font n = Load(null_data);
    EXPECT_EQ(n.GetFace(), 0xFFFF);
    EXPECT_EQ(n.GetHeightCode(), 12);
    EXPECT_TRUE(Load(Store(Font::Null())).IsNullInstance());
    Font round[] = {Font(latin, 33).Underline(), Font(1, -4), GetStandardFontReference()};
    for(Font f : round)
        EXPECT_EQ(Load(Store(f)), f);
}

TEST(FontForms, DamagedStreams)
{
    const char* damaged[] = {"", "\x02", "\x02\x00\x20Qor", "\x07\x01", "\x02\x03\x00"};
    for(const char* d : damaged) {
        StringStream s(String(d, (int)std::char_traits<char>::length(d)));
        Font f(2, 12);
        f.Serialize(s);
        EXPECT_TRUE(s.IsError()) << Hex(d);
    }
}

TEST(FontForms, XmlAndJson)
{
    int latin = ListedFace("Qor Latin");
    Font fonts[] = {Font(latin, 15).Bold().Italic(), Font(2, -3).Width(4), GetStandardFontReference(), Font::Null()};
    for(Font f : fonts) {
        XmlNode node;
        Font stored = f;
        XmlizeIo store(node, false);
        stored.Xmlize(store);
        EXPECT_EQ(node.GetAttribute("face"), f.GetFaceName());
        EXPECT_EQ(node.GetAttribute("height"), IntToText(f.GetHeightCode()));
        EXPECT_EQ(node.GetAttribute("flags"), FontFlagsToText(f.GetFlags()));
        Font loaded;
        XmlizeIo load(node, true);
        loaded.Xmlize(load);
        EXPECT_EQ(loaded, f) << f.ToText().Begin();

        Font jf = f;
        JsonizeIo json_store;
        jf.Jsonize(json_store);
        Value json = json_store.GetResult();
        EXPECT_EQ(json["face"], Value(f.GetFaceName()));
        EXPECT_EQ(json["height"], Value(f.GetHeightCode()));
        EXPECT_EQ(json["flags"], Value(FontFlagsToText(f.GetFlags())));
        Font jback;
        JsonizeIo json_load(json);
        jback.Jsonize(json_load);
        EXPECT_EQ(jback, f) << f.ToText().Begin();
    }
    // A whole Value carries its type name: it comes back as a Font.
    for(Font f : {fonts[0], fonts[1]}) {
        Value json = StoreAsJsonValue(Value(f));
        EXPECT_EQ(json["type"], Value("Font"));
        Value back = Font();
        LoadFromJsonValue(back, json);
        EXPECT_EQ(Font(back), f) << f.ToText().Begin();
    }
    XmlNode node;
    node.SetAttribute("face", "sans serif").SetAttribute("height", "11").SetAttribute("flags", "italic bogus");
    Font loaded;
    XmlizeIo load(node, true);
    loaded.Xmlize(load);
    EXPECT_EQ(loaded, Font(2, 11).Italic());
}

} // namespace
} // namespace Qor
