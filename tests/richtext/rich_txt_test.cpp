// Part lists: storing and reading paragraphs and tables, lengths, serials, the plain text
// and operations over every paragraph.

#include "richtext/table/rich_table.h"
#include "richtext/text/rich_text.h"
#include "tests/richtext/support/rich_txt_builder.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

#include <set>

namespace Qor {
namespace {

using QorTest::AddParagraph;
using QorTest::Paragraphs;

RichTable CellTable(std::initializer_list<const char*> cells)
{
    RichTable t;
    int c = 0;
    for(const char* text : cells) {
        t.AddColumn(1);
        RichTxt cell = Paragraphs({ text });
        t.SetText(0, c++, cell);
    }
    return t;
}

TEST(RichTxt, LengthsAndEmptiness)
{
    struct Case {
        std::initializer_list<const char*> paragraphs;
        int length;
        bool empty;
    } cases[] = {
        { {}, 0, true },       { { "" }, 0, true }, { { "", "" }, 1, false }, { { "abc", "de" }, 6, false },
        { { "x" }, 1, false },
    };
    for(const Case& c : cases) {
        RichTxt t = Paragraphs(c.paragraphs);
        EXPECT_EQ(t.GetLength(), c.length) << c.paragraphs.size();
        EXPECT_EQ(t.IsEmpty(), c.empty) << c.paragraphs.size();
    }

    // A table counts with its own length and a separator on each side.
    RichTxt t = Paragraphs({ "abc" });
    RichTable table = CellTable({ "12", "3" });
    t.SetTable(1, table);
    AddParagraph(t, "z");
    EXPECT_EQ(t.GetLength(), 3 + 1 + 4 + 1 + 1);
    EXPECT_EQ(t.GetPartLength(1), 4);
    EXPECT_EQ(t.GetTableCount(), 1);
    t.Clear();
    EXPECT_EQ(t.GetLength(), 0);
    EXPECT_EQ(t.GetTableCount(), 0);
}

TEST(RichTxt, PlainTextSeparatesPartsAndCellsAlike)
{
    RichTxt t = Paragraphs({ "a", "b" });
    EXPECT_EQ(t.GetPlainText(), WString("a\nb"));
    EXPECT_EQ(t.GetPlainText(true), WString("a\r\nb"));

    RichTable table;
    table.AddColumn(1);
    table.AddColumn(1);
    RichTxt two = Paragraphs({ "c1", "c2" });
    table.SetText(0, 0, two);
    RichTxt one = Paragraphs({ "d" });
    table.SetText(0, 1, one);
    t.SetTable(2, table);
    EXPECT_EQ(t.GetPlainText(), WString("a\nb\nc1\nc2\nd"));
    EXPECT_EQ(t.GetPlainText(true), WString("a\r\nb\r\nc1\r\nc2\r\nd"));

    // Objects and fields stand as U+007F.
    UnpackedParagraph p;
    EmbeddedObject o;
    o.ReadObject("test", "data", Size(1, 1));
    p.CatText(WString("x"), CharacterFormat());
    p.CatObject(o, CharacterFormat());
    RichTxt u;
    u.SetParagraph(0, p, ParagraphFormat());
    EXPECT_EQ(u.GetPlainText(), WString("x\x7f"));
}

TEST(RichTxt, StoringGivesNewSerialsAndForgetsTheLayout)
{
    RichTxt t;
    UnpackedParagraph p;
    p.CatText(WString("same"), CharacterFormat());
    t.SetParagraph(0, p, ParagraphFormat());
    int64 first = t.GetPara(0).serial;
    t.GetPara(0).needs_layout = false;
    t.GetPara(0).layout_width = 500;
    t.GetPara(0).marked_valid = true;
    t.SetParagraph(0, p, ParagraphFormat());
    const RichTxt::Para& para = t.GetPara(0);
    EXPECT_NE(para.serial, first);
    EXPECT_TRUE(para.needs_layout);
    EXPECT_EQ(para.layout_width, -1);
    EXPECT_FALSE(para.marked_valid);

    AddParagraph(t, "second");
    t.GetPara(1).needs_layout = false;
    RichTable table = CellTable({ "cell" });
    t.SetTable(2, table);
    RichTxt copy = t;
    std::set<int64> serials = { t.GetPara(0).serial, t.GetPara(1).serial };
    for(int i = 0; i < 2; i++) {
        EXPECT_EQ(serials.count(copy.GetPara(i).serial), 0u);
        EXPECT_TRUE(copy.GetPara(i).needs_layout);
        EXPECT_EQ(copy.GetPara(i).layout_width, -1);
    }
    EXPECT_EQ(copy.GetPlainText(), t.GetPlainText());
    EXPECT_NE(copy.GetTable(2).GetCell(0, 0).text.GetPara(0).serial,
              t.GetTable(2).GetCell(0, 0).text.GetPara(0).serial);
}

TEST(RichTxt, ParagraphsAndTablesReplaceEachOther)
{
    RichTxt t = Paragraphs({ "a", "b" });
    RichTable table = CellTable({ "x", "y" });
    t.SetTable(1, table);
    EXPECT_EQ(table.GetRows(), 0);
    ASSERT_TRUE(t.IsTable(1));
    EXPECT_EQ(t.GetTable(1).GetFormat().column[0], 5000); // normalised when stored
    UnpackedParagraph p;
    p.CatText(WString("back"), CharacterFormat());
    t.SetParagraph(1, p, ParagraphFormat());
    EXPECT_FALSE(t.IsTable(1));
    EXPECT_EQ(t.GetPlainText(), WString("a\nback"));
    EXPECT_EQ(t.GetTableCount(), 0);
    t.SetCount(1);
    EXPECT_EQ(t.GetLength(), 1);
}

TEST(RichTxt, StoredParagraphKeepsStyleLabelAndNumbering)
{
    struct Case {
        const char* what;
        void (*change)(UnpackedParagraph& p);
        bool numbering, label_or_index;
    } cases[] = {
        { "plain", [](UnpackedParagraph&) {}, false, false },
        { "numbered", [](UnpackedParagraph& p) { p.format.number[2] = 1; }, true, false },
        { "number text", [](UnpackedParagraph& p) { p.format.after_number = ")"; }, true, false },
        { "reset", [](UnpackedParagraph& p) { p.format.reset_numbering = true; }, true, false },
        { "label", [](UnpackedParagraph& p) { p.format.label = "here"; }, false, true },
        { "index entry", [](UnpackedParagraph& p) { p.part[0].format.index_entry = WString("i"); }, false, true },
    };
    for(const Case& c : cases) {
        UnpackedParagraph p;
        p.format.style = Uuid(1, 2, 3, 4);
        p.CatText(WString("text"), CharacterFormat());
        c.change(p);
        RichTxt t;
        t.SetParagraph(0, p, ParagraphFormat());
        const RichTxt::Para& para = t.GetPara(0);
        EXPECT_EQ(para.style, Uuid(1, 2, 3, 4)) << c.what;
        EXPECT_EQ(para.length, 4) << c.what;
        EXPECT_EQ((bool)para.numbering, c.numbering) << c.what;
        if(para.numbering) {
            EXPECT_FALSE(para.numbering->Differs(p.format)) << c.what;
        }
        EXPECT_EQ(para.has_label_or_index_entry, c.label_or_index) << c.what;
    }
}

TEST(RichTxt, ParagraphsUnpackAgainstTheirStyle)
{
    RichText doc;
    ClearRichText(doc);
    ParagraphStyle heading;
    heading.name = "Heading";
    heading.format.font.Bold();
    heading.format.lm = 100;
    Uuid id(7, 7, 7, 7);
    doc.SetStyle(id, heading);

    UnpackedParagraph p;
    p.format = doc.GetStyle(id).format;
    p.format.rm = 50;
    p.CatText(WString("title"), p.format);
    doc.Set(0, p, doc.GetStyles());

    UnpackedParagraph a;
    doc.GetParagraph(0, a, doc.GetStyles());
    EXPECT_EQ(a.format.style, id);
    EXPECT_EQ(a.format.lm, 100);
    EXPECT_EQ(a.format.rm, 50);
    ASSERT_EQ(a.part.GetCount(), 1);
    EXPECT_TRUE(a.part[0].format.font.IsBold());

    // Against the default style: the style's differences are gone, the paragraph's stay.
    UnpackedParagraph b;
    doc.GetParagraph(0, b, DefaultStyleId, doc.GetStyles(), false);
    EXPECT_EQ(b.format.style, DefaultStyleId);
    EXPECT_EQ(b.format.lm, 0);
    EXPECT_EQ(b.format.rm, 50);
    EXPECT_FALSE(b.part[0].format.font.IsBold());

    ParagraphFormat wide;
    wide.lm = 999;
    wide.style = Uuid(5, 5, 5, 5);
    UnpackedParagraph c;
    doc.GetParagraph(0, c, wide);
    EXPECT_EQ(c.format.lm, 999);
    EXPECT_EQ(c.format.style, Uuid(5, 5, 5, 5));

    // With the cache, the key is the paragraph's serial.
    UnpackedParagraph d;
    doc.GetParagraph(0, d, doc.GetStyles(), true);
    EXPECT_EQ(d.cache_key, doc.GetPara(0).serial);
}

struct RenameOp : RichTxt::ParaOp {
    int calls = 0;
    bool Apply(RichTxt::Para& p) override
    {
        calls++;
        if(p.length != 1)
            return false;
        p.Invalidate();
        return true;
    }
};

TEST(RichTxt, ApplyReachesParagraphsInsideVisibleCells)
{
    RichTxt t = Paragraphs({ "a", "bb" });
    RichTable table;
    table.AddColumn(1);
    table.AddColumn(1);
    RichTxt one = Paragraphs({ "c", "dd" });
    table.SetText(0, 0, one);
    RichTxt covered = Paragraphs({ "e" });
    table.SetText(0, 1, covered);
    RichTxt below = Paragraphs({ "ff" });
    table.SetText(1, 0, below);
    table.SetSpan(1, 0, 0, 1);
    t.SetTable(2, table);
    int before = t.GetTable(2).GetLength();
    RenameOp op;
    EXPECT_TRUE(t.Apply(op));
    // Two top-level paragraphs, two in the first cell, one in the second, one below.
    EXPECT_EQ(op.calls, 6);
    EXPECT_EQ(t.GetTable(2).GetLength(), before);

    RichTxt none = Paragraphs({ "gg" });
    RenameOp unchanged;
    EXPECT_FALSE(none.Apply(unchanged));
}

} // namespace
} // namespace Qor
