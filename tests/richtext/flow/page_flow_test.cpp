// Page flow of part lists: where paragraphs end on pages (unbounded pages, new pages, tall
// lines, orphan control, space after, keep with next), the natural width and the
// document-level height, checked in dots against the font's own metrics.

#include "tests/richtext/flow/flow_support.h"

namespace Qor {
namespace {

using namespace QorTest;

TEST(PageFlow, ParagraphEnds)
{
    const int h = FontHeight();
    ASSERT_GT(h, 0);
    struct Case {
        const char* name;
        int page_height;
        int start_y;
        ParagraphFormat format;
        PagePosition end;
    };
    ParagraphFormat spaced = Format(5, 10, 20);
    ParagraphFormat new_page = Format();
    new_page.new_page = true;
    ParagraphFormat late_after = Format(0, 0, 3 * h);
    const Case cases[] = {
        { "fits", 1000, 100, spaced, PagePosition(0, 100 + 35 + h) },
        // A page at least 30000 high never breaks, however far down the text has come.
        { "unbounded", 30000, 29990, spaced, PagePosition(0, 29990 + 35 + h) },
        { "just bounded", 29999, 29990, spaced, PagePosition(1, h + 35) },
        { "new page at the top", 1000, 0, new_page, PagePosition(1, h) },
        { "space after passes the bottom", 1000, 1000 - h - h / 2, late_after, PagePosition(1, 0) },
        { "start past the bottom", 1000, 2000, Format(), PagePosition(1, h) },
    };
    for(const Case& c : cases) {
        RichTxt t = Text("Word", c.format);
        EXPECT_EQ(t.GetNextPageY(0, Context(Rect(0, 0, 3000, c.page_height), PagePosition(0, c.start_y))), c.end)
            << c.name;
    }
}

TEST(PageFlow, ALineAsTallAsThePageIsNeverMoved)
{
    // The line stays where it starts and its end lies past the bottom: the next part starts on
    // the next page. A line a little shorter than the page moves whole.
    const int h = FontHeight(TestFont(400));
    ParagraphFormat f;
    f.font = TestFont(400);
    RichTxt t = Text("Tall", f);
    EXPECT_EQ(t.GetNextPageY(0, Context(Rect(0, 0, 3000, h), PagePosition(0, 50))), PagePosition(1, 0));
    EXPECT_EQ(t.GetNextPageY(0, Context(Rect(0, 0, 3000, h + 1), PagePosition(0, 50))), PagePosition(1, h));
}

TEST(PageFlow, OrphanControlMovesBothLinesOfATwoLineParagraph)
{
    const int h = FontHeight();
    // Narrow enough that the second word goes to a line of its own.
    const int width = Advance(u"aaaa bbbb") - 1;
    const Rect page(0, 0, width, 1000);
    const PagePosition start(0, 1000 - h - h / 2); // room for one line only
    ParagraphFormat f;
    RichTxt strict = Text("aaaa bbbb", f);
    f.orphan = true;
    RichTxt loose = Text("aaaa bbbb", f);
    EXPECT_EQ(strict.GetNextPageY(0, Context(page, start)), PagePosition(1, 2 * h));
    EXPECT_EQ(loose.GetNextPageY(0, Context(page, start)), PagePosition(1, h));
    // GetTop tells where the first line goes.
    EXPECT_EQ(strict.GetTop(Context(page, start)), PagePosition(1, 0));
    EXPECT_EQ(loose.GetTop(Context(page, start)), start);
}

TEST(PageFlow, TopIsWhereTheFirstLineIsPlaced)
{
    // A paragraph moved whole by its start rule has its top where the caret of its first
    // position lies, not where its first line alone would fit.
    const int h = FontHeight();
    const int width = Advance(u"aaaa aaaa") - 1; // one word a line
    const Rect page(0, 0, width, 1000);
    ParagraphFormat new_page;
    new_page.new_page = true;
    ParagraphFormat keep;
    keep.keep = true;
    ParagraphFormat keep_next;
    keep_next.keep_next = true;
    ParagraphFormat orphan;
    orphan.orphan = true;
    struct Case {
        const char* name;
        ParagraphFormat format;
        int start_y;
        PagePosition top;
    };
    const Case cases[] = {
        { "new page", new_page, 100, PagePosition(1, 0) },
        { "kept lines with room for two", keep, 1000 - 2 * h - h / 2, PagePosition(1, 0) },
        { "kept with a next paragraph that does not fit", keep_next, 1000 - 2 * h - h / 2, PagePosition(1, 0) },
        { "first line fits", orphan, 1000 - 2 * h - h / 2, PagePosition(0, 1000 - 2 * h - h / 2) },
        { "no room for the first line", orphan, 1000 - h / 2, PagePosition(1, 0) },
    };
    for(const Case& c : cases) {
        RichTxt t = Text("aaaa aaaa aaaa aaaa", c.format);
        AddParagraph(t, "eeee ffff");
        const LayoutContext rc = Context(page, PagePosition(0, c.start_y));
        EXPECT_EQ(t.GetTop(rc), c.top) << c.name;
        CaretInfo caret = t.GetCaret(0, rc);
        EXPECT_EQ(PagePosition(caret.page, caret.top), c.top) << c.name;
    }
}

TEST(PageFlow, KeepWithNextLooksAtTheNextParagraphOnly)
{
    const int h = FontHeight();
    ParagraphFormat keep;
    keep.keep_next = true;
    RichTxt before_para = Text("First", keep);
    AddParagraph(before_para, "Second", Format(7, 50));
    RichTxt before_table = Text("First", keep);
    AddTable(before_table, PlainTable(1, 1));
    const LayoutContext rc = Context(Rect(0, 0, 3000, 1000));
    int next_before = -1, next_line = -1;
    before_para.GetNextParaValues(0, rc, next_before, next_line);
    EXPECT_EQ(next_before, 57);
    EXPECT_EQ(next_line, h);
    before_table.GetNextParaValues(0, rc, next_before, next_line);
    EXPECT_EQ(next_before, 0);
    EXPECT_EQ(next_line, 0);
    // Without room for the next paragraph's first line the kept one moves to the next page;
    // before a table it stays.
    const PagePosition start(0, 1000 - h - 57 - h / 2);
    EXPECT_EQ(before_para.GetNextPageY(0, Context(rc.page, start)), PagePosition(1, h));
    EXPECT_EQ(before_table.GetNextPageY(0, Context(rc.page, start)), PagePosition(0, start.y + h));
}

TEST(PageFlow, HeightFollowsEveryPart)
{
    const int h = FontHeight();
    RichTxt t = Text("One", Format(0, 10, 20));
    AddParagraph(t, "Two", Format(0, 30, 40));
    EXPECT_EQ(t.GetHeight(Context(Rect(0, 0, 3000, 100000))), PagePosition(0, 100 + 2 * h));
    EXPECT_EQ(RichTxt().GetHeight(Context(Rect(0, 5, 3000, 1000))), PagePosition(0, 5));
    // The cache made for one width is rebuilt for another.
    RichTxt narrow = Text("aaaa bbbb");
    EXPECT_EQ(narrow.GetHeight(Context(Rect(0, 0, 3000, 100000))).y, h);
    EXPECT_EQ(narrow.GetHeight(Context(Rect(0, 0, Advance(u"aaaa bbbb") - 1, 100000))).y, 2 * h);
}

TEST(PageFlow, NaturalWidth)
{
    RichTxt t = Text("ab");
    AddParagraph(t, "abcd");
    EXPECT_EQ(t.GetWidth(NoStyles()), Advance(u"abcd"));
    EXPECT_EQ(RichTxt().GetWidth(NoStyles()), 0);
    RichTxt table;
    AddTable(table, PlainTable(1, 1));
    AddParagraph(table, "abcd");
    EXPECT_EQ(table.GetWidth(NoStyles()), 10000);
}

TEST(PageFlow, DocumentHeightAtAZoom)
{
    RichText doc;
    ClearRichText(doc);
    doc.SetParagraph(0, UnpackedParagraph(), ParagraphFormat());
    UnpackedParagraph p;
    p.CatText(WString("aaaa bbbb"), CharacterFormat());
    doc.SetParagraph(0, p, ParagraphFormat());
    const int h = FontHeight();
    // 96 units at 96/600 are 600 dots: one line when the text fits in them.
    const int cx = Advance(u"aaaa bbbb") * 96 / 600 + 2;
    EXPECT_EQ(doc.GetHeight(ZoomRatio(96, 600), cx), h * 96 / 600);
    EXPECT_EQ(doc.GetHeight(ZoomRatio(1, 1), Advance(u"aaaa bbbb") - 1), 2 * h);
    EXPECT_EQ(doc.GetHeight(ZoomRatio(0, 600), 100), 0);
    EXPECT_EQ(doc.GetEndPosition(Rect(0, 40, 100000, 1000)), PagePosition(0, 40 + h));
    EXPECT_EQ(doc.GetWidth(), Advance(u"aaaa bbbb"));
}

TEST(PageFlow, ZeroWidthPageEnds)
{
    // Every character takes a line of its own, and nothing loops.
    RichText doc;
    ClearRichText(doc);
    UnpackedParagraph p;
    p.CatText(WString("abc"), CharacterFormat());
    doc.SetParagraph(0, p, ParagraphFormat());
    EXPECT_EQ(doc.GetEndPosition(Rect(0, 0, 0, 100000)), PagePosition(0, 3 * FontHeight()));
}

} // namespace
} // namespace Qor
