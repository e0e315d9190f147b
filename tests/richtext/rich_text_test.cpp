// Documents: the style "Default", storing and finding styles, and style changes reaching
// the paragraphs of the style.

#include "richtext/text/rich_text.h"
#include "tests/richtext/support/rich_txt_builder.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

namespace Qor {
namespace {

TEST(RichText, ClearedDocumentHoldsTheDefaultStyle)
{
    RichText doc;
    doc.flags = 5;
    ClearRichText(doc);
    EXPECT_EQ(doc.GetStyles().GetCount(), 1);
    EXPECT_EQ(doc.GetStyle(DefaultStyleId).name, "Default");
    EXPECT_NE(&doc.GetStyle(DefaultStyleId), &GetDefaultParagraphStyle());
    EXPECT_EQ(doc.FindStyleByName("Default"), DefaultStyleId);
    EXPECT_EQ(doc.FindStyleByName("Nothing"), DefaultStyleId);
    EXPECT_EQ(doc.flags, 0);
    EXPECT_EQ(doc.GetLength(), 0);
    EXPECT_TRUE(doc.IsEmpty());
}

TEST(RichText, StoredStylesKeepNoLanguageNorPageBreak)
{
    RichText doc;
    ClearRichText(doc);
    ParagraphStyle s;
    s.name = "Quote";
    s.format.language = 0x2BAB3;
    s.format.new_page = true;
    s.format.lm = 300;
    s.format.style = Uuid(9, 9, 9, 9);
    s.next = Uuid(1, 0, 0, 0);
    Uuid id(2, 0, 0, 0);
    doc.SetStyle(id, s);
    const ParagraphStyle& stored = doc.GetStyle(id);
    EXPECT_EQ(stored.name, "Quote");
    EXPECT_EQ(stored.format.language, 0);
    EXPECT_FALSE(stored.format.new_page);
    EXPECT_EQ(stored.format.lm, 300);
    EXPECT_EQ(stored.format.style, id);
    EXPECT_EQ(stored.next, Uuid(1, 0, 0, 0));
    EXPECT_EQ(doc.FindStyleByName("Quote"), id);

    // Storing again replaces the style in place, first in map order wins for names.
    s.format.lm = 400;
    doc.SetStyle(id, s);
    EXPECT_EQ(doc.GetStyles().GetCount(), 2);
    EXPECT_EQ(doc.GetStyle(id).format.lm, 400);
    doc.SetStyle(Uuid(3, 0, 0, 0), s);
    EXPECT_EQ(doc.FindStyleByName("Quote"), id);
}

TEST(RichText, SettingAStyleRenewsOnlyItsParagraphs)
{
    RichText doc;
    ClearRichText(doc);
    Uuid quote(2, 0, 0, 0);
    ParagraphStyle s;
    doc.SetStyle(quote, s);
    for(const Uuid& id : { quote, DefaultStyleId, quote }) {
        UnpackedParagraph p;
        p.format.style = id;
        p.CatText(WString("x"), CharacterFormat());
        doc.Set(doc.GetPartCount(), p, doc.GetStyles());
        doc.GetPara(doc.GetPartCount() - 1).needs_layout = false;
    }
    int64 serial[3];
    for(int i = 0; i < 3; i++)
        serial[i] = doc.GetPara(i).serial;
    s.format.lm = 20;
    doc.SetStyle(quote, s);
    EXPECT_NE(doc.GetPara(0).serial, serial[0]);
    EXPECT_TRUE(doc.GetPara(0).needs_layout);
    EXPECT_EQ(doc.GetPara(1).serial, serial[1]);
    EXPECT_FALSE(doc.GetPara(1).needs_layout);
    EXPECT_NE(doc.GetPara(2).serial, serial[2]);

    // The new format reaches the paragraph when it is unpacked.
    UnpackedParagraph p;
    doc.GetParagraph(0, p, doc.GetStyles());
    EXPECT_EQ(p.format.lm, 20);

    RichText::StyleChangeOp change(quote, DefaultStyleId);
    EXPECT_TRUE(doc.Apply(change));
    for(int i = 0; i < 3; i++)
        EXPECT_EQ(doc.GetPara(i).style, DefaultStyleId);
    EXPECT_FALSE(doc.Apply(change));
}

TEST(RichText, CopiesAndMovesCarryTheStyles)
{
    RichText doc;
    ClearRichText(doc);
    ParagraphStyle s;
    s.name = "Body";
    doc.SetStyle(Uuid(4, 0, 0, 0), s);
    QorTest::AddParagraph(doc, "text");
    doc.header = "kept";
    RichText copy = doc;
    EXPECT_EQ(copy.GetStyles().GetCount(), 2);
    EXPECT_NE(&copy.GetStyle(Uuid(4, 0, 0, 0)), &doc.GetStyle(Uuid(4, 0, 0, 0)));
    EXPECT_EQ(copy.GetPlainText(), WString("text"));
    RichText moved = std::move(copy);
    EXPECT_EQ(moved.FindStyleByName("Body"), Uuid(4, 0, 0, 0));
    EXPECT_EQ(moved.header, "kept");

    RichPositionInfo info;
    EXPECT_EQ(info.chr, 63);
    EXPECT_TRUE(IsNullInt(info.tables_before));
    EXPECT_EQ(info.table, 0);
}

} // namespace
} // namespace Qor
