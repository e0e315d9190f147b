// Caret and position queries over part lists, tables and documents: positions past the
// end, empty documents, table cells found by point and vertical alignment of the caret,
// and the description of a position inside a table.

#include "tests/richtext/flow/flow_support.h"

namespace Qor {
namespace {

using namespace QorTest;

void ExpectSameCaret(const CaretInfo& a, const CaretInfo& b)
{
    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(a.top, b.top);
    EXPECT_EQ(a.right, b.right);
    EXPECT_EQ(a.bottom, b.bottom);
    EXPECT_EQ(a.page, b.page);
    EXPECT_EQ(a.line, b.line);
}

bool IsZero(const CaretInfo& c)
{
    return c.left == 0 && c.top == 0 && c.right == 0 && c.bottom == 0 && c.page == 0 && c.line_ascent == 0 &&
           c.ascent == 0 && c.descent == 0;
}

TEST(PartQueries, EmptyDocument)
{
    RichText doc = Document({});
    EXPECT_EQ(doc.PositionAt(10, PagePosition(0, 10), Rect(0, 0, 1000, 1000)), -1);
    EXPECT_TRUE(IsZero(doc.GetCaret(5, Rect(0, 0, 1000, 1000))));
}

TEST(PartQueries, CaretFollowsThePageFlow)
{
    const int h = FontHeight();
    RichText doc = Document({ "ab", "cd" });
    const Rect page(100, 0, 3000, 10000);
    // Past the end is the end of the last paragraph, reaching to the page's right edge.
    CaretInfo end = doc.GetCaret(doc.GetLength(), page);
    ExpectSameCaret(doc.GetCaret(doc.GetLength() + 50, page), end);
    EXPECT_EQ(end.top, h);
    EXPECT_EQ(end.right, page.right);
    EXPECT_EQ(end.left, page.left + Advance(u"cd"));
    CaretInfo second = doc.GetCaret(4, page);
    EXPECT_EQ(second.top, h);
    EXPECT_EQ(second.left, page.left + Advance(u"c"));
    EXPECT_EQ(doc.GetCaret(-3, page).left, page.left);
}

TEST(PartQueries, PositionAtFindsThePart)
{
    const int h = FontHeight();
    RichText doc = Document({ "ab", "cd" });
    const Rect page(0, 0, 3000, 10000);
    EXPECT_EQ(doc.PositionAt(Advance(u"c") + 1, PagePosition(0, h + h / 2), page), 4);
    EXPECT_EQ(doc.PositionAt(1, PagePosition(0, h / 2), page), 0);
    EXPECT_EQ(doc.PositionAt(1, PagePosition(0, 5 * h), page), doc.GetLength());
    EXPECT_EQ(doc.PositionAt(1, PagePosition(3, 0), page), doc.GetLength());
}

TEST(PartQueries, TableCells)
{
    const int h = FontHeight();
    RichTable t = PlainTable(1, 2, "ab");
    t.Normalize();
    const LayoutContext rc = Context(Rect(0, 0, 1000, 10000));
    // The second cell holds positions 3 to 5.
    CaretInfo c = t.GetCaret(4, rc);
    EXPECT_EQ(c.left, 500 + Advance(u"a"));
    EXPECT_EQ(c.top, 0);
    EXPECT_EQ(t.PositionAt(500 + Advance(u"a") + 1, PagePosition(0, h / 2), rc), 4);
    EXPECT_EQ(t.PositionAt(1, PagePosition(0, h / 2), rc), 0);
    EXPECT_EQ(t.PositionAt(1, PagePosition(0, 2 * h), rc), t.GetLength());
    EXPECT_TRUE(IsZero(t.GetCaret(t.GetLength() + 1, rc)));
}

TEST(PartQueries, CaretOfAnAlignedCell)
{
    const int h = FontHeight();
    RichTable t = PlainTable(1, 2, "x");
    CellFormat tall; // holds the row at three lines
    tall.margin_top = tall.margin_bottom = 0;
    tall.min_height = 3 * h;
    t.SetFormat(0, 0, tall);
    t.Normalize();
    int top[4] = {};
    for(int align = 1; align <= 3; align++) {
        CellFormat cf;
        cf.margin_top = cf.margin_bottom = 0;
        cf.align = align;
        t.SetFormat(0, 1, cf);
        top[align] = t.GetCaret(2, Context(Rect(0, 0, 1000, 10000))).top;
    }
    EXPECT_EQ(top[CellFormat::ALIGN_TOP], 0);
    EXPECT_EQ(top[CellFormat::ALIGN_CENTER], h);
    EXPECT_EQ(top[CellFormat::ALIGN_BOTTOM], 2 * h);
}

TEST(PartQueries, DescribePositionInATable)
{
    RichText doc = Document({ "ab" });
    RichTable t = PlainTable(1, 2, "cd");
    RichTxt second = Text("ef");
    t.SetText(0, 1, second);
    AddTable(doc, t);
    ASSERT_EQ(doc.GetLength(), 8);

    RichPositionInfo info = doc.DescribePosition(7);
    EXPECT_EQ(info.level, 1);
    EXPECT_EQ(info.table, 1);
    EXPECT_EQ(info.table_part, 1);
    EXPECT_EQ(info.table_part_count, 2);
    EXPECT_EQ(info.table_start, 3);
    EXPECT_EQ(info.container_length, 8);
    EXPECT_EQ(info.table_position, 4);
    EXPECT_EQ(info.table_length, 5);
    EXPECT_EQ(info.table_columns, 2);
    EXPECT_EQ(info.table_rows, 1);
    EXPECT_EQ(info.cell_column, 1);
    EXPECT_EQ(info.cell_row, 0);
    EXPECT_EQ(info.cell_position, 1);
    EXPECT_EQ(info.cell_length, 2);
    EXPECT_EQ(info.tables_before, 0);
    EXPECT_EQ(info.paragraph, 0);
    EXPECT_EQ(info.paragraph_position, 1);
    EXPECT_EQ(info.paragraph_length, 2);
    EXPECT_EQ(info.chr, 'f');

    RichPositionInfo shallow = doc.DescribePosition(7, 0);
    EXPECT_EQ(shallow.level, 1);
    EXPECT_EQ(shallow.paragraph_length, 0);

    RichPositionInfo past = doc.DescribePosition(100);
    EXPECT_EQ(past.level, 0);
    EXPECT_EQ(past.paragraph, 2);
    EXPECT_EQ(past.tables_before, 0);
}

TEST(PartQueries, NestingPastTheLimitIsNotEntered)
{
    // Layout, caret and point queries end on thousands of nested tables; positions inside
    // the tables nested too deeply are not described.
    RichTxt t = NestedTables(2000, true, false);
    const LayoutContext rc = Context(Rect(0, 0, 6000, 20 * FontHeight()));
    PagePosition end = t.GetHeight(rc);
    EXPECT_GE(t.GetCaret(t.GetLength(), rc).page, 0);
    EXPECT_EQ(t.PositionAt(10, end, rc), t.GetLength());
    RichPositionInfo info;
    t.DescribePosition(t.GetLength() - 1, info, 0, 2147483647, NoStyles());
    EXPECT_EQ(info.level, MAX_TABLE_LAYOUT_DEPTH);
}

} // namespace
} // namespace Qor
