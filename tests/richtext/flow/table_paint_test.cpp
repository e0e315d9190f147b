// Painting of tables: frame and grid in the show-codes colour, whole-table selection,
// borders that never vanish when zoomed, cells across pages, repeated headers and the
// notifications of the paint tracer.

#include "richtext/paint/page_draw.h"
#include "richtext/paint/paint_info.h"
#include "tests/draw/support/raster_draw.h"
#include "tests/draw/support/recording_draw.h"
#include "tests/richtext/flow/flow_support.h"

#include <memory>
#include <tuple>
#include <string>
#include <vector>

namespace Qor {
namespace {

using namespace QorTest;

constexpr dword INVERT = 0x800000FF;

// Keeps every filled rectangle with its colour's bits.
class RectDraw : public RecordingDraw {
public:
    struct Fill {
        Rect r;
        dword color;
    };
    std::vector<Fill> fills;

    void DrawRect(int x, int y, int cx, int cy, Color color) override
    {
        fills.push_back({ Rect(x, y, x + cx, y + cy), color.GetBits() });
        RecordingDraw::DrawRect(x, y, cx, cy, color);
    }
    using RecordingDraw::DrawRect;

    int Count(dword color) const
    {
        int n = 0;
        for(const Fill& f : fills)
            n += f.color == color;
        return n;
    }
};

// One RectDraw per page.
class Pages : public PageDraw {
public:
    std::vector<std::unique_ptr<RectDraw>> page;

    Draw& PageAt(int i) override
    {
        while((int)page.size() <= i)
            page.push_back(std::make_unique<RectDraw>());
        return *page[i];
    }
    RectDraw& At(int i) { return static_cast<RectDraw&>(PageAt(i)); }
};

// Logs the notifications as lines.
class Tracer : public PaintTracer {
public:
    std::vector<std::string> log;

