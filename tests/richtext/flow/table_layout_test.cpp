// Table layout: column edges and grid halves, rows on pages, rows that move, repeated
// headers, kept tables, minimum heights, and tables that are hostile to layout.

#include "tests/richtext/flow/flow_support.h"

#include <chrono>
#include <climits>

namespace Qor {
namespace {

using namespace QorTest;

RichTable Normalized(RichTable t)
{
    t.Normalize();
    return t;
}

TEST(TableLayout, ColumnEdgesAndGridHalves)
{
    RichTable t = Normalized(PlainTable(1, 3));
    const TableLayout& l = t.Realize(Context(Rect(0, 0, 1000, 10000)));
    ASSERT_EQ(l.edge.GetCount(), 4);
    EXPECT_EQ(l.edge[0], 0);
    EXPECT_EQ(l.edge[1], 333);
    EXPECT_EQ(l.edge[2], 666);
    EXPECT_EQ(l.edge[3], 1000);

    TableFormat f = t.GetFormat();
    f.grid = 4;
    t.SetFormat(f);
    const TableLayout& g = t.Realize(Context(Rect(0, 0, 1000, 10000)));
    const int expected[3][2] = { { 0, 331 }, { 335, 664 }, { 668, 1000 } };
    for(int c = 0; c < 3; c++) {
        EXPECT_EQ(g.row[0].cell[c].left, expected[c][0]) << c;
        EXPECT_EQ(g.row[0].cell[c].right, expected[c][1]) << c;
    }
}

TEST(TableLayout, RowsFollowFrameGridAndSpacing)
{
    const int h = FontHeight();
    RichTable t = Normalized(PlainTable(2, 1));
    TableFormat f = t.GetFormat();
    f.frame = 10;
    f.grid = 4;
    f.before = 7;
    f.after = 9;
    t.SetFormat(f);
    const LayoutContext rc = Context(Rect(0, 0, 1000, 10000));
    const TableLayout& l = t.Realize(rc);
    EXPECT_EQ(l.row[0].start, PagePosition(0, 17));
    EXPECT_EQ(l.row[0].end, PagePosition(0, 17 + h));
    EXPECT_EQ(l.row[1].top, PagePosition(0, 17 + h));
    EXPECT_EQ(l.row[1].start, PagePosition(0, 21 + h));
    EXPECT_FALSE(l.row[1].first_on_page);
    EXPECT_EQ(t.GetStartPosition(rc), PagePosition(0, 7));
    EXPECT_EQ(t.GetEndPosition(rc), PagePosition(0, 40 + 2 * h));
    // The cached layout answers the same context; another position makes a new one.
    EXPECT_EQ(&t.Realize(rc), &l);
    EXPECT_EQ(t.Realize(Context(rc.page, PagePosition(0, 100))).row[0].start, PagePosition(0, 117));
}

TEST(TableLayout, RowMovesToTheNextPage)
{
    const int h = FontHeight();
    const Rect page(0, 0, 1000, h + h / 2);
    RichTable t = Normalized(PlainTable(2, 1));
    const TableLayout& l = t.Realize(Context(page));
    EXPECT_EQ(l.row[1].start, PagePosition(1, 0));
    EXPECT_TRUE(l.row[1].first_on_page);
    EXPECT_EQ(l.row[1].end, PagePosition(1, h));

    // A two-line cell whose first line fits runs over the page break, unless the cell keeps.
    const int width = Advance(u"aaaa bbbb") - 1;
    ParagraphFormat orphan;
    orphan.orphan = true;
    RichTable split = PlainTable(1, 1);
    RichTxt text = Text("aaaa bbbb", orphan);
    split.SetText(0, 0, text);
    split.Normalize();
    const Rect narrow(0, 0, width, 1000);
    const PagePosition start(0, 1000 - h - h / 2);
    EXPECT_EQ(split.Realize(Context(narrow, start)).row[0].end, PagePosition(1, h));
    CellFormat cf = split.GetCell(0, 0).format;
    cf.keep = true;
    split.SetFormat(0, 0, cf);
    const TableLayout& kept = split.Realize(Context(narrow, start));
    EXPECT_EQ(kept.row[0].start, PagePosition(1, 0));
    EXPECT_EQ(kept.row[0].end, PagePosition(1, 2 * h));
}

TEST(TableLayout, RowMovesWhenItsTextStartsOnTheNextPage)
{
    // A kept paragraph that will not fit goes to the next page whole; its row goes with it
    // rather than leaving an empty strip at the bottom of the page.
    const int h = FontHeight();
    const int width = Advance(u"aaaa aaaa") - 1;
    ParagraphFormat keep;
    keep.keep = true;
    RichTable t = PlainTable(1, 1);
    RichTxt text = Text("aaaa aaaa aaaa aaaa", keep);
    t.SetText(0, 0, text);
    t.Normalize();
    const LayoutContext rc = Context(Rect(0, 0, width, 1000), PagePosition(0, 1000 - 2 * h - h / 2));
    const TableLayout& l = t.Realize(rc);
    EXPECT_EQ(l.row[0].start, PagePosition(1, 0));
    EXPECT_TRUE(l.row[0].first_on_page);
    EXPECT_EQ(l.row[0].end, PagePosition(1, 4 * h));
    EXPECT_EQ(t.GetStartPosition(rc), PagePosition(1, 0));
}

TEST(TableLayout, UnboundedPageNeverBreaksInsideATable)
{
    // The table's and the cells' rectangles are smaller than the page, yet break exactly
    // where the text around the table does.
    RichTable t = PlainTable(2, 1);
    TableFormat f = t.GetFormat();
    f.frame = 10;
    t.SetFormat(f);
    t.Normalize();
    const PagePosition start(0, 29990);
    EXPECT_EQ(t.Realize(Context(Rect(0, 0, 1000, 30000), start)).row[1].end.page, 0);
    EXPECT_EQ(t.GetEndPosition(Context(Rect(0, 0, 1000, 30000), start)).page, 0);
    EXPECT_EQ(t.Realize(Context(Rect(0, 0, 1000, 29999), start)).row[0].start.page, 1);
}

TEST(TableLayout, CellTextContinuesBelowTheRepeatedHeader)
{
    const int h = FontHeight();
    ParagraphFormat orphan;
    orphan.orphan = true;
    RichTable t = PlainTable(2, 1);
    RichTxt text = Text("aaaa aaaa aaaa", orphan);
    t.SetText(1, 0, text);
    TableFormat f = t.GetFormat();
    f.header = 1;
    t.SetFormat(f);
    t.Normalize();
    // Three lines from the second row on: the third goes to the next page, under the header.
    const LayoutContext rc = Context(Rect(0, 0, Advance(u"aaaa aaaa") - 1, 3 * h + h / 2));
    const TableLayout& l = t.Realize(rc);
    ASSERT_TRUE(l.header_repeated);
    EXPECT_EQ(l.row[1].end, PagePosition(1, 2 * h));
    CaretInfo last = t.GetCaret(t.GetLength(), rc);
    EXPECT_EQ(last.page, 1);
    EXPECT_EQ(last.top, h);
}

TEST(TableLayout, HeaderRepeatsWhenItFits)
{
    const int h = FontHeight();
    RichTable t = PlainTable(6, 1);
    TableFormat f = t.GetFormat();
    f.header = 1;
    t.SetFormat(f);
    t.Normalize();
    const TableLayout& l = t.Realize(Context(Rect(0, 0, 1000, 3 * h + h / 2)));
    EXPECT_TRUE(l.header_repeated);
    EXPECT_EQ(l.later_page_top, h);
    EXPECT_EQ(l.row[2].end, PagePosition(0, 3 * h));
    EXPECT_EQ(l.row[3].start, PagePosition(1, h));
    EXPECT_EQ(l.row[4].start, PagePosition(1, 2 * h));
    EXPECT_EQ(l.row[5].start, PagePosition(2, h));

    // Two header rows that need two pages are not repeated.
    f.header = 2;
    t.SetFormat(f);
    const TableLayout& tall = t.Realize(Context(Rect(0, 0, 1000, h + h / 2)));
    EXPECT_FALSE(tall.header_repeated);
    EXPECT_EQ(tall.row[2].start, PagePosition(2, 0));
}

TEST(TableLayout, KeptTableStartsOnTheNextPage)
{
    const int h = FontHeight();
    RichTable t = PlainTable(2, 1);
    const Rect page(0, 0, 1000, 10 * h);
    const PagePosition start(0, 9 * h);
    EXPECT_EQ(Normalized(t).Realize(Context(page, start)).row[0].start, start);
    TableFormat f = t.GetFormat();
    f.keep = true;
    t.SetFormat(f);
    t.Normalize();
    const TableLayout& l = t.Realize(Context(page, start));
    EXPECT_EQ(l.row[0].start, PagePosition(1, 0));
    EXPECT_EQ(l.row[1].end, PagePosition(1, 2 * h));
}

TEST(TableLayout, MinimumHeightHoldsOnTheStartPageOnly)
{
    const int h = FontHeight();
    TableCell cell;
    cell.text = Text("x");
    cell.format.margin_top = cell.format.margin_bottom = 0;
    cell.format.min_height = 3 * h;
    const Rect page(0, 0, 1000, 1000);
    EXPECT_EQ(cell.GetEnd(Context(page, PagePosition(0, 100))), PagePosition(0, 100 + 3 * h));
    EXPECT_EQ(cell.GetEnd(Context(page, PagePosition(0, 1000 - 2 * h))), PagePosition(0, 1000 - h));
    cell.format.min_height = INT_MAX;
    cell.format.margin_bottom = INT_MAX;
    EXPECT_EQ(cell.GetEnd(Context(page, PagePosition(0, 100))), PagePosition(0, INT_MAX));
    // A cell without room takes a fixed height.
    cell.format = CellFormat();
    EXPECT_EQ(cell.GetEnd(Context(Rect(10, 0, 10, 1000), PagePosition(0, 100))), PagePosition(0, 100 + 80 + 30));
    EXPECT_EQ(cell.GetEnd(Context(Rect(10, 0, 10, 1000), PagePosition(0, 950))), PagePosition(1, 80));
}

TEST(TableLayout, CellsOutsideTheGridAreNeverIndexed)
{
    RichTable t = Normalized(PlainTable(2, 2));
    // Changed after normalising: a span past both edges and a row longer than the columns.
    t.SetSpan(0, 0, 5, 5);
    t.SetFormat(3, 7, CellFormat());
    const LayoutContext rc = Context(Rect(0, 0, 1000, 500));
    const TableLayout& l = t.Realize(rc);
    ASSERT_EQ(l.row.GetCount(), 4);
    EXPECT_EQ(l.row[0].cell[0].right, 1000);
    EXPECT_EQ(l.row[0].cell[0].last_row, 3);
    EXPECT_GE(t.GetEndPosition(rc), rc.py);
}

TEST(TableLayout, HostileDocumentsEndInBoundedTime)
{
    struct Case {
        const char* name;
        int depth;
        bool header, keep;
        Rect page;
    };
    const int h = FontHeight();
    const Case cases[] = {
        { "deep nesting", 2000, false, false, Rect(0, 0, 6000, 4 * h) },
        { "headers and keep at the reader's depth", 32, true, true, Rect(0, 0, 6000, 4 * h) },
        { "deep nesting on a zero-width page", 2000, true, true, Rect(0, 0, 0, 1000) },
        { "a page of no height", 40, true, true, Rect(0, 0, 6000, 0) },
    };
    for(const Case& c : cases) {
        auto t0 = std::chrono::steady_clock::now();
        RichTxt t = NestedTables(c.depth, c.header, c.keep);
        LayoutContext rc = Context(c.page);
        PagePosition end = t.GetHeight(rc);
        EXPECT_GE(end, rc.py) << c.name;
        EXPECT_GE(t.GetTop(rc), rc.py) << c.name;
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        EXPECT_LT(seconds, 10.0) << c.name;
    }
}

TEST(TableLayout, HugeLengthsDoNotOverflow)
{
    RichTable t = PlainTable(2, 2);
    TableFormat f = t.GetFormat();
    f.before = f.after = f.frame = f.grid = INT_MAX;
    t.SetFormat(f);
    CellFormat cf;
    cf.border_top = cf.margin_top = cf.margin_bottom = cf.border_bottom = cf.min_height = INT_MAX;
    t.SetFormat(0, 1, cf);
    RichTxt text;
    AddTable(text, t);
    AddParagraph(text, "after");
    for(Rect page : { Rect(0, 0, 6000, 1000), Rect(0, 0, 6000, INT_MAX), Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX) }) {
        LayoutContext rc = Context(page);
        PagePosition end = text.GetHeight(rc);
        EXPECT_GE(end, rc.py);
    }
}

} // namespace
} // namespace Qor
