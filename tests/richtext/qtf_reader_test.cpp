// The Qtf reader: characters, format groups, paragraph commands, styles, objects and the
// error paragraphs, including the limits that hostile text meets.
#include "richtext/qtf/qtf_reader.h"
#include "richtext/qtf/qtf_parser.h"
#include "tests/richtext/qtf_test_support.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

namespace Qor {
namespace {

using QorTest::QtfParagraphText;

struct Paragraph {
    RichText doc;
    UnpackedParagraph p;
    explicit Paragraph(const char* qtf, int i = 0, int accesskey = 0) : doc(ReadQtfDocument(qtf, accesskey))
    {
        doc.GetParagraph(i, p, doc.GetStyles());
    }
    const CharacterFormat& Run(int i) const { return p.part[i].format; }
};

TEST(QtfReader, EmptyTextAndParagraphEnds)
{
    RichText empty = ReadQtfDocument("");
    ASSERT_EQ(empty.GetPartCount(), 1);
    EXPECT_EQ(QtfParagraphText(empty, empty, 0), "");
    RichText two = ReadQtfDocument("abc&");
    ASSERT_EQ(two.GetPartCount(), 2);
    EXPECT_EQ(QtfParagraphText(two, two, 0), "abc");
    EXPECT_EQ(QtfParagraphText(two, two, 1), "");
}

TEST(QtfReader, CharactersAndEscapes)
{
    struct Case {
        const char* qtf;
        const char* text;
    } cases[] = {
        { "a`[b`]c", "a[b]c" },
        { "a\\&b", "a&b" },
        { "a\nb\tc", "abc" }, // control characters in the source mean nothing
        { "a-|b", "a\tb" },
        { "a_b", "a\xC2\xA0"
                 "b" },
        { "@$41;x", "Ax" },
        { "@$1F;x", "x" },
        { "@$10041;x", "Ax" }, // only the low 16 bits are stored ...
        { "@$10001;x", "x" },  // ... and they must not make a control character
        { "@$EE01;a\xEE\xB8\x81"
          "b",
          "ab" },               // nor one of the escapes of control bytes
        { "{x}+|^", "{x}+|^" }, // single command characters are text
        { "[{_} \xC5\xBE\xE2\x82\xAC]", "\xC5\xBE\xE2\x82\xAC" },
        { "\x01"
          "a[b\x02"
          "c\x01"
          "d",
          "a[bcd" }, // a raw block drops control characters
        { "a:b", "a:b" },
    };
    for(const Case& c : cases) {
        RichText doc = ReadQtfDocument(c.qtf);
        EXPECT_EQ(QtfParagraphText(doc, doc, 0), c.text) << c.qtf;
        // The stored length counts what the paragraph holds.
        EXPECT_EQ(doc.GetLength(), (int)doc.GetPlainText().GetLength()) << c.qtf;
    }
}

TEST(QtfReader, RawBlockLineFeedEndsParagraph)
{
    RichText doc = ReadQtfDocument("\x01"
                                   "a\nb\x01");
    ASSERT_EQ(doc.GetPartCount(), 2);
    EXPECT_EQ(QtfParagraphText(doc, doc, 1), "b");
}

TEST(QtfReader, FormatGroupCommands)
{
    Paragraph bold("[* bold]");
    ASSERT_EQ(bold.p.part.GetCount(), 1);
    EXPECT_EQ(QorTest::Utf8(bold.p.part[0].text), "bold");
    EXPECT_TRUE(bold.Run(0).font.IsBold());

    Paragraph group("[*]x bold"); // "]" and x are ignored commands, the space ends the group
    EXPECT_EQ(QorTest::Utf8(group.p.GetText()), "bold");
    EXPECT_TRUE(group.Run(0).font.IsBold());

    struct Case {
        const char* qtf;
        bool (*check)(const CharacterFormat& f);
    } cases[] = {
        { "[/ x]", [](const CharacterFormat& f) { return f.font.IsItalic(); } },
        { "[_- x]", [](const CharacterFormat& f) { return f.font.IsUnderline() && f.font.IsStrikeout(); } },
        { "[` x]", [](const CharacterFormat& f) { return f.script == CharacterFormat::SUPERSCRIPT; } },
        { "[,, x]", [](const CharacterFormat& f) { return f.script == 0; } },
        { "[cd x]", [](const CharacterFormat& f) { return f.capitals && f.dashed; } },
        { "[5 x]", [](const CharacterFormat& f) { return f.font.GetHeight() == 167; } },
        { "[+250 x]", [](const CharacterFormat& f) { return f.font.GetHeight() == 250; } },
        { "[C x]", [](const CharacterFormat& f) { return f.font.GetFace() == Font::MONOSPACE; } },
        { "[@6 x]", [](const CharacterFormat& f) { return f.ink == Color(255, 0, 0); } },
        { "[@(1.2.3) x]", [](const CharacterFormat& f) { return f.ink == Color(1, 2, 3); } },
        { "[@(10) x]", [](const CharacterFormat& f) { return f.ink == Color(10, 10, 10); } },
        { "[$m x]", [](const CharacterFormat& f) { return f.paper == Color(128, 0, 255); } },
        { "[$N x]", [](const CharacterFormat& f) { return f.paper.IsNullInstance(); } },
        { "[@? x]", [](const CharacterFormat& f) { return f.ink == Color(128, 0, 0); } },
        { "[^http://a`^b^ x]", [](const CharacterFormat& f) { return f.link == "http://a^b"; } },
        { "[%de-de x]", [](const CharacterFormat& f) { return f.language == ParseLanguageCode("de-de"); } },
        { "[%% x]", [](const CharacterFormat& f) { return f.language == 0x2BAB3; } },
        { "[I\xC5\xBE; x]", [](const CharacterFormat& f) { return f.index_entry.GetLength() == 1; } },
    };
    for(const Case& c : cases) {
        Paragraph p(c.qtf);
        ASSERT_EQ(p.p.part.GetCount(), 1) << c.qtf;
        EXPECT_TRUE(c.check(p.Run(0))) << c.qtf;
    }
}

TEST(QtfReader, ParagraphCommands)
{
    struct Case {
        const char* qtf;
        bool (*check)(const ParagraphFormat& f);
    } cases[] = {
        { "[> x&]", [](const ParagraphFormat& f) { return f.align == ParagraphFormat::ALIGN_RIGHT; } },
        { "[> x]&", [](const ParagraphFormat& f) { return f.align == ParagraphFormat::ALIGN_LEFT; } },
        { "[l100;r50;i-20;b10;a20;H5;L1 x]",
          [](const ParagraphFormat& f) {
              return f.lm == 100 && f.rm == 50 && f.indent == -20 && f.before == 10 && f.after == 20 && f.ruler == 5 &&
                     f.ruler_style == 1;
          } },
        { "[:lbl: x]", [](const ParagraphFormat& f) { return f.label == "lbl"; } },
        { "[t100 x]", [](const ParagraphFormat& f) { return f.tab_size == 100; } },
        { "[~>100000000~134218228 x]", // the from-right bit kept, the measure bounded
          [](const ParagraphFormat& f) {
              return f.tab.GetCount() == 2 && f.tab[0].pos == RichQtfParser::MAX_DIMENSION &&
                     f.tab[1].pos == (500 | TabStop::FROM_RIGHT);
          } },
        { "[~>.200~=300~>>500 x]",
          [](const ParagraphFormat& f) {
              return f.tab.GetCount() == 3 && f.tab[0].align == TabStop::RIGHT && f.tab[0].fillchar == 1 &&
                     f.tab[0].pos == 200 && f.tab[1].align == TabStop::CENTER &&
                     f.tab[2].pos == (500 | TabStop::FROM_RIGHT);
          } },
        { "[O2 x]", [](const ParagraphFormat& f) { return f.bullet == ParagraphFormat::BULLET_SQUARE; } },
        { "[o x]", [](const ParagraphFormat& f) { return f.bullet == 1 && f.indent == 150; } },
        { "[pd x]", [](const ParagraphFormat& f) { return f.line_spacing == ParagraphFormat::LINE_DOUBLE; } },
        { "[PkKQ x]", [](const ParagraphFormat& f) { return f.new_page && f.keep && f.keep_next && f.orphan; } },
        { "[N1a!n(;m);x x]",
          [](const ParagraphFormat& f) {
              return f.number[0] == 1 && f.number[1] == 3 && f.number[2] == 0 && f.reset_numbering &&
                     f.before_number == "(" && f.after_number == ")";
          } },
    };
    for(const Case& c : cases) {
        Paragraph p(c.qtf);
        EXPECT_TRUE(c.check(p.p.format)) << c.qtf;
    }
}

// A paragraph takes the format noted at its last character, "&", group end or the like;
// a group closed before a paragraph end that notes nothing still counts.
TEST(QtfReader, ParagraphFormatIsTheOneNotedLast)
{
    const int L = ParagraphFormat::ALIGN_LEFT, R = ParagraphFormat::ALIGN_RIGHT, C = ParagraphFormat::ALIGN_CENTER;
    struct Case {
        const char* qtf;
        int paragraph;
        int align;
        bool new_page;
    } cases[] = {
        { "[> x]^^y", 0, R, false }, // "^^" notes nothing: the group's format stays
        { "[> x]^^y", 1, L, true },  // the page break goes to the next paragraph only
        { "a^^b&c", 1, L, true },         { "a^^b&c", 2, L, false },
        { "[> [= ]]^^", 0, C, false },    { "[= x[> [.9999 ", 0, R, false }, // the error paragraph too
        { "[> a&b]&c", 0, R, false },     { "[> a&b]&c", 1, L, false },      // "&" notes the format outside the group
        { "{{1 [> a]}}&b", 1, L, false }, { "[= {{1 [> a]||b}}&]", 1, C, false }, // the empty paragraph after the table
    };
    for(const Case& c : cases) {
        Paragraph p(c.qtf, c.paragraph);
        EXPECT_EQ(p.p.format.align, c.align) << c.qtf << " " << c.paragraph;
        EXPECT_EQ(p.p.format.new_page, c.new_page) << c.qtf << " " << c.paragraph;
    }
    RichText table = ReadQtfDocument("{{1 [> a]||[= b]}}");
    UnpackedParagraph cell;
    table.GetTable(0).GetCell(0, 0).text.GetParagraph(0, cell, table.GetStyles());
    EXPECT_EQ(cell.format.align, R); // "||" notes nothing either
}

TEST(QtfReader, AccessKeyUnderlinesFirstMatchOnly)
{
    Paragraph open("Open", 0, 'O');
    ASSERT_EQ(open.p.part.GetCount(), 2);
    EXPECT_TRUE(open.Run(0).font.IsUnderline());
    EXPECT_EQ(QorTest::Utf8(open.p.part[0].text), "O");
    EXPECT_FALSE(open.Run(1).font.IsUnderline());
    Paragraph op("opOp", 0, 'O');
    EXPECT_EQ(QorTest::Utf8(op.p.part[0].text), "o");
    EXPECT_TRUE(op.Run(0).font.IsUnderline());
    EXPECT_FALSE(op.p.part.Top().format.font.IsUnderline());
}

TEST(QtfReader, StylesAreDefinedAppliedAndChained)
{
    RichText doc = ReadQtfDocument("[* $$1,0#0123456789ABCDEF0123456789ABCDEF:Head][s1 title&][s\"Head\" again&]"
                                   "[s0 body]");
    Uuid id = ScanUuid("0123456789ABCDEF0123456789ABCDEF");
    EXPECT_EQ(doc.FindStyleByName("Head"), id);
    EXPECT_TRUE(doc.GetStyle(id).format.font.IsBold());
    EXPECT_EQ(doc.GetStyle(id).next, DefaultStyleId);
    UnpackedParagraph p;
    doc.GetParagraph(0, p, doc.GetStyles());
    EXPECT_EQ(p.format.style, id);
    EXPECT_TRUE(p.part[0].format.font.IsBold());
    doc.GetParagraph(1, p, doc.GetStyles());
    EXPECT_EQ(p.format.style, id);
    doc.GetParagraph(2, p, doc.GetStyles());
    EXPECT_EQ(p.format.style, DefaultStyleId);
    EXPECT_FALSE(p.part[0].format.font.IsBold());
}

std::string LastParagraph(const char* qtf)
{
    RichText doc = ReadQtfDocument(qtf);
    return QtfParagraphText(doc, doc, doc.GetPartCount() - 1);
}

TEST(QtfReader, ErrorsBecomeTheLastParagraph)
{
    struct Case {
        const char* qtf;
        const char* text;
    } cases[] = {
        { "]", "ERROR: Unmatched ']'." },
        { "[* abc", "abc" },                        // an open group is just dropped ...
        { "[*", "ERROR: Unexpected end of text." }, // ... but not an unfinished command list
        { "[.9999 x]", "ERROR: Invalid face number:  x]" },
        { "[.-1 x]", "ERROR: Invalid face number:  x]" },
        { "[ $$1#12:x]", "ERROR: Invalid UUID !: :x]" },
        { "[ $$-1 x]", "ERROR: Invalid style number:  x]" },
        { "[ $$99999 x]", "ERROR: Invalid style number:  x]" },
        { "a\xF5"
          "b",
          "ERROR: Invalid UTF-8 sequence: \xF5"
          "b" },
        { "a\xE2\x82", "ERROR: Invalid UTF-8 sequence." },
        { "[l99999999999 x]", "ERROR: Number out of range:  x]" },
        { "@$FFFFFFFFFF;", "ERROR: Number out of range: ;" },
        { "@@x:a*1", "ERROR: Expected number: a*1" },
        { "a\x01\x02", "a" }, // an unclosed raw block is not an error
    };
    for(const Case& c : cases)
        EXPECT_EQ(LastParagraph(c.qtf), c.text) << c.qtf;
}

TEST(QtfReader, ErrorParagraphFormatAndLongRest)
{
    Paragraph p("]0123456789012345678901234567890");
    ASSERT_EQ(p.p.part.GetCount(), 1);
    EXPECT_EQ(QorTest::Utf8(p.p.GetText()), "ERROR: Unmatched ']': 01234567890123456789");
    const CharacterFormat& f = p.Run(0);
    EXPECT_TRUE(f.font.IsBold() && f.font.IsUnderline());
    EXPECT_EQ(f.font.GetHeight(), 84);
    EXPECT_EQ(f.ink, Color(128, 0, 0));
}

TEST(QtfReader, DeepNestingIsRefusedNotRecursed)
{
    std::string groups;
    for(int i = 0; i < 5000; i++)
        groups += "[ ";
    EXPECT_EQ(LastParagraph(groups.c_str()).substr(0, 24), "ERROR: Nesting too deep:");
    std::string tables;
    for(int i = 0; i < 100; i++)
        tables += "{{1 ";
    EXPECT_EQ(LastParagraph(tables.c_str()).substr(0, 24), "ERROR: Nesting too deep:");
}

TEST(QtfReader, ObjectsInTextAndBinaryForm)
{
    Paragraph text("@@Unknown:100*50/3`a``b`x");
    ASSERT_EQ(text.p.part.GetCount(), 2);
    const EmbeddedObject& o = text.p.part[0].object;
    EXPECT_EQ(o.GetTypeName(), "Unknown");
    EXPECT_EQ(o.GetData().ToString(), "a`b");
    EXPECT_EQ(o.GetSize(), Size(100, 50));
    EXPECT_FALSE(o.IsKeepRatio());
    EXPECT_EQ(o.GetYDelta(), 3);
    // One group: header 0x81 puts the high bit back on the first byte.
    Paragraph binary("@@Unknown:10&10\x81\x81\xC2\r\nx");
    const EmbeddedObject& b = binary.p.part[0].object;
    EXPECT_EQ(b.GetData().ToString(), String("\x81\x42", 2));
    EXPECT_TRUE(b.IsKeepRatio());
    EXPECT_EQ(QorTest::Utf8(binary.p.part[1].text), "x");
    Paragraph huge("@@Unknown:99999*7/-2147483648`a`");
    EXPECT_EQ(huge.p.part[0].object.GetSize(), Size(RichQtfParser::MAX_OBJECT_SIZE, 7));
    EXPECT_EQ(huge.p.part[0].object.GetYDelta(), -RichQtfParser::MAX_OBJECT_SIZE);
}

} // namespace
} // namespace Qor