    void Table(const Rect&, PagePosition py, const RichTable&) override { Log("table", py); }
    void EndTable(PagePosition py) override { Log("end table", py); }
    void TableRow(const Rect&, PagePosition py, int row, const RichTable&) override
    {
        Log("row " + std::to_string(row), py);
    }
    void EndTableRow(PagePosition py) override { Log("end row", py); }
    void TableCell(const Rect&, PagePosition py, int row, int column, const RichTable&, PagePosition) override
    {
        Log("cell " + std::to_string(row) + " " + std::to_string(column), py);
    }
    void EndTableCell(PagePosition py) override { Log("end cell", py); }

private:
    void Log(const std::string& what, PagePosition py)
    {
        log.push_back(what + " @" + std::to_string(py.page) + ":" + std::to_string(py.y));
    }
};

RichTxt OneTable(const RichTable& t)
{
    RichTxt text;
    AddTable(text, t);
    return text;
}

TEST(TablePaint, ShowCodesDrawFrameAndGridOfATableWithoutThem)
{
    const Color red(255, 0, 0);
    const RichTxt text = OneTable(PlainTable(1, 2, ""));
    const int h = FontHeight();
    for(bool codes : { false, true }) {
        RasterDraw w(140, h + 40);
        SimplePageDraw pw(w);
        RichPaintInfo pi;
        if(codes)
            pi.show_codes = red;
        text.Paint(pw, Context(Rect(10, 10, 110, 10000)), pi);
        // The frame lies just outside the cells, the grid line on the column edge.
        EXPECT_EQ(Color(w.At(9, 10 + h / 2)), Color(w.At(60, 10 + h / 2)));
        EXPECT_EQ(Color(w.At(9, 10 + h / 2)) == red, codes);
        EXPECT_EQ(Color(w.At(60, 10 + h / 2)) == red, codes);
        EXPECT_EQ(Color(w.At(110, 10 + h / 2)) == red, codes);
        EXPECT_NE(Color(w.At(35, 10 + h / 2)), red);
    }
}

TEST(TablePaint, GridFillsTheGapBetweenCells)
{
    const Color blue(0, 0, 255), red(255, 0, 0);
    RichTable t = PlainTable(1, 2, "");
    TableFormat f = t.GetFormat();
    f.grid = 4;
    f.grid_color = red;
    t.SetFormat(f);
    for(int c = 0; c < 2; c++) {
        CellFormat cf = t.GetCell(0, c).format;
        cf.color = blue;
        t.SetFormat(0, c, cf);
    }
    const int h = FontHeight();
    RasterDraw w(100, h + 10);
    SimplePageDraw pw(w);
    OneTable(t).Paint(pw, Context(Rect(0, 0, 100, 10000)), RichPaintInfo());
    std::string row;
    for(int x = 0; x < 100; x++)
        row += Color(w.At(x, h / 2)) == blue ? 'b' : Color(w.At(x, h / 2)) == red ? 'r' : '?';
    EXPECT_EQ(row, std::string(48, 'b') + "rrrr" + std::string(48, 'b'));
}

TEST(TablePaint, WholeTableSelectionInvertsTheFramedArea)
{
    // The frame of 10 dots lies on the page's edges; cells and their text lie inside it.
    RichTable t = PlainTable(2, 2);
    TableFormat f = t.GetFormat();
    f.frame = 10;
    t.SetFormat(f);
    for(auto [start, end, whole] :
        { std::tuple(-1, 0, true), std::tuple(-5, 100, true), std::tuple(0, 100, false), std::tuple(-3, -1, false) }) {
        RectDraw w;
        SimplePageDraw pw(w);
        RichPaintInfo pi;
        pi.selection_start = start;
        pi.selection_end = end;
        OneTable(t).Paint(pw, Context(Rect(0, 0, 1000, 10000)), pi);
        int framed = 0;
        for(const RectDraw::Fill& fill : w.fills)
            framed += fill.color == INVERT && fill.r.left == 0 && fill.r.right == 1000;
        EXPECT_EQ(framed, whole ? 1 : 0) << start << " " << end;
        // The cells' texts show no selection of their own.
        if(whole) {
            EXPECT_EQ(w.Count(INVERT), 1);
        }
    }
}

TEST(TablePaint, ZoomedBordersKeepOneUnit)
{
    RichTable t = PlainTable(1, 1);
    CellFormat cf;
    cf.border_left = cf.border_top = cf.border_right = cf.border_bottom = 1;
    cf.border_color = Color(0, 0, 255);
    t.SetFormat(0, 0, cf);
    RectDraw w;
    SimplePageDraw pw(w);
    RichPaintInfo pi;
    pi.zoom = ZoomRatio(96, 600);
    OneTable(t).Paint(pw, Context(Rect(0, 0, 6000, 10000)), pi);
    std::vector<RectDraw::Fill> bands;
    for(const RectDraw::Fill& f : w.fills)
        if(f.color == Color(0, 0, 255).GetBits())
            bands.push_back(f);
    ASSERT_EQ(bands.size(), 4u);
    EXPECT_EQ(bands[0].r.Height(), 1); // top
    EXPECT_EQ(bands[1].r.Width(), 1);  // left
    EXPECT_EQ(bands[2].r.Width(), 1);  // right
    EXPECT_EQ(bands[3].r.Height(), 1); // bottom
}

TEST(TablePaint, CellAcrossPagesIsFramedOnEveryPageAndTopAligned)
{
    const int h = FontHeight();
    const int width = Advance(u"aaaa bbbb") - 1;
    ParagraphFormat orphan;
    orphan.orphan = true;
    RichTable t = PlainTable(1, 1);
    RichTxt cell = Text("aaaa bbbb", orphan);
    t.SetText(0, 0, cell);
    CellFormat cf;
    cf.margin_left = cf.margin_right = cf.margin_top = cf.margin_bottom = 0;
    cf.border_top = cf.border_bottom = 3;
    cf.border_color = Color(0, 0, 255);
    t.SetFormat(0, 0, cf);
    TableFormat f = t.GetFormat();
    f.frame = 5;
    t.SetFormat(f);
    RichTxt text = OneTable(t);
    const Rect page(0, 0, width + 10, 1000);
    const LayoutContext rc = Context(page, PagePosition(0, 1000 - h - h / 2));
    Pages pw;
    text.Paint(pw, rc, RichPaintInfo());
    ASSERT_EQ(pw.page.size(), 2u);
    for(int p = 0; p < 2; p++)
        EXPECT_EQ(pw.At(p).Count(Color(0, 0, 255).GetBits()), 4) << p; // every border on every page
    // Both pages carry the table's frame.
    EXPECT_GE(pw.At(0).Count(0), 4);
    EXPECT_GE(pw.At(1).Count(0), 4);

    const RichTable& stored = text.GetTable(0);
    const TableLayout& l = stored.Realize(rc);
    LayoutContext cc = stored.GetCellContext(l, l.row, 0, 0, rc);
    EXPECT_EQ(stored.GetCell(0, 0).GetAlignShift(stored.GetCell(0, 0).GetTextContext(cc), l.row[0].end), 0);
}

TEST(TablePaint, VerticalAlignmentShiftsByTheFreeSpace)
{
    const int h = FontHeight();
    TableCell cell;
    cell.text = Text("x");
    cell.format.margin_top = cell.format.margin_bottom = 0;
    const LayoutContext rc = Context(Rect(0, 0, 1000, 1000), PagePosition(0, 100));
    const PagePosition end(0, 100 + 3 * h);
    const int expected[] = { 0, 2 * h, h }; // top, bottom, centre
    for(int align = 1; align <= 3; align++) {
        cell.format.align = align;
        EXPECT_EQ(cell.GetAlignShift(cell.GetTextContext(rc), end), expected[align - 1]) << align;
    }
}

TEST(TablePaint, HeaderRowsRepeatOnLaterPages)
{
    const int h = FontHeight();
    RichTable t = PlainTable(4, 1);
    TableFormat f = t.GetFormat();
    f.header = 1;
    t.SetFormat(f);
    Pages pw;
    Tracer tracer;
    pw.tracer = &tracer;
    OneTable(t).Paint(pw, Context(Rect(0, 0, 1000, 2 * h + h / 2)), RichPaintInfo());
    const std::vector<std::string> expected = {
        "table @0:0",
        "row 0 @0:0",
        "cell 0 0 @0:0",
        "end cell @0:" + std::to_string(h),
        "end row @0:" + std::to_string(h),
        "row 1 @0:" + std::to_string(h),
        "cell 1 0 @0:" + std::to_string(h),
        "end cell @0:" + std::to_string(2 * h),
        "end row @0:" + std::to_string(2 * h),
        "row 2 @1:" + std::to_string(h),
        "cell 2 0 @1:" + std::to_string(h),
        "end cell @1:" + std::to_string(2 * h),
        "end row @1:" + std::to_string(2 * h),
        "row 3 @2:" + std::to_string(h),
        "cell 3 0 @2:" + std::to_string(h),
        "end cell @2:" + std::to_string(2 * h),
        "end row @2:" + std::to_string(2 * h),
        // The header again at the top of each later page.
        "row 0 @1:0",
        "cell 0 0 @1:0",
        "end cell @1:" + std::to_string(h),
        "end row @1:" + std::to_string(h),
        "row 0 @2:0",
        "cell 0 0 @2:0",
        "end cell @2:" + std::to_string(h),
        "end row @2:" + std::to_string(h),
        "end table @2:" + std::to_string(2 * h),
    };
    EXPECT_EQ(tracer.log, expected);
}

TEST(TablePaint, CellRangeSelection)
{
    RichTable t = PlainTable(2, 2);
    for(auto [number, selected] : { std::pair(1, 2), std::pair(0, 0), std::pair(2, 0) }) {
        RectDraw w;
        SimplePageDraw pw(w);
        RichPaintInfo pi;
        pi.table_number = number;
        pi.cell_left = 1;
        pi.cell_top = 0;
        pi.cell_right = 1;
        pi.cell_bottom = 1;
        OneTable(t).Paint(pw, Context(Rect(0, 0, 1000, 10000)), pi);
        EXPECT_EQ(w.Count(INVERT), selected) << number;
    }
}

TEST(TablePaint, NestingPastTheLimitPaintsNothingThere)
{
    // The tables that layout does not enter paint no cells.
    RichTxt t = NestedTables(2000, false, false);
    RectDraw w;
    SimplePageDraw pw(w);
    Tracer tracer;
    pw.tracer = &tracer;
    t.Paint(pw, Context(Rect(0, 0, 60000, 100000)), RichPaintInfo());
    int cells = 0;
    for(const std::string& line : tracer.log)
        cells += line.rfind("cell ", 0) == 0;
    EXPECT_EQ(cells, 2 * MAX_TABLE_LAYOUT_DEPTH);
}

} // namespace
} // namespace Qor
