// The Qtf writer: escaping, colours and formats as differences, whole documents, and
// documents that read back as they were written.
#include "richtext/qtf/qtf_writer.h"
#include "richtext/qtf/qtf_reader.h"
#include "tests/richtext/qtf_test_support.h"
#include "tests/richtext/support/paragraph_text.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace Qor {
namespace {

TEST(QtfWriter, Escaping)
{
    struct Case {
        const char* text;
        const char* plain;
        const char* with_tabs;
        const char* read_back; // the plain text of what the tab form reads as
    } cases[] = {
        { "a:b\nc", "a`:b&c", "a`:b&c", "a:b\nc" },         { "a b", "a b", "a b", "a b" },
        { "\xC5\xBE", "\xC5\xBE", "\xC5\xBE", "\xC5\xBE" }, { "a\tb\rc\n", "a\tb\rc&", "a-|bc&", "a\tbc\n" },
        { "[*]`", "`[`*`]``", "`[`*`]``", "[*]`" },
    };
    for(const Case& c : cases) {
        EXPECT_EQ(EscapeQtfText(c.text), c.plain) << c.text;
        EXPECT_EQ(EscapeQtfTextWithTabs(c.text), c.with_tabs) << c.text;
        RichText doc = ReadQtfDocument(EscapeQtfTextWithTabs(c.text).Begin());
        EXPECT_EQ(QorTest::Utf8(doc.GetPlainText()), c.read_back) << c.text;
    }
}

TEST(QtfWriter, ColoursLanguagesNumbers)
{
    struct Case {
        Color c;
        const char* text;
    } colors[] = {
        { Color(255, 0, 0), "6" },
        { Color(10, 10, 10), "(10)" },
        { Color(1, 2, 3), "(1.2.3)" },
        { Color(), "N" },
    };
    for(const Case& c : colors) {
        String out;
        WriteQtfColor(out, c.c);
        EXPECT_EQ(out, c.text);
    }
    String out;
    WriteQtfLanguage(out, 5, 5);
    WriteQtfLanguage(out, 0, 5);
    WriteQtfLanguage(out, 0x2BAB3, 5);
    WriteQtfLanguage(out, ParseLanguageCode("de-de"), 0);
    WriteQtfNumber(out, 'l', 3, 3);
    WriteQtfNumber(out, 'l', -7, 3);
    EXPECT_EQ(out, "%-%%%DE-DEl-7;");
}

TEST(QtfWriter, CharacterFormatDifferences)
{
    CharacterFormat base;
    struct Case {
        void (*change)(CharacterFormat& f);
        const char* text;
    } cases[] = {
        { [](CharacterFormat& f) { f.font.Bold().Italic(); }, "*/" },
        { [](CharacterFormat& f) { f.script = CharacterFormat::SUBSCRIPT; }, "," },
        { [](CharacterFormat& f) { f.font.Face(Font::MONOSPACE); }, "C" },
        { [](CharacterFormat& f) { f.link = "a^b"; }, "^a`^b^" },
        { [](CharacterFormat& f) {
             f.ink = Color(0, 0, 128);
             f.font.Height(167);
         },
          "@5;5" },
        { [](CharacterFormat& f) { f.font.Height(123); }, "+123" },
        { [](CharacterFormat& f) { f.paper = Color(1, 1, 1); }, "$(1)" },
    };
    for(const Case& c : cases) {
        CharacterFormat f = base;
        c.change(f);
        String out;
        WriteQtfCharFormat(out, base, f);
        EXPECT_EQ(out, c.text);
    }
    // Turning a script off repeats the old script's command.
    CharacterFormat sup = base;
    sup.script = CharacterFormat::SUPERSCRIPT;
    String off;
    WriteQtfCharFormat(off, sup, base);
    EXPECT_EQ(off, "`");
}

TEST(QtfWriter, DocumentWithOneEmptyParagraph)
{
    RichText doc = ReadQtfDocument("");
    EXPECT_EQ(WriteQtfDocument(doc, 255, QTF_BODY), "[ $$0,0#00000000000000000000000000000000:Default][{_} [s0; ]]");
    EXPECT_EQ(WriteQtfDocument(doc, 255, QTF_BODY | QTF_NOSTYLES | QTF_NOCHARSET), "[ [ ]]");
}

TEST(QtfWriter, BoldRun)
{
    RichText doc = ReadQtfDocument("a[* b]c");
    String q = WriteQtfDocument(doc, 255, QTF_BODY | QTF_NOSTYLES);
    EXPECT_NE(q.Find("a[* b]c"), -1) << q.Begin();
}

using QorTest::DescribeDocument;

// Written and read back, a document is the same document, and written again the same text.
void ExpectRoundTrip(const char* qtf, int options = QTF_BODY)
{
    RichText doc = ReadQtfDocument(qtf);
    String once = WriteQtfDocument(doc, 255, options);
    RichText again = ReadQtfDocument(once.Begin());
    String twice = WriteQtfDocument(again, 255, options);
    EXPECT_EQ(once, twice) << qtf;
    EXPECT_EQ(QorTest::Utf8(doc.GetPlainText()), QorTest::Utf8(again.GetPlainText())) << qtf;
    if(!(options & QTF_NOSTYLES)) { // without styles paragraphs are written as they look
        EXPECT_EQ(doc.GetStyles().GetCount(), again.GetStyles().GetCount()) << qtf;
        EXPECT_EQ(DescribeDocument(doc), DescribeDocument(again)) << qtf;
    }
}

TEST(QtfWriter, SampleReadsBackAsWritten)
{
    const char* sample = "[*+150 $$1,2#11111111111111111111111111111111:Heading]"
                         "[l200N1n(;m);t150~>.2000 $$2,2#22222222222222222222222222222222:Numbered]"
                         "[s1 Title&][s2 First-|item [/ italic] \xC5\xBE\xE2\x82\xAC&][s2 [@6$(1.2.3)_ red]-|tab&]"
                         "[s2:lbl:N1a! Second&]"
                         "{{1:2f20G5h1 head::@4-1 wide||x::l5/10^ c||d}}&"
                         "++a||b--c++&"
                         "[%de-de `[escaped`]&]"
                         "[\x01raw\tblock\x01&]"
                         "@@Unknown:100&50/2`text``data`x&"
                         "@@Other:10*10\x81\x81\xC2\xC5\xBE&"
                         "{{1 {{1 nested}}||y}}";
    ExpectRoundTrip(sample);
    ExpectRoundTrip(sample, QTF_BODY | QTF_CRLF);
    ExpectRoundTrip(sample, QTF_BODY | QTF_NOSTYLES);
}

TEST(QtfWriter, LineBreaksKeepLongTextIntact)
{
    std::string text;
    for(int i = 0; i < 50; i++)
        text += "word ";
    RichText doc = ReadQtfDocument(text.c_str());
    String q = WriteQtfDocument(doc, 255, QTF_BODY | QTF_CRLF);
    EXPECT_NE(q.Find("\r\n"), -1);
    EXPECT_EQ(QorTest::Utf8(ReadQtfDocument(q.Begin()).GetPlainText()), QorTest::Utf8(doc.GetPlainText()));
}

TEST(QtfWriter, TextAfterBinaryObjectStaysText)
{
    RichText doc = ReadQtfDocument("@@Other:10*10\x81\x81\xC2`\xC5\xBE"
                                   "b");
    String q = WriteQtfDocument(doc);
    RichText again = ReadQtfDocument(q.Begin());
    UnpackedParagraph p;
    again.GetParagraph(0, p, again.GetStyles());
    ASSERT_EQ(p.part.GetCount(), 2);
    EXPECT_EQ(p.part[0].object.GetData().ToString(), String("\x81\x42", 2));
    EXPECT_EQ(QorTest::Utf8(p.part[1].text), "\xC5\xBE"
                                             "b");
}

TEST(QtfWriter, OtherCharsetWritesBytesOrCodes)
{
    RichText doc = ReadQtfDocument("[{_} a\xE2\x82\xAC\xE4\xB8\x80]");
    int charset = FindCharset("iso-8859-1");
    ASSERT_GT(charset, 0);
    String q = WriteQtfDocument(doc, charset, QTF_BODY | QTF_NOSTYLES);
    EXPECT_NE(q.Find("@$4E00;"), -1) << q.Begin();
    EXPECT_EQ(QorTest::Utf8(ReadQtfDocument(q.Begin()).GetPlainText()), QorTest::Utf8(doc.GetPlainText()));
}

TEST(QtfWriter, ChangedDefaultStyleKeepsOtherStylesIntact)
{
    const char* qtf = "[* $$0,0#00000000000000000000000000000000:Default]"
                      "[/ $$1,1#11111111111111111111111111111111:Italic][s1 x]";
    RichText doc = ReadQtfDocument(qtf);
    RichText again = ReadQtfDocument(WriteQtfDocument(doc).Begin());
    Uuid italic = ScanUuid("11111111111111111111111111111111");
    EXPECT_TRUE(again.GetStyle(DefaultStyleId).format.font.IsBold());
    EXPECT_EQ(again.GetStyle(italic).format.font.IsBold(), doc.GetStyle(italic).format.font.IsBold());
    EXPECT_TRUE(again.GetStyle(italic).format.font.IsItalic());
    EXPECT_EQ(WriteQtfDocument(again), WriteQtfDocument(doc));
}

// Texts between delimiters are read up to the delimiter with a backquote taking the next
// character as it is, so "&" would come back as itself: a line feed is written as a
// backquote and the line feed, and so is a ";" in the text after the number.
TEST(QtfWriter, DelimitedTextsKeepLineFeedsAndDelimiters)
{
    const char* qtf = "[^li`\nnk^I`\nen`;try; $$1,1#11111111111111111111111111111111:St`\nyle`]]"
                      "[s1:la`\nbel:n`;`\nb;m`;a`\n;N1; text]";
    for(int pass = 0; pass < 2; pass++) {
        RichText doc = ReadQtfDocument(qtf);
        if(pass == 1) {
            String written = WriteQtfDocument(doc);
            EXPECT_EQ(written.Find("&"), -1) << written.Begin();
            doc = ReadQtfDocument(written.Begin());
        }
        Uuid id = ScanUuid("11111111111111111111111111111111");
        EXPECT_EQ(doc.GetStyle(id).name, "St\nyle]") << pass;
        UnpackedParagraph p;
        doc.GetParagraph(0, p, doc.GetStyles());
        EXPECT_EQ(p.format.label, "la\nbel") << pass;
        EXPECT_EQ(p.format.before_number, ";\nb") << pass;
        EXPECT_EQ(p.format.after_number, ";a\n") << pass;
        ASSERT_EQ(p.part.GetCount(), 1) << pass;
        EXPECT_EQ(p.part[0].format.link, "li\nnk") << pass;
        EXPECT_EQ(QorTest::Utf8(p.part[0].format.index_entry), "\nen;try") << pass;
    }
}

} // namespace
} // namespace Qor
