// The Qtf reader's tables: grid tables with their format commands, proportional tables,
// nesting and the table errors.
#include "richtext/qtf/qtf_reader.h"
#include "richtext/qtf/qtf_parser.h"
#include "tests/richtext/qtf_test_support.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

namespace Qor {
namespace {

using QorTest::QtfCellText;
using QorTest::QtfParagraphText;

TEST(QtfTableReader, GridFillsRowByRow)
{
    RichText doc = ReadQtfDocument("{{1:2 a||b}}");
    ASSERT_TRUE(doc.IsTable(0));
    const RichTable& t = doc.GetTable(0);
    EXPECT_EQ(t.GetRows(), 1);
    ASSERT_EQ(t.GetColumns(), 2);
    EXPECT_EQ(t.GetFormat().column[0] * 2, t.GetFormat().column[1] - 1); // 1:2 normalised to 3333:6667
    EXPECT_EQ(QtfCellText(doc, 0, 0, 0), "a");
    EXPECT_EQ(QtfCellText(doc, 0, 0, 1), "b");

    RichText three = ReadQtfDocument("{{1:1 a||b||c}}");
    ASSERT_EQ(three.GetTable(0).GetRows(), 2);
    EXPECT_EQ(QtfCellText(three, 0, 1, 0), "c");

    RichText one = ReadQtfDocument("{{ a}}");
    EXPECT_EQ(one.GetTable(0).GetColumns(), 1);
}

TEST(QtfTableReader, CellFormatIsInherited)
{
    RichText doc = ReadQtfDocument("{{1 a::@5 b||c}}");
    const RichTable& t = doc.GetTable(0);
    ASSERT_EQ(t.GetRows(), 3);
    EXPECT_EQ(t.GetCell(0, 0).format.color, Color(255, 255, 255));
    EXPECT_EQ(t.GetCell(1, 0).format.color, Color(0, 0, 128));
    EXPECT_EQ(t.GetCell(2, 0).format.color, Color(0, 0, 128));
}

TEST(QtfTableReader, FormatCommands)
{
    struct Case {
        const char* qtf;
        bool (*check)(const RichTable& t);
    } cases[] = {
        { "{{1B10<20>30A40f5g6h1 a||b}}",
          [](const RichTable& t) {
              const TableFormat& f = t.GetFormat();
              return f.before == 10 && f.lm == 20 && f.rm == 30 && f.after == 40 && f.frame == 5 && f.grid == 6 &&
                     f.header == 1;
          } },
        { "{{1~F6G4 a}}",
          [](const RichTable& t) {
              const TableFormat& f = t.GetFormat();
              return f.frame == 0 && f.grid == 0 && f.frame_color == Color(255, 0, 0) &&
                     f.grid_color == Color(0, 128, 0);
          } },
        { "{{1a2/7 a}}",
          [](const RichTable& t) {
              const CellFormat& f = t.GetCell(0, 0).format;
              return f.border_left == 2 && f.border_bottom == 2 && f.margin_top == 7 && f.margin_right == 7;
          } },
        { "{{1l3t/9 a}}",
          [](const RichTable& t) {
              const CellFormat& f = t.GetCell(0, 0).format;
              return f.border_left == 3 && f.margin_left == 25 && f.margin_top == 9 && f.border_top == 0;
          } },
        { "{{1l/-5 a}}", [](const RichTable& t) { return t.GetCell(0, 0).format.margin_left == 25; } },
        { "{{1^H100R6 a}}",
          [](const RichTable& t) {
              const CellFormat& f = t.GetCell(0, 0).format;
              return f.align == CellFormat::ALIGN_TOP && f.min_height == 100 && f.border_color == Color(255, 0, 0);
          } },
        { "{{1k a}}", [](const RichTable& t) { return t.GetCell(0, 0).format.keep && t.GetFormat().keep; } },
        { "{{1K a}}", [](const RichTable& t) { return !t.GetCell(0, 0).format.keep && t.GetFormat().keep; } },
        { "{{1:1-1 a||b||c||d}}",
          [](const RichTable& t) {
              return t.GetCell(0, 0).hspan == 1 && !t.IsVisible(0, 1) && t.GetCell(1, 1).hspan == 0;
          } },
        { "{{1:1@6 a::! b}}",
          [](const RichTable& t) {
              return t.GetCell(0, 0).format.color == Color(255, 0, 0) &&
                     t.GetCell(0, 1).format.color == Color(255, 255, 255);
          } },
        { "{{1:1+1 a||b||c||d}}", [](const RichTable& t) { return t.GetCell(0, 0).vspan == 1 && !t.IsVisible(1, 0); } },
        { "{{1-99999999 a}}", [](const RichTable& t) { return t.GetCell(0, 0).hspan == 0; } },
        // Table letters in later groups add to the table format; cell letters leave it be.
        { "{{1:3f5 a::@6 b::g7 c::~f2 d}}",
          [](const RichTable& t) {
              const TableFormat& f = t.GetFormat();
              return f.frame == 2 && f.grid == 0 && f.column.GetCount() == 2 && f.column[1] == 3 * f.column[0] &&
                     t.GetCell(0, 1).format.color == Color(255, 0, 0);
          } },
        { "{{1:3f5g7 a::@6 b}}",
          [](const RichTable& t) {
              const TableFormat& f = t.GetFormat();
              return f.frame == 5 && f.grid == 7 && f.column.GetCount() == 2 && f.column[1] == 3 * f.column[0];
          } },
    };
    for(const Case& c : cases) {
        RichText doc = ReadQtfDocument(c.qtf);
        ASSERT_TRUE(doc.IsTable(0)) << c.qtf << ": " << QtfParagraphText(doc, doc, doc.GetPartCount() - 1);
        EXPECT_TRUE(c.check(doc.GetTable(0))) << c.qtf;
    }
}

TEST(QtfTableReader, ProportionalTableGetsCommonColumns)
{
    RichText doc = ReadQtfDocument("++a||b--c++");
    ASSERT_TRUE(doc.IsTable(0));
    const RichTable& t = doc.GetTable(0);
    ASSERT_EQ(t.GetColumns(), 2);
    EXPECT_EQ(t.GetFormat().column[0], 5000);
    EXPECT_EQ(t.GetFormat().grid, 10);
    EXPECT_EQ(QtfCellText(doc, 0, 0, 0), "a");
    EXPECT_EQ(QtfCellText(doc, 0, 0, 1), "b");
    EXPECT_EQ(QtfCellText(doc, 0, 1, 0), "c");
    EXPECT_EQ(t.GetCell(1, 0).hspan, 1);

    RichText widths = ReadQtfDocument("++::3 a||b++");
    ASSERT_EQ(widths.GetTable(0).GetColumns(), 2);
    EXPECT_EQ(widths.GetTable(0).GetFormat().column[0], 7500);
}

TEST(QtfTableReader, NestedTableAndWhatFollows)
{
    RichText doc = ReadQtfDocument("{{1 {{1 x}}||y}}&after");
    ASSERT_TRUE(doc.IsTable(0));
    const RichTable& outer = doc.GetTable(0);
    ASSERT_EQ(outer.GetRows(), 2);
    const RichTxt& cell = outer.GetCell(0, 0).text;
    ASSERT_TRUE(cell.IsTable(0));
    EXPECT_EQ(QorTest::Utf8(cell.GetTable(0).GetCell(0, 0).text.GetPlainText()), "x");
    EXPECT_EQ(QtfCellText(doc, 0, 1, 0), "y");
    EXPECT_EQ(QtfParagraphText(doc, doc, doc.GetPartCount() - 1), "after");
}

TEST(QtfTableReader, UnclosedTablesCloseAtTheEnd)
{
    RichText doc = ReadQtfDocument("{{1 a||{{1 b");
    ASSERT_TRUE(doc.IsTable(0));
    const RichTxt& cell = doc.GetTable(0).GetCell(1, 0).text;
    ASSERT_TRUE(cell.IsTable(0));
    EXPECT_EQ(cell.GetPartCount(), 1); // as if closed by "}}}}": no paragraph after the inner table
    EXPECT_EQ(doc.GetPartCount(), 1);
}

TEST(QtfTableReader, HugeMeasuresAreBounded)
{
    const int most = RichQtfParser::MAX_DIMENSION;
    RichText doc = ReadQtfDocument("{{1B2147483647<999999>999999A999999f999999g999999l999999/999999H999999 a}}");
    const TableFormat& f = doc.GetTable(0).GetFormat();
    EXPECT_EQ(f.before, most);
    EXPECT_EQ(f.lm, most);
    EXPECT_EQ(f.rm, most);
    EXPECT_EQ(f.after, most);
    EXPECT_EQ(f.frame, most);
    EXPECT_EQ(f.grid, most);
    const CellFormat& c = doc.GetTable(0).GetCell(0, 0).format;
    EXPECT_EQ(c.border_left, most);
    EXPECT_EQ(c.margin_left, most);
    EXPECT_EQ(c.min_height, most);
    EXPECT_EQ(c.margin_right, CellFormat().margin_right);
}

TEST(QtfTableReader, Errors)
{
    struct Case {
        const char* qtf;
        const char* text;
    } cases[] = {
        { "}}", "ERROR: Not in table." },
        { "a||b", "ERROR: Not in table: b" },
        { "++a{{1 b}}++", "ERROR: {{ in ++ table: 1 b}}++" },
        { "++a}}", "ERROR: }} in ++ table." },
        { "{{1Z a}}", "ERROR: Invalid cell format:  a}}" },
        { "{{1", "ERROR: Unexpected end of text in cell format." },
        { "{{1:x a}}", "ERROR: Expected number: x a}}" },
    };
    for(const Case& c : cases) {
        RichText doc = ReadQtfDocument(c.qtf);
        EXPECT_EQ(QtfParagraphText(doc, doc, doc.GetPartCount() - 1), c.text) << c.qtf;
    }
    RichText doc = ReadQtfDocument("}}");
    ASSERT_EQ(doc.GetPartCount(), 2); // the cell end first ended an empty paragraph
    EXPECT_EQ(QtfParagraphText(doc, doc, 0), "");
}

} // namespace
} // namespace Qor
