// The packed paragraph form: the stored bytes, round trips against a style, and damaged or
// out-of-range input.

#include "foundation/charset.h"
#include "foundation/string_stream.h"
#include "richtext/model/packed_paragraph.h"
#include "tests/richtext/support/paragraph_text.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

namespace Qor {
namespace {

using QorTest::DescribeParagraph;

String Bytes(std::initializer_list<int> bytes)
{
    String s;
    for(int b : bytes)
        s.AppendChar(b);
    return s;
}

String Pack(const UnpackedParagraph& p, const ParagraphFormat& style, OwnedArray<EmbeddedObject>* objects = nullptr)
{
    OwnedArray<EmbeddedObject> own;
    return PackParagraph(p, style, objects ? *objects : own);
}

// Packs against the style and unpacks against it again.
std::string RoundTrip(const UnpackedParagraph& p, const ParagraphFormat& style)
{
    OwnedArray<EmbeddedObject> objects;
    String packed = PackParagraph(p, style, objects);
    UnpackedParagraph q;
    UnpackParagraph(q, packed, objects, style);
    return DescribeParagraph(q);
}

EmbeddedObject UnknownObject(const char* data)
{
    EmbeddedObject o;
    o.ReadObject("test object", data, Size(10, 10));
    return o;
}

TEST(PackedParagraph, ParagraphLikeItsStylePacksAsMaskAndText)
{
    ParagraphFormat style;
    UnpackedParagraph p;
    p.format = style;
    p.CatText(WString("h\xc3\xa9llo"), style);
    EXPECT_EQ(Pack(p, style), Bytes({ 0, 0, 0, 0, 'h', 0xC3, 0xA9, 'l', 'l', 'o' }));
}

TEST(PackedParagraph, FormatFieldsStoreTheirDifferencesInBitOrder)
{
    struct Case {
        const char* what;
        void (*change)(ParagraphFormat& f);
        String packed; // after the mask
        dword mask;
    } cases[] = {
        { "indent", [](ParagraphFormat& f) { f.indent = -150; }, Bytes({ 0x6A, 0xFF }), 1 << 3 },
        { "align", [](ParagraphFormat& f) { f.align = 3; }, Bytes({ 3, 0 }), 1 << 0 },
        { "keep", [](ParagraphFormat& f) { f.keep = true; }, Bytes({ 1 }), 1 << 7 },
        { "label", [](ParagraphFormat& f) { f.label = "L"; }, Bytes({ 1, 'L' }), 1 << 10 },
        { "spacing", [](ParagraphFormat& f) { f.line_spacing = -2; }, Bytes({ 0xFE }), 1 << 14 },
        { "tabs",
          [](ParagraphFormat& f) {
              f.tab.Add(TabStop{ 300, 2, 1 });
          },
          Bytes({ 1, 0, 0x2C, 1, 0, 0, 2, 1 }), 1 << 15 },
        { "ruler colour", [](ParagraphFormat& f) { f.ruler_color = Color(1, 2, 3); }, Bytes({ 1, 2, 3, 0 }), 1 << 17 },
        { "numbering",
          [](ParagraphFormat& f) {
              f.after_number = ".";
              f.number[1] = 4;
          },
          Bytes({ 0, 1, '.', 0, 0, 4, 0, 0, 0, 0, 0, 0 }), 1 << 13 },
        { "before and style",
          [](ParagraphFormat& f) {
              f.before = 20;
              f.ruler_style = 2;
          },
          Bytes({ 20, 0, 2, 0 }), (1 << 1) | (1 << 18) },
    };
    ParagraphFormat style;
    for(const Case& c : cases) {
        UnpackedParagraph p;
        c.change(p.format);
        String packed = Pack(p, style);
        String mask((const char*)&c.mask, 4);
        EXPECT_EQ(packed, mask + c.packed) << c.what;
        EXPECT_EQ(RoundTrip(p, style), DescribeParagraph(p)) << c.what;
    }
}

TEST(PackedParagraph, LabelIsStoredWheneverItIsSet)
{
    ParagraphFormat style;
    style.label = "same";
    UnpackedParagraph p;
    p.format = style;
    EXPECT_EQ(Pack(p, style), Bytes({ 0, 4, 0, 0, 4, 's', 'a', 'm', 'e' }));

    ParagraphFormat other = style;
    other.label = "other";
    UnpackedParagraph empty;
    OwnedArray<EmbeddedObject> none;
    String packed = Pack(empty, style);
    EXPECT_EQ(packed, Bytes({ 0, 0, 0, 0 }));
    UnpackedParagraph q;
    UnpackParagraph(q, packed, none, other);
    EXPECT_EQ(q.format.label, "other");
}

TEST(PackedParagraph, ValuesBeyondTheSixteenBitFieldsAreClamped)
{
    struct Case {
        int32 ParagraphFormat::*field;
        int value, expected;
    } cases[] = {
        { &ParagraphFormat::lm, 40000, 32767 },         { &ParagraphFormat::lm, -40000, -32768 },
        { &ParagraphFormat::before, 65536 + 5, 32767 }, { &ParagraphFormat::tab_size, -70000, -32768 },
        { &ParagraphFormat::ruler, 32767, 32767 },      { &ParagraphFormat::line_spacing, -300, -128 },
        { &ParagraphFormat::line_spacing, 200, 127 },
    };
    ParagraphFormat style;
    for(const Case& c : cases) {
        UnpackedParagraph p;
        p.format.*c.field = c.value;
        OwnedArray<EmbeddedObject> objects;
        String packed = PackParagraph(p, style, objects);
        UnpackedParagraph q;
        UnpackParagraph(q, packed, objects, style);
        EXPECT_EQ(q.format.*c.field, c.expected) << c.value;
    }
}

TEST(PackedParagraph, TabStopsPastTheSixteenBitCountAreLeftOut)
{
    // A wrapped count would leave the extra stops to be read as text and format codes.
    ParagraphFormat style;
    UnpackedParagraph p;
    for(int i = 0; i < 0x10000 + 2; i++)
        p.format.tab.Add(TabStop{ i, 2, 1 });
    p.CatText(WString("after"), style);
    OwnedArray<EmbeddedObject> objects;
    String packed = PackParagraph(p, style, objects);
    UnpackedParagraph q;
    UnpackParagraph(q, packed, objects, style);
    ASSERT_EQ(q.format.tab.GetCount(), 0xFFFF);
    EXPECT_EQ(q.format.tab.Top().pos, 0xFFFE);
    EXPECT_EQ(q.GetText(), WString("after"));
    ASSERT_EQ(q.part.GetCount(), 1);
    EXPECT_EQ(QorTest::DescribeCharFormat(q.part[0].format), QorTest::DescribeCharFormat(style));
}

TEST(PackedParagraph, BoldRunsInABoldStyle)
{
    ParagraphFormat bold_style;
    bold_style.font.Bold();
    CharacterFormat plain = bold_style;
    plain.font.Bold(false);
    UnpackedParagraph p;
    p.format = bold_style;
    p.CatText(WString("ab"), bold_style);
    p.CatText(WString("cd"), plain);
    String packed = Pack(p, bold_style);
    EXPECT_EQ(packed, Bytes({ 0, 0, 0, 0, 'a', 'b', 12, 'c', 'd' }));

    // Against a style that is not bold, the run like its style follows the new style, the
    // run written as "bold off" stays plain.
    ParagraphFormat italic_style;
    italic_style.font.Italic();
    OwnedArray<EmbeddedObject> none;
    UnpackedParagraph q;
    UnpackParagraph(q, packed, none, italic_style);
    ASSERT_EQ(q.part.GetCount(), 2);
    EXPECT_TRUE(q.part[0].format.font.IsItalic());
    EXPECT_FALSE(q.part[0].format.font.IsBold());
    EXPECT_TRUE(q.part[1].format.font.IsItalic());
    EXPECT_FALSE(q.part[1].format.font.IsBold());
    EXPECT_EQ(q.part[1].text, WString("cd"));

    // Bold on keeps its setting too.
    UnpackedParagraph r;
    UnpackParagraph(r, Bytes({ 0, 0, 0, 0, 13, 'x' }), none, italic_style);
    ASSERT_EQ(r.part.GetCount(), 1);
    EXPECT_TRUE(r.part[0].format.font.IsBold());
}

TEST(PackedParagraph, EveryCharacterFormatChangeRoundTrips)
{
    struct Case {
        const char* what;
        void (*change)(CharacterFormat& f);
    } cases[] = {
        { "bold", [](CharacterFormat& f) { f.font.Bold(); } },
        { "italic", [](CharacterFormat& f) { f.font.Italic(); } },
        { "underline", [](CharacterFormat& f) { f.font.Underline(); } },
        { "strikeout", [](CharacterFormat& f) { f.font.Strikeout(); } },
        { "no anti-aliasing", [](CharacterFormat& f) { f.font.NonAntiAliased(); } },
        { "capitals", [](CharacterFormat& f) { f.capitals = true; } },
        { "dashed", [](CharacterFormat& f) { f.dashed = true; } },
        { "superscript", [](CharacterFormat& f) { f.script = CharacterFormat::SUPERSCRIPT; } },
        { "face", [](CharacterFormat& f) { f.font.Face(Font::MONOSPACE); } },
        { "height", [](CharacterFormat& f) { f.font.Height(250); } },
        { "link", [](CharacterFormat& f) { f.link = "https://example.org/a"; } },
        { "ink", [](CharacterFormat& f) { f.ink = Color(200, 10, 20); } },
        { "paper", [](CharacterFormat& f) { f.paper = Color(1, 2, 3); } },
        { "language", [](CharacterFormat& f) { f.language = 0x2BAB3; } },
        { "index entry", [](CharacterFormat& f) { f.index_entry = WString("entry"); } },
    };
    // The style itself differs from the defaults, so that "as in the style" codes show.
    ParagraphFormat style;
    style.font.Italic().Face(Font::SERIF).Height(80);
    style.ink = Color(0, 0, 255);
    for(const Case& c : cases) {
        CharacterFormat changed = style;
        c.change(changed);
        UnpackedParagraph p;
        p.format = style;
        p.CatText(WString("a"), style);
        p.CatText(WString("b"), changed);
        p.CatText(WString("c"), style);
        EXPECT_EQ(RoundTrip(p, style), DescribeParagraph(p)) << c.what;

        // Without parts the paragraph's own character format is stored.
        UnpackedParagraph empty;
        static_cast<CharacterFormat&>(empty.format) = changed;
        EXPECT_EQ(RoundTrip(empty, style), DescribeParagraph(empty)) << c.what;
    }
}

TEST(PackedParagraph, ObjectsTravelInTheListInTextOrder)
{
    ParagraphFormat style;
    CharacterFormat bold = style;
    bold.font.Bold();
    UnpackedParagraph p;
    p.format = style;
    p.CatObject(UnknownObject("first"), bold);
    p.CatText(WString("x"), style);
    p.CatObject(UnknownObject("second"), style);
    OwnedArray<EmbeddedObject> objects;
    objects.Add(UnknownObject("stale"));
    String packed = PackParagraph(p, style, objects);
    EXPECT_EQ(packed, Bytes({ 0, 0, 0, 0, 13, 31, 14, 'x', 31 }));
    ASSERT_EQ(objects.GetCount(), 2);
    EXPECT_EQ(objects[0].GetData(), Value("first"));
    EXPECT_EQ(objects[1].GetData(), Value("second"));

    UnpackedParagraph q;
    UnpackParagraph(q, packed, objects, style);
    EXPECT_EQ(DescribeParagraph(q), DescribeParagraph(p));
    EXPECT_EQ(q.GetLength(), 3);

    UnpackedParagraph only;
    only.CatObject(UnknownObject("alone"), style);
    OwnedArray<EmbeddedObject> one;
    EXPECT_EQ(PackParagraph(only, style, one), Bytes({ 0, 0, 0, 0, 31 }));
    UnpackedParagraph r;
    UnpackParagraph(r, Bytes({ 0, 0, 0, 0, 31 }), one, style);
    ASSERT_EQ(r.part.GetCount(), 1);
    EXPECT_TRUE(r.part[0].IsObject());
}

TEST(PackedParagraph, ObjectCodesPastTheListStandForNothing)
{
    ParagraphFormat style;
    OwnedArray<EmbeddedObject> objects;
    objects.Add(UnknownObject("only"));
    UnpackedParagraph q;
    UnpackParagraph(q, Bytes({ 0, 0, 0, 0, 'a', 31, 'b', 31, 31, 'c' }), objects, style);
    ASSERT_EQ(q.part.GetCount(), 3);
    EXPECT_EQ(q.part[0].text, WString("a"));
    EXPECT_TRUE(q.part[1].IsObject());
    EXPECT_EQ(q.part[2].text, WString("bc"));
    EXPECT_EQ(q.GetText(), WString("a\x7f"
                                   "bc"));
}

TEST(PackedParagraph, ControlCharactersNeverBecomeCodes)
{
    ParagraphFormat style;
    UnpackedParagraph p;
    ParagraphPart& part = p.AddPart();
    part.format = style;
    // Written past CatText, which would have dropped them already.
    // U+EE05 is the escape of the byte 5, which UTF-8 writes as the byte itself.
    const wchar16 text[] = { 'a', 0x0D, '\t', 0x1F, 'b', 0x01, 0xEE05, 0xEE20, 0 };
    part.text = WString(text);
    EXPECT_EQ(Pack(p, style), Bytes({ 0, 0, 0, 0, 'a', '\t', 'b', ' ' }));

    UnpackedParagraph c;
    c.CatText(WString(text), style);
    const wchar16 kept[] = { 'a', '\t', 'b', 0xEE20, 0 };
    EXPECT_EQ(c.part[0].text, WString(kept));

    // Overlong UTF-8 forms of control characters do not get into the text either.
    UnpackedParagraph q;
    OwnedArray<EmbeddedObject> none;
    UnpackParagraph(q, Bytes({ 0, 0, 0, 0, 'x', 0xC0, 0x8D, 'y' }), none, style);
    for(const ParagraphPart& r : q.part)
        for(int ch : r.text)
            EXPECT_FALSE(IsParagraphControlCharacter(ch)) << ch;
}

// Text is stored as its UTF-8 form without control characters, whatever mix of characters,
// wherever they stand and however long the text.
TEST(PackedParagraph, TextIsStoredAsUtf8WithoutControlCharacters)
{
    ParagraphFormat style;
    const int pieces[] = { 'a', ' ', 0x7F, '\t', 0x1F, 0x80, 0x17E, 0x20AC, 0xEE05, 0xEE85, 0xD83D, 0xDE00 };
    for(int length : { 1, 3, 4, 5, 8, 9, 340, 341, 342, 1000 })
        for(int piece : pieces)
            for(int at : { 0, 1, 2, 3, length / 2, length - 1 }) {
                if(at >= length)
                    continue;
                WString text;
                for(int i = 0; i < length; i++)
                    text.AppendChar(i == at ? piece : 'a' + i % 26);
                UnpackedParagraph p;
                ParagraphPart& part = p.AddPart();
                part.format = style;
                part.text = text;
                String packed = Pack(p, style);
                String expected = Bytes({ 0, 0, 0, 0 });
                expected.Append(EncodeUtf8(WithoutControlCharacters(text)));
                EXPECT_EQ(packed, expected) << length << " " << piece << " " << at;
            }
}

TEST(PackedParagraph, FieldsKeepTheirTextAndFormat)
{
    ParagraphFormat style;
    CharacterFormat bold = style;
    bold.font.Bold();
    UnpackedParagraph p;
    p.format = style;
    p.CatText(WString("a"), style);
    ParagraphPart& field = p.AddPart();
    field.field = "PAGE";
    field.field_param = "param";
    field.format = bold;
    ParagraphPart& inner = field.field_part.Add();
    inner.text = WString("12");
    inner.format = style;
    ParagraphPart& object = field.field_part.Add();
    object.object = UnknownObject("in field");
    object.format = bold;
    p.CatText(WString("z"), style);
    OwnedArray<EmbeddedObject> objects;
    EXPECT_EQ(RoundTrip(p, style), DescribeParagraph(p));
    PackParagraph(p, style, objects);
    EXPECT_EQ(objects.GetCount(), 1);

    // A field whose text is empty has no parts and nothing follows it.
    UnpackedParagraph q;
    UnpackParagraph(q, Bytes({ 0, 0, 0, 0, 3, 2, 'I', 'D', 0, 0 }), objects, style);
    ASSERT_EQ(q.part.GetCount(), 1);
    EXPECT_EQ(q.part[0].field, "ID");
    EXPECT_TRUE(q.part[0].field_part.IsEmpty());
    EXPECT_EQ(q.GetLength(), 1);
}

TEST(PackedParagraph, DamagedFormsReadWhatTheyHold)
{
    struct Case {
        String packed;
        const char* text;
    } cases[] = {
        { Bytes({}), "" },
        { Bytes({ 0, 0 }), "" },
        { Bytes({ 0, 0, 0, 0, 'a', 10, 50, 'b' }), "a" },       // a link longer than the data
        { Bytes({ 0, 0, 0, 0, 'a', 4, 1 }), "a" },              // a face cut short
        { Bytes({ 0, 0, 0, 0, 0, 1, 'a', 30, 9, 'b' }), "ab" }, // codes without effect; 9 is an operand
        { Bytes({ 0, 0, 0, 0, 'a', 9, 'b', 0x1F }), "a\tb" },
        { Bytes({ 0x80, 0, 0, 0, 'a' }), "" },                               // the keep byte took the text
        { Bytes({ 0, 0x80, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 'a' }), "" }, // too many tab stops
    };
    ParagraphFormat style;
    OwnedArray<EmbeddedObject> none;
    for(const Case& c : cases) {
        UnpackedParagraph q;
        UnpackParagraph(q, c.packed, none, style);
        EXPECT_EQ(q.GetText(), WString(c.text)) << c.text;
    }
}

TEST(PackedParagraph, NestingIsBounded)
{
    // Each level is a field whose text is the next level.
    String packed = "x";
    for(int i = 0; i < 200; i++) {
        String level = Bytes({ 3, 1, 'f', 0 });
        StringStream s;
        s.Serialize(packed);
        packed = level + s.GetText();
    }
    ParagraphFormat style;
    OwnedArray<EmbeddedObject> none;
    UnpackedParagraph q;
    UnpackParagraph(q, Bytes({ 0, 0, 0, 0 }) + packed, none, style);
    int depth = 0;
    const OwnedArray<ParagraphPart>* parts = &q.part;
    while(parts->GetCount() == 1 && (*parts)[0].IsField()) {
        parts = &(*parts)[0].field_part;
        depth++;
    }
    EXPECT_GT(depth, 8);
    EXPECT_LT(depth, 200);
}

TEST(PackedParagraph, NullTabStopsAreNotStored)
{
    ParagraphFormat style;
    UnpackedParagraph p;
    p.format.tab.Add(TabStop{ 100, 1, 0 });
    p.format.tab.Add(TabStop{ INT_NULL, 2, 2 });
    p.format.tab.Add(TabStop{ TabStop::FROM_RIGHT | 50, 3, 3 });
    OwnedArray<EmbeddedObject> none;
    UnpackedParagraph q;
    UnpackParagraph(q, Pack(p, style), none, style);
    ASSERT_EQ(q.format.tab.GetCount(), 2);
    EXPECT_EQ(q.format.tab[0].pos, 100);
    EXPECT_EQ(q.format.tab[1].pos, TabStop::FROM_RIGHT | 50);
    EXPECT_EQ(q.format.tab[1].fillchar, 3);
}

} // namespace
} // namespace Qor
