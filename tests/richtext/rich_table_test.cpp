// Tables: filling cells, span and grid normalisation, removing rows and columns, text
// positions and nested table counts.

#include "richtext/table/rich_table.h"
#include "tests/richtext/support/rich_txt_builder.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

#include <string>

namespace Qor {
namespace {

using QorTest::Paragraphs;

// rows × columns cells, each holding the text "rc"; widths all 1.
RichTable Grid(int rows, int columns)
{
    RichTable t;
    for(int c = 0; c < columns; c++)
        t.AddColumn(1);
    for(int r = 0; r < rows; r++)
        for(int c = 0; c < columns; c++) {
            std::string text = std::to_string(r) + std::to_string(c);
            RichTxt cell = Paragraphs({ text.c_str() });
            t.SetText(r, c, cell);
        }
    return t;
}

std::string CellText(const RichTable& t, int r, int c)
{
    String s = t.GetCell(r, c).text.GetPlainText().ToString();
    return std::string(s.Begin(), s.GetLength());
}

// The grid as text: each visible cell's text with its spans, "-" for a covered one.
std::string Layout(const RichTable& t)
{
    std::string s;
    for(int r = 0; r < t.GetRows(); r++) {
        for(int c = 0; c < t.GetColumns(); c++) {
            if(c)
                s += " ";
            if(t.IsVisible(r, c)) {
                Size sp = t.GetSpan(r, c);
                s += CellText(t, r, c);
                if(sp.cx || sp.cy)
                    s += "(" + std::to_string(sp.cy) + "," + std::to_string(sp.cx) + ")";
            }
            else
                s += "-";
        }
        s += "\n";
    }
    return s;
}

TEST(RichTable, NewCellsAndFormats)
{
    TableCell cell;
    EXPECT_EQ(cell.text.GetPartCount(), 1);
    EXPECT_TRUE(cell.text.IsEmpty());
    EXPECT_EQ(cell.format.margin_left, 25);
    EXPECT_EQ(cell.format.margin_top, 15);
    EXPECT_EQ(cell.format.align, CellFormat::ALIGN_CENTER);
    EXPECT_EQ(cell.format.color, Color(255, 255, 255));
    TableFormat f;
    EXPECT_EQ(f.frame, 10);
    EXPECT_EQ(f.grid, 4);
    EXPECT_EQ(f.header, 0);

    // Setters grow the table on demand, without normalising.
    RichTable t;
    CellFormat cf;
    cf.min_height = 77;
    t.SetFormat(2, 1, cf);
    EXPECT_EQ(t.GetRows(), 3);
    EXPECT_EQ(t.GetCell(2, 1).format.min_height, 77);
    EXPECT_TRUE(t.GetCell(2, 0).text.IsEmpty());
    t.SetSpan(0, 0, 4, 5);
    EXPECT_EQ(t.GetSpan(0, 0), Size(5, 4));
}

TEST(RichTable, SpansAreCutAtTheEdgesAndCoverTheirRectangle)
{
    struct Case {
        const char* what;
        int header, row, column, vspan, hspan;
        const char* layout;
    } cases[] = {
        { "inside", 0, 0, 0, 1, 1, "00(1,1) - 02\n- - 12\n20 21 22\n" },
        { "past the last row and column", 0, 1, 1, 5, 9, "00 01 02\n10 11(1,1) -\n20 - -\n" },
        { "header cut at the last header row", 2, 0, 2, 2, 0, "00 01 02(1,0)\n10 11 -\n20 21 22\n" },
        { "negative spans count as none", 0, 1, 1, -3, -1, "00 01 02\n10 11 12\n20 21 22\n" },
    };
    for(const Case& c : cases) {
        RichTable t = Grid(3, 3);
        TableFormat f = t.GetFormat();
        f.header = c.header;
        t.SetFormat(f);
        t.SetSpan(c.row, c.column, c.vspan, c.hspan);
        t.Normalize();
        EXPECT_EQ(Layout(t), c.layout) << c.what;
    }

    // Covered cells are reset, name their owner and count the columns to the right edge.
    RichTable t = Grid(3, 3);
    t.SetSpan(0, 0, 1, 1);
    t.Normalize();
    for(Point p : { Point(1, 0), Point(0, 1), Point(1, 1) }) {
        EXPECT_FALSE(t.IsVisible(p.y, p.x));
        EXPECT_EQ(t.GetOwner(p.y, p.x), Point(0, 0));
        EXPECT_EQ(t.GetSpan(p.y, p.x), Size(1 - p.x, 0));
        EXPECT_EQ(CellText(t, p.y, p.x), "");
    }
    EXPECT_EQ(t.GetOwner(1, 2), Point(2, 1));
}

TEST(RichTable, WidthsAreBroughtToTenThousand)
{
    struct Case {
        std::initializer_list<int> widths;
        std::initializer_list<int> expected;
    } cases[] = {
        { { 1, 1, 1 }, { 3333, 3333, 3334 } }, { { 0, 0 }, { 5000, 5000 } }, { { 7 }, { 10000 } },
        { { 2500, 7500 }, { 2500, 7500 } },    { { 1, 3 }, { 2500, 7500 } }, { { -5, 5, 0 }, { 3333, 3333, 3334 } },
    };
    for(const Case& c : cases) {
        RichTable t;
        int r = 0;
        for(int w : c.widths) {
            t.AddColumn(w);
            RichTxt x = Paragraphs({ "x" });
            t.SetText(0, r++, x);
        }
        t.Normalize();
        Vector<int> expected;
        for(int w : c.expected)
            expected.Add(w);
        EXPECT_EQ(t.GetFormat().column, expected) << *c.widths.begin();
    }
}

TEST(RichTable, RowsThatNoCellEndsInAreRemoved)
{
    // Every cell of row 1 runs on into row 2.
    RichTable t = Grid(4, 2);
    t.SetSpan(0, 0, 2, 0);
    t.SetSpan(1, 1, 1, 0);
    t.Normalize();
    EXPECT_EQ(Layout(t), "00(1,0) 01\n- 11\n30 31\n");
    // The cell that began in the removed row began in the row below instead.
    EXPECT_EQ(t.GetSpan(1, 1), Size(0, 0));
    EXPECT_EQ(t.GetRows(), 3);
}

TEST(RichTable, ColumnsWithoutVisibleCellsAreRemovedAndTheirWidthGoesLeft)
{
    RichTable t;
    for(int w : { 1000, 2000, 7000 })
        t.AddColumn(w);
    for(int r = 0; r < 2; r++)
        for(int c = 0; c < 3; c++) {
            RichTxt x = Paragraphs({ "x" });
            t.SetText(r, c, x);
        }
    t.SetSpan(0, 0, 0, 1);
    t.SetSpan(1, 0, 0, 1);
    t.Normalize();
    EXPECT_EQ(t.GetColumns(), 2);
    Vector<int> expected = { 3000, 7000 };
    EXPECT_EQ(t.GetFormat().column, expected);
    EXPECT_EQ(t.GetSpan(0, 0), Size(0, 0));
    EXPECT_EQ(t.GetSpan(1, 0), Size(0, 0));
}

TEST(RichTable, RemovingRowsAndColumnsShrinksCrossingSpans)
{
    RichTable t = Grid(4, 3);
    TableFormat f = t.GetFormat();
    f.header = 2;
    t.SetFormat(f);
    t.Normalize();
    t.RemoveRow(0);
    EXPECT_EQ(t.GetFormat().header, 1);
    EXPECT_EQ(t.GetRows(), 3);

    RichTable u = Grid(4, 4);
    u.SetSpan(0, 0, 2, 2);
    u.Normalize();
    u.RemoveRow(1);
    EXPECT_EQ(u.GetSpan(0, 0), Size(2, 1));
    u.Normalize();
    u.RemoveColumn(2);
    EXPECT_EQ(u.GetSpan(0, 0), Size(1, 1));
    EXPECT_EQ(u.GetColumns(), 3);
    u.Normalize();
    EXPECT_EQ(Layout(u), "00(1,1) - 03\n- - 23\n30 31 33\n");
}

TEST(RichTable, TextPositionsRunThroughVisibleCells)
{
    RichTable t = Grid(2, 2);
    t.SetSpan(0, 0, 0, 1);
    t.Normalize();
    // "00", "10", "11": 2 + 1 + 2 + 1 + 2.
    EXPECT_EQ(t.GetLength(), 8);
    struct Case {
        int pos;
        Point cell;
        int rest;
    } cases[] = { { 0, Point(0, 0), 0 }, { 2, Point(0, 0), 2 }, { 3, Point(0, 1), 0 },
                  { 7, Point(1, 1), 1 }, { 8, Point(1, 1), 2 }, { 9, Point(-1, -1), 0 } };
    for(const Case& c : cases) {
        int pos = c.pos;
        EXPECT_EQ(t.FindCell(pos), c.cell) << c.pos;
        EXPECT_EQ(pos, c.rest) << c.pos;
    }

    RichTable empty;
    EXPECT_EQ(empty.GetLength(), 0);
}

TEST(RichTable, NestedTablesAreCountedInVisibleCells)
{
    RichTable inner = Grid(1, 1);
    RichTxt holder;
    holder.SetTable(0, inner);
    RichTable second = Grid(1, 1);
    holder.SetTable(1, second);
    EXPECT_EQ(holder.GetTableCount(), 2);

    RichTable t = Grid(2, 2);
    RichTxt copy = holder;
    t.SetText(0, 1, copy);
    RichTxt one;
    RichTable single = Grid(1, 1);
    one.SetTable(0, single);
    t.SetText(1, 1, one);
    t.Normalize();
    EXPECT_EQ(t.GetTableCount(), 3);
    EXPECT_EQ(t.GetTableCountBefore(0, 1), 0);
    EXPECT_EQ(t.GetTableCountBefore(1, 0), 2);
    EXPECT_EQ(t.GetTableCountBefore(1, 1), 2);
    EXPECT_EQ(t.GetTableCountBefore(2, 0), 3);
}

TEST(RichTable, CopiesAreDeepAndMovesLeaveAnEmptyTable)
{
    RichTable t = Grid(2, 2);
    t.SetSpan(0, 0, 5, 0); // not normalised yet
    RichTable copy(t);
    EXPECT_EQ(copy.GetSpan(0, 0), Size(0, 1));
    EXPECT_EQ(CellText(copy, 0, 1), "01");
    RichTxt picked = t.PickText(0, 1);
    EXPECT_EQ(picked.GetPlainText(), WString("01"));
    EXPECT_EQ(t.GetCell(0, 1).text.GetPartCount(), 0);
    EXPECT_EQ(CellText(copy, 0, 1), "01");

    RichTxt text = Paragraphs({ "moved" });
    t.SetText(1, 1, text);
    EXPECT_EQ(text.GetPartCount(), 0);
    RichTable moved(std::move(t));
    EXPECT_EQ(CellText(moved, 1, 1), "moved");
    EXPECT_EQ(t.GetRows(), 0);
    EXPECT_EQ(t.GetColumns(), 0);
}

TEST(RichTable, ZoomedWidthsKeepOne)
{
    struct Case {
        int v, m, d, expected;
    } cases[] = { { 0, 1, 100, 0 }, { 10, 1, 100, 1 }, { 400, 96, 600, 64 }, { 5, 3, 0, 1 }, { -50, 1, 2, 1 } };
    for(const Case& c : cases)
        EXPECT_EQ(ZoomWidthKeepOne(c.v, c.m, c.d), c.expected) << c.v;
}

} // namespace
} // namespace Qor
